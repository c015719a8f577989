// The main window's lifecycle: the load step, the first activation that deals
// the first game, and the unload step that keeps difficulty and time limit or
// tells the player, as the window closes, why it could not.
#include "core_helpers.h"
#include "windows_fixture.h"

#include "app/lifecycle.h"

#include <QtTest>

#include <QDir>
#include <QFile>

namespace {

const QString kNone = QStringLiteral("<none>");

QStringList labelledBoard()
{
    QStringList cells;
    for (int i = 1; i <= 15; ++i)
        cells << QString::number(i);
    cells << QStringLiteral("_");
    return cells;
}

} // namespace

Q_DECLARE_METATYPE(const DifficultyLevel *)

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
    void closingWhenTheSettingsCannotBeSaved_data();
    void closingWhenTheSettingsCannotBeSaved();
};

void TestLifecycle::loadWithAnEmptyStore()
{
    GameFixture f;
    ProgressRecorder progress(f.game);
    f.game.setObserver(&progress);
    // Leftovers the load step must set itself.
    f.layOut(3);
    probe(f.game).clock.secondsLeft = 12;
    probe(f.game).phase = Phase::Paused;
    setHistory(probe(f.game).board, QStringList{"", "u", ""});
    probe(f.game).setAutoStepperRunning(true);

    Form_Load(f.game);

    QCOMPARE(probe(f.game).deal.difficulty, QStringLiteral("Easy"));
    QCOMPARE(int(probe(f.game).clock.timeLimitMinutes), 10);
    QCOMPARE(probe(f.game).options.level, level(u"Easy"));
    QCOMPARE(core::boardText(f.game), labelledBoard());
    QVERIFY(!probe(f.game).clock.underWay);
    QCOMPARE(probe(f.game).phase, Phase::Playing);
    QCOMPARE(historyText(probe(f.game).board), (QStringList{QString(), QString()}));
    QCOMPARE(probe(f.game).clock.secondsLeft, 0);
    QCOMPARE(int(probe(f.game).deal.activationCount), 0);
    QVERIFY(!probe(f.game).clock.running);
    QVERIFY(!probe(f.game).autoPlay.stepping);
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
    QCOMPARE(int(probe(f.game).clock.timeLimitMinutes), minutes);
}

void TestLifecycle::storedDifficulty_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<const DifficultyLevel *>("checked");
    QTest::addColumn<QString>("played");
    QTest::addColumn<int>("shuffleMoves");

    QTest::newRow("Easy") << "Easy" << level(u"Easy") << "Easy" << 60;
    QTest::newRow("Medium") << "Medium" << level(u"Medium") << "Medium" << 120;
    QTest::newRow("Hard") << "Hard" << level(u"Hard") << "Hard" << 200;
    // Difficulty names compare with their case: anything else leaves the
    // Easy button checked as the window is created, and the first game reads
    // "Easy" back.
    QTest::newRow("easy") << "easy" << level(u"Easy") << "Easy" << 60;
    QTest::newRow("HARD") << "HARD" << level(u"Easy") << "Easy" << 60;
    QTest::newRow("Hard with a blank") << "Hard " << level(u"Easy") << "Easy" << 60;
    QTest::newRow("empty") << "" << level(u"Easy") << "Easy" << 60;
}

void TestLifecycle::storedDifficulty()
{
    QFETCH(QString, stored);
    QFETCH(const DifficultyLevel *, checked);
    QFETCH(QString, played);
    QFETCH(int, shuffleMoves);

    GameFixture f;
    ProgressRecorder progress(f.game);
    f.game.setObserver(&progress);
    // Written the way the unload step writes it, read back under "Diff".
    QVERIFY(f.store.write(kApplication, QStringLiteral("Difficulty"), QStringLiteral("diff"), stored));

    Form_Load(f.game);
    QCOMPARE(probe(f.game).deal.difficulty, stored);
    QCOMPARE(probe(f.game).options.level, checked);

    Form_Activate(f.game);
    QCOMPARE(probe(f.game).deal.difficulty, played);
    QCOMPARE(probe(f.game).options.level, checked);
    QCOMPARE(probe(f.game).deal.shuffleMoves, shuffleMoves);
    QVERIFY(!progress.values.empty());
    QCOMPARE(progress.values.back(), shuffleMoves);
    QVERIFY(core::wellFormedHistory(historyText(probe(f.game).board)));
    QVERIFY(historyText(probe(f.game).board).size() - 2 <= shuffleMoves);
}

void TestLifecycle::onlyTheFirstActivationDealsAGame()
{
    GameFixture f;
    Form_Load(f.game);
    Form_Activate(f.game);

    QCOMPARE(f.random.seeds, 1);
    QVERIFY(historyText(probe(f.game).board).size() > 2);
    QCOMPARE(clockLine(probe(f.game).clock), QStringLiteral("Timer : 10 : 0"));
    QCOMPARE(probe(f.game).deal.difficulty, QStringLiteral("Easy"));
    // The clock waits for the first move.
    QVERIFY(!probe(f.game).clock.running);
    QVERIFY(probe(f.game).clock.firstMovePending);
    QCOMPARE(probe(f.game).clock.secondsLeft, 0);
    QVERIFY(!probe(f.game).clock.underWay);

    // Back from another window, in the middle of a game.
    const int blank = core::hiddenCell(f.game);
    const int neighbour = blank % 4 == 0 ? blank + 1 : blank - 1;
    f.game.clickTile(neighbour);
    f.game.tickClock();
    const QStringList board = core::boardText(f.game);
    const QStringList history = historyText(probe(f.game).board);
    const int secondsLeft = probe(f.game).clock.secondsLeft;
    QVERIFY(probe(f.game).clock.running);

    Form_Activate(f.game);
    Form_Activate(f.game);

    QCOMPARE(f.random.seeds, 1);
    QCOMPARE(core::boardText(f.game), board);
    QCOMPARE(historyText(probe(f.game).board), history);
    QCOMPARE(probe(f.game).clock.secondsLeft, secondsLeft);
    QCOMPARE(probe(f.game).clock.elapsedSeconds, 1);
    QVERIFY(probe(f.game).clock.running);
}

