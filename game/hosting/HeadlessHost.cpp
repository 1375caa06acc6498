// The headless host: a match, its network host and a tick timer, and a line per event.
#include "game/hosting/HeadlessHost.h"

#include "game/hosting/MatchHost.h"
#include "game/hosting/ReplayRecorder.h"
#include "game/hosting/RouterPortMapping.h"
#include "game/match/Match.h"
#include "game/network/NetworkHost.h"
#include "game/network/ReportLine.h"
#include "game/rules/Rules.h"

#include "engine/terrain/Bitmap.h"

#include <QCoreApplication>
#include <QTimer>

using namespace VORN_LIB;

HeadlessHost::HeadlessHost(const Bitmap& heightMap, int players, int figures, std::FILE* out)
    : played(std::make_unique<Match>(heightMap)), laid(heightMap),
      host(new MatchHost(*played, this)), timer(new QTimer(this)), players(players),
      figures(figures), out(out) {
    host->seatEveryPlayer();
    host->network->lastSeatGiven = players - 1; // the others watch
    timer->setInterval(Rules::tickMs);
    connect(timer, &QTimer::timeout, this, [this] { tick(VORN_Clock::now()); });
    reportEvents();
}

HeadlessHost::~HeadlessHost() {
    delete recorder; // a game under way is written before the match goes
    recorder = nullptr;
    delete router; // its forwarding dropped (and said) while this host is whole
    router = nullptr;
    delete host; // before the match it hosts
    host = nullptr;
}

bool HeadlessHost::start(quint16 port) {
    NetworkHost& network = *host->network;
    network.password = password;
    network.seatsPerAddress = seatsPerAddress;
    network.watchersPerAddress = watchersPerAddress;
    network.describeGame = [this](Network::GameStatus& status) {
        status.name = Network::GameStatus::nameOr(name);
        status.wanted = players;
        status.describe(settings);
    };
    if (!network.listen(listenAddress, port))
        return false;
    say(QStringLiteral("hosting on port %1 at %2 for %3 players with %4 figures each%5")
            .arg(host->port())
            .arg(listenAddress.isEmpty() ? QStringLiteral("every address") : listenAddress)
            .arg(players)
            .arg(figures)
            .arg(password.isEmpty() ? QString() : QStringLiteral(", with a password")));
    if (!replays.isEmpty()) {
        recorder = new ReplayRecorder(*played, replays, this);
        recorder->nameOf = [this](int seat) { return host->nameOf(seat); };
        connect(recorder, &ReplayRecorder::written, this,
                [this](const QString& path) { say(QStringLiteral("replay kept: %1").arg(path)); });
    }
    timer->start();
    if (upnp)
        askRouter();
    return true;
}

// What the router did with the port, a line each time; the host plays on whatever it said.
void HeadlessHost::askRouter() {
    router = new RouterPortMapping(this);
    const quint16 port = host->port();
    connect(router, &RouterPortMapping::opened, this,
            [this, port](const QString& outside, bool renewed) {
                say(QStringLiteral("upnp: %1reachable at %2 (the router forwards port %3 for %4 s)")
                        .arg(renewed ? QStringLiteral("renewed, ") : QString(), outside)
                        .arg(port)
                        .arg(RouterPortMapping::leaseSeconds));
            });
    connect(router, &RouterPortMapping::failed, this,
            [this](RouterPortMapping::State state, const QString& reason) {
                if (router->state() == RouterPortMapping::State::Open)
                    say(QStringLiteral("upnp: the router did not renew the forwarding (%1); "
                                       "asking again in %2 s")
                            .arg(reason)
                            .arg(RouterPortMapping::retryMs / 1000));
                else if (state == RouterPortMapping::State::NoRouter)
                    say(QStringLiteral("upnp: no router for upnp found; hosting on without it"));
                else if (state == RouterPortMapping::State::NotBuilt)
                    say(QStringLiteral("upnp: this build cannot ask the router; hosting on "
                                       "without it"));
                else
                    say(QStringLiteral("upnp: the router forwards nothing (%1); hosting on "
                                       "without it")
                            .arg(reason));
            });
    connect(router, &RouterPortMapping::closed, this, [this, port] {
        say(QStringLiteral("upnp: the router no longer forwards port %1").arg(port));
    });
    say(QStringLiteral("upnp: asking the router to forward port %1").arg(port));
    router->open(port);
}

NetworkHost& HeadlessHost::network() {
    return *host->network;
}

quint16 HeadlessHost::port() const {
    return host->port();
}

