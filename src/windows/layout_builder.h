#pragma once

#include <QHash>
#include <QString>

#include <span>

class QMenuBar;
class QWidget;

// One control of a window's layout, as the layouts give it: its name and
// kind, its caption and tool tip, its place and size in twips from the top-left
// corner of its container, and its container.
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
    bool hidden = false;
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

// The controls built from a layout, by name.
class Controls
{
public:
    QWidget *operator[](const QString &name) const { return m_byName.value(name); }
    template <typename T> T *get(const QString &name) const { return static_cast<T *>(m_byName.value(name)); }
    void add(const QString &name, QWidget *widget) { m_byName.insert(name, widget); }

private:
    QHash<QString, QWidget *> m_byName;
};

// Builds the controls in the order given, back to front, into `root`, the
// window's client area. Captions and tool tips are shown in the player's
// language (marked QT_TRANSLATE_NOOP("Game", ...) in the tables); the window
// sets what else a control needs.
Controls buildControls(std::span<const ControlRow> layout, QWidget *root);

// Adds the menus and their commands to the menu bar, in the order given.
void buildMenus(std::span<const MenuRow> menus, QMenuBar *bar);
