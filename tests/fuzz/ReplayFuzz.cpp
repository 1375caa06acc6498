// libFuzzer target for a replay file from someone else: any bytes go through the replay reader.
// A file it accepts must give every turn's records back, and each record's frame goes through
// the network's decoder as a watched game would; nothing may crash, hang or allocate without
// bound.
#include "game/files/ReplayReader.h"
#include "game/network/FrameCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReplayReader reader;
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    if (!reader.read(bytes)) {
        if (reader.error().isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    QString error;
    for (const ReplayFormat::Record& r : reader.opening())
        FrameCodec::decode(r.body, &error);
    for (int t = 0; t < reader.turns(); ++t) {
        const QVector<ReplayFormat::Record> records = reader.turn(t);
        if (records.isEmpty())
            std::abort(); // a turn that was checked on reading unpacks again
        for (const ReplayFormat::Record& r : records)
            FrameCodec::decode(r.body, &error);
    }
    return 0;
}
