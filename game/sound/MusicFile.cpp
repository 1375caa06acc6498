// Decoding through libvorbisfile: ov_read gives little-endian signed 16-bit samples, and
// ov_pcm_seek goes back to the exact first sample, so the loop's seam is the file's own.
#include "game/sound/MusicFile.h"

#include <vorbis/vorbisfile.h>

struct MusicFile::Decoder {
    OggVorbis_File vorbis;
};

MusicFile::MusicFile() = default;

MusicFile::~MusicFile() {
    close();
}

bool MusicFile::open(const QString& path, QString* error) {
    close();
    auto opened = std::make_unique<Decoder>();
    const int failed = ov_fopen(path.toLocal8Bit().constData(), &opened->vorbis);
    if (failed != 0) {
        if (error)
            *error = path + (failed == OV_ENOTVORBIS ? QStringLiteral(": not an Ogg Vorbis file")
                             : failed == OV_EREAD    ? QStringLiteral(": cannot be read")
                                                     : QStringLiteral(": broken Ogg Vorbis file"));
        return false; // ov_fopen has closed what it opened
    }
    const vorbis_info* info = ov_info(&opened->vorbis, -1);
    const ogg_int64_t total = ov_pcm_total(&opened->vorbis, -1);
    if (!info || info->channels < 1 || info->channels > 2 || total <= 0) {
        ov_clear(&opened->vorbis);
        if (error)
            *error = path + QStringLiteral(": neither one nor two channels of sound");
        return false;
    }
    channelCount = info->channels;
    frameRate = static_cast<int>(info->rate);
    frameCount = total;
    file = std::move(opened);
    return true;
}

void MusicFile::close() {
    if (file)
        ov_clear(&file->vorbis);
    file.reset();
    channelCount = 0;
    frameRate = 0;
    frameCount = 0;
}

std::size_t MusicFile::read(std::int16_t* out, std::size_t frames) {
    if (!file)
        return 0;
    const std::size_t frameBytes = 2 * static_cast<std::size_t>(channelCount);
    char* bytes = reinterpret_cast<char*>(out);
    std::size_t done = 0; // bytes
    bool wrapped = false; // at the end once since the last sample read
    while (done < frames * frameBytes) {
        int section = 0;
        const long n = ov_read(&file->vorbis, bytes + done,
                               static_cast<int>(frames * frameBytes - done), 0, 2, 1, &section);
        if (n == OV_HOLE) // a gap in the data: what follows is still music
            continue;
        if (n < 0)
            break;
        if (n == 0) { // the end: on from the start
            if (wrapped || ov_pcm_seek(&file->vorbis, 0) != 0)
                break;
            wrapped = true;
            continue;
        }
        wrapped = false;
        done += static_cast<std::size_t>(n);
    }
    return done / frameBytes;
}

void MusicFile::rewind() {
    if (file)
        ov_pcm_seek(&file->vorbis, 0);
}
