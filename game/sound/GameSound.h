// The game's sound effects through OpenAL on the default device: the turn clock's ticks, the
// start of a turn, the throw, the blast, a lost figure and the end of a round. One buffer and one
// source per effect. The blast sounds from where it happens and is heard at the camera's eye
// (world units; inverse-distance loudness, full within 5 units); every other effect plays at the
// listener. Without a device, or for a file that cannot be read, the effect stays silent: the game
// never fails for want of sound.
#pragma once

#include "engine/math/VORN_Vector.h"
#include "engine/scene/VORN_Clock.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <QString>

namespace VORN_LIB {
class VORN_Viewport;
}

class GameSound {
public:
    enum Effect { ClockTick, TurnStart, Launch, Explosion, FigureLost, Victory, Draw, EffectCount };

    GameSound() = default;
    ~GameSound(); // close()
    GameSound(const GameSound&) = delete;
    GameSound& operator=(const GameSound&) = delete;

    // Opens the default sound device and loads every effect's file from the folder. Says so on
    // standard error, in one line, when there is no device or when files cannot be read. Returns
    // whether a device is open.
    bool open(const QString& folder);
    // Stops every sound and closes the device; the one release point of everything open() made.
    void close();
    bool isOpen() const { return device != nullptr; }

    // Every tick of a timed phase (countdown, moving, aiming): when the phase began and how many
    // seconds it has left. Ticks once as each of the phase's last five whole seconds begins.
    void turnClock(VORN_LIB::VORN_Clock::Ticks phaseStart, double secondsLeft);
    void turnStarts();
    void launch();
    void explosion(const VORN_LIB::VORN_Vector& at); // world position of the blast
    void figureLost();
    void gameOver(bool winner); // a fanfare, or a lower one for a draw

    // Puts the listener at the camera's eye, facing where the camera looks; every frame.
    void followCamera(const VORN_LIB::VORN_Viewport& camera);

    // Switches all sound off (whatever plays stops at once) or on again.
    void toggleMute();
    bool muted() const { return mute; }

    static const char* const fileNames[EffectCount]; // in the folder given to open()

private:
    void play(Effect effect);

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    ALuint buffers[EffectCount] = {};
    ALuint sources[EffectCount] = {};
    bool loaded[EffectCount] = {};
    bool mute = false;
    VORN_LIB::VORN_Clock::Ticks clockPhase = 0; // start of the phase the clock ticks for
    int clockSecond = 0;                        // its last second ticked; 0 before the first
};
