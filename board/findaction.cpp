#include "findaction.h"

#include "boardcontrols.h"
#include "catalogue.h"
#include "conversion.h"
#include "fpstatus.h"
#include "score.h"
#include "services.h"

namespace board {
namespace {

// The score as a leading number, with a floating-point fault of the conversion made an error.
double leadingScore(BoardControls &board)
{
    const double value = rt::leadingNumber(rt::checked(board.scoreText()));
    rt::checkFloatingPointStatus();
    return value;
}

} // namespace

void Command1_Click(BoardControls &board, rt::Services &services)
{
    AddTickedWeights(board);

    const bool aboveRange = leadingScore(board) > catalogue::highestCode;
    const bool nothing = leadingScore(board) == 0.0;
    if (aboveRange || nothing) {
        services.messageBox(QStringLiteral("invalid selection"), rt::MessageBoxButtons::OkOnly);
        return;
    }

    for (int code = catalogue::highestCode; code >= catalogue::lowestCode; --code) {
        if (rt::textToDouble(rt::checked(board.scoreText())) == double(code)) {
            services.messageBox(*catalogue::verdictText(code), rt::MessageBoxButtons::OkOnly);
            break;
        }
    }

    rt::checkAccess(services.unload(board));
}

} // namespace board
