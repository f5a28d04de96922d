// Mouse cursors from Windows .cur files.
//
// Qt decodes the picture of a .cur file (through its "ico" image plugin) but ignores the hot
// spot, the point of the picture that is the mouse position. These helpers read it from the
// file and build a QCursor with it.
#pragma once

#include <QByteArray>
#include <QCursor>
#include <QPoint>
#include <QString>

#include <optional>

namespace rt {

// The hot spot of the first image of a cursor file: the 16-bit little-endian values at bytes
// 10..11 (x) and 12..13 (y) of its first directory entry. nullopt unless `curFile` starts with
// a well-formed cursor directory: reserved word 0, type 2 (cursor), at least one entry, and the
// whole first entry present.
std::optional<QPoint> cursorHotSpot(const QByteArray &curFile);

// A cursor showing the first image of the .cur file at `path` (a file or a ":/" resource) with
// the file's hot spot. Qt::ArrowCursor when the file cannot be read, is not a cursor file or its
// image cannot be decoded. Needs a QGuiApplication.
QCursor cursorFromFile(const QString &path);

} // namespace rt
