#include "frmentername.h"

#include "fonts.h"
#include "placement.h"
#include "store/score_variables.h"
#include "twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

frmentername::frmentername(ScoreVariables &scores, QWidget *parent)
    : QDialog(parent)
    , m_scores(scores)
{
    setObjectName(QStringLiteral("frmentername"));
    setWindowTitle(QStringLiteral("Winner"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif(8.25));
    setFixedSize(px(4680), px(1620));

    // Back to front.
    const QFont message = sansSerif(12, QFont::Bold);
    labmsgwin = new QLabel(this);
    labmsgwin->setObjectName(QStringLiteral("labmsgwin"));
    labmsgwin->setFont(message);
    labmsgwin->setGeometry(twipsRect(0, 0, 4455, 1095));
    labtop = new QLabel(this);
    labtop->setObjectName(QStringLiteral("labtop"));
    labtop->setFont(message);
    labtop->setGeometry(twipsRect(0, 240, 4695, 1095));
    for (QLabel *label : {labmsgwin, labtop}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->hide();
    }

    Label1 = new QLabel(QStringLiteral("Press OK to Reset Game"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(sansSerif(9.75));
    Label1->setGeometry(twipsRect(480, 1320, 2415, 255));
    fitFontToBox(Label1);

    txtname = new QLineEdit(this);
    txtname->setObjectName(QStringLiteral("txtname"));
    txtname->setFont(sansSerif(9.75));
    txtname->setMaxLength(25);
    txtname->setGeometry(twipsRect(120, 1200, 2775, 375));
    txtname->setAccessibleName(QStringLiteral("Name"));
    // A number-pad key held down to the winning move goes on repeating; its
    // repeats are not the player's name.
    txtname->installEventFilter(this);
    txtname->hide();

    cmdok = new QPushButton(QStringLiteral("OK"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdok->setGeometry(twipsRect(3240, 1200, 1335, 375));
    cmdok->setDefault(true);
    connect(cmdok, &QPushButton::clicked, this, &frmentername::cmdok_Click);
    QWidget::setTabOrder(txtname, cmdok);

    // Load: both message labels in the same place, and the face that fits
    // the game just won. The window is centred on the screen when shown.
    labmsgwin->move(px(60), px(3));
    labtop->move(px(60), px(3));
    m_nameBoxShown = m_scores.GotTopTime;
    if (m_scores.GotTopTime) {
        txtname->show();
        labtop->show();
        labtop->setText(withLineBreaks(topTimeMessage()));
        fitFontToBox(labtop);
        txtname->setFocus();
    } else {
        labmsgwin->show();
        labmsgwin->setText(withLineBreaks(plainMessage()));
        fitFontToBox(labmsgwin);
        cmdok->setFocus();
    }
}

QString frmentername::plainMessage()
{
    return QStringLiteral("Congragulations\r\nYou Win the game\r\nGood Luck");
}

QString frmentername::topTimeMessage()
{
    return QStringLiteral("Congragulations\r\nYou Win the game and got top time \r\nPlease Enter your name");
}

bool frmentername::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtname && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->isAutoRepeat())
        return !m_typed;
    if (watched == txtname && event->type() == QEvent::KeyPress)
        m_typed = true;
    return QDialog::eventFilter(watched, event);
}

void frmentername::showEvent(QShowEvent *event)
{
    // Centred on the screen by its outer size, title bar and borders included,
    // wherever the main window stands.
    centreOnScreen(this);
    QDialog::showEvent(event);
}

bool frmentername::nameMissing(const QString &name, bool nameBoxShown)
{
    return nameBoxShown && name.isEmpty();
}

bool frmentername::tryAccept()
{
    const QString name = m_nameBoxShown ? txtname->text() : QString();
    if (nameMissing(name, m_nameBoxShown)) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Error"), QStringLiteral("Enter a name"),
                        QMessageBox::Ok, this);
        box.exec();
        txtname->setFocus();
        return false;
    }
    m_scores.WinnerName = name;
    return true;
}

void frmentername::finishForClose()
{
    const QString typed = m_nameBoxShown ? txtname->text() : QString();
    m_scores.WinnerName = m_nameBoxShown && typed.isEmpty() ? QStringLiteral("Anonymous") : typed;
    setResult(QDialog::Accepted);
    accept();
}

void frmentername::cmdok_Click()
{
    if (tryAccept())
        accept();
}

void frmentername::reject()
{
    cmdok_Click();
}

void frmentername::closeEvent(QCloseEvent *event)
{
    if (result() == QDialog::Accepted || tryAccept()) {
        setResult(QDialog::Accepted);
        event->accept();
    } else {
        event->ignore();
    }
}
