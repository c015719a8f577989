#pragma once

#include "game_fixture.h"

#include "windows/frmmain.h"
#include "windows/tile_button.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// The board the window tests deal, with the blank at 5:
//    1  2  3  4
//    5  .  6  7
//    8  9 10 11
//   12 13 14 15
constexpr int kBlank = 5;

// A control of a window, found by its name.
template <typename T> T *ctl(const QObject &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}
template <typename T> T *ctl(const QObject *window, const char *name) { return ctl<T>(*window, name); }

inline TileButton *cellAt(const QObject &window, int index)
{
    return window.findChild<TileButton *>(QStringLiteral("cmdcheck(%1)").arg(index));
}
inline std::array<TileButton *, 16> cellsOf(const QObject &window)
{
    std::array<TileButton *, 16> cells{};
    for (int i = 0; i < 16; ++i)
        cells[i] = cellAt(window, i);
    return cells;
}
inline QLabel *statusPanel(const QObject &window, int index)
{
    return window.findChild<QLabel *>(QStringLiteral("stbtimerPanel%1").arg(index + 1));
}
// A label of the high-score window's rows: "nm" the name, "tm" the time,
// "cap" the caption of row 0 (Easy), 1 (Medium) or 2 (Hard).
inline QLabel *scoreLabel(const QObject &window, const char *part, int row)
{
    static const char *const rows[] = {"easy", "medium", "hard"};
    const QString name = qstrcmp(part, "cap") == 0 ? QStringLiteral("lab%1cap").arg(QLatin1String(rows[row]))
                                                   : QStringLiteral("lab%1%2").arg(QLatin1String(part), QLatin1String(rows[row]));
    return window.findChild<QLabel *>(name);
}

// Closes every modal window as soon as it has been shown, so that a test can
// let the program open its real message boxes and windows without blocking.
// Remembers what was shown, in order.
class ModalCloser : public QObject
{
public:
    ModalCloser() { qApp->installEventFilter(this); }
    ~ModalCloser() override { qApp->removeEventFilter(this); }

    struct Shown
    {
        QString className;
        QString title;
        QString text;  // message boxes only
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    QList<Shown> shown;
    // Runs on the window just before it is closed (it is still open then).
    std::function<void(QWidget *)> whileOpen;

    QStringList titles() const
    {
        QStringList result;
        for (const Shown &s : shown)
            result << s.title;
        return result;
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (!widget->isWindow() || !widget->isModal())
            return false;
        Shown entry{QString::fromLatin1(widget->metaObject()->className()), widget->windowTitle(), {}, {}};
        if (auto *box = qobject_cast<QMessageBox *>(widget)) {
            entry.text = box->text();
            entry.icon = box->icon();
        }
        shown << entry;
        QPointer<QWidget> window(widget);
        QTimer::singleShot(0, widget, [this, window] {
            if (!window)
                return;
            if (whileOpen)
                whileOpen(window);
            if (window)
                window->close();
        });
        return false;
    }
};

// Shows a window and waits until it is the active one.
inline bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// A game and its main window, loaded as at start-up (cells "1" to "16" with
// the last one hidden, the pause button disabled) but not yet shown.
struct MainWindowFixture
{
    MainWindowFixture() : window(fx.game)
    {
        fx.game.load(QString(), 0);
        window.render();
    }

    // Deals a game, drawn, and shows the window over it as the active one.
    bool dealAndShow(const DealOptions &deal = {.blank = kBlank})
    {
        dealGame(fx, deal);
        window.render();
        return showActive(window);
    }

    GameFixture fx;
    frmMain window;
};
