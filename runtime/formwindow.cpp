#include "formwindow.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>

namespace rt {

namespace {

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
      m_clientSize(design.clientSize()), m_maximized(design.maximized),
      m_onClose(std::move(onClose))
{
    setObjectName(design.name);
    setWindowTitle(design.caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(m_clientSize);
}

void FormWindow::showAsDesigned()
{
    if (m_maximized) {
        if (QScreen *s = screen())
            setGeometry(s->availableGeometry());
        setWindowState(Qt::WindowMaximized);
    }
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

void FormWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto old = static_cast<QWindowStateChangeEvent *>(event)->oldState();
    if ((old & Qt::WindowMaximized) && windowState() == Qt::WindowNoState)
        resize(m_clientSize);
}

} // namespace rt
