// The game over settings files of any content: hand-edited, damaged, binary,
// huge, read-only, or a folder where the file should be. Each run loads the
// file, deals a game, plays a few moves, wins by taking back every move (so
// that a best time may be stored) and closes. Nothing may crash, the values
// taken from the file must be usable, every entry the game does not own must
// come back exactly as it was, and what the game wrote must be there for the
// next start.
#include "as_ordinary_user.h"
#include "core_helpers.h"
#include "corpus_helpers.h"
#include "game_flow.h"

#include "app/lifecycle.h"
#include "store/conversions.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>

namespace {

const QString kNone = QStringLiteral("<none>");
const QStringList kDifficulties{QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Hard")};

enum class Placement { ReadOnlyFile, Folder };

// What one run of the game did.
struct Played
{
    QString loadedDifficulty;
    qint16 limit = 0;
    // The difficulty of the game that was won, which is also the one in force
    // at the end.
    QString difficulty;
    int elapsed = 0;
    bool record = false;
    bool notSaved = false;
    double bestEasy = 0;
    double bestMedium = 0;
    qint16 bestHard = 0;
};

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

double bestTimeOf(const ScoreVariables &scores, const QString &difficulty)
{
    if (difficulty == u"Easy")
        return scores.BestEasy;
    if (difficulty == u"Medium")
        return scores.BestMedium;
    return scores.BestHard;
}

// Section and key of an entry path, or nothing for a nested entry (which the
// game can neither read nor write).
bool splitEntry(const QString &path, QString &section, QString &key)
{
    const QStringList parts = path.split(u'/');
    if (parts.size() != 2)
        return false;
    section = parts.at(0);
    key = parts.at(1);
    return true;
}

// The entries the game writes, as (section, key) -> value.
struct Written
{
    QString section;
    QString key;
    QString value;
};

const Written *writtenEntry(const QList<Written> &written, const QString &path)
{
    QString section;
    QString key;
    if (!splitEntry(path, section, key))
        return nullptr;
    for (const Written &w : written) {
        if (w.section.compare(section, Qt::CaseInsensitive) == 0 && w.key.compare(key, Qt::CaseInsensitive) == 0)
            return &w;
    }
    return nullptr;
}

// Loads, deals, plays a few moves, lets two seconds pass when the limit
// allows it, wins by taking back every recorded move, and closes.
void play(corpus::ProgramRun &run, Played &played)
{
    GameState &game = run.game;
    Form_Load(game);
    played.loadedDifficulty = probe(game).deal.Difficulty;
    played.limit = probe(game).clock.TimeLimitMinutes;
    // The option buttons follow an exact difficulty name and stay on Easy
    // for anything else.
    const DifficultyLevel *expectedOption = probe(game).deal.Difficulty == u"Medium" ? level(u"Medium")
                                            : probe(game).deal.Difficulty == u"Hard" ? level(u"Hard")
                                                                         : level(u"Easy");
    QCOMPARE(probe(game).controls.checkedOption, expectedOption);

    Form_Activate(game);
    QVERIFY2(kDifficulties.contains(probe(game).deal.Difficulty), qPrintable(probe(game).deal.Difficulty));
    QVERIFY(std::isfinite(run.scores.BestEasy));
    QVERIFY(std::isfinite(run.scores.BestMedium));
    played.bestEasy = run.scores.BestEasy;
    played.bestMedium = run.scores.BestMedium;
    played.bestHard = run.scores.BestHard;
    QCOMPARE(probe(game).controls.stbtimer.panels[0], GameState::clockText(played.limit, 0));
    QCOMPARE(probe(game).controls.stbtimer.panels[1], probe(game).deal.Difficulty);
    QVERIFY(core::wellFormedHistory(probe(game).board.MoveHistory));
    QVERIFY(core::hiddenCount(game) == 1);

    for (const core::TileMove &m : core::kTileMoves)
        game.Form_KeyDown(m.padKey);
    if (probe(game).clock.TimeLimitMinutes >= 1) {
        game.tmrtime_Timer();
        game.tmrtime_Timer();
    }
    QVERIFY2(run.dialogs.log.isEmpty(), qPrintable(run.dialogs.log.join(u'\n')));
    played.difficulty = probe(game).deal.Difficulty;
    played.elapsed = probe(game).clock.ElapsedSeconds;
    const double best = bestTimeOf(run.scores, played.difficulty);

    // Take back every move, newest first, by clicking the tile that undoes
    // it, until the game is won.
    const QStringList moves = core::recordedMoves(probe(game).board.MoveHistory);
    for (qsizetype i = moves.size() - 1; i >= 0 && run.dialogs.log.isEmpty(); --i) {
        game.LocateBlank();
        game.cmdcheck_Click(probe(game).board.BlankIndex + core::undoOf(moves.at(i)).tileOffset);
    }
    QVERIFY2(run.dialogs.log.first().startsWith(u"winner:"), qPrintable(run.dialogs.log.first()));
    played.record = run.dialogs.log.first() == u"winner:top";
    // A record that could not be saved is told to the player.
    played.notSaved = run.dialogs.log.size() == 2
                      && run.dialogs.log.at(1).startsWith(
                          u"message:Not Saved|Your best time could not be saved:\r");
    QCOMPARE(run.dialogs.log.size(), played.notSaved ? 2 : 1);
    // A best time is one the game beat; anything that reads as no number at
    // all cannot be beaten.
    QCOMPARE(played.record, best > played.elapsed);
    QCOMPARE(probe(game).deal.Difficulty, played.difficulty);

    Form_Unload(game);
}

} // namespace

Q_DECLARE_METATYPE(Placement)

class TestBrokenSettings : public QObject
{
    Q_OBJECT

private slots:
    void survivesAnyFile_data();
    void survivesAnyFile();
    void leavesAnUnwritableStoreAlone_data();
    void leavesAnUnwritableStoreAlone();
};

void TestBrokenSettings::survivesAnyFile_data()
{
    QTest::addColumn<QByteArray>("content");

    const QString folder = QFINDTESTDATA("../data/broken-settings");
    QVERIFY(!folder.isEmpty());
    const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 33);
    for (const QString &name : files) {
        const QByteArray bytes = fileBytes(QDir(folder).filePath(name));
        QTest::newRow(qPrintable(name)) << bytes;
    }

