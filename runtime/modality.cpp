#include "modality.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace rt {

bool isBlockedByModalBox(const QWidget *widget)
{
    const QWindow *modal = QGuiApplication::modalWindow();
    return modal && modal->modality() == Qt::ApplicationModal &&
           modal != widget->window()->windowHandle();
}

} // namespace rt
