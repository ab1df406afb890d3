// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/MetadataTransfer.h"
#include "platform/ByteSpan.h"

#include "encoding/LosslessRecode.h"
#include "encoding/StreamParts.h"
#include "markers/GainMap.h"
#include "markers/JpegSegments.h"
#include "markers/MarkerTools.h"
#include "markers/MultiPicture.h"
#include "platform/AtomicFile.h"
#include "platform/BRLog.h"
#include "platform/ExifOrientation.h"
#include "platform/LosslessTransform.h"
#include "platform/Resources.h"
#include "processing/GainMapCarrier.h"
#include "processing/UnreadableReason.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QUrl>

#include <fcntl.h>
#include <set>
#include <unistd.h>

namespace brelin {
namespace {

const QString kDevNull = QStringLiteral("/dev/null");

// Everything written here lives in the run's temporary folder: whole or not at all,
// but not flushed to the disk.
bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    return writeScratchFile(path, bytes);
}

QString toolsCannotStart()
{
    return QCoreApplication::translate("MetadataTransfer", "The marker tools cannot be started.");
}

bool isCompleteJpeg(const QByteArray& bytes)
{
    return markers::checkStream(bytesOf(bytes)).ok;
}

bool hasApp0(const QByteArray& jpeg)
{
    markers::Reader in = markers::Reader::fromMemory(bytesOf(jpeg));
    std::vector<uint8_t> found;
    markers::Writer out = markers::Writer::toMemory(found);
    return markers::readAppSegments(in, markers::kAPP0, out).ok && !found.empty();
}

// `file` with its first image's data rewritten losslessly smaller, the images stored
// after it moved and their index written anew; none when no smaller rewrite checks out
// (a failure is logged: the data are then copied as they are, which never fails a file).
std::optional<QByteArray> losslesslySmaller(const QByteArray& file, bool progressive,
                                            const QString& source)
{
    std::string why;
    const auto primary = smallestLosslessRecode(bytesOf(file), progressive, why);
    if (!primary) {
        if (!why.empty())
            brLog(QStringLiteral("The image data of %1 are copied as they are: %2")
                      .arg(source, QString::fromStdString(why)));
        return std::nullopt;
    }
    const auto parts = streamParts(bytesOf(file));
    if (!parts)
        return std::nullopt;
    QByteArray out = toByteArray(*primary) + file.mid(qsizetype(parts->end));
    if (markers::findStoredImages(bytesOf(file))) {
        const auto reindexed = markers::reindexStoredImages(bytesOf(file), bytesOf(out));
        if (!reindexed) {
            brLog(QStringLiteral("The image data of %1 are copied as they are: the images "
                                 "stored after them could not be indexed anew")
                      .arg(source));
            return std::nullopt;
        }
        out = toByteArray(*reindexed);
    }
    return out;
}

// libjpeg writes a JFIF marker into every transformed YCbCr stream; one the stream did
// not have before is taken out again, so that only what was asked for changes.
std::optional<QByteArray> turnUpright(const QByteArray& jpeg, int orientation, std::string& why)
{
    const auto turned = turnUprightLosslessly(bytesOf(jpeg), orientation, why);
    if (!turned)
        return std::nullopt;
    if (hasApp0(jpeg))
        return toByteArray(*turned);
    markers::Reader in = markers::Reader::fromMemory(*turned);
    std::vector<uint8_t> bare;
    markers::Writer out = markers::Writer::toMemory(bare);
    const markers::Result r = markers::replaceAppSegments(in, markers::kAPP0, {}, out);
    if (!r.ok) {
        why = r.message;
        return std::nullopt;
    }
    out.flush();
    return toByteArray(bare);
}

// The marker of a kind as the tools name it ("APP13", "cfile").
uint8_t markerOf(const QString& name)
{
    return name == QLatin1String("cfile") ? markers::kCOM
                                          : *markers::appMarkerNamed(name.toStdString());
}

// The kinds of segment before the first scan of a file; none when its header cannot be
// read, and the tools are left to say why.
std::optional<std::set<uint8_t>> headerMarkers(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    markers::Reader in = markers::Reader::fromFd(fd);
    markers::Header header;
    std::string error;
    const bool read = markers::readHeader(in, header, error);
    ::close(fd);
    if (!read)
        return std::nullopt;
    std::set<uint8_t> kinds;
    for (const markers::Segment& segment : header.segments)
        kinds.insert(segment.marker);
    return kinds;
}

} // namespace

