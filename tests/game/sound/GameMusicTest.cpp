// The music: each piece loops without a gap or a jump at its seam, decoded as the game decodes
// it; and what a player hears of it, recorded by OpenAL Soft's wave writer: the menus' piece in
// the menus, the play piece in a game, each at the music's volume from the options screen (10,
// 5, 0), with no click where it starts, changes its volume or crossfades. A piece is told in the
// recording by its correlation with the decoded piece, and its gain by the projection on it,
// searched round the place where it must be.
#include "tests/support/GameDriver.h"

#include "tests/game/sound/Spectrogram.h"
#include "tests/game/sound/WaveWriter.h"

#include "game/sound/GameSound.h"
#include "game/sound/MusicFile.h"
#include "game/sound/WaveFile.h"

#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

using namespace GameDriver;
using WaveWriter::mixedFrames;

namespace {

const int pieceRate = 22050;

std::vector<float> decoded(const char* name, int* rate = nullptr) {
    MusicFile file;
    QString error;
    EXPECT_TRUE(file.open(QStringLiteral("../../data/music/") + name, &error))
        << error.toStdString();
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(file.frames()));
    EXPECT_EQ(file.read(pcm.data(), pcm.size()), pcm.size());
    if (rate)
        *rate = file.rate();
    std::vector<float> out(pcm.size());
    std::transform(pcm.begin(), pcm.end(), out.begin(),
                   [](std::int16_t s) { return s / 32768.0f; });
    return out;
}

double rms(const float* s, std::size_t n, std::size_t stride = 1) {
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += double(s[i * stride]) * s[i * stride];
    return n > 0 ? std::sqrt(sum / n) : 0.0;
}

} // namespace

TEST(GameMusicFiles, EachPieceLoopsWithoutAGapOrAJump) {
    for (const char* name : GameSound::musicNames) {
        MusicFile file;
        QString error;
        ASSERT_TRUE(file.open(QStringLiteral("../../data/music/") + name, &error))
            << error.toStdString();
        EXPECT_EQ(file.channels(), 1) << name;
        EXPECT_EQ(file.rate(), pieceRate) << name;
        const double seconds = double(file.frames()) / file.rate();
        EXPECT_GE(seconds, 30) << name;
        EXPECT_LE(seconds, 61) << name;

        // Two seconds past the end the reading goes on from the start, sample for sample.
        const std::size_t n = static_cast<std::size_t>(file.frames());
        const std::size_t more = 2 * pieceRate;
        std::vector<std::int16_t> s(n + more);
        ASSERT_EQ(file.read(s.data(), s.size()), s.size()) << name;
        int differ = 0;
        for (std::size_t i = 0; i < more; ++i)
            differ += s[n + i] != s[i];
        EXPECT_EQ(differ, 0) << name;

        // The seam's step is no larger than the piece's steps round it, and music sounds on
        // both sides of it.
        const auto step = [&](std::size_t i) { return std::abs(int(s[i + 1]) - int(s[i])); };
        int around = 0;
        for (std::size_t i = n - 300; i < n + 300; ++i)
            if (i != n - 1)
                around = std::max(around, step(i));
        EXPECT_LE(step(n - 1), around) << name;
        std::vector<float> edge(pieceRate / 2);
        for (std::size_t side : {n - edge.size(), n}) {
            for (std::size_t i = 0; i < edge.size(); ++i)
                edge[i] = s[side + i] / 32768.0f;
            EXPECT_GT(rms(edge.data(), edge.size()), 0.02) << name << " at " << side;
        }
        std::printf("%s: %.2f s at %d Hz, seam step %d, largest step round it %d\n", name, seconds,
                    file.rate(), step(n - 1), around);
    }
}

