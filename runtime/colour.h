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

// How well two colours set each other apart: the lighter one's relative luminance plus 0.05 over
// the darker one's plus 0.05 (sRGB, as WCAG defines it), from 1 (the same luminance) to 21 (black
// and white).
double contrastRatio(const QColor &a, const QColor &b);

// The least contrast at which a caption reads on its face.
inline constexpr double readableContrast = 4.5;

// The colour of a caption drawn on a face of the colour `face`: `preferred`, the desktop's colour
// for such text, where it contrasts with the face at least readableContrast : 1; otherwise black or
// white, whichever contrasts more. One of the two always reaches that, so every caption reads.
QColor captionColour(const QColor &face, const QColor &preferred);

} // namespace rt
