#pragma once

#include <string>

namespace shell {

// Settles the platform Qt starts on and checks that the program can draw there. Call it once,
// before the application object exists: it sets QT_QPA_PLATFORM for Qt to read.
//
// Returns an empty string when the program can start, otherwise one line, without the
// program's name and without a line break, that tells the player why it cannot: no X11 display
// to open, or a screen that Qt cannot paint on. Nothing is shown and nothing stays open either
// way.
std::string prepareDisplay();

} // namespace shell
