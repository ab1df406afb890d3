// The controller of the main window: the settings panel and its rules, the menus.
#pragma once

#include "ui_BRMainWindow.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <memory>

class QMainWindow;
class QStandardItemModel;

class BRController : public QObject, private Ui::BRMainWindow
{
    Q_OBJECT
public:
    explicit BRController(QObject* parent = nullptr);
    ~BRController() override;

    QMainWindow* window() const { return mainWindow.get(); }

    // A new processing settings record read from the panel as it stands.
    QVariantMap buildPrefs() const;
    // Shows a record in the panel, then refreshes the dependent controls.
    void setValuesFrom(const QVariantMap& record);

public slots:
    void scalingTypeDidChange();
    void uncheckRecompress();
    void customPathDidChange();
    // Opens the window-modal folder chooser for the output folder.
    void getCustomPath();
    void openHelp();

private:
    void connectActions();
    void showAbout();
    void forwardToFocusedField(const char* slot);

    std::unique_ptr<QMainWindow> mainWindow;
    std::unique_ptr<QStandardItemModel> filesModel;
    QString customPathBackup;
};
