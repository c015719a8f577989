// The game in French and German: every text has a translation, every text
// fits the control it stands in at the layout's size in every language (none
// drawn smaller to fit), and
// the settings file is the same whatever the language.
#include "core_helpers.h"
#include "windows_fixture.h"

#include "app/lifecycle.h"
#include "windows/about.h"
#include "windows/frmentername.h"
#include "windows/fonts.h"
#include "windows/frmhighscores.h"
#include "windows/game_style.h"
#include "windows/game_texts.h"

#include <QtTest>

#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QStyleOptionButton>
#include <QTranslator>

namespace {

const QSet<QString> kOwnContexts{QStringLiteral("Game"),         QStringLiteral("frmMain"),
                                 QStringLiteral("frmabout"),     QStringLiteral("frmentername"),
                                 QStringLiteral("frmhighscores"), QStringLiteral("TileButton"),
                                 QStringLiteral("UpDown")};

// The game's translation of a language, noting every text of the game it was
// asked for and has none of, and every translation it gave.
class RecordingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        const QString found = QTranslator::translate(context, source, disambiguation, n);
        const QString text = QString::fromUtf8(source);
        // Numbers, the name of the game and its address are the same in every
        // language.
        static const QRegularExpression words(QStringLiteral("[A-Za-z]{2}"));
        static const QSet<QString> kept{QStringLiteral("Taviq"), QStringLiteral("Taviq Game"),
                                        QStringLiteral("game@example.org")};
        if (found.isEmpty() && kOwnContexts.contains(QString::fromUtf8(context)) && text.contains(words)
            && !kept.contains(text))
            missing.insert(QString::fromUtf8(context) + u'|' + text);
        if (!found.isEmpty())
            given.insert(found);
        return found;
    }
    mutable QSet<QString> missing;
    mutable QSet<QString> given;
};

// Installs the game's translation of a language ("en": none) while it lives.
class Language
{
public:
    explicit Language(const QString &code)
    {
        if (code != u"en") {
            m_loaded = m_translator.load(QStringLiteral(":/i18n/taviq-game_%1.qm").arg(code));
            QCoreApplication::installTranslator(&m_translator);
        }
    }
    ~Language() { QCoreApplication::removeTranslator(&m_translator); }
    bool loaded(const QString &code) const { return code == u"en" || m_loaded; }
    const RecordingTranslator &translator() const { return m_translator; }

private:
    RecordingTranslator m_translator;
    bool m_loaded = false;
};

// Where a control's text must fit: its own width, up to the first visible
// sibling that starts to its right on the same row.
int room(const QWidget *widget)
{
    int right = widget->geometry().right() + 1;
    if (widget->parentWidget()) {
        for (const QObject *object : widget->parentWidget()->children()) {
            const auto *other = qobject_cast<const QWidget *>(object);
            if (!other || other == widget || other->isHidden())
                continue;
            const QRect g = other->geometry();
            if (g.left() > widget->x() && g.top() < widget->geometry().bottom() && g.bottom() > widget->y())
                right = std::min(right, g.left());
        }
    }
    return right - widget->x();
}

// The widest line of a text in a control's face.
int textWidth(const QWidget *widget, const QString &text)
{
    int widest = 0;
    for (const QString &line : text.split(u'\n'))
        widest = std::max(widest, widget->fontMetrics().horizontalAdvance(line));
    return widest;
}

// Every visible control of a window whose text does not fit it.
QStringList clipped(QWidget &window)
{
    QStringList found;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        int needed = 0;
        int available = 0;
        QString text;
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            text = button->text();
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = text;
            const auto element = qobject_cast<QRadioButton *>(button) ? QStyle::SE_RadioButtonContents
                                                                      : QStyle::SE_PushButtonContents;
            available = button->style()->subElementRect(element, &option, button).width();
            needed = textWidth(button, text);
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            text = label->text();
            available = room(label) - (label->width() - label->contentsRect().width()) - std::max(0, label->indent());
            needed = textWidth(label, text);
        } else if (auto *box = qobject_cast<QGroupBox *>(widget)) {
            text = box->title();
            available = box->width() - 16;
            needed = textWidth(box, text);
        }
        if (!text.isEmpty() && needed > available)
            found << QStringLiteral("%1 '%2' (%3 > %4)").arg(widget->objectName(), text).arg(needed).arg(available);
    }
    return found;
}

