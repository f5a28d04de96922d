#include "cursorfile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace rt {
namespace {

constexpr qsizetype kDirectorySize = 6;
constexpr qsizetype kEntrySize = 16;

int le16(const QByteArray &bytes, qsizetype at)
{
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

} // namespace

std::optional<QPoint> cursorHotSpot(const QByteArray &curFile)
{
    if (curFile.size() < kDirectorySize + kEntrySize)
        return std::nullopt;
    const int reserved = le16(curFile, 0);
    const int type = le16(curFile, 2);
    const int count = le16(curFile, 4);
    if (reserved != 0 || type != 2 || count < 1)
        return std::nullopt;
    return QPoint(le16(curFile, 10), le16(curFile, 12));
}

QCursor cursorFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QCursor(Qt::ArrowCursor);
    const QByteArray bytes = file.readAll();
    const std::optional<QPoint> hotSpot = cursorHotSpot(bytes);
    if (!hotSpot)
        return QCursor(Qt::ArrowCursor);

    // Qt's icon plugin reads cursor files too; ask for it by name, since nothing else
    // recognises the contents.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "cur");
    QImage image = reader.read();
    if (image.isNull()) {
        buffer.seek(0);
        QImageReader icoReader(&buffer, "ico");
        image = icoReader.read();
    }
    if (image.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(image), hotSpot->x(), hotSpot->y());
}

} // namespace rt
