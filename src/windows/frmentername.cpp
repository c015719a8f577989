#include "frmentername.h"

#include "fonts.h"
#include "layout_builder.h"
#include "message_box.h"
#include "placement.h"
#include "store/score_variables.h"
#include "twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Kind = ControlRow::Kind;

// The controls the window fills in, by their layout names.
struct WinnerControls
{
    QLabel *labmsgwin = nullptr;
    QLabel *labtop = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtname = nullptr;
    QPushButton *cmdok = nullptr;
};
using Ui = WinnerControls;

// Centred on the screen by its outer size, title bar and borders included,
// wherever the main window stands. Back to front: the two message labels, in
// the same place, are never shown together; the name box lies over "Press OK
// to Reset Game".
const WindowLayout kLayout{
    QT_TRANSLATE_NOOP("frmentername", "Winner"), 4680, 1620, {Placement::Rule::CentredOnScreen, {}},
    {
        {QStringLiteral("labmsgwin"), Kind::Label, nullptr, nullptr, 60, 3, 4455, 1095, {}, keptIn<&Ui::labmsgwin>(),
         true},
        {QStringLiteral("labtop"), Kind::Label, nullptr, nullptr, 60, 3, 4695, 1095, {}, keptIn<&Ui::labtop>(),
         true},
        {QStringLiteral("Label1"), Kind::Label, QT_TRANSLATE_NOOP("Game", "Press OK to Reset Game"), nullptr,
         480, 1320, 2415, 255, {}, keptIn<&Ui::Label1>()},
        {QStringLiteral("txtname"), Kind::TextBox, nullptr, nullptr, 120, 1200, 2775, 375, {}, keptIn<&Ui::txtname>(),
         true},
        {QStringLiteral("cmdok"), Kind::Button, QT_TRANSLATE_NOOP("Game", "OK"), nullptr,
         3240, 1200, 1335, 375, {}, keptIn<&Ui::cmdok>()},
    },
    {QStringLiteral("txtname"), QStringLiteral("cmdok")},
};

} // namespace

frmentername::frmentername(ScoreVariables &scores, QWidget *parent)
    : QDialog(parent)
    , m_scores(scores)
{
    setObjectName(QStringLiteral("frmentername"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif(8.25));

    const WinnerControls ui = buildWindow<WinnerControls>(kLayout, this, this);
    QLabel *plain = ui.labmsgwin;
    QLabel *topTime = ui.labtop;
    for (QLabel *label : {plain, topTime}) {
        label->setFont(sansSerif(12, QFont::Bold));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    ui.Label1->setFont(sansSerif(9.75));
    fitFontToBox(ui.Label1);

    m_name = ui.txtname;
    m_name->setFont(sansSerif(9.75));
    m_name->setMaxLength(25);
    m_name->setAccessibleName(tr("Name"));
    // A number-pad key held down to the winning move goes on repeating; its
    // repeats are not the player's name.
    m_name->installEventFilter(this);

    ui.cmdok->setDefault(true);
    connect(ui.cmdok, &QPushButton::clicked, this, &frmentername::cmdok_Click);

    // Load: the message that fits the game just won.
    m_nameBoxShown = m_scores.GotTopTime;
    if (m_scores.GotTopTime) {
        m_name->show();
        topTime->show();
        topTime->setText(withLineBreaks(tr(topTimeMessage().toUtf8().constData())));
        fitFontToBox(topTime);
        m_name->setFocus();
    } else {
        plain->show();
        plain->setText(withLineBreaks(tr(plainMessage().toUtf8().constData())));
        fitFontToBox(plain);
        ui.cmdok->setFocus();
    }
}

QString frmentername::plainMessage()
{
    return QString::fromUtf8(QT_TR_NOOP("Congragulations\r\nYou Win the game\r\nGood Luck"));
}

QString frmentername::topTimeMessage()
{
    return QString::fromUtf8(QT_TR_NOOP("Congragulations\r\nYou Win the game and got top time \r\nPlease Enter your name"));
}

bool frmentername::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_name && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->isAutoRepeat())
        return !m_typed;
    if (watched == m_name && event->type() == QEvent::KeyPress)
        m_typed = true;
    return QDialog::eventFilter(watched, event);
}

void frmentername::showEvent(QShowEvent *event)
{
    placeWindow(this, kLayout.placement);
    QDialog::showEvent(event);
}

bool frmentername::nameMissing(const QString &name, bool nameBoxShown)
{
    return nameBoxShown && name.isEmpty();
}

bool frmentername::tryAccept()
{
    const QString name = m_nameBoxShown ? m_name->text() : QString();
    if (nameMissing(name, m_nameBoxShown)) {
        MessageBox box(QMessageBox::Information, tr("Error"), tr("Enter a name"), QMessageBox::Ok, this);
        box.exec();
        m_name->setFocus();
        return false;
    }
    m_scores.WinnerName = name;
    return true;
}

void frmentername::finishForClose()
{
    const QString typed = m_nameBoxShown ? m_name->text() : QString();
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
