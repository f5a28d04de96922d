#include "colour.h"

#include <QApplication>
#include <QPalette>

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

} // namespace rt
