#include "platform/windowmessagecodec.h"

namespace kontavo {

namespace {

constexpr char kMagic0 = 'K';
constexpr char kMagic1 = 'W';
constexpr uint8_t kVersion = 1;

void putUint32(QByteArray& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.append(char((value >> shift) & 0xFF));
    }
}

uint32_t getUint32(const QByteArray& in, int offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | uint8_t(in[offset + i]);
    }
    return value;
}

bool isKnownRequest(uint8_t value) {
    switch (WindowRequest(value)) {
        case WindowRequest::Post:
        case WindowRequest::Send:
        case WindowRequest::Foreground:
        case WindowRequest::Result:
            return true;
    }
    return false;
}

}  // namespace

QByteArray WindowMessageCodec::encode(const WindowFrame& frame) {
    QByteArray out;
    out.reserve(kFrameSize);
    out.append(kMagic0);
    out.append(kMagic1);
    out.append(char(frame.request));
    out.append(char(kVersion));
    putUint32(out, frame.message.id);
    putUint32(out, frame.message.wParam);
    putUint32(out, frame.message.lParam);
    return out;
}

std::optional<WindowFrame> WindowMessageCodec::decode(const QByteArray& bytes) {
    if (bytes.size() < kFrameSize || bytes[0] != kMagic0 || bytes[1] != kMagic1 ||
        uint8_t(bytes[3]) != kVersion || !isKnownRequest(uint8_t(bytes[2]))) {
        return std::nullopt;
    }
    WindowFrame frame;
    frame.request = WindowRequest(uint8_t(bytes[2]));
    frame.message = {getUint32(bytes, 4), getUint32(bytes, 8), getUint32(bytes, 12)};
    return frame;
}

}  // namespace kontavo
