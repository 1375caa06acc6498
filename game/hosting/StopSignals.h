// SIGTERM, SIGINT and SIGHUP as an event of the event loop: the handler only writes the signal's
// number into a pipe (all a handler may safely do), and a notifier on the pipe's other end says
// it in the loop, where the host can end its games cleanly.
#pragma once

#include <QObject>

class QSocketNotifier;

class StopSignals : public QObject {
    Q_OBJECT

public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    // The signal's name, "SIGTERM".
    static const char* nameOf(int signal);

signals:
    void stop(int signal);

private:
    static void handle(int signal);
    QSocketNotifier* notifier = nullptr;
};
