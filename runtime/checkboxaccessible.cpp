#include "checkboxaccessible.h"

#include "modality.h"

#include <QCheckBox>

namespace rt {

CheckBoxAccessible::CheckBoxAccessible(QCheckBox *box)
    : QAccessibleWidget(box, QAccessible::CheckBox)
{
}

QCheckBox *CheckBoxAccessible::box() const
{
    return static_cast<QCheckBox *>(widget());
}

QString CheckBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && box()->accessibleName().isEmpty()) {
        // The caption as it reads: a single & marks the mnemonic's letter, && shows an &.
        const QString text = box()->text();
        QString caption;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'&' && ++i == text.size())
                break;
            caption += text[i];
        }
        return caption;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State CheckBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = box()->checkState() == Qt::Checked;
    state.checkStateMixed = box()->checkState() == Qt::PartiallyChecked;
    state.pressed = box()->isDown();
    return state;
}

QStringList CheckBoxAccessible::actionNames() const
{
    QStringList names;
    if (box()->isEnabled())
        names << toggleAction();
    return names + QAccessibleWidget::actionNames();
}

void CheckBoxAccessible::doAction(const QString &actionName)
{
    if (actionName != toggleAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (box()->isEnabled() && !isBlockedByModalBox(box()))
        box()->click();
}

QStringList CheckBoxAccessible::keyBindingsForAction(const QString &) const
{
    return {};
}

} // namespace rt
