// makeassets - draws the pictures, the hand cursor and the icon of Ride Riddle and writes them
// into the assets folder, where they are committed and compiled into the program (rrassets).
//
// Regenerate them after changing the artwork here:
//
//   cmake --build build --target makeassets && build/assets/makeassets assets
//
// The artwork is painted with QPainter onto QImages; the files themselves are written byte by
// byte below (BMP, GIF with our own LZW coder, CUR, ICO), because the program and its tests
// rely on their exact layout:
//
//   newgame.bmp, exit.bmp  300x75 24-bit BMP, two colours, lettering in a fixed box
//   splash.bmp             737x435 24-bit BMP, black and green
//   aboutus.gif            80x60 animated GIF, blue plate with a glint crossing it
//   help.gif               40x30 animated GIF, magenta panel in a chasing border
//   hand.cur               32x32 16-colour cursor, hot spot at the fingertip (12, 1)
//   rideriddle.png/.ico    32x32 24-bit application icon
//
// Only the PNG goes through Qt's own writer. The output depends on the fonts installed (the
// lettering uses Z003 and Nimbus Sans from Debian's fonts-urw-base35), so check the results
// by eye and run the assets test before committing them.

#include "gifwriter.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- little-endian output

void put8(QByteArray &out, int v)
{
    out.append(static_cast<char>(v & 0xff));
}

void put16(QByteArray &out, int v)
{
    put8(out, v);
    put8(out, v >> 8);
}

void put32(QByteArray &out, qint64 v)
{
    put16(out, static_cast<int>(v & 0xffff));
    put16(out, static_cast<int>((v >> 16) & 0xffff));
}

constexpr int kPixelsPerMetre = 3780; // 96 dpi

void putBitmapInfoHeader(QByteArray &out, int width, int height, int bpp, qint64 imageSize,
                         int pixelsPerMetre)
{
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1); // planes
    put16(out, bpp);
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, 0); // colours used: all that bpp allows
    put32(out, 0); // important colours: all
}

// The pixels of `image` as a 24-bit bitmap stores them: rows bottom-up, each pixel blue, green,
// red, each row padded with zeros to `stride` bytes.
void putBgrRows(QByteArray &out, const QImage &image, int stride)
{
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            put8(out, qBlue(c));
            put8(out, qGreen(c));
            put8(out, qRed(c));
        }
        for (int pad = image.width() * 3; pad < stride; ++pad)
            put8(out, 0);
    }
}

// 24-bit BMP, bottom-up rows padded to four bytes, no colour table.
QByteArray bmp24(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    const int stride = (w * 3 + 3) / 4 * 4;
    const qint64 imageSize = qint64(stride) * h;

    QByteArray out;
    out.append("BM", 2);
    put32(out, 14 + 40 + imageSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, 14 + 40);
    putBitmapInfoHeader(out, w, h, 24, imageSize, kPixelsPerMetre);
    putBgrRows(out, image, stride);
    return out;
}

// ---------------------------------------------------------------- lettering

QFont scriptFont()
{
    QFont font(QStringLiteral("Z003"));
    font.setPixelSize(240);
    return font;
}

