#pragma once

#include "access.h"
#include "services.h"

#include <QString>

namespace board {

// What the Find action uses of a board: the six check boxes' values and the score's text box.
// The board window implements it with its controls; tests pass a recording holder.
class BoardControls : public virtual rt::Window {
public:
    // Value of check box k (1 to 6): 0 clear, 1 ticked, 2 greyed.
    virtual rt::Access<qint16> checkValue(int k) = 0;
    // Text of the hidden score box Text2.
    virtual rt::Access<QString> scoreText() = 0;
    virtual rt::AccessStatus setScoreText(const QString &text) = 0;
};

} // namespace board
