// Entry point of every test program: a Qt application (the GL widgets need one), then GoogleTest.
// Sanitized builds look for leaks while the application still runs: at exit the GL driver is
// already unloaded, and its leftovers could no longer be told apart from the program's own. Every
// GL context is let go of before the application ends.
#include "tests/support/GLTest.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#define TV_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TV_LEAK_CHECK 1
#endif
#endif

#ifdef TV_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // seat tokens and the like never touch the user's
    // Nor does the settings file, of this process or of a game it starts.
    QTemporaryDir config;
    if (!config.isValid() || !qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit()))
        return 2;
    const int result = RUN_ALL_TESTS();
#ifdef TV_LEAK_CHECK
    __lsan_do_leak_check(); // reports and ends the process on a leak; none are checked at exit
#endif
    GLTest::release();
    return result;
}