// A black-and-white mask of `text` drawn large, slanted further by `shear` and thickened with
// a round pen like a brush stroke, cropped to the ink.
QImage inkMask(const QString &text, const QFont &font, qreal shear, qreal strokeWidth)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    path = QTransform().shear(shear, 0).map(path);
    const QRectF bounds =
        path.boundingRect().adjusted(-strokeWidth, -strokeWidth, strokeWidth, strokeWidth);

    QImage canvas(int(std::ceil(bounds.width())) + 4, int(std::ceil(bounds.height())) + 4,
                  QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-bounds.left() + 2, -bounds.top() + 2);
        p.setPen(QPen(Qt::white, strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPath(path);
    }

    int left = canvas.width(), right = -1, top = canvas.height(), bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (qRed(canvas.pixel(x, y)) >= 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        throw std::runtime_error("lettering came out empty");
    QImage mask = canvas.copy(left, top, right - left + 1, bottom - top + 1);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            mask.setPixel(x, y, qRed(mask.pixel(x, y)) >= 128 ? 0xffffffff : 0xff000000);
    return mask;
}

// Paints `mask` in `colour` so that its ink fills exactly `box` of `image`. Each pixel of the
// box is inked when at least half of the source area it stands for is ink; an edge line of the
// box that ends up empty gets its best-covered pixel inked, so the ink's bounding box is `box`
// to the pixel. The result stays two-coloured.
void paintInk(QImage &image, const QImage &mask, const QRect &box, QRgb colour)
{
    const int sw = mask.width();
    const int sh = mask.height();
    const int tw = box.width();
    const int th = box.height();

    // Summed-area table of the ink.
    std::vector<int> sum(std::size_t(sw + 1) * (sh + 1), 0);
    auto at = [&](int x, int y) -> int & { return sum[std::size_t(y) * (sw + 1) + x]; };
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
            at(x + 1, y + 1) =
                at(x, y + 1) + at(x + 1, y) - at(x, y) + (qRed(mask.pixel(x, y)) >= 128 ? 1 : 0);

    std::vector<double> coverage(std::size_t(tw) * th);
    for (int ty = 0; ty < th; ++ty) {
        const int y0 = int(qint64(ty) * sh / th);
        const int y1 = std::max(y0 + 1, int(qint64(ty + 1) * sh / th));
        for (int tx = 0; tx < tw; ++tx) {
            const int x0 = int(qint64(tx) * sw / tw);
            const int x1 = std::max(x0 + 1, int(qint64(tx + 1) * sw / tw));
            const int ink = at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
            coverage[std::size_t(ty) * tw + tx] = double(ink) / ((x1 - x0) * (y1 - y0));
        }
    }
    std::vector<bool> inked(coverage.size());
    for (std::size_t i = 0; i < coverage.size(); ++i)
        inked[i] = coverage[i] >= 0.5;

    auto ensureInk = [&](int x0, int y0, int dx, int dy, int count) {
        std::size_t best = 0;
        double bestCoverage = -1;
        for (int i = 0; i < count; ++i) {
            const std::size_t k = std::size_t(y0 + i * dy) * tw + (x0 + i * dx);
            if (inked[k])
                return;
            if (coverage[k] > bestCoverage) {
                bestCoverage = coverage[k];
                best = k;
            }
        }
        inked[best] = true;
    };
    ensureInk(0, 0, 1, 0, tw);
    ensureInk(0, th - 1, 1, 0, tw);
    ensureInk(0, 0, 0, 1, th);
    ensureInk(tw - 1, 0, 0, 1, th);

    for (int ty = 0; ty < th; ++ty)
        for (int tx = 0; tx < tw; ++tx)
            if (inked[std::size_t(ty) * tw + tx])
                image.setPixel(box.left() + tx, box.top() + ty, colour);
}

QImage buttonPicture(const QString &text, const QRect &box, QRgb colour)
{
    QImage image(300, 75, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    paintInk(image, inkMask(text, scriptFont(), -0.2, 14), box, colour);
    return image;
}

QImage splashPicture()
{
    QImage image(737, 435, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    const QRgb green = qRgb(0, 255, 0);

    const QImage title = inkMask(QStringLiteral("Ride Riddle"), scriptFont(), -0.2, 12);
    const QImage motto = inkMask(QStringLiteral("guess the vehicle"), scriptFont(), -0.2, 8);

    // The lettering is stretched upwards a little so the two lines fill the picture.
    const int titleWidth = 677;
    const int titleHeight = int(std::lround(1.6 * titleWidth * title.height() / title.width()));
    const QRect titleBox(28, 24, titleWidth, std::min(titleHeight, 230));
    paintInk(image, title, titleBox, green);

    const int mottoWidth = 520;
    const int mottoHeight = int(std::lround(1.5 * mottoWidth * motto.height() / motto.width()));
    const QRect mottoBox(737 - 36 - mottoWidth, titleBox.bottom() + 44, mottoWidth,
                         std::min(mottoHeight, 435 - 36 - (titleBox.bottom() + 44)));
    paintInk(image, motto, mottoBox, green);
    return image;
}

// ---------------------------------------------------------------- animated GIFs

struct Indexed {
    std::array<QRgb, 256> palette{};
    std::vector<std::vector<std::uint8_t>> frames;
};

// Maps every opaque pixel of all frames to one shared palette of at most 255 colours at
// indices 1..255; index 0 is white and stands for the transparent pixels (alpha below half).
// Colours are merged by dropping low bits until they fit, each entry being the mean of the
// colours merged into it. Opaque pure white becomes (255, 255, 254) so it never reads as
// the transparent colour.
Indexed toIndexed(const std::vector<QImage> &frames)
{
    auto opaque = [](QRgb c) { return qAlpha(c) >= 128; };
    int keep = 8;
    std::map<quint32, std::array<qint64, 4>> buckets; // key -> sum r, g, b, count
    auto keyOf = [&](QRgb c) {
        const int drop = 8 - keep;
        return (quint32(qRed(c) >> drop) << 16) | (quint32(qGreen(c) >> drop) << 8) |
               quint32(qBlue(c) >> drop);
    };
    for (;; --keep) {
        buckets.clear();
        for (const QImage &f : frames) {
            for (int y = 0; y < f.height(); ++y) {
                for (int x = 0; x < f.width(); ++x) {
                    const QRgb c = f.pixel(x, y);
                    if (!opaque(c))
                        continue;
                    auto &b = buckets[keyOf(c)];
                    b[0] += qRed(c);
                    b[1] += qGreen(c);
                    b[2] += qBlue(c);
                    b[3] += 1;
                }
            }
        }
        if (buckets.size() <= 255)
            break;
    }

    Indexed out;
    out.palette.fill(qRgb(0, 0, 0));
    out.palette[0] = qRgb(255, 255, 255);
    std::map<quint32, std::uint8_t> indexOf;
    int next = 1;
    for (const auto &[key, b] : buckets) {
        QRgb c = qRgb(int((b[0] + b[3] / 2) / b[3]), int((b[1] + b[3] / 2) / b[3]),
                      int((b[2] + b[3] / 2) / b[3]));
        if (c == qRgb(255, 255, 255))
            c = qRgb(255, 255, 254);
        out.palette[std::size_t(next)] = c;
        indexOf[key] = std::uint8_t(next++);
    }
    for (const QImage &f : frames) {
        std::vector<std::uint8_t> indices;
        indices.reserve(std::size_t(f.width()) * f.height());
        for (int y = 0; y < f.height(); ++y) {
            for (int x = 0; x < f.width(); ++x) {
                const QRgb c = f.pixel(x, y);
                indices.push_back(opaque(c) ? indexOf.at(keyOf(c)) : 0);
            }
        }
        out.frames.push_back(std::move(indices));
    }
    return out;
}

QByteArray animatedGif(const std::vector<QImage> &frames, const std::vector<int> &delays)
{
    const Indexed indexed = toIndexed(frames);
    gif::Animation a;
    a.width = frames.front().width();
    a.height = frames.front().height();
    a.palette = indexed.palette;
    a.transparentIndex = 0;
    a.disposal = 2;
    a.loopCount = 0;
    for (std::size_t i = 0; i < frames.size(); ++i)
        a.frames.push_back({indexed.frames[i], delays[i]});
    return gif::write(a);
}

QRgb mix(QRgb a, QRgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return qRgb(lerp(qRed(a), qRed(b)), lerp(qGreen(a), qGreen(b)), lerp(qBlue(a), qBlue(b)));
}

// The About Us plate: a pill filling columns 2..77 and rows 13..49 of the 80x60 picture.
constexpr double kPlateLeft = 2, kPlateRight = 78, kPlateTop = 13, kPlateBottom = 50;
constexpr double kPlateRadius = (kPlateBottom - kPlateTop) / 2;
constexpr double kPlateMidY = kPlateTop + kPlateRadius;
constexpr double kRimWidth = 2.5;

// Signed distance from the pill's outline at the centre of pixel (x, y): negative inside.
double plateDistance(int x, int y)
{
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double cx =
        std::clamp(px, kPlateLeft + kPlateRadius, kPlateRight - kPlateRadius); // spine point
    return std::hypot(px - cx, py - kPlateMidY) - kPlateRadius;
}

QImage aboutUsFrame(int glint)
{
    QImage image(80, 60, QImage::Format_ARGB32);
    image.fill(Qt::transparent);

    const QRgb goldLight = qRgb(255, 226, 110), goldDark = qRgb(170, 112, 8);
    const QRgb blueTop = qRgb(84, 132, 244), blueBottom = qRgb(8, 30, 140);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double d = plateDistance(x, y);
            if (d > 0)
                continue;
            const double down = (y - kPlateTop) / (kPlateBottom - kPlateTop - 1);
            QRgb c;
            if (d > -kRimWidth)
                c = mix(goldLight, goldDark, down);
            else
                c = mix(blueTop, blueBottom, down * down);
            image.setPixel(x, y, c);
        }
    }

    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath inside;
        inside.addRoundedRect(QRectF(kPlateLeft + kRimWidth, kPlateTop + kRimWidth,
                                     kPlateRight - kPlateLeft - 2 * kRimWidth,
                                     kPlateBottom - kPlateTop - 2 * kRimWidth),
                              kPlateRadius - kRimWidth, kPlateRadius - kRimWidth);
        p.setClipPath(inside);

        QFont font(QStringLiteral("Nimbus Sans"));
        font.setBold(true);
        font.setPixelSize(14);
        QPainterPath text;
        text.addText(0, 0, font, QStringLiteral("About Us"));
        const QRectF r = text.boundingRect();
        text.translate(40 - r.center().x(), kPlateMidY - r.center().y());

        p.setPen(Qt::NoPen);
        p.setBrush(QColor(10, 10, 40));
        p.drawPath(text.translated(1.2, 1.2));
        QLinearGradient shade(text.boundingRect().left(), 0, text.boundingRect().right(), 0);
        shade.setColorAt(0, QColor(255, 120, 0));
        shade.setColorAt(1, QColor(255, 244, 40));
        p.setBrush(shade);
        p.drawPath(text);
    }

    if (glint >= 0) {
        // A thin slanted streak of light; frame by frame it moves from left to right.
        const double centre = 12 + glint * 14;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (plateDistance(x, y) > 0)
                    continue;
                const double lineX = centre - 0.4 * (y + 0.5 - kPlateMidY);
                const double off = std::abs(x + 0.5 - lineX);
                if (off < 0.8)
                    image.setPixel(x, y, qRgb(255, 255, 255));
                else if (off < 1.6)
                    image.setPixel(x, y, mix(image.pixel(x, y), qRgb(255, 255, 255), 0.55));
            }
        }
    }
    return image;
}

