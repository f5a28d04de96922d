// Checks the committed pictures, cursor and icon byte by byte, as the program gets them from its
// resources, and decodes them with Qt's readers to check what they show.

#include "cursorfile.h"
#include "gifwriter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QSet>
#include <QTest>

#include <functional>
#include <optional>
#include <random>

Q_DECLARE_METATYPE(std::optional<QPoint>)

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int u8(const QByteArray &b, qsizetype at)
{
    return static_cast<unsigned char>(b.at(at));
}

int u16(const QByteArray &b, qsizetype at)
{
    return u8(b, at) | u8(b, at + 1) << 8;
}

qint64 u32(const QByteArray &b, qsizetype at)
{
    return qint64(u16(b, at)) | qint64(u16(b, at + 2)) << 16;
}

qint32 i32(const QByteArray &b, qsizetype at)
{
    return static_cast<qint32>(static_cast<quint32>(u32(b, at)));
}

qint64 be32(const QByteArray &b, qsizetype at)
{
    return qint64(u8(b, at)) << 24 | u8(b, at + 1) << 16 | u8(b, at + 2) << 8 | u8(b, at + 3);
}

QRect boundingBox(const QImage &image, const std::function<bool(QRgb)> &inked)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// ------------------------------------------------------------------ BMP

// The fields of a BMP's two headers, in file order.
struct BmpHeaders {
    qint64 fileSize, reserved, pixelOffset;
    qint64 infoSize;
    qint32 width, height;
    int planes, bpp;
    qint64 compression, imageSize;
    qint32 xPerMetre, yPerMetre;
    qint64 coloursUsed, coloursImportant;
};

BmpHeaders bmpHeaders(const QByteArray &b)
{
    return {u32(b, 2),  u32(b, 6),  u32(b, 10), u32(b, 14), i32(b, 18), i32(b, 22), u16(b, 26),
            u16(b, 28), u32(b, 30), u32(b, 34), i32(b, 38), i32(b, 42), u32(b, 46), u32(b, 50)};
}

// Pixels of a bottom-up 24-bit BMP without colour table, top row first.
QImage bmpPixels(const QByteArray &b, int width, int height, int stride)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const qsizetype row = 54 + qsizetype(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const qsizetype p = row + 3 * x;
            image.setPixel(x, y, qRgb(u8(b, p + 2), u8(b, p + 1), u8(b, p)));
        }
    }
    return image;
}

// ------------------------------------------------------------------ GIF

struct GifFrameInfo {
    bool control = false; // a Graphic Control Extension came before the image
    int disposal = -1;
    bool transparent = false;
    int transparentIndex = -1;
    int delay = -1;
    QRect rect;
    bool localTable = false;
    bool interlaced = false;
};

struct GifInfo {
    QByteArray signature;
    int width = 0, height = 0;
    int flags = 0;
    QList<QRgb> globalTable;
    std::optional<int> loopCount;
    bool loopBeforeImages = false;
    QList<GifFrameInfo> frames;
    bool trailer = false;
    QString error;
};

