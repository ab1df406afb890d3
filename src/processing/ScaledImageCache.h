// SPDX-License-Identifier: GPL-3.0-or-later
// The scaled image of the last photo re-encoded, kept between runs of one file so that a
// change of the quality alone encodes it again without decoding and scaling it: the
// compare view follows the quality slider so.
#pragma once

#include <QString>

#include <memory>
#include <mutex>
#include <optional>

struct Bitmap;

namespace brelin {

struct ScaledPlanes;

class ScaledImageCache
{
public:
    // What a re-encode keeps: the planes of a YCbCr or grey photo, or the bitmap of the
    // others, with how it is to be encoded.
    struct Entry
    {
        QString key;
        std::shared_ptr<const ScaledPlanes> planes;
        std::shared_ptr<const Bitmap> bitmap;
        bool grey = false;
        bool resampled = true;
    };

    // The entry made under `key`, if it is the one kept.
    std::optional<Entry> find(const QString& key) const;
    // Keeps `entry` in place of the one kept.
    void store(Entry entry);
    void clear();

private:
    mutable std::mutex mutex_;
    Entry entry_;
};

} // namespace brelin
