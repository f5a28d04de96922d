#pragma once

#include "access.h"

#include <QString>

namespace rt {

// The application title: the caption of every message box.
inline constexpr char16_t applicationTitle[] = u"rideriddle";

// The buttons value of a message box: OK alone, or OK with the information icon.
enum class MessageBoxButtons : int {
    OkOnly = 0,
    Information = 64,
};

// A window the run time loads, shows and unloads.
class Window {
public:
    virtual ~Window() = default;
    virtual QString name() const = 0;
};

// What an event handler asks of the run time besides control properties. The desktop run time
// implements it with real windows; tests pass a recording fake.
class Services {
public:
    virtual ~Services() = default;

    // Shows a message box modal to the application with exactly `text`, one OK button, the icon
    // that `buttons` asks for and the application title as caption; returns when the player has
    // dismissed it.
    virtual void messageBox(const QString &text, MessageBoxButtons buttons) = 0;

    // Unloads `window`: it closes and its control values are discarded; its instance stays.
    virtual AccessStatus unload(Window &window) = 0;
};

} // namespace rt
