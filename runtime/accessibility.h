#pragma once

class QWidget;

namespace rt {

// Tells assistive technology of the program's windows and controls through interfaces of the
// run time's own where the desktop's would say too much or too little, or would act past a
// modal box: a window offers only the controls that it shows, a control that its window never
// shows offers nothing, a list is named by its accessible name, and a list's or a check box's
// action does nothing while an application-modal box blocks the window. Every other widget
// keeps the desktop's interface. Call it once the QApplication exists; again changes nothing.
void installAccessibleInterfaces();

// Tells assistive technology nothing more of `control`, a control that its window never shows;
// call it once the control is hidden. Building a control may have announced it already (a
// cursor that moved), and so made the desktop's interface for it: that one is dropped.
void concealFromAssistiveTechnology(QWidget *control);

} // namespace rt
