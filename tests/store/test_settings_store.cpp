// The settings store against real files in a temporary folder: names that
// differ only in letter case, defaults, deleting a section, values that must
// come back exactly, hand-edited and damaged files (the corpus of broken
// settings files among them), and files or folders that cannot be written.
//
// Reads are checked three ways: through the store that wrote, through a new
// store object on the same folder, and through a store on a copy of the
// folder. The copy lives under another path, so its file is parsed afresh
// instead of being served from what the process already holds in memory.

#include "as_ordinary_user.h"
#include "store_files.h"

#include "store/conversions.h"
#include "store/entries.h"
#include "store/settings_store.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <QElapsedTimer>
#include <QLockFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <iterator>
#include <random>

namespace {

const QString kApp = QStringLiteral("TaviqGame");
const QString kNone = QStringLiteral("<none>");

// A text fit for a failure message: control characters as "?", cut short.
QString shown(const QString &text)
{
    QString result = text.left(80);
    for (QChar &c : result) {
        if (c.unicode() < 32)
            c = u'?';
    }
    return result;
}

// --- Broken settings files made on the spot ---------------------------------

// Random bytes from a fixed seed, every byte value possible and NUL bytes
// guaranteed.
QByteArray randomBytes(unsigned seed, int size)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = i % 61 == 0 ? '\0' : static_cast<char>(byte(generator));
    return bytes;
}

// Random bytes biased towards what an INI reader reacts to: brackets,
// equals signs, line ends, quotes, escapes, commas, and NUL bytes, mixed with
// the names the game uses.
QByteArray randomIniLikeBytes(unsigned seed, int size)
{
    static const QByteArray specials("[]=\n\r\"\\;#%@,/ \t");
    static const QByteArray words[] = {"[Difficulty]", "[Times]", "[Names]", "diff", "Timelimit",
                                       "Easy", "Medium", "Hard", "@Variant(", "@ByteArray(",
                                       "\\x", "%U", "%General"};
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> special(0, int(specials.size()) - 1);
    std::uniform_int_distribution<int> word(0, int(std::size(words)) - 1);
    QByteArray bytes;
    while (bytes.size() < size) {
        const int p = percent(generator);
        if (p < 10)
            bytes.append('\0');
        else if (p < 40)
            bytes.append(specials.at(special(generator)));
        else if (p < 55)
            bytes.append(words[word(generator)]);
        else
            bytes.append(static_cast<char>(byte(generator)));
    }
    bytes.truncate(size);
    return bytes;
}

// Byte sequences that are not UTF-8 in names of sections and keys and in
// values: stray continuation bytes, overlong forms, lone surrogates, code
// points beyond U+10FFFF, a sequence cut short at the end of a value.
QByteArray invalidUtf8()
{
    return QByteArray("[Difficulty]\n"
                      "diff=Med\xff" "ium\n"
                      "[Times]\n"
                      "Timelimit=\xc0\xaf 5\n"
                      "Easy=\xed\xa0\x80" "95\n"
                      "[Names]\n"
                      "Easy=\xed\xa0\x80 lone surrogate\n"
                      "Medium=\xf4\x90\x80\x80 beyond\n"
                      "Hard=cut\xe2\x82\n"
                      "\xc3(=\xfe\xfe\n"
                      "[\xff\xfeSection]\n"
                      "key\x80=\xc1\xbf\n");
}

// A file of which one line is one megabyte long, between entries that
// still matter.
QByteArray megabyteLine()
{
    std::mt19937 generator(4242);
    std::uniform_int_distribution<int> printable(32, 126);
    QByteArray line;
    line.reserve(1 << 20);
    while (line.size() < (1 << 20))
        line.append(static_cast<char>(printable(generator)));
    return QByteArray("[Difficulty]\ndiff=Hard\n") + line + QByteArray("\n[Times]\nTimelimit=7\n[Names]\nMedium=Grace\n");
}

// Values of one megabyte: a name that must survive untouched and a best
// time whose digits no number type holds.
QByteArray megabyteValues()
{
    return QByteArray("[Difficulty]\ndiff=Medium\n[Names]\nHard=") + QByteArray(1 << 20, 'N')
           + QByteArray("\nEasy=Ada\n[Times]\nMedium=") + QByteArray(1 << 20, '9')
           + QByteArray("\nEasy=\" 95\"\nTimelimit=\" 3\"\n");
}

// Numbers that no 64-bit integer holds, in every entry that holds a number.
QByteArray beyond64Bits()
{
    return QByteArray("[Difficulty]\ndiff=Hard\n[Times]\n"
                      "Timelimit=18446744073709551616\n"
                      "Easy=-9223372036854775809\n"
                      "Medium=")
           + QByteArray(400, '9')
           + QByteArray("\nHard=340282366920938463463374607431768211456\n"
                        "[Names]\nHard=Linus\n");
}

// The lines of an INI text as (section, key) pairs, for checking how names
// are spelled in the file.
struct IniLine
{
    QString section;
    QString key;
};

QList<IniLine> iniKeys(const QByteArray &bytes)
{
    QList<IniLine> lines;
    QString section;
    for (const QString &raw : QString::fromUtf8(bytes).split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            lines.append({section, QString()});
        } else if (line.contains(u'=') && !line.startsWith(u';')) {
            lines.append({section, line.left(line.indexOf(u'=')).trimmed()});
        }
    }
    return lines;
}

// The store's messages while this object lives, one line each, as they would
// stand on standard error.
class StoreMessages
{
public:
    StoreMessages()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&StoreMessages::collect);
    }
    ~StoreMessages() { qInstallMessageHandler(m_previous); }

    QString text() const { return s_lines.join(QString()); }

private:
    static void collect(QtMsgType, const QMessageLogContext &context, const QString &message)
    {
        s_lines << QString::fromLatin1(context.category) + QStringLiteral(": ") + message + u'\n';
    }

    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

// Gives the listed folders back their usual permissions when the test ends,
// however it ends, so that the temporary folder can be removed.
class RestoreFolderModes
{
public:
    explicit RestoreFolderModes(QStringList folders) : m_folders(std::move(folders)) {}
    ~RestoreFolderModes()
    {
        for (const QString &folder : m_folders)
            ::chmod(QFile::encodeName(folder).constData(), 0755);
    }

private:
    QStringList m_folders;
};

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void absentEntriesReadAsTheDefault();
    void casedNamesAddressTheSameEntry_data();
    void casedNamesAddressTheSameEntry();
    void firstSpellingStaysInTheFile();
    void writeCreatesTheFolderAndReachesTheDisk();
    void deleteSectionRemovesEveryKey();
    void deleteMissingSectionFails();
    void secondStoreSeesWhatTheFirstWrote();
    void valuesRoundTripExactly_data();
    void valuesRoundTripExactly();
    void damagedFiles_data();
    void damagedFiles();
    void handEditedFilesKeepTheirBytes_data();
    void handEditedFilesKeepTheirBytes();
    void folderInPlaceOfTheFile();
    void readOnlyFile_data();
    void readOnlyFile();
    void readOnlyFolder();
    void folderPathUnderARegularFile();
    void initTestCase();
    void cleanupTestCase();
    void hardSaves_data();
    void hardSaves();
    void recordRaceBetweenTwoCopies();
    void twoProcessesLoseNoUpdate();
    void relativeConfigHomeIsIgnored();

private:
    // A small file system of the test's own, for a full disk; empty with the
    // reason in m_smallDiskProblem where none can be mounted.
    QTemporaryDir m_smallDiskMount;
    QString m_smallDisk;
    QString m_smallDiskProblem;
};

namespace {

// What stands at the settings path, or near it, before a save.
enum class Situation {
    FullDisk,
    ReadOnlyFolderFullDisk,
    Pipe,
    DeviceLink,
    LinkToAFile,
    OwnedByAnother,
    Leftover,
    LockFolder,
    LockFolderNotEmpty,
    HeldLock,
    DeadHoldersLock,
    LockPipe,
    EmptyLock,
    OldEmptyLock,
    OldForeignLock,
    UnreadableLock,
    Utf16File,
    InvalidUtf8File,
    LoneSurrogates,
};
enum class FileAfter { Unchanged, NewContent };

const QByteArray kSettings("[Difficulty]\ndiff=Hard\n[Times]\nTimelimit=\" 12\"\n");

// Fills what is left of a file system, so that no further page fits.
void fill(const QString &folder)
{
    QFile filler(folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

} // namespace

Q_DECLARE_METATYPE(Situation)
Q_DECLARE_METATYPE(FileAfter)
Q_DECLARE_METATYPE(SaveResult::Status)

void TestSettingsStore::absentEntriesReadAsTheDefault()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("not/yet/there"));
    SettingsStore store(folder);

