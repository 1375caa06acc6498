// What a player hears of one turn, recorded by OpenAL Soft's wave writer: the countdown's three
// ticks and the turn's tone, the last five seconds of aiming, the throw, the blast, nothing in
// between, nothing while M has the sound off, and the clock again once M has it on. The writer
// mixes in real time on its own thread while the game's clock is driven by hand, so every event is
// placed in the recording by the device's own clock of mixed samples, read just before and after
// the event is caused; the test sleeps between events so that each sound has ended before the next
// begins.
#include "tests/support/GameDriver.h"

#include "engine/scene/VORN_Clock.h"
#include "game/sound/WaveFile.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <AL/alext.h>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace GameDriver;
using VORN_LIB::VORN_Clock;

namespace {

const int outputRate = 44100;

QTemporaryDir& recordingFolder() {
    static QTemporaryDir folder;
    return folder;
}

QString recordingPath() {
    return recordingFolder().filePath("turn.wav");
}

// The game's sound must go to the wave writer: the environment is set before the game exists.
class SoundScenario : public GameScenario {
public:
    static void SetUpTestSuite() {
        ASSERT_TRUE(recordingFolder().isValid());
        const QString config = recordingFolder().filePath("alsoft.conf");
        QFile file(config);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[general]\nfrequency = %1\nchannels = stereo\n"
                                  "sample-type = float32\n[wave]\nfile = %2\n")
                       .arg(outputRate)
                       .arg(recordingPath())
                       .toUtf8());
        file.close();
        qputenv("ALSOFT_CONF", config.toLocal8Bit());
        qputenv("ALSOFT_DRIVERS", "wave");
    }
};

// Frames the game's sound device has mixed so far, by its own clock: the place in the recording
// where a sound started now begins.
long long mixedFrames() {
    ALCdevice* device = alcGetContextsDevice(alcGetCurrentContext());
    static const auto deviceClock =
        reinterpret_cast<LPALCGETINTEGER64VSOFT>(alcGetProcAddress(device, "alcGetInteger64vSOFT"));
    ALCint64SOFT nanoseconds = 0;
    deviceClock(device, ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
    return nanoseconds * outputRate / 1000000000LL;
}

void sleepSeconds(double seconds) {
    QThread::msleep(static_cast<unsigned long>(seconds * 1000));
}

// Where an event's sound must be in the recording: from the frame mixed when it was caused to the
// frame mixed after that, plus the sound's length and one mixing period.
struct Heard {
    std::string what;
    long long from;
    long long to;
};

template <typename Action>
Heard cause(const std::string& what, double soundSeconds, Action action) {
    const long long before = mixedFrames();
    action();
    const long long after = mixedFrames();
    return {what, before, after + std::lround(soundSeconds * outputRate) + 2048};
}

// The loudest 10 ms of a span of frames (both channels), as root mean square.
double loudest(const WaveFile& wave, long long from, long long to) {
    const long long window = outputRate / 100;
    const long long end = std::min<long long>(to, static_cast<long long>(wave.frames()));
    double best = 0;
    for (long long start = std::max(0LL, from); start + window <= end; start += window / 2) {
        double sum = 0;
        for (long long f = start; f < start + window; ++f)
            for (int c = 0; c < wave.channels; ++c) {
                const double s = wave.samples[static_cast<std::size_t>(f * wave.channels + c)];
                sum += s * s;
            }
        best = std::max(best, std::sqrt(sum / (window * wave.channels)));
    }
    return best;
}

// The largest sample of a span of frames.
double peak(const WaveFile& wave, long long from, long long to) {
    const long long end = std::min<long long>(to, static_cast<long long>(wave.frames()));
    double top = 0;
    for (long long f = std::max(0LL, from); f < end; ++f)
        for (int c = 0; c < wave.channels; ++c)
            top = std::max<double>(
                top, std::fabs(wave.samples[static_cast<std::size_t>(f * wave.channels + c)]));
    return top;
}

double seconds(const char* file) {
    WaveFile wave;
    QString error;
    EXPECT_TRUE(wave.read(QStringLiteral("../../data/sounds/") + file, &error))
        << error.toStdString();
    return wave.seconds();
}

} // namespace

