#include "displaycheck.h"

#include <QByteArray>
#include <QtGlobal>

#include <xcb/xcb.h>

namespace shell {

namespace {

const char *const needsX11 = "needs an X11 display (on a Wayland desktop, XWayland)";

// Whether Qt's xcb platform can paint on the screen. It draws a window with a TrueColor visual
// of the screen's depth and paints it through an image of 15 bits per pixel or more; on 8-bit
// screens (PseudoColor, GrayScale or TrueColor alike) its windows get no paint engine, draw
// black and crash where a text cursor blinks. The visuals come with the connection setup, so
// this asks the server nothing.
bool canPaint(const xcb_screen_t &screen)
{
    if (screen.root_depth < 15)
        return false;
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem > 0;
         xcb_depth_next(&depths)) {
        if (depths.data->depth != screen.root_depth)
            continue;
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR)
                return true;
        }
    }
    return false;
}

} // namespace

DisplayCheck::DisplayCheck()
{
    // The program draws on X11 (Qt's xcb platform) and, for the benchmarks and headless runs, on
    // Qt's offscreen platform, which needs no display; a request for either is kept as it stands,
    // options included. Any other request is replaced by xcb: this Qt has no Wayland platform,
    // and the QT_QPA_PLATFORM=wayland that Wayland desktops export would abort the program even
    // where XWayland gives it a working DISPLAY; the frame-buffer, EGL, VNC and minimal platforms
    // are not where the game is played. No request becomes xcb too, so that Qt does not try
    // Wayland first on a Wayland session (XDG_SESSION_TYPE) and warn that it cannot.
    const QByteArray requested = qgetenv("QT_QPA_PLATFORM");
    const qsizetype colon = requested.indexOf(':');
    const QByteArray platform = colon < 0 ? requested : requested.first(colon);
    if (platform == "offscreen")
        return;
    if (platform != "xcb")
        qputenv("QT_QPA_PLATFORM", "xcb");

    // Qt's xcb platform opens DISPLAY the same way, and aborts the program where it cannot.
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        m_problem = std::string(needsX11) + ", but DISPLAY is not set";
        return;
    }
    int screenNumber = 0;
    m_connection = xcb_connect(display.constData(), &screenNumber);
    if (xcb_connection_has_error(m_connection)) {
        close();
        m_problem = std::string(needsX11) + ", but cannot open DISPLAY=" + display.toStdString();
        return;
    }
    // xcb_connect has checked that the screen number names one of the display's screens.
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    if (canPaint(*screens.data))
        return;
    const int depth = screens.data->root_depth;
    close();
    m_problem = "cannot draw on DISPLAY=" + display.toStdString() + ", whose screen has " +
                std::to_string(depth) + "-bit colour" + (depth >= 15 ? " without TrueColor" : "") +
                "; it needs 15-bit colour or more (TrueColor), such as 24-bit";
}

DisplayCheck::~DisplayCheck()
{
    close();
}

void DisplayCheck::close()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    m_connection = nullptr;
}

} // namespace shell
