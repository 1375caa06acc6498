// Sound effects through OpenAL. All calls go to the one context this class makes current; the
// game runs them on its GUI thread. Angles and positions are the world's (y up, units).
#include "game/sound/GameSound.h"

#include "game/sound/WaveFile.h"

#include <AL/alext.h>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace VORN_LIB;

const char* const GameSound::fileNames[EffectCount] = {
    "tick.wav",    "start.wav", "launch.wav", "explosion.wav", "fall.wav",
    "victory.wav", "draw.wav",  "timeup.wav", "hurt.wav",      "edge.wav"};
const char* const GameSound::musicNames[PieceCount] = {"menu.ogg", "play.ogg"};

namespace {

const int warningSeconds = 5;       // the turn clock ticks in a phase's last seconds
const float blastFullWithin = 5.0f; // the camera's usual distance from what it follows
const float blastRolloff = 1.0f;    // loudness falls as 5 / distance beyond that

void say(const QString& line) {
    std::fprintf(stderr, "tortoise-valley: %s\n", line.toLocal8Bit().constData());
}

} // namespace

GameSound::~GameSound() {
    close();
}

bool GameSound::open(const DataFiles& files) {
    return openDevice(files, false);
}

bool GameSound::openDevice(const DataFiles& files, bool quiet) {
    close();
    data.emplace(files);
    lost = false;
    device = alcOpenDevice(nullptr);
    if (!device) {
        if (!quiet)
            say(QStringLiteral("no sound device, playing without sound"));
        return false;
    }
    context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (!quiet)
            say(QStringLiteral("the sound device cannot play, playing without sound"));
        close();
        return false;
    }
    tellsLoss = alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_TRUE;
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alListenerf(AL_GAIN, mute ? 0.0f : 1.0f); // M silences the music as well
    alGenBuffers(EffectCount, buffers);
    alGenSources(EffectCount, sources);

    QStringList failures;
    int foundNowhere = 0;
    for (int e = 0; e < EffectCount; ++e) {
        const ALuint source = sources[e];
        alSourcef(source, AL_GAIN, loudness);
        if (e == Explosion) {
            alSourcef(source, AL_REFERENCE_DISTANCE, blastFullWithin);
            alSourcef(source, AL_ROLLOFF_FACTOR, blastRolloff);
        } else { // at the listener, wherever it is
            alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
            alSource3f(source, AL_POSITION, 0, 0, 0);
        }

        const QString path = files.path(QStringLiteral("sounds/") + fileNames[e]);
        WaveFile wave;
        QString error;
        if (!wave.readMono(path, &error)) {
            const QString installed = files.alsoTried(path);
            foundNowhere += installed.isEmpty() ? 0 : 1;
            failures << (installed.isEmpty() ? error : error + " (also tried " + installed + ")");
            continue;
        }
        const std::vector<std::int16_t> pcm = wave.pcm16();
        alGetError(); // forget older errors: the one asked below is this buffer's
        alBufferData(buffers[e], AL_FORMAT_MONO16, pcm.data(),
                     static_cast<ALsizei>(pcm.size() * sizeof(std::int16_t)), wave.rate);
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[e]));
        loaded[e] = alGetError() == AL_NO_ERROR;
        lengthMs[e] = loaded[e] ? std::lround(wave.seconds() * 1000) : 0;
        if (!loaded[e])
            failures << path + ": refused by the sound device";
    }
    for (int p = 0; p < PieceCount; ++p) {
        const QString path = files.path(QStringLiteral("music/") + musicNames[p]);
        QString error;
        if (!music[p].open(path, &error)) {
            const QString installed = files.alsoTried(path);
            failures << (installed.isEmpty() ? error : error + " (also tried " + installed + ")");
        }
    }
    if (foundNowhere == EffectCount)
        say(QStringLiteral("no sound files in %1/sounds or %2/sounds, playing without sound")
                .arg(files.localFolder, files.installedFolder));
    else if (!failures.isEmpty())
        say(QStringLiteral("some sounds stay silent: %1").arg(failures.join(QStringLiteral("; "))));
    return true;
}

void GameSound::close() {
    if (context) {
        alcMakeContextCurrent(context);
        for (MusicStream& m : music)
            m.close();
        alSourceStopv(EffectCount, sources);
        alDeleteSources(EffectCount, sources);
        alDeleteBuffers(EffectCount, buffers);
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
    }
    if (device)
        alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
    waiting.clear();
    busyUntil = 0;
    for (int e = 0; e < EffectCount; ++e) {
        buffers[e] = 0;
        sources[e] = 0;
        loaded[e] = false;
    }
}