struct KeptMarkers::Writer
{
    QList<qsizetype> stages; // indexes into names and payloads
    ProcessChain chain;
    int input = -1;               // where the new JPEG goes in
    ~Writer() { closeFd(input); } // the stages see an empty stream, fail and are reaped
};

QString intermediateName(const QString& sourcePath)
{
    // FNV-1a over the URL text: the same name for the same file, run after run.
    const QByteArray url = QUrl::fromLocalFile(sourcePath).toEncoded();
    uint32_t h = 2166136261u;
    for (char c : url) {
        h ^= static_cast<uint8_t>(c);
        h *= 16777619u;
    }
    return QString::number(static_cast<int32_t>(h)) + QStringLiteral(".jpg");
}

MetadataTransfer::MetadataTransfer(const QVariantMap& prefs, const QString& tmp)
    : MetadataTransfer(prefs, tmp, toolPath(QStringLiteral("rdjpgcom")),
                       toolPath(QStringLiteral("wrjpgcom")))
{
}

MetadataTransfer::MetadataTransfer(const QVariantMap& prefs, const QString& tmp,
                                   const QString& rdjpgcom, const QString& wrjpgcom)
    : prefs_(prefs), tmp_(tmp), rdjpgcom_(rdjpgcom), wrjpgcom_(wrjpgcom)
{
}

QString MetadataTransfer::temporaryFileFor(const QString& source) const
{
    return QDir(tmp_).filePath(intermediateName(source));
}

bool MetadataTransfer::fail(QString* reason, const QString& userText, const QString& logText)
{
    brLog(logText);
    if (reason)
        *reason = userText;
    return false;
}

bool MetadataTransfer::removeMetadata(const QString& marker, ProcessChain& chain)
{
    return writeStage(marker, kDevNull, chain);
}

bool MetadataTransfer::writeStage(const QString& marker, const QString& payloadPath,
                                  ProcessChain& chain)
{
    return chain.append(wrjpgcom_, {QLatin1Char('-') + marker.toLower(), payloadPath});
}

bool MetadataTransfer::copyMetadata(const QString& marker, const QString& source,
                                    ProcessChain& chain)
{
    const bool comment = marker == QLatin1String("COM");
    const QString name = comment ? QStringLiteral("cfile") : marker;
    const QStringList args =
        comment ? QStringList{source} : QStringList{QStringLiteral("-raw"), marker, source};
    QString why;
    const auto content = runAndRead(rdjpgcom_, args, &why);
    const QString payload = QDir(tmp_).filePath(name);
    if (!content) {
        lastFailure_ = why;
        return false;
    }
    if (!writeAtomically(payload, *content)) {
        lastFailure_ = QStringLiteral("cannot write %1").arg(payload);
        return false;
    }
    return writeStage(name, payload, chain);
}

