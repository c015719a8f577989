#include "layout_builder.h"

#include "game_texts.h"
#include "placement.h"
#include "tile_button.h"
#include "twips.h"
#include "up_down.h"

#include <QAction>
#include <QCoreApplication>
#include <QHash>
#include <QMainWindow>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace {

QWidget *create(const ControlRow &control, QWidget *parent)
{
    const QString caption = shown(control.caption);
    switch (control.kind) {
    case ControlRow::Kind::Frame: {
        auto *frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        return frame;
    }
    case ControlRow::Kind::GroupBox: {
        auto *box = new QGroupBox(caption, parent);
        // A frame inside a frame would otherwise be read out with the outer
        // frame's caption.
        box->setAccessibleName(caption);
        return box;
    }
    case ControlRow::Kind::Button:
        return new QPushButton(caption, parent);
    case ControlRow::Kind::Tile: {
        const int index = control.name.section(u'(', 1).chopped(1).toInt();
        auto *tile = new TileButton(index, parent);
        tile->setText(caption);
        return tile;
    }
    case ControlRow::Kind::OptionButton:
        return new QRadioButton(caption, parent);
    case ControlRow::Kind::Label: {
        auto *label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlRow::Kind::TextBox:
        return new QLineEdit(caption, parent);
    case ControlRow::Kind::LimitBox:
        return new UpDownBox(caption, parent);
    case ControlRow::Kind::UpDown:
        return new UpDown(parent);
    case ControlRow::Kind::ProgressBar: {
        auto *bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlRow::Kind::StatusBar: {
        auto *bar = new QStatusBar(parent);
        bar->setSizeGripEnabled(false);
        return bar;
    }
    case ControlRow::Kind::StatusPanel: {
        // A panel keeps its place and size and paints its whole area, so
        // that a new text repaints that panel and nothing else.
        auto *panel = new QLabel(parent);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
        panel->setTextFormat(Qt::PlainText);
        panel->setAutoFillBackground(true);
        return panel;
    }
    }
    return nullptr;
}

// Keeps a control or command in its slot, if it has one.
void keep(const ControlSlot &slot, QObject *object, void *controls, const std::type_info &kind)
{
    if (!slot.keep)
        return;
    if (*slot.owner != kind)
        qFatal("%s is kept by another window", qPrintable(object->objectName()));
    slot.keep(controls, object, slot.index);
}

void buildMenus(const std::vector<MenuRow> &menus, QMenuBar *bar, void *controls, const std::type_info &kind)
{
    QMenu *menu = nullptr;
    for (const MenuRow &item : menus) {
        if (!menu || menu->objectName() != item.menu) {
            menu = bar->addMenu(shown(item.menuCaption));
            menu->setObjectName(item.menu);
        }
        if (item.name.isEmpty()) {
            keep(item.slot, menu, controls, kind);
            continue;
        }
        QAction *action = menu->addAction(shown(item.caption));
        action->setObjectName(item.name);
        action->setShortcut(QKeySequence(item.shortcut));
        // The shortcuts work with whichever control of the window has the
        // focus, and only there.
        action->setShortcutContext(Qt::WindowShortcut);
        keep(item.slot, action, controls, kind);
    }
}

} // namespace

void buildWindow(const WindowLayout &layout, QWidget *window, QWidget *root, void *controls,
                 const std::type_info &kind)
{
    window->setWindowTitle(QCoreApplication::translate(window->metaObject()->className(), layout.title));
    root->setFixedSize(px(layout.width), px(layout.height));
    QHash<QString, QWidget *> byName;
    const auto named = [&](const QString &name) {
        QWidget *widget = byName.value(name);
        if (!widget)
            qFatal("%s: no control %s", qPrintable(window->objectName()), qPrintable(name));
        return widget;
    };
    for (const ControlRow &control : layout.controls) {
        QWidget *container = control.container.isEmpty() ? root : named(control.container);
        QWidget *widget = create(control, container);
        widget->setObjectName(control.name);
        if (control.toolTip)
            widget->setToolTip(shown(control.toolTip));
        const QRect place = twipsRect(control.left, control.top, control.width, control.height);
        if (control.kind == ControlRow::Kind::StatusBar || control.kind == ControlRow::Kind::StatusPanel) {
            // A status bar and its panels keep their size whatever they hold.
            widget->setFixedSize(place.size());
            widget->move(place.topLeft());
        } else {
            widget->setGeometry(place);
        }
        if (control.hidden)
            widget->hide();
        keep(control.slot, widget, controls, kind);
        byName.insert(control.name, widget);
    }
    // The Tab key visits the controls of the tab order, and no other
    // control takes the focus.
    for (QWidget *widget : std::as_const(byName)) {
        if (!layout.tabOrder.contains(widget->objectName()))
            widget->setFocusPolicy(Qt::NoFocus);
    }
    for (qsizetype i = 0; i + 1 < layout.tabOrder.size(); ++i)
        QWidget::setTabOrder(named(layout.tabOrder[i]), named(layout.tabOrder[i + 1]));
    if (auto *main = qobject_cast<QMainWindow *>(window))
        buildMenus(layout.menus, main->menuBar(), controls, kind);
}

void placeWindow(QWidget *window, const Placement &placement)
{
    QPoint clientAt(px(placement.clientAt.x()), px(placement.clientAt.y()));
    // A main window's layout places its client area, below the menu bar.
    if (auto *main = qobject_cast<QMainWindow *>(window))
        clientAt.ry() -= main->menuBar()->sizeHint().height();
    switch (placement.rule) {
    case Placement::Rule::ClientAt: placeClientAt(window, clientAt); break;
    case Placement::Rule::ClientAtCentred:
        placeClientAt(window, clientAt);
        centreOnScreen(window, true);
        break;
    case Placement::Rule::CentredOnScreen: centreOnScreen(window); break;
    case Placement::Rule::OverOwner: placeClientAt(window, window->geometry().topLeft()); break;
    }
}

namespace layout_detail {
void wrongKind(const QObject *control, const char *wanted)
{
    qFatal("%s is not a %s", qPrintable(control->objectName()), wanted);
}
} // namespace layout_detail