QByteArray aboutUsGif()
{
    std::vector<QImage> frames;
    frames.push_back(aboutUsFrame(-1));
    for (int i = 0; i < 5; ++i)
        frames.push_back(aboutUsFrame(i));
    return animatedGif(frames, {50, 50, 10, 10, 10, 10});
}

// The Help picture: the opaque area is columns 1..37 and rows 1..27 of 40x30. From the outside
// in: a grey line, a band of red, yellow and green segments two pixels wide, a grey line, then
// the magenta panel carrying the word.
QImage helpFrame(int shift)
{
    constexpr int left = 1, right = 37, top = 1, bottom = 27;
    const QRgb grey = qRgb(169, 169, 169);
    const QRgb magenta = qRgb(254, 0, 255);
    const QRgb segmentColours[3] = {qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 0)};

    // The segment band runs round the rectangle from (2, 2) to (36, 26).
    constexpr int bandW = right - left - 2; // 34 steps along the top
    constexpr int bandH = bottom - top - 2; // 24 steps down the side
    constexpr int perimeter = 2 * (bandW + bandH);
    constexpr int segments = 12;

    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const int dTop = y - top, dRight = right - x, dBottom = bottom - y, dLeft = x - left;
            const int ring = std::min({dTop, dRight, dBottom, dLeft});
            QRgb c = magenta;
            if (ring == 0 || ring == 3) {
                c = grey;
            } else if (ring <= 2) {
                int pos;
                if (ring == dTop)
                    pos = x - (left + 1);
                else if (ring == dRight)
                    pos = bandW + (y - (top + 1));
                else if (ring == dBottom)
                    pos = bandW + bandH + ((right - 1) - x);
                else
                    pos = 2 * bandW + bandH + ((bottom - 1) - y);
                const int segment = std::clamp(pos * segments / perimeter, 0, segments - 1);
                c = segmentColours[(segment + shift) % 3];
            }
            image.setPixel(x, y, c);
        }
    }

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRect(left + 4, top + 4, right - left - 7, bottom - top - 7));
    QFont font(QStringLiteral("Nimbus Sans"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(13);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Help"));
    const QRectF r = text.boundingRect();
    text.translate(19.5 - r.center().x(), 14.5 - r.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 0, 60));
    p.drawPath(text.translated(1, 1));
    p.setBrush(QColor(20, 203, 254));
    p.drawPath(text);
    return image;
}

