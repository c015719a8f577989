#include "frmhighscores.h"

#include "fonts.h"
#include "game_texts.h"
#include "game/dialogs.h"
#include "game/difficulty.h"
#include "game/high_scores.h"
#include "placement.h"
#include "store/settings_store.h"
#include "twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace {

using Kind = ControlRow::Kind;

// Back to front: the frame, then for each difficulty in the order of the
// difficulty table its winner's name, best time and caption, the captions and
// times growing to the right with their texts.
const ControlRow kLayout[] = {
    {QStringLiteral("famhighscores"), Kind::GroupBox, QT_TRANSLATE_NOOP("Game", "High Scores"), nullptr,
     120, 120, 5295, 1815, {}},
    {QStringLiteral("cmdresetscore"), Kind::Button, QT_TRANSLATE_NOOP("Game", "Reset Scores"), nullptr,
     2400, 2040, 1215, 375, {}},
    {QStringLiteral("cmdok"), Kind::Button, QT_TRANSLATE_NOOP("Game", "OK"), nullptr,
     4080, 2040, 1215, 375, {}},
    {QStringLiteral("labnmeasy"), Kind::Label, "2", nullptr, 3000, 360, 2175, 255, QStringLiteral("famhighscores")},
    {QStringLiteral("labtmeasy"), Kind::Label, "1", nullptr, 1560, 360, 90, 195, QStringLiteral("famhighscores")},
    {QStringLiteral("labeasycap"), Kind::Label, QT_TRANSLATE_NOOP("Game", "Easy :"), nullptr,
     240, 360, 435, 195, QStringLiteral("famhighscores")},
    {QStringLiteral("labnmmedium"), Kind::Label, "3", nullptr, 3000, 840, 2175, 255,
     QStringLiteral("famhighscores")},
    {QStringLiteral("labtmmedium"), Kind::Label, "1", nullptr, 1560, 840, 90, 195, QStringLiteral("famhighscores")},
    {QStringLiteral("labmediumcap"), Kind::Label, QT_TRANSLATE_NOOP("Game", "Medium :"), nullptr,
     240, 840, 645, 195, QStringLiteral("famhighscores")},
    {QStringLiteral("labnmhard"), Kind::Label, "4", nullptr, 3000, 1320, 2175, 255, QStringLiteral("famhighscores")},
    {QStringLiteral("labtmhard"), Kind::Label, "1", nullptr, 1560, 1320, 90, 195, QStringLiteral("famhighscores")},
    {QStringLiteral("labhardcap"), Kind::Label, QT_TRANSLATE_NOOP("Game", "Hard :"), nullptr,
     240, 1320, 435, 195, QStringLiteral("famhighscores")},
};

// The labels of a difficulty's row: "nm" name, "tm" time, "cap" caption.
QString rowLabel(const DifficultyLevel &level, const char *part)
{
    const QString row = level.name.toLower();
    return qstrcmp(part, "cap") == 0 ? QStringLiteral("lab") + row + QStringLiteral("cap")
                                     : QStringLiteral("lab") + QLatin1String(part) + row;
}

} // namespace

frmhighscores::frmhighscores(SettingsStore &store, ScoreVariables &scores, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_scores(scores)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmhighscores"));
    setWindowTitle(tr("High Scorers"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif(8.25));
    setFixedSize(px(5475), px(2520));

    m_controls = buildControls(kLayout, this);
    for (const DifficultyLevel &level : difficultyLevels())
        m_controls.get<QLabel>(rowLabel(level, "cap"))->adjustSize();
    auto *ok = m_controls.get<QPushButton>(QStringLiteral("cmdok"));
    auto *reset = m_controls.get<QPushButton>(QStringLiteral("cmdresetscore"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(reset, &QPushButton::clicked, this, &frmhighscores::cmdresetscore_Click);
    QWidget::setTabOrder(ok, reset);
    ok->setFocus();
    Form_Load();
}

void frmhighscores::showEvent(QShowEvent *event)
{
    // Centred over the main window, as Qt places dialogs, and all of it on
    // the screen.
    QDialog::showEvent(event);
    placeClientAt(this, geometry().topLeft());
}

void frmhighscores::Form_Load()
{
    const auto rows = loadHighScores(m_store);
    QStringList table;
    const auto levels = difficultyLevels();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const DifficultyLevel &level = levels[row];
        m_controls.get<QLabel>(rowLabel(level, "nm"))->setText(rows[row].name);
        // The time labels grow and shrink with their text from a fixed left edge.
        auto *time = m_controls.get<QLabel>(rowLabel(level, "tm"));
        time->setText(rows[row].time);
        time->adjustSize();
        // A screen reader reads each row as one text: the caption carries it.
        const QString text = tr("%1: %2, %3").arg(shown(level.caption), rows[row].time, rows[row].name);
        m_controls.get<QLabel>(rowLabel(level, "cap"))->setAccessibleName(text);
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
}