std::optional<QString> MetadataTransfer::stripProfilesFrom(const QString& source, QString* reason,
                                                           const QString& targetPath, bool* recoded)
{
    if (recoded)
        *recoded = false;
    const bool rewrite = !recordFlag(prefs_, key::KeepImageData);
    const bool progressive = !recordFlag(prefs_, key::Baseline);
    const bool exif = recordFlag(prefs_, key::RemoveEXIF);
    const bool iptc = recordFlag(prefs_, key::RemoveITPC);
    const bool icc = recordFlag(prefs_, key::RemoveICC);
    const bool comment = recordFlag(prefs_, key::RemoveComment);
    const bool others = recordFlag(prefs_, key::RemoveOthers);
    const bool gainMap = recordFlag(prefs_, key::RemoveGainMap);
    const QString target = targetPath.isEmpty() ? temporaryFileFor(source) : targetPath;
    if (!(exif || iptc || icc || comment || others || gainMap)) {
        // Nothing to remove: the source itself, or its image data rewritten smaller.
        if (!rewrite)
            return source;
        QFile file(source);
        const QByteArray whole = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const auto smaller =
            whole.isEmpty() ? std::nullopt : losslesslySmaller(whole, progressive, source);
        if (!smaller || !writeAtomically(target, *smaller))
            return source;
        if (recoded)
            *recoded = true;
        return target;
    }

    // Without its EXIF a turned photo would show turned: its image data are turned
    // upright without loss when the block grid allows it; otherwise the EXIF is replaced
    // by one that holds the orientation alone, so no pixel is lost either way.
    int orientation = 1;
    QString app1Payload = kDevNull;
    bool turnAfter = false;
    if (exif) {
        QString why;
        bool notStarted = false;
        const auto app1 = runAndRead(
            rdjpgcom_, {QStringLiteral("-raw"), QStringLiteral("APP1"), source}, &why, &notStarted);
        if (!app1) {
            fail(reason, notStarted ? toolsCannotStart() : unreadableFileReason(source),
                 QStringLiteral("Could not read the markers of %1: %2").arg(source, why));
            return std::nullopt;
        }
        orientation = exifOrientation(bytesOf(*app1));
        if (orientation != 1) {
            QFile file(source);
            const QByteArray whole = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            turnAfter = canTurnUprightLosslessly(bytesOf(whole), orientation);
            if (!turnAfter) {
                app1Payload = QDir(tmp_).filePath(QStringLiteral("APP1"));
                const auto minimal = orientationOnlyApp1(orientation);
                if (!writeAtomically(app1Payload,
                                     QByteArray(reinterpret_cast<const char*>(minimal.data()),
                                                qsizetype(minimal.size())))) {
                    fail(reason,
                         QCoreApplication::translate("MetadataTransfer",
                                                     "The temporary folder cannot be written."),
                         QStringLiteral("Could not write %1").arg(app1Payload));
                    return std::nullopt;
                }
            }
        }
    }

    // A kind the source does not have needs no stage: each process costs milliseconds,
    // and each stage copies the whole file once more.
    const auto present = headerMarkers(source);
    const auto has = [&](const char* kind) {
        return !present || present->contains(markerOf(QString::fromLatin1(kind)));
    };
    QStringList stages;
    if (exif && (app1Payload != kDevNull || has("APP1")))
        stages << QStringLiteral("APP1");
    if (iptc && has("APP13"))
        stages << QStringLiteral("APP13");
    if (icc && has("APP2"))
        stages << QStringLiteral("APP2");
    if (comment && has("cfile"))
        stages << QStringLiteral("cfile");
    if (others)
        for (const char* m : {"APP0", "APP3", "APP12", "APP14"})
            if (has(m))
                stages << QString::fromLatin1(m);
    std::optional<QByteArray> bytes;
    QString failure;
    bool notStarted = false;
    if (stages.isEmpty()) {
        QFile file(source);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        else
            failure = QStringLiteral("cannot read %1").arg(source);
    } else {
        ProcessChain chain;
        chain.readFromFile(source);
        for (const QString& stage : stages)
            writeStage(stage, stage == QLatin1String("APP1") ? app1Payload : kDevNull, chain);
        bytes = chain.finish();
        failure = chain.failure();
        notStarted = chain.startFailed();
    }
    if (!bytes || !isCompleteJpeg(*bytes)) {
        fail(reason,
             notStarted ? toolsCannotStart()
                        : QCoreApplication::translate("MetadataTransfer",
                                                      "The file is not a complete JPEG image."),
             QStringLiteral("Could not remove the metadata of %1: %2")
                 .arg(source, bytes ? QStringLiteral("incomplete result") : failure));
        return std::nullopt;
    }
    const bool indexed = !present || present->contains(markers::kAPP2);
    if (!stages.isEmpty() && indexed) {
        // The images a Multi-Picture index lists (an HDR gain map) follow the primary: the
        // removed segments moved them, so the index is written anew.
        QFile file(source);
        const QByteArray whole = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (const auto reindexed = markers::reindexStoredImages(bytesOf(whole), bytesOf(*bytes)))
            bytes = toByteArray(*reindexed);
    }
    const QString incomplete =
        QCoreApplication::translate("MetadataTransfer", "The file is not a complete JPEG image.");
    if (indexed) {
        const auto found = markers::findGainMap(bytesOf(*bytes));
        if (gainMapFate(found, prefs_, source) == GainMapFate::Remove) {
            const auto without = markers::withoutGainMap(*found);
            if (!without) {
                fail(reason, incomplete,
                     QStringLiteral("Could not remove the gain map of %1").arg(source));
                return std::nullopt;
            }
            bytes = toByteArray(*without);
        }
    }
    if (turnAfter) {
        std::string why;
        std::optional<QByteArray> turned;
        if (const auto found = indexed ? markers::findGainMap(bytesOf(*bytes)) : std::nullopt) {
            // The images after the primary are not part of its stream: it is turned alone,
            // and its gain map with it.
            const auto primary = [&](std::span<const uint8_t> jpeg) {
                const auto t = turnUpright(toByteArray(jpeg), orientation, why);
                return t ? std::optional(std::vector<uint8_t>(t->begin(), t->end())) : std::nullopt;
            };
            if (const auto all = turnWithGainMap(*found, orientation, primary, why))
                turned = toByteArray(*all);
        } else {
            turned = turnUpright(*bytes, orientation, why);
        }
        if (!turned) {
            fail(reason,
                 QCoreApplication::translate("MetadataTransfer",
                                             "The image cannot be turned upright without loss."),
                 QStringLiteral("Could not turn %1 upright: %2")
                     .arg(source, QString::fromStdString(why)));
            return std::nullopt;
        }
        bytes = std::move(turned);
    }
    if (rewrite) {
        if (auto smaller = losslesslySmaller(*bytes, progressive, source)) {
            bytes = std::move(smaller);
            if (recoded)
                *recoded = true;
        }
    }
    if (!writeAtomically(target, *bytes)) {
        fail(reason,
             QCoreApplication::translate("MetadataTransfer",
                                         "The temporary folder cannot be written."),
             QStringLiteral("Could not write %1").arg(target));
        return std::nullopt;
    }
    return target;
}