void TestLifecycle::unloadWritesAndARestartRestores_data()
{
    QTest::addColumn<const DifficultyLevel *>("option");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("limitText");
    QTest::newRow("Easy, 10") << level(u"Easy") << 10 << " 10";
    QTest::newRow("Medium, 25") << level(u"Medium") << 25 << " 25";
    QTest::newRow("Hard, 1") << level(u"Hard") << 1 << " 1";
    QTest::newRow("Easy, 0") << level(u"Easy") << 0 << " 0";
}

void TestLifecycle::unloadWritesAndARestartRestores()
{
    QFETCH(const DifficultyLevel *, option);
    QFETCH(int, limit);
    QFETCH(QString, limitText);

    QTemporaryDir dir(scratchTemplate());
    QString difficulty;
    {
        ProgramRun first(dir.path(), 77);
        Form_Load(first.game);
        Form_Activate(first.game);
        // The options panel changes both in memory only.
        probe(first.game).options.level = option;
        probe(first.game).readDifficulty();
        probe(first.game).clock.timeLimitMinutes = static_cast<qint16>(limit);
        difficulty = probe(first.game).deal.difficulty;
        Form_Unload(first.game);

        SettingsStore reader(dir.path());
        QCOMPARE(reader.read(kApplication, QStringLiteral("Difficulty"), QStringLiteral("diff"), kNone), difficulty);
        QCOMPARE(reader.read(kApplication, QStringLiteral("Times"), QStringLiteral("Timelimit"), kNone), limitText);
    }

    ProgramRun second(dir.path(), 77);
    Form_Load(second.game);
    QCOMPARE(probe(second.game).deal.difficulty, difficulty);
    QCOMPARE(probe(second.game).options.level, option);
    QCOMPARE(int(probe(second.game).clock.timeLimitMinutes), limit);
    Form_Activate(second.game);
    QCOMPARE(probe(second.game).deal.difficulty, difficulty);
    QCOMPARE(probe(second.game).clock.reading, (ClockReading{limit, 0}));
}

void TestLifecycle::unloadToAnUnwritableFolder()
{
    // A store folder below a plain file can be neither created nor written.
    QTemporaryDir dir(scratchTemplate());
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QVERIFY(putFile(blocker, "not a folder"));
    ProgramRun run(blocker + QStringLiteral("/store"), 77);
    Form_Load(run.game);
    QCOMPARE(probe(run.game).deal.difficulty, QStringLiteral("Easy"));
    QCOMPARE(int(probe(run.game).clock.timeLimitMinutes), 10);
    Form_Activate(run.game);

    Form_Unload(run.game);

    // Nothing reached the disk: the next start finds no entry.
    QCOMPARE(SettingsStore(blocker + QStringLiteral("/store"))
                 .read(kApplication, QStringLiteral("Times"), QStringLiteral("Timelimit"), kNone),
             kNone);
    QVERIFY(QFileInfo(blocker).isFile());
}

void TestLifecycle::closingWhenTheSettingsCannotBeSaved_data()
{
    QTest::addColumn<bool>("onRequest");
    QTest::addColumn<QStringList>("shown");
    // The close box: the player is told over the window, which goes once
    // the message is answered.
    QTest::newRow("close box") << false << QStringList{QStringLiteral("Not Saved")};
    // A signal: nobody waits for an answer; the log on standard error tells.
    QTest::newRow("on request") << true << QStringList{};
}

void TestLifecycle::closingWhenTheSettingsCannotBeSaved()
{
    QFETCH(bool, onRequest);
    QFETCH(QStringList, shown);

    // Wired as the program wires its window.
    MainWindowFixture f;
    Form_Load(f.fx.game);
    QObject::connect(&f.window, &frmMain::closing, &f.window, [&f] { Form_Unload(f.fx.game); });
    const QString path = f.fx.store.filePath(kApplication);
    QVERIFY(QDir().mkpath(path));
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));

    ModalCloser closer;
    bool windowBehind = false;
    closer.whileOpen = [&](QWidget *) { windowBehind = f.window.isVisible(); };
    QTimer::singleShot(0, &f.window, [&f, onRequest] {
        if (onRequest)
            f.window.closeOnRequest();
        else
            f.window.close();
    });
    // The program's event loop ends with its last window; a loop that goes
    // on is cut short.
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    stuck.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);

    QCOMPARE(closer.titles(), shown);
    if (!shown.isEmpty()) {
        QCOMPARE(closer.shown[0].icon, QMessageBox::Warning);
        QCOMPARE(closer.shown[0].text,
                 QStringLiteral("Your settings could not be saved:\nThe settings file %1 is a folder.").arg(path));
        QVERIFY(windowBehind);
    }
    QVERIFY(!f.window.isVisible());
}

QTEST_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