// Walks the block structure of a GIF file; the LZW data is skipped.
GifInfo parseGif(const QByteArray &b)
{
    GifInfo info;
    if (b.size() < 13) {
        info.error = "too short";
        return info;
    }
    info.signature = b.left(6);
    info.width = u16(b, 6);
    info.height = u16(b, 8);
    info.flags = u8(b, 10);
    qsizetype pos = 13;
    if (info.flags & 0x80) {
        const int entries = 2 << (info.flags & 7);
        if (b.size() < pos + 3 * entries) {
            info.error = "colour table cut short";
            return info;
        }
        for (int i = 0; i < entries; ++i, pos += 3)
            info.globalTable.append(qRgb(u8(b, pos), u8(b, pos + 1), u8(b, pos + 2)));
    }

    auto skipSubBlocks = [&](qsizetype p) -> qsizetype {
        while (p < b.size()) {
            const int n = u8(b, p);
            if (n == 0)
                return p + 1;
            p += 1 + n;
        }
        return -1;
    };

    GifFrameInfo pending;
    while (pos < b.size()) {
        const int introducer = u8(b, pos);
        if (introducer == 0x3b) {
            info.trailer = pos == b.size() - 1;
            return info;
        }
        if (introducer == 0x21 && pos + 2 < b.size()) {
            const int label = u8(b, pos + 1);
            if (label == 0xf9 && pos + 8 <= b.size() && u8(b, pos + 2) == 4) {
                const int packed = u8(b, pos + 3);
                pending.control = true;
                pending.disposal = (packed >> 2) & 7;
                pending.transparent = packed & 1;
                pending.delay = u16(b, pos + 4);
                pending.transparentIndex = u8(b, pos + 6);
            } else if (label == 0xff && pos + 17 <= b.size() && u8(b, pos + 2) == 11 &&
                       b.mid(pos + 3, 11) == "NETSCAPE2.0" && u8(b, pos + 14) == 3 &&
                       u8(b, pos + 15) == 1) {
                info.loopCount = u16(b, pos + 16);
                info.loopBeforeImages = info.frames.isEmpty();
            }
            pos = skipSubBlocks(pos + 2);
        } else if (introducer == 0x2c && pos + 11 <= b.size()) {
            GifFrameInfo frame = pending;
            pending = {};
            frame.rect = QRect(u16(b, pos + 1), u16(b, pos + 3), u16(b, pos + 5), u16(b, pos + 7));
            const int packed = u8(b, pos + 9);
            frame.localTable = packed & 0x80;
            frame.interlaced = packed & 0x40;
            pos += 10;
            if (frame.localTable)
                pos += 3 * (2 << (packed & 7));
            pos = skipSubBlocks(pos + 1); // past the LZW minimum code size
            info.frames.append(frame);
        } else {
            info.error = QString("unexpected byte 0x%1 at %2").arg(introducer, 0, 16).arg(pos);
            return info;
        }
        if (pos < 0) {
            info.error = "data runs past the end";
            return info;
        }
    }
    info.error = "no trailer";
    return info;
}

QList<QImage> gifFrames(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QList<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
        frames.append(frame.convertToFormat(QImage::Format_ARGB32));
    return frames;
}

bool opaque(QRgb c)
{
    return qAlpha(c) != 0;
}

// Bounding box of the pixels that differ between two frames of the same size.
QRect changedBox(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// ------------------------------------------------------------------ CUR

// The 4-bit colour indices and the AND mask of a 32x32 cursor, top row first.
struct CursorPixels {
    int index[32][32];
    bool transparent[32][32];
};

CursorPixels cursorPixels(const QByteArray &b)
{
    CursorPixels px{};
    const qsizetype xorStart = 22 + 40 + 16 * 4;
    const qsizetype andStart = xorStart + 16 * 32;
    for (int y = 0; y < 32; ++y) {
        const int row = 31 - y;
        for (int x = 0; x < 32; ++x) {
            const int byte = u8(b, xorStart + row * 16 + x / 2);
            px.index[y][x] = x % 2 == 0 ? byte >> 4 : byte & 15;
            px.transparent[y][x] = (u8(b, andStart + row * 4 + x / 8) >> (7 - x % 8)) & 1;
        }
    }
    return px;
}

enum Pattern { Flat, Ramp, Noise, Stripes };

constexpr int kBlack = 0, kDarkBlue = 4, kLightGrey = 7, kDarkGrey = 8, kBlue = 12, kWhite = 15;

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void bitmapPicture_data();
    void bitmapPicture();
    void splashLayout();

    void animation_data();
    void animation();
    void aboutUsGlint();
    void helpBorder();

    void gifWriterRoundTrip_data();
    void gifWriterRoundTrip();

    void handCursorFile();
    void handCursorDrawing();
    void cursorHotSpot_data();
    void cursorHotSpot();
    void cursorFromFile_data();
    void cursorFromFile();

    void iconPng();
    void iconIco();
};