KeptMarkers MetadataTransfer::readKeptMarkers(const QString& source)
{
    KeptMarkers kept;
    const auto keep = [&](const QString& flag, std::initializer_list<const char*> kinds) {
        if (!recordFlag(prefs_, flag))
            for (const char* kind : kinds)
                kept.names << QString::fromLatin1(kind);
    };
    keep(key::RemoveEXIF, {"APP1"});
    keep(key::RemoveITPC, {"APP13"});
    keep(key::RemoveICC, {"APP2"});
    keep(key::RemoveComment, {"cfile"});
    keep(key::RemoveOthers, {"APP3", "APP12", "APP14"});

    // A kind the source does not have needs no reader: its payload is empty. Every
    // reader starts before the first is read, so that their start-up costs overlap.
    const auto present = headerMarkers(source);
    std::vector<ProcessChain> readers(size_t(kept.names.size()));
    for (qsizetype i = 0; i < kept.names.size(); ++i) {
        kept.payloads << QString();
        if (present && !present->contains(markerOf(kept.names[i])))
            continue;
        const bool comment = kept.names[i] == QLatin1String("cfile");
        readers[size_t(i)].append(
            rdjpgcom_, comment ? QStringList{source}
                               : QStringList{QStringLiteral("-raw"), kept.names[i], source});
        kept.payloads[i] = QDir(tmp_).filePath(kept.names[i]);
    }
    for (qsizetype i = 0; i < kept.names.size(); ++i) {
        if (kept.payloads[i].isEmpty())
            continue;
        ProcessChain& reader = readers[size_t(i)];
        const auto content = reader.finish();
        kept.toolsNotStarted = kept.toolsNotStarted || reader.startFailed();
        if (!content && kept.failure.isEmpty())
            kept.failure = reader.failure();
        else if (content && !writeAtomically(kept.payloads[i], *content) && kept.failure.isEmpty())
            kept.failure = QStringLiteral("cannot write %1").arg(kept.payloads[i]);
    }
    if (kept.failure.isEmpty()) {
        auto writer = std::make_shared<KeptMarkers::Writer>();
        for (qsizetype i = 0; i < kept.names.size(); ++i)
            if (!kept.payloads[i].isEmpty())
                writer->stages << i;
        if (!writer->stages.isEmpty()) {
            writer->input = writer->chain.readFromPipe();
            for (const qsizetype i : writer->stages)
                writeStage(kept.names[i], kept.payloads[i], writer->chain);
            if (writer->chain.startFailed()) {
                kept.failure = writer->chain.failure();
                kept.toolsNotStarted = true;
            } else {
                kept.writer = std::move(writer);
            }
        }
    }
    return kept;
}

