// One piece of music streamed through an OpenAL source of its own, not positional (it plays at
// the listener, whatever the camera does): a few buffers queued on the source, each refilled from
// the decoder as the source has played it. The piece fades in and out over fadeMs of the game's
// clock, so that one piece crossfades into another and nothing starts or stops with a click.
// Needs the OpenAL context current for every call; the context's owner closes the stream before
// the context goes.
#pragma once

#include "engine/scene/VORN_Clock.h"
#include "game/sound/MusicFile.h"

#include <AL/al.h>
#include <QString>
#include <vector>

class MusicStream {
public:
    static constexpr int bufferCount = 4;
    static constexpr int bufferFrames = 8192; // 0.37 s at 22050 Hz: far longer than a tick
    static constexpr int fadeMs = 1500;
    static constexpr int volumeMs = 200; // a change of volume follows as quickly, from 0 to 1

    MusicStream() = default;
    ~MusicStream(); // close()
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // Opens the file and makes the source and its buffers; false with the reason in error
    // ("path: reason") when the file cannot be played.
    bool open(const QString& path, QString* error);
    void close(); // the one release point of what open() made
    bool isOpen() const { return source != 0; }

    // Whether the piece is wanted: it fades in from where it stopped, or out.
    void want(bool wanted) { target = wanted; }
    // Every tick: the fade and the volume heard move on by the time since the last update (at
    // most 100 ms of it, so that a long pause never jumps in), the source plays at level × volume,
    // the played buffers are filled again. Faded out, or at volume 0, the source is silent for one
    // update before it stops (so that the mixer has come down to silence) and the piece goes back
    // to its start.
    void update(VORN_LIB::VORN_Clock::Ticks now, float volume);
    bool playing() const { return streaming; }
    double level() const { return fade; } // 0 … 1 of the fade

private:
    // Decodes the next frames into a buffer and queues it; false when nothing could be decoded.
    bool fill(ALuint buffer);
    void stop();

    MusicFile music;
    ALuint source = 0;
    ALuint buffers[bufferCount] = {};
    ALenum format = 0;
    std::vector<std::int16_t> pcm; // one buffer's samples
    bool target = false;
    bool streaming = false;
    double fade = 0;
    double heardVolume = 0; // follows the volume asked for
    float gain = 0;         // as the source was last given it
    VORN_LIB::VORN_Clock::Ticks last = 0;
};
