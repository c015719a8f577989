#pragma once

#include <QDialog>

#include <vector>

class Announcer;
class Dialogs;
class QLabel;
class QPushButton;
class SettingsStore;
struct ScoreVariables;

// The high-score window's controls, by their layout names; the labels of the
// rows are held one for each difficulty, in the game's order: the winner's
// name, the best time and the row's caption.
struct HighScoreControls
{
    QPushButton *cmdresetscore = nullptr;
    QPushButton *cmdok = nullptr;
    std::vector<QLabel *> labnm;
    std::vector<QLabel *> labtm;
    std::vector<QLabel *> labcap;
};

// The high-score window: the best time and the winner's name of each
// difficulty as the store holds them, and Reset Scores, which tells the
// player through `dialogs` when the store cannot be changed.
class frmhighscores : public QDialog
{
    Q_OBJECT
public:
    frmhighscores(SettingsStore &store, ScoreVariables &scores, Dialogs &dialogs, QWidget *parent = nullptr);

    // Fills the value labels from the store.
    void Form_Load();
    void cmdresetscore_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    SettingsStore &m_store;
    ScoreVariables &m_scores;
    Dialogs &m_dialogs;
    HighScoreControls m_ui;
    Announcer *m_announcer = nullptr;
};
