#include "score.h"

#include "boardcontrols.h"
#include "catalogue.h"
#include "conversion.h"
#include "fpstatus.h"

namespace board {

void AddTickedWeights(BoardControls &board)
{
    for (int k = 1; k <= catalogue::groupCount; ++k) {
        if (rt::checked(board.checkValue(k)) != 1)
            continue;
        const QString text = rt::checked(board.scoreText());
        const double sum = rt::textToDouble(text) + catalogue::groupWeight(k);
        rt::checkFloatingPointStatus();
        rt::checkAccess(board.setScoreText(rt::doubleToText(sum)));
    }
}

} // namespace board
