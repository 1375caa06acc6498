// The forwarding's asks and answers: each ask runs in the router's thread and posts its answer
// back to the mapping's.
#include "game/hosting/RouterPortMapping.h"

#include "game/hosting/RouterGateway.h"

#include <QThread>
#include <QTimer>

using namespace VORN_LIB;

RouterPortMapping::RouterPortMapping(QObject* parent)
    : QObject(parent), thread(new QThread(this)), worker(new QObject),
      gateway(std::make_shared<RouterGateway>()), renewer(new QTimer(this)) {
    thread->setObjectName(QStringLiteral("router"));
    worker->moveToThread(thread);
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    thread->start();
    renewer->setInterval(1000);
    connect(renewer, &QTimer::timeout, this, [this] { tick(VORN_Clock::now()); });
}

RouterPortMapping::~RouterPortMapping() {
    close();
    thread->quit();
    thread->wait();
}

void RouterPortMapping::open(quint16 port) {
    if (now != State::Off)
        close();
    asked = port;
    ask(false);
}

// The router is looked for anew on every ask: a renewal also finds a router that restarted.
void RouterPortMapping::ask(bool renewal) {
    if (!renewal) {
        now = State::Searching;
        outsideAt.clear();
        why.clear();
    }
    renewAt = 0;
    const int generationAsked = generation;
    const quint16 port = asked;
    std::shared_ptr<RouterGateway> router = gateway;
    QMetaObject::invokeMethod(worker, [this, router, port, generationAsked, renewal] {
        State state = State::Refused;
        QString outside;
        QString reason;
        const RouterGateway::Found found = router->find(searchMs);
        if (found == RouterGateway::Found::NotBuilt) {
            state = State::NotBuilt;
        } else if (found == RouterGateway::Found::NoRouter) {
            state = State::NoRouter;
        } else {
            const QString address = router->outsideAddress();
            reason = address.isEmpty() ? QStringLiteral("no outside address")
                                       : router->forward(port, "TCP", leaseSeconds);
            if (reason.isEmpty()) {
                // The status answers on the same port are welcome, not needed.
                router->forward(port, "UDP", leaseSeconds);
                state = State::Open;
                outside = address + QLatin1Char(':') + QString::number(port);
            }
        }
        QMetaObject::invokeMethod(
            this, [=] { answered(generationAsked, state, outside, reason, renewal); });
    });
}

void RouterPortMapping::answered(int generationAsked, State state, const QString& outside,
                                 const QString& reason, bool renewal) {
    if (generationAsked != generation)
        return; // closed since
    if (state == State::Open) {
        now = State::Open;
        outsideAt = outside;
        why.clear();
        renewAt = VORN_Clock::now() + leaseSeconds * 1000L / 2;
        renewer->start();
        emit opened(outside, renewal);
        return;
    }
    if (renewal && now == State::Open) { // kept as it is until the lease runs out; tried again
        renewAt = VORN_Clock::now() + retryMs;
        why = reason;
        emit failed(state, reason);
        return;
    }
    now = state;
    outsideAt.clear();
    why = reason;
    renewer->stop();
    emit failed(state, reason);
}

void RouterPortMapping::tick(VORN_Clock::Ticks reading) {
    if (now == State::Open && renewAt != 0 && reading >= renewAt)
        ask(true);
}

void RouterPortMapping::close() {
    if (now == State::Off)
        return;
    ++generation;
    renewer->stop();
    renewAt = 0;
    const quint16 port = asked;
    std::shared_ptr<RouterGateway> router = gateway;
    // Whatever was asked before runs first in the router's thread; then its forwarding goes.
    bool dropped = false;
    QMetaObject::invokeMethod(
        worker,
        [router, port, &dropped] {
            if (router->found()) {
                dropped = router->unforward(port, "TCP").isEmpty();
                router->unforward(port, "UDP");
            }
        },
        Qt::BlockingQueuedConnection);
    now = State::Off;
    outsideAt.clear();
    why.clear();
    if (dropped)
        emit closed();
}
