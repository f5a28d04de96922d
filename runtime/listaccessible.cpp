#include "listaccessible.h"

#include "modality.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace rt {

ListAccessible::ListAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

QComboBox *ListAccessible::list() const
{
    return static_cast<QComboBox *>(widget());
}

QString ListAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (!list()->accessibleName().isEmpty())
            return list()->accessibleName();
        return text(QAccessible::Value);
    case QAccessible::Value:
        return list()->currentText(); // the text field's text where the list has one
    default:
        return QAccessibleWidget::text(t);
    }
}

int ListAccessible::childCount() const
{
    return list()->lineEdit() ? 2 : 1;
}

QAccessibleInterface *ListAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(list()->view());
    if (index == 1 && list()->lineEdit())
        return QAccessible::queryAccessibleInterface(list()->lineEdit());
    return nullptr;
}

int ListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    if (child->object() == list()->view())
        return 0;
    if (list()->lineEdit() && child->object() == list()->lineEdit())
        return 1;
    return -1;
}

QStringList ListAccessible::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

void ListAccessible::doAction(const QString &actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction())
        return;
    if (list()->view()->isVisible())
        list()->hidePopup();
    else if (!isBlockedByModalBox(list()))
        list()->showPopup();
}

QStringList ListAccessible::keyBindingsForAction(const QString &) const
{
    return {};
}

} // namespace rt
