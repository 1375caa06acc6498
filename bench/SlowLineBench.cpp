// Network play over a slow line, in real time: a host and a joined machine of this process, the
// joined one seeing the host's game through a relay on 127.0.0.1 (tests/support/LinkRelay) of 0,
// 100 or 300 ms each way (± 20 ms, 2 % of pieces stalled 200 … 300 ms on the slow ones) and
// drawing it as its window would, played back by a StateBuffer at every 25 ms tick.
//
// BM_SlowLine (the delay, and 1 for the own turn shown ahead as the window shows it, 0 for the
// host's picture alone) plays rounds of a turn of the joined machine: it turns its figure (the time
// from the key to the figure turning in the picture, and the longest the turning figure stood still
// in the picture), then presses Return twice 0.3 s apart (whether the grenade flew, the time from
// the first Return to the flight in the picture, and the longest the flying grenade stood still).
// Stand-stills are counted on the picture's own clock, so a slow machine does not make them up.
//
// BM_StatesFromASlowHost stands for a host whose window takes 90 ms a frame: each tick of its
// timer is followed by 65 ms of painting. It counts the states a joined machine gets per second
// of the host's game clock, and the longest gap between two of them on that clock, with the
// ticks a frame held up played one by one (1) and with one tick a timer tick (0, as it was).
#include "tests/support/LinkRelay.h"

#include "bench/BenchValley.h"
#include "game/hosting/MatchHost.h"
#include "game/hosting/TurnPrediction.h"
#include "game/match/Match.h"
#include "game/network/NetworkClient.h"
#include "game/network/StateBuffer.h"
#include "game/rules/Rules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <functional>

using namespace Network;
using VORN_LIB::VORN_Clock;

namespace {

bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// A joined machine with no window: what it would draw at each tick; with predicting, its own
// figure on turn shown ahead of the host's picture on the keys it holds, as the window does.
struct Joined {
    Joined(quint16 port, bool ahead) : predicting(ahead) {
        QObject::connect(&client, &NetworkClient::received, [this](const Message& m) {
            if (std::holds_alternative<Start>(m))
                buffer.clear();
            else if (const auto* s = std::get_if<State>(&m))
                buffer.push(*s, VORN_Clock::now());
            else if (const auto* people = std::get_if<Players>(&m))
                for (const Person& p : people->people)
                    if (p.seat == client.seat && p.roundTripMs > 0)
                        roundTrip = p.roundTripMs;
        });
        QObject::connect(&ticks, &QTimer::timeout, [this] {
            const VORN_Clock::Ticks now = VORN_Clock::now();
            if (std::optional<State> p = buffer.at(now)) {
                picture = *p;
                ++pictures;
            }
            const Figure* host = hostOwn();
            const bool ownTurn = host && picture.currentPlayer == client.seat &&
                                 (picture.state == Moving || picture.state == Aiming);
            if (!predicting || !ownTurn) {
                prediction.reset();
                return;
            }
            prediction.lagMs = roundTrip + int(StateBuffer::delayMs) + Rules::tickMs;
            prediction.hold(keys, picture.state, now);
            const TurnPrediction::Pose shown =
                prediction.shown({host->x, host->y, host->z, host->heading}, now);
            predicted = *host;
            predicted.x = float(shown.x);
            predicted.z = float(shown.z);
            predicted.heading = float(shown.heading);
        });
        ticks.start(Rules::tickMs);
        client.connectTo(QStringLiteral("127.0.0.1"), port);
    }
    const Figure* hostOwn() const {
        for (const Figure& f : picture.figures)
            if (f.player == picture.currentPlayer && f.slot == picture.currentSlot)
                return &f;
        return nullptr;
    }
    // The own figure as the picture shows it.
    const Figure* own() const {
        const Figure* host = hostOwn();
        return host && predicting && picture.currentPlayer == client.seat ? &predicted : host;
    }
    void send(const TurnCommand& held) {
        keys = held;
        client.send(Command{1, held});
    }

