// Program entry: one application, one game window. Start-up failures are reported here, the one
// place that catches what the engine throws: on standard error, and in a message box when there is
// a screen to show it on (TV_NO_DIALOG=1 suppresses the box, for scripted runs).
// TV_EXIT_AFTER_FIRST_FRAME=1 ends the program as soon as its first frame is painted, so that the
// start-up benchmark can time process start to first picture.
#include "engine/terrain/Bitmap.h"
#include "game/Game.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
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

// Quits the application once the first paint of the watched window has been handled.
class QuitAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            // A zero timer fires after the paint event, buffer swap included, has returned.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool seen = false;
};

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
    if (std::getenv("TV_EXIT_AFTER_FIRST_FRAME"))
        game->installEventFilter(new QuitAfterFirstPaint());
    game->show();
    const int status = app->exec();
    // The window outlives the event loop; its sound device is closed here, which also completes
    // a recording of OpenAL's wave writer.
    game->sound.close();
    return status;
}