    // Nothing exists at all: the defaults of every entry the game reads.
    QCOMPARE(store.read(QStringLiteral("Taviqgame"), QStringLiteral("Difficulty"),
                        QStringLiteral("Diff"), QStringLiteral("Easy")),
             QStringLiteral("Easy"));
    QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral("10")),
             QStringLiteral("10"));
    QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Hard"), QStringLiteral("480")),
             QStringLiteral("480"));
    QCOMPARE(store.read(kApp, QStringLiteral("Names"), QStringLiteral("medium"), QStringLiteral("Anonymous")),
             QStringLiteral("Anonymous"));
    // Reading creates nothing.
    QVERIFY(!QFileInfo::exists(folder));

    // Absent key in a present section, absent section, absent application.
    QVERIFY(store.write(kApp, QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral(" 95")));
    QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Medium"), QStringLiteral("480")),
             QStringLiteral("480"));
    QCOMPARE(store.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Anonymous"));
    QCOMPARE(store.read(QStringLiteral("OtherGame"), QStringLiteral("Times"), QStringLiteral("Easy"),
                        QStringLiteral("480")),
             QStringLiteral("480"));
    // The default is whatever the caller gives, the empty text included.
    QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Medium"), QString()), QString());
    QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral("480")),
             QStringLiteral(" 95"));
}

void TestSettingsStore::casedNamesAddressTheSameEntry_data()
{
    QTest::addColumn<QString>("writeApp");
    QTest::addColumn<QString>("writeSection");
    QTest::addColumn<QString>("writeKey");
    QTest::addColumn<QString>("readApp");
    QTest::addColumn<QString>("readSection");
    QTest::addColumn<QString>("readKey");

    const QString taviqgame = QStringLiteral("Taviqgame");
    const QString difficulty = QStringLiteral("Difficulty");
    const QString times = QStringLiteral("Times");
    const QString names = QStringLiteral("Names");

    QTest::newRow("difficulty: diff written under TaviqGame, Diff read under Taviqgame")
        << kApp << difficulty << QStringLiteral("diff") << taviqgame << difficulty << QStringLiteral("Diff");
    QTest::newRow("best time: Medium written, medium read")
        << kApp << times << QStringLiteral("Medium") << kApp << times << QStringLiteral("medium");
    QTest::newRow("best time: Hard written, hard read")
        << kApp << times << QStringLiteral("Hard") << kApp << times << QStringLiteral("hard");
    QTest::newRow("name: Medium written, medium read")
        << kApp << names << QStringLiteral("Medium") << kApp << names << QStringLiteral("medium");
    QTest::newRow("name: Hard written, hard read")
        << kApp << names << QStringLiteral("Hard") << kApp << names << QStringLiteral("hard");
    QTest::newRow("section: Times written, times read")
        << kApp << times << QStringLiteral("Timelimit") << kApp << QStringLiteral("times") << QStringLiteral("Timelimit");
    QTest::newRow("section: NAMES written, Names read")
        << kApp << QStringLiteral("NAMES") << QStringLiteral("Easy") << kApp << names << QStringLiteral("Easy");
    QTest::newRow("every name in other letters")
        << QStringLiteral("taviqgame") << QStringLiteral("dIFFICULTY") << QStringLiteral("DIFF")
        << QStringLiteral("TAVIQGAME") << QStringLiteral("Difficulty") << QStringLiteral("diff");
}

void TestSettingsStore::casedNamesAddressTheSameEntry()
{
    QFETCH(QString, writeApp);
    QFETCH(QString, writeSection);
    QFETCH(QString, writeKey);
    QFETCH(QString, readApp);
    QFETCH(QString, readSection);
    QFETCH(QString, readKey);

    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore store(dir.path());
    QCOMPARE(store.filePath(readApp), store.filePath(writeApp));

    QVERIFY(store.write(writeApp, writeSection, writeKey, QStringLiteral("Medium")));
    QCOMPARE(store.read(readApp, readSection, readKey, QStringLiteral("dflt")), QStringLiteral("Medium"));
    SettingsStore again(dir.path());
    QCOMPARE(again.read(readApp, readSection, readKey, QStringLiteral("dflt")), QStringLiteral("Medium"));
    SettingsStore copy(copyFolder(dir.path(), dir.filePath(QStringLiteral("copy1"))));
    QCOMPARE(copy.read(readApp, readSection, readKey, QStringLiteral("dflt")), QStringLiteral("Medium"));

    // Writing under the other spelling replaces the same entry ...
    QVERIFY(store.write(readApp, readSection, readKey, QStringLiteral("Hard")));
    QCOMPARE(store.read(writeApp, writeSection, writeKey, QStringLiteral("dflt")), QStringLiteral("Hard"));
    QCOMPARE(store.read(readApp, readSection, readKey, QStringLiteral("dflt")), QStringLiteral("Hard"));
    SettingsStore copy2(copyFolder(dir.path(), dir.filePath(QStringLiteral("copy2"))));
    QCOMPARE(copy2.read(writeApp, writeSection, writeKey, QStringLiteral("dflt")), QStringLiteral("Hard"));
    QCOMPARE(copy2.read(readApp, readSection, readKey, QStringLiteral("dflt")), QStringLiteral("Hard"));

    // ... and leaves one file with one section and one key, spelled as first written.
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    int sections = 0;
    int keys = 0;
    for (const IniLine &line : iniKeys(fileBytes(store.filePath(writeApp)))) {
        if (line.key.isEmpty() && line.section.compare(writeSection, Qt::CaseInsensitive) == 0) {
            ++sections;
            QCOMPARE(line.section, writeSection);
        } else if (line.key.compare(writeKey, Qt::CaseInsensitive) == 0) {
            ++keys;
            QCOMPARE(line.key, writeKey);
        }
    }
    QCOMPARE(sections, 1);
    QCOMPARE(keys, 1);
}

void TestSettingsStore::firstSpellingStaysInTheFile()
{
    // Over a whole run: the read of "Diff" at load, the write of "diff" at
    // unload; the high-score window reads "medium" after a win wrote "Medium".
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore store(dir.path());
    QVERIFY(store.write(kApp, QStringLiteral("Names"), QStringLiteral("Medium"), QStringLiteral("Ann")));
    QVERIFY(store.write(kApp, QStringLiteral("Times"), QStringLiteral("Medium"), QStringLiteral(" 95")));
    QVERIFY(store.write(kApp, QStringLiteral("names"), QStringLiteral("MEDIUM"), QStringLiteral("Bea")));
    QVERIFY(store.write(kApp, QStringLiteral("TIMES"), QStringLiteral("medium"), QStringLiteral(" 90")));
    QVERIFY(store.write(QStringLiteral("taviqgame"), QStringLiteral("difficulty"), QStringLiteral("diff"),
                        QStringLiteral("Hard")));
    QVERIFY(store.write(kApp, QStringLiteral("Difficulty"), QStringLiteral("Diff"), QStringLiteral("Medium")));

    const QByteArray bytes = fileBytes(store.filePath(kApp));
    QStringList seen;
    for (const IniLine &line : iniKeys(bytes))
        seen << (line.key.isEmpty() ? QStringLiteral("[%1]").arg(line.section)
                                    : line.section + u'/' + line.key);
    seen.sort();
    QCOMPARE(seen, QStringList({QStringLiteral("Names/Medium"), QStringLiteral("Times/Medium"),
                                QStringLiteral("[Names]"), QStringLiteral("[Times]"),
                                QStringLiteral("[difficulty]"), QStringLiteral("difficulty/diff")}));

    SettingsStore fresh(copyFolder(dir.path(), dir.filePath(QStringLiteral("copy"))));
    QCOMPARE(fresh.read(kApp, QStringLiteral("Names"), QStringLiteral("medium"), QString()), QStringLiteral("Bea"));
    QCOMPARE(fresh.read(kApp, QStringLiteral("Times"), QStringLiteral("Medium"), QString()), QStringLiteral(" 90"));
    QCOMPARE(fresh.read(QStringLiteral("Taviqgame"), QStringLiteral("Difficulty"), QStringLiteral("Diff"),
                        QStringLiteral("Easy")),
             QStringLiteral("Medium"));
}

