#pragma once

#include <QAccessibleWidget>

namespace rt {

// A control that its window never shows, as assistive technology is told of it: it has no text
// to read or edit, no value and no action, and it is no child of its window's interface.
class ConcealedAccessible : public QAccessibleWidget {
public:
    explicit ConcealedAccessible(QWidget *control);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    void *interface_cast(QAccessible::InterfaceType t) override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};

} // namespace rt
