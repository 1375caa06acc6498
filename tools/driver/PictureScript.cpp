// The game window of a picture script, its ticks and clock driven by the script.
#include "tools/driver/PictureScript.h"

#include "engine/scene/VORN_Clock.h"
#include "game/session/Game.h"
#include "tools/driver/MatchDriver.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTimer>
#include <cstdio>

namespace {

Game* openWindow(const QString& folder, const QSize& size) {
    QDir().mkpath(folder);
    VORN_LIB::VORN_Clock::setManual(1000);
    if (!qEnvironmentVariableIsSet("ALSOFT_DRIVERS"))
        qputenv("ALSOFT_DRIVERS", "null");
    Game* game = new Game();
    game->timer()->stop();
    game->renderScale.fix(1.0);
    game->setMinimumSize(800, 600);
    game->QWidget::resize(size);
    game->show();
    QApplication::processEvents();
    return game;
}

} // namespace

PictureScript::PictureScript(const QString& folder, const QSize& size)
    : game(openWindow(folder, size)), folder(folder) {}

void PictureScript::key(int code, bool press, const QString& text) const {
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(game, &event);
}

void PictureScript::tap(int code) const {
    key(code, true);
    key(code, false);
}

void PictureScript::type(const QString& text) const {
    for (QChar c : text) {
        key(c.toUpper().unicode(), true, QString(c));
        key(c.toUpper().unicode(), false, QString(c));
    }
}

void PictureScript::tick(int count) const {
    Game* window = game;
    MatchDriver(*window->match, [window] { window->updateStuff(); }).tick(count);
}

QImage PictureScript::frame() const {
    game->repaint();
    QApplication::processEvents();
    return game->grabFramebuffer();
}

void PictureScript::save(const QImage& picture, const char* name) const {
    const QString path = QDir(folder).filePath(QString(name) + ".png");
    picture.convertToFormat(QImage::Format_RGB888).save(path, "PNG", 0);
    std::printf("%s\n", path.toLocal8Bit().constData());
}
