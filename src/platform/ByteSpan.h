// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a QByteArray as the codec and the marker tools take them.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <span>

namespace brelin {

inline std::span<const uint8_t> bytesOf(const QByteArray& a)
{
    return {reinterpret_cast<const uint8_t*>(a.constData()), size_t(a.size())};
}

inline QByteArray toByteArray(std::span<const uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace brelin
