#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace rt {

// A drop-down list as assistive technology hears it: named by its accessible name, which says
// what the list is for, whatever its text (the desktop's own interface names a list by its
// text, which says nothing of the list); its text is its value; its children are the list and
// the text field; its actions drop the list and close it, except while an application-modal
// box blocks the window. A list without an accessible name is named by its text.
class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(QComboBox *list);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QComboBox *list() const;
};

} // namespace rt
