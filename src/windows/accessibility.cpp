#include "accessibility.h"

#include "tile_button.h"
#include "up_down.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QPointer>

namespace {

// A cell of the board: a push button named by its number, described by its
// place. The blank is named "blank" and can be neither pressed nor focused.
class TileAccessible : public QAccessibleWidget
{
public:
    explicit TileAccessible(TileButton *tile) : QAccessibleWidget(tile, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        const TileButton *cell = tile();
        if (cell && t == QAccessible::Name)
            return cell->isBlank() ? TileButton::tr("blank") : cell->text();
        if (cell && t == QAccessible::Description)
            return cell->placeText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (const TileButton *cell = tile()) {
            if (cell->isBlank()) {
                s.focusable = false;
                s.focused = false;
            } else {
                s.pressed = cell->isDown();
            }
        }
        return s;
    }

    QStringList actionNames() const override
    {
        if (!tile() || tile()->isBlank())
            return {};
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (!tile() || tile()->isBlank())
            return;
        if (action == pressAction())
            tile()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (tile() && !tile()->isBlank() && action == pressAction())
            return {QStringLiteral("space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    // None while the button is being destroyed.
    TileButton *tile() const { return qobject_cast<TileButton *>(widget()); }
};

// The time-limit box and its up-down, seen from either of them: one spin
// button with the value the box shows, stepped by the up-down within its
// bounds. The arrows are part of it, not controls of their own.
class SpinButtonAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit SpinButtonAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::SpinBox) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            if (!widget()->accessibleName().isEmpty() || !box())
                return widget()->accessibleName();
            return box()->accessibleName();
        case QAccessible::Value: return box() ? box()->text() : QString();
        default: return QAccessibleWidget::text(t);
        }
    }

    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    // --- Value ---
    QVariant currentValue() const override
    {
        const std::optional<int> shown = upDown() ? upDown()->shownValue() : std::nullopt;
        return shown ? QVariant(*shown) : QVariant();
    }
    void setCurrentValue(const QVariant &value) override
    {
        if (upDown())
            upDown()->setShownValue(value.toInt());
    }
    QVariant maximumValue() const override { return upDown() ? QVariant(upDown()->maximum()) : QVariant(); }
    QVariant minimumValue() const override { return upDown() ? QVariant(upDown()->minimum()) : QVariant(); }
    QVariant minimumStepSize() const override { return 1; }

    // --- Actions ---
    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (upDown() && action == increaseAction())
            upDown()->stepUp();
        else if (upDown() && action == decreaseAction())
            upDown()->stepDown();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == increaseAction())
            return {QStringLiteral("Up")};
        if (action == decreaseAction())
            return {QStringLiteral("Down")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

protected:
    virtual UpDown *upDown() const = 0;
    QLineEdit *box() const { return upDown() ? upDown()->buddy() : nullptr; }
};

// The spin button seen from the up-down.
class UpDownAccessible : public SpinButtonAccessible
{
public:
    explicit UpDownAccessible(UpDown *upDown) : SpinButtonAccessible(upDown) {}

protected:
    UpDown *upDown() const override { return qobject_cast<UpDown *>(widget()); }
};

// The box itself also carries its text and caret, as any text box does.
class SpinBoxTextAccessible : public SpinButtonAccessible, public QAccessibleTextInterface
{
public:
    explicit SpinBoxTextAccessible(UpDownBox *box) : SpinButtonAccessible(box) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return SpinButtonAccessible::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = SpinButtonAccessible::state();
        s.editable = !edit()->isReadOnly();
        s.selectableText = true;
        return s;
    }

    // --- Text ---
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = *start + edit()->selectedText().size();
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int start, int end) override { edit()->setSelection(start, end - start); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int start, int end) const override { return edit()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return QString();
    }

    using SpinButtonAccessible::text;

protected:
    UpDown *upDown() const override
    {
        const auto *box = qobject_cast<UpDownBox *>(widget());
        return box ? box->upDown() : nullptr;
    }

private:
    QLineEdit *edit() const { return static_cast<QLineEdit *>(widget()); }
};

