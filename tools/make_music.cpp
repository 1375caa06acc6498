// Makes the game's two pieces of music in a folder (scripts/make-data writes them into
// data/music/): a calm one for the menus and a livelier one for play, each one loop of whole bars,
// one channel at 22050 Hz, stored as Ogg Vorbis. Every note is written round the loop: what rings
// on past the loop's end sounds again at its start, so the end meets the start without a gap or a
// click when the game plays the piece again and again. Deterministic: the same program always
// writes the same bytes (a fixed stream serial, the noise from a fixed-seed generator).
// Usage: make_music <folder>
#include "tools/Noise.h"

#include "game/sound/GameSound.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>
#include <vorbis/vorbisenc.h>

namespace {

const int rate = 22050;     // enough for soft tones, and half the size of 44100 Hz
const float quality = 0.1f; // Vorbis' quality scale, -0.1 … 1: small files, clean tones
const double twoPi = 6.283185307179586;
const double peakLevel = 0.5; // under the effects, which reach 0.6 … 0.9

// The frequency of a note given in semitones from the A at 440 Hz.
double pitch(int semitones) {
    return 440.0 * std::pow(2.0, semitones / 12.0);
}

// One loop of music, every sample added round its end.
class Loop {
public:
    Loop(double beatSeconds, int beats)
        : beat(beatSeconds),
          samples(static_cast<std::size_t>(std::lround(beatSeconds * beats * rate)), 0.0) {}

    double seconds() const { return static_cast<double>(samples.size()) / rate; }

    // A tone from beat `at` for `length` beats: `voice` gives the sound at t seconds into the
    // note, `release` seconds fade it out after its length.
    template <typename Voice>
    void add(double at, double length, double release, double gain, Voice voice) {
        const std::size_t first = static_cast<std::size_t>(std::lround(at * beat * rate));
        const double held = length * beat;
        const std::size_t count = static_cast<std::size_t>((held + release) * rate);
        for (std::size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / rate;
            const double end = t < held ? 1.0 : 1.0 - (t - held) / release;
            samples[(first + i) % samples.size()] += gain * end * voice(t);
        }
    }

    // Scales the loop to the given peak.
    std::vector<float> finished(double peak) const {
        double top = 0;
        for (double v : samples)
            top = std::max(top, std::fabs(v));
        std::vector<float> out(samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i)
            out[i] = static_cast<float>(top > 0 ? samples[i] * peak / top : 0.0);
        return out;
    }

private:
    double beat; // seconds
    std::vector<double> samples;
};

// A soft pad: a sine and its octave, breathing in over a second.
auto pad(double f) {
    return [f](double t) {
        return std::min(1.0, t / 1.0) *
               (std::sin(twoPi * f * t) + 0.25 * std::sin(twoPi * 2 * f * t));
    };
}

// A bell-like pluck: a sine with a faint fifth harmonic above, dying away.
auto bell(double f, double decay) {
    return [f, decay](double t) {
        const double onset = std::min(1.0, t / 0.004);
        return onset * std::exp(-t / decay) *
               (std::sin(twoPi * f * t) + 0.2 * std::sin(twoPi * 3 * f * t) * std::exp(-t / 0.1));
    };
}

// A round bass: a sine with a little of its second harmonic.
auto bass(double f, double decay) {
    return [f, decay](double t) {
        const double onset = std::min(1.0, t / 0.01);
        return onset * std::exp(-t / decay) *
               (std::sin(twoPi * f * t) + 0.3 * std::sin(twoPi * 2 * f * t));
    };
}

// The chords of a progression as semitones from A 440, three notes each.
struct Chord {
    int root, third, fifth;
};
const Chord aMinor{-12, -9, -5}, fMajor{-16, -12, -9}, cMajor{-9, -5, -2}, gMajor{-14, -10, -7},
    dMinor{-7, -4, 0}, eMinor{-5, -2, 2};

// The menus: Am F C G twice, a bar of four slow beats each, a pad under a gentle arpeggio and a
// bass note on each bar; the second time round a high melody joins in.
std::vector<float> menuPiece() {
    const double beatSeconds = 60.0 / 64; // 64 beats a minute
    const Chord chords[] = {aMinor, fMajor, cMajor, gMajor, aMinor, fMajor, dMinor, eMinor};
    const int bars = 8;
    Loop loop(beatSeconds, bars * 4 * 2); // played twice: 16 bars
    for (int pass = 0; pass < 2; ++pass)
        for (int bar = 0; bar < bars; ++bar) {
            const Chord& c = chords[bar];
            const double at = (pass * bars + bar) * 4.0;
            for (int n : {c.root, c.third, c.fifth})
                loop.add(at, 4, 1.2, 0.18, pad(pitch(n)));
            loop.add(at, 3.5, 0.5, 0.5, bass(pitch(c.root - 12), 1.5));
            const int arpeggio[] = {c.root,      c.fifth, c.third + 12, c.fifth,
                                    c.root + 12, c.fifth, c.third + 12, c.fifth};
            for (int i = 0; i < 8; ++i)
                loop.add(at + i * 0.5, 0.5, 0.6, 0.22, bell(pitch(arpeggio[i]), 0.5));
            if (pass == 1) { // a slow melody over the second pass, two notes a bar
                loop.add(at, 2, 0.6, 0.2, bell(pitch(c.fifth + 24), 1.2));
                loop.add(at + 2, 2, 0.6, 0.16, bell(pitch(c.third + 24), 1.2));
            }
        }
    return loop.finished(peakLevel);
}

// Play: C G Am F, then Dm G C C, at 120 beats a minute; a walking bass in eighths, a kick on
// each beat, a soft snare on two and four, hats between, and a bright lead over it.
std::vector<float> playPiece() {
    const double beatSeconds = 0.5;
    const Chord chords[] = {cMajor, gMajor, aMinor, fMajor, dMinor, gMajor, cMajor, cMajor};
    const int bars = 8;
    Loop loop(beatSeconds, bars * 4 * 2);
    Noise noise(71);
    std::vector<double> hiss(static_cast<std::size_t>(0.2 * rate));
    double low = 0;
    for (double& h : hiss) { // a hat's noise: white noise less its low part
        const double n = noise.next();
        low += 0.3 * (n - low);
        h = n - low;
    }
    const auto hat = [&hiss](double t) {
        const std::size_t i = static_cast<std::size_t>(t * rate);
        return i < hiss.size() ? hiss[i] * std::exp(-t / 0.025) : 0.0;
    };
    const auto snare = [&hiss](double t) {
        const std::size_t i = static_cast<std::size_t>(t * rate);
        const double rattle = i < hiss.size() ? hiss[i] : 0.0;
        return std::exp(-t / 0.07) * (0.7 * rattle + 0.5 * std::sin(twoPi * 190 * t));
    };
    const auto kick = [](double t) {
        const double f = 45 + 80 * std::exp(-t / 0.03);
        return std::exp(-t / 0.12) * std::sin(twoPi * f * t);
    };
    // The lead's line over each bar, as steps of the chord: 0 root, 1 third, 2 fifth, 3 octave.
    const int lead[2][8] = {{2, -1, 3, 2, 1, -1, 2, -1}, {3, 2, -1, 1, 2, -1, 0, -1}};
    for (int pass = 0; pass < 2; ++pass)
        for (int bar = 0; bar < bars; ++bar) {
            const Chord& c = chords[bar];
            const double at = (pass * bars + bar) * 4.0;
            for (int n : {c.third, c.fifth})
                loop.add(at, 4, 0.4, 0.1, pad(pitch(n)));
            const int walk[] = {c.root, c.root, c.fifth, c.root + 12};
            for (int i = 0; i < 8; ++i)
                loop.add(at + i * 0.5, 0.4, 0.05, 0.4, bass(pitch(walk[i % 4] - 24), 0.25));
            for (int b = 0; b < 4; ++b) {
                loop.add(at + b, 0.3, 0.05, 0.6, kick);
                loop.add(at + b + 0.5, 0.2, 0.02, 0.12, hat);
                if (b % 2 == 1)
                    loop.add(at + b, 0.3, 0.05, 0.25, snare);
            }
            const int steps[] = {c.root, c.third, c.fifth, c.root + 12};
            for (int i = 0; i < 8; ++i) {
                const int step = lead[(bar + pass) % 2][i];
                if (step >= 0 && (pass == 1 || bar % 2 == 0))
                    loop.add(at + i * 0.5, 0.4, 0.2, 0.2, bell(pitch(steps[step] + 12), 0.3));
            }
        }
    return loop.finished(peakLevel);
}

// Writes the Ogg pages the stream has ready (all of them when flushing).
bool writePages(ogg_stream_state& stream, std::FILE* out, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        if (std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), out) !=
                static_cast<std::size_t>(page.header_len) ||
            std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), out) !=
                static_cast<std::size_t>(page.body_len))
            return false;
    }
    return true;
}

