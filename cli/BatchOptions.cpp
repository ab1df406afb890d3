// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchOptions.h"

#include "settings/PresetFile.h"
#include "settings/SettingsRecord.h"

#include <QFile>
#include <QFileInfo>

#include <QRegularExpression>

#include <cmath>
#include <getopt.h>
#include <limits>
#include <optional>
#include <vector>

namespace brelin {
namespace {

enum Option {
    OptPreset = 256,
    OptQuality,
    OptMaxSize,
    OptScale,
    OptFit,
    OptKeepSize,
    OptSuffix,
    OptOutput,
    OptOverwrite,
    OptRemove,
    OptLossless,
    OptIcon,
    OptAllowLarger,
    OptKeepDates,
    OptKeepFolders,
    OptBaseline,
    OptKeepImageData,
    OptAllowHigherQuality,
    OptVerbose,
    OptDryRun,
    OptHelp,
    OptVersion,
};

const option kOptions[] = {
    {"preset", required_argument, nullptr, OptPreset},
    {"quality", required_argument, nullptr, OptQuality},
    {"max-size", required_argument, nullptr, OptMaxSize},
    {"scale", required_argument, nullptr, OptScale},
    {"fit", required_argument, nullptr, OptFit},
    {"keep-size", no_argument, nullptr, OptKeepSize},
    {"suffix", required_argument, nullptr, OptSuffix},
    {"output", required_argument, nullptr, OptOutput},
    {"overwrite", no_argument, nullptr, OptOverwrite},
    {"remove", required_argument, nullptr, OptRemove},
    {"lossless", no_argument, nullptr, OptLossless},
    {"icon", required_argument, nullptr, OptIcon},
    {"yes", no_argument, nullptr, 'y'},
    {"no", no_argument, nullptr, 'n'},
    {"allow-larger", no_argument, nullptr, OptAllowLarger},
    {"keep-dates", no_argument, nullptr, OptKeepDates},
    {"jobs", required_argument, nullptr, 'j'},
    {"keep-folders", no_argument, nullptr, OptKeepFolders},
    {"baseline", no_argument, nullptr, OptBaseline},
    {"keep-image-data", no_argument, nullptr, OptKeepImageData},
    {"allow-higher-quality", no_argument, nullptr, OptAllowHigherQuality},
    {"dry-run", no_argument, nullptr, OptDryRun},
    {"verbose", no_argument, nullptr, OptVerbose},
    {"help", no_argument, nullptr, OptHelp},
    {"version", no_argument, nullptr, OptVersion},
    {nullptr, 0, nullptr, 0},
};

struct Raw
{
    std::optional<QString> preset, quality, maxSize, scale, fit, suffix, output, remove, icon;
    bool keepSize = false, overwrite = false, lossless = false, keepFolders = false;
    bool baseline = false, keepImageData = false, allowHigherQuality = false;
};

BatchOptions failure(const QString& message)
{
    BatchOptions o;
    o.action = BatchOptions::Action::Error;
    o.error = message;
    return o;
}

// "300000", "200k", "1.5M" (k and M of 1024, as the file list counts): bytes, or none.
std::optional<qint64> sizeInBytes(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+(?:\\.\\d+)?)([kKmM]?)(?:i?B)?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString unit = m.captured(2).toLower();
    const double scale = unit == QLatin1String("k")   ? 1024.0
                         : unit == QLatin1String("m") ? 1048576.0
                                                      : 1.0;
    const double bytes = std::floor(m.captured(1).toDouble() * scale);
    if (!(bytes <= double(std::numeric_limits<int>::max())))
        return std::nullopt;
    return qint64(bytes);
}

QString invalid(const char* option, const QString& value, const QString& expected)
{
    return QStringLiteral("invalid argument '%1' for '--%2': %3")
        .arg(value, QLatin1String(option), expected);
}

// The record's destination and scaling as the options say; an error text or "".
QString apply(const Raw& raw, QVariantMap& prefs)
{
    if (raw.lossless && (raw.scale || raw.fit || raw.quality || raw.keepSize))
        return QStringLiteral("'--lossless' cannot be combined with '--scale', '--fit', "
                              "'--keep-size' or '--quality'");
    if (int(bool(raw.scale)) + int(bool(raw.fit)) + int(raw.keepSize) > 1)
        return QStringLiteral("give only one of '--scale', '--fit' and '--keep-size'");
    if (raw.keepFolders && !raw.output)
        return QStringLiteral("'--keep-folders' needs '--output'");
    if (raw.overwrite && (raw.output || raw.suffix))
        return QStringLiteral("'--overwrite' cannot be combined with '--output' or '--suffix'");

    if (raw.quality) {
        bool ok = false;
        const int q = raw.quality->toInt(&ok);
        if (!ok || q < 0 || q > 100)
            return invalid("quality", *raw.quality, QStringLiteral("a whole number from 0 to 100"));
        prefs[key::Quality] = q;
        prefs[key::Recompress] = 1;
    }
    if (raw.maxSize) {
        const auto bytes = sizeInBytes(*raw.maxSize);
        if (!bytes)
            return invalid("max-size", *raw.maxSize,
                           QStringLiteral("a size in bytes, or with k or M, such as 200k"));
        prefs[key::MaxSize] = int(*bytes);
    }
    if (raw.scale) {
        bool ok = false;
        const double f = raw.scale->toDouble(&ok);
        if (!ok || !std::isfinite(f) || f <= 0 || f > 100)
            return invalid("scale", *raw.scale, QStringLiteral("a factor above 0, such as 0.5"));
        prefs[key::ScalingType] = int(ScaleByFactor);
        prefs[key::ScalingFactor] = f;
    }
    if (raw.fit) {
        static const QStringList kinds{QStringLiteral("width"),     QStringLiteral("height"),
                                       QStringLiteral("shorter"),   QStringLiteral("longer"),
                                       QStringLiteral("max-width"), QStringLiteral("max-height"),
                                       QStringLiteral("max")};
        const QStringList parts = raw.fit->split(QLatin1Char(':'));
        bool ok = false;
        const int pixels = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
        const qsizetype kind = parts.size() == 2 ? kinds.indexOf(parts[0]) : -1;
        if (kind < 0 || !ok || pixels < 1)
            return invalid("fit", *raw.fit,
                           QStringLiteral("SIDE:PIXELS, SIDE one of ") +
                               kinds.join(QStringLiteral(", ")));
        prefs[key::ScalingType] = int(ScaleToLength);
        prefs[key::ScalingFixedType] = int(kind);
        prefs[key::ScalingFixedValue] = pixels;
    }
    if (raw.keepSize)
        prefs[key::ScalingType] = int(KeepSize);
    if (raw.scale || raw.fit || raw.keepSize)
        prefs[key::Recompress] = 1;
    if (raw.lossless) {
        prefs[key::Recompress] = 0;
        prefs[key::ScalingType] = int(KeepSize);
    } else if (recordInt(prefs, key::ScalingType) != KeepSize) {
        prefs[key::Recompress] = 1; // scaling always re-encodes
    }

    if (raw.remove) {
        const QList<std::pair<QString, QString>> kinds{
            {QStringLiteral("exif"), key::RemoveEXIF},
            {QStringLiteral("iptc"), key::RemoveITPC},
            {QStringLiteral("icc"), key::RemoveICC},
            {QStringLiteral("comment"), key::RemoveComment},
            {QStringLiteral("others"), key::RemoveOthers},
            {QStringLiteral("gainmap"), key::RemoveGainMap}};
        for (const auto& [name, k] : kinds)
            prefs[k] = 0;
        for (const QString& item : raw.remove->split(QLatin1Char(','))) {
            bool known = item == QLatin1String("none");
            for (const auto& [name, k] : kinds)
                if (item == name || item == QLatin1String("all")) {
                    prefs[k] = 1;
                    known = true;
                }
            if (!known)
                return invalid("remove", *raw.remove,
                               QStringLiteral("a list of exif, iptc, icc, comment, others, "
                                              "gainmap, all or none"));
        }
    }
    if (raw.icon) {
        const QStringList choices{QStringLiteral("keep"), QStringLiteral("remove"),
                                  QStringLiteral("make"), QStringLiteral("none")};
        const qsizetype code = choices.indexOf(*raw.icon);
        if (code < 0)
            return invalid("icon", *raw.icon, QStringLiteral("keep, remove, make or none"));
        prefs[key::KeepIcon] = int(code);
    }

    if (raw.suffix) {
        if (raw.suffix->contains(QLatin1Char('/')))
            return invalid("suffix", *raw.suffix, QStringLiteral("a suffix cannot hold '/'"));
        prefs[key::HasSuffix] = 1;
        prefs[key::Suffix] = *raw.suffix;
    }
    if (raw.output) {
        const QFileInfo folder(*raw.output);
        if (raw.output->isEmpty() || (folder.exists() && !folder.isDir()))
            return invalid("output", *raw.output, QStringLiteral("a folder"));
        prefs[key::CustomPath] = 1;
        prefs[key::Path] = folder.absoluteFilePath();
        if (!raw.suffix)
            prefs[key::HasSuffix] = 0; // into the folder under their own names
    }
    if (raw.keepFolders)
        prefs[key::KeepFolders] = 1;
    if (raw.baseline)
        prefs[key::Baseline] = 1;
    if (raw.keepImageData)
        prefs[key::KeepImageData] = 1;
    if (raw.allowHigherQuality)
        prefs[key::AllowHigherQuality] = 1;
    if (raw.overwrite) {
        prefs[key::HasSuffix] = 0;
        prefs[key::CustomPath] = 0;
    }
    return {};
}

} // namespace