namespace {

QString& recordingPath() {
    static QString path;
    return path;
}

class MusicScenario : public GameScenario {
public:
    static void SetUpTestSuite() { recordingPath() = WaveWriter::recordInto(); }
};

// Ticks of the game's clock in step with real time, so that the music streams as it would.
void play(double seconds) {
    for (int i = 0; i * 0.025 < seconds; ++i) {
        tick();
        QThread::msleep(25);
    }
}

struct Span {
    long long from, to; // frames of the recording
};

template <typename Action> Span during(Action action) {
    const long long from = mixedFrames();
    action();
    return {from, mixedFrames()};
}

// How well a stretch of the recording matches a piece, and at what gain: the best normalised
// correlation of half a second of the first channel (every second frame, at either phase) with the
// piece, its place searched 3000 frames either side of where the piece must be in its first pass,
// and the gain of the recording on the piece there.
struct Likeness {
    double correlation = 0;
    double gain = 0;
};

Likeness matchOf(const WaveFile& recording, long long from, const std::vector<float>& piece,
                 long long pieceAt) {
    const std::size_t window = pieceRate / 2;
    const std::size_t n = piece.size();
    Likeness best;
    for (int phase = 0; phase < 2; ++phase) {
        std::vector<double> x(window);
        for (std::size_t k = 0; k < window; ++k)
            x[k] = recording.samples[static_cast<std::size_t>(
                (from + phase + 2 * static_cast<long long>(k)) * recording.channels)];
        double xx = 0;
        for (double v : x)
            xx += v * v;
        for (long long lag = pieceAt - 3000; lag <= pieceAt + 3000; ++lag) {
            if (lag < 0 || static_cast<std::size_t>(lag) + window > n)
                continue; // the spans lie in the piece's first pass
            const float* y = &piece[static_cast<std::size_t>(lag)];
            double xy = 0, yy = 0;
            for (std::size_t k = 0; k < window; ++k) {
                xy += x[k] * y[k];
                yy += double(y[k]) * y[k];
            }
            const double c = xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0.0;
            if (c > best.correlation)
                best = {c, xy / yy};
        }
    }
    return best;
}

} // namespace

