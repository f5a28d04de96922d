#pragma once

#include <string>

struct xcb_connection_t;

namespace shell {

// Settles the platform Qt starts on and checks that the program can draw there, before the
// application object exists: it sets QT_QPA_PLATFORM for Qt to read and, for X11, opens the
// display once.
//
// Keep the check until the application object exists, then close() it: its connection stays
// open until Qt has its own, so that an X server that resets when its last client leaves (a bare
// Xvfb, as xvfb-run starts it) does not reset, and refuse Qt, in between.
class DisplayCheck {
public:
    DisplayCheck();
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck &) = delete;
    DisplayCheck &operator=(const DisplayCheck &) = delete;

    // Empty when the program can start; otherwise one line, without the program's name and
    // without a line break, that tells the player why it cannot: no X11 display to open, or a
    // screen that Qt cannot paint on.
    const std::string &problem() const { return m_problem; }

    // Closes the connection to the X server, if one is open.
    void close();

private:
    xcb_connection_t *m_connection = nullptr;
    std::string m_problem;
};

} // namespace shell
