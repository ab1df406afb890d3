// SPDX-License-Identifier: GPL-3.0-or-later
// GIO before Qt: Qt's "signals" keyword would clash with GIO's structures.
#include <gio/gio.h>

#include "platform/IconStore.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr const char* kAttribute = "metadata::custom-icon";

class GioIconStore : public IconStore
{
public:
    bool available() const override
    {
        // The address GIO itself would take; without it no gvfs daemon can be reached.
        if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            return true;
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
    }

    QString customIcon(const QString& path) const override
    {
        GFile* file = g_file_new_for_path(QFile::encodeName(path).constData());
        GFileInfo* info =
            g_file_query_info(file, kAttribute, G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
        QString icon;
        if (info) {
            if (const char* uri = g_file_info_get_attribute_string(info, kAttribute)) {
                // File managers store a URI; a plain path is taken as well.
                const QUrl url(QString::fromUtf8(uri));
                icon = url.isLocalFile() ? url.toLocalFile()
                       : uri[0] == '/'   ? QString::fromUtf8(uri)
                                         : QString();
            }
            g_object_unref(info);
        }
        g_object_unref(file);
        return icon;
    }

    bool setCustomIcon(const QString& path, const QString& iconPath) override
    {
        const QByteArray uri = QUrl::fromLocalFile(iconPath).toEncoded();
        return set(path, G_FILE_ATTRIBUTE_TYPE_STRING, (gpointer)uri.constData());
    }

    bool removeCustomIcon(const QString& path) override
    {
        return set(path, G_FILE_ATTRIBUTE_TYPE_INVALID, nullptr);
    }

private:
    static bool set(const QString& path, GFileAttributeType type, gpointer value)
    {
        GFile* file = g_file_new_for_path(QFile::encodeName(path).constData());
        const bool ok = g_file_set_attribute(file, kAttribute, type, value, G_FILE_QUERY_INFO_NONE,
                                             nullptr, nullptr);
        g_object_unref(file);
        return ok;
    }
};

} // namespace

std::unique_ptr<IconStore> makeDesktopIconStore()
{
    return std::make_unique<GioIconStore>();
}
