// What a player hears of one turn, recorded by OpenAL Soft's wave writer: the countdown's three
// ticks and the turn's tone, the last five seconds of aiming, the throw, the blast, nothing in
// between, nothing while M has the sound off, and the clock again once M has it on. The writer
// mixes in real time on its own thread while the game's clock is driven by hand, so every event is
// placed in the recording by the device's own clock of mixed samples, read just before and after
// the event is caused; the test sleeps between events so that each sound has ended before the next
// begins. Then where the sound files are looked up, and a device that goes away while the game
// runs, both on a GameSound of their own.
#include "tests/support/GameDriver.h"

#include "tests/game/sound/WaveWriter.h"

#include "engine/scene/VORN_Clock.h"
#include "game/files/DataFiles.h"
#include "game/sound/GameSound.h"
#include "game/sound/WaveFile.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"

#include <AL/alext.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace GameDriver;
using VORN_LIB::VORN_Clock;

namespace {

const int outputRate = WaveWriter::rate;

QString& recordingPath() {
    static QString path;
    return path;
}

// The game's sound must go to the wave writer: the environment is set before the game exists.
class SoundScenario : public GameScenario {
public:
    static void SetUpTestSuite() { recordingPath() = WaveWriter::recordInto(); }
};

using WaveWriter::mixedFrames;

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
    // The effects alone: the music is silenced before anything sounds (the menus' piece would
    // start with the first tick).
    g.sound.setMusicVolume(0);
    tick(20); // its volume falls to 0 within 200 ms, and then it stops
    const long long musicOff = mixedFrames();

    std::vector<Heard> heard;
    // The countdown: a tick as each of its three seconds begins, the tone when the turn starts.
    heard.push_back(cause("countdown 3", tickLength, [] {
        startRound(2, 1, 5);
        tick();
    }));
    ASSERT_EQ(g.match->state(), Countdown);
    sleepSeconds(tickLength + pause);
    tick(38); // up to 0.975 s
    heard.push_back(cause("countdown 2", tickLength, [] { tick(); }));
    sleepSeconds(tickLength + pause);
    tick(39);
    heard.push_back(cause("countdown 1", tickLength, [] { tick(); }));
    sleepSeconds(tickLength + pause);
    tick(40); // 3.000 s: still the countdown
    ASSERT_EQ(g.match->state(), Countdown);
    heard.push_back(cause("turn start", startLength, [] { tick(); }));
    ASSERT_EQ(g.match->state(), Moving);
    sleepSeconds(startLength + pause);

    // A 45° throw at the other figure four units ahead, which flies for about two seconds.
    Tortoise* thrower = g.match->players()[0]->figure(0);
    Tortoise* target = g.match->players()[1]->figure(0);
    placeOnGround(thrower, 10, 0);
    placeOnGround(target, 10, -4);
    ticksFor(1);
    tap(Qt::Key_Return);
    ASSERT_EQ(g.match->state(), Aiming);
    hold(Qt::Key_Space, 1.5);
    hold(Qt::Key_Up, 0.45);

    // The player aims into the last seconds of the 45 for aiming: a tick as each of the last five
    // begins, the throw half a second before the end.
    const auto sinceTurnStart = [&] { return VORN_Clock::now() - g.match->turnStart(); };
    ASSERT_TRUE(tickUntil([&] { return sinceTurnStart() == 39975; }, 2000));
    for (int left = 5; left >= 1; --left) {
        heard.push_back(
            cause("aiming " + std::to_string(left) + " left", tickLength, [] { tick(); }));
        sleepSeconds(tickLength + pause);
        tick(left > 1 ? 39 : 20);
    }
    ASSERT_EQ(sinceTurnStart(), 44500);
    heard.push_back(cause("launch", launchLength, [] { tap(Qt::Key_Return); }));
    ASSERT_EQ(g.match->state(), Flying);
    sleepSeconds(launchLength + pause);

