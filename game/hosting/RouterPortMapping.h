// A game port forwarded from the home router's outside to this machine by UPnP, so that friends
// on the internet can join a game hosted at home: asked for when a host opens it (TCP for the
// game, UDP for status queries to the same port), renewed at half its lease, and dropped when
// the host closes it or goes. The router is spoken to on a thread of its own, never the window's:
// the search waits up to searchMs for each of its two kinds of answer, a request for the
// router's answer.
// What came of it is said by signal, in the thread that made the mapping. Times are engine clock
// milliseconds.
#pragma once

#include "engine/scene/VORN_Clock.h"

#include <QObject>
#include <QString>
#include <memory>

class QThread;
class QTimer;
class RouterGateway;

class RouterPortMapping : public QObject {
    Q_OBJECT

public:
    explicit RouterPortMapping(QObject* parent = nullptr);
    // Drops the forwarding (close()) and ends the router's thread.
    ~RouterPortMapping() override;

    enum class State {
        Off,       // nothing asked
        Searching, // the router is looked for and asked
        Open,      // forwarded: reachable at outside()
        NoRouter,  // no router answered
        Refused,   // a router answered but forwards nothing (reason())
        NotBuilt   // this build has no UPnP
    };

    // Asks the router to forward port; the answer comes by opened() or failed().
    void open(quint16 port);
    // Drops the forwarding: waits until the router has answered (a few seconds at most) so that
    // it is gone when this returns, as the host ends. Nothing when nothing was asked.
    void close();
    // Renews a forwarding at half its lease (the own timer calls it every second with the
    // clock's reading; tests may call it with theirs).
    void tick(VORN_LIB::VORN_Clock::Ticks now);

    State state() const { return now; }
    quint16 port() const { return asked; }
    QString outside() const { return outsideAt; } // "203.0.113.7:47800" while Open
    QString reason() const { return why; }        // why Refused: the router's words

    static constexpr int leaseSeconds = 3600;
    static constexpr int searchMs = 1000;
    // After a renewal that failed, the next try.
    static constexpr VORN_LIB::VORN_Clock::Ticks retryMs = 60000;

signals:
    void opened(const QString& outside, bool renewed);
    void failed(State state, const QString& reason);
    void closed(); // the router dropped the forwarding

private:
    void ask(bool renewal);
    void answered(int generation, State state, const QString& outside, const QString& reason,
                  bool renewal);

    QThread* thread = nullptr;              // the router's
    QObject* worker = nullptr;              // lives in thread; what runs there runs through it
    std::shared_ptr<RouterGateway> gateway; // used in thread only
    QTimer* renewer = nullptr;
    State now = State::Off;
    quint16 asked = 0;
    QString outsideAt;
    QString why;
    int generation = 0;                      // an answer to an older ask is dropped
    VORN_LIB::VORN_Clock::Ticks renewAt = 0; // 0: nothing to renew
};
