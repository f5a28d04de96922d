#pragma once

#include <QColor>
#include <QtGlobal>

namespace rt {

// A colour value as a window's design stores it: &H00BBGGRR& is a fixed colour with those blue,
// green and red bytes; &H800000nn& is system colour nn of the desktop, looked up each time the
// colour is drawn, so it follows the palette in force at that moment.
class Colour {
public:
    enum SystemColour : quint32 {
        WindowBackground = 0x80000005,
        MenuText = 0x80000007,
        WindowText = 0x80000008,
        ButtonFace = 0x8000000F,
        ButtonText = 0x80000012,
    };

    constexpr Colour() = default;
    constexpr explicit Colour(quint32 value) : m_value(value) {}

    constexpr quint32 value() const { return m_value; }
    constexpr bool isSystem() const { return (m_value & 0x80000000u) != 0; }

    // The colour to draw now. System colours come from the application's palette: window text
    // from its WindowText, menu text from the WindowText of the palette Qt keeps for menus.
    QColor resolve() const;

    friend constexpr bool operator==(Colour, Colour) = default;

private:
    quint32 m_value = 0;
};

} // namespace rt