BatchOptions parseBatchOptions(int argc, char** argv, const QString& presetsFile)
{
    // getopt's own messages start with argv[0]: the program's name, not its path.
    std::vector<char*> args(argv, argv + argc);
    char name[] = "brelin-batch";
    args[0] = name;
    optind = 0; // a fresh scan, also when called again
    Raw raw;
    BatchOptions result;
    for (;;) {
        const int c = getopt_long(argc, args.data(), "+ynj:", kOptions, nullptr);
        if (c == -1)
            break;
        const QString value = optarg ? QString::fromLocal8Bit(optarg) : QString();
        switch (c) {
        case OptPreset:
            raw.preset = value;
            break;
        case OptQuality:
            raw.quality = value;
            break;
        case OptMaxSize:
            raw.maxSize = value;
            break;
        case OptScale:
            raw.scale = value;
            break;
        case OptFit:
            raw.fit = value;
            break;
        case OptKeepSize:
            raw.keepSize = true;
            break;
        case OptSuffix:
            raw.suffix = value;
            break;
        case OptOutput:
            raw.output = value;
            break;
        case OptOverwrite:
            raw.overwrite = true;
            break;
        case OptRemove:
            raw.remove = value;
            break;
        case OptLossless:
            raw.lossless = true;
            break;
        case OptIcon:
            raw.icon = value;
            break;
        case 'y':
            result.answer = BatchOptions::Answer::Yes;
            break;
        case 'n':
            result.answer = BatchOptions::Answer::No;
            break;
        case OptAllowLarger:
            result.allowLarger = true;
            break;
        case OptKeepDates:
            result.keepDates = true;
            break;
        case OptDryRun:
            result.dryRun = true;
            break;
        case OptKeepFolders:
            raw.keepFolders = true;
            break;
        case OptBaseline:
            raw.baseline = true;
            break;
        case OptKeepImageData:
            raw.keepImageData = true;
            break;
        case OptAllowHigherQuality:
            raw.allowHigherQuality = true;
            break;
        case 'j': {
            bool ok = false;
            result.jobs = value.toInt(&ok);
            if (!ok || result.jobs < 1 || result.jobs > 256)
                return failure(
                    invalid("jobs", value, QStringLiteral("a whole number from 1 to 256")));
            break;
        }
        case OptVerbose:
            result.verbose = true;
            break;
        case OptHelp:
            result.action = BatchOptions::Action::Help;
            return result;
        case OptVersion:
            result.action = BatchOptions::Action::Version;
            return result;
        default:
            return failure(QString()); // getopt has said what is wrong
        }
    }
    for (int i = optind; i < argc; ++i)
        result.paths.append(QString::fromLocal8Bit(argv[i]));

    result.prefs = initialRecord();
    if (raw.preset) {
        PresetFile file(presetsFile);
        const PresetList presets = file.exists() ? file.load() : PresetList{};
        const Preset* preset = presetWithName(presets, *raw.preset);
        if (!preset)
            return failure(
                QStringLiteral("no preset named '%1' in %2").arg(*raw.preset, presetsFile));
        for (auto it = preset->prefs.begin(); it != preset->prefs.end(); ++it)
            result.prefs[it.key()] = it.value();
    }
    const QString error = apply(raw, result.prefs);
    if (!error.isEmpty())
        return failure(error);
    if (result.paths.isEmpty())
        return failure(QStringLiteral("no files or folders given"));
    result.overwrite = raw.overwrite;
    return result;
}

