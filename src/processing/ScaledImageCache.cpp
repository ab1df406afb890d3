// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/ScaledImageCache.h"

namespace brelin {

std::optional<ScaledImageCache::Entry> ScaledImageCache::find(const QString& key) const
{
    const std::lock_guard lock(mutex_);
    if (key.isEmpty() || entry_.key != key)
        return std::nullopt;
    return entry_;
}

void ScaledImageCache::store(Entry entry)
{
    const std::lock_guard lock(mutex_);
    entry_ = std::move(entry);
}

void ScaledImageCache::clear()
{
    store({});
}

} // namespace brelin