// Encodes one channel of samples as an Ogg Vorbis file; false when it cannot be written.
bool writeVorbis(const QString& path, const std::vector<float>& samples, const char* title) {
    std::FILE* out = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!out)
        return false;
    vorbis_info info;
    vorbis_info_init(&info);
    bool good = vorbis_encode_init_vbr(&info, 1, rate, quality) == 0;
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", title);
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    if (good) {
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_init(&stream, 0x54560001); // fixed, so that the bytes never change
        ogg_packet header, commentHeader, codeHeader;
        vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
        ogg_stream_packetin(&stream, &header);
        ogg_stream_packetin(&stream, &commentHeader);
        ogg_stream_packetin(&stream, &codeHeader);
        good = writePages(stream, out, true); // the audio starts on a page of its own

        // Chunks of the samples, then one of none: the end of the stream.
        const std::size_t chunk = 4096;
        std::size_t done = 0;
        for (bool end = false; good && !end;) {
            const std::size_t n = std::min(chunk, samples.size() - done);
            end = n == 0;
            if (!end) {
                float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
                std::copy(samples.begin() + static_cast<long>(done),
                          samples.begin() + static_cast<long>(done + n), buffer[0]);
                done += n;
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(n));
            while (vorbis_analysis_blockout(&dsp, &block) == 1) {
                vorbis_analysis(&block, nullptr);
                vorbis_bitrate_addblock(&block);
                ogg_packet packet;
                while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                    ogg_stream_packetin(&stream, &packet);
                    good = good && writePages(stream, out, false);
                }
            }
        }
        good = good && writePages(stream, out, true);
        ogg_stream_clear(&stream);
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(out) == 0 && good;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_music <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "make_music: cannot make %s\n", argv[1]);
        return 1;
    }
    std::vector<float> (*const makers[GameSound::PieceCount])() = {menuPiece, playPiece};
    const char* const titles[GameSound::PieceCount] = {"Tortoise Valley: the menus",
                                                       "Tortoise Valley: play"};
    for (int p = 0; p < GameSound::PieceCount; ++p) {
        const std::vector<float> samples = makers[p]();
        const QString path = folder.filePath(GameSound::musicNames[p]);
        if (!writeVorbis(path, samples, titles[p])) {
            std::fprintf(stderr, "make_music: cannot write %s\n", path.toLocal8Bit().constData());
            return 1;
        }
        std::printf("%s: %.2f s\n", path.toLocal8Bit().constData(),
                    static_cast<double>(samples.size()) / rate);
    }
    return 0;
}