QString batchUsage()
{
    return QStringLiteral(
        "Usage: brelin-batch [OPTION]... FILE|FOLDER...\n"
        "Makes JPEG images smaller: scales them with Lanczos, encodes them anew and keeps or\n"
        "removes their metadata. Folders are walked to any depth for .jpg and .jpeg files.\n"
        "Without options, an image whose longer side exceeds 1920 pixels is shrunk to 1920\n"
        "(none is enlarged), encoded at quality 80 and written beside its original with the\n"
        "suffix \"-small\". A result of the original's pixel size that would have more bytes\n"
        "than the original's own image data keeps those data instead.\n"
        "\n"
        "Settings (given with --preset, they change the preset's):\n"
        "      --preset NAME     the settings of the preset NAME of Brelin's Presets.plist\n"
        "      --quality N       JPEG quality, 0 to 100\n"
        "      --max-size SIZE   at most SIZE bytes per result (k and M of 1024, as 200k; 0:\n"
        "                        none): the quality is searched by bisection between 1 and\n"
        "                        --quality (the size does not always fall with the quality,\n"
        "                        so the bisection's answer is not always the highest quality\n"
        "                        that fits); a file that cannot be made that small is not\n"
        "                        written, unless its original data at its own size fit\n"
        "      --allow-higher-quality\n"
        "                        encode at --quality even where the original was saved at a\n"
        "                        lower quality (read from its quantisation table); without\n"
        "                        it a photo is never encoded above its own quality\n"
        "      --scale F         scale by the factor F (0.5 halves width and height)\n"
        "      --fit SIDE:PIXELS scale so that SIDE is PIXELS long; SIDE is width, height,\n"
        "                        shorter, longer, max-width, max-height or max (the longer\n"
        "                        side); the last three only shrink images that exceed PIXELS\n"
        "      --keep-size       encode anew at the image's own size\n"
        "      --lossless        keep the picture as it is; only remove metadata (its image\n"
        "                        data are rewritten losslessly where that makes them smaller)\n"
        "      --keep-image-data copy image data byte for byte, never rewritten losslessly\n"
        "      --baseline        write baseline JPEGs, which old devices read (no progressive\n"
        "                        scans)\n"
        "      --remove LIST     metadata to remove: exif, iptc, icc, comment, others\n"
        "                        (APP0, APP3, APP12, APP14), gainmap (an HDR photo's gain\n"
        "                        map), all or none, comma-separated\n"
        "      --icon WHAT       the result's custom icon: keep (the original's), remove,\n"
        "                        make (from the image) or none (left alone)\n"
        "\n"
        "Where results go:\n"
        "      --suffix S        beside the original, S put before the extension\n"
        "      --output DIR      into DIR, under the original's name unless --suffix is given\n"
        "      --keep-folders    with --output: a file found in a folder FOLDER given here goes\n"
        "                        to DIR/FOLDER's name/its path below FOLDER\n"
        "      --overwrite       over the originals themselves\n"
        "  -y, --yes             replace existing files without asking\n"
        "  -n, --no              never replace existing files\n"
        "                        (otherwise asked on a terminal, refused without one)\n"
        "\n"
        "      --allow-larger    write the re-encoded image even when the original's own image\n"
        "                        data, at the same pixel size, would take fewer bytes\n"
        "      --keep-dates      give each result its original's modification and access times\n"
        "  -j, --jobs N          work on up to N files at once (default: one per processor\n"
        "                        this program may run on); all questions are asked first\n"
        "      --dry-run         make every result as a run would, then throw it away: one\n"
        "                        line per file with its size before and after, or why it\n"
        "                        failed, and what it would replace; nothing is written, and\n"
        "                        nothing asked (existing files count as replaced unless -n)\n"
        "\n"
        "      --verbose         also show the log lines, the marker tools' messages\n"
        "                        included, on standard error\n"
        "      --help            show this help and exit\n"
        "      --version         show the version and exit\n"
        "\n"
        "Exit status: 0 when every file was processed, 1 when some were not, 2 for bad\n"
        "options.\n");
}

} // namespace brelin
