// Network play: the bytes a tick's state takes on the wire for the smallest and the largest game,
// the time to encode and decode it, and the round trip over the loopback from a joined machine's
// command to the host and the host's next state back, which with the host's tick and the joined
// window's next paint makes the time from a key to the figure moving in its picture.
#include "game/network/FrameCodec.h"
#include "game/network/FrameReader.h"
#include "game/network/NetworkClient.h"
#include "game/network/NetworkHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

using namespace Network;

namespace {

State stateOf(int players, int figures) {
    State s;
    s.state = Moving;
    s.currentPlayer = 0;
    s.currentSlot = 0;
    for (int p = 0; p < players; ++p)
        for (int f = 0; f < figures; ++f)
            s.figures.append({quint8(p), quint8(f), 10.5f * p, 1.0f, -3.5f * f, 45.0f, 100});
    return s;
}

void BM_StateOfATick(benchmark::State& state) {
    const State s = stateOf(int(state.range(0)), int(state.range(1)));
    QByteArray frame;
    for (auto _ : state) {
        frame = FrameCodec::encode(s);
        FrameReader reader;
        reader.append(frame);
        benchmark::DoNotOptimize(reader.next());
    }
    state.counters["bytes_per_tick"] = frame.size();
    state.counters["bytes_per_second"] = frame.size() * 40.0; // 40 ticks a second
}
BENCHMARK(BM_StateOfATick)->Args({2, 1})->Args({9, 9})->Unit(benchmark::kMicrosecond);

void BM_CommandToStateOverLoopback(benchmark::State& state) {
    NetworkHost host;
    host.listen(0);
    NetworkClient client;
    const State s = stateOf(9, 9);
    bool answered = false;
    QObject::connect(&host, &NetworkHost::command,
                     [&](int, const TurnCommand&) { host.broadcast(s); });
    QObject::connect(&client, &NetworkClient::received, [&](const Message& m) {
        answered = answered || std::holds_alternative<State>(m);
    });
    client.connectTo(QStringLiteral("127.0.0.1"), host.port());
    QElapsedTimer wait;
    wait.start();
    while (!host.holds(1) && wait.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!host.holds(1)) {
        state.SkipWithError("could not join over the loopback");
        return;
    }
    TurnCommand left;
    left.yawRate = 120;
    for (auto _ : state) {
        answered = false;
        client.send(Command{1, left});
        while (!answered)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
}
BENCHMARK(BM_CommandToStateOverLoopback)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
