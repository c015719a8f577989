#include "frmhighscores.h"

#include "fonts.h"
#include "accessibility.h"
#include "difficulty_looks.h"
#include "game_texts.h"
#include "layout_builder.h"
#include "game/dialogs.h"
#include "game/difficulty.h"
#include "game/high_scores.h"
#include "store/settings_store.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace {

using Kind = ControlRow::Kind;

// Centred over the main window, as Qt places dialogs, and all of it on the
// screen. Back to front: the frame, then for each difficulty in the game's
// order its winner's name, best time and caption, the captions and times
// growing to the right with their texts.
WindowLayout layout()
{
    using Ui = HighScoreControls;
    WindowLayout window{
        QT_TRANSLATE_NOOP("frmhighscores", "High Scorers"), 5475, 2520, {Placement::Rule::OverOwner, {}},
        {
            {QStringLiteral("famhighscores"), Kind::GroupBox, QT_TRANSLATE_NOOP("Game", "High Scores"), nullptr,
             120, 120, 5295, 1815, {}},
            {QStringLiteral("cmdresetscore"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Reset Scores"), nullptr,
             2400, 2040, 1215, 375, {}, keptIn<&Ui::cmdresetscore>()},
            {QStringLiteral("cmdok"), Kind::Button, QT_TRANSLATE_NOOP("Game", "OK"), nullptr,
             4080, 2040, 1215, 375, {}, keptIn<&Ui::cmdok>()},
        },
        {QStringLiteral("cmdok"), QStringLiteral("cmdresetscore")},
    };
    const QString frame = QStringLiteral("famhighscores");
    const auto levels = difficultyLevels();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const QString row = levels[i].name.toLower();
        const int top = 360 + 480 * int(i);
        window.controls.insert(window.controls.end(), {
            {QStringLiteral("labnm") + row, Kind::Label, nullptr, nullptr, 3000, top, 2175, 255, frame,
             keptIn<&Ui::labnm>(int(i))},
            {QStringLiteral("labtm") + row, Kind::Label, nullptr, nullptr, 1560, top, 90, 195, frame,
             keptIn<&Ui::labtm>(int(i))},
            {QStringLiteral("lab") + row + QStringLiteral("cap"), Kind::Label, lookOf(levels[i]).scoreCaption,
             nullptr, 240, top, 435, 195, frame, keptIn<&Ui::labcap>(int(i))},
        });
    }
    return window;
}

const WindowLayout &highScoreLayout()
{
    static const WindowLayout window = layout();
    return window;
}

} // namespace

frmhighscores::frmhighscores(SettingsStore &store, ScoreVariables &scores, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_scores(scores)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmhighscores"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif(8.25));

    m_ui = buildWindow<HighScoreControls>(highScoreLayout(), this, this);
    for (QLabel *caption : m_ui.labcap)
        caption->adjustSize();
    m_ui.cmdok->setDefault(true);
    connect(m_ui.cmdok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui.cmdresetscore, &QPushButton::clicked, this, &frmhighscores::cmdresetscore_Click);
    m_ui.cmdok->setFocus();
    m_announcer = new Announcer(this);
    Form_Load();
}

void frmhighscores::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    placeWindow(this, highScoreLayout().placement);
}

void frmhighscores::Form_Load()
{
    const auto rows = loadHighScores(m_store);
    QStringList table;
    const auto levels = difficultyLevels();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const DifficultyLevel &level = levels[row];
        const QString name = winnerNameText(rows[row].name);
        m_ui.labnm[row]->setText(name);
        // The time labels grow and shrink with their text from a fixed left edge.
        m_ui.labtm[row]->setText(rows[row].time);
        m_ui.labtm[row]->adjustSize();
        // A screen reader reads each row as one text: the caption carries it.
        const QString text = tr("%1: %2, %3").arg(shown(lookOf(level).caption), rows[row].time, name);
        m_ui.labcap[row]->setAccessibleName(text);
        table << text;
    }
    // A screen reader that opens the window reads the labels of a frame with
    // a title as the frame's own, not as the window's: the window's
    // description reads the whole table instead.
    setAccessibleDescription(table.join(QStringLiteral("; ")));
}

void frmhighscores::cmdresetscore_Click()
{
    const SaveResult reset = resetScores(m_store, m_scores);
    if (reset.failure)
        m_dialogs.notSaved(Dialogs::Unsaved::Scores, *reset.failure);
    // Reset or not, the window shows what the file holds.
    Form_Load();
    if (!reset.failure)
        m_announcer->say(tr("Scores reset"));
}
