#include "formwindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace rt {

namespace {

// An xcb reply, freed with free() as xcb asks.
template <typename T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, true, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property; empty when the window or the property is missing.
std::vector<uint32_t> property(xcb_connection_t *c, xcb_window_t window, xcb_atom_t name,
                               xcb_atom_t type)
{
    xcb_generic_error_t *error = nullptr; // taken here, so that Qt does not report it
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, false, window, name, type, 0, 1024), &error),
        &std::free);
    std::free(error);
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// Whether the platform maximizes a window when asked. On X that takes a window manager that
// runs (its check window names itself, which properties left behind by a manager that has
// ended do not) and supports both maximized states; other platforms maximize by themselves.
bool platformMaximizes(QWidget *window)
{
    // The offscreen platform offers the X11 interface too, without a connection of its own.
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11)
        return true;
    xcb_connection_t *c = x11->connection();
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, window->winId()), nullptr), &std::free);
    if (!tree)
        return false;
    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<uint32_t> manager = property(c, tree->root, check, XCB_ATOM_WINDOW);
    if (manager.size() != 1 || property(c, manager[0], check, XCB_ATOM_WINDOW) != manager)
        return false;
    const std::vector<uint32_t> supported =
        property(c, tree->root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    const auto supports = [&](const char *name) {
        const xcb_atom_t a = atom(c, name);
        return a != XCB_ATOM_NONE &&
               std::find(supported.begin(), supported.end(), a) != supported.end();
    };
    return supports("_NET_WM_STATE_MAXIMIZED_HORZ") && supports("_NET_WM_STATE_MAXIMIZED_VERT");
}

Qt::WindowFlags flagsFor(const FormDesign &design)
{
    if (design.hasTitleBar())
        return Qt::Window;
    return Qt::Window | Qt::FramelessWindowHint;
}

} // namespace

FormWindow::FormWindow(const FormDesign &design, std::function<void()> onClose)
    : QWidget(nullptr, flagsFor(design)), m_back(design.backColour),
      m_picture(design.picture.isEmpty() ? QImage() : QImage(design.picture)),
      m_maximized(design.maximized), m_hasTitleBar(design.hasTitleBar()),
      m_onClose(std::move(onClose))
{
    setObjectName(design.name);
    setWindowTitle(design.caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(design.clientSize());
}

void FormWindow::showAsDesigned()
{
    if (!m_maximized) {
        show();
        return;
    }
    if (m_hasTitleBar && platformMaximizes(this)) {
        // Shown first at its design size, the window goes where the window manager places it,
        // and that place and size are what a restore brings back.
        show();
        setWindowState(Qt::WindowMaximized);
        return;
    }
    // Where nothing maximizes the window, it takes the screen's area itself. A window without a
    // title bar has no restore button and does the same everywhere: it maps at its final size.
    if (QScreen *s = screen())
        setGeometry(s->availableGeometry());
    setWindowState(Qt::WindowMaximized);
    show();
}

void FormWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_back.resolve());
    if (!m_picture.isNull())
        painter.drawImage(0, 0, m_picture);
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_onClose)
        m_onClose();
}

} // namespace rt
