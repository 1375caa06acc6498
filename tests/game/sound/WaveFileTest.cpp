// The wave files of the game's sounds: each of data/sounds comes back byte for byte when read and
// written again, and what a sound file may hold is read or refused with the reason named, one
// hand-made file per case.
#include "game/sound/WaveFile.h"
#include "game/sound/GameSound.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray le16(int v) {
    QByteArray out;
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
    return out;
}

QByteArray le32(std::uint32_t v) {
    return le16(static_cast<int>(v & 0xFFFF)) + le16(static_cast<int>(v >> 16));
}

// A chunk: its id, its length, the body and, for an odd length, the pad byte (unless left off).
QByteArray chunk(const char* id, const QByteArray& body, bool padded = true) {
    QByteArray out = QByteArray(id, 4) + le32(static_cast<std::uint32_t>(body.size())) + body;
    if (padded && body.size() % 2 == 1)
        out.append('\0');
    return out;
}

// The 16 bytes of a plain format chunk's body.
QByteArray format(int coding, int channels, int bits, int rate = 44100) {
    const int frameBytes = channels * bits / 8;
    return le16(coding) + le16(channels) + le32(static_cast<std::uint32_t>(rate)) +
           le32(static_cast<std::uint32_t>(rate * frameBytes)) + le16(frameBytes) + le16(bits);
}

// The 40 bytes of an extensible format chunk's body, its sub-format's coding in its first bytes.
QByteArray extensible(int coding, int channels, int bits) {
    const QByteArray guidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    return format(0xFFFE, channels, bits) + le16(22) + le16(bits) + le32(channels == 1 ? 4 : 3) +
           le16(coding) + guidTail;
}

QByteArray riff(std::initializer_list<QByteArray> chunks) {
    QByteArray body("WAVE");
    for (const QByteArray& c : chunks)
        body += c;
    return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

QByteArray samples16(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out += le16(v);
    return out;
}

QByteArray samples32f(std::initializer_list<float> values) {
    QByteArray out;
    for (float v : values)
        out.append(reinterpret_cast<const char*>(&v), sizeof v); // the machine is little-endian
    return out;
}

const QByteArray mono16 = format(1, 1, 16);
const QByteArray threeSamples = samples16({0, 16384, -32767});

struct WaveCase {
    const char* name;
    QByteArray bytes;  // the file; none at all when null
    const char* error; // the reason after "path: ", or null when the file is read
    std::vector<float> samples = {};
};

void PrintTo(const WaveCase& c, std::ostream* out) {
    *out << c.name;
}

class WaveFileRead : public testing::TestWithParam<WaveCase> {};

TEST_P(WaveFileRead, ReadsASoundOrNamesWhyNot) {
    const WaveCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("sound.wav");
    if (!c.bytes.isNull()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(c.bytes), c.bytes.size());
    }
    WaveFile wave;
    wave.samples = {0.5f}; // left over from an earlier sound
    QString error;
    const bool read = wave.readMono(path, &error);
    if (c.error) {
        EXPECT_FALSE(read);
        EXPECT_EQ(error.toStdString(), (path + ": " + c.error).toStdString());
        EXPECT_TRUE(wave.samples.empty());
    } else {
        ASSERT_TRUE(read) << error.toStdString();
        EXPECT_EQ(wave.samples, c.samples);
        EXPECT_EQ(wave.channels, 1);
        EXPECT_EQ(wave.rate, 44100);
    }
}

const float half = 16384 / 32767.0f;

INSTANTIATE_TEST_SUITE_P(
    Cases, WaveFileRead,
    testing::Values(
        WaveCase{"Mono16Bit",
                 riff({chunk("fmt ", mono16), chunk("data", threeSamples)}),
                 nullptr,
                 {0.0f, half, -1.0f}},
        // An odd-length chunk before the samples is followed by its pad byte.
        WaveCase{"OddChunkPadded",
                 riff({chunk("fmt ", mono16), chunk("LIST", "abc"), chunk("data", threeSamples)}),
                 nullptr,
                 {0.0f, half, -1.0f}},
        WaveCase{
            "ExtensibleFloat32",
            riff({chunk("fmt ", extensible(3, 1, 32)), chunk("data", samples32f({0.25f, -0.5f}))}),
            nullptr,
            {0.25f, -0.5f}},
        WaveCase{"NoFile", QByteArray(), "cannot open file"},
        WaveCase{"NotRiff", QByteArray("RIFX\0\0\0\0WAVEfmt ", 16), "not a WAVE file"},
        WaveCase{"TooShortForAHeader", QByteArray("RIFF\4\0\0\0", 8), "not a WAVE file"},
        // The data chunk claims 100 bytes, the file ends after 6.
        WaveCase{"TruncatedChunk",
                 riff({chunk("fmt ", mono16), QByteArray("data") + le32(100) + threeSamples}),
                 "chunk runs past the end of the file"},
        // Without the pad byte the next chunk's header is read one byte late: no samples found.
        WaveCase{
            "OddChunkUnpadded",
            riff({chunk("fmt ", mono16), chunk("LIST", "abc", false), chunk("data", threeSamples)}),
            "no data chunk"},
        WaveCase{"FormatChunkTooShort",
                 riff({chunk("fmt ", mono16.left(14)), chunk("data", threeSamples)}),
                 "format chunk too short"},
        WaveCase{"ExtensibleFormatTooShort",
                 riff({chunk("fmt ", extensible(1, 1, 16).left(24)), chunk("data", threeSamples)}),
                 "extensible format chunk too short"},
        WaveCase{"NoFormatChunk", riff({chunk("data", threeSamples)}), "no usable format chunk"},
        WaveCase{"NoDataChunk", riff({chunk("fmt ", mono16)}), "no data chunk"},
        WaveCase{"Pcm8Bit", riff({chunk("fmt ", format(1, 1, 8)), chunk("data", "\x80\x90")}),
                 "samples neither 16-bit integers nor 32-bit floats"},
        WaveCase{"Pcm24Bit",
                 riff({chunk("fmt ", format(1, 1, 24)), chunk("data", QByteArray(6, '\1'))}),
                 "samples neither 16-bit integers nor 32-bit floats"},
        WaveCase{"ALaw", riff({chunk("fmt ", format(6, 1, 16)), chunk("data", threeSamples)}),
                 "samples neither 16-bit integers nor 32-bit floats"},
        WaveCase{"Stereo",
                 riff({chunk("fmt ", format(1, 2, 16)), chunk("data", threeSamples + le16(5))}),
                 "not mono"}),
    [](const testing::TestParamInfo<WaveCase>& info) { return std::string(info.param.name); });

// Every sound the game ships: read, written and read again, the same samples and the same bytes
// as tools/make_sounds wrote.
TEST(WaveFile, TheGamesSoundsComeBackByteForByte) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : GameSound::fileNames) {
        const QString shipped = QStringLiteral("../../data/sounds/") + name;
        WaveFile wave;
        QString error;
        ASSERT_TRUE(wave.readMono(shipped, &error)) << error.toStdString();
        EXPECT_GT(wave.seconds(), 0.05) << name;
        const QString copy = folder.filePath(name);
        ASSERT_TRUE(wave.write(copy)) << name;
        EXPECT_EQ(readAll(copy), readAll(shipped)) << name;

        WaveFile again;
        ASSERT_TRUE(again.readMono(copy, &error)) << error.toStdString();
        EXPECT_EQ(again.samples, wave.samples) << name;
        EXPECT_EQ(again.rate, wave.rate) << name;
    }
    EXPECT_FALSE(WaveFile().write(folder.filePath("no-such-folder/x.wav")));
}

} // namespace
