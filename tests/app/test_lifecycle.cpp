// The main window's lifecycle: the load step, the first activation that deals
// the first game, and the unload step that keeps difficulty and time limit.
#include "core_helpers.h"
#include "game_fixture.h"

#include "app/lifecycle.h"

#include <QtTest>

#include <QFile>

namespace {

const QString kNone = QStringLiteral("<none>");

QStringList labelledBoard()
{
    QStringList cells;
    for (int i = 1; i <= 15; ++i)
        cells << QString::number(i);
    cells << QStringLiteral("[16]");
    return cells;
}

} // namespace

Q_DECLARE_METATYPE(DifficultyOption)

class TestLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void loadWithAnEmptyStore();
    void storedTimeLimit_data();
    void storedTimeLimit();
    void storedDifficulty_data();
    void storedDifficulty();
    void onlyTheFirstActivationDealsAGame();
    void unloadWritesAndARestartRestores_data();
    void unloadWritesAndARestartRestores();
    void unloadToAnUnwritableFolder();
};

void TestLifecycle::loadWithAnEmptyStore()
{
    GameFixture f;
    ProgressRecorder progress(f.game);
    f.game.setObserver(&progress);
    // Leftovers the load step must set itself.
    for (Cell &cell : f.game.cmdcheck)
        cell.caption = QStringLiteral("x");
    f.game.SecondsLeft = 12;
    f.game.BoardActive = false;
    f.game.MoveHistory = QStringList{"", "u", ""};
    f.game.setAutoStepperRunning(true);

    Form_Load(f.game);

    QCOMPARE(f.game.Difficulty, QStringLiteral("Easy"));
    QCOMPARE(int(f.game.TimeLimitMinutes), 10);
    QCOMPARE(f.game.checkedOption, DifficultyOption::Easy);
    QCOMPARE(core::boardText(f.game), labelledBoard());
    QVERIFY(!f.game.cmdpause.enabled);
    QVERIFY(f.game.BoardActive);
    QCOMPARE(f.game.MoveHistory, (QStringList{QString(), QString()}));
    QCOMPARE(f.game.SecondsLeft, 0);
    QCOMPARE(int(f.game.ActivationCount), 0);
    QVERIFY(!f.game.tmrtimeEnabled);
    QVERIFY(!f.game.tmrautoEnabled);
    // No shuffle at load, and the store is only read.
    QCOMPARE(f.random.seeds, 0);
    QVERIFY(progress.values.empty());
    QVERIFY(!QFile::exists(f.store.filePath(kApplication)));
}

void TestLifecycle::storedTimeLimit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minutes");
    QTest::newRow("as written, ' 10'") << " 10" << 10;
    QTest::newRow("' 25'") << " 25" << 25;
    QTest::newRow("12.5 rounds to even") << "12.5" << 12;
    QTest::newRow("13.5 rounds to even") << "13.5" << 14;
    QTest::newRow("12.6") << "12.6" << 13;
    QTest::newRow("digits then letters") << "15min" << 15;
    QTest::newRow("digits with a blank between") << "1 5" << 15;
    QTest::newRow("begins with a letter") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("16-bit edge") << "32767" << 32767;
    QTest::newRow("beyond 16 bits") << "99999" << 10;
    QTest::newRow("below 16 bits") << "-99999" << 10;
    QTest::newRow("beyond a double") << "1e400" << 10;
}

void TestLifecycle::storedTimeLimit()
{
    QFETCH(QString, text);
    QFETCH(int, minutes);
    GameFixture f;
    QVERIFY(f.store.write(kApplication, QStringLiteral("Times"), QStringLiteral("Timelimit"), text));
    Form_Load(f.game);
    QCOMPARE(int(f.game.TimeLimitMinutes), minutes);
}

void TestLifecycle::storedDifficulty_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<DifficultyOption>("checked");
    QTest::addColumn<QString>("played");
    QTest::addColumn<int>("shuffleMoves");

    QTest::newRow("Easy") << "Easy" << DifficultyOption::Easy << "Easy" << 60;
    QTest::newRow("Medium") << "Medium" << DifficultyOption::Medium << "Medium" << 120;
    QTest::newRow("Hard") << "Hard" << DifficultyOption::Hard << "Hard" << 200;
    // Difficulty names compare with their case: anything else leaves the
    // design's Easy button checked, and the first game reads "Easy" back.
    QTest::newRow("easy") << "easy" << DifficultyOption::Easy << "Easy" << 60;
    QTest::newRow("HARD") << "HARD" << DifficultyOption::Easy << "Easy" << 60;
    QTest::newRow("Hard with a blank") << "Hard " << DifficultyOption::Easy << "Easy" << 60;
    QTest::newRow("empty") << "" << DifficultyOption::Easy << "Easy" << 60;
}