// ------------------------------------------------------------------ BMP

void TestAssets::bitmapPicture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("stride");
    QTest::addColumn<qint64>("fileSize");
    QTest::addColumn<QRgb>("ink");
    QTest::addColumn<QRect>("inkBox"); // null: not fixed

    const QRgb green = qRgb(0, 255, 0);
    const QRgb cyan = qRgb(0, 255, 255);
    QTest::newRow("new game") << ":/assets/newgame.bmp" << 300 << 75 << 900 << qint64(67554)
                              << green << QRect(QPoint(9, 14), QPoint(292, 58));
    QTest::newRow("exit") << ":/assets/exit.bmp" << 300 << 75 << 900 << qint64(67554) << cyan
                          << QRect(QPoint(85, 17), QPoint(212, 56));
    QTest::newRow("splash") << ":/assets/splash.bmp" << 737 << 435 << 2212 << qint64(962274)
                            << green << QRect();
}

void TestAssets::bitmapPicture()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, stride);
    QFETCH(qint64, fileSize);
    QFETCH(QRgb, ink);
    QFETCH(QRect, inkBox);

    const QByteArray b = readAll(path);
    QCOMPARE(b.size(), fileSize);
    QCOMPARE(b.left(2), QByteArray("BM"));
    const BmpHeaders h = bmpHeaders(b);
    QCOMPARE(h.fileSize, fileSize);
    QCOMPARE(h.reserved, 0);
    QCOMPARE(h.pixelOffset, 54); // no colour table
    QCOMPARE(h.infoSize, 40);
    QCOMPARE(h.width, width);
    QCOMPARE(h.height, height); // positive: bottom-up
    QCOMPARE(h.planes, 1);
    QCOMPARE(h.bpp, 24);
    QCOMPARE(h.compression, 0);
    QCOMPARE(h.imageSize, qint64(stride) * height);
    QCOMPARE(h.xPerMetre, 3780);
    QCOMPARE(h.yPerMetre, 3780);
    QCOMPARE(h.coloursUsed, 0);
    QCOMPARE(h.coloursImportant, 0);

    for (int row = 0; row < height; ++row)
        for (int pad = width * 3; pad < stride; ++pad)
            QCOMPARE(u8(b, 54 + qsizetype(row) * stride + pad), 0);

    const QImage pixels = bmpPixels(b, width, height, stride);
    QSet<QRgb> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            colours.insert(pixels.pixel(x, y));
    QCOMPARE(colours, (QSet<QRgb>{qRgb(0, 0, 0), ink}));

    if (!inkBox.isNull())
        QCOMPARE(boundingBox(pixels, [ink](QRgb c) { return c == ink; }), inkBox);

    // Qt's BMP reader agrees pixel for pixel, which way up included.
    QCOMPARE(QImage::fromData(b, "BMP").convertToFormat(QImage::Format_RGB32), pixels);
}

void TestAssets::splashLayout()
{
    const QByteArray b = readAll(":/assets/splash.bmp");
    QVERIFY(!b.isEmpty());
    const QImage pixels = bmpPixels(b, 737, 435, 2212);
    const QRgb green = qRgb(0, 255, 0);
    const QRect ink = boundingBox(pixels, [green](QRgb c) { return c == green; });

    // A black margin all round.
    QVERIFY2(QRect(16, 16, 737 - 32, 435 - 32).contains(ink), "lettering runs into the margin");
    // The lettering starts at the top left, where a glance at the window finds it.
    const QRect topLeft(0, 0, 737 / 4, 435 / 4);
    int greenTopLeft = 0;
    for (int y = topLeft.top(); y <= topLeft.bottom(); ++y)
        for (int x = topLeft.left(); x <= topLeft.right(); ++x)
            greenTopLeft += pixels.pixel(x, y) == green;
    QVERIFY2(greenTopLeft > 200, qPrintable(QString::number(greenTopLeft)));
    // Two lines: some black rows part them.
    int firstGreenRow = -1, gapAfter = -1;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        bool any = false;
        for (int x = 0; x < 737 && !any; ++x)
            any = pixels.pixel(x, y) == green;
        if (any && firstGreenRow < 0)
            firstGreenRow = y;
        if (!any && firstGreenRow >= 0 && gapAfter < 0)
            gapAfter = y;
    }
    QVERIFY2(gapAfter > 0 && gapAfter < ink.bottom(), "expected two lines of lettering");
}