QByteArray helpGif()
{
    return animatedGif({helpFrame(0), helpFrame(1), helpFrame(2)}, {1, 1, 1});
}

// ---------------------------------------------------------------- hand cursor

// The sixteen colours of the VGA palette, in their usual order.
constexpr QRgb kVga[16] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

// '.' transparent, K black, D dark grey, L light grey, W white, B dark blue, b blue.
const char *const kHand[32] = {
    "................................", //  0
    "...........KKK..................", //  1  fingertip: the hot spot is (12, 1)
    "..........KWWWK.................", //  2
    "..........KWWWD.................", //  3
    "..........KWWWD.................", //  4
    "..........KWWWD.................", //  5
    "..........KWWWD.................", //  6
    "..........KWWWDKK...............", //  7
    "..........KWWWDWWKKK............", //  8
    "..........KWWWLWWDWWKK..........", //  9
    "..........KWWWLWWDWWDWK.........", // 10
    ".....KKK..KWWWLWWLWWLWWK........", // 11
    "....KWWWK.KWWWLWWLWWLWWDK.......", // 12
    "....KWWWWKKWWWWWWWWWWWWDK.......", // 13
    ".....KWWWWKWWWWWWWWWWWWWK.......", // 14
    "......KWWWWWWWWWWWWWWWWWK.......", // 15
    ".......KWWWWWWWWWWWWWWWWK.......", // 16
    ".......KWWWWWWWWWWWWWWWDK.......", // 17
    "........KWWWWWWWWWWWWWWDK.......", // 18
    "........KWWWWWWWWWWWWWDK........", // 19
    ".........KWWWWWWWWWWWWDK........", // 20
    "..........KWWWWWWWWWWDK.........", // 21
    "..........KWWWWWWWWWWDK.........", // 22
    "..........KKKKKKKKKKKKK.........", // 23
    "..........KBbBBBBBBBBBK.........", // 24 cuff
    "..........KBbBBBBBBBBBK.........", // 25
    "..........KBbBBBBBBBBBK.........", // 26
    "..........KBbBBBBBBBBBK.........", // 27
    "..........KBbBBBBBBBBBK.........", // 28
    "..........KBbBBBBBBBBBK.........", // 29
    "..........KKKKKKKKKKKKK.........", // 30
    "................................", // 31
};

