#include "formwindowaccessible.h"

#include "formwindow.h"

namespace rt {

FormWindowAccessible::FormWindowAccessible(FormWindow *window) : QAccessibleWidget(window) {}

QWidgetList FormWindowAccessible::shownControls() const
{
    QWidgetList controls;
    for (QObject *child : widget()->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (control && !control->isWindow() && !control->isHidden())
            controls.append(control);
    }
    return controls;
}

int FormWindowAccessible::childCount() const
{
    return int(shownControls().size());
}

QAccessibleInterface *FormWindowAccessible::child(int index) const
{
    const QWidgetList controls = shownControls();
    if (index < 0 || index >= controls.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(controls.at(index));
}

int FormWindowAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(shownControls().indexOf(qobject_cast<QWidget *>(child->object())));
}

} // namespace rt
