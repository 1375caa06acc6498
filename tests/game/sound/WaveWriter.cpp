// OpenAL Soft's wave writer set up as the sound device of the sound tests.
#include "tests/game/sound/WaveWriter.h"

#include <AL/alc.h>
#include <AL/alext.h>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

QString output() {
    return folder().filePath("output.wav");
}

void pointAt(const QString& target) {
    WaveWriter::configure();
    QFile::remove(output());
    if (!target.isEmpty()) {
        ASSERT_TRUE(QFile::link(target, output())) << target.toStdString();
    }
}

} // namespace

namespace WaveWriter {

void configure() {
    static bool done = false;
    if (done)
        return;
    done = true;
    ASSERT_TRUE(folder().isValid());
    const QString config = folder().filePath("alsoft.conf");
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[general]\nfrequency = %1\nchannels = stereo\n"
                              "sample-type = float32\n[wave]\nfile = %2\n")
                   .arg(rate)
                   .arg(output())
                   .toUtf8());
    file.close();
    qputenv("ALSOFT_CONF", config.toLocal8Bit());
    qputenv("ALSOFT_DRIVERS", "wave");
}

QString recordInto() {
    pointAt(QString());
    return output();
}

void failWrites() {
    pointAt(QStringLiteral("/dev/full"));
}

void noDevice() {
    pointAt(folder().filePath("no-such-folder/output.wav"));
}

long long mixedFrames() {
    ALCdevice* device = alcGetContextsDevice(alcGetCurrentContext());
    static const auto deviceClock =
        reinterpret_cast<LPALCGETINTEGER64VSOFT>(alcGetProcAddress(device, "alcGetInteger64vSOFT"));
    ALCint64SOFT nanoseconds = 0;
    deviceClock(device, ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
    return nanoseconds * rate / 1000000000LL;
}

} // namespace WaveWriter
