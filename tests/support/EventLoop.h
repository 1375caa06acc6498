// Waiting in tests for what arrives through the event loop (sockets, processes): bounded, never a
// fixed sleep.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

// Runs the event loop until done() holds or ms milliseconds have passed; tells whether it holds.
inline bool waitFor(const std::function<bool()>& done, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
