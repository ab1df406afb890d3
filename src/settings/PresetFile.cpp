// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/PresetFile.h"

#include "platform/BRLog.h"
#include "settings/SettingsRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <plist/plist.h>

#include <limits>
#include <memory>

namespace brelin {
namespace {

struct PlistDeleter
{
    void operator()(plist_t p) const
    {
        if (p)
            plist_free(p);
    }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

QString stringOf(plist_t node)
{
    char* s = nullptr;
    plist_get_string_val(node, &s);
    const QString text = QString::fromUtf8(s ? s : "");
    free(s);
    return text;
}

// Scalars of a settings record; anything else (arrays, data, dates) is left out.
QVariant scalarOf(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return int(b != 0);
    }
    case PLIST_UINT: {
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        // libplist keeps signed integers in two's complement.
        const auto v = static_cast<int64_t>(u);
        if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
            return int(v);
        return qlonglong(v);
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return d;
    }
    case PLIST_STRING:
        return stringOf(node);
    default:
        return {};
    }
}

std::optional<Preset> presetOf(plist_t element)
{
    if (plist_get_node_type(element) != PLIST_DICT)
        return std::nullopt;
    plist_t name = plist_dict_get_item(element, "Name");
    plist_t prefs = plist_dict_get_item(element, "Prefs");
    if (!name || plist_get_node_type(name) != PLIST_STRING || !prefs ||
        plist_get_node_type(prefs) != PLIST_DICT)
        return std::nullopt;
    Preset preset{stringOf(name), {}};
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(prefs, &it);
    for (;;) {
        char* k = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(prefs, it, &k, &value);
        if (!k)
            break;
        const QVariant v = scalarOf(value);
        if (v.isValid())
            preset.prefs.insert(QString::fromUtf8(k), v);
        free(k);
    }
    free(it);
    return preset;
}

} // namespace

std::optional<PresetList> presetsFromPlist(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.size() > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    plist_t raw = nullptr;
    plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &raw);
    const PlistPtr root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_ARRAY)
        return std::nullopt;
    PresetList presets;
    const uint32_t n = plist_array_get_size(root.get());
    for (uint32_t i = 0; i < n; ++i)
        if (auto p = presetOf(plist_array_get_item(root.get(), i)))
            presets.append(*p);
    return presets;
}

QByteArray presetsToXmlPlist(const PresetList& presets)
{
    const PlistPtr root(plist_new_array());
    for (const Preset& p : presets) {
        plist_t dict = plist_new_dict();
        plist_dict_set_item(dict, "Name", plist_new_string(p.name.toUtf8().constData()));
        plist_t prefs = plist_new_dict();
        for (const QString& k : settingsKeys()) {
            plist_t value;
            if (k == key::ScalingFactor)
                value = plist_new_real(recordDouble(p.prefs, k));
            else if (k == key::Suffix || k == key::Path)
                value = plist_new_string(recordString(p.prefs, k).toUtf8().constData());
            else
                value = plist_new_uint(static_cast<uint64_t>(int64_t(recordInt(p.prefs, k))));
            plist_dict_set_item(prefs, k.toUtf8().constData(), value);
        }
        plist_dict_set_item(dict, "Prefs", prefs);
        plist_array_append_item(root.get(), dict);
    }
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    const QByteArray out(xml, qsizetype(length));
    plist_to_xml_free(xml);
    return out;
}

bool PresetFile::exists() const
{
    return QFileInfo::exists(path_);
}

PresetList PresetFile::load()
{
    QFile file(path_);
    std::optional<PresetList> presets;
    if (file.open(QIODevice::ReadOnly))
        presets = presetsFromPlist(file.readAll());
    unreadable_ = !presets.has_value();
    return presets.value_or(PresetList{});
}

bool PresetFile::save(const PresetList& presets)
{
    if (unreadable_ && exists()) {
        const QString kept = path_ + QStringLiteral(".unreadable");
        QFile::remove(kept);
        if (!QFile::rename(path_, kept)) {
            brLog("Unable to save file");
            return false;
        }
        brLog(QStringLiteral("The unreadable preset file was kept as %1").arg(kept));
    }
    unreadable_ = false;
    QSaveFile file(path_);
    const QByteArray xml = presetsToXmlPlist(presets);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size() || !file.commit()) {
        brLog("Unable to save file");
        return false;
    }
    return true;
}

} // namespace brelin
