#pragma once

class QWidget;

namespace rt {

// Whether an application-modal box is open that is not `widget`'s own window: the widget's
// window then takes no input. The desktop's mouse and keys never reach a blocked window, but
// assistive technology works a control directly (a press calls its click()), so whatever acts
// on input asks this first.
bool isBlockedByModalBox(const QWidget *widget);

} // namespace rt