// ------------------------------------------------------------------ GIF

void TestAssets::animation_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<int>>("delays");
    QTest::addColumn<QRect>("opaqueBox");
    QTest::addColumn<bool>("boxFilled");

    QTest::newRow("about us") << ":/assets/aboutus.gif" << QSize(80, 60)
                              << QList<int>{50, 50, 10, 10, 10, 10}
                              << QRect(QPoint(2, 13), QPoint(77, 49)) << false;
    QTest::newRow("help") << ":/assets/help.gif" << QSize(40, 30) << QList<int>{1, 1, 1}
                          << QRect(QPoint(1, 1), QPoint(37, 27)) << true;
}

void TestAssets::animation()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(QList<int>, delays);
    QFETCH(QRect, opaqueBox);
    QFETCH(bool, boxFilled);

    const QByteArray b = readAll(path);
    const GifInfo gif = parseGif(b);
    QVERIFY2(gif.error.isEmpty(), qPrintable(gif.error));
    QCOMPARE(gif.signature, QByteArray("GIF89a"));
    QCOMPARE(QSize(gif.width, gif.height), size);
    QVERIFY(gif.flags & 0x80);  // global colour table
    QCOMPARE(gif.flags & 7, 7); // of 2^(7+1) entries
    QCOMPARE(gif.globalTable.size(), 256);
    QCOMPARE(gif.globalTable[0], qRgb(255, 255, 255));
    QCOMPARE(gif.loopCount, std::optional<int>(0));
    QVERIFY(gif.loopBeforeImages);
    QVERIFY(gif.trailer);

    QCOMPARE(gif.frames.size(), delays.size());
    for (qsizetype i = 0; i < gif.frames.size(); ++i) {
        const GifFrameInfo &f = gif.frames[i];
        const QByteArray which = "frame " + QByteArray::number(i);
        QVERIFY2(f.control, which);
        QVERIFY2(f.transparent, which);
        QCOMPARE(f.transparentIndex, 0);
        QCOMPARE(f.disposal, 2);
        QCOMPARE(f.delay, delays[i]);
        QCOMPARE(f.rect, QRect(QPoint(0, 0), size));
        QVERIFY2(!f.localTable, which);
        QVERIFY2(!f.interlaced, which);
    }

    const QList<QImage> frames = gifFrames(b);
    QCOMPARE(frames.size(), delays.size());
    const QImage &first = frames[0];
    QCOMPARE(first.size(), size);
    QCOMPARE(boundingBox(first, opaque), opaqueBox);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb c = first.pixel(x, y);
            QVERIFY2(qAlpha(c) == 0 || qAlpha(c) == 255, "only whole transparency");
            if (boxFilled && opaqueBox.contains(x, y))
                QVERIFY2(opaque(c), qPrintable(QString("hole at %1,%2").arg(x).arg(y)));
        }
    }
    // Every later frame covers the same pixels, and each one shows something new.
    for (qsizetype i = 1; i < frames.size(); ++i) {
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                QCOMPARE(opaque(frames[i].pixel(x, y)), opaque(first.pixel(x, y)));
        QVERIFY2(frames[i] != frames[i - 1], qPrintable(QString("frame %1 repeats").arg(i)));
    }
}