    const bool predicting;
    NetworkClient client;
    StateBuffer buffer;
    QTimer ticks;
    State picture;
    long pictures = 0;
    TurnPrediction prediction;
    TurnCommand keys;
    Figure predicted;
    int roundTrip = 0;
};

// The longest a watched value stood still from one picture to the next that showed it, on the
// picture's clock.
struct StandStill {
    void see(long shown, double value) {
        if (since == 0 || value != last) {
            last = value;
            since = shown;
        }
        longest = std::max(longest, shown - since);
    }
    void stop() { since = 0; }
    double last = 0;
    long since = 0;
    long longest = 0;
};

void BM_SlowLine(benchmark::State& state) {
    VORN_Clock::useReal();
    Bitmap valley;
    benchvalley::fillHills(valley, 128, 64);
    Match hosted(valley);
    MatchHost host(hosted);
    host.listen(0);
    QTimer hostTicks;
    QObject::connect(&hostTicks, &QTimer::timeout, [&] { host.advance(VORN_Clock::now()); });
    hostTicks.start(Rules::tickMs);
    LinkRelay::Line slow;
    slow.delayMs = int(state.range(0));
    if (slow.delayMs == 0)
        slow.jitterMs = 0, slow.loss = 0;
    LinkRelay line(host.port(), slow);
    Joined joined(line.port(), state.range(1) != 0);
    if (!waitFor([&] { return joined.client.seat == 1; }, 10000)) {
        state.SkipWithError("could not join through the relay");
        return;
    }

    double keySum = 0, keyMost = 0, throwSum = 0, throwMost = 0;
    int rounds = 0, thrown = 0;
    StandStill figureStill, grenadeStill;
    for (auto _ : state) {
        for (int round = 0; round < 4; ++round) {
            hosted.reset();
            hosted.newGame(2, 3);
            while (hosted.currentPlayer() != 1)
                hosted.nextTurn();
            const auto onTurn = [&] {
                return joined.picture.state == Moving && joined.picture.currentPlayer == 1 &&
                       joined.own();
            };
            if (!waitFor(onTurn, 15000))
                continue;
            ++rounds;

            // A turning key: from the press to the figure turning in the picture, then how
            // evenly it turns.
            const float heading = joined.own()->heading;
            QElapsedTimer key;
            key.start();
            TurnCommand turn;
            turn.yawRate = Rules::turnSpeed;
            joined.send(turn);
            waitFor([&] { return joined.own() && joined.own()->heading != heading; }, 5000);
            const double toPicture = double(key.elapsed());
            keySum += toPicture;
            keyMost = std::max(keyMost, toPicture);
            long lastShown = 0;
            waitFor(
                [&] {
                    if (joined.buffer.shown() != lastShown && joined.own()) {
                        lastShown = joined.buffer.shown();
                        figureStill.see(lastShown, joined.own()->heading);
                    }
                    return key.elapsed() > 1500 + toPicture;
                },
                5000);
            figureStill.stop();
            joined.send(TurnCommand());
            waitFor([] { return false; }, 600);

            // Return, and Return again 0.3 s later.
            QElapsedTimer returns;
            returns.start();
            joined.client.sendStep(TurnCommand::Step::FireMode);
            waitFor([] { return false; }, 300);
            joined.client.sendStep(TurnCommand::Step::Throw);
            if (!waitFor([&] { return joined.picture.state == Flying; }, 5000))
                continue;
            ++thrown;
            throwSum += double(returns.elapsed());
            throwMost = std::max(throwMost, double(returns.elapsed()));
            waitFor(
                [&] {
                    const State& p = joined.picture;
                    if (p.state != Flying || !p.grenadeShown) {
                        grenadeStill.stop();
                        return true; // gone off, or out of the valley
                    }
                    if (joined.buffer.shown() != lastShown) {
                        lastShown = joined.buffer.shown();
                        grenadeStill.see(lastShown, p.grenadeX + 1000.0 * p.grenadeY);
                    }
                    return false;
                },
                15000);
        }
    }
    state.counters["rounds"] = rounds;
    state.counters["throws"] = thrown;
    state.counters["key_to_picture_ms_mean"] = rounds ? keySum / rounds : 0;
    state.counters["key_to_picture_ms_most"] = keyMost;
    state.counters["return_to_flight_ms_mean"] = thrown ? throwSum / thrown : 0;
    state.counters["return_to_flight_ms_most"] = throwMost;
    state.counters["figure_still_ms_most"] = double(figureStill.longest);
    state.counters["grenade_still_ms_most"] = double(grenadeStill.longest);
    state.counters["stalls"] = line.stalls();
    state.counters["stall_ms_most"] = line.longestStallMs();
}
BENCHMARK(BM_SlowLine)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Args({300, 0})
    ->Args({300, 1})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

void BM_StatesFromASlowHost(benchmark::State& state) {
    VORN_Clock::useReal();
    Bitmap valley;
    benchvalley::fillHills(valley, 128, 64);
    Match hosted(valley);
    MatchHost host(hosted);
    host.listen(0);
    const bool oneByOne = state.range(0) != 0;
    QTimer hostTicks;
    QObject::connect(&hostTicks, &QTimer::timeout, [&] {
        if (oneByOne) {
            host.advance(VORN_Clock::now());
        } else {
            hosted.advance(VORN_Clock::now());
            host.sendState(hosted.clockNow());
        }
        QElapsedTimer painting; // a frame that takes its time
        painting.start();
        while (painting.elapsed() < 65) {
        }
    });
    hostTicks.start(Rules::tickMs);
    NetworkClient client;
    std::vector<qint64> times;
    QObject::connect(&client, &NetworkClient::received, [&](const Message& m) {
        if (const auto* s = std::get_if<State>(&m))
            times.push_back(s->time);
    });
    client.connectTo(QStringLiteral("127.0.0.1"), host.port());
    if (!waitFor([&] { return client.seat == 1; }, 10000)) {
        state.SkipWithError("could not join over the loopback");
        return;
    }
    hosted.newGame(2, 3);
    hosted.nextTurn();
    for (auto _ : state) {
        times.clear();
        waitFor([] { return false; }, 5000);
    }
    qint64 gap = 0;
    for (std::size_t i = 1; i < times.size(); ++i)
        gap = std::max(gap, times[i] - times[i - 1]);
    const double span = times.size() > 1 ? double(times.back() - times.front()) / 1000 : 1;
    state.counters["states_per_game_second"] = double(times.size() - 1) / span;
    state.counters["longest_gap_ms"] = double(gap);
}
BENCHMARK(BM_StatesFromASlowHost)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
