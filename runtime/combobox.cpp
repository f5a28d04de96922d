#include "combobox.h"

#include <QAbstractItemView>
#include <QScrollBar>

#include <algorithm>

namespace rt {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    view()->setTextElideMode(Qt::ElideNone);
}

int ComboBox::listWidthHint() const
{
    const QAbstractItemView *list = view();
    int widest = 0;
    for (int row = 0; row < count(); ++row)
        widest =
            std::max(widest, list->sizeHintForIndex(model()->index(row, modelColumn())).width());
    int needed = widest + 2 * list->frameWidth();
    if (count() > maxVisibleItems())
        needed += list->verticalScrollBar()->sizeHint().width();
    return std::max(needed, width());
}

void ComboBox::showPopup()
{
    // The popup takes the box's width; the list's minimum width widens it where the entries
    // need more.
    view()->setMinimumWidth(listWidthHint());
    QComboBox::showPopup();
}

} // namespace rt
