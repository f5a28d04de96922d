#pragma once

#include "form.h"

namespace shell {

// The main menu: a black window without a title bar holding four picture buttons,
// NEW GAME, EXIT, About Us and Help.
class Form3 : public rt::Form {
public:
    explicit Form3(rt::Runtime &runtime);

    static rt::FormDesign design();

    void Command1_Click(); // NEW GAME
    void Command2_Click(); // EXIT
    void Command3_Click(); // About Us
    void Command4_Click(); // Help

protected:
    void loaded() override;
};

} // namespace shell