void TestLifecycle::storedDifficulty()
{
    QFETCH(QString, stored);
    QFETCH(DifficultyOption, checked);
    QFETCH(QString, played);
    QFETCH(int, shuffleMoves);

    GameFixture f;
    ProgressRecorder progress(f.game);
    f.game.setObserver(&progress);
    // Written the way the unload step writes it, read back under "Diff".
    QVERIFY(f.store.write(kApplication, QStringLiteral("Difficulty"), QStringLiteral("diff"), stored));

    Form_Load(f.game);
    QCOMPARE(f.game.Difficulty, stored);
    QCOMPARE(f.game.checkedOption, checked);

    Form_Activate(f.game);
    QCOMPARE(f.game.Difficulty, played);
    QCOMPARE(f.game.checkedOption, checked);
    QCOMPARE(f.game.stbtimerPanels[1], played);
    QCOMPARE(f.game.pgblengthMax, shuffleMoves);
    QVERIFY(!progress.values.empty());
    QCOMPARE(progress.values.back(), shuffleMoves);
    QVERIFY(core::wellFormedHistory(f.game.MoveHistory));
    QVERIFY(f.game.MoveHistory.size() - 2 <= shuffleMoves);
}

void TestLifecycle::onlyTheFirstActivationDealsAGame()
{
    GameFixture f;
    Form_Load(f.game);
    Form_Activate(f.game);

    QCOMPARE(f.random.seeds, 1);
    QVERIFY(f.game.MoveHistory.size() > 2);
    QCOMPARE(f.game.stbtimerPanels[0], QStringLiteral("Timer : 10 : 0"));
    QCOMPARE(f.game.stbtimerPanels[1], QStringLiteral("Easy"));
    // The clock waits for the first move.
    QVERIFY(!f.game.tmrtimeEnabled);
    QVERIFY(f.game.FirstMovePending);
    QCOMPARE(f.game.SecondsLeft, 0);
    QVERIFY(!f.game.cmdpause.enabled);

    // Back from another window, in the middle of a game.
    const int blank = core::hiddenCell(f.game);
    const int neighbour = blank % 4 == 0 ? blank + 1 : blank - 1;
    f.game.cmdcheck_Click(neighbour);
    f.game.tmrtime_Timer();
    const QStringList board = core::boardText(f.game);
    const QStringList history = f.game.MoveHistory;
    const int secondsLeft = f.game.SecondsLeft;
    QVERIFY(f.game.tmrtimeEnabled);

    Form_Activate(f.game);
    Form_Activate(f.game);

    QCOMPARE(f.random.seeds, 1);
    QCOMPARE(core::boardText(f.game), board);
    QCOMPARE(f.game.MoveHistory, history);
    QCOMPARE(f.game.SecondsLeft, secondsLeft);
    QCOMPARE(f.game.ElapsedSeconds, 1);
    QVERIFY(f.game.tmrtimeEnabled);
}

void TestLifecycle::unloadWritesAndARestartRestores_data()
{
    QTest::addColumn<DifficultyOption>("option");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("limitText");
    QTest::newRow("Easy, 10") << DifficultyOption::Easy << 10 << " 10";
    QTest::newRow("Medium, 25") << DifficultyOption::Medium << 25 << " 25";
    QTest::newRow("Hard, 1") << DifficultyOption::Hard << 1 << " 1";
    QTest::newRow("Easy, 0") << DifficultyOption::Easy << 0 << " 0";
}

void TestLifecycle::unloadWritesAndARestartRestores()
{
    QFETCH(DifficultyOption, option);
    QFETCH(int, limit);
    QFETCH(QString, limitText);

    QTemporaryDir dir;
    QString difficulty;
    {
        ProgramRun first(dir.path(), 77);
        Form_Load(first.game);
        Form_Activate(first.game);
        // The options panel changes both in memory only.
        first.game.checkedOption = option;
        first.game.ReadDifficulty();
        first.game.TimeLimitMinutes = static_cast<qint16>(limit);
        difficulty = first.game.Difficulty;
        Form_Unload(first.game);

        SettingsStore reader(dir.path());
        QCOMPARE(reader.read(kApplication, QStringLiteral("Difficulty"), QStringLiteral("diff"), kNone), difficulty);
        QCOMPARE(reader.read(kApplication, QStringLiteral("Times"), QStringLiteral("Timelimit"), kNone), limitText);
    }

    ProgramRun second(dir.path(), 77);
    Form_Load(second.game);
    QCOMPARE(second.game.Difficulty, difficulty);
    QCOMPARE(second.game.checkedOption, option);
    QCOMPARE(int(second.game.TimeLimitMinutes), limit);
    Form_Activate(second.game);
    QCOMPARE(second.game.stbtimerPanels[1], difficulty);
    QCOMPARE(second.game.stbtimerPanels[0], GameState::clockText(limit, 0));
}

void TestLifecycle::unloadToAnUnwritableFolder()
{
    // A store folder below a plain file can be neither created nor written.
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a folder");
    }
    ProgramRun run(blocker + QStringLiteral("/store"), 77);
    Form_Load(run.game);
    QCOMPARE(run.game.Difficulty, QStringLiteral("Easy"));
    QCOMPARE(int(run.game.TimeLimitMinutes), 10);
    Form_Activate(run.game);

    Form_Unload(run.game);

    // Nothing reached the disk: the next start finds no entry.
    QCOMPARE(SettingsStore(blocker + QStringLiteral("/store"))
                 .read(kApplication, QStringLiteral("Times"), QStringLiteral("Timelimit"), kNone),
             kNone);
    QVERIFY(QFileInfo(blocker).isFile());
}

QTEST_GUILESS_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
