// GIO before Qt: Qt's "signals" keyword would clash with GIO's structures.
#include <gio/gio.h>

#include "platform/IconStore.h"

#include <QFile>
#include <QUrl>

namespace {

class GioIconStore : public IconStore
{
public:
    QString customIcon(const QString& path) const override
    {
        GFile* file = g_file_new_for_path(QFile::encodeName(path).constData());
        GFileInfo* info = g_file_query_info(file, "metadata::custom-icon", G_FILE_QUERY_INFO_NONE,
                                            nullptr, nullptr);
        QString icon;
        if (info) {
            if (const char* uri = g_file_info_get_attribute_string(info, "metadata::custom-icon")) {
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
};

} // namespace

std::unique_ptr<IconStore> makeDesktopIconStore()
{
    return std::make_unique<GioIconStore>();
}
