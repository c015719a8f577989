// The yardstick for the game's start-up time and memory: a bare Qt Widgets
// program with the same visible parts as the game's main window (sixteen
// 41 x 33 px buttons on a 215 x 240 px client area, a menu bar with two menus
// and a status bar) and nothing else: no fonts of its own, no icon, no
// settings, no timers.
// With --clock it also counts down in a fixed-size status-bar label, set once
// a second by a precise timer: the yardstick for the game's running clock.
#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Baseline"));

    auto *client = new QWidget(&window);
    client->setFixedSize(215, 240);
    for (int i = 0; i < 16; ++i) {
        auto *button = new QPushButton(QString::number(i + 1), client);
        button->setGeometry(16 + 48 * (i % 4), 8 + 40 * (i / 4), 41, 33);
    }
    window.setCentralWidget(client);

    QMenu *tools = window.menuBar()->addMenu(QStringLiteral("Tools"));
    tools->addAction(QStringLiteral("Auto Play"));
    tools->addAction(QStringLiteral("Options"));
    tools->addAction(QStringLiteral("High Scores"));
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("How to Play"));
    help->addAction(QStringLiteral("About"));

    window.statusBar()->showMessage(QStringLiteral("Ready"));
    if (QCoreApplication::arguments().contains(QStringLiteral("--clock"))) {
        auto *clock = new QLabel(&window);
        clock->setFixedSize(100, 18);
        window.statusBar()->addPermanentWidget(clock);
        auto *timer = new QTimer(&window);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(1000);
        QObject::connect(timer, &QTimer::timeout, clock, [clock, left = 20 * 60]() mutable {
            --left;
            clock->setText(QStringLiteral("Timer : %1 : %2").arg(left / 60).arg(left % 60));
        });
        timer->start();
    }
    window.show();
    return app.exec();
}