    QTest::newRow("random bytes") << corpus::randomBytes(20240611, 4096);
    QTest::newRow("random bytes, other seed") << corpus::randomBytes(77, 512);
    QTest::newRow("random INI-like bytes") << corpus::randomIniLikeBytes(31337, 8192);
    QTest::newRow("random INI-like bytes, other seed") << corpus::randomIniLikeBytes(5, 2048);
    QTest::newRow("NUL bytes inside entries")
        << QByteArray("[Difficulty]\ndiff=Medi\0um\n[Times]\nTimelimit= 7\0 9\nEasy=\0\n[Na\0mes]\nEasy=Ad\0a\n[Names]\nHard=Li\0nus\n",
                      84);
    // Written back, a list with a NUL character in an item comes out as a
    // list of variants.
    QTest::newRow("NUL characters in list items")
        << QByteArray("[Difficulty]\ndiff=Easy\n[Names]\nMedium=Ada\\0Lovelace, Grace\n");
    QTest::newRow("invalid UTF-8") << corpus::invalidUtf8();
    QTest::newRow("a line of one megabyte") << corpus::megabyteLine();
    QTest::newRow("values of one megabyte") << corpus::megabyteValues();
    QTest::newRow("numbers beyond 64 bits") << corpus::beyond64Bits();
}

