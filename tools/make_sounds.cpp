// Makes the game's sound effects in a folder (scripts/make-data writes them into data/sounds/):
// one-channel 16-bit WAV files at 44100 Hz, synthesised from tones, tone sweeps and filtered noise
// under envelopes. Deterministic: the noise comes from a fixed-seed generator, so the same program
// always writes the same bytes.
// Usage: make_sounds <folder>
#include "tools/Noise.h"

#include "game/sound/GameSound.h"
#include "game/sound/WaveFile.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const int rate = 44100; // the usual output rate, so that nothing needs resampling
const double twoPi = 6.283185307179586;

// Rises linearly over attack seconds, then decays exponentially with the time constant decay.
double strike(double t, double attack, double decay) {
    if (t < 0)
        return 0;
    return std::min(1.0, t / attack) * std::exp(-std::max(0.0, t - attack) / decay);
}

// A sine whose frequency glides exponentially from f0 to f1 over the given seconds, then stays.
class Sweep {
public:
    Sweep(double f0, double f1, double seconds) : from(f0), to(f1), span(seconds) {}
    double next(double t) {
        const double k = std::min(1.0, t / span);
        phase += twoPi * from * std::pow(to / from, k) / rate;
        return std::sin(phase);
    }

private:
    double from, to, span;
    double phase = 0;
};

// A two-pole resonant band-pass (state-variable filter) for shaping noise.
class BandPass {
public:
    double next(double in, double centre, double damping) {
        const double f = 2.0 * std::sin(M_PI * std::min(centre, rate / 6.0) / rate);
        low += f * band;
        const double high = in - low - damping * band;
        band += f * high;
        return band;
    }

private:
    double low = 0, band = 0;
};

std::vector<float> silence(double seconds) {
    return std::vector<float>(static_cast<std::size_t>(std::lround(seconds * rate)), 0.0f);
}

// Scales to the given peak and fades the last 5 ms out, so that no sound ends in a click.
void finish(std::vector<float>& s, double peak) {
    float top = 0;
    for (float v : s)
        top = std::max(top, std::fabs(v));
    const double gain = top > 0 ? peak / top : 0.0;
    const std::size_t fade = static_cast<std::size_t>(0.005 * rate);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::size_t left = s.size() - i;
        const double tail = left < fade ? static_cast<double>(left) / fade : 1.0;
        s[i] = static_cast<float>(s[i] * gain * tail);
    }
}

// The turn clock's tick: a short wooden knock at 880 Hz with a click of noise on its front.
std::vector<float> tick() {
    std::vector<float> s = silence(0.07);
    Noise noise(11);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double knock = std::sin(twoPi * 880 * t) + 0.35 * std::sin(twoPi * 2640 * t);
        s[i] = static_cast<float>(knock * strike(t, 0.001, 0.012) +
                                  0.5 * noise.next() * strike(t, 0.0005, 0.002));
    }
    finish(s, 0.6);
    return s;
}

// The start of a turn: a bright chime an octave above the tick.
std::vector<float> start() {
    std::vector<float> s = silence(0.4);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double chime = std::sin(twoPi * 1760 * t) + 0.3 * std::sin(twoPi * 3520 * t) +
                             0.15 * std::sin(twoPi * 5280 * t);
        s[i] = static_cast<float>(chime * strike(t, 0.004, 0.12));
    }
    finish(s, 0.6);
    return s;
}

// The throw: a low thump sweeping down from 150 Hz, under a whoosh of noise whose band rises from
// 300 Hz to 1.5 kHz.
std::vector<float> launch() {
    std::vector<float> s = silence(0.55);
    Noise noise(23);
    Sweep thump(150, 45, 0.15);
    BandPass whoosh;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double centre = 300 * std::pow(5.0, std::min(1.0, t / 0.4));
        const double air = whoosh.next(noise.next(), centre, 0.35);
        s[i] = static_cast<float>(0.9 * thump.next(t) * strike(t, 0.003, 0.07) +
                                  0.6 * air * strike(t, 0.03, 0.14));
    }
    finish(s, 0.7);
    return s;
}

// The blast: a crack of white noise, a roar of noise whose brightness falls from 2 kHz to 120 Hz,
// and a rumble sweeping down from 55 Hz.
std::vector<float> explosion() {
    std::vector<float> s = silence(1.8);
    Noise noise(37);
    Sweep rumble(55, 30, 1.2);
    double lowPassed = 0;
    double lowPassed2 = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double n = noise.next();
        const double cutoff = 120 + 1880 * std::exp(-t / 0.2);
        const double a = 1.0 - std::exp(-twoPi * cutoff / rate);
        lowPassed += a * (n - lowPassed);
        lowPassed2 += a * (lowPassed - lowPassed2);
        const double crack = n * strike(t, 0.0005, 0.008);
        const double roar = lowPassed2 * strike(t, 0.004, 0.42);
        s[i] = static_cast<float>(0.4 * crack + 3.0 * roar +
                                  0.7 * rumble.next(t) * strike(t, 0.01, 0.5));
    }
    finish(s, 0.9);
    return s;
}

