#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in a terminal) as a Qt
// signal delivered by the event loop. The system's handler only writes the
// signal's number to a socket; everything else happens in the event loop.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    static void handle(int signalNumber);
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