    // The flight, with a frame every fourth tick so that the listener rides with the camera; the
    // blast is the tick that handles the impact.
    Heard blast{"blast", 0, 0};
    for (int i = 0; i < 400 && g.match->impactState() != ImpactState::Exploded; ++i) {
        if (i % 4 == 0)
            g.repaint();
        blast = cause("blast", blastLength, [] { tick(); });
    }
    ASSERT_EQ(g.match->impactState(), ImpactState::Exploded);
    EXPECT_LT(target->health, 100); // the throw hit
    sleepSeconds(0.4);

    // M while the blast still roars: it stops, and the next turn's countdown ticks unheard until
    // M again brings its last second back.
    const Heard muting = cause("mute", 0, [] { tap(Qt::Key_M); });
    ASSERT_TRUE(g.sound.muted());
    blast.to = muting.from;
    heard.push_back(blast);
    sleepSeconds(pause);
    ASSERT_TRUE(tickUntil([&] { return g.match->state() == Countdown; }, 400));
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
    ASSERT_EQ(g.match->state(), Countdown);
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
    long long quietFrom = musicOff;
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

namespace {

// The lines the game's sound wrote to standard error (OpenAL Soft may add its own).
QStringList soundLines(const std::string& errors) {
    return QString::fromStdString(errors).split('\n').filter(
        QRegularExpression("^tortoise-valley: "));
}

void copyFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).path());
    ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
}

} // namespace

// A game whose ../../data holds the bitmaps but no sounds/ (an installed game started from a
// folder two levels below some other data): every effect still comes from the installed data
// folder, and one that the local sounds/ holds is taken from there, good or not.
TEST(GameSoundFiles, EachSoundIsLookedUpOnItsOwnInBothDataFolders) {
    WaveWriter::recordInto();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString local = root.filePath("data");
    const QString installed = root.filePath("share/tortoise-valley");
    for (const char* bitmap : {"valleyDepth.bmp", "valleyTex.bmp"})
        copyFile(QStringLiteral("../../data/") + bitmap, local + '/' + bitmap);
    for (const char* name : GameSound::fileNames)
        copyFile(QStringLiteral("../../data/sounds/") + name, installed + "/sounds/" + name);
    for (const char* name : GameSound::musicNames)
        copyFile(QStringLiteral("../../data/music/") + name, installed + "/music/" + name);

    {
        GameSound sound;
        testing::internal::CaptureStderr();
        const bool opened = sound.open(DataFiles(local, installed));
        const std::string said = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(opened) << said;
        for (int e = 0; e < GameSound::EffectCount; ++e)
            EXPECT_TRUE(sound.hasSound(GameSound::Effect(e))) << GameSound::fileNames[e];
        EXPECT_TRUE(sound.hasMusic(GameSound::MenuMusic) && sound.hasMusic(GameSound::PlayMusic));
        EXPECT_EQ(soundLines(said), QStringList()) << said;
    }

    QFile broken(local + "/sounds/tick.wav");
    QDir().mkpath(local + "/sounds");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a sound");
    broken.close();
    GameSound sound;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(sound.open(DataFiles(local, installed)));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(sound.hasSound(GameSound::ClockTick));
    for (int e = GameSound::ClockTick + 1; e < GameSound::EffectCount; ++e)
        EXPECT_TRUE(sound.hasSound(GameSound::Effect(e))) << GameSound::fileNames[e];
    EXPECT_EQ(soundLines(said), QStringList{"tortoise-valley: some sounds stay silent: " + local +
                                            "/sounds/tick.wav: not a WAVE file"})
        << said;
}

