// Program entry: one application, one game window. Start-up failures are reported here, the one
// place that catches what the engine throws.
#include "game/Game.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

void reportStartupFailure(const QString& text) {
    std::fprintf(stderr, "tortoise-valley: %s\n", text.toLocal8Bit().constData());
    QMessageBox::critical(nullptr, QStringLiteral("Tortoise Valley"), text);
}

} // namespace

int main(int argc, char** argv) {
    QApplication* app = new QApplication(argc, argv);
    Game* game = nullptr;
    try {
        game = new Game();
    } catch (const char* message) {
        reportStartupFailure(QStringLiteral("the game could not start: %1").arg(message));
        return 1;
    } catch (int) {
        reportStartupFailure(QStringLiteral(
            "the game could not start: no double-buffered OpenGL, or a data file is unreadable"));
        return 1;
    }
    game->setMinimumSize(800, 600);
    game->show();
    return app->exec();
}