void TestAssets::aboutUsGlint()
{
    const QList<QImage> frames = gifFrames(readAll(":/assets/aboutus.gif"));
    QCOMPARE(frames.size(), 6);
    const QImage &plate = frames[0];

    // A pill, not a box: the corners of its bounding box are see-through.
    for (const QPoint corner : {QPoint(2, 13), QPoint(77, 13), QPoint(2, 49), QPoint(77, 49)})
        QVERIFY2(!opaque(plate.pixel(corner)),
                 qPrintable(QString("corner %1,%2").arg(corner.x()).arg(corner.y())));
    QVERIFY(opaque(plate.pixel(40, 31)));

    // Frames 1..5 are frame 0 with a narrow white streak, further right each time.
    auto whitish = [](QRgb c) {
        return opaque(c) && qRed(c) >= 250 && qGreen(c) >= 250 && qBlue(c) >= 250;
    };
    int previousLeft = -1;
    for (int i = 1; i < 6; ++i) {
        const QRect changed = changedBox(plate, frames[i]);
        QVERIFY2(!changed.isNull(), qPrintable(QString("frame %1 has no glint").arg(i)));
        QVERIFY2(changed.width() <= 24, qPrintable(QString("frame %1 glint too wide").arg(i)));
        QVERIFY2(changed.left() > previousLeft, qPrintable(QString("frame %1").arg(i)));
        previousLeft = changed.left();
        int white = 0;
        for (int y = changed.top(); y <= changed.bottom(); ++y)
            for (int x = changed.left(); x <= changed.right(); ++x)
                white += whitish(frames[i].pixel(x, y)) && !whitish(plate.pixel(x, y));
        QVERIFY2(white >= 10, qPrintable(QString("frame %1: %2 white pixels").arg(i).arg(white)));
    }
}

void TestAssets::helpBorder()
{
    const QList<QImage> frames = gifFrames(readAll(":/assets/help.gif"));
    QCOMPARE(frames.size(), 3);
    const QRect area(QPoint(1, 1), QPoint(37, 27));
    auto depth = [&](int x, int y) {
        return std::min({x - area.left(), area.right() - x, y - area.top(), area.bottom() - y});
    };
    const QRgb grey = qRgb(169, 169, 169);
    const QRgb magenta = qRgb(254, 0, 255);
    const QRgb lightBlue = qRgb(20, 203, 254);
    const QSet<QRgb> segmentColours{qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 0)};

    for (int i = 0; i < 3; ++i) {
        const QImage &f = frames[i];
        QSet<QRgb> borderColours;
        int magentaCount = 0, blueCount = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb c = f.pixel(x, y);
                const int d = depth(x, y);
                if (d == 0)
                    QVERIFY2(c == grey, qPrintable(QString("edge %1,%2").arg(x).arg(y)));
                if (segmentColours.contains(c)) {
                    QVERIFY2(d <= 3, qPrintable(QString("segment colour at %1,%2").arg(x).arg(y)));
                    borderColours.insert(c);
                }
                if (d >= 4) {
                    magentaCount += c == magenta;
                    blueCount += c == lightBlue;
                }
            }
        }
        QCOMPARE(borderColours, segmentColours);
        QVERIFY2(magentaCount > 100, qPrintable(QString::number(magentaCount)));
        QVERIFY2(blueCount > 20, qPrintable(QString::number(blueCount)));
    }

    // The later frames move the border's colours on and leave the panel and the word alone.
    for (int i = 1; i < 3; ++i) {
        const QRect changed = changedBox(frames[0], frames[i]);
        QVERIFY(!changed.isNull());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (depth(x, y) >= 4)
                    QCOMPARE(frames[i].pixel(x, y), frames[0].pixel(x, y));
    }
}

