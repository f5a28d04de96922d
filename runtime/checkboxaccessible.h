#pragma once

#include <QAccessibleWidget>

class QCheckBox;

namespace rt {

// A check box as assistive technology hears it: named by its caption (or its accessible name),
// ticked or not, and ticked or cleared by its Toggle action, except while an application-modal
// box blocks the window: the desktop's own interface sets the tick directly, past any box.
class CheckBoxAccessible : public QAccessibleWidget {
public:
    explicit CheckBoxAccessible(QCheckBox *box);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QCheckBox *box() const;
};

} // namespace rt
