#include "gifwriter.h"

#include <stdexcept>

namespace gif {
namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kFirstFree = kClearCode + 2;
constexpr int kMaxBits = 12;
constexpr int kTableLimit = 1 << kMaxBits;

void put8(QByteArray &out, int v)
{
    out.append(static_cast<char>(v & 0xff));
}

void put16(QByteArray &out, int v)
{
    put8(out, v);
    put8(out, v >> 8);
}

class BitSink {
public:
    explicit BitSink(QByteArray &out) : out_(out) {}
    void put(int code, int bits)
    {
        acc_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            put8(out_, static_cast<int>(acc_));
            acc_ >>= 8;
            count_ -= 8;
        }
    }
    void flush()
    {
        if (count_ > 0)
            put8(out_, static_cast<int>(acc_));
        acc_ = 0;
        count_ = 0;
    }

private:
    QByteArray &out_;
    std::uint32_t acc_ = 0;
    int count_ = 0;
};

} // namespace

QByteArray lzwEncode(const std::vector<std::uint8_t> &indices)
{
    QByteArray out;
    BitSink sink(out);
    // child[code * 256 + byte] = code of string(code) + byte, or 0 when not yet in the table.
    std::vector<std::uint16_t> child(static_cast<std::size_t>(kTableLimit) * 256, 0);
    int nextCode = kFirstFree;
    int bits = kMinCodeSize + 1;

    auto resetTable = [&] {
        std::fill(child.begin(), child.end(), 0);
        nextCode = kFirstFree;
        bits = kMinCodeSize + 1;
    };

    sink.put(kClearCode, bits);
    if (indices.empty()) {
        sink.put(kEndCode, bits);
        sink.flush();
        return out;
    }

    int prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const int byte = indices[i];
        const std::size_t slot = static_cast<std::size_t>(prefix) * 256 + byte;
        if (child[slot] != 0) {
            prefix = child[slot];
            continue;
        }
        sink.put(prefix, bits);
        child[slot] = static_cast<std::uint16_t>(nextCode++);
        // The decoder learns each entry one code later than we make it, so it widens its codes
        // when its table reaches 2^bits; we widen once our table has gone past that.
        if (nextCode > (1 << bits) && bits < kMaxBits)
            ++bits;
        if (nextCode == kTableLimit) {
            sink.put(kClearCode, bits);
            resetTable();
        }
        prefix = byte;
    }
    sink.put(prefix, bits);
    // After the last code the decoder has caught up with our table; it may have widened.
    if (nextCode == (1 << bits) && bits < kMaxBits)
        ++bits;
    sink.put(kEndCode, bits);
    sink.flush();
    return out;
}

QByteArray write(const Animation &a)
{
    if (a.width <= 0 || a.height <= 0 || a.width > 0xffff || a.height > 0xffff)
        throw std::invalid_argument("gif: bad screen size");
    const std::size_t pixels = static_cast<std::size_t>(a.width) * a.height;

    QByteArray out("GIF89a");
    put16(out, a.width);
    put16(out, a.height);
    // Global table present, 8 bits of colour resolution, not sorted, 2^(7+1) = 256 entries.
    put8(out, 0x80 | (7 << 4) | 7);
    put8(out, a.transparentIndex); // background colour index
    put8(out, 0);                  // no pixel aspect ratio
    for (QRgb c : a.palette) {
        put8(out, qRed(c));
        put8(out, qGreen(c));
        put8(out, qBlue(c));
    }

    // NETSCAPE2.0 application extension: sub-block id 1, then the loop count.
    put8(out, 0x21);
    put8(out, 0xff);
    put8(out, 11);
    out.append("NETSCAPE2.0", 11);
    put8(out, 3);
    put8(out, 1);
    put16(out, a.loopCount);
    put8(out, 0);

    for (const Frame &f : a.frames) {
        if (f.indices.size() != pixels)
            throw std::invalid_argument("gif: frame size does not match the screen");
        // Graphic Control Extension: disposal method, no user input, transparent flag.
        put8(out, 0x21);
        put8(out, 0xf9);
        put8(out, 4);
        put8(out, ((a.disposal & 7) << 2) | 1);
        put16(out, f.delay);
        put8(out, a.transparentIndex);
        put8(out, 0);

        // Image descriptor: the whole screen, no local table, not interlaced.
        put8(out, 0x2c);
        put16(out, 0);
        put16(out, 0);
        put16(out, a.width);
        put16(out, a.height);
        put8(out, 0);

        put8(out, kMinCodeSize);
        const QByteArray codes = lzwEncode(f.indices);
        for (qsizetype pos = 0; pos < codes.size(); pos += 255) {
            const qsizetype n = std::min<qsizetype>(255, codes.size() - pos);
            put8(out, static_cast<int>(n));
            out.append(codes.constData() + pos, n);
        }
        put8(out, 0);
    }
    put8(out, 0x3b);
    return out;
}

} // namespace gif
