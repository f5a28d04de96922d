#include "concealedaccessible.h"

namespace rt {

ConcealedAccessible::ConcealedAccessible(QWidget *control)
    : QAccessibleWidget(control, QAccessible::NoRole)
{
}

QString ConcealedAccessible::text(QAccessible::Text) const
{
    return {};
}

void ConcealedAccessible::setText(QAccessible::Text, const QString &) {}

void *ConcealedAccessible::interface_cast(QAccessible::InterfaceType)
{
    return nullptr;
}

QStringList ConcealedAccessible::actionNames() const
{
    return {};
}

void ConcealedAccessible::doAction(const QString &) {}

} // namespace rt
