#include "frmhighscores.h"

#include "fonts.h"
#include "placement.h"
#include "store/conversions.h"
#include "store/entries.h"
#include "store/score_variables.h"
#include "store/settings_store.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include <cmath>

namespace {

// The keys as the window reads them; the store does not mind the case.
const std::array<QString, 3> kRowKeys{QStringLiteral("Easy"), QStringLiteral("medium"), QStringLiteral("hard")};

} // namespace

QString ScoreTimeText(qint16 seconds)
{
    const int minutes = static_cast<int>(std::floor(seconds / 60.0));
    const int rest = seconds % 60;
    return QStringLiteral("%1:%2").arg(minutes).arg(rest);
}

std::array<HighScoreRow, 3> loadHighScores(SettingsStore &store)
{
    // Another copy of the game may have stored a record since.
    store.refresh(kApplication);
    std::array<HighScoreRow, 3> rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].name = store.read(kApplication, Entry::NamesSection, kRowKeys[i], Entry::DefaultName);
        // A best time that is not a 16-bit number can only come from a
        // hand-edited store; it shows as the default.
        const Int16Result time =
            TextToInt16(store.read(kApplication, Entry::TimesSection, kRowKeys[i], Entry::DefaultBestTime));
        rows[i].time = ScoreTimeText(time.ok() ? time.value : qint16(480));
    }
    return rows;
}

void resetScores(SettingsStore &store, ScoreVariables &scores)
{
    // A section that is not there (nothing stored yet, or a second reset) is
    // no reason to stop.
    store.deleteSection(kApplication, Entry::TimesSection);
    store.deleteSection(kApplication, Entry::NamesSection);
    // 480 seconds each once the times are gone; where the store could not be
    // changed, the times it still holds stay in force.
    loadBestTimes(store, scores);
}

frmhighscores::frmhighscores(SettingsStore &store, ScoreVariables &scores, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_scores(scores)
{
    setObjectName(QStringLiteral("frmhighscores"));
    setWindowTitle(QStringLiteral("High Scorers"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif(8.25));
    setFixedSize(px(5475), px(2520));

    cmdresetscore = new QPushButton(QStringLiteral("Reset Scores"), this);
    cmdresetscore->setObjectName(QStringLiteral("cmdresetscore"));
    cmdresetscore->setGeometry(twipsRect(2400, 2040, 1215, 375));
    cmdok = new QPushButton(QStringLiteral("OK"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdok->setGeometry(twipsRect(4080, 2040, 1215, 375));
    cmdok->setDefault(true);
    famhighscores = new QGroupBox(QStringLiteral("High Scores"), this);
    famhighscores->setObjectName(QStringLiteral("famhighscores"));
    famhighscores->setGeometry(twipsRect(120, 120, 5295, 1815));
    famhighscores->setAccessibleName(famhighscores->title());
    famhighscores->lower();

    const std::array<QString, 3> rowNames{QStringLiteral("easy"), QStringLiteral("medium"), QStringLiteral("hard")};
    const std::array<QString, 3> captions{QStringLiteral("Easy :"), QStringLiteral("Medium :"), QStringLiteral("Hard :")};
    const std::array<int, 3> captionWidths{435, 645, 435};
    for (int row = 0; row < 3; ++row) {
        const int top = 360 + 480 * row;
        auto *name = new QLabel(QString::number(row + 2), famhighscores);
        name->setObjectName(QStringLiteral("labnm") + rowNames[row]);
        name->setGeometry(twipsRect(3000, top, 2175, 255));
        auto *time = new QLabel(QStringLiteral("1"), famhighscores);
        time->setObjectName(QStringLiteral("labtm") + rowNames[row]);
        time->setGeometry(twipsRect(1560, top, 90, 195));
        auto *caption = new QLabel(captions[row], famhighscores);
        caption->setObjectName(QStringLiteral("lab") + rowNames[row] + QStringLiteral("cap"));
        caption->setGeometry(twipsRect(240, top, captionWidths[row], 195));
        for (QLabel *label : {name, time, caption})
            label->setTextFormat(Qt::PlainText);
        caption->adjustSize();
        nameLabels[row] = name;
        timeLabels[row] = time;
        captionLabels[row] = caption;
    }

    connect(cmdok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdresetscore, &QPushButton::clicked, this, &frmhighscores::cmdresetscore_Click);
    QWidget::setTabOrder(cmdok, cmdresetscore);
    cmdok->setFocus();
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
    const std::array<QString, 3> difficulties{tr("Easy"), tr("Medium"), tr("Hard")};
    const auto rows = loadHighScores(m_store);
    QStringList table;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        nameLabels[row]->setText(rows[row].name);
        // The time labels grow and shrink with their text from a fixed left edge.
        timeLabels[row]->setText(rows[row].time);
        timeLabels[row]->adjustSize();
        // A screen reader reads each row as one text: the caption carries it.
        const QString text = tr("%1: %2, %3").arg(difficulties[row], rows[row].time, rows[row].name);
        captionLabels[row]->setAccessibleName(text);
        table << text;
    }
    // A screen reader that opens the window reads the labels of a frame with
    // a title as the frame's own, not as the window's: the window's
    // description reads the whole table instead.
    setAccessibleDescription(table.join(QStringLiteral("; ")));
}

void frmhighscores::cmdresetscore_Click()
{
    resetScores(m_store, m_scores);
    Form_Load();
}
