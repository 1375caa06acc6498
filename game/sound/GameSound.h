// The game's sound effects through OpenAL on the default device: the turn clock's ticks, the
// start of a turn, the throw, the blast, a hurt tortoise, a lost figure, a turn run out of time,
// the edge's warning and the end of a round. One buffer and one
// source per effect. The blast sounds from where it happens and is heard at the camera's eye
// (world units; inverse-distance loudness, full within 5 units); every other effect plays at the
// listener. Without a device, or for a file that cannot be read, the effect stays silent: the game
// never fails for want of sound. A device that goes away while the game runs (a sound server
// restarting, headphones unplugged) is noticed at the next call, let go of, and looked for again
// at the next new game. Beside the effects, music: a piece for the menus and one for play, each
// a loop streamed through a source of its own (MusicStream), crossfading when the game asks for
// the other; the music and the effects have volumes of their own, and M silences both.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"
#include "game/files/DataFiles.h"
#include "game/sound/MusicStream.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <QString>
#include <optional>
#include <vector>

class GameSound {
public:
    enum Effect {
        ClockTick,
        TurnStart,
        Launch,
        Explosion,
        FigureLost,
        Victory,
        Draw,
        TimeUp,
        Hurt,        // a tortoise lost hit points in a blast
        EdgeWarning, // the tortoise on turn came near the valley's edge
        EffectCount
    };

    enum Piece { MenuMusic, PlayMusic, PieceCount };

    GameSound() = default;
    ~GameSound(); // close()
    GameSound(const GameSound&) = delete;
    GameSound& operator=(const GameSound&) = delete;

    // Opens the default sound device and loads every effect's file, each looked up on its own in
    // the data folders ("sounds/tick.wav", ...), as the bitmaps are, and opens the pieces of
    // music ("music/menu.ogg", ...) the same way. Says so on standard error, in
    // one line, when there is no device or when files cannot be read. Returns whether a device is
    // open.
    bool open(const DataFiles& data);
    // Stops every sound and closes the device; the one release point of everything open() made.
    void close();
    bool isOpen() const { return device != nullptr; }
    bool hasSound(Effect effect) const { return loaded[effect]; } // its file read and accepted
    bool hasMusic(Piece piece) const { return music[piece].isOpen(); }

    // At the start of each new game: a device lost since the last open is looked for again (the
    // default device, which may be another one by now), with the same data folders.
    void newGame();
    // Whether the device went away and none has been opened since.
    bool deviceLost() const { return lost; }

    // Every tick of a timed phase (countdown, moving, aiming): when the phase began and how many
    // seconds it has left. Ticks once as each of the phase's last five whole seconds begins.
    void turnClock(VORN_LIB::VORN_Clock::Ticks phaseStart, double secondsLeft);
    void turnStarts();
    void launch();
    void explosion(const VORN_LIB::VORN_Vector& at); // world position of the blast
    // The whistle of a lost figure and the end's fanfare wait until the blast before them has
    // been heard, and the fanfare until the whistle has: each one after the other.
    void figureLost();
    void timeUp();              // a turn ended with no throw: a short buzz of its own
    void hurt();                // after the blast that hurt a tortoise, once for all it hurt
    void edgeWarning();         // at once: two quick high beeps
    void gameOver(bool winner); // a fanfare, or a lower one for a draw
    // The piece the game wants heard, from now on: the other fades out as it fades in. Kept while
    // muted and when the device is opened again.
    void playMusic(Piece piece);
    Piece musicWanted() const { return piece; }
    // Plays what waited and is due at engine clock reading now, and streams the music on; every
    // tick.
    void update(VORN_LIB::VORN_Clock::Ticks now);

    // Puts the listener at the camera's eye, facing along -back with up as its up; every frame.
    void followCamera(const VORN_LIB::VORN_Vector& eye, const VORN_LIB::VORN_Vector& back,
                      const VORN_LIB::VORN_Vector& up);

    // Switches all sound off (whatever plays stops at once) or on again.
    void toggleMute();
    bool muted() const { return mute; }
    // The loudness of the effects and of the music, each from 0 (silent) to 1 (as it was made);
    // kept while muted and when the device is opened again.
    void setEffectsVolume(double gain);
    double effectsVolume() const { return loudness; }
    void setMusicVolume(double gain);
    double musicVolume() const { return musicLoudness; }

    static const char* const fileNames[EffectCount]; // in the data folders' "sounds/"
    static const char* const musicNames[PieceCount]; // in the data folders' "music/"

private:
    bool openDevice(const DataFiles& data, bool quiet);
    // Whether the device is open and still there; one that has gone is closed at once, said so
    // once on standard error, and no longer called.
    bool live();
    void play(Effect effect);

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    ALuint buffers[EffectCount] = {};
    ALuint sources[EffectCount] = {};
    bool loaded[EffectCount] = {};
    bool mute = false;
    float loudness = 1.0f;      // of the effects
    float musicLoudness = 1.0f; // of the music
    MusicStream music[PieceCount];
    Piece piece = MenuMusic;
    bool tellsLoss = false; // the device reports whether it is still connected (ALC_EXT_disconnect)
    bool lost = false;
    std::optional<DataFiles> data;              // where open() found the effects, for opening again
    VORN_LIB::VORN_Clock::Ticks clockPhase = 0; // start of the phase the clock ticks for
    int clockSecond = 0;                        // its last second ticked; 0 before the first
    // Plays effect at once, or after what the blast started has been heard.
    void playAfter(Effect effect);
    void playOnceAfter(Effect effect); // unless it waits already
    struct Waiting {
        Effect effect;
        VORN_LIB::VORN_Clock::Ticks at;
    };
    std::vector<Waiting> waiting;              // effects due later, in order
    VORN_LIB::VORN_Clock::Ticks busyUntil = 0; // when the blast and what follows it end
    VORN_LIB::VORN_Clock::Ticks lengthMs[EffectCount] = {}; // of each loaded effect
};
