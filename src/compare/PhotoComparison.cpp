// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/PhotoComparison.h"

#include "filelist/BRFileURL.h"
#include "platform/ByteSpan.h"
#include "platform/ExifOrientation.h"
#include "platform/JpegCodec.h"
#include "processing/BRProcessor.h"
#include "processing/JpegReencoder.h"
#include "processing/ScaledImageCache.h"
#include "scaling/BRLanczosScaleTransform.h"
#include "scaling/Orientation.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <thread>

namespace brelin {
namespace {

// A run that shows nothing and asks nothing: the view shows what it would write, also
// over an existing file.
class QuietWindows : public ProcessWindows
{
public:
    ReplaceAnswer askReplace(const QString&) override { return {true, true}; }
    void showProgress(int, std::function<void()>) override {}
    void setProgress(int, int, const QString&) override {}
    void closeProgress() override {}
    void showUnprocessed(const QList<UnprocessedFile>&) override {}
    void runDidEnd(const RunSummary&) override {}
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<Bitmap> decodedUpright(std::span<const uint8_t> jpeg, int shrink)
{
    JpegError error;
    auto decoded = decodeJpeg(jpeg, shrink, error);
    if (!decoded)
        return std::nullopt;
    const int orientation = jpegOrientation(jpeg);
    if (orientation == 1)
        return std::move(decoded->bitmap);
    return turnUpright(decoded->bitmap, orientation);
}

QString pixelSizeText(QSize size)
{
    return QStringLiteral("%1 \u00d7 %2").arg(size.width()).arg(size.height());
}

// The result's size, upright, as the settings plan it; invalid when the photo cannot be
// read.
QSize plannedSize(const QString& source, const QVariantMap& prefs)
{
    JpegReencoder plan(prefs, QString());
    if (!plan.load(source))
        return {};
    const GainMapJob job = plan.gainMapJob(1.0f);
    QSize size = recordFlag(prefs, key::Recompress) ? QSize(job.width, job.height)
                                                    : QSize(job.sourceWidth, job.sourceHeight);
    if (swapsSides(jpegOrientation(bytesOf(plan.sourceBytes()))))
        size.transpose();
    return size.isEmpty() ? QSize() : size;
}

} // namespace

QString originalCaption(const Comparison& c)
{
    QString text = QCoreApplication::translate("PhotoComparison", "Original");
    if (c.originalSize.isValid())
        text += QStringLiteral(" \u00b7 ") + pixelSizeText(c.originalSize);
    return text + QStringLiteral(" \u00b7 ") +
           QLocale().formattedDataSize(c.originalBytes, 1, QLocale::DataSizeSIFormat);
}

QString resultCaption(const Comparison& c)
{
    const FileOutcome& o = c.outcome;
    const QString result = QCoreApplication::translate("PhotoComparison", "Result");
    if (!o.processed())
        return QCoreApplication::translate("PhotoComparison", "Result: not made");
    QString text = result;
    if (o.pixelSize.isValid())
        text += QStringLiteral(" \u00b7 ") + pixelSizeText(o.pixelSize);
    text += QStringLiteral(" \u00b7 ") + sizeAfterText(o.bytesBefore, o.bytesAfter);
    QString how = outcomeHow(o);
    if (how.isEmpty() && o.kind == FileOutcome::Kind::Encoded)
        how = QCoreApplication::translate("PhotoComparison", "quality %1").arg(o.quality);
    if (how.isEmpty() && o.kind == FileOutcome::Kind::Copied)
        how = QCoreApplication::translate("FileOutcome", "kept its image data");
    return how.isEmpty() ? text : text + QStringLiteral(" \u00b7 ") + how;
}

PhotoComparer::PhotoComparer() : scaled_(std::make_shared<ScaledImageCache>()) {}

PhotoComparer::~PhotoComparer() = default;

void PhotoComparer::setToolPaths(const QString& rdjpgcom, const QString& wrjpgcom)
{
    rdjpgcom_ = rdjpgcom;
    wrjpgcom_ = wrjpgcom;
}

std::optional<Comparison> PhotoComparer::compare(const QString& source, const QVariantMap& prefs,
                                                 const std::atomic<bool>* abandon)
{
    const auto abandoned = [&] { return abandon && abandon->load(); };
    Comparison made;
    made.source = source;
    made.prefs = prefs;
    made.originalBytes = QFileInfo(source).size();
    // The original is made at the size the settings plan for the result while the result
    // is made, on the other core; a result of another size has it made again below.
    const QSize planned = plannedSize(source, prefs);
    std::shared_ptr<const Bitmap> early;
    std::thread originalMaker;
    if (planned.isValid())
        originalMaker =
            std::thread([&] { early = originalAt(source, planned, made.originalSize, abandon); });
    {
        QuietWindows windows;
        BRProcessor run(nullptr, windows, {BRFileURL::makeWithPath(source)}, prefs);
        if (!rdjpgcom_.isEmpty())
            run.setToolPaths(rdjpgcom_, wrjpgcom_);
        run.setDryRun(true);
        run.setKeepsResults(true);
        run.setScaledImageCache(scaled_);
        run.setAbandonFlag(abandon);
        run.startProcess();
        if (originalMaker.joinable())
            originalMaker.join();
        if (run.outcomes().empty())
            return std::nullopt;
        made.outcome = run.outcomes().front();
    }
    if (abandoned())
        return std::nullopt;
    if (made.outcome.processed())
        if (auto pixels = decodedUpright(bytesOf(made.outcome.result), 1))
            made.result = std::make_shared<const Bitmap>(std::move(*pixels));
    if (abandoned())
        return std::nullopt;
    const QSize size = made.result ? QSize(made.result->width, made.result->height) : QSize();
    made.original = early && size.isValid() && QSize(early->width, early->height) == size
                        ? early
                        : originalAt(source, size, made.originalSize, abandon);
    if (abandoned())
        return std::nullopt;
    return made;
}

std::shared_ptr<const Bitmap> PhotoComparer::originalAt(const QString& source, QSize size,
                                                        QSize& fullSize,
                                                        const std::atomic<bool>* abandon)
{
    const auto abandoned = [&] { return abandon && abandon->load(); };
    const QFileInfo file(source);
    const QString photo = file.absoluteFilePath() + QChar(u'\n') + QString::number(file.size()) +
                          QChar(u'\n') + QString::number(file.lastModified().toMSecsSinceEpoch());
    const QByteArray jpeg = readAll(source);
    JpegError error;
    const auto info = readJpegInfo(bytesOf(jpeg), error);
    if (!info) {
        decoded_.reset();
        decodedKey_.clear();
        return nullptr;
    }
    const bool swap = swapsSides(jpegOrientation(bytesOf(jpeg)));
    const int fullW = swap ? info->height : info->width;
    const int fullH = swap ? info->width : info->height;
    fullSize = QSize(fullW, fullH);
    if (!size.isValid())
        size = QSize(fullW, fullH); // no result: the original at its own size
    // Reduced in the DCT domain while that leaves twice the pixels Lanczos makes, as a
    // run reduces it.
    int shrink = 1;
    for (int d : {8, 4, 2})
        if ((fullW + d - 1) / d >= 2 * size.width() && (fullH + d - 1) / d >= 2 * size.height()) {
            shrink = d;
            break;
        }
    const QString key = photo + QChar(u'\n') + QString::number(shrink);
    if (abandoned())
        return nullptr;
    if (key != decodedKey_ || !decoded_) {
        decoded_.reset();
        auto upright = decodedUpright(bytesOf(jpeg), shrink);
        if (!upright) {
            decodedKey_.clear();
            return nullptr;
        }
        decoded_ = std::make_shared<const Bitmap>(std::move(*upright));
        decodedKey_ = key;
    }
    const Bitmap& in = *decoded_;
    if (in.width == size.width() && in.height == size.height())
        return decoded_;
    const QString sized = key + QStringLiteral("\n%1x%2").arg(size.width()).arg(size.height());
    if (sized == resizedKey_ && resized_)
        return resized_;
    if (abandoned())
        return nullptr;
    resized_.reset();
    resizedKey_.clear();
    auto out = BRLanczosScaleTransform::resize(in, size.width(), size.height(),
                                               double(size.width()) / in.width,
                                               double(size.height()) / in.height);
    if (!out)
        return nullptr;
    resized_ = std::make_shared<const Bitmap>(std::move(*out));
    resizedKey_ = sized;
    return resized_;
}

} // namespace brelin