void GameSound::newGame() {
    if (!lost || !data)
        return;
    const DataFiles files = *data;
    if (openDevice(files, true)) // quiet: the loss was said once, and so is the return
        say(QStringLiteral("sound device found again, playing with sound"));
    else
        lost = true; // looked for again at the next game
}

bool GameSound::live() {
    if (!context)
        return false;
    ALCint connected = ALC_TRUE;
    if (tellsLoss)
        alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    if (connected == ALC_TRUE)
        return true;
    // Whatever was made on the device is given back; from here on nothing calls it until a new
    // game opens a device again.
    say(QStringLiteral("the sound device is gone, playing without sound until a new game"));
    close();
    lost = true;
    return false;
}

void GameSound::turnClock(VORN_Clock::Ticks phaseStart, double secondsLeft) {
    if (phaseStart != clockPhase) {
        clockPhase = phaseStart;
        clockSecond = 0;
    }
    // Second n of the last five begins as the time left drops to n.
    const int second = static_cast<int>(std::ceil(secondsLeft));
    if (second >= 1 && second <= warningSeconds && second != clockSecond) {
        clockSecond = second;
        play(ClockTick);
    }
}

void GameSound::turnStarts() {
    play(TurnStart);
}

void GameSound::launch() {
    play(Launch);
}

void GameSound::explosion(const VORN_Vector& at) {
    if (live())
        alSource3f(sources[Explosion], AL_POSITION, static_cast<ALfloat>(at.x()),
                   static_cast<ALfloat>(at.y()), static_cast<ALfloat>(at.z()));
    play(Explosion);
    busyUntil = std::max(busyUntil, VORN_Clock::now() + lengthMs[Explosion]);
}

void GameSound::figureLost() {
    // Several figures lost in one blast share one whistle, as they always shared its source.
    playOnceAfter(FigureLost);
}

void GameSound::timeUp() {
    play(TimeUp);
}

void GameSound::hurt() {
    playOnceAfter(Hurt); // one knock for all a blast hurt
}

void GameSound::playOnceAfter(Effect effect) {
    for (const Waiting& w : waiting)
        if (w.effect == effect)
            return;
    playAfter(effect);
}

void GameSound::edgeWarning() {
    play(EdgeWarning);
}

void GameSound::gameOver(bool winner) {
    playAfter(winner ? Victory : Draw);
}

void GameSound::playAfter(Effect effect) {
    const VORN_Clock::Ticks now = VORN_Clock::now();
    if (now >= busyUntil) {
        play(effect);
        busyUntil = now + lengthMs[effect];
        return;
    }
    waiting.push_back({effect, busyUntil});
    busyUntil += lengthMs[effect];
}

void GameSound::playMusic(Piece wanted) {
    piece = wanted;
}

void GameSound::update(VORN_Clock::Ticks now) {
    if (live())
        for (int p = 0; p < PieceCount; ++p) {
            music[p].want(p == piece);
            music[p].update(now, musicLoudness);
        }
    while (!waiting.empty() && waiting.front().at <= now) {
        const Effect due = waiting.front().effect;
        waiting.erase(waiting.begin());
        play(due);
    }
}

void GameSound::followCamera(const VORN_Vector& eye, const VORN_Vector& back,
                             const VORN_Vector& up) {
    if (!live())
        return;
    const ALfloat orientation[6] = {
        static_cast<ALfloat>(-back.x()), static_cast<ALfloat>(-back.y()),
        static_cast<ALfloat>(-back.z()), static_cast<ALfloat>(up.x()),
        static_cast<ALfloat>(up.y()),    static_cast<ALfloat>(up.z())};
    alListener3f(AL_POSITION, static_cast<ALfloat>(eye.x()), static_cast<ALfloat>(eye.y()),
                 static_cast<ALfloat>(eye.z()));
    alListenerfv(AL_ORIENTATION, orientation);
}

void GameSound::toggleMute() {
    mute = !mute;
    if (!live())
        return;
    alListenerf(AL_GAIN, mute ? 0.0f : 1.0f);
    if (mute) {
        alSourceStopv(EffectCount, sources);
        waiting.clear(); // nothing is heard late when M is pressed again
    }
}

void GameSound::setEffectsVolume(double gain) {
    loudness = static_cast<float>(std::clamp(gain, 0.0, 1.0));
    if (live())
        for (ALuint source : sources)
            alSourcef(source, AL_GAIN, loudness);
}

void GameSound::setMusicVolume(double gain) {
    musicLoudness = static_cast<float>(std::clamp(gain, 0.0, 1.0)); // heard at the next update
}

void GameSound::play(Effect effect) {
    if (mute || !loaded[effect] || !live())
        return;
    alSourcePlay(sources[effect]); // from the start again if it still plays
}
