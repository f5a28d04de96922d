#pragma once

#include "colour.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A window's design as a form designer stores it: the window's attributes and its controls,
// every position and size in twips from the top-left corner of the client area. The run time
// builds a fresh window from it each time the window is loaded.
namespace rt {

inline constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

enum class ControlKind { TextBox, ComboBox, CheckBox, CommandButton, Timer };

// Mouse pointer values.
enum class MousePointer { Default = 0, ArrowQuestion = 14, Custom = 99 };

struct FontDesign {
    QString family{};
    double pointSize = 8.25;
    bool bold = false;
};

struct ControlDesign {
    QString name{};
    ControlKind kind = ControlKind::TextBox;
    int left = 0, top = 0, width = 0, height = 0; // twips
    int tabIndex = 0;
    QString text{};                     // Caption or initial Text
    QString accessibleName{};           // what assistive technology calls it; empty: its text
    std::optional<Colour> backColour{}; // the kind's default colours when empty
    std::optional<FontDesign> font{};   // the default font when empty
    QStringList items{};                // a combo box's list, in stored order
    bool multiLine = false;
    bool visible = true;
    bool graphical = false; // a command button drawn with its colour and picture
    QString picture{};      // resource path of a button's picture
    MousePointer mousePointer = MousePointer::Default;
    QString mouseIcon{}; // resource path of the custom pointer
    int interval = 0;    // a timer's interval in milliseconds
    bool enabled = true;
};

struct FormDesign {
    QString name{};
    QString caption{};
    bool controlBox = true; // with an empty caption and no control box there is no title bar
    Colour backColour{Colour::ButtonFace};
    bool maximized = false;
    int clientWidth = 0, clientHeight = 0; // twips
    QString icon{};                        // resource path; none when empty
    QString picture{};                     // drawn at its natural size from the top-left corner
    MousePointer mousePointer = MousePointer::Default;
    std::vector<ControlDesign> controls{};

    bool hasTitleBar() const { return controlBox || !caption.isEmpty(); }
    QSize clientSize() const { return {pixels(clientWidth), pixels(clientHeight)}; }
};

} // namespace rt
