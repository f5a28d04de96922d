#pragma once

namespace board {

class BoardControls;

// Adds the weight of every ticked group to the board's score. Visits Check1 to Check6 in order;
// only a value of exactly 1 counts. For each ticked box it reads the score text, converts it
// strictly, adds the weight, tests the floating-point status and writes the sum back, so the
// score is written once per ticked box. A failed access, a score that is not a number or a
// floating-point fault raises a run-time error; the writes made for earlier boxes stay.
void AddTickedWeights(BoardControls &board);

} // namespace board
