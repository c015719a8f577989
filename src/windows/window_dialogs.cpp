#include "window_dialogs.h"

#include "about.h"
#include "frmentername.h"
#include "frmhighscores.h"
#include "game_texts.h"
#include "game/game_state.h"
#include "message_box.h"
#include "placement.h"

#include <QApplication>
#include <QPushButton>

namespace {

// A message box with OK over `parent`, its title and text as the player
// reads them.
void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    MessageBox box(icon, title, withLineBreaks(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// The first line of a "Not Saved" message: what was not kept.
QString notKept(Dialogs::Unsaved what)
{
    switch (what) {
    case Dialogs::Unsaved::BestTime:
        return QCoreApplication::translate("Game", "Your best time could not be saved:");
    case Dialogs::Unsaved::Scores:
        return QCoreApplication::translate("Game", "The scores could not be reset:");
    case Dialogs::Unsaved::Settings:
        break;
    }
    return QCoreApplication::translate("Game", "Your settings could not be saved:");
}

} // namespace

void WindowDialogs::beforeShowing()
{
    if (m_beforeShowing)
        m_beforeShowing();
}

void WindowDialogs::tell(Notice notice)
{
    if (m_closing)
        return;
    const QMessageBox::Icon icon = notice == Notice::GameOver     ? QMessageBox::Information
                                 : notice == Notice::BetterTime ? QMessageBox::Warning
                                                                : QMessageBox::NoIcon;
    beforeShowing();
    showMessage(m_parent, icon, noticeTitle(notice), noticeText(notice));
}

void WindowDialogs::notSaved(Unsaved what, const SaveFailure &why)
{
    if (m_closing)
        return;
    beforeShowing();
    // Over the window the player acted in: the high-score window for its
    // Reset Scores.
    QWidget *modal = QApplication::activeModalWidget();
    showMessage(modal ? modal : m_parent, QMessageBox::Warning, QCoreApplication::translate("Game", "Not Saved"),
                notKept(what) + u'\n' + failureText(why));
}

bool WindowDialogs::confirmReset()
{
    if (m_closing)
        return true;
    beforeShowing();
    MessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("Game", "Reset"),
                    QCoreApplication::translate("Game", "This will reset current game"),
                    QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void WindowDialogs::showWinner()
{
    beforeShowing();
    frmentername window(m_game.scores(), m_parent);
    if (m_closing)
        window.finishForClose();
    else
        window.exec();
}

void WindowDialogs::showHighScores()
{
    beforeShowing();
    frmhighscores window(m_game.store(), m_game.scores(), *this, m_parent);
    window.exec();
}

void WindowDialogs::showAbout()
{
    beforeShowing();
    frmabout window;
    window.exec();
}

void WindowDialogs::finishOpenDialogs()
{
    for (int open = 0; open < 16; ++open) {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            popup->close();
            continue;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *winner = qobject_cast<frmentername *>(modal)) {
            winner->finishForClose();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            QAbstractButton *button = box->defaultButton();
            box->done(button ? box->standardButton(button) : QMessageBox::Ok);
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->accept();
        } else {
            modal->close();
        }
    }
}