// A lost figure: a whistle falling from 1400 Hz to 250 Hz with a slight wobble.
std::vector<float> fall() {
    std::vector<float> s = silence(0.8);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f =
            1400 * std::pow(250.0 / 1400.0, t / 0.8) * (1 + 0.02 * std::sin(twoPi * 6 * t));
        phase += twoPi * f / rate;
        const double level = std::min(1.0, t / 0.01) * std::min(1.0, (0.8 - t) / 0.25);
        s[i] = static_cast<float>((std::sin(phase) + 0.2 * std::sin(2 * phase)) * level);
    }
    finish(s, 0.45);
    return s;
}

// A brassy note: four harmonics, a quick attack, a little sag, and a release at its end.
void note(std::vector<float>& s, double at, double length, double frequency) {
    const std::size_t first = static_cast<std::size_t>(at * rate);
    const std::size_t count = static_cast<std::size_t>(length * rate);
    for (std::size_t i = 0; i < count && first + i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double p = twoPi * frequency * t;
        const double voice =
            std::sin(p) + 0.5 * std::sin(2 * p) + 0.3 * std::sin(3 * p) + 0.15 * std::sin(4 * p);
        const double level = std::min(1.0, t / 0.008) * (0.7 + 0.3 * std::exp(-t / 0.05)) *
                             std::min(1.0, (length - t) / 0.04);
        s[first + i] += static_cast<float>(voice * level);
    }
}

// A winner: C, E, G rising to the high C, held.
std::vector<float> victory() {
    std::vector<float> s = silence(1.3);
    note(s, 0.00, 0.14, 523.25);
    note(s, 0.15, 0.14, 659.25);
    note(s, 0.30, 0.14, 783.99);
    note(s, 0.45, 0.85, 1046.50);
    finish(s, 0.6);
    return s;
}

// A draw: the same kind of phrase lower and falling, G, E flat, C, held.
std::vector<float> draw() {
    std::vector<float> s = silence(1.5);
    note(s, 0.00, 0.22, 392.00);
    note(s, 0.24, 0.22, 311.13);
    note(s, 0.48, 1.02, 261.63);
    finish(s, 0.55);
    return s;
}

// Time up: two short buzzing notes, the second lower (A, then F), hard-edged like a referee's
// horn and over in under half a second.
std::vector<float> timeUp() {
    std::vector<float> s = silence(0.45);
    const auto buzz = [&](double at, double length, double frequency) {
        const std::size_t first = static_cast<std::size_t>(at * rate);
        const std::size_t count = static_cast<std::size_t>(length * rate);
        for (std::size_t i = 0; i < count && first + i < s.size(); ++i) {
            const double t = static_cast<double>(i) / rate;
            const double p = twoPi * frequency * t;
            // Odd harmonics: a soft square wave.
            const double voice = std::sin(p) + std::sin(3 * p) / 3 + std::sin(5 * p) / 5;
            const double level = std::min(1.0, t / 0.005) * std::min(1.0, (length - t) / 0.02);
            s[first + i] += static_cast<float>(voice * level);
        }
    };
    buzz(0.00, 0.16, 440.0);
    buzz(0.20, 0.25, 349.23);
    finish(s, 0.5);
    return s;
}

// A hurt tortoise: a dull knock with a short falling "oof" over it, a fifth of a second.
std::vector<float> hurt() {
    std::vector<float> s = silence(0.22);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = 320 * std::pow(150.0 / 320.0, t / 0.22);
        phase += twoPi * f / rate;
        const double level = std::min(1.0, t / 0.004) * std::exp(-t / 0.07);
        const double knock = std::sin(twoPi * 90 * t) * std::exp(-t / 0.025);
        s[i] = static_cast<float>((std::sin(phase) + 0.35 * std::sin(2 * phase)) * level + knock);
    }
    finish(s, 0.5);
    return s;
}

// The edge's warning: two quick high beeps, clear of every other effect's pitch.
std::vector<float> edge() {
    std::vector<float> s = silence(0.3);
    for (const double at : {0.0, 0.16}) {
        const std::size_t first = static_cast<std::size_t>(at * rate);
        const std::size_t count = static_cast<std::size_t>(0.1 * rate);
        for (std::size_t i = 0; i < count && first + i < s.size(); ++i) {
            const double t = static_cast<double>(i) / rate;
            const double level = std::min(1.0, t / 0.004) * std::min(1.0, (0.1 - t) / 0.015);
            s[first + i] += static_cast<float>(std::sin(twoPi * 1760 * t) * level);
        }
    }
    finish(s, 0.4);
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "make_sounds: cannot make %s\n", argv[1]);
        return 1;
    }
    std::vector<float> (*const makers[GameSound::EffectCount])() = {
        tick, start, launch, explosion, fall, victory, draw, timeUp, hurt, edge};
    for (int e = 0; e < GameSound::EffectCount; ++e) {
        WaveFile wave;
        wave.channels = 1;
        wave.rate = rate;
        wave.samples = makers[e]();
        const QString path = folder.filePath(GameSound::fileNames[e]);
        if (!wave.write(path)) {
            std::fprintf(stderr, "make_sounds: cannot write %s\n", path.toLocal8Bit().constData());
            return 1;
        }
        std::printf("%s: %.2f s\n", path.toLocal8Bit().constData(), wave.seconds());
    }
    return 0;
}
