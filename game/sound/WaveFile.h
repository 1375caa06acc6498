// A sound in a RIFF WAVE file: interleaved samples as floats in [-1, 1], with its channel count
// and sample rate. Reads 16-bit integer and 32-bit float samples, in the plain or the extensible
// header; writes 16-bit little-endian PCM with the plain 44-byte header, always the same bytes for
// the same samples.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

class WaveFile {
public:
    // Reads a whole file. On failure returns false, leaves the sound empty and says why in error
    // ("path: reason").
    bool read(const QString& path, QString* error);
    // Reads a sound of one channel, as every sound effect of the game is (only one channel can
    // sound from a place): a file of more channels is refused as well ("path: not mono").
    bool readMono(const QString& path, QString* error);
    // Writes the samples as 16-bit PCM, each clamped to [-1, 1]; false when the file cannot be
    // written.
    bool write(const QString& path) const;

    std::size_t frames() const; // samples per channel
    double seconds() const;     // length of the sound
    // The samples as 16-bit integers, as write() stores them.
    std::vector<std::int16_t> pcm16() const;

    std::vector<float> samples; // interleaved, channels per frame
    int channels = 1;
    int rate = 44100; // frames per second
};
