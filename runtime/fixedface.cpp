#include "fixedface.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>

namespace rt {

void FixedFace::attach(QWidget *control, Colour face)
{
    new FixedFace(control, face);
}

FixedFace::FixedFace(QWidget *control, Colour face)
    : QObject(control), m_control(control), m_face(face)
{
    apply();
    control->setAutoFillBackground(true);
    // A new palette reaches the control's window whatever it changes; the control itself hears
    // of it only when a colour it does not set changes.
    if (QWidget *window = control->parentWidget())
        window->installEventFilter(this);
}

bool FixedFace::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        apply();
    return false;
}

// A check box fills its background with the button colour and draws its caption in the window-
// text colour.
void FixedFace::apply() const
{
    const QColor face = m_face.resolve();
    QPalette palette = m_control->palette();
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Window, face);
    palette.setColor(
        QPalette::WindowText,
        captionColour(face, QApplication::palette(m_control).color(QPalette::WindowText)));
    m_control->setPalette(palette);
}

} // namespace rt
