#include "menuactions.h"

#include "form1.h"
#include "runtime.h"

namespace shell {
namespace {

const QString lineBreak = QStringLiteral("\r\n");

} // namespace

void newGame(rt::Runtime &runtime)
{
    board::Form1 *board = runtime.instance<board::Form1>();
    if (!board)
        board = &runtime.newInstance<board::Form1>();
    rt::checkAccess(board->show());
}

void exitGame(rt::Runtime &runtime)
{
    runtime.end(0);
}

QString aboutUsText()
{
    const QString first = QStringLiteral("Ride Riddle, the vehicle guessing game,") + lineBreak;
    return first + QStringLiteral("was written by its original author and ported by the "
                                  "rideriddle team.");
}

QString helpText()
{
    const QString text1 = QStringLiteral("Guess a vechicle in the following box") + lineBreak;
    const QString text2 = text1 + QStringLiteral("and view the combobox's and put a check mark ");
    const QString text3 = text2 + lineBreak;
    return text3 + QStringLiteral("on which your guessed  vechicle is visible");
}

void aboutUs(rt::Runtime &runtime)
{
    runtime.messageBox(aboutUsText(), rt::MessageBoxButtons::Information);
}

void help(rt::Runtime &runtime)
{
    runtime.messageBox(helpText(), rt::MessageBoxButtons::OkOnly);
}

} // namespace shell
