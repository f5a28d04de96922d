#pragma once

#include "form.h"

namespace shell {

// The splash window the program starts on: the splash picture on black, no title bar, and the
// timer whose one tick, 3000 ms after the window is loaded, gives way to the main menu.
class Form2 : public rt::Form {
public:
    explicit Form2(rt::Runtime &runtime);

    static rt::FormDesign design();

    // Shows the main menu, then unloads the splash window, which ends its timer.
    void Timer1_Timer();

protected:
    void loaded() override;
};

} // namespace shell
