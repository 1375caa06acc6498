// A spectrogram of a recording as a picture: time from left to right, frequency from 0 Hz at the
// bottom to a top frequency, the loudness of each band in colour (dark for silence, through red to
// yellow and white at full scale), with named spans of time marked along the top.
#pragma once

#include "game/sound/WaveFile.h"

#include <QString>
#include <vector>

namespace Spectrogram {

struct Span {
    long long from, to; // frames of the recording
    QString name;
};

// Writes the first channel of the recording as a PNG file; false when it cannot be written.
bool write(const WaveFile& recording, const std::vector<Span>& spans, double topHz,
           const QString& path);

} // namespace Spectrogram
