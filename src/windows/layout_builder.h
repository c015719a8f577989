#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <span>
#include <typeinfo>
#include <type_traits>
#include <vector>

class QMenuBar;
class QWidget;

// Where a window keeps a control once it is built: a member of the window's
// struct of controls, or one place of a member that is an array. The control
// must be of the member's type; a row that names the wrong kind stops the
// program as the window is built.
struct ControlSlot
{
    void (*keep)(void *controls, QWidget *control, int index) = nullptr;
    const std::type_info *owner = nullptr;
    int index = 0;
};

namespace layout_detail {
template <typename Member> struct MemberOf;
template <typename Struct, typename Type> struct MemberOf<Type Struct::*>
{
    using Owner = Struct;
    using Held = Type;
};
template <typename Held> struct Place
{
    using Widget = std::remove_pointer_t<Held>;
    static void put(Held &member, Widget *control, int) { member = control; }
};
template <typename T, std::size_t N> struct Place<std::array<T *, N>>
{
    using Widget = T;
    static void put(std::array<T *, N> &member, T *control, int index) { member.at(index) = control; }
};
template <typename T> struct Place<std::vector<T *>>
{
    using Widget = T;
    static void put(std::vector<T *> &member, T *control, int index)
    {
        if (member.size() <= std::size_t(index))
            member.resize(std::size_t(index) + 1);
        member[std::size_t(index)] = control;
    }
};
// Stops the program: the control is not of the kind its slot holds.
[[noreturn]] void wrongKind(const QWidget *control, const char *wanted);
} // namespace layout_detail

// The slot for the member `Member` (for an array, its place `index`).
template <auto Member> ControlSlot keptIn(int index = 0)
{
    using Of = layout_detail::MemberOf<decltype(Member)>;
    using Place = layout_detail::Place<typename Of::Held>;
    using Widget = typename Place::Widget;
    return {[](void *controls, QWidget *control, int at) {
                auto *typed = qobject_cast<Widget *>(control);
                if (!typed)
                    layout_detail::wrongKind(control, Widget::staticMetaObject.className());
                Place::put(static_cast<typename Of::Owner *>(controls)->*Member, typed, at);
            },
            &typeid(typename Of::Owner), index};
}

// One control of a window's layout, as the layouts give it: its name and
// kind, its caption and tool tip, its place and size in twips from the top-left
// corner of its container, its container and where the window keeps it.
struct ControlRow
{
    enum class Kind {
        Frame,        // a plain rectangle outline
        GroupBox,     // a frame with a caption
        Button,       // a command button
        Tile,         // a cell of the board
        OptionButton, // one of a group of option buttons
        Label,
        TextBox,
        LimitBox,     // the text box an up-down is bound to
        UpDown,
        ProgressBar,
        StatusBar,
        StatusPanel,  // a text panel of the status bar
    };

    QString name;
    Kind kind;
    const char *caption;
    const char *toolTip;
    int left;
    int top;
    int width;
    int height;
    // The name of the container; empty for the window's client area.
    QString container;
    ControlSlot slot{};
    bool hidden = false;
};

// Where a window stands when it is shown.
struct Placement
{
    enum class Rule {
        ClientAt,        // its client area's top-left corner at `clientAt`
        ClientAtCentred, // the same, then centred across the screen
        CentredOnScreen, // centred across and down the screen
        OverOwner,       // centred over its owner, as Qt places dialogs
    };
    Rule rule;
    QPoint clientAt{};
};

// A window as one declaration: its title (marked in the window's own
// translation context), the size of its client area and its place, its
// controls back to front, and the controls the Tab key visits in turn.
struct WindowLayout
{
    const char *title;
    int width;
    int height;
    Placement placement;
    std::vector<ControlRow> controls;
    QStringList tabOrder;
};

// One command of a menu: the menu's name and caption, the command's name,
// caption and shortcut. A row without a command names the menu alone.
struct MenuRow
{
    QString menu;
    const char *menuCaption;
    QString name;
    const char *caption;
    int shortcut;
};

// Builds the controls of `layout` into `root`, the window's client area, and
// keeps each in its slot of `controls`; gives `window` its title, and `root`
// its size unless `sized` is false, and the tab order. Captions and tool tips
// are shown in the player's language (marked QT_TRANSLATE_NOOP("Game", ...)
// in the tables); the window sets what else a control needs. A slot of another
// struct, a wrong kind or a name of the tab order that is not in the layout
// stops the program here.
void buildWindow(const WindowLayout &layout, QWidget *window, QWidget *root, void *controls,
                 const std::type_info &kind, bool sized = true);
template <typename Controls>
Controls buildWindow(const WindowLayout &layout, QWidget *window, QWidget *root, bool sized = true)
{
    Controls controls{};
    buildWindow(layout, window, root, &controls, typeid(Controls), sized);
    return controls;
}

// Puts a window where its layout places it; called as it is shown.
void placeWindow(QWidget *window, const Placement &placement);

// Adds the menus and their commands to the menu bar, in the order given.
void buildMenus(std::span<const MenuRow> menus, QMenuBar *bar);
