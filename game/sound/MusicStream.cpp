// Streaming a piece through OpenAL by queued buffers; gains are linear, 1 as the piece was made.
#include "game/sound/MusicStream.h"

#include <algorithm>

namespace {

const VORN_LIB::VORN_Clock::Ticks longestStep = 100; // ms of fade one update may move

} // namespace

MusicStream::~MusicStream() {
    close();
}

bool MusicStream::open(const QString& path, QString* error) {
    close();
    if (!music.open(path, error))
        return false;
    format = music.channels() == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    pcm.assign(static_cast<std::size_t>(bufferFrames * music.channels()), 0);
    alGetError(); // forget older errors: the one asked below is the source's
    alGenSources(1, &source);
    alGenBuffers(bufferCount, buffers);
    if (alGetError() != AL_NO_ERROR) {
        if (error)
            *error = path + QStringLiteral(": refused by the sound device");
        close();
        return false;
    }
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0, 0, 0);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0);
    alSourcef(source, AL_GAIN, 0);
    return true;
}

void MusicStream::close() {
    if (source != 0) {
        alSourceStop(source);
        alSourcei(source, AL_BUFFER, 0); // every queued buffer let go of
        alDeleteSources(1, &source);
        alDeleteBuffers(bufferCount, buffers);
    }
    source = 0;
    std::fill(std::begin(buffers), std::end(buffers), 0u);
    music.close();
    streaming = false;
    fade = 0;
    heardVolume = 0;
    gain = 0;
    last = 0;
}

bool MusicStream::fill(ALuint buffer) {
    const std::size_t frames = music.read(pcm.data(), bufferFrames);
    if (frames == 0)
        return false;
    alBufferData(buffer, format, pcm.data(),
                 static_cast<ALsizei>(frames * static_cast<std::size_t>(music.channels()) * 2),
                 music.rate());
    alSourceQueueBuffers(source, 1, &buffer);
    return true;
}

void MusicStream::stop() {
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    music.rewind();
    streaming = false;
}

void MusicStream::update(VORN_LIB::VORN_Clock::Ticks now, float volume) {
    if (source == 0)
        return;
    const VORN_LIB::VORN_Clock::Ticks step =
        last == 0 ? 0 : std::clamp(now - last, VORN_LIB::VORN_Clock::Ticks(0), longestStep);
    last = now;
    const double by = static_cast<double>(step) / fadeMs;
    fade = target ? std::min(1.0, fade + by) : std::max(0.0, fade - by);
    const double volumeBy = static_cast<double>(step) / volumeMs;
    heardVolume = volume > heardVolume ? std::min<double>(volume, heardVolume + volumeBy)
                                       : std::max<double>(volume, heardVolume - volumeBy);
    const float wanted = static_cast<float>(fade * heardVolume);
    if (wanted == 0 && !(target && heardVolume > 0)) {
        // Silent: stopped once the source has had a whole update at gain 0.
        if (streaming && gain == 0)
            stop();
        else if (streaming)
            alSourcef(source, AL_GAIN, 0);
        gain = 0;
        fade = 0; // heard again, it fades in from its start
        return;
    }
    gain = wanted;
    alSourcef(source, AL_GAIN, gain);
    if (!streaming) {
        streaming = true;
        for (ALuint buffer : buffers)
            if (!fill(buffer)) { // nothing more to decode: silent rather than half queued
                stop();
                return;
            }
        alSourcePlay(source);
        return;
    }
    ALint played = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &played);
    for (; played > 0; --played) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source, 1, &buffer);
        fill(buffer);
    }
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) // it ran dry between two updates: on again
        alSourcePlay(source);
}
