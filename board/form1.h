#pragma once

#include "boardcontrols.h"
#include "form.h"

namespace rt {
class Runtime;
}

namespace board {

// The board window: the catalogue in Text1, the six groups (a drop-down list with a check box
// under it), the Find button and the hidden score box Text2. Its only handler is Find's.
class Form1 : public rt::Form, public BoardControls {
public:
    explicit Form1(rt::Runtime &runtime);

    // The window as designed: every control with its place, size and first values.
    static rt::FormDesign design();

    // Find: one press of the game's Find action on this board.
    void Command1_Click();

    rt::Access<qint16> checkValue(int k) override;
    rt::Access<QString> scoreText() override;
    rt::AccessStatus setScoreText(const QString &text) override;

protected:
    void loaded() override;
};

} // namespace board
