// A piece of music in an Ogg Vorbis file, decoded a little at a time through libvorbisfile into
// 16-bit samples (interleaved when it has more than one channel). The piece is a loop: reading on
// past its end goes on from its start, sample for sample.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>

class MusicFile {
public:
    MusicFile();
    ~MusicFile(); // close()
    MusicFile(const MusicFile&) = delete;
    MusicFile& operator=(const MusicFile&) = delete;

    // Opens a file. On failure returns false, leaves nothing open and says why in error
    // ("path: reason").
    bool open(const QString& path, QString* error);
    void close(); // the one release point of what open() made
    bool isOpen() const { return file != nullptr; }

    int channels() const { return channelCount; }
    int rate() const { return frameRate; }
    std::int64_t frames() const { return frameCount; } // of one pass through the piece

    // Fills out with the next frames of the loop; returns the frames read, less than asked only
    // when the file cannot be decoded any further (0 for a file not open).
    std::size_t read(std::int16_t* out, std::size_t frames);
    // Goes back to the piece's first frame.
    void rewind();

private:
    struct Decoder; // libvorbisfile's state, kept out of the header
    std::unique_ptr<Decoder> file;
    int channelCount = 0;
    int frameRate = 0;
    std::int64_t frameCount = 0;
};
