// Writes animated GIF89a files byte by byte: one 256-entry global colour table, full-size
// frames, a Graphic Control Extension on every frame and a NETSCAPE2.0 loop block.
#pragma once

#include <QByteArray>
#include <QRgb>

#include <array>
#include <cstdint>
#include <vector>

namespace gif {

struct Frame {
    std::vector<std::uint8_t> indices; // width * height palette indices, rows top to bottom
    int delay = 0;                     // hundredths of a second
};

struct Animation {
    int width = 0;
    int height = 0;
    std::array<QRgb, 256> palette{};
    int transparentIndex = 0; // every frame marks this index transparent
    int disposal = 2;         // every frame: 2 = restore to background
    int loopCount = 0;        // 0 = loop for ever
    std::vector<Frame> frames;
};

// LZW code stream for 8-bit indices (minimum code size 8), packed least significant bit first,
// without the sub-block framing.
QByteArray lzwEncode(const std::vector<std::uint8_t> &indices);

// The whole file. Every frame must hold exactly width * height indices.
QByteArray write(const Animation &animation);

} // namespace gif