void TestBrokenSettings::survivesAnyFile()
{
    QFETCH(QByteArray, content);

    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    const QString folder = dir.path();
    const QString file = QDir(folder).filePath(corpus::kFileName);
    QVERIFY(putFile(file, content));
    const corpus::Entries before = corpus::readEntries(file);
    QVERIFY(before.readable);
    const corpus::FileCopy original(file);
    QVERIFY(original.ok);

    Played played;
    {
        corpus::ProgramRun run(folder);
        QCOMPARE(run.store.filePath(kApplication), file);
        play(run, played);
        if (QTest::currentTestFailed())
            return;
    }

    // The difficulty as loaded is the stored text of the difficulty entry, or
    // the default when there is none.
    QStringList storedDifficulties{QStringLiteral("Easy")};
    for (auto it = before.values.cbegin(); it != before.values.cend(); ++it) {
        if (it.key().compare(u"Difficulty/diff", Qt::CaseInsensitive) == 0)
            storedDifficulties << corpus::valueText(it.value());
    }
    QVERIFY2(storedDifficulties.contains(played.loadedDifficulty), qPrintable(played.loadedDifficulty));

    // The file is still one that parses.
    QVERIFY(QFileInfo(file).isFile());
    const corpus::Entries after = corpus::readEntries(file);
    QVERIFY(after.readable);
    // A path that names nothing is kept in a form the reader flags again;
    // everything else is written cleanly.
    if (!before.unaddressable)
        QCOMPARE(after.status, QSettings::NoError);

    QList<Written> written{
        {QStringLiteral("Difficulty"), QStringLiteral("diff"), played.difficulty},
        {QStringLiteral("Times"), QStringLiteral("Timelimit"), NumberText(played.limit)},
    };
    if (played.record) {
        written << Written{QStringLiteral("Names"), played.difficulty, QStringLiteral("Tester")}
                << Written{QStringLiteral("Times"), played.difficulty, NumberText(played.elapsed)};
    }

    // Every entry that was there is still there. Those the game does not
    // write keep their value; of those it writes, one spelling may now hold
    // the new value.
    for (auto it = before.values.cbegin(); it != before.values.cend(); ++it) {
        const QString &path = it.key();
        QVERIFY2(after.values.contains(path), qPrintable(QStringLiteral("lost the entry %1").arg(shown(path))));
        const QVariant &now = after.values.value(path);
        const Written *w = writtenEntry(written, path);
        const bool same = now == it.value();
        const bool replaced = w && now == QVariant(w->value);
        QVERIFY2(same || replaced,
                 qPrintable(QStringLiteral("the entry %1 changed from '%2' to '%3'")
                                .arg(shown(path), shown(corpus::valueText(it.value())), shown(corpus::valueText(now)))));
    }
    // Nothing appears but what the game wrote.
    for (auto it = after.values.cbegin(); it != after.values.cend(); ++it) {
        if (before.values.contains(it.key()) || before.collapsed.contains(it.key()))
            continue;
        const Written *w = writtenEntry(written, it.key());
        QVERIFY2(w, qPrintable(QStringLiteral("a new entry %1").arg(shown(it.key()))));
        QCOMPARE(it.value(), QVariant(w->value));
    }

    // Through the store itself: every entry it could read before reads the
    // same now, but for those the game wrote.
    {
        const corpus::FileCopy now(file);
        QVERIFY(now.ok);
        const SettingsStore was(original.folder());
        const SettingsStore is(now.folder());
        for (auto it = before.values.cbegin(); it != before.values.cend(); ++it) {
            QString section;
            QString key;
            if (!splitEntry(it.key(), section, key) || section.contains(u'\\') || key.contains(u'\\')
                || writtenEntry(written, it.key()))
                continue;
            const QString then = was.read(kApplication, section, key, kNone);
            QVERIFY2(is.read(kApplication, section, key, kNone) == then,
                     qPrintable(QStringLiteral("the store reads %1 as '%2' instead of '%3'")
                                    .arg(shown(it.key()), shown(is.read(kApplication, section, key, kNone)),
                                         shown(then))));
        }
    }

    // What the game wrote is on the disk, and the next start takes it up. The
    // next start is another process: it reads a copy.
    QVERIFY(!played.notSaved);
    const corpus::FileCopy next(file);
    QVERIFY(next.ok);
    {
        const SettingsStore reader(next.folder());
        QCOMPARE(reader.read(kApplication, QStringLiteral("Difficulty"), QStringLiteral("Diff"), kNone), played.difficulty);
        QCOMPARE(reader.read(kApplication, QStringLiteral("Times"), QStringLiteral("Timelimit"), kNone),
                 NumberText(played.limit));
        if (played.record) {
            QCOMPARE(reader.read(kApplication, QStringLiteral("Names"), played.difficulty.toLower(), kNone),
                     QStringLiteral("Tester"));
            QCOMPARE(reader.read(kApplication, QStringLiteral("Times"), played.difficulty, kNone),
                     NumberText(played.elapsed));
        }
    }
    corpus::ProgramRun restart(next.folder(), 99);
    Form_Load(restart.game);
    QCOMPARE(probe(restart.game).deal.Difficulty, played.difficulty);
    QCOMPARE(probe(restart.game).clock.TimeLimitMinutes, played.limit);
    Form_Activate(restart.game);
    if (played.record)
        QCOMPARE(bestTimeOf(restart.scores, played.difficulty), double(played.elapsed));

    // No lock or temporary file is left behind; content the store could not
    // carry over is kept, unchanged, in a copy beside the file.
    const QString copy = corpus::kFileName + QStringLiteral(".unreadable");
    const QStringList left = folderContents(folder);
    QVERIFY2(left == QStringList{corpus::kFileName} || left == (QStringList{corpus::kFileName, copy}),
             qPrintable(left.join(u' ')));
    if (left.contains(copy))
        QCOMPARE(fileBytes(QDir(folder).filePath(copy)), content);
}

