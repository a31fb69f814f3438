#pragma once

#include <QByteArray>
#include <optional>

#include "platform/windowmessage.h"

namespace kontavo {

// What a frame on a window's socket asks for.
enum class WindowRequest : uint8_t {
    Post = 'P',        // queue the message; no answer
    Send = 'S',        // handle the message now; answer with a Result frame
    Foreground = 'F',  // bring the window to the foreground; no answer
    Result = 'R',      // the answer to a Send: lParam carries the result
};

struct WindowFrame {
    WindowRequest request = WindowRequest::Post;
    WindowMessage message;

    friend bool operator==(const WindowFrame&, const WindowFrame&) = default;
};

// The frames exchanged on a window's local socket (docs/formats/window-messages.md):
// 16 bytes each, "KW", request byte, version 1, then id, wParam and lParam as
// little-endian 32-bit integers.
class WindowMessageCodec {
public:
    static constexpr int kFrameSize = 16;

    static QByteArray encode(const WindowFrame& frame);
    // Decodes the frame at the start of `bytes`; nullopt when fewer than
    // kFrameSize bytes are given or the frame is malformed.
    static std::optional<WindowFrame> decode(const QByteArray& bytes);
};

}  // namespace kontavo
