// Frames cut from a peer's bytes and decoded one at a time, until the first bad one.
#include "game/network/FrameReader.h"

#include "game/network/FrameCodec.h"

#include <QtEndian>

void FrameReader::append(const QByteArray& bytes) {
    if (failed())
        return;
    pending.append(bytes);
}

std::optional<Network::Message> FrameReader::next() {
    if (failed() || pending.size() < 4)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(pending.constData());
    if (length == 0) {
        error = QStringLiteral("empty frame");
        return std::nullopt;
    }
    if (length > quint32(Network::frameLimit - 4)) {
        error = QStringLiteral("frame of %1 bytes is over the limit of %2")
                    .arg(qint64(length) + 4)
                    .arg(Network::frameLimit);
        return std::nullopt;
    }
    if (quint32(pending.size()) - 4 < length)
        return std::nullopt;
    const QByteArray body = pending.mid(4, int(length));
    pending.remove(0, int(length) + 4);
    QString why;
    std::optional<Network::Message> message = FrameCodec::decode(body, &why);
    if (!message)
        error = why;
    return message;
}