TEST_F(SoundScenario, ATurnIsHeardFromTheCountdownToTheBlastAndMSilencesIt) {
    ASSERT_TRUE(g.sound.isOpen()) << "no wave writer: is OpenAL Soft installed?";
    const double tickLength = seconds("tick.wav");
    const double startLength = seconds("start.wav");
    const double launchLength = seconds("launch.wav");
    const double blastLength = seconds("explosion.wav");
    const double pause = 0.3; // real seconds of silence after each sound

    std::vector<Heard> heard;
    // The countdown: a tick as each of its three seconds begins, the tone when the turn starts.
    heard.push_back(cause("countdown 3", tickLength, [] {
        startRound(2, 1, 5);
        tick();
    }));
    ASSERT_EQ(g.state, Countdown);
    sleepSeconds(tickLength + pause);
    tick(38); // up to 0.975 s
    heard.push_back(cause("countdown 2", tickLength, [] { tick(); }));
    sleepSeconds(tickLength + pause);
    tick(39);
    heard.push_back(cause("countdown 1", tickLength, [] { tick(); }));
    sleepSeconds(tickLength + pause);
    tick(40); // 3.000 s: still the countdown
    ASSERT_EQ(g.state, Countdown);
    heard.push_back(cause("turn start", startLength, [] { tick(); }));
    ASSERT_EQ(g.state, Moving);
    sleepSeconds(startLength + pause);

    // A 45° throw at the other figure four units ahead, which flies for about two seconds.
    Tortoise* thrower = g.players[0]->figures[0];
    Tortoise* target = g.players[1]->figures[0];
    placeOnGround(thrower, 10, 0);
    placeOnGround(target, 10, -4);
    ticksFor(1);
    tap(Qt::Key_Return);
    ASSERT_EQ(g.state, Aiming);
    hold(Qt::Key_Space, 1.5);
    hold(Qt::Key_Up, 0.45);

    // The player aims into the last seconds of the 45 for aiming: a tick as each of the last five
    // begins, the throw half a second before the end.
    const auto sinceTurnStart = [&] { return VORN_Clock::now() - g.turnStart; };
    ASSERT_TRUE(tickUntil([&] { return sinceTurnStart() == 39975; }, 2000));
    for (int left = 5; left >= 1; --left) {
        heard.push_back(
            cause("aiming " + std::to_string(left) + " left", tickLength, [] { tick(); }));
        sleepSeconds(tickLength + pause);
        tick(left > 1 ? 39 : 20);
    }
    ASSERT_EQ(sinceTurnStart(), 44500);
    heard.push_back(cause("launch", launchLength, [] { tap(Qt::Key_Return); }));
    ASSERT_EQ(g.state, Flying);
    sleepSeconds(launchLength + pause);

    // The flight, with a frame every fourth tick so that the listener rides with the camera; the
    // blast is the tick that handles the impact.
    Heard blast{"blast", 0, 0};
    for (int i = 0; i < 400 && g.impactState != ImpactState::Exploded; ++i) {
        if (i % 4 == 0)
            g.repaint();
        blast = cause("blast", blastLength, [] { tick(); });
    }
    ASSERT_EQ(g.impactState, ImpactState::Exploded);
    EXPECT_LT(target->health, 100); // the throw hit
    sleepSeconds(0.4);

    // M while the blast still roars: it stops, and the next turn's countdown ticks unheard until
    // M again brings its last second back.
    const Heard muting = cause("mute", 0, [] { tap(Qt::Key_M); });
    ASSERT_TRUE(g.sound.muted());
    blast.to = muting.from;
    heard.push_back(blast);
    sleepSeconds(pause);
    ASSERT_TRUE(tickUntil([&] { return g.state == Countdown; }, 400));
    std::vector<Heard> unheard;
    unheard.push_back(cause("countdown 3 while muted", tickLength, [] { tick(); }));
    sleepSeconds(tickLength + pause);
    tick(38);
    unheard.push_back(cause("countdown 2 while muted", tickLength, [] { tick(); }));
    sleepSeconds(tickLength + pause);
    const Heard unmuting = cause("unmute", 0, [] { tap(Qt::Key_M); });
    ASSERT_FALSE(g.sound.muted());
    sleepSeconds(pause);
    tick(39); // up to 1.975 s
    ASSERT_EQ(g.state, Countdown);
    heard.push_back(cause("countdown 1 after M", tickLength, [] { tick(); }));
    sleepSeconds(tickLength + pause);
    const long long end = mixedFrames();

    g.sound.close(); // completes the file
    WaveFile recording;
    QString error;
    ASSERT_TRUE(recording.read(recordingPath(), &error)) << error.toStdString();
    ASSERT_EQ(recording.rate, outputRate);
    ASSERT_GE(static_cast<long long>(recording.frames()), end);

    // Every sound is there, with (digital) silence before, between and after them. From M on
    // nothing sounds, neither the rest of the blast nor two seconds of the countdown, until the
    // tick after M again.
    const double audible = 0.02; // root mean square of the loudest 10 ms
    const double silent = 0.001; // largest sample
    long long quietFrom = 0;
    for (const Heard& h : heard) {
        EXPECT_GT(loudest(recording, h.from, h.to), audible) << h.what << " is not heard";
        EXPECT_LT(peak(recording, quietFrom, h.from), silent) << "a sound before " << h.what;
        quietFrom = h.what == "blast" ? muting.to : h.to;
    }
    EXPECT_LT(peak(recording, quietFrom, end), silent) << "a sound after the last tick";
    for (const Heard& h : unheard) { // they began inside the span found silent above
        EXPECT_GT(h.from, muting.to) << h.what;
        EXPECT_LT(h.from, unmuting.from) << h.what;
    }
}