void TestAssets::gifWriterRoundTrip_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("kind");

    QTest::newRow("one pixel") << QSize(1, 1) << int(Ramp);
    QTest::newRow("flat: ever longer strings") << QSize(120, 90) << int(Flat);
    QTest::newRow("254 distinct") << QSize(254, 1) << int(Ramp);
    QTest::newRow("255 distinct") << QSize(255, 1) << int(Ramp);
    QTest::newRow("256 distinct: codes widen before the last") << QSize(256, 1) << int(Ramp);
    QTest::newRow("noise: table refills several times") << QSize(160, 120) << int(Noise);
    QTest::newRow("noise, odd size") << QSize(37, 23) << int(Noise);
    QTest::newRow("stripes") << QSize(64, 64) << int(Stripes);
}

// The tool's GIF writer, read back by Qt's decoder, gives the indices it was handed.
void TestAssets::gifWriterRoundTrip()
{
    QFETCH(QSize, size);
    QFETCH(int, kind);

    gif::Animation a;
    a.width = size.width();
    a.height = size.height();
    a.palette[0] = qRgb(255, 255, 255);
    for (int i = 1; i < 256; ++i)
        a.palette[i] = qRgb(i, (i * 37) & 255, 255 - i);
    std::mt19937 random(1234);
    gif::Frame frame;
    frame.delay = 7;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            int index = 0;
            switch (kind) {
            case Flat:
                index = 9;
                break;
            case Ramp:
                index = x & 255;
                break;
            case Noise:
                index = int(random() % 256);
                break;
            default:
                index = (x / 3 + y) % 5;
            }
            frame.indices.push_back(std::uint8_t(index));
        }
    }
    a.frames = {frame, frame};

    const QByteArray bytes = gif::write(a);
    const GifInfo info = parseGif(bytes);
    QVERIFY2(info.error.isEmpty(), qPrintable(info.error));
    QCOMPARE(info.frames.size(), 2);
    QCOMPARE(info.frames[1].delay, 7);

    const QList<QImage> frames = gifFrames(bytes);
    QCOMPARE(frames.size(), 2);
    for (const QImage &decoded : frames) {
        QCOMPARE(decoded.size(), size);
        for (int y = 0; y < a.height; ++y) {
            for (int x = 0; x < a.width; ++x) {
                const int index = frame.indices[std::size_t(y) * a.width + x];
                const QRgb expected = index == 0 ? 0u : a.palette[index];
                const QRgb got = decoded.pixel(x, y);
                if ((index == 0 ? qAlpha(got) != 0 : got != expected))
                    QFAIL(qPrintable(QString("pixel %1,%2: index %3, got %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(index)
                                         .arg(got, 8, 16)));
            }
        }
    }
}

// ------------------------------------------------------------------ CUR