int vgaIndex(char c)
{
    switch (c) {
    case 'K':
        return 0;
    case 'B':
        return 4;
    case 'L':
        return 7;
    case 'D':
        return 8;
    case 'b':
        return 12;
    case 'W':
        return 15;
    default:
        throw std::runtime_error(std::string("hand: unknown colour ") + c);
    }
}

QByteArray handCursor()
{
    constexpr int size = 32;
    constexpr int hotX = 12, hotY = 1;
    constexpr int xorStride = size / 2; // 4 bits a pixel: 16 bytes, already a multiple of 4
    constexpr int andStride = 4;        // 1 bit a pixel: 4 bytes
    constexpr int imageSize = (xorStride + andStride) * size;
    constexpr int resourceSize = 40 + 16 * 4 + imageSize;

    for (const char *row : kHand)
        if (std::string(row).size() != size)
            throw std::runtime_error("hand: every row must be 32 pixels");

    QByteArray out;
    // ICONDIR
    put16(out, 0);
    put16(out, 2); // cursor
    put16(out, 1);
    // ICONDIRENTRY: a cursor keeps its hot spot where an icon keeps planes and bit count.
    put8(out, size);
    put8(out, size);
    put8(out, 16);
    put8(out, 0);
    put16(out, hotX);
    put16(out, hotY);
    put32(out, resourceSize);
    put32(out, 6 + 16);

    putBitmapInfoHeader(out, size, size * 2, 4, imageSize, 0);
    for (QRgb c : kVga) {
        put8(out, qBlue(c));
        put8(out, qGreen(c));
        put8(out, qRed(c));
        put8(out, 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; x += 2) {
            auto index = [&](int px) { return kHand[y][px] == '.' ? 0 : vgaIndex(kHand[y][px]); };
            put8(out, (index(x) << 4) | index(x + 1));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int byte = 0; byte < andStride; ++byte) {
            int bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (kHand[y][byte * 8 + bit] == '.')
                    bits |= 0x80 >> bit;
            put8(out, bits);
        }
    }
    return out;
}

// ---------------------------------------------------------------- icon

