#include "window_dialogs.h"

#include "about.h"
#include "frmentername.h"
#include "frmhighscores.h"
#include "game_texts.h"
#include "game/game_state.h"
#include "placement.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

void WindowDialogs::beforeShowing()
{
    if (m_beforeShowing)
        m_beforeShowing();
}

void WindowDialogs::message(const QString &text, const QString &title, Icon icon)
{
    if (m_closing)
        return;
    beforeShowing();
    const QMessageBox::Icon shownIcon = icon == Icon::Information ? QMessageBox::Information
                                    : icon == Icon::Warning   ? QMessageBox::Warning
                                                              : QMessageBox::NoIcon;
    QMessageBox box(shownIcon, shown(title), withLineBreaks(shownMessage(text)), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    // Each line of a message stands on a line of its own, however long.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setWordWrap(false);
    box.exec();
}

bool WindowDialogs::confirm(const QString &text, const QString &title)
{
    if (m_closing)
        return true;
    beforeShowing();
    QMessageBox box(QMessageBox::NoIcon, shown(title), withLineBreaks(shownMessage(text)),
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
    frmhighscores window(m_game.store(), m_game.scores(), m_parent);
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
