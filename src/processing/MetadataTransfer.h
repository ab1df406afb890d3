// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps or removes the five kinds of JPEG metadata through the marker tools: strips
// them from a copy of the source, or copies the kept ones into a newly encoded JPEG.
#pragma once

#include "processing/ProcessChain.h"

#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

namespace brelin {

// The markers of a source that the settings keep, read into payload files of the
// temporary folder, in the order they are written back.
struct KeptMarkers
{
    QStringList names;            // "APP1", ..., "cfile" for the comment
    QStringList payloads;         // one file per name; "" for a kind the source does not have
    QString failure;              // for the log; empty when every read worked
    bool toolsNotStarted = false; // a reader could not be started at all

    // The stages that write the payloads, started once they were read: they wait for the
    // new JPEG, so that starting them costs nothing once it is made.
    struct Writer;
    std::shared_ptr<Writer> writer;
};

class MetadataTransfer
{
public:
    // `prefs` is the run's settings record; `tmp` the run's temporary folder.
    // The tools are looked up among Brelin's resources.
    MetadataTransfer(const QVariantMap& prefs, const QString& tmp);
    MetadataTransfer(const QVariantMap& prefs, const QString& tmp, const QString& rdjpgcom,
                     const QString& wrjpgcom);

    // Copy branch: the source without the markers to be removed, in the temporary
    // folder (at `target` when given), its image data rewritten losslessly where that is
    // smaller (unless KeepImageData; `recoded` says whether they were), or the source itself
    // when nothing changes. None when it failed; the reason is for the list of unprocessed
    // files.
    std::optional<QString> stripProfilesFrom(const QString& source, QString* reason = nullptr,
                                             const QString& target = {}, bool* recoded = nullptr);
    // Re-encode branch: rewrites `newJpeg` with the source's kept markers added.
    bool addProfilesFromFile(const QString& source, const QString& newJpeg,
                             QString* reason = nullptr);

    // The two halves of addProfilesFromFile. Reading touches only the source, so it can
    // run while the same source is decoded and encoded; the reads run side by side.
    KeptMarkers readKeptMarkers(const QString& source);
    bool writeKeptMarkers(const KeptMarkers& kept, const QString& source, const QString& newJpeg,
                          QString* reason = nullptr);

    // One stage that removes marker kind `marker` ("APP1", "cfile"...) from the stream.
    bool removeMetadata(const QString& marker, ProcessChain& chain);
    // Reads marker kind `marker` ("APP13", "COM"...) from `source` and adds a stage that
    // writes it into the stream.
    bool copyMetadata(const QString& marker, const QString& source, ProcessChain& chain);

    // The name of the intermediate or stripped file for `source` in the temporary folder.
    QString temporaryFileFor(const QString& source) const;

private:
    bool writeStage(const QString& marker, const QString& payloadPath, ProcessChain& chain);
    bool fail(QString* reason, const QString& userText, const QString& logText);

    QVariantMap prefs_;
    QString tmp_;
    QString rdjpgcom_;
    QString wrjpgcom_;
    QString lastFailure_;
};

// The JPEG comment of `path`, trimmed; "" when there is none or it cannot be read.
QString getCOMforURL(const QString& path);

// "%d.jpg" from a 32-bit hash of the file's URL: stable for one path, one per file.
QString intermediateName(const QString& sourcePath);

} // namespace brelin