// A red car on a road under a blue sky, drawn eight times larger and shrunk smoothly.
QImage iconImage()
{
    constexpr int scale = 8;
    QImage big(32 * scale, 32 * scale, QImage::Format_RGB32);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        QLinearGradient sky(0, 0, 0, 22);
        sky.setColorAt(0, QColor(92, 160, 240));
        sky.setColorAt(1, QColor(200, 228, 255));
        p.fillRect(QRectF(0, 0, 32, 23), sky);
        p.fillRect(QRectF(0, 23, 32, 9), QColor(70, 72, 78));
        p.fillRect(QRectF(0, 27.2, 32, 0.9), QColor(240, 220, 60));

        p.setPen(QPen(QColor(60, 0, 0), 0.8));
        p.setBrush(QColor(214, 28, 28));
        QPainterPath body;
        body.moveTo(2.5, 23);
        body.lineTo(2.5, 18.5);
        body.quadTo(3, 16.5, 6, 16);
        body.lineTo(9.5, 15.5);
        body.lineTo(12.5, 10.5);
        body.quadTo(13.2, 9.6, 14.5, 9.6);
        body.lineTo(21.5, 9.6);
        body.quadTo(22.8, 9.6, 23.5, 10.8);
        body.lineTo(26, 15.5);
        body.quadTo(29.5, 16, 29.5, 18.5);
        body.lineTo(29.5, 23);
        body.closeSubpath();
        p.drawPath(body);

        p.setPen(Qt::NoPen);
        p.setBrush(QColor(176, 222, 250));
        QPolygonF front{{13.6, 11.2}, {17.4, 11.2}, {17.4, 15.4}, {11.2, 15.4}};
        QPolygonF back{{18.6, 11.2}, {21.8, 11.2}, {24.2, 15.4}, {18.6, 15.4}};
        p.drawPolygon(front);
        p.drawPolygon(back);
        p.setBrush(QColor(255, 236, 120));
        p.drawRect(QRectF(27.6, 17.6, 1.6, 1.4));

        for (double cx : {8.5, 23.5}) {
            p.setBrush(QColor(20, 20, 20));
            p.drawEllipse(QPointF(cx, 23), 3.6, 3.6);
            p.setBrush(QColor(190, 190, 196));
            p.drawEllipse(QPointF(cx, 23), 1.5, 1.5);
        }
    }
    return big.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB888);
}

QByteArray iconPng(const QImage &icon)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!icon.save(&buffer, "PNG"))
        throw std::runtime_error("icon: PNG writer failed");
    return out;
}

// An ICO holding one 32x32 24-bit image and its (all opaque) AND mask.
QByteArray iconIco(const QImage &icon)
{
    constexpr int size = 32;
    constexpr int xorStride = size * 3;
    constexpr int andStride = 4;
    constexpr int imageSize = (xorStride + andStride) * size;

    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, 1);
    put8(out, size);
    put8(out, size);
    put8(out, 0); // more than 256 colours
    put8(out, 0);
    put16(out, 1);  // planes
    put16(out, 24); // bits per pixel
    put32(out, 40 + imageSize);
    put32(out, 6 + 16);
    putBitmapInfoHeader(out, size, size * 2, 24, imageSize, 0);
    putBgrRows(out, icon, size * 3);
    for (int i = 0; i < andStride * size; ++i)
        put8(out, 0);
    return out;
}

// ---------------------------------------------------------------- main

void writeFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
    std::printf("%-16s %8lld bytes\n", qPrintable(name), static_cast<long long>(bytes.size()));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ASSETS_FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists()) {
        std::fprintf(stderr, "%s: no folder %s\n", argv[0], argv[1]);
        return 2;
    }
    try {
        const QRgb green = qRgb(0, 255, 0);
        const QRgb cyan = qRgb(0, 255, 255);
        writeFile(dir, QStringLiteral("newgame.bmp"),
                  bmp24(buttonPicture(QStringLiteral("NEW GAME"),
                                      QRect(QPoint(9, 14), QPoint(292, 58)), green)));
        writeFile(dir, QStringLiteral("exit.bmp"),
                  bmp24(buttonPicture(QStringLiteral("EXIT"),
                                      QRect(QPoint(85, 17), QPoint(212, 56)), cyan)));
        writeFile(dir, QStringLiteral("splash.bmp"), bmp24(splashPicture()));
        writeFile(dir, QStringLiteral("aboutus.gif"), aboutUsGif());
        writeFile(dir, QStringLiteral("help.gif"), helpGif());
        writeFile(dir, QStringLiteral("hand.cur"), handCursor());
        const QImage icon = iconImage();
        writeFile(dir, QStringLiteral("rideriddle.png"), iconPng(icon));
        writeFile(dir, QStringLiteral("rideriddle.ico"), iconIco(icon));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