// Every visible label of a window, but those named in `drawnSmaller`
// ("window/label"), drawn at another size than its window gives it: 8.25
// points but for the winner's message, its "Press OK" line and the About
// window's display faces.
QStringList shrunk(QWidget &window, const QStringList &drawnSmaller)
{
    static const QHash<QString, double> kSizes{
        {QStringLiteral("frmentername/labmsgwin"), 12}, {QStringLiteral("frmentername/labtop"), 12},
        {QStringLiteral("frmentername/Label1"), 9.75},  {QStringLiteral("frmabout/Label1"), 48},
        {QStringLiteral("frmabout/Label3"), 24},
    };
    QStringList found;
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty())
            continue;
        const QString name = window.objectName() + u'/' + label->objectName();
        const double size = kSizes.value(name, 8.25);
        if (label->font().pointSizeF() != size && !drawnSmaller.contains(name))
            found << QStringLiteral("%1 '%2' drawn at %3 pt, not %4")
                         .arg(label->objectName(), label->text())
                         .arg(label->font().pointSizeF())
                         .arg(size);
    }
    return found;
}

// Every window and message the game shows, in every state that changes a
// text, each handed to `look` while it is open.
void showEverything(const std::function<void(QWidget &)> &look)
{
    ModalCloser closer;
    MainWindowFixture main;
    frmMain &window = main.window;
    GameState &game = main.fx.game;
    game.load(QStringLiteral("Easy"), 10);
    game.activate();
    window.show();
    window.render();
    look(window);
    probe(game).requestMoveUp();
    probe(game).requestMoveLeft();
    game.tickClock();
    game.pressPause();
    window.render();
    look(window);
    game.pressPause();
    game.startAutoPlay();
    window.render();
    look(window);
    game.pressPause();
    game.openOptions();
    for (const DifficultyLevel &level : difficultyLevels()) {
        game.chooseDifficulty(level);
        window.render();
        look(window);
    }
    game.cancelOptions();
    window.render();

    frmabout about;
    about.show();
    look(about);
    frmhighscores scores(main.fx.store, main.fx.scores, window.dialogs());
    scores.show();
    look(scores);
    for (bool topTime : {false, true}) {
        main.fx.scores.GotTopTime = topTime;
        frmentername winner(main.fx.scores);
        winner.show();
        look(winner);
    }

    closer.whileOpen = [&](QWidget *box) {
        // Once it is drawn.
        QApplication::processEvents();
        look(*box);
    };
    Dialogs &dialogs = window.dialogs();
    game.showHowToPlay();
    dialogs.confirmReset();
    for (Dialogs::Notice notice : {Dialogs::Notice::TimeUp, Dialogs::Notice::GameOver, Dialogs::Notice::BetterTime})
        dialogs.tell(notice);
    // Every reason a save can fail for, with the system's words and the
    // lock's holder and without, under each of the first lines.
    const Dialogs::Unsaved kinds[] = {Dialogs::Unsaved::BestTime, Dialogs::Unsaved::Scores,
                                      Dialogs::Unsaved::Settings};
    const QString file = QStringLiteral("/home/ann/.config/taviq/taviqgame.ini");
    for (int step = int(SaveFailure::What::MakeFolder); step <= int(SaveFailure::What::ReplaceFile); ++step) {
        dialogs.notSaved(kinds[step % 3], {SaveFailure::What(step), file, QStringLiteral("Permission denied"), 4242});
        dialogs.notSaved(kinds[(step + 1) % 3], {SaveFailure::What(step), file, QString(), 0});
    }
    // What a screen reader is told of the cells.
    for (int i = 0; i < 16; ++i) {
        if (QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(cellAt(window, i))) {
            cell->text(QAccessible::Name);
            cell->text(QAccessible::Description);
        }
    }
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Drawn as the program draws them.
        QApplication::setStyle(new GameStyle);
        installFontSubstitutes();
    }
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
    void textsFitTheirControls_data();
    void textsFitTheirControls();
    void settingsDoNotDependOnTheLanguage();
};

void TestTranslations::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("language");
    // A space the language's typography does not want before punctuation.
    QTest::addColumn<QString>("wrongSpace");
    QTest::addColumn<QString>("clock");
    // French: a non-breaking space before ":", ";", "?" and "!".
    QTest::newRow("French") << QStringLiteral("fr") << QStringLiteral("(^|[^\\x{a0}])[:;?!]")
                            << QStringLiteral("Temps\u00a0: 4\u00a0min 59\u00a0s");
    // German: none.
    QTest::newRow("German") << QStringLiteral("de") << QStringLiteral("\\s[:;?!]")
                            << QStringLiteral("Restzeit: 4 min 59 s");
}