void TestAssets::handCursorFile()
{
    const QByteArray b = readAll(":/assets/hand.cur");
    QCOMPARE(b.size(), 22 + 40 + 64 + 512 + 128);
    // ICONDIR
    QCOMPARE(u16(b, 0), 0);
    QCOMPARE(u16(b, 2), 2);
    QCOMPARE(u16(b, 4), 1);
    // ICONDIRENTRY
    QCOMPARE(u8(b, 6), 32);
    QCOMPARE(u8(b, 7), 32);
    QCOMPARE(u8(b, 8), 16);
    QCOMPARE(u8(b, 9), 0);
    QCOMPARE(rt::cursorHotSpot(b), std::optional<QPoint>(QPoint(12, 1)));
    QCOMPARE(u32(b, 14), b.size() - 22);
    QCOMPARE(u32(b, 18), 22);
    // BITMAPINFOHEADER: twice the height, for the colour image and the mask
    QCOMPARE(u32(b, 22), 40);
    QCOMPARE(i32(b, 26), 32);
    QCOMPARE(i32(b, 30), 64);
    QCOMPARE(u16(b, 34), 1);
    QCOMPARE(u16(b, 36), 4);
    QCOMPARE(u32(b, 38), 0);

    const QList<QRgb> vga{
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    QList<QRgb> palette;
    for (int i = 0; i < 16; ++i) {
        const qsizetype p = 62 + 4 * i;
        palette.append(qRgb(u8(b, p + 2), u8(b, p + 1), u8(b, p)));
        QCOMPARE(u8(b, p + 3), 0);
    }
    QCOMPARE(palette, vga);

    // Qt reads the picture itself through its icon plugin.
    QBuffer buffer;
    buffer.setData(b);
    buffer.open(QIODevice::ReadOnly);
    const QImage image = QImageReader(&buffer, "cur").read();
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(image.pixel(12, 1), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(12, 5), qRgb(255, 255, 255));
}

void TestAssets::handCursorDrawing()
{
    const QByteArray b = readAll(":/assets/hand.cur");
    QCOMPARE(b.size(), 766);
    const CursorPixels px = cursorPixels(b);

    QSet<int> used;
    int topRow = -1;
    int cuffLeft = 32, cuffRight = -1;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int c = px.index[y][x];
            if (px.transparent[y][x]) {
                QVERIFY2(c == kBlack,
                         qPrintable(QString("see-through %1,%2 not black").arg(x).arg(y)));
                continue;
            }
            used.insert(c);
            if (topRow < 0)
                topRow = y;
            if (c == kDarkBlue || c == kBlue)
                QVERIFY2(y >= 24 && y <= 29,
                         qPrintable(QString("blue outside the cuff at %1,%2").arg(x).arg(y)));
            if (c == kDarkBlue) {
                cuffLeft = std::min(cuffLeft, x);
                cuffRight = std::max(cuffRight, x);
            }
        }
    }
    QCOMPARE(used, (QSet<int>{kBlack, kDarkBlue, kLightGrey, kDarkGrey, kBlue, kWhite}));

    // The fingertip is the hot spot: the first drawn row is row 1, and it holds column 12.
    QCOMPARE(topRow, 1);
    QVERIFY(!px.transparent[1][12]);
    QVERIFY(px.transparent[1][9] && px.transparent[1][15]);

    // The cuff: each of rows 24..29 is dark blue with a bright stripe in its left part.
    for (int y = 24; y <= 29; ++y) {
        int dark = 0, brightLeft = 32, brightRight = -1;
        for (int x = 0; x < 32; ++x) {
            if (px.transparent[y][x])
                continue;
            dark += px.index[y][x] == kDarkBlue;
            if (px.index[y][x] == kBlue) {
                brightLeft = std::min(brightLeft, x);
                brightRight = std::max(brightRight, x);
            }
        }
        QVERIFY2(dark >= 6, qPrintable(QString("row %1").arg(y)));
        QVERIFY2(brightRight >= 0, qPrintable(QString("row %1 has no stripe").arg(y)));
        QVERIFY2(brightRight < (cuffLeft + cuffRight) / 2,
                 qPrintable(QString("row %1: stripe not on the left").arg(y)));
    }
}

void TestAssets::cursorHotSpot_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::optional<QPoint>>("expected");

    const QByteArray hand = readAll(":/assets/hand.cur");
    QByteArray wide(22, '\0'); // a bare directory with one entry
    wide[2] = 2;
    wide[4] = 1;
    wide[10] = char(0x2c);
    wide[11] = char(0x01);
    wide[12] = char(0x02);
    wide[13] = char(0x01);
    QByteArray icon = hand;
    icon[2] = 1;
    QByteArray empty = hand;
    empty[4] = 0;
    QByteArray reserved = hand;
    reserved[1] = 1;

    QTest::newRow("hand cursor") << hand << std::optional<QPoint>(QPoint(12, 1));
    QTest::newRow("both bytes of each value") << wide << std::optional<QPoint>(QPoint(300, 258));
    QTest::newRow("empty") << QByteArray() << std::optional<QPoint>();
    QTest::newRow("entry cut short") << hand.left(21) << std::optional<QPoint>();
    QTest::newRow("icon, not cursor") << icon << std::optional<QPoint>();
    QTest::newRow("no entries") << empty << std::optional<QPoint>();
    QTest::newRow("reserved word set") << reserved << std::optional<QPoint>();
    QTest::newRow("bitmap") << readAll(":/assets/newgame.bmp") << std::optional<QPoint>();
}

