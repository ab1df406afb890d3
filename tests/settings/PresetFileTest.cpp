// SPDX-License-Identifier: GPL-3.0-or-later
// The preset file: written as XML that other property-list tools read with the right
// types, read in any format, and never lost when it cannot be read.
#include "settings/PresetFile.h"
#include "platform/BRLog.h"
#include "settings/SettingsRecord.h"
#include "support/JpegFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brelin;
using namespace brelin::test;

namespace {

QVariantMap record(int quality, const QString& suffix)
{
    return {{key::HasSuffix, 1},
            {key::Recompress, 1},
            {key::Quality, quality},
            {key::MaxSize, 300 * 1024 + quality},
            {key::AllowHigherQuality, quality == 65 ? 1 : 0},
            {key::Baseline, 1},
            {key::KeepImageData, quality == 100 ? 1 : 0},
            {key::RemoveEXIF, 0},
            {key::RemoveICC, 1},
            {key::RemoveITPC, 0},
            {key::RemoveComment, 1},
            {key::RemoveOthers, 0},
            {key::ScalingFactor, 0.25},
            {key::ScalingFixedType, 3},
            {key::ScalingType, 2},
            {key::ScalingFixedValue, 1920},
            {key::KeepIcon, -1},
            {key::Suffix, suffix},
            {key::Path, QStringLiteral("/srv/out")},
            {key::CustomPath, 0},
            {key::RemoveGainMap, 1},
            {key::KeepFolders, 1}};
}

const PresetList kPresets = {
    {QStringLiteral("web 1920"), record(80, QStringLiteral("-web"))},
    {QString::fromUtf8("mail 800 — été"), record(65, QString::fromUtf8("-é"))},
    {QStringLiteral("strip GPS"), record(100, QString())},
};

class PresetFileTest : public ::testing::Test
{
protected:
    QString path() const { return dir.filePath(QStringLiteral("Presets.plist")); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PresetFileTest, XmlRoundTripWithTheRecordTypes)
{
    PresetFile file(path());
    ASSERT_TRUE(file.save(kPresets));
    EXPECT_TRUE(readBytes(path()).startsWith("<?xml"));
    PresetFile again(path());
    const PresetList loaded = again.load();
    ASSERT_EQ(loaded, kPresets);
    EXPECT_EQ(loaded[0].prefs.value(key::ScalingFactor).typeId(), QMetaType::Double);
    EXPECT_EQ(loaded[0].prefs.value(key::Suffix).typeId(), QMetaType::QString);
    EXPECT_EQ(loaded[0].prefs.value(key::KeepIcon), -1) << "negative integers survive";
}

TEST_F(PresetFileTest, OtherToolsReadWhatBrelinWrites)
{
    ASSERT_TRUE(PresetFile(path()).save(kPresets));
    // Python's plistlib: every value's type as the record has it.
    const QString script = QStringLiteral("import plistlib,sys\n"
                                          "d=plistlib.load(open(sys.argv[1],'rb'))\n"
                                          "for p in d:\n"
                                          "  for k,v in p['Prefs'].items():\n"
                                          "    print(p['Name'],k,type(v).__name__)\n");
    const RunResult py = run(QStringLiteral("python3"), {QStringLiteral("-c"), script, path()});
    ASSERT_EQ(py.status, 0) << py.err.toStdString();
    const QStringList lines =
        QString::fromUtf8(py.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 3 * settingsKeys().size());
    for (const QString& line : lines) {
        const QString type = line.section(QLatin1Char(' '), -1);
        const QString k = line.section(QLatin1Char(' '), -2, -2);
        const QString want = k == key::ScalingFactor                ? QStringLiteral("float")
                             : (k == key::Suffix || k == key::Path) ? QStringLiteral("str")
                                                                    : QStringLiteral("int");
        EXPECT_EQ(type, want) << line.toStdString();
    }
    // plistutil turns it into a binary plist, which Brelin reads back.
    const QString binary = dir.filePath(QStringLiteral("binary.plist"));
    const RunResult conv =
        run(QStringLiteral("plistutil"), {QStringLiteral("-i"), path(), QStringLiteral("-o"),
                                          binary, QStringLiteral("-f"), QStringLiteral("bin")});
    ASSERT_EQ(conv.status, 0) << conv.err.toStdString();
    ASSERT_TRUE(readBytes(binary).startsWith("bplist00"));
    EXPECT_EQ(PresetFile(binary).load(), kPresets);
}

TEST_F(PresetFileTest, BrelinReadsWhatPlistlibWrites)
{
    const QString script = QStringLiteral(
        "import plistlib,sys\n"
        "p=[{'Name':'bin','Prefs':{'Quality':55,'ScalingFactor':0.5,'Suffix':'-s','HasSuffix':True}"
        "},\n"
        "   {'Name':'no prefs'}, 'a string', {'Name':7,'Prefs':{}}, {'Name':'second','Prefs':{}}]\n"
        "plistlib.dump(p,open(sys.argv[1],'wb'),fmt=plistlib.FMT_BINARY)\n");
    ASSERT_EQ(run(QStringLiteral("python3"), {QStringLiteral("-c"), script, path()}).status, 0);
    const PresetList loaded = PresetFile(path()).load();
    ASSERT_EQ(loaded.size(), 2) << "elements that are not presets are skipped";
    EXPECT_EQ(loaded[0].name, QStringLiteral("bin"));
    EXPECT_EQ(loaded[0].prefs.value(key::Quality), 55);
    EXPECT_EQ(loaded[0].prefs.value(key::ScalingFactor), 0.5);
    EXPECT_EQ(loaded[0].prefs.value(key::HasSuffix), 1);
    EXPECT_EQ(loaded[1].name, QStringLiteral("second"));
}

TEST_F(PresetFileTest, BadFilesGiveAnEmptyListAndAreKeptOnTheFirstSave)
{
    const QByteArray entry = "<dict><key>Name</key><string>x</string></dict>";
    const QByteArray big = "<?xml version=\"1.0\"?><plist version=\"1.0\"><array>" +
                           entry.repeated(50 * 1024 * 1024 / entry.size() + 1);
    const QByteArray good = presetsToXmlPlist(kPresets);
    struct Case
    {
        const char* what;
        QByteArray bytes;
        qsizetype presets; // -1: not checked
        bool readable;
    };
    const Case cases[] = {
        {"empty", QByteArray(), 0, false},
        {"truncated", good.left(good.size() / 2), 0, false},
        {"a dictionary at the root",
         "<?xml version=\"1.0\"?><plist "
         "version=\"1.0\"><dict><key>Name</key><string>x</string></dict></plist>",
         0, false},
        {"text", "these are my presets", 0, false},
        {"50 MB of presets without Prefs", big + "</array></plist>", 0, true},
        {"a name that is not UTF-8",
         "<?xml version=\"1.0\"?><plist "
         "version=\"1.0\"><array><dict><key>Name</key><string>caf\xE9</string>"
         "<key>Prefs</key><dict/></dict></array></plist>",
         -1, true},
    };
    for (const Case& c : cases) {
        writeBytes(path(), c.bytes);
        QFile::remove(path() + QStringLiteral(".unreadable"));
        std::vector<std::string> log;
        auto previous = setLogObserver([&](std::string_view line) { log.emplace_back(line); });
        PresetFile file(path());
        const PresetList loaded = file.load();
        if (c.presets >= 0) {
            EXPECT_EQ(loaded.size(), c.presets) << c.what;
        }
        const bool readable = c.readable;
        ASSERT_TRUE(file.save(kPresets)) << c.what;
        setLogObserver(std::move(previous));
        EXPECT_EQ(PresetFile(path()).load(), kPresets) << c.what;
        if (!readable) {
            EXPECT_EQ(readBytes(path() + QStringLiteral(".unreadable")), c.bytes) << c.what;
            ASSERT_EQ(log.size(), 1u) << c.what;
            EXPECT_NE(log[0].find("Presets.plist.unreadable"), std::string::npos) << c.what;
        }
        // Only the first save after an unreadable load keeps a copy.
        ASSERT_TRUE(file.save({}));
        EXPECT_EQ(readBytes(path() + QStringLiteral(".unreadable")),
                  readable ? QByteArray() : c.bytes)
            << c.what;
    }
}

TEST_F(PresetFileTest, AFailedWriteIsLogged)
{
    std::vector<std::string> log;
    auto previous = setLogObserver([&](std::string_view line) { log.emplace_back(line); });
    PresetFile file(dir.filePath(QStringLiteral("no/such/folder/Presets.plist")));
    EXPECT_FALSE(file.save(kPresets));
    setLogObserver(std::move(previous));
    EXPECT_EQ(log, std::vector<std::string>{"Unable to save file"});
}