void TestTranslations::everyTextIsTranslated()
{
    QFETCH(QString, language);
    QFETCH(QString, wrongSpace);
    QFETCH(QString, clock);

    // Every text of the translation file has a translation.
    QFile ts(QStringLiteral(GAME_TRANSLATIONS_DIR "/taviq-game_%1.ts").arg(language));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(ts.readAll());
    QVERIFY(xml.count(QStringLiteral("<source>")) > 50);
    QCOMPARE(xml.count(QStringLiteral("<translation>")), xml.count(QStringLiteral("<source>")));
    QVERIFY(!xml.contains(QStringLiteral("<translation></translation>")));

    // And the file holds every text the windows ask for.
    Language shownIn(language);
    QVERIFY(shownIn.loaded(language));
    showEverything([](QWidget &) {});
    QVERIFY2(shownIn.translator().missing.isEmpty(),
             qPrintable(QStringList(shownIn.translator().missing.values()).join(u'\n')));

    // Punctuation is spaced as the language writes it.
    const QRegularExpression wrong(wrongSpace);
    for (const QString &text : shownIn.translator().given)
        QVERIFY2(!text.contains(wrong), qPrintable(text));

    // The clock is told in the language's own words.
    QCOMPARE(clockText({4, 59}), clock);

    // Every reason a save failed for is a sentence of its own.
    for (int step = int(SaveFailure::What::MakeFolder); step <= int(SaveFailure::What::ReplaceFile); ++step) {
        const QString reason = failureText({SaveFailure::What(step), QStringLiteral("/tmp/taviqgame.ini"), {}, 4242});
        QVERIFY2(reason.at(0).isUpper(), qPrintable(reason));
    }
}

void TestTranslations::textsFitTheirControls_data()
{
    QTest::addColumn<QString>("language");
    // The labels drawn smaller than their layout's size to fit: only the
    // About window's title, whose box is lower than the line of its face at
    // that size, in every language.
    QTest::addColumn<QStringList>("drawnSmaller");
    const QString title = QStringLiteral("frmabout/Label1");
    QTest::newRow("English") << QStringLiteral("en") << QStringList{title};
    QTest::newRow("French") << QStringLiteral("fr") << QStringList{title};
    QTest::newRow("German") << QStringLiteral("de") << QStringList{title};
}

void TestTranslations::textsFitTheirControls()
{
    QFETCH(QString, language);
    QFETCH(QStringList, drawnSmaller);
    Language shownIn(language);
    QVERIFY(shownIn.loaded(language));
    QStringList problems;
    showEverything([&](QWidget &window) {
        QStringList found = clipped(window);
        if (qobject_cast<QMessageBox *>(&window)) {
            // Only a line too wide for a box on the screen may wrap.
            const auto *text = window.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            if (text && textWidth(text, text->text()) + window.width() - text->width()
                            > window.screen()->availableGeometry().width())
                found.clear();
            // Room for the whole title in a bold face beside at least an
            // icon and three buttons of 16 pixels.
            QFont bold = window.font();
            bold.setBold(true);
            const int title = QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + 4 * 16;
            if (window.width() < title)
                found << QStringLiteral("title '%1' (%2 > %3)").arg(window.windowTitle()).arg(title).arg(window.width());
        } else {
            found += shrunk(window, drawnSmaller);
        }
        for (const QString &problem : found)
            problems << window.objectName() + QStringLiteral(": ") + problem;
    });
    problems.removeDuplicates();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestTranslations::settingsDoNotDependOnTheLanguage()
{
    // The same game in every language: options applied, a record set by a
    // winner who gave no name, closed; the High Scores window shows the name
    // in the player's language.
    const QMap<QString, QString> anonymous{{QStringLiteral("en"), QStringLiteral("Anonymous")},
                                           {QStringLiteral("fr"), QStringLiteral("Anonyme")},
                                           {QStringLiteral("de"), QStringLiteral("Anonym")}};
    QMap<QString, QByteArray> files;
    for (const QString &language : anonymous.keys()) {
        Language shownIn(language);
        GameFixture f(5);
        f.dialogs.winnerName = QStringLiteral("Anonymous");
        Form_Load(f.game);
        Form_Activate(f.game);
        f.game.openOptions();
        f.game.chooseDifficulty(*level(u"Medium"));
        f.game.applyOptions();
        const QStringList moves = core::recordedMoves(historyText(f.game.board()));
        for (qsizetype i = moves.size() - 1; i >= 0; --i) {
            f.game.clickTile(core::cellThatUndoes(f.game.board().tiles.blankCell(), moves.at(i)));
        }
        QCOMPARE(f.dialogs.log, QStringList{QStringLiteral("winner:top")});
        Form_Unload(f.game);
        QFile file(f.store.filePath(kApplication));
        QVERIFY(file.open(QIODevice::ReadOnly));
        files[language] = file.readAll();
        frmhighscores scores(f.store, f.scores, f.dialogs);
        QCOMPARE(scoreLabel(scores, "nm", 1)->text(), anonymous[language]);
    }
    QVERIFY(files[QStringLiteral("en")].contains("diff=Medium"));
    QVERIFY(files[QStringLiteral("en")].contains("=Anonymous"));
    QCOMPARE(files[QStringLiteral("fr")], files[QStringLiteral("en")]);
    QCOMPARE(files[QStringLiteral("de")], files[QStringLiteral("en")]);
}

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
