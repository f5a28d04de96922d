#include "graphicalbutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace rt {

GraphicalButton::GraphicalButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphicalButton::setFaceColour(Colour colour)
{
    m_face = colour;
    update();
}

void GraphicalButton::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

QSize GraphicalButton::sizeHint() const
{
    return m_picture.isNull() ? QSize(75, 25) : m_picture.size();
}

void GraphicalButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect face = rect();
    const bool sunken = isDown() || isChecked();
    const QPoint shift = sunken ? QPoint(1, 1) : QPoint(0, 0);

    const QColor faceColour = m_face.resolve();
    painter.fillRect(face, faceColour);
    if (!m_picture.isNull()) {
        const QPoint topLeft((width() - m_picture.width()) / 2,
                             (height() - m_picture.height()) / 2);
        painter.setClipRect(face);
        painter.drawImage(topLeft + shift, m_picture);
        painter.setClipping(false);
    }
    if (!text().trimmed().isEmpty()) {
        painter.setPen(captionColour(faceColour, palette().color(QPalette::ButtonText)));
        painter.drawText(face.translated(shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
    qDrawWinButton(&painter, face, palette(), sunken, nullptr);

    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        // The focus mark: a dotted rectangle that inverts what lies under it, so it shows on
        // light and dark faces and on pictures alike (a mid-tone face, whose inverse is much
        // like it, hides it) and leaves the face itself as it is.
        QPen dots(Qt::white, 0);
        dots.setDashPattern({1.0, 1.0});
        painter.setPen(dots);
        painter.setBrush(Qt::NoBrush);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.drawRect(face.adjusted(4, 4, -5, -5));
    }
}

void GraphicalButton::keyPressEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat() &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace rt