TEST_F(MusicScenario, TheMenusPieceInTheMenusThePlayPieceInAGameAtTheMusicVolume) {
    ASSERT_TRUE(g.sound.isOpen()) << "no wave writer: is OpenAL Soft installed?";
    ASSERT_TRUE(g.sound.hasMusic(GameSound::MenuMusic));
    ASSERT_TRUE(g.sound.hasMusic(GameSound::PlayMusic));
    const std::vector<float> menu = decoded(GameSound::musicNames[GameSound::MenuMusic]);
    const std::vector<float> game = decoded(GameSound::musicNames[GameSound::PlayMusic]);
    g.sound.setEffectsVolume(0); // the music alone, until the spectrogram's end

    // The main menu: the menus' piece from its start, faded in over a second and a half.
    const long long menuStart = mixedFrames();
    play(2.0);
    const Span full = during([] { play(1.0); });
    tap(Qt::Key_O);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::Options);
    for (int i = 0; i < 5; ++i)
        tap(Qt::Key_Comma);
    ASSERT_EQ(g.front.options.musicVolume, 5);
    play(0.3);
    const Span half = during([] { play(1.0); });
    for (int i = 0; i < 5; ++i)
        tap(Qt::Key_Comma);
    ASSERT_EQ(g.front.options.musicVolume, 0);
    play(0.3);
    const Span none = during([] { play(1.0); });
    for (int i = 0; i < 10; ++i)
        tap(Qt::Key_Period);
    tap(Qt::Key_Escape);
    ASSERT_EQ(g.front.screen, FrontEnd::Screen::MainMenu);
    play(0.5);

    // A game: the play piece from its start, the menus' piece faded out.
    const long long gameStart = mixedFrames();
    startRound(2, 1, 5);
    play(2.0);
    ASSERT_EQ(g.sound.musicWanted(), GameSound::PlayMusic);
    const Span inGame = during([] { play(1.0); });

    // The effects join in for the picture: the turn's tone, a throw and where it lands.
    g.sound.setEffectsVolume(1);
    const Span effects = during([] {
        play(1.0);
        tap(Qt::Key_Return);
        play(0.5);
        tap(Qt::Key_Return);
        play(4.0);
    });
    g.sound.close(); // completes the file

    WaveFile recording;
    QString error;
    ASSERT_TRUE(recording.read(recordingPath(), &error)) << error.toStdString();
    ASSERT_GE(static_cast<long long>(recording.frames()), effects.to);
    const auto pieceAt = [](const Span& s, long long start) { return (s.from - start) / 2; };
    const auto spanRms = [&](const Span& s) {
        return rms(&recording.samples[static_cast<std::size_t>(s.from * recording.channels)],
                   static_cast<std::size_t>(s.to - s.from), std::size_t(recording.channels));
    };

    const Likeness menuFull = matchOf(recording, full.from, menu, pieceAt(full, menuStart));
    const Likeness menuHalf = matchOf(recording, half.from, menu, pieceAt(half, menuStart));
    const Likeness notGame = matchOf(recording, full.from, game, pieceAt(full, menuStart));
    const Likeness gameFull = matchOf(recording, inGame.from, game, pieceAt(inGame, gameStart));
    const Likeness notMenu = matchOf(recording, inGame.from, menu, pieceAt(inGame, gameStart));
    std::printf("RMS at music volume 10: %.4f, 5: %.4f, 0: %.6f; in the game at 10: %.4f\n",
                spanRms(full), spanRms(half), spanRms(none), spanRms(inGame));
    std::printf("menu piece: correlation %.3f gain %.3f at 10, %.3f gain %.3f at 5; play piece in "
                "the menu %.3f\nplay piece in the game: %.3f gain %.3f; menu piece there %.3f\n",
                menuFull.correlation, menuFull.gain, menuHalf.correlation, menuHalf.gain,
                notGame.correlation, gameFull.correlation, gameFull.gain, notMenu.correlation);

    EXPECT_GT(menuFull.correlation, 0.9);
    EXPECT_GT(menuHalf.correlation, 0.9);
    EXPECT_LT(notGame.correlation, 0.5);
    EXPECT_GT(gameFull.correlation, 0.9);
    EXPECT_LT(notMenu.correlation, 0.5);
    EXPECT_GT(menuFull.gain, 0.3);
    EXPECT_NEAR(menuHalf.gain / menuFull.gain, 0.5, 0.05);
    EXPECT_NEAR(gameFull.gain, menuFull.gain, 0.05 * menuFull.gain);
    EXPECT_GT(spanRms(full), 0.02);
    // No click where the music starts, changes its volume or changes its piece: no step there
    // larger than the steps of both pieces playing at once could make.
    const auto largestStep = [&](long long from, long long to) {
        double top = 0;
        for (long long f = from; f + 1 < to; ++f)
            top = std::max(
                top, double(std::fabs(recording.samples[std::size_t((f + 1) * recording.channels)] -
                                      recording.samples[std::size_t(f * recording.channels)])));
        return top;
    };
    const double bothSteps = largestStep(full.from, full.to) + largestStep(inGame.from, inGame.to);
    std::printf("largest steps: the menu's piece %.4f, the play piece %.4f, the start %.4f, the "
                "volume's changes %.4f, the change of piece %.4f\n",
                largestStep(full.from, full.to), largestStep(inGame.from, inGame.to),
                largestStep(menuStart, full.from), largestStep(full.to, none.to),
                largestStep(gameStart, inGame.from));
    EXPECT_LE(largestStep(menuStart, full.from), bothSteps) << "the start";
    EXPECT_LE(largestStep(full.to, none.to), bothSteps) << "the volume's changes";
    EXPECT_LE(largestStep(none.to, inGame.from), bothSteps) << "the change of piece";
    double top = 0;
    for (long long f = none.from; f < none.to; ++f)
        top = std::max(
            top,
            double(std::fabs(recording.samples[static_cast<std::size_t>(f * recording.channels)])));
    EXPECT_LT(top, 0.001) << "music at volume 0";

    // The picture, when asked for (scripts/pictures): the whole recording.
    const QString picture = qEnvironmentVariable("TV_SPECTROGRAM");
    if (!picture.isEmpty()) {
        EXPECT_TRUE(Spectrogram::write(
            recording,
            {{full.from, full.to, QStringLiteral("menu music, 10")},
             {half.from, half.to, QStringLiteral("5")},
             {none.from, none.to, QStringLiteral("0")},
             {inGame.from, inGame.to, QStringLiteral("game music")},
             {effects.from, effects.to, QStringLiteral("with the effects: a turn, a throw")}},
            11025, picture));
    }
}
