#pragma once

#include "colour.h"

#include <QAbstractButton>
#include <QImage>

namespace rt {

// A command button drawn in graphical style: its face shows its own colour (a system colour is
// looked up at each repaint), its picture at its own pixel size in the middle of the face,
// never scaled and clipped by the face, and its caption, in the desktop's button-text colour
// where that reads on the face and in black or white where it does not (captionColour()); over
// them the ordinary button border, sunken while pressed, and, once the keyboard has moved the
// focus, the dotted focus mark on an unchanged face. Transparent pixels of the picture let the
// face show through. Space, Enter and Return press it from the keyboard.
class GraphicalButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit GraphicalButton(QWidget *parent = nullptr);

    Colour faceColour() const { return m_face; }
    void setFaceColour(Colour colour);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Colour m_face{Colour::ButtonFace};
    QImage m_picture;
};

} // namespace rt
