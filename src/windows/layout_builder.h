#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <typeinfo>
#include <vector>

class QWidget;

// Where a window keeps a control or menu command once it is built: a member
// of the window's struct of controls, a pointer or a list (then at `index`).
struct ControlSlot
{
    void (*keep)(void *controls, QObject *control, int index) = nullptr;
    const std::type_info *owner = nullptr;
    int index = 0;
};

namespace layout_detail {
template <typename Member> struct Slot;
template <typename Struct, typename T> struct Slot<T *Struct::*>
{
    using Owner = Struct;
    using Widget = T;
};
template <typename Struct, typename T> struct Slot<std::vector<T *> Struct::*>
{
    using Owner = Struct;
    using Widget = T;
};
[[noreturn]] void wrongKind(const QObject *control, const char *wanted);
} // namespace layout_detail

// The slot of `Member`. A control that is not of the member's kind stops the
// program as the window is built.
template <auto Member> ControlSlot keptIn(int index = 0)
{
    using Slot = layout_detail::Slot<decltype(Member)>;
    return {[](void *controls, QObject *control, int at) {
                auto *typed = qobject_cast<typename Slot::Widget *>(control);
                if (!typed)
                    layout_detail::wrongKind(control, Slot::Widget::staticMetaObject.className());
                auto &member = static_cast<typename Slot::Owner *>(controls)->*Member;
                if constexpr (requires { member.resize(1); }) {
                    member.resize(std::max(member.size(), std::size_t(at) + 1));
                    member[std::size_t(at)] = typed;
                } else {
                    member = typed;
                }
            },
            &typeid(typename Slot::Owner), index};
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

// One command of a menu: the menu's name and caption, the command's name,
// caption and shortcut, and where the window keeps the command. A row without
// a command names the menu alone, and keeps the menu.
struct MenuRow
{
    QString menu;
    const char *menuCaption;
    QString name;
    const char *caption;
    int shortcut;
    ControlSlot slot{};
};

// A window as one declaration: its title (marked in the window's own
// translation context), the size of its client area and its place, its
// controls back to front, the controls the Tab key visits in turn (no other
// takes the focus), and a main window's menus.
struct WindowLayout
{
    const char *title;
    int width;
    int height;
    Placement placement;
    std::vector<ControlRow> controls;
    QStringList tabOrder;
    std::vector<MenuRow> menus{};
};

// Builds the window of `layout`: its title, the size of `root` (its client
// area), the controls in `root`, each kept in its slot of `controls`, the tab
// order and a main window's menus. Captions and tool tips are shown in the
// player's language (marked QT_TRANSLATE_NOOP("Game", ...) in the tables).
// A slot of another struct or a tab stop that is not in the layout stops the
// program here.
void buildWindow(const WindowLayout &layout, QWidget *window, QWidget *root, void *controls,
                 const std::type_info &kind);
template <typename Controls> Controls buildWindow(const WindowLayout &layout, QWidget *window, QWidget *root)
{
    Controls controls{};
    buildWindow(layout, window, root, &controls, typeid(Controls));
    return controls;
}

// Puts a window where its layout places it; called as it is shown.
void placeWindow(QWidget *window, const Placement &placement);

