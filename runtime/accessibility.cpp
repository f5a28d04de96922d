#include "accessibility.h"

#include "checkboxaccessible.h"
#include "concealedaccessible.h"
#include "formwindow.h"
#include "formwindowaccessible.h"
#include "listaccessible.h"

#include <QCheckBox>
#include <QComboBox>

namespace rt {
namespace {

// Asked first for the most derived class of each object; null leaves the object to the
// desktop's interfaces. A control is a direct child of a window; one that is hidden when asked
// about is one that its window never shows, as nothing shows a control after its load.
QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (auto *window = qobject_cast<FormWindow *>(widget))
        return new FormWindowAccessible(window);
    if (widget->isWindow() || !qobject_cast<FormWindow *>(widget->parentWidget()))
        return nullptr;
    if (widget->isHidden())
        return new ConcealedAccessible(widget);
    if (auto *list = qobject_cast<QComboBox *>(widget))
        return new ListAccessible(list);
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        return new CheckBoxAccessible(box);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    QAccessible::installFactory(interfaceFor); // installed once, however often it is called
}

void concealFromAssistiveTechnology(QWidget *control)
{
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(control);
    if (made && !dynamic_cast<ConcealedAccessible *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace rt
