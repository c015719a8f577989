#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class SettingsStore;
struct ScoreVariables;

// The display form of a best time in seconds: minutes, a colon, seconds, with
// no blanks and no leading zeros (480 shows as 8:0, 75 as 1:15).
QString ScoreTimeText(qint16 seconds);

struct HighScoreRow
{
    QString name;
    QString time;
};

// The three rows Easy, Medium and Hard as the store holds them.
std::array<HighScoreRow, 3> loadHighScores(SettingsStore &store);

// Erases every best time and name (and with the times the stored time limit,
// which the main window writes back when it closes), and reloads the best
// times in force: 480 seconds each once erased. A store that cannot be changed
// is reported on standard error and keeps its times, which stay in force.
void resetScores(SettingsStore &store, ScoreVariables &scores);

// The high-score window.
class frmhighscores : public QDialog
{
    Q_OBJECT
public:
    frmhighscores(SettingsStore &store, ScoreVariables &scores, QWidget *parent = nullptr);

    // Fills the six value labels from the store.
    void Form_Load();
    void cmdresetscore_Click();

    QPushButton *cmdresetscore;
    QPushButton *cmdok;
    QGroupBox *famhighscores;
    std::array<QLabel *, 3> nameLabels{};  // labnmeasy, labnmmedium, labnmhard
    std::array<QLabel *, 3> timeLabels{};  // labtmeasy, labtmmedium, labtmhard
    std::array<QLabel *, 3> captionLabels{}; // labeasycap, labmediumcap, labhardcap

protected:
    void showEvent(QShowEvent *event) override;

private:
    SettingsStore &m_store;
    ScoreVariables &m_scores;
};