void TestSettingsStore::writeCreatesTheFolderAndReachesTheDisk()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("config/taviq"));
    SettingsStore store(folder);
    QCOMPARE(store.folder(), folder);
    QVERIFY(store.write(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 10")));
    QVERIFY(QFileInfo(store.filePath(kApp)).isFile());
    QVERIFY(store.filePath(kApp).startsWith(folder + u'/'));

    // The value is in the file as soon as write() returns.
    SettingsStore copy(copyFolder(folder, dir.filePath(QStringLiteral("copy1"))));
    QCOMPARE(copy.read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral("10")),
             QStringLiteral(" 10"));

    // A later write replaces the value; other applications have files of their own.
    QVERIFY(store.write(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 15")));
    QVERIFY(store.write(QStringLiteral("OtherGame"), QStringLiteral("Times"), QStringLiteral("Timelimit"),
                        QStringLiteral(" 3")));
    QVERIFY(store.filePath(QStringLiteral("OtherGame")) != store.filePath(kApp));
    SettingsStore copy2(copyFolder(folder, dir.filePath(QStringLiteral("copy2"))));
    QCOMPARE(copy2.read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral("10")),
             QStringLiteral(" 15"));
    QCOMPARE(copy2.read(QStringLiteral("othergame"), QStringLiteral("times"), QStringLiteral("timelimit"),
                        QStringLiteral("10")),
             QStringLiteral(" 3"));
}

void TestSettingsStore::deleteSectionRemovesEveryKey()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore store(dir.path());
    const QString times = QStringLiteral("Times");
    const QString names = QStringLiteral("Names");
    QVERIFY(store.write(kApp, QStringLiteral("Difficulty"), QStringLiteral("diff"), QStringLiteral("Hard")));
    QVERIFY(store.write(kApp, times, QStringLiteral("Timelimit"), QStringLiteral(" 12")));
    for (const QString &key : {QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Hard")}) {
        QVERIFY(store.write(kApp, times, key, QStringLiteral(" 95")));
        QVERIFY(store.write(kApp, names, key, QStringLiteral("Winner ") + key));
    }

    // Reset Scores: "Times" goes, the time limit with it.
    QVERIFY(store.deleteSections(kApp, {times}));
    QCOMPARE(store.read(kApp, times, QStringLiteral("Timelimit"), QStringLiteral("10")), QStringLiteral("10"));
    QCOMPARE(store.read(kApp, times, QStringLiteral("Easy"), QStringLiteral("480")), QStringLiteral("480"));
    QCOMPARE(store.read(kApp, times, QStringLiteral("medium"), QStringLiteral("480")), QStringLiteral("480"));
    QCOMPARE(store.read(kApp, times, QStringLiteral("hard"), QStringLiteral("480")), QStringLiteral("480"));
    SettingsStore copy(copyFolder(dir.path(), dir.filePath(QStringLiteral("copy1"))));
    QCOMPARE(copy.read(kApp, times, QStringLiteral("Timelimit"), QStringLiteral("10")), QStringLiteral("10"));
    QCOMPARE(copy.read(kApp, times, QStringLiteral("Easy"), QStringLiteral("480")), QStringLiteral("480"));
    QVERIFY(!fileBytes(store.filePath(kApp)).contains("[Times]"));
    // The other sections stay.
    QCOMPARE(copy.read(kApp, names, QStringLiteral("hard"), QStringLiteral("Anonymous")),
             QStringLiteral("Winner Hard"));
    QCOMPARE(copy.read(QStringLiteral("Taviqgame"), QStringLiteral("Difficulty"), QStringLiteral("Diff"),
                       QStringLiteral("Easy")),
             QStringLiteral("Hard"));

    // A second delete finds nothing.
    QVERIFY(!store.deleteSections(kApp, {times}));

    // The section name compares without regard to case, too.
    QVERIFY(store.deleteSections(kApp, {QStringLiteral("NAMES")}));
    QCOMPARE(store.read(kApp, names, QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Anonymous"));
    QVERIFY(!store.deleteSections(kApp, {names}));
    QCOMPARE(store.read(QStringLiteral("Taviqgame"), QStringLiteral("Difficulty"), QStringLiteral("Diff"),
                        QStringLiteral("Easy")),
             QStringLiteral("Hard"));

    // A deleted section can be written again (the unload step after a reset).
    QVERIFY(store.write(kApp, times, QStringLiteral("Timelimit"), QStringLiteral(" 12")));
    SettingsStore copy2(copyFolder(dir.path(), dir.filePath(QStringLiteral("copy2"))));
    QCOMPARE(copy2.read(kApp, times, QStringLiteral("Timelimit"), QStringLiteral("10")), QStringLiteral(" 12"));
    QCOMPARE(copy2.read(kApp, times, QStringLiteral("Easy"), QStringLiteral("480")), QStringLiteral("480"));
}

void TestSettingsStore::deleteMissingSectionFails()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore store(dir.path());

    // No file at all.
    QVERIFY(!store.deleteSections(kApp, {QStringLiteral("Times")}));
    QVERIFY(!QFileInfo::exists(store.filePath(kApp)));

    // A file without that section: nothing changes.
    QVERIFY(store.write(kApp, QStringLiteral("Difficulty"), QStringLiteral("diff"), QStringLiteral("Easy")));
    const QByteArray before = fileBytes(store.filePath(kApp));
    QVERIFY(!store.deleteSections(kApp, {QStringLiteral("Times")}));
    QVERIFY(!store.deleteSections(kApp, {QStringLiteral("Names")}));
    // A key is not a section.
    QVERIFY(!store.deleteSections(kApp, {QStringLiteral("diff")}));
    QCOMPARE(fileBytes(store.filePath(kApp)), before);
    QCOMPARE(store.read(kApp, QStringLiteral("Difficulty"), QStringLiteral("Diff"), QString()),
             QStringLiteral("Easy"));
    // Another application's section does not count.
    QVERIFY(!store.deleteSections(QStringLiteral("OtherGame"), {QStringLiteral("Difficulty")}));
    QCOMPARE(store.read(kApp, QStringLiteral("Difficulty"), QStringLiteral("Diff"), QString()),
             QStringLiteral("Easy"));
}

void TestSettingsStore::secondStoreSeesWhatTheFirstWrote()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore first(dir.path());
    SettingsStore second(dir.path());
    QVERIFY(first.write(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Ann")));
    QCOMPARE(second.read(kApp, QStringLiteral("Names"), QStringLiteral("easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Ann"));
    // The last write wins, whichever object made it. A store reads the file
    // once; refresh() takes in what another one has saved since.
    QVERIFY(second.write(kApp, QStringLiteral("names"), QStringLiteral("EASY"), QStringLiteral("Bea")));
    QCOMPARE(first.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Ann"));
    first.refresh(kApp);
    QCOMPARE(first.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Bea"));
    QVERIFY(first.deleteSections(kApp, {QStringLiteral("Names")}));
    second.refresh(kApp);
    QCOMPARE(second.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Anonymous"));
    QVERIFY(!second.deleteSections(kApp, {QStringLiteral("Names")}));

    // Another program changes the file in place and puts its size and
    // modification time back (as cp -p and rsync -a do): the next save still
    // keeps that change.
    QVERIFY(first.write(kApp, QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral(" 95")));
    const QByteArray path = QFile::encodeName(first.filePath(kApp));
    struct stat before {};
    QVERIFY(::stat(path.constData(), &before) == 0);
    QByteArray bytes = fileBytes(first.filePath(kApp));
    QVERIFY(putFile(first.filePath(kApp), bytes.replace("\" 95\"", "\" 87\"")));
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    QVERIFY(::utimensat(AT_FDCWD, path.constData(), times, 0) == 0);
    QVERIFY(first.write(kApp, QStringLiteral("Names"), QStringLiteral("Hard"), QStringLiteral("Cy")));
    QVERIFY(fileBytes(first.filePath(kApp)).contains("Easy=\" 87\""));
}

void TestSettingsStore::valuesRoundTripExactly_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("stored number form") << QStringLiteral(" 10");
    QTest::newRow("stored number form 480") << QStringLiteral(" 480");
    QTest::newRow("negative number form") << QStringLiteral("-5");
    QTest::newRow("trailing blank") << QStringLiteral("Bob ");
    QTest::newRow("blanks around") << QStringLiteral("  Bob  ");
    QTest::newRow("one blank") << QStringLiteral(" ");
    QTest::newRow("blanks only") << QStringLiteral("     ");
    QTest::newRow("empty") << QString();
    QTest::newRow("comma") << QStringLiteral("Smith, John");
    QTest::newRow("commas, no blanks") << QStringLiteral("a,b,c");
    QTest::newRow("lone comma") << QStringLiteral(",");
    QTest::newRow("double quotes") << QStringLiteral("\"Ace\"");
    QTest::newRow("quote inside") << QStringLiteral("Jo \"the Fox\" King");
    QTest::newRow("one double quote") << QStringLiteral("\"");
    QTest::newRow("single quotes") << QStringLiteral("O'Neil's");
    QTest::newRow("equals signs") << QStringLiteral("a=b=c");
    QTest::newRow("leading equals") << QStringLiteral("=x");
    QTest::newRow("semicolon") << QStringLiteral("Ann; Bea");
    QTest::newRow("leading semicolon") << QStringLiteral(";comment?");
    QTest::newRow("leading hash") << QStringLiteral("#1 player");
    QTest::newRow("backslash") << QStringLiteral("C:\\Games\\taviq");
    QTest::newRow("trailing backslash") << QStringLiteral("end\\");
    QTest::newRow("backslash escapes") << QStringLiteral("\\n\\t\\x41\\0");
    QTest::newRow("slash") << QStringLiteral("a/b");
    QTest::newRow("leading at") << QStringLiteral("@home");
    QTest::newRow("at at") << QStringLiteral("@@");
    QTest::newRow("looks like a variant") << QStringLiteral("@Variant(\\0\\0\\0\\x2)");
    QTest::newRow("looks like a byte array") << QStringLiteral("@ByteArray(x)");
    QTest::newRow("looks like a rect") << QStringLiteral("@Rect(1 2 3 4)");
    QTest::newRow("brackets") << QStringLiteral("[Times]");
    QTest::newRow("open bracket") << QStringLiteral("[Names");
    QTest::newRow("percent") << QStringLiteral("100% %41 %U0041");
    QTest::newRow("25 characters") << QStringLiteral("Abcdefghijklmnopqrstuvwxy");
    QTest::newRow("25 characters with blanks") << QStringLiteral("A B C D E F G H I J K L M");
    QTest::newRow("25 mixed characters") << QStringLiteral("\"=;,#@[]\\ \"=;,#@[]\\ \"=;,#");
    QTest::newRow("Latin letters with marks") << QStringLiteral("Zo\u00EB \u00C5ngstr\u00F6m");
    QTest::newRow("Chinese") << QStringLiteral("\u674E\u5C0F\u9F99");
    QTest::newRow("Greek and Cyrillic") << QStringLiteral("\u0391\u03B8\u03B7\u03BD\u03AC \u0416\u0443\u043A");
    QTest::newRow("right to left") << QStringLiteral("\u05E9\u05DC\u05D5\u05DD");
    QTest::newRow("outside the basic plane") << QStringLiteral("Ann \U0001F600");
    QTest::newRow("no-break space") << QStringLiteral("Ann\u00A0Bea");
    QTest::newRow("a true-looking text") << QStringLiteral("true");
}

void TestSettingsStore::valuesRoundTripExactly()
{
    QFETCH(QString, value);
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    const QString names = QStringLiteral("Names");
    const QString dflt = QStringLiteral("Anonymous");
    {
        SettingsStore store(dir.path());
        // Neighbours before and after the entry must not be disturbed by it.
        QVERIFY(store.write(kApp, names, QStringLiteral("Hard"), QStringLiteral("before")));
        QVERIFY(store.write(kApp, names, QStringLiteral("Easy"), value));
        QVERIFY(store.write(kApp, names, QStringLiteral("Medium"), QStringLiteral("after")));
        QVERIFY(store.write(kApp, QStringLiteral("Times"), QStringLiteral("Easy"), value));
        QCOMPARE(store.read(kApp, names, QStringLiteral("Easy"), dflt), value);
    }
    SettingsStore same(dir.path());
    QCOMPARE(same.read(kApp, names, QStringLiteral("Easy"), dflt), value);

    SettingsStore copy(copyFolder(dir.path(), dir.filePath(QStringLiteral("copy"))));
    QCOMPARE(copy.read(kApp, names, QStringLiteral("Easy"), dflt), value);
    QCOMPARE(copy.read(kApp, names, QStringLiteral("easy"), dflt), value);
    QCOMPARE(copy.read(kApp, QStringLiteral("times"), QStringLiteral("Easy"), dflt), value);
    QCOMPARE(copy.read(kApp, names, QStringLiteral("Hard"), dflt), QStringLiteral("before"));
    QCOMPARE(copy.read(kApp, names, QStringLiteral("Medium"), dflt), QStringLiteral("after"));
    QCOMPARE(copy.read(kApp, names, QStringLiteral("Other"), dflt), dflt);

    // Rewriting the file from what was read keeps the value, too.
    QVERIFY(copy.write(kApp, names, QStringLiteral("Medium"), QStringLiteral("later")));
    SettingsStore copy2(copyFolder(copy.folder(), dir.filePath(QStringLiteral("copy2"))));
    QCOMPARE(copy2.read(kApp, names, QStringLiteral("Easy"), dflt), value);
    QCOMPARE(copy2.read(kApp, names, QStringLiteral("Medium"), dflt), QStringLiteral("later"));
}

void TestSettingsStore::damagedFiles_data()
{
    // The file as found; an entry that the game's saves write, and the texts
    // that reading it first may give (any text when the list is empty).
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("acceptable");

    const QString names = QStringLiteral("Names");
    const QString times = QStringLiteral("Times");
    const QString easy = QStringLiteral("Easy");
    const QString dflt = QStringLiteral("Anonymous");
    const QStringList anyText;

    QByteArray binary;
    for (int round = 0; round < 4; ++round) {
        for (int b = 0; b < 256; ++b)
            binary.append(char(b));
        binary.append('\0');
        binary.append(QByteArrayLiteral("\0\0[\0]=\0\n"));
    }
    const QByteArray hugeValue(1 << 20, 'x');

    QTest::newRow("empty file") << QByteArray() << names << easy << QStringList{dflt};
    QTest::newRow("garbage text")
        << QByteArray("This is not a settings file.\n}{ }{\n!!!\n\n   \nword\n")
        << names << easy << QStringList{dflt};
    QTest::newRow("garbage lines, then entries")
        << QByteArray("%%%\n[[[\n]]]\n=\n==\n[]\n[Names]\nEasy=Bob\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QStringLiteral("Bob"), dflt};
    QTest::newRow("binary with NUL bytes") << binary << names << easy << QStringList{dflt};
    QTest::newRow("binary, then entries")
        << binary + QByteArray("\n[Names]\nEasy=Bob\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QStringLiteral("Bob"), dflt};
    QTest::newRow("NUL inside a value")
        << QByteArrayLiteral("[Names]\nEasy=Bo\0b\n[Times]\nTimelimit=7\n")
        << names << easy << anyText;
    QTest::newRow("1 MB value")
        << QByteArray("[Names]\nEasy=") + hugeValue + QByteArray("\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QString::fromLatin1(hugeValue)};
    QTest::newRow("1 MB line of garbage")
        << hugeValue + QByteArray("\n[Names]\nEasy=Bob\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QStringLiteral("Bob"), dflt};
    QTest::newRow("1 MB section name")
        << QByteArray("[") + hugeValue + QByteArray("]\nEasy=Bob\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{dflt};
    QTest::newRow("unquoted list")
        << QByteArray("[Names]\nEasy=a, b, c\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QStringLiteral("a, b, c")};
    QTest::newRow("key without a section")
        << QByteArray("Easy=Bob\n[Names]\nMedium=Ann\n")
        << names << easy << QStringList{dflt};
    QTest::newRow("empty value")
        << QByteArray("[Names]\nEasy=\nMedium=Ann\n")
        << names << easy << QStringList{QString(), dflt};
    QTest::newRow("blank value")
        << QByteArray("[Names]\nEasy=   \nMedium=Ann\n")
        << names << easy << QStringList{QString(), QStringLiteral("   "), dflt};
    QTest::newRow("hand-written number with blanks")
        << QByteArray("[Times]\nEasy =  95 \nTimelimit=7\n")
        << times << easy << QStringList{QStringLiteral("95"), QStringLiteral(" 95"), QStringLiteral("  95 ")}
       ;
    QTest::newRow("quoted value")
        << QByteArray("[Names]\nEasy=\"Bob, Jr.\"\nMedium=Ann\n")
        << names << easy << QStringList{QStringLiteral("Bob, Jr.")};
    QTest::newRow("unterminated quote")
        << QByteArray("[Names]\nEasy=\"Bob\nMedium=Ann\n")
        << names << easy << anyText;
    QTest::newRow("unterminated section header")
        << QByteArray("[Names\nEasy=Bob\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QStringLiteral("Bob"), dflt};
    QTest::newRow("Variant garbage")
        << QByteArray("[Names]\nEasy=@Variant(\\0\\x1\\xff\\xfe garbage)\nMedium=Ann\n")
        << names << easy << QStringList{dflt, QStringLiteral("@Variant(\\0\\x1\\xff\\xfe garbage)")}
       ;
    QTest::newRow("Variant cut short")
        << QByteArray("[Names]\nEasy=@Variant(\nMedium=Ann\n")
        << names << easy << QStringList{dflt, QStringLiteral("@Variant(")};
    QTest::newRow("Variant holding a number")
        << QByteArray("[Names]\nEasy=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\nMedium=Ann\n")
        << names << easy << QStringList{QStringLiteral("5"), dflt};
    QTest::newRow("Rect")
        << QByteArray("[Names]\nEasy=@Rect(1 2 3 4)\nMedium=Ann\n")
        << names << easy << QStringList{dflt, QStringLiteral("@Rect(1 2 3 4)")};
    QTest::newRow("Invalid")
        << QByteArray("[Names]\nEasy=@Invalid()\nMedium=Ann\n")
        << names << easy << QStringList{dflt, QStringLiteral("@Invalid()")};
    QTest::newRow("ByteArray")
        << QByteArray("[Names]\nEasy=@ByteArray(Bob)\nMedium=Ann\n")
        << names << easy << QStringList{dflt};
    QTest::newRow("same key twice in other letters")
        << QByteArray("[Names]\nEasy=Bob\neasy=Ann\nMedium=Cy\n")
        << names << QStringLiteral("easy") << QStringList{QStringLiteral("Ann")}
       ;
    QTest::newRow("same section twice in other letters")
        << QByteArray("[Names]\nEasy=Bob\n[names]\nMedium=Cy\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QStringLiteral("Bob")};
    QTest::newRow("Windows line ends")
        << QByteArray("[Names]\r\nEasy=Bob\r\n[Times]\r\nTimelimit=7\r\n")
        << names << easy << QStringList{QStringLiteral("Bob")};
    QTest::newRow("UTF-8 byte order mark")
        << QByteArray("\xEF\xBB\xBF[Names]\nEasy=Bob\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QStringLiteral("Bob"), dflt};
    QTest::newRow("Latin-1 bytes")
        << QByteArray("[Names]\nEasy=Zo\xEB\n[Times]\nTimelimit=7\n")
        << names << easy << anyText;
    QTest::newRow("comment lines")
        << QByteArray("; a comment\n# another\n[Names]\n; inside\nEasy=Bob\n[Times]\nTimelimit=7\n")
        << names << easy << QStringList{QStringLiteral("Bob")};
    QTest::newRow("only a section header")
        << QByteArray("[Names]\n") << names << easy << QStringList{dflt};
    QTest::newRow("line feeds only")
        << QByteArray(10000, '\n') << names << easy << QStringList{dflt};
    QTest::newRow("a byte order mark alone")
        << QByteArray("\xEF\xBB\xBF") << names << easy << QStringList{dflt};

    // The corpus of damaged files, and more made on the spot.
    const QString corpus = QFINDTESTDATA("../data/broken-settings");
    QVERIFY(!corpus.isEmpty());
    const QStringList files = QDir(corpus).entryList(QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 33);
    for (const QString &name : files)
        QTest::newRow(qPrintable(name)) << fileBytes(QDir(corpus).filePath(name)) << names << easy << anyText;
    QTest::newRow("random bytes") << randomBytes(20240611, 4096) << names << easy << anyText;
    QTest::newRow("random bytes, other seed") << randomBytes(77, 512) << names << easy << anyText;
    QTest::newRow("random INI-like bytes") << randomIniLikeBytes(31337, 8192) << names << easy << anyText;
    QTest::newRow("random INI-like bytes, other seed") << randomIniLikeBytes(5, 2048) << names << easy << anyText;
    QTest::newRow("NUL bytes inside entries")
        << QByteArray("[Difficulty]\ndiff=Medi\0um\n[Times]\nTimelimit= 7\0 9\nEasy=\0\n[Na\0mes]\nEasy=Ad\0a\n[Names]\nHard=Li\0nus\n",
                      84)
        << names << easy << anyText;
    // Written back, a list with a NUL character in an item comes out as a
    // list of variants.
    QTest::newRow("NUL characters in list items")
        << QByteArray("[Difficulty]\ndiff=Easy\n[Names]\nMedium=Ada\\0Lovelace, Grace\n") << names << easy << anyText;
    QTest::newRow("invalid UTF-8") << invalidUtf8() << names << easy << anyText;
    QTest::newRow("a line of one megabyte") << megabyteLine() << names << easy << QStringList{dflt};
    QTest::newRow("values of one megabyte") << megabyteValues() << names << easy << QStringList{QStringLiteral("Ada")};
    QTest::newRow("numbers beyond 64 bits") << beyond64Bits() << names << easy << QStringList{dflt};
}

void TestSettingsStore::damagedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QStringList, acceptable);

    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("store"));
    SettingsStore store(folder);
    const QString file = store.filePath(kApp);
    QVERIFY(putFile(file, content));
    // Where the store keeps a copy of a file that is no text.
    const QString aside = file + QStringLiteral(".unreadable");

    const QString found = store.read(kApp, section, key, QStringLiteral("Anonymous"));
    if (!acceptable.isEmpty())
        QVERIFY2(acceptable.contains(found), qPrintable(QStringLiteral("read \"%1\"").arg(shown(found))));
    const QString bestBefore = store.read(kApp, Entry::TimesSection, QStringLiteral("Easy"), Entry::DefaultBestTime);

    // The game's saves: a record, whose check reads the file under the lock,
    // and the difficulty and the time limit at the close.
    const QList<SettingsStore::Change> written{
        {Entry::NamesSection, QStringLiteral("Easy"), QStringLiteral("Zed")},
        {Entry::TimesSection, QStringLiteral("Easy"), QStringLiteral(" 95")},
        {Entry::DifficultySection, Entry::DifficultyWriteKey, QStringLiteral("Medium")},
        {Entry::TimesSection, Entry::TimeLimitKey, QStringLiteral(" 12")},
    };
    QString bestUnderLock;
    QVERIFY(store.write(kApp, written.mid(0, 2), [&](const SettingsStore::Reader &read) {
        bestUnderLock = read(Entry::TimesSection, QStringLiteral("Easy"), Entry::DefaultBestTime);
        return true;
    }));
    QCOMPARE(bestUnderLock, bestBefore);
    QVERIFY(store.write(kApp, written.mid(2)));

    // What was written reads back, here and in a fresh store, under the names
    // the readers use.
    const SettingsStore fresh(copyFolder(folder, dir.filePath(QStringLiteral("saved"))));
    for (const SettingsStore::Change &w : written) {
        QCOMPARE(store.read(kApp, w.section, w.key.toLower(), kNone), w.value);
        QCOMPARE(fresh.read(kApp, w.section.toUpper(), w.key, kNone), w.value);
    }
    QCOMPARE(fresh.read(Entry::DifficultyReadApplication, Entry::DifficultySection, Entry::DifficultyReadKey, kNone),
             QStringLiteral("Medium"));

    // A text file keeps every line but those of the keys written; a file that
    // is no text is kept, unchanged, in a copy beside it.
    const QStringList left = folderContents(folder);
    const QString name = QFileInfo(file).fileName();
    const bool text = !content.contains('\0') && !content.startsWith("\xFF\xFE");
    const QStringList expected = text ? QStringList{name} : QStringList{name, QFileInfo(aside).fileName()};
    QCOMPARE(left, expected);
    if (!text)
        QCOMPARE(fileBytes(aside), content);
    const auto edited = [](QByteArrayView line) {
        const QByteArray key = line.first(std::max<qsizetype>(line.indexOf('='), 0)).trimmed().toByteArray().toLower();
        return line.contains('=') && (key == "easy" || key == "diff" || key == "timelimit");
    };
    if (text)
        QVERIFY(keepsLines(content, fileBytes(file), edited));

    // And the section can be deleted.
    QVERIFY(store.deleteSections(kApp, {QStringLiteral("Times")}));
    QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Hard"), QStringLiteral("480")),
             QStringLiteral("480"));
}

void TestSettingsStore::handEditedFilesKeepTheirBytes_data()
{
    // The file before a start, a record of 250 s on Hard by Max and a close
    // on Hard with 25 minutes (then, with `reset`, Reset Scores), and after.
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QByteArray>("after");

    const QByteArray fresh("[Names]\nHard=Max\n\n[Times]\nHard=\" 250\"\nTimelimit=\" 25\"\n\n[Difficulty]\ndiff=Hard\n");
    QTest::newRow("unmatched quote in a comment")
        << QByteArray("# settings for the 15\" laptop\n[Difficulty]\ndiff=Hard\n[Times]\nTimelimit=\" 25\"\n"
                      "Easy=\" 95\"\nHard=\" 300\"\n[Names]\nEasy=Kim\nHard=Lee\n")
        << false
        << QByteArray("# settings for the 15\" laptop\n[Difficulty]\ndiff=Hard\n[Times]\nTimelimit=\" 25\"\n"
                      "Easy=\" 95\"\nHard=\" 250\"\n[Names]\nEasy=Kim\nHard=Max\n");
    QTest::newRow("unmatched quote in an unused section's value")
        << QByteArray("[Mine]\ntitle=6\" ruler\n[Times]\nHard=\" 300\"\n") << false
        << QByteArray("[Mine]\ntitle=6\" ruler\n[Times]\nHard=\" 250\"\nTimelimit=\" 25\"\n\n[Names]\nHard=Max\n\n"
                      "[Difficulty]\ndiff=Hard\n");
    QTest::newRow("comments after headers and values")
        << QByteArray("[Names] ; winners\nHard=Lee\n[Times] ; best times\nHard = \" 300\" ; five minutes\n") << false
        << QByteArray("[Names] ; winners\nHard=Max\n[Times] ; best times\nHard = \" 250\"\nTimelimit=\" 25\"\n\n"
                      "[Difficulty]\ndiff=Hard\n");
    QTest::newRow("comments inside the game's sections")
        << QByteArray("[Times]\n; the limit\nTimelimit=\" 10\"\n\n; records\nHard=\" 300\"\n; end of times\n\n"
                      "[Names]\nHard=Lee\n[Difficulty]\ndiff=Easy\n")
        << false
        << QByteArray("[Times]\n; the limit\nTimelimit=\" 25\"\n\n; records\nHard=\" 250\"\n; end of times\n\n"
                      "[Names]\nHard=Max\n[Difficulty]\ndiff=Hard\n");
    QTest::newRow("CR LF line ends")
        << QByteArray("[Difficulty]\r\ndiff=Easy\r\n[Times]\r\nEasy=\" 95\"\r\n") << false
        << QByteArray("[Difficulty]\r\ndiff=Hard\r\n[Times]\r\nEasy=\" 95\"\r\nHard=\" 250\"\r\nTimelimit=\" 25\"\r\n"
                      "\r\n[Names]\r\nHard=Max\r\n");
    QTest::newRow("lone CR line ends")
        << QByteArray("[Difficulty]\rdiff=Easy\r[Times]\rEasy=\" 95\"\r") << false
        << QByteArray("[Difficulty]\rdiff=Hard\r[Times]\rEasy=\" 95\"\rHard=\" 250\"\rTimelimit=\" 25\"\r\r"
                      "[Names]\rHard=Max\r");
    // A new line takes the line end of the line before it (a new section the
    // last line's): a lone CR never meets the next line's LF.
    QTest::newRow("mixed line ends")
        << QByteArray("[Times]\rHard=\" 300\"\n\n[Names]\nHard=Lee\n") << false
        << QByteArray("[Times]\rHard=\" 250\"\nTimelimit=\" 25\"\n\n[Names]\nHard=Max\n\n[Difficulty]\ndiff=Hard\n");
    QTest::newRow("last line without a line end")
        << QByteArray("[Times]\nHard=\" 300\"\n[Names]\nEasy=Kim") << false
        << QByteArray("[Times]\nHard=\" 250\"\nTimelimit=\" 25\"\n[Names]\nEasy=Kim\nHard=Max\n\n"
                      "[Difficulty]\ndiff=Hard\n");
    QTest::newRow("duplicate keys: the last counts")
        << QByteArray("[Times]\nTimelimit=\" 10\"\nHard=\" 300\"\ntimelimit=\" 15\"\n[Names]\nHard=Lee\nHARD=Ann\n"
                      "[Difficulty]\ndiff=Easy\n")
        << false
        << QByteArray("[Times]\nTimelimit=\" 10\"\nHard=\" 250\"\ntimelimit=\" 25\"\n[Names]\nHard=Lee\nHARD=Max\n"
                      "[Difficulty]\ndiff=Hard\n");
    // The best time under the second spelling is seen: 250 s beats no 200 s.
    QTest::newRow("[Times] beside [TIMES]")
        << QByteArray("[Times]\nTimelimit=\" 25\"\n[Names]\nHard=Lee\n[TIMES]\nHard=\" 200\"\n") << false
        << QByteArray("[Times]\nTimelimit=\" 25\"\n[Names]\nHard=Lee\n[TIMES]\nHard=\" 200\"\n\n"
                      "[Difficulty]\ndiff=Hard\n");
    QTest::newRow("UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF[Difficulty]\ndiff=Easy\n") << false
        << QByteArray("\xEF\xBB\xBF[Difficulty]\ndiff=Hard\n\n[Names]\nHard=Max\n\n[Times]\nHard=\" 250\"\n"
                      "Timelimit=\" 25\"\n");
    QTest::newRow("invalid UTF-8 in an unused section")
        << QByteArray("[Mine]\nname=Jos\xE9\n[Difficulty]\ndiff=Easy\n") << false
        << QByteArray("[Mine]\nname=Jos\xE9\n[Difficulty]\ndiff=Hard\n\n[Names]\nHard=Max\n\n[Times]\n"
                      "Hard=\" 250\"\nTimelimit=\" 25\"\n");
    QTest::newRow("UTF-16 file")
        << QByteArray("\xFF\xFE") + QByteArray::fromRawData(reinterpret_cast<const char *>(u"[Times]\r\nHard=9\r\n"), 34)
        << false << fresh;
    // Every section of the name goes, headers and entries; comments stay.
    QTest::newRow("reset scores")
        << QByteArray("; my scores\n[Times] ; best\n; limit\nTimelimit=\" 25\"\nHard=\" 300\"\n[Names]\nHard=Lee\n"
                      "[Difficulty]\ndiff=Easy\n[times]\nEasy=\" 95\"\n")
        << true << QByteArray("; my scores\n; limit\n[Difficulty]\ndiff=Hard\n");
}

void TestSettingsStore::handEditedFilesKeepTheirBytes()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, reset);
    QFETCH(QByteArray, after);
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore store(dir.path());
    QVERIFY(putFile(store.filePath(kApp), before));
    const QString times = Entry::TimesSection;
    const QString hard = QStringLiteral("Hard");

    (void)store.read(Entry::DifficultyReadApplication, Entry::DifficultySection, Entry::DifficultyReadKey, kNone);
    (void)store.read(kApp, times, Entry::TimeLimitKey, kNone);
    store.write(kApp, {{Entry::NamesSection, hard, QStringLiteral("Max")}, {times, hard, QStringLiteral(" 250")}},
                [&](const SettingsStore::Reader &read) { return LeadingNumber(read(times, hard, Entry::DefaultBestTime)) > 250; });
    QVERIFY(store.write(kApp, {{Entry::DifficultySection, Entry::DifficultyWriteKey, hard},
                               {times, Entry::TimeLimitKey, QStringLiteral(" 25")}}));
    if (reset)
        QVERIFY(store.deleteSections(kApp, {times, Entry::NamesSection}));
    QCOMPARE(fileBytes(store.filePath(kApp)), after);
}

void TestSettingsStore::folderInPlaceOfTheFile()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore store(dir.path());
    const QString path = store.filePath(kApp);
    QVERIFY(QDir().mkpath(path));

    QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral("10")),
             QStringLiteral("10"));
    {
        StoreMessages err;
        QVERIFY(!store.write(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 12")));
        const QString said = err.text();
        QVERIFY2(!said.trimmed().isEmpty() && said.endsWith(u'\n'), qPrintable(said));
    }
    QVERIFY(!store.deleteSections(kApp, {QStringLiteral("Times")}));
    // What could not be saved stays in force for this run only.
    QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral("10")),
             QStringLiteral(" 12"));
    QCOMPARE(SettingsStore(dir.path()).read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"),
                                            QStringLiteral("10")),
             QStringLiteral("10"));
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(folderContents(path).isEmpty());
    QCOMPARE(folderContents(dir.path()), QStringList{QFileInfo(path).fileName()});

    // Other applications in the same folder are not affected.
    QVERIFY(store.write(QStringLiteral("OtherGame"), QStringLiteral("Times"), QStringLiteral("Timelimit"),
                        QStringLiteral(" 3")));
    QCOMPARE(store.read(QStringLiteral("OtherGame"), QStringLiteral("Times"), QStringLiteral("Timelimit"),
                        QStringLiteral("10")),
             QStringLiteral(" 3"));

    // Once a file stands there again, the next save reads it before it
    // writes, and the change kept since the failure goes in with it.
    QVERIFY(QDir().rmdir(path));
    QVERIFY(putFile(path, "[Names]\nEasy=Ada\n"));
    QVERIFY(store.write(kApp, QStringLiteral("Names"), QStringLiteral("Hard"), QStringLiteral("Bo")));
    QCOMPARE(fileBytes(path), QByteArray("[Names]\nEasy=Ada\nHard=Bo\n\n[Times]\nTimelimit=\" 12\"\n"));
}

void TestSettingsStore::readOnlyFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("as the store writes it") << QByteArray("[Times]\nTimelimit=\" 10\"\n\n[Names]\nEasy=Ann\n");
    QTest::newRow("an unclosed section")
        << QByteArray("[Times]\nTimelimit=\" 10\"\n[Names]\nEasy=Ann\n[Difficulty\ndiff=Hard\n");
}

void TestSettingsStore::readOnlyFile()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore store(dir.path());
    const QString path = store.filePath(kApp);
    QVERIFY(putFile(path, content));
    QCOMPARE(store.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Ann"));
    // Anyone may create and remove files beside it.
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    const QByteArray before = fileBytes(path);

    {
        AsOrdinaryUser user;
        if (!user.ok())
            QSKIP("cannot give up root rights, so a read-only file would still be written");
        StoreMessages err;
        QVERIFY(!store.write(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 25")));
        QVERIFY(!store.write(kApp, QStringLiteral("Names"), QStringLiteral("Hard"), QStringLiteral("Cy")));
        QVERIFY(!store.deleteSections(kApp, {QStringLiteral("Names")}));
        QVERIFY(!store.deleteSections(kApp, {QStringLiteral("Missing")}));
        const QString said = err.text();
        QVERIFY2(said.count(u'\n') >= 3, qPrintable(said));

        QCOMPARE(fileBytes(path), before);
        QCOMPARE(folderContents(dir.path()), QStringList{QFileInfo(path).fileName()});
        // Failed writes stay in force for this run; the failed deletion is
        // taken back. The file, and so the next run, has none of them.
        QCOMPARE(store.read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral("10")),
                 QStringLiteral(" 25"));
        QCOMPARE(store.read(kApp, QStringLiteral("Names"), QStringLiteral("Hard"), QStringLiteral("Anonymous")),
                 QStringLiteral("Cy"));
        QCOMPARE(store.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
                 QStringLiteral("Ann"));
        SettingsStore other(dir.path());
        QCOMPARE(other.read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral("10")),
                 QStringLiteral(" 10"));
    }

    // Once the file can be written again, the writes that failed go in with
    // the next save.
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    QVERIFY(store.write(kApp, QStringLiteral("Difficulty"), QStringLiteral("diff"), QStringLiteral("Hard")));
    SettingsStore copy(copyFolder(dir.path(), dir.filePath(QStringLiteral("copy"))));
    QCOMPARE(copy.read(kApp, QStringLiteral("Difficulty"), QStringLiteral("Diff"), QStringLiteral("Easy")),
             QStringLiteral("Hard"));
    QCOMPARE(copy.read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral("10")),
             QStringLiteral(" 25"));
    QCOMPARE(copy.read(kApp, QStringLiteral("Names"), QStringLiteral("Hard"), QStringLiteral("Anonymous")),
             QStringLiteral("Cy"));
    QCOMPARE(copy.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Ann"));
}

void TestSettingsStore::readOnlyFolder()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    const QString withFile = dir.filePath(QStringLiteral("with-file"));
    const QString empty = dir.filePath(QStringLiteral("empty"));
    SettingsStore store(withFile);
    SettingsStore emptyStore(empty);
    const QString path = store.filePath(kApp);
    QVERIFY(store.write(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 10")));
    QVERIFY(QDir().mkpath(empty));
    const RestoreFolderModes restore({withFile, empty});
    // The file itself may be written, its folder may not.
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
    QVERIFY(::chmod(QFile::encodeName(withFile).constData(), 0555) == 0);
    QVERIFY(::chmod(QFile::encodeName(empty).constData(), 0555) == 0);
    const QByteArray before = fileBytes(path);

    {
        AsOrdinaryUser user;
        if (!user.ok())
            QSKIP("cannot give up root rights, so a read-only folder would still be written");

        // No file can be created in a read-only folder.
        {
            StoreMessages err;
            QVERIFY(!emptyStore.write(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"),
                                      QStringLiteral(" 12")));
            const QString said = err.text();
            QVERIFY2(!said.trimmed().isEmpty() && said.endsWith(u'\n'), qPrintable(said));
        }
        QVERIFY(QDir(empty).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
        QCOMPARE(SettingsStore(empty).read(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"),
                                           QStringLiteral("10")),
                 QStringLiteral("10"));

        // An existing, writable file in it is never written in place.
        {
            StoreMessages err;
            const SaveResult result =
                store.write(kApp, QStringLiteral("Times"), QStringLiteral("Timelimit"), QStringLiteral(" 25"));
            QVERIFY(result.failure && result.failure->what == SaveFailure::What::TakeLock);
            QVERIFY2(err.text().contains(QStringLiteral("the lock could not be made")), qPrintable(err.text()));
        }
        QCOMPARE(fileBytes(path), before);
    }
}

void TestSettingsStore::folderPathUnderARegularFile()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QVERIFY(putFile(plain, QByteArray("not a folder\n")));
    SettingsStore store(plain + QStringLiteral("/taviq"));

    QCOMPARE(store.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Anonymous"));
    {
        StoreMessages err;
        QVERIFY(!store.write(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Ann")));
        const QString said = err.text();
        QVERIFY2(!said.trimmed().isEmpty() && said.endsWith(u'\n'), qPrintable(said));
    }
    QVERIFY(!store.deleteSections(kApp, {QStringLiteral("Names")}));
    QCOMPARE(SettingsStore(plain + QStringLiteral("/taviq"))
                 .read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anonymous")),
             QStringLiteral("Anonymous"));
    QCOMPARE(fileBytes(plain), QByteArray("not a folder\n"));
}

void TestSettingsStore::initTestCase()
{
    // A full disk needs a file system small enough to fill: a tmpfs mounted
    // in a mount namespace of this process, where it may mount one.
    if (!m_smallDiskMount.isValid()) {
        m_smallDiskProblem = QStringLiteral("no temporary folder");
    } else if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
               || ::mount("tmpfs", QFile::encodeName(m_smallDiskMount.path()).constData(), "tmpfs", 0,
                          "size=64k,mode=0777")
                      != 0) {
        m_smallDiskProblem = QString::fromLocal8Bit(std::strerror(errno));
    } else {
        m_smallDisk = m_smallDiskMount.path();
    }
}

void TestSettingsStore::cleanupTestCase()
{
    if (!m_smallDisk.isEmpty())
        ::umount2(QFile::encodeName(m_smallDisk).constData(), MNT_DETACH);
}

void TestSettingsStore::hardSaves_data()
{
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<SaveResult::Status>("status");
    QTest::addColumn<FileAfter>("after");
    // What the store says, as a pattern; empty when it says nothing.
    QTest::addColumn<QString>("said");

    using S = SaveResult::Status;
    const QString lockHeld = QStringLiteral("could not save .*: the lock is held \\(.*taviqgame.ini.lock\\)");
    QTest::newRow("full disk") << Situation::FullDisk << S::Failed << FileAfter::Unchanged
                               << QStringLiteral("could not save .*taviqgame.ini: .*: No space left on device");
    QTest::newRow("read-only folder, full disk")
        << Situation::ReadOnlyFolderFullDisk << S::Failed << FileAfter::Unchanged
        << QStringLiteral("could not save .*: the lock could not be made \\(.*taviqgame.ini.lock\\)");
    QTest::newRow("pipe") << Situation::Pipe << S::Failed << FileAfter::Unchanged
                          << QStringLiteral("could not save .*: it is a pipe");
    QTest::newRow("link to a device") << Situation::DeviceLink << S::Failed << FileAfter::Unchanged
                                      << QStringLiteral("could not save .*: it is a device");
    QTest::newRow("link to a file") << Situation::LinkToAFile << S::Saved << FileAfter::NewContent << QString();
    QTest::newRow("file of another owner") << Situation::OwnedByAnother << S::Saved << FileAfter::NewContent
                                           << QString();
    QTest::newRow("temporary file left by a save cut short")
        << Situation::Leftover << S::Saved << FileAfter::NewContent << QString();
    QTest::newRow("lock folder") << Situation::LockFolder << S::Saved << FileAfter::NewContent << QString();
    QTest::newRow("lock folder with a file in it")
        << Situation::LockFolderNotEmpty << S::Failed << FileAfter::Unchanged
        << QStringLiteral("could not save .*: the lock's path could not be cleared \\(.*taviqgame.ini.lock\\)");
    QTest::newRow("pipe at the lock's path") << Situation::LockPipe << S::Saved << FileAfter::NewContent << QString();
    QTest::newRow("lock held by a running program")
        << Situation::HeldLock << S::Failed << FileAfter::Unchanged
        << lockHeld + QStringLiteral(" by process %1").arg(QCoreApplication::applicationPid());
    QTest::newRow("lock of a program that ended") << Situation::DeadHoldersLock << S::Saved << FileAfter::NewContent
                                                  << QString();
    // A lock that tells no holder may be one being made this very moment.
    QTest::newRow("young empty lock") << Situation::EmptyLock << S::Failed << FileAfter::Unchanged << lockHeld;
    QTest::newRow("hour-old empty lock") << Situation::OldEmptyLock << S::Saved << FileAfter::NewContent << QString();
    QTest::newRow("hour-old lock of another host")
        << Situation::OldForeignLock << S::Saved << FileAfter::NewContent << QString();
    QTest::newRow("lock nobody may read") << Situation::UnreadableLock << S::Failed << FileAfter::Unchanged
                                          << lockHeld;
    QTest::newRow("UTF-16 file") << Situation::Utf16File << S::Saved << FileAfter::NewContent
                                 << QStringLiteral("kept what could not be read of .* in .*taviqgame.ini.unreadable$");
    // Bytes that are no UTF-8 are kept as they stand.
    QTest::newRow("invalid UTF-8") << Situation::InvalidUtf8File << S::Saved << FileAfter::NewContent << QString();
    QTest::newRow("lone surrogates") << Situation::LoneSurrogates << S::Saved << FileAfter::NewContent << QString();
}

void TestSettingsStore::hardSaves()
{
    QFETCH(Situation, situation);
    QFETCH(SaveResult::Status, status);
    QFETCH(FileAfter, after);
    QFETCH(QString, said);

    const bool smallDisk = situation == Situation::FullDisk || situation == Situation::ReadOnlyFolderFullDisk;
    if (smallDisk && m_smallDisk.isEmpty())
        QSKIP(qPrintable(QStringLiteral("no small file system to fill: %1").arg(m_smallDiskProblem)));
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    const QString folder = smallDisk ? m_smallDisk + QStringLiteral("/store") : dir.filePath(QStringLiteral("store"));
    const auto cleanUp = qScopeGuard([&] {
        if (smallDisk) {
            ::chmod(QFile::encodeName(folder).constData(), 0755);
            QDir(folder).removeRecursively();
            QFile::remove(m_smallDisk + QStringLiteral("/filler"));
        }
    });
    QVERIFY(QDir().mkpath(folder));
    ::chmod(QFile::encodeName(folder).constData(), 0777);
    SettingsStore store(folder);
    const QString path = store.filePath(kApp);
    const QString lock = path + QStringLiteral(".lock");
    // The file that the settings path leads to.
    QString target = path;
    QByteArray content = kSettings;
    std::unique_ptr<QLockFile> held;
    std::unique_ptr<AsOrdinaryUser> user;

    switch (situation) {
    case Situation::FullDisk:
    case Situation::ReadOnlyFolderFullDisk:
        // One page of settings, so that a longer content needs another (a
        // comment before the sections is kept as it stands).
        content = QByteArray(4096 - content.size() - 1, ';') + '\n' + content;
        break;
    case Situation::Utf16File:
        content = QByteArray("\xFF\xFE") + QByteArray::fromRawData(
                      reinterpret_cast<const char *>(u"[Names]\r\nEasy=Zo\u00EB\r\n"), 40);
        break;
    case Situation::InvalidUtf8File:
        content += QByteArray("[Names]\nEasy=Zo\xEB\n");
        break;
    case Situation::LoneSurrogates:
        content += QByteArray("[Names]\nEasy=\xED\xA0\x80\n");
        break;
    default:
        break;
    }
    switch (situation) {
    case Situation::Pipe:
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        content.clear();
        break;
    case Situation::DeviceLink:
        target = QStringLiteral("/dev/zero");
        QVERIFY(QFile::link(target, path));
        content.clear();
        break;
    case Situation::LinkToAFile:
        target = dir.filePath(QStringLiteral("dotfiles/game.ini"));
        QVERIFY(putFile(target, content));
        QVERIFY(QFile::link(target, path));
        break;
    default:
        QVERIFY(putFile(path, content));
        break;
    }
    switch (situation) {
    case Situation::FullDisk:
        fill(m_smallDisk);
        break;
    case Situation::ReadOnlyFolderFullDisk:
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        fill(m_smallDisk);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        user = std::make_unique<AsOrdinaryUser>();
        if (!user->ok())
            QSKIP("cannot give up root rights, so a read-only folder would still be written");
        break;
    case Situation::LockFolderNotEmpty:
        QVERIFY(putFile(lock + QStringLiteral("/inside"), "x"));
        break;
    case Situation::LockFolder:
        QVERIFY(QDir().mkpath(lock));
        break;
    case Situation::HeldLock:
        held = std::make_unique<QLockFile>(lock);
        QVERIFY(held->tryLock());
        break;
    case Situation::DeadHoldersLock: {
        // A child process takes the lock and ends without giving it back.
        const pid_t child = ::fork();
        if (child == 0) {
            QLockFile orphan(lock);
            ::_exit(orphan.tryLock() ? 0 : 1);
        }
        int childStatus = 0;
        QVERIFY(::waitpid(child, &childStatus, 0) == child && WIFEXITED(childStatus)
                && WEXITSTATUS(childStatus) == 0);
        QVERIFY(QFileInfo::exists(lock));
        break;
    }
    case Situation::OwnedByAnother:
        // Root saves a player's file: it stays the player's.
        if (::geteuid() != 0)
            QSKIP("only root may give a file to another user");
        QVERIFY(::chown(QFile::encodeName(path).constData(), 4242, 4343) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        break;
    case Situation::Leftover:
        QVERIFY(putFile(folder + QStringLiteral("/.taviqgame.ini.Ab12Cd"), "[Times]\nHard=\" 1\"\n"));
        // Only the game's own temporary files go.
        QVERIFY(putFile(folder + QStringLiteral("/.TaviqGame.INI.saved1"), "mine"));
        break;
    case Situation::LockPipe:
        QVERIFY(::mkfifo(QFile::encodeName(lock).constData(), 0644) == 0);
        break;
    case Situation::EmptyLock:
    case Situation::OldEmptyLock:
    case Situation::OldForeignLock: {
        QVERIFY(putFile(lock, situation == Situation::OldForeignLock ? QByteArray("1\nTaviqGame\nfaraway\n")
                                                                     : QByteArray()));
        if (situation != Situation::EmptyLock) {
            const struct timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
            QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(lock).constData(), hourAgo, 0) == 0);
        }
        break;
    }
    case Situation::UnreadableLock:
        QVERIFY(putFile(lock, QByteArray("1\nsomebody\nelsewhere\n")));
        QVERIFY(::chmod(QFile::encodeName(lock).constData(), 0) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        user = std::make_unique<AsOrdinaryUser>();
        if (!user->ok())
            QSKIP("cannot give up root rights, so every lock would be readable");
        break;
    default:
        break;
    }
    // (A pipe or a device is never read, by the test either.)
    const bool special = situation == Situation::Pipe || situation == Situation::DeviceLink;
    const QByteArray before = special ? QByteArray() : fileBytes(target);

    // Reading never blocks, and what cannot be read gives the default.
    QElapsedTimer clock;
    clock.start();
    const QString read = store.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QStringLiteral("Anon"));
    if (situation == Situation::Pipe || situation == Situation::DeviceLink || situation == Situation::Utf16File)
        QCOMPARE(read, QStringLiteral("Anon"));

    StoreMessages messages;
    const SaveResult result = store.write(
        kApp, {{QStringLiteral("Names"), QStringLiteral("Hard"), QStringLiteral("Kim")},
               {QStringLiteral("Times"), QStringLiteral("Hard"), QStringLiteral(" 95")}});
    const QString text = messages.text();
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    user.reset();
    held.reset();

    QVERIFY2(result.status == status, qPrintable(text));
    if (said.isEmpty())
        QVERIFY2(text.isEmpty(), qPrintable(text));
    else
        QVERIFY2(QRegularExpression(said, QRegularExpression::MultilineOption).match(text).hasMatch(),
                 qPrintable(text));
    QCOMPARE(result.failure.has_value(), status == SaveResult::Status::Failed);

    if (special) {
        QVERIFY(!QFileInfo(target).isFile() && QFileInfo::exists(target));
    } else if (after == FileAfter::Unchanged) {
        QCOMPARE(fileBytes(target), before);
    } else {
        // A fresh store reads the file as saved, the link still leads to it.
        SettingsStore next(folder);
        QCOMPARE(next.read(kApp, QStringLiteral("names"), QStringLiteral("hard"), QString()), QStringLiteral("Kim"));
        QCOMPARE(next.read(kApp, QStringLiteral("Times"), QStringLiteral("Hard"), QString()), QStringLiteral(" 95"));
        QCOMPARE(QFileInfo(path).isSymLink(), target != path);
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
        if (situation == Situation::OwnedByAnother)
            QVERIFY(st.st_uid == 4242 && st.st_gid == 4343 && (st.st_mode & 07777) == 0640);
        if (situation == Situation::Leftover)
            QCOMPARE(folderContents(folder), (QStringList{QStringLiteral(".TaviqGame.INI.saved1"), QStringLiteral("taviqgame.ini")}));
        if (text.contains(QStringLiteral("unreadable")))
            QCOMPARE(fileBytes(path + QStringLiteral(".unreadable")), before);
        else
            QVERIFY(keepsLines(before, fileBytes(target), [](QByteArrayView) { return false; }));
    }
    // Nothing is left beside the file but what was there, or the copy.
    if (situation != Situation::LockFolderNotEmpty && after == FileAfter::NewContent) {
        for (const QString &name : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            QVERIFY2(name == QStringLiteral("taviqgame.ini") || name == QStringLiteral("taviqgame.ini.unreadable")
                         || name == QStringLiteral(".TaviqGame.INI.saved1"),
                     qPrintable(name));
        }
    }
}

void TestSettingsStore::recordRaceBetweenTwoCopies()
{
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    SettingsStore first(dir.path());
    SettingsStore second(dir.path());
    const auto record = [](SettingsStore &store, const QString &name, int seconds) {
        return store.write(kApp,
                           {{QStringLiteral("Names"), QStringLiteral("Easy"), name},
                            {QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral(" %1").arg(seconds)}},
                           [seconds](const SettingsStore::Reader &read) {
                               return read(QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral("480"))
                                          .toDouble()
                                      > seconds;
                           });
    };
    // Both have read the empty store; the first stores 50 s, then the second,
    // which never saw it, tries 100 s and then 50 s: neither may replace it.
    QCOMPARE(first.read(kApp, QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral("480")),
             QStringLiteral("480"));
    QCOMPARE(second.read(kApp, QStringLiteral("Times"), QStringLiteral("Easy"), QStringLiteral("480")),
             QStringLiteral("480"));
    QCOMPARE(record(first, QStringLiteral("Ann"), 50).status, SaveResult::Status::Saved);
    QCOMPARE(record(second, QStringLiteral("Bob"), 100).status, SaveResult::Status::Refused);
    QCOMPARE(record(second, QStringLiteral("Bob"), 50).status, SaveResult::Status::Refused);
    // The refused copy now reads the record it could not beat.
    QCOMPARE(second.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QString()), QStringLiteral("Ann"));
    QCOMPARE(record(second, QStringLiteral("Cy"), 40).status, SaveResult::Status::Saved);
    SettingsStore next(dir.path());
    QCOMPARE(next.read(kApp, QStringLiteral("Names"), QStringLiteral("Easy"), QString()), QStringLiteral("Cy"));
    QCOMPARE(next.read(kApp, QStringLiteral("Times"), QStringLiteral("Easy"), QString()), QStringLiteral(" 40"));
}

void TestSettingsStore::twoProcessesLoseNoUpdate()
{
    // Two copies of the game save entries of their own, as fast as they can:
    // every save reports success, and every entry saved is in the file.
    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    constexpr int kRounds = 300;
    const auto saveAll = [&](const QString &key) {
        SettingsStore store(dir.path());
        for (int i = 0; i < kRounds; ++i) {
            if (!store.write(kApp, QStringLiteral("Names"), key + QString::number(i), QString::number(i)))
                return false;
        }
        return true;
    };
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(saveAll(QStringLiteral("b")) ? 0 : 1);
    QVERIFY(child > 0);
    const bool saved = saveAll(QStringLiteral("a"));
    int childStatus = 0;
    QVERIFY(::waitpid(child, &childStatus, 0) == child);
    QVERIFY(saved);
    QVERIFY(WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0);
    const QByteArray bytes = fileBytes(SettingsStore(dir.path()).filePath(kApp));
    for (int i = 0; i < kRounds; ++i) {
        for (const char *key : {"a", "b"})
            QVERIFY2(bytes.contains(QByteArray(key) + QByteArray::number(i) + '=' + QByteArray::number(i) + '\n'),
                     qPrintable(QStringLiteral("%1%2").arg(QLatin1StringView(key)).arg(i)));
    }
}

void TestSettingsStore::relativeConfigHomeIsIgnored()
{
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", home);
        config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
    });
    qputenv("HOME", "/home/player");
    qputenv("XDG_CONFIG_HOME", "relcfg");
    QCOMPARE(SettingsStore::defaultFolder(), QStringLiteral("/home/player/.config/taviq"));
    qputenv("XDG_CONFIG_HOME", "/srv/config/");
    QCOMPARE(SettingsStore::defaultFolder(), QStringLiteral("/srv/config/taviq"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
