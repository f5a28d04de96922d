#pragma once

namespace rt {
class Services;
}

namespace board {

class BoardControls;

// One press of Find on `board`:
// 1. AddTickedWeights.
// 2. The range test: the score read twice, each time converted as a leading number and passed
//    through the floating-point test; above 20 or equal to 0 shows "invalid selection" and the
//    press ends with the board loaded, its score and ticks kept.
// 3. The verdict ladder: for each code from 20 down to 1 the score is read afresh, converted
//    strictly and compared; the first equal code shows its verdict text.
// 4. The board is unloaded, after a verdict and after a ladder that matched nothing.
// A run-time error stops the press where it arose: no further message and no unload.
void Command1_Click(BoardControls &board, rt::Services &services);

} // namespace board
