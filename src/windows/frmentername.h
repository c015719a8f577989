#pragma once

#include <QDialog>

struct ScoreVariables;
class QLineEdit;

// The winner window: congratulates the player and, after a new best time,
// asks for a name, which it leaves in WinnerName.
class frmentername : public QDialog
{
    Q_OBJECT
public:
    explicit frmentername(ScoreVariables &scores, QWidget *parent = nullptr);

    static QString plainMessage();
    static QString topTimeMessage();
    // True when OK must be refused: the name box is shown and empty.
    static bool nameMissing(const QString &name, bool nameBoxShown);

    // OK: refuses an empty name, otherwise hands the name over and closes.
    void cmdok_Click();

    // Closes the window at once, as when the game is closed while it waits:
    // the name typed so far, or "Anonymous" for an empty name box.
    void finishForClose();

    // Closing from the title bar or with Escape behaves as OK does.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool tryAccept();

    ScoreVariables &m_scores;
    QLineEdit *m_name = nullptr;
    bool m_nameBoxShown = false;
    // Whether a key has been pressed in the name box since the window opened.
    bool m_typed = false;
};
