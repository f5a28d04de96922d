#include "form3.h"

#include "menuactions.h"
#include "runtime.h"

namespace shell {
namespace {

using rt::Colour;

constexpr Colour darkYellow{0x0000C0C0};
const QString handCursor = QStringLiteral(":/assets/hand.cur");

// `words`: what the picture says, for assistive technology.
rt::ControlDesign pictureButton(int number, int left, int top, int width, Colour face,
                                const char *picture, const char *words, rt::MousePointer pointer)
{
    return {.name = QStringLiteral("Command%1").arg(number),
            .kind = rt::ControlKind::CommandButton,
            .left = left,
            .top = top,
            .width = width,
            .height = 1095,
            .tabIndex = number - 1,
            .accessibleName = QString::fromLatin1(words),
            .backColour = face,
            .graphical = true,
            .picture = QString::fromLatin1(picture),
            .mousePointer = pointer,
            .mouseIcon = pointer == rt::MousePointer::Custom ? handCursor : QString()};
}

} // namespace

rt::FormDesign Form3::design()
{
    using rt::MousePointer;
    rt::ControlDesign exit = pictureButton(2, 3600, 3240, 4935, Colour(Colour::MenuText),
                                           ":/assets/exit.bmp", "EXIT", MousePointer::Custom);
    exit.text = QStringLiteral(" ");
    return {
        .name = QStringLiteral("Form3"),
        .controlBox = false,
        .backColour = Colour(Colour::MenuText),
        .maximized = true,
        .clientWidth = 10965,
        .clientHeight = 7350,
        .controls =
            {
                pictureButton(1, 3600, 1800, 4935, Colour(Colour::WindowText),
                              ":/assets/newgame.bmp", "NEW GAME", MousePointer::Custom),
                exit,
                pictureButton(3, 3240, 5040, 3015, darkYellow, ":/assets/aboutus.gif", "About Us",
                              MousePointer::ArrowQuestion),
                pictureButton(4, 6720, 5040, 3015, darkYellow, ":/assets/help.gif", "Help",
                              MousePointer::ArrowQuestion),
            },
    };
}

Form3::Form3(rt::Runtime &runtime) : rt::Form(runtime, design()) {}

void Form3::loaded()
{
    const std::pair<const char *, void (Form3::*)()> handlers[] = {
        {"Command1", &Form3::Command1_Click},
        {"Command2", &Form3::Command2_Click},
        {"Command3", &Form3::Command3_Click},
        {"Command4", &Form3::Command4_Click},
    };
    for (const auto &[name, handler] : handlers)
        onClick(QString::fromLatin1(name), [this, handler = handler] { (this->*handler)(); });
}

void Form3::Command1_Click()
{
    newGame(runtime());
}

void Form3::Command2_Click()
{
    exitGame(runtime());
}

void Form3::Command3_Click()
{
    aboutUs(runtime());
}

void Form3::Command4_Click()
{
    help(runtime());
}

} // namespace shell
