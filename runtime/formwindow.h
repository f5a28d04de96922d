#pragma once

#include "formdesign.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace rt {

// The top-level widget of a loaded window: paints the window's background colour (a system
// colour is looked up at each repaint) and its picture at natural size from the top-left corner,
// and turns a close from the desktop into an unload.
class FormWindow : public QWidget {
    Q_OBJECT

public:
    FormWindow(const FormDesign &design, std::function<void()> onClose);

    // Shows the window modeless, maximized when its design says so. Restored by the desktop, a
    // maximized window with a title bar has its design client area where the window manager
    // placed it. Without a window manager a maximize request alone changes nothing, so there the
    // window is given the screen's area.
    void showAsDesigned();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Colour m_back;
    QImage m_picture;
    bool m_maximized;
    bool m_hasTitleBar;
    std::function<void()> m_onClose;
};

} // namespace rt
