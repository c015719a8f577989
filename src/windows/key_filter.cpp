#include "key_filter.h"

#include "up_down.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenuBar>

namespace {

bool isMenuShortcut(const QKeyEvent &event)
{
    const int key = event.key();
    const auto mods = event.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier && key >= Qt::Key_F1 && key <= Qt::Key_F4)
        return true;
    return mods == Qt::ControlModifier && key == Qt::Key_A;
}

} // namespace

std::optional<KeyCommand> keyCommand(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_F1)
        return KeyCommand::Help;
    if (!(event.modifiers() & Qt::KeypadModifier))
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_8: return KeyCommand::MoveUp;
    case Qt::Key_2: return KeyCommand::MoveDown;
    case Qt::Key_4: return KeyCommand::MoveLeft;
    case Qt::Key_6: return KeyCommand::MoveRight;
    default: return std::nullopt;
    }
}

KeyFilter::KeyFilter(QWidget *window, std::function<void(KeyCommand)> keyDown)
    : QObject(window)
    , m_window(window)
    , m_keyDown(std::move(keyDown))
{
    qApp->installEventFilter(this);
}

KeyFilter::~KeyFilter() { qApp->removeEventFilter(this); }

void KeyFilter::setTimeLimit(QWidget *box, UpDown *upDown)
{
    m_limitBox = box;
    m_upDown = upDown;
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::InputMethod)
        return false;
    if (!watched->isWidgetType())
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    if (receiver->window() != m_window)
        return false;
    // Handle each key once: when it reaches the control with the focus (or
    // the window itself), not again while it travels up to the parents.
    QWidget *focus = QApplication::focusWidget();
    if (receiver != focus && !(focus == nullptr && receiver == m_window))
        return false;

    if (type == QEvent::InputMethod) {
        // Composed text is typed text too.
        auto *im = static_cast<QInputMethodEvent *>(event);
        return !im->commitString().isEmpty();
    }
    auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::ShortcutOverride) {
        // The menu shortcuts win over the text box's own use of the same keys.
        if (isMenuShortcut(*key)) {
            key->ignore();
            return true;
        }
        return false;
    }
    return keyPress(receiver, key);
}

bool KeyFilter::keyPress(QWidget *receiver, QKeyEvent *event)
{
    if (const std::optional<KeyCommand> command = keyCommand(*event))
        m_keyDown(*command);

    // The menu bar, once the keyboard is in it, keeps its own keys: Escape
    // leaves it, the arrows and Return open its menus.
    if (qobject_cast<QMenuBar *>(receiver))
        return false;

    // The arrows step the time limit from its box, as from its up-down.
    if (receiver == m_limitBox && m_upDown && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        event->key() == Qt::Key_Up ? m_upDown->stepUp() : m_upDown->stepDown();
        return true;
    }

    // Every key that produces a character is discarded, control characters
    // such as Backspace and Ctrl+V included. Keys that produce none (Delete,
    // the arrows, Shift+Insert) go on to the control, and so do Tab, which
    // moves the focus, and the space bar that presses a focused button.
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    if (event->key() == Qt::Key_Space && qobject_cast<QAbstractButton *>(receiver))
        return false;
    return true;
}