bool MetadataTransfer::writeKeptMarkers(const KeptMarkers& kept, const QString& source,
                                        const QString& newJpeg, QString* reason)
{
    if (!kept.failure.isEmpty())
        return fail(
            reason,
            kept.toolsNotStarted
                ? toolsCannotStart()
                : QCoreApplication::translate("MetadataTransfer",
                                              "The metadata of the original cannot be read."),
            QStringLiteral("Could not copy the metadata of %1: %2").arg(source, kept.failure));
    // A stage that would write nothing into a stream without that kind changes nothing.
    const auto inNew = headerMarkers(newJpeg);
    QList<qsizetype> stages;
    for (qsizetype i = 0; i < kept.names.size(); ++i)
        if (!kept.payloads[i].isEmpty() || !inNew || inNew->contains(markerOf(kept.names[i])))
            stages << i;
    if (stages.isEmpty())
        return true;
    std::optional<QByteArray> bytes;
    QString failure;
    bool notStarted = false;
    if (kept.writer && kept.writer->stages == stages && kept.writer->input >= 0) {
        QFile file(newJpeg);
        const QByteArray input = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const int pipe = std::exchange(kept.writer->input, -1);
        bytes = kept.writer->chain.finish(pipe, input);
        failure = kept.writer->chain.failure();
    } else {
        // Each process costs milliseconds to start: the first stage reads the file itself.
        ProcessChain chain;
        chain.readFromFile(newJpeg);
        for (const qsizetype i : stages)
            writeStage(kept.names[i], kept.payloads[i].isEmpty() ? kDevNull : kept.payloads[i],
                       chain);
        bytes = chain.finish();
        failure = chain.failure();
        notStarted = chain.startFailed();
    }
    if (!bytes || !isCompleteJpeg(*bytes))
        return fail(reason,
                    notStarted
                        ? toolsCannotStart()
                        : QCoreApplication::translate(
                              "MetadataTransfer", "The new image is not a complete JPEG image."),
                    QStringLiteral("Could not copy the metadata into %1: %2")
                        .arg(newJpeg, bytes ? QStringLiteral("incomplete result") : failure));
    if (!writeAtomically(newJpeg, *bytes))
        return fail(reason,
                    QCoreApplication::translate("MetadataTransfer",
                                                "The temporary folder cannot be written."),
                    QStringLiteral("Could not write %1").arg(newJpeg));
    return true;
}

bool MetadataTransfer::addProfilesFromFile(const QString& source, const QString& newJpeg,
                                           QString* reason)
{
    return writeKeptMarkers(readKeptMarkers(source), source, newJpeg, reason);
}

QString getCOMforURL(const QString& path)
{
    const QString tool = toolPath(QStringLiteral("rdjpgcom"));
    if (tool.isEmpty())
        return {};
    const auto bytes = runAndRead(tool, {QFileInfo(path).absoluteFilePath()});
    if (!bytes)
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(*bytes);
    if (utf8.hasError())
        return {};
    return text.trimmed();
}

} // namespace brelin