// The device goes away as OpenAL Soft reports it (its wave writer disconnects the device when a
// write fails, as its other outputs do when the sound server or the headphones go): the game says
// so once, lets go of the device and plays on silently; each new game looks for a device again,
// and the one it finds plays.
TEST(GameSoundDevice, ALostDeviceIsSaidOnceLetGoAndLookedForAgainAtEachNewGame) {
    const DataFiles data(QStringLiteral("../../data"), QStringLiteral("/nonexistent"));
    WaveWriter::failWrites();
    GameSound sound;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(sound.open(data));
    EXPECT_TRUE(sound.hasSound(GameSound::TurnStart));
    // The writer fails at its first block of mixed samples, some 23 ms after the device opened;
    // the next call of the game finds the device gone.
    for (int i = 0; i < 300 && sound.isOpen(); ++i) {
        sound.turnStarts();
        QThread::msleep(10);
    }
    EXPECT_FALSE(sound.isOpen());
    EXPECT_TRUE(sound.deviceLost());
    EXPECT_EQ(alcGetCurrentContext(), nullptr); // its context is gone with it
    EXPECT_FALSE(sound.hasSound(GameSound::TurnStart));
    // Every effect and M now leave the device alone, and nothing more is said.
    sound.turnClock(1000, 4.5);
    sound.launch();
    sound.explosion(VORN_LIB::VORN_Vector(1, 2, 3));
    sound.figureLost();
    sound.gameOver(true);
    sound.toggleMute();
    sound.toggleMute();
    EXPECT_FALSE(sound.isOpen());

    // A new game while no device opens: still silent, quietly, and looked for again next time.
    WaveWriter::noDevice();
    sound.newGame();
    EXPECT_FALSE(sound.isOpen());
    EXPECT_TRUE(sound.deviceLost());

    const QString recording = WaveWriter::recordInto();
    sound.newGame();
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(sound.isOpen()) << said;
    EXPECT_FALSE(sound.deviceLost());
    for (int e = 0; e < GameSound::EffectCount; ++e)
        EXPECT_TRUE(sound.hasSound(GameSound::Effect(e))) << GameSound::fileNames[e];
    EXPECT_EQ(soundLines(said),
              (QStringList{"tortoise-valley: the sound device is gone, playing without sound "
                           "until a new game",
                           "tortoise-valley: sound device found again, playing with sound"}))
        << said;

    // The device found again plays, and the next new game keeps it.
    sound.turnStarts();
    sleepSeconds(seconds("start.wav") + 0.3);
    sound.newGame();
    EXPECT_TRUE(sound.isOpen());
    sound.close(); // completes the file
    WaveFile recorded;
    QString error;
    ASSERT_TRUE(recorded.read(recording, &error)) << error.toStdString();
    EXPECT_GT(loudest(recorded, 0, static_cast<long long>(recorded.frames())), 0.02);
}

// A blast that takes the last figure: the blast, the lost figure's whistle and the fanfare are
// heard one after the other, not all at the same moment; the game calls them in one tick.
TEST(GameSoundOrder, TheWhistleAndTheFanfareWaitForTheBlast) {
    const DataFiles data(QStringLiteral("../../data"), QStringLiteral("/nonexistent"));
    const QString recording = WaveWriter::recordInto();
    VORN_Clock::setManual(1000);
    GameSound sound;
    ASSERT_TRUE(sound.open(data));
    sound.setMusicVolume(0); // the effects alone
    const double blast = seconds("explosion.wav");
    const double whistle = seconds("fall.wav");
    const double fanfare = seconds("victory.wav");
    const long long start = mixedFrames();
    sound.explosion(VORN_LIB::VORN_Vector(0, 0, 0)); // at the listener
    sound.figureLost();
    sound.figureLost(); // a second figure of the same blast: one whistle
    sound.gameOver(true);
    // The game's clock and the device's run together here: ticks of 25 ms, really waited.
    const double all = blast + whistle + fanfare;
    for (int i = 0; i * 0.025 < all + 0.3; ++i) {
        QThread::msleep(25);
        VORN_Clock::advance(25);
        sound.update(VORN_Clock::now());
    }
    sound.close(); // completes the file
    WaveFile recorded;
    QString error;
    ASSERT_TRUE(recorded.read(recording, &error)) << error.toStdString();
    // Something sounds in each part: the whistle's and the fanfare's parts begin after the blast's
    // end (1.8 s), when all three would be over had they started together.
    const auto at = [&](double s) { return start + std::lround(s * outputRate); };
    EXPECT_GT(loudest(recorded, at(0), at(blast)), 0.02) << "the blast";
    EXPECT_GT(loudest(recorded, at(blast + 0.05), at(blast + whistle)), 0.02) << "the whistle";
    EXPECT_GT(loudest(recorded, at(blast + whistle + 0.1), at(all)), 0.02) << "the fanfare";
}
