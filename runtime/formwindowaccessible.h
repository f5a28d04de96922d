#pragma once

#include <QAccessibleWidget>

namespace rt {

class FormWindow;

// A loaded window as assistive technology sees it: its children are the controls that it shows.
// A control that the window never shows (designed invisible) is not among them.
class FormWindowAccessible : public QAccessibleWidget {
public:
    explicit FormWindowAccessible(FormWindow *window);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QWidgetList shownControls() const;
};

} // namespace rt
