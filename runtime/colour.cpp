#include "colour.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace rt {

QColor Colour::resolve() const
{
    if (!isSystem())
        return QColor(int(m_value & 0xFF), int((m_value >> 8) & 0xFF), int((m_value >> 16) & 0xFF));

    switch (m_value) {
    case MenuText:
        return QApplication::palette("QMenu").color(QPalette::WindowText);
    case WindowText:
        return QApplication::palette().color(QPalette::WindowText);
    case WindowBackground:
        return QApplication::palette().color(QPalette::Base);
    case ButtonFace:
        return QApplication::palette().color(QPalette::Button);
    case ButtonText:
        return QApplication::palette().color(QPalette::ButtonText);
    default:
        return Qt::black;
    }
}

namespace {

double relativeLuminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor captionColour(const QColor &face, const QColor &preferred)
{
    if (contrastRatio(preferred, face) >= readableContrast)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, face) >= contrastRatio(white, face) ? black : white;
}

} // namespace rt
