// libFuzzer target for what a network peer can send: any bytes, cut into pieces of every size,
// go through the frame reader as a socket would deliver them. A message it accepts must encode and
// decode again; nothing may crash, hang or allocate without bound.
#include "game/network/FrameCodec.h"
#include "game/network/FrameReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte chooses how the rest arrives: in pieces of 1 to 256 bytes.
    const std::size_t piece = size > 0 ? std::size_t(data[0]) + 1 : 1;
    FrameReader reader;
    for (std::size_t at = size > 0 ? 1 : 0; at < size && !reader.failed(); at += piece) {
        const std::size_t n = std::min(piece, size - at);
        reader.append(QByteArray(reinterpret_cast<const char*>(data + at), int(n)));
        while (std::optional<Network::Message> m = reader.next()) {
            FrameReader again;
            again.append(FrameCodec::encode(*m));
            if (!again.next() || again.failed())
                std::abort(); // a message that was read must survive its own encoding
        }
    }
    return 0;
}