void TestBrokenSettings::leavesAnUnwritableStoreAlone_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Placement>("placement");

    QTest::newRow("read-only file") << corpus::completeFile() << Placement::ReadOnlyFile;
    QTest::newRow("read-only file, unclosed section")
        << QByteArray("[Difficulty]\ndiff=Hard\n[Times\nTimelimit=\" 10\"\n") << Placement::ReadOnlyFile;
    QTest::newRow("read-only empty file") << QByteArray() << Placement::ReadOnlyFile;
    QTest::newRow("a folder in the file's place") << QByteArray() << Placement::Folder;
}

void TestBrokenSettings::leavesAnUnwritableStoreAlone()
{
    QFETCH(QByteArray, content);
    QFETCH(Placement, placement);

    QTemporaryDir dir(scratchTemplate());
    QVERIFY(dir.isValid());
    const QString folder = dir.path();
    const QString file = QDir(folder).filePath(corpus::kFileName);
    if (placement == Placement::Folder) {
        QVERIFY(QDir(folder).mkdir(corpus::kFileName));
    } else {
        QVERIFY(putFile(file, content));
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0444) == 0);
        // Anyone may create and remove files beside it.
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
    }

    Played played;
    {
        corpus::ProgramRun run(folder);
        if (placement == Placement::ReadOnlyFile) {
            AsOrdinaryUser user;
            if (!user.ok())
                QSKIP("cannot give up the rights that ignore file permissions");
            play(run, played);
        } else {
            play(run, played);
        }
        if (QTest::currentTestFailed())
            return;
    }

    QCOMPARE(played.notSaved, played.record);
    if (placement == Placement::Folder) {
        QVERIFY(QFileInfo(file).isDir());
        QVERIFY(folderContents(file).isEmpty());
        QCOMPARE(played.loadedDifficulty, QStringLiteral("Easy"));
        QCOMPARE(int(played.limit), 10);
    } else {
        QCOMPARE(fileBytes(file), content);
    }
    QCOMPARE(folderContents(folder), QStringList{corpus::kFileName});

    // Nothing that failed to reach the disk lingers in memory: the next start
    // finds what the first one found.
    corpus::ProgramRun restart(folder, 99);
    Form_Load(restart.game);
    QCOMPARE(probe(restart.game).deal.Difficulty, played.loadedDifficulty);
    QCOMPARE(probe(restart.game).clock.TimeLimitMinutes, played.limit);
    Form_Activate(restart.game);
    QCOMPARE(restart.scores.BestEasy, played.bestEasy);
    QCOMPARE(restart.scores.BestMedium, played.bestMedium);
    QCOMPARE(restart.scores.BestHard, played.bestHard);
}

QTEST_GUILESS_MAIN(TestBrokenSettings)
#include "test_broken_settings.moc"
