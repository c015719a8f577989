#include "layout_builder.h"

#include "tile_button.h"
#include "twips.h"
#include "up_down.h"

#include <QAction>
#include <QCoreApplication>
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

// A caption or tool tip of a layout, in the player's language.
QString layoutText(const char *english)
{
    return english ? QCoreApplication::translate("Game", english) : QString();
}

QWidget *create(const ControlSpec &spec, QWidget *parent)
{
    const QString caption = layoutText(spec.caption);
    switch (spec.kind) {
    case ControlSpec::Kind::Frame: {
        auto *frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        return frame;
    }
    case ControlSpec::Kind::GroupBox: {
        auto *box = new QGroupBox(caption, parent);
        // A frame inside a frame would otherwise be read out with the outer
        // frame's caption.
        box->setAccessibleName(caption);
        return box;
    }
    case ControlSpec::Kind::Button:
        return new QPushButton(caption, parent);
    case ControlSpec::Kind::Tile: {
        const int index = spec.name.section(u'(', 1).chopped(1).toInt();
        auto *tile = new TileButton(index, parent);
        tile->setText(caption);
        return tile;
    }
    case ControlSpec::Kind::OptionButton:
        return new QRadioButton(caption, parent);
    case ControlSpec::Kind::Label: {
        auto *label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlSpec::Kind::TextBox:
        return new QLineEdit(caption, parent);
    case ControlSpec::Kind::LimitBox:
        return new UpDownBox(caption, parent);
    case ControlSpec::Kind::UpDown:
        return new UpDown(parent);
    case ControlSpec::Kind::ProgressBar: {
        auto *bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlSpec::Kind::StatusBar: {
        auto *bar = new QStatusBar(parent);
        bar->setSizeGripEnabled(false);
        return bar;
    }
    case ControlSpec::Kind::StatusPanel: {
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

} // namespace

Controls buildControls(std::span<const ControlSpec> layout, QWidget *root)
{
    Controls controls;
    for (const ControlSpec &spec : layout) {
        QWidget *container = spec.container.isEmpty() ? root : controls[spec.container];
        QWidget *widget = create(spec, container);
        widget->setObjectName(spec.name);
        if (spec.toolTip)
            widget->setToolTip(layoutText(spec.toolTip));
        const QRect place = twipsRect(spec.left, spec.top, spec.width, spec.height);
        if (spec.kind == ControlSpec::Kind::StatusBar || spec.kind == ControlSpec::Kind::StatusPanel) {
            // A status bar and its panels keep their size whatever they hold.
            widget->setFixedSize(place.size());
            widget->move(place.topLeft());
        } else {
            widget->setGeometry(place);
        }
        if (spec.hidden)
            widget->hide();
        controls.add(spec.name, widget);
    }
    return controls;
}

void buildMenus(std::span<const MenuSpec> menus, QMenuBar *bar)
{
    QMenu *menu = nullptr;
    for (const MenuSpec &spec : menus) {
        if (!menu || menu->objectName() != spec.menu) {
            menu = bar->addMenu(layoutText(spec.menuCaption));
            menu->setObjectName(spec.menu);
        }
        if (spec.name.isEmpty())
            continue;
        QAction *action = menu->addAction(layoutText(spec.caption));
        action->setObjectName(spec.name);
        action->setShortcut(QKeySequence(spec.shortcut));
        // The shortcuts work with whichever control of the window has the
        // focus, and only there.
        action->setShortcutContext(Qt::WindowShortcut);
    }
}
