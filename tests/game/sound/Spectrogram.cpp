// The spectrogram: windows of 1024 frames, half overlapping, each through a Hann window and a
// radix-2 FFT; loudness in dB from -90 to 0 of full scale.
#include "tests/game/sound/Spectrogram.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <complex>

namespace {

const int size = 1024; // frames of one window
const int hop = size / 2;

// An FFT in place, size a power of two.
void fft(std::vector<std::complex<double>>& a) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> turn = std::polar(1.0, -2 * M_PI / double(length));
        for (std::size_t i = 0; i < n; i += length) {
            std::complex<double> w(1);
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> u = a[i + k], v = a[i + k + length / 2] * w;
                a[i + k] = u + v;
                a[i + k + length / 2] = u - v;
                w *= turn;
            }
        }
    }
}

// Dark blue for silence through red and yellow to white for full scale; level from 0 to 1.
QRgb heat(double level) {
    const double l = std::clamp(level, 0.0, 1.0);
    const auto part = [&](double from, double to) {
        return int(255 * std::clamp((l - from) / (to - from), 0.0, 1.0));
    };
    return qRgb(part(0.25, 0.6), part(0.55, 0.85), std::max(part(0.85, 1.0), int(60 * (1 - l))));
}

} // namespace

namespace Spectrogram {

bool write(const WaveFile& recording, const std::vector<Span>& spans, double topHz,
           const QString& path) {
    const long long frames = static_cast<long long>(recording.frames());
    const int columns = int(std::max(0LL, (frames - size) / hop));
    const int bins = int(std::lround(topHz / recording.rate * size));
    const int header = 24;
    QImage image(std::max(columns, 1), bins + header, QImage::Format_RGB32);
    image.fill(qRgb(20, 20, 20));
    std::vector<std::complex<double>> window(size);
    for (int c = 0; c < columns; ++c) {
        for (int i = 0; i < size; ++i) {
            const double hann = 0.5 - 0.5 * std::cos(2 * M_PI * i / (size - 1));
            const std::size_t at = static_cast<std::size_t>((c * hop + i) * recording.channels);
            window[std::size_t(i)] = recording.samples[at] * hann;
        }
        fft(window);
        for (int b = 0; b < bins; ++b) {
            const double magnitude = std::abs(window[std::size_t(b)]) / (size / 4.0);
            const double db = 20 * std::log10(std::max(magnitude, 1e-9));
            image.setPixel(c, header + bins - 1 - b, heat((db + 90) / 90));
        }
    }
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    for (const Span& s : spans) {
        const int x0 = int(s.from / hop), x1 = int(s.to / hop);
        painter.setPen(Qt::white);
        painter.drawLine(x0, header - 4, x1, header - 4);
        painter.drawLine(x0, header - 8, x0, header);
        painter.drawText(x0 + 3, header - 8, s.name);
    }
    painter.setPen(QColor(200, 200, 200));
    for (int khz = 2; khz * 1000 < topHz; khz += 2) { // the frequency scale at the left
        const int y = header + bins - 1 - int(std::lround(khz * 1000.0 / recording.rate * size));
        painter.drawText(2, y + 4, QStringLiteral("%1 kHz").arg(khz));
    }
    painter.end();
    return image.save(path, "PNG");
}

} // namespace Spectrogram