void TestAssets::cursorHotSpot()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::optional<QPoint>, expected);
    QCOMPARE(rt::cursorHotSpot(bytes), expected);
}

void TestAssets::cursorFromFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("fromFile");

    QTest::newRow("hand cursor") << ":/assets/hand.cur" << true;
    QTest::newRow("missing") << ":/assets/no-such.cur" << false;
    QTest::newRow("not a cursor") << ":/assets/newgame.bmp" << false;
    QTest::newRow("icon") << RR_ASSETS_DIR "/rideriddle.ico" << false;
}

void TestAssets::cursorFromFile()
{
    QFETCH(QString, path);
    QFETCH(bool, fromFile);

    const QCursor cursor = rt::cursorFromFile(path);
    if (!fromFile) {
        QCOMPARE(cursor.shape(), Qt::ArrowCursor);
        return;
    }
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
    const QImage image = cursor.pixmap().toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(12, 1)), 255);
}

// ------------------------------------------------------------------ icon

void TestAssets::iconPng()
{
    const QByteArray b = readAll(":/assets/rideriddle.png");
    QCOMPARE(b.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    QCOMPARE(be32(b, 8), 13);
    QCOMPARE(b.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(be32(b, 16), 32);
    QCOMPARE(be32(b, 20), 32);
    QCOMPARE(u8(b, 24), 8); // bits per channel
    QCOMPARE(u8(b, 25), 2); // colour type: RGB, no alpha

    const QImage image = QImage::fromData(b, "PNG");
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(!image.hasAlphaChannel());
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 16, "the icon looks blank");
}

void TestAssets::iconIco()
{
    const QByteArray b = readAll(RR_ASSETS_DIR "/rideriddle.ico");
    QCOMPARE(b.size(), 22 + 40 + 32 * 32 * 3 + 4 * 32);
    QCOMPARE(u16(b, 0), 0);
    QCOMPARE(u16(b, 2), 1); // icon
    QCOMPARE(u16(b, 4), 1);
    QCOMPARE(u8(b, 6), 32);
    QCOMPARE(u8(b, 7), 32);
    QCOMPARE(u8(b, 8), 0);
    QCOMPARE(u8(b, 9), 0);
    QCOMPARE(u16(b, 10), 1);
    QCOMPARE(u16(b, 12), 24);
    QCOMPARE(u32(b, 14), b.size() - 22);
    QCOMPARE(u32(b, 18), 22);
    QCOMPARE(u32(b, 22), 40);
    QCOMPARE(i32(b, 26), 32);
    QCOMPARE(i32(b, 30), 64);
    QCOMPARE(u16(b, 34), 1);
    QCOMPARE(u16(b, 36), 24);
    QCOMPARE(u32(b, 38), 0);

    // The same picture as the PNG, bottom-up, and wholly opaque.
    const QImage png = QImage::fromData(readAll(":/assets/rideriddle.png"), "PNG");
    QVERIFY(!png.isNull());
    const qsizetype pixels = 62;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const qsizetype p = pixels + qsizetype(31 - y) * 96 + 3 * x;
            QCOMPARE(qRgb(u8(b, p + 2), u8(b, p + 1), u8(b, p)), png.pixel(x, y));
        }
    }
    for (qsizetype p = pixels + 32 * 96; p < b.size(); ++p)
        QCOMPARE(u8(b, p), 0);
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
