// OpenAL Soft's wave writer as the sound device of this test program. OpenAL Soft reads its
// settings once per process, so every test here shares one configuration; the file the writer
// opens is one path that each test makes what it needs before it opens a device: a plain file to
// record into, a link to /dev/full (every write of the mixed samples fails, and OpenAL Soft
// reports the device as disconnected, as it does for a sound server gone away), or a link into a
// folder that does not exist (no device opens at all).
#pragma once

#include <QString>

namespace WaveWriter {

const int rate = 44100; // frames per second of the recording, two channels of 32-bit floats

// Points OpenAL Soft at the writer: ALSOFT_CONF and ALSOFT_DRIVERS, before the process's first
// OpenAL call. Every function below calls it.
void configure();
// The writer records into a plain file from the next device on; returns its path.
QString recordInto();
// The next device opens but loses every write.
void failWrites();
// The next device does not open.
void noDevice();
// Frames the current context's device has mixed so far, by its own clock: the place in the
// recording where a sound started now begins.
long long mixedFrames();

} // namespace WaveWriter
