#pragma once

#include "colour.h"

#include <QColor>
#include <QImage>
#include <QRect>

// Pixel measures for the colour tests, by the run time's contrast measure (tst_colour holds it
// to known values).

// The least change of contrast at which a focus mark shows: a pixel counts as marked where its
// colour with the mark contrasts at least this much with its colour without it.
inline constexpr double focusMarkContrast = 3.0;

// The colour within `area` of `image` that contrasts most with `face`: a caption's own colour,
// since some of its letters' pixels are wholly covered.
inline QColor mostContrasting(const QImage &image, const QRect &area, const QColor &face)
{
    QColor best = face;
    double bestRatio = 1.0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (const double ratio = rt::contrastRatio(colour, face); ratio > bestRatio) {
                best = colour;
                bestRatio = ratio;
            }
        }
    return best;
}

// How many pixels a focus mark shows on: those whose colour in `with` contrasts at least
// focusMarkContrast : 1 with their colour in `without`. The images have the same size.
inline int markedPixels(const QImage &without, const QImage &with)
{
    int n = 0;
    for (int y = 0; y < without.height(); ++y)
        for (int x = 0; x < without.width(); ++x)
            n += rt::contrastRatio(without.pixelColor(x, y), with.pixelColor(x, y)) >=
                 focusMarkContrast;
    return n;
}
