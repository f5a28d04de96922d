#pragma once

#include "colour.h"

#include <QObject>

class QWidget;

namespace rt {

// Gives a stock control (a check box) a face of its own colour and keeps its caption readable
// on it: the caption takes the desktop's text colour where that reads on the face, and black or
// white where it does not (captionColour()). Both are chosen again whenever the desktop's palette
// changes while the control lives. The control owns it.
class FixedFace : public QObject {
public:
    static void attach(QWidget *control, Colour face);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FixedFace(QWidget *control, Colour face);
    void apply() const;

    QWidget *m_control;
    Colour m_face;
};

} // namespace rt