// What the announcer says, as a notification.
class AnnouncerAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(Announcer *announcer) : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *announcer = qobject_cast<Announcer *>(widget());
        return announcer && t == QAccessible::Name ? announcer->text() : QAccessibleWidget::text(t);
    }
};

// An item of a drop-down menu, as the menu presents it, with its shortcut key
// told in the desktop's usual form "mnemonic;full path;shortcut", where a
// screen reader looks for it (Qt passes the shortcut as a lone key, which
// screen readers take for no shortcut).
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    MenuItemAccessible(QMenu *menu, QAction *action) : m_menu(menu), m_action(action) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    bool isValid() const override { return m_menu && m_action; }
    QObject *object() const override { return m_action; }
    QWindow *window() const override { return m_menu ? m_menu->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_menu); }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override
    {
        return m_action && m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect place = m_menu->actionGeometry(m_action);
        return QRect(m_menu->mapToGlobal(place.topLeft()), place.size());
    }
    void setText(QAccessible::Text, const QString &) override {}
    QString text(QAccessible::Text t) const override
    {
        if (!m_action)
            return {};
        if (t == QAccessible::Name)
            return withoutMnemonicMarks(m_action->text());
        if (t == QAccessible::Accelerator) {
            const QString key = shortcut();
            return key.isEmpty() ? mnemonic() : key;
        }
        return {};
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.invisible = !m_action->isVisible() || !m_menu->isVisible();
        s.disabled = !m_action->isEnabled();
        s.focusable = !m_action->isSeparator();
        s.focused = m_menu->activeAction() == m_action && m_menu->isVisible();
        s.checkable = m_action->isCheckable();
        s.checked = m_action->isChecked();
        return s;
    }

    // A disabled item keeps its action, so that its keys are told too.
    QStringList actionNames() const override
    {
        return m_action && !m_action->isSeparator() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && isValid() && m_action->isEnabled()) {
            m_menu->setActiveAction(m_action);
            m_action->trigger();
        }
    }
    QStringList keyBindingsForAction(const QString &) const override
    {
        const QString letter = mnemonic();
        const QString key = shortcut();
        return letter.isEmpty() && key.isEmpty() ? QStringList() : QStringList{letter, QString(), key};
    }

private:
    QString shortcut() const { return m_action ? m_action->shortcut().toString(QKeySequence::NativeText) : QString(); }
    // Alt and the letter marked with "&", if any.
    QString mnemonic() const
    {
        return m_action ? QKeySequence::mnemonic(m_action->text()).toString(QKeySequence::NativeText) : QString();
    }
    // The text as shown: "&" marks the next letter, "&&" stands for "&".
    static QString withoutMnemonicMarks(const QString &text)
    {
        QString shown;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == u'&' && ++i == text.size())
                break;
            shown += text.at(i);
        }
        return shown;
    }

    QPointer<QMenu> m_menu;
    QPointer<QAction> m_action;
};

// The drop-down menu an action is an item of, if any.
QMenu *menuOf(QAction *action)
{
    for (QObject *holder : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(holder))
            return menu;
    }
    return nullptr;
}

QAccessibleInterface *gameAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QAction")) {
        auto *action = static_cast<QAction *>(object);
        QMenu *menu = menuOf(action);
        return menu && !action->menu() ? new MenuItemAccessible(menu, action) : nullptr;
    }
    if (className == QLatin1String("Announcer"))
        return new AnnouncerAccessible(static_cast<Announcer *>(object));
    if (className == QLatin1String("TileButton"))
        return new TileAccessible(static_cast<TileButton *>(object));
    if (className == QLatin1String("UpDown"))
        return new UpDownAccessible(static_cast<UpDown *>(object));
    if (className == QLatin1String("UpDownBox"))
        return new SpinBoxTextAccessible(static_cast<UpDownBox *>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("announcer"));
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void Announcer::say(const QString &text)
{
    m_text = text;
    // Appearing is what a screen reader speaks a notification on.
    hide();
    show();
}

void installAccessibleInterfaces()
{
    // Installing the same factory twice changes nothing.
    QAccessible::installFactory(gameAccessibleFactory);
}
