// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/CustomIcons.h"
#include "platform/ByteSpan.h"

#include "platform/AtomicFile.h"
#include "platform/BRLog.h"
#include "platform/PngWriter.h"
#include "processing/Thumbnail.h"
#include "settings/SettingsRecord.h"
#include "settings/UserDefaults.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>

namespace brelin {
namespace {

constexpr int kIconSize = 256;

bool sessionKeepsIcons(const IconStore& store)
{
    if (store.available())
        return true;
    static std::atomic<bool> said{false};
    if (!said.exchange(true))
        brLog("No session bus: custom icons are left as they are");
    return false;
}

} // namespace

bool CustomIcons::iconExistForFile(const QString& path) const
{
    return !store_.customIcon(path).isEmpty();
}

bool CustomIcons::removeCustomIconFromFile(const QString& path)
{
    return store_.removeCustomIcon(path);
}

void CustomIcons::processIconForFile(const QString& target, const QString& orig, int keepIcon)
{
    if (keepIcon < IconFromSource || keepIcon > IconFromImage || !sessionKeepsIcons(store_))
        return;
    switch (keepIcon) {
    case IconFromSource: {
        if (QFileInfo(target) == QFileInfo(orig))
            break;
        // Icons are kept by path: a result that replaced a file with an icon of its own
        // would show that old icon unless it is taken away.
        const QString icon = store_.customIcon(orig);
        if (!icon.isEmpty())
            store_.setCustomIcon(target, icon);
        else if (!store_.customIcon(target).isEmpty())
            store_.removeCustomIcon(target);
        break;
    }
    case IconRemove:
        removeCustomIconFromFile(target);
        break;
    case IconFromImage: {
        const QString folder = QDir(appSupportFolder()).filePath(QStringLiteral("Icons"));
        const QString icon = makeIconFromImage(target, folder);
        if (!icon.isEmpty())
            store_.setCustomIcon(target, icon);
        break;
    }
    }
}

QString CustomIcons::makeIconFromImage(const QString& jpeg, const QString& iconFolder)
{
    QFile file(jpeg);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const auto icon = thumbnailOf(bytesOf(bytes), kIconSize);
    if (!icon)
        return {};
    const QByteArray png = encodePng(*icon);
    // One icon per file: a result made again replaces its old icon.
    const QString name = QString::fromLatin1(
        QCryptographicHash::hash(QFile::encodeName(QFileInfo(jpeg).absoluteFilePath()),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(32));
    if (png.isEmpty() || !QDir().mkpath(iconFolder))
        return {};
    const QString path = QDir(iconFolder).filePath(name + QStringLiteral(".png"));
    return writeScratchFile(path, png) ? path : QString();
}

} // namespace brelin
