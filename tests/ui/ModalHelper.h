// SPDX-License-Identifier: GPL-3.0-or-later
// Drives modal windows from a test: the test says what to do with a window before the
// action that shows it, since the modal run blocks until the window closes.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace brelin::test {

// Runs `act` once the modal window named `name` is the active modal window. A window
// that never comes is a failure, and whatever modal window stands then is closed, so
// the test cannot hang.
inline void whenShown(const QString& name, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(10000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, name, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == name && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "never shown: " << name.toStdString();
            if (modal)
                modal->close();
        }
    });
    timer->start(5);
}

// Clicks the button of `window` that shows `text`.
inline void clickButton(QWidget* window, const QString& text)
{
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->text() == text && b->isVisible()) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString() << " in "
                  << window->objectName().toStdString();
}

} // namespace brelin::test
