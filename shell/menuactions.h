#pragma once

#include <QString>

namespace rt {
class Runtime;
}

// What the main menu's four buttons do. They use nothing of the menu window itself.
namespace shell {

// NEW GAME: shows the board, creating its default instance only while none exists. A board
// that is still loaded comes back as it was; one that is not loaded is loaded fresh.
void newGame(rt::Runtime &runtime);

// EXIT: ends the program at once, with status 0.
void exitGame(rt::Runtime &runtime);

// About Us: the two-line credit, with the information icon.
void aboutUs(rt::Runtime &runtime);

// Help: the three-line playing instructions, with no icon.
void help(rt::Runtime &runtime);

QString aboutUsText();
QString helpText();

} // namespace shell
