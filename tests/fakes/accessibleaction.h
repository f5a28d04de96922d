#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QSignalSpy>
#include <QWidget>

#include <optional>

// Works `control` as assistive technology does: runs an action of its accessible interface,
// which goes straight to the control, past Qt's modality. A button's Press clicks a moment
// later (the button shows itself pressed first): this waits, at most 5 s, until the click has
// come. Returns false when the interface offers no such action or the click never came.
inline bool doAccessibleAction(QWidget *control, const QString &action)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
    QAccessibleActionInterface *actions = iface ? iface->actionInterface() : nullptr;
    if (!actions || !actions->actionNames().contains(action))
        return false;
    auto *button = qobject_cast<QAbstractButton *>(control);
    std::optional<QSignalSpy> clicked;
    if (button && action == QAccessibleActionInterface::pressAction())
        clicked.emplace(button, &QAbstractButton::clicked);
    actions->doAction(action);
    return !clicked || !clicked->isEmpty() || clicked->wait(5000);
}
