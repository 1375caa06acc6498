// The game window of a script that writes pictures (tools/demo, tools/people_demo): one window
// per process, its tick timer stopped so the script drives every tick, time driven from the clock
// reading 1000 ms, the 3-D picture at full scale whatever the machine measures, the sounds on
// OpenAL Soft's silent output unless ALSOFT_DRIVERS names another (the round runs far faster
// than real time, so they would only jumble). Keys are sent as a keyboard sends them.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class Game;

class PictureScript {
public:
    // Opens and shows the window (at least 800 × 600); the pictures go into folder, made if
    // need be.
    PictureScript(const QString& folder, const QSize& size);

    Game* const game; // never deleted: GL light names are never given back

    void key(int code, bool press, const QString& text = QString()) const;
    void tap(int code) const;
    void type(const QString& text) const; // each character a key with its text
    void tick(int count = 1) const;       // ticks of 25 ms of driven time, the window's own
    QImage frame() const;                 // the window's picture now
    // Writes a picture as name.png (the smallest file) and prints its path.
    void save(const QImage& picture, const char* name) const;

private:
    QString folder;
};