void HeadlessHost::tick(VORN_Clock::Ticks now) {
    if (now == lastTick)
        return;
    lastTick = now;
    Match& m = *played;
    const bool inGame = m.playerCount() != 0;
    if (inGame && m.state() == GameOver && overSince == 0)
        overSince = now;
    const bool endShown = overSince != 0 && now - overSince >= endShownMs;
    if (!inGame || endShown) {
        host->seatWatchers(); // who watched the last game plays the next
        if (host->joinedCount() >= players) {
            overSince = 0;
            waitingSaid = false;
            m.reset();
            laid.startGame(m, settings, players, figures, [this](const GameSettings&) {
                host->valleyTexture = laid.ownTexture();
                if (recorder)
                    recorder->valleyTexture = laid.ownTexture();
                return true;
            });
        } else if (!waitingSaid) {
            say(QStringLiteral("waiting for %1 more players").arg(players - host->joinedCount()));
            waitingSaid = true;
        }
    }
    host->advance(now);
    if (recorder)
        recorder->tick(now);
}

void HeadlessHost::stop(const QString& why) {
    timer->stop();
    if (router)
        router->close(); // waits for the router's answer: gone before the host is
    const int machines = host->joinedCount() + host->network->watcherCount();
    host->network->close();
    say(QStringLiteral("stopping: %1; goodbye to %2 machines").arg(why).arg(machines));
    QCoreApplication::quit();
}

void HeadlessHost::say(const QString& line) {
    ReportLine::write(out, line);
}

void HeadlessHost::reportEvents() {
    connect(host, &MatchHost::joined, this, [this](int seat) {
        say(QStringLiteral("joined: player %1 from %2").arg(seat).arg(host->addressOf(seat)));
    });
    connect(host, &MatchHost::watching, this, [this](const QString& address) {
        say(QStringLiteral("watching: a machine from %1, until the next game").arg(address));
    });
    connect(host, &MatchHost::left, this,
            [this](int seat) { say(QStringLiteral("left: player %1").arg(seat)); });
    connect(host, &MatchHost::named, this, [this](int seat) {
        say(QStringLiteral("name: player %1 is %2").arg(seat).arg(host->nameOf(seat)));
    });
    // A line has no control characters (the host refuses them), so it cannot steer a terminal.
    connect(host, &MatchHost::chatted, this, [this](int seat, const QString& text) {
        say(QStringLiteral("chat: player %1: %2").arg(seat).arg(text));
    });
    const Match* m = played.get();
    connect(m, &Match::gameStarted, this, [this, m] {
        QString line =
            QStringLiteral("game: %1 players, %2 figures each").arg(m->playerCount()).arg(figures);
        if (m->settings().valley == GameSettings::Valley::Random)
            line += QStringLiteral(", valley %1").arg(m->settings().valleyNumber);
        else if (m->settings().valley == GameSettings::Valley::Picture)
            line += QStringLiteral(", valley %1")
                        .arg(QString::fromStdString(m->settings().valleyPicture));
        say(line);
    });
    connect(m, &Match::turnStarted, this,
            [this](int player) { say(QStringLiteral("turn: player %1").arg(player)); });
    connect(m, &Match::exploded, this,
            [this](const VORN_Vector& p, const QVector<Match::Damage>& hurt) {
                QString line = QStringLiteral("blast: at %1 %2 %3")
                                   .arg(p.x(), 0, 'f', 2)
                                   .arg(p.y(), 0, 'f', 2)
                                   .arg(p.z(), 0, 'f', 2);
                for (const Match::Damage& d : hurt)
                    line += QStringLiteral(", player %1 -%2").arg(d.player).arg(d.damage);
                say(line);
            });
    connect(m, &Match::timeUp, this,
            [this](int player) { say(QStringLiteral("time up: player %1").arg(player)); });
    connect(m, &Match::figureLost, this,
            [this](int player) { say(QStringLiteral("lost: a figure of player %1").arg(player)); });
    connect(m, &Match::playerOut, this,
            [this](int player) { say(QStringLiteral("out: player %1").arg(player)); });
    connect(m, &Match::gameOver, this, [this, m](bool winner) {
        if (winner && !m->alivePlayers().isEmpty())
            say(QStringLiteral("over: player %1 wins").arg(m->alivePlayers().first()));
        else
            say(QStringLiteral("over: a draw"));
        // The game's story, a line a player: what it did to the others and they to it.
        const std::vector<GameStory::Tally>& tallies = m->story().tallies();
        for (std::size_t u = 0; u < tallies.size(); ++u) {
            const GameStory::Tally& t = tallies[u];
            say(QStringLiteral("story: player %1 dealt %2, took %3, own %4, lost %5, best shot %6")
                    .arg(u)
                    .arg(t.dealt)
                    .arg(t.taken)
                    .arg(t.own)
                    .arg(t.lost)
                    .arg(t.bestTurn != 0
                             ? QStringLiteral("%1 (turn %2)").arg(t.bestShot).arg(t.bestTurn)
                             : QStringLiteral("none")));
        }
    });
}
