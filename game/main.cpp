// Program entry: one application, one game window. Start-up failures are reported here, the one
// place that catches what the engine throws: on standard error, and in a message box when there is
// a screen to show it on (TV_NO_DIALOG=1 suppresses the box, for scripted runs).
#include "engine/terrain/Bitmap.h"
#include "game/Game.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace {

void reportStartupFailure(const QString& reason) {
    const QString text = QStringLiteral("Tortoise Valley could not start: %1").arg(reason);
    std::fprintf(stderr, "tortoise-valley: %s\n", text.toLocal8Bit().constData());
    const QString platform = QGuiApplication::platformName();
    if (!std::getenv("TV_NO_DIALOG") && platform != "offscreen" && platform != "minimal")
        QMessageBox::critical(nullptr, QStringLiteral("Tortoise Valley"), text);
}

} // namespace

int main(int argc, char** argv) {
    QApplication* app = new QApplication(argc, argv);
    Game* game = nullptr;
    try {
        game = new Game();
    } catch (const char* message) {
        reportStartupFailure(QString::fromLocal8Bit(message));
        return 1;
    } catch (int) {
        // The bitmap reader and the double-buffer check throw -1; the reader says which file.
        const std::string& bitmapError = Bitmap::lastError();
        reportStartupFailure(bitmapError.empty()
                                 ? QStringLiteral("no double-buffered OpenGL is available")
                                 : QString::fromStdString(bitmapError));
        return 1;
    }
    game->setMinimumSize(800, 600);
    game->show();
    return app->exec();
}
