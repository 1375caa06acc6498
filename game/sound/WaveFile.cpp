// RIFF WAVE reading and writing. Every number in the file is little-endian.
#include "game/sound/WaveFile.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const int formatPcm = 1;
const int formatFloat = 3;
const int formatExtensible = 0xFFFE;

std::uint32_t read32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint16_t read16(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

bool fail(QString* error, const QString& path, const char* reason) {
    if (error)
        *error = path + ": " + reason;
    return false;
}

} // namespace

bool WaveFile::read(const QString& path, QString* error) {
    samples.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, path, "cannot open file");
    const QByteArray bytes = file.readAll();
    const char* data = bytes.constData();
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return fail(error, path, "not a WAVE file");

    int format = 0;
    int bits = 0;
    int channelCount = 0;
    std::uint32_t frameRate = 0;
    const char* sampleData = nullptr;
    std::size_t sampleBytes = 0;
    // Chunks follow the 12-byte RIFF header, each padded to an even length.
    for (std::size_t at = 12; at + 8 <= size;) {
        const std::uint32_t length = read32(data + at + 4);
        const char* body = data + at + 8;
        if (length > size - at - 8)
            return fail(error, path, "chunk runs past the end of the file");
        if (std::memcmp(data + at, "fmt ", 4) == 0) {
            if (length < 16)
                return fail(error, path, "format chunk too short");
            format = read16(body);
            channelCount = read16(body + 2);
            frameRate = read32(body + 4);
            bits = read16(body + 14);
            if (format == formatExtensible) {
                if (length < 40)
                    return fail(error, path, "extensible format chunk too short");
                format = read16(body + 24); // the sub-format's first two bytes name the coding
            }
        } else if (std::memcmp(data + at, "data", 4) == 0) {
            sampleData = body;
            sampleBytes = length;
        }
        at += 8 + length + (length & 1);
    }
    if (channelCount < 1 || frameRate == 0)
        return fail(error, path, "no usable format chunk");
    if (!sampleData)
        return fail(error, path, "no data chunk");
    const bool pcm16 = format == formatPcm && bits == 16;
    const bool float32 = format == formatFloat && bits == 32;
    if (!pcm16 && !float32)
        return fail(error, path, "samples neither 16-bit integers nor 32-bit floats");

    const std::size_t width = pcm16 ? 2 : 4;
    const std::size_t frameBytes = width * static_cast<std::size_t>(channelCount);
    const std::size_t count = sampleBytes / frameBytes * static_cast<std::size_t>(channelCount);
    samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char* p = sampleData + i * width;
        if (pcm16) {
            samples[i] = static_cast<std::int16_t>(read16(p)) / 32767.0f; // as write() scales
        } else {
            const std::uint32_t raw = read32(p);
            float value = 0;
            std::memcpy(&value, &raw, sizeof value);
            samples[i] = value;
        }
    }
    channels = channelCount;
    rate = static_cast<int>(frameRate);
    return true;
}

bool WaveFile::readMono(const QString& path, QString* error) {
    if (!read(path, error))
        return false;
    if (channels == 1)
        return true;
    samples.clear();
    return fail(error, path, "not mono");
}

bool WaveFile::write(const QString& path) const {
    const std::vector<std::int16_t> pcm = pcm16();
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    QByteArray out;
    out.reserve(static_cast<int>(44 + dataBytes));
    out.append("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    put32(out, 16);
    put16(out, formatPcm);
    put16(out, static_cast<std::uint16_t>(channels));
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate * channels * 2)); // bytes per second
    put16(out, static_cast<std::uint16_t>(channels * 2));        // bytes per frame
    put16(out, 16);
    out.append("data", 4);
    put32(out, dataBytes);
    for (std::int16_t s : pcm)
        put16(out, static_cast<std::uint16_t>(s));

    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(out) == out.size();
}

std::size_t WaveFile::frames() const {
    return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
}

double WaveFile::seconds() const {
    return rate > 0 ? static_cast<double>(frames()) / rate : 0.0;
}

std::vector<std::int16_t> WaveFile::pcm16() const {
    std::vector<std::int16_t> pcm(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const float s = std::clamp(samples[i], -1.0f, 1.0f);
        pcm[i] = static_cast<std::int16_t>(std::lround(s * 32767.0f));
    }
    return pcm;
}
