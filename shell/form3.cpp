#include "form3.h"

#include "menuactions.h"
#include "runtime.h"

#include <QAbstractButton>

namespace shell {
namespace {

using rt::Colour;

constexpr Colour darkYellow{0x0000C0C0};
const QString handCursor = QStringLiteral(":/assets/hand.cur");

rt::ControlDesign pictureButton(int number, int left, int top, int width, Colour face,
                                const char *picture)
{
    rt::ControlDesign c;
    c.name = QStringLiteral("Command%1").arg(number);
    c.kind = rt::ControlKind::CommandButton;
    c.graphical = true;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = 1095;
    c.tabIndex = number - 1;
    c.backColour = face;
    c.picture = QString::fromLatin1(picture);
    return c;
}

} // namespace

rt::FormDesign Form3::design()
{
    rt::FormDesign form;
    form.name = QStringLiteral("Form3");
    form.controlBox = false;
    form.backColour = Colour(Colour::MenuText);
    form.maximized = true;
    form.clientWidth = 10965;
    form.clientHeight = 7350;

    auto newGame =
        pictureButton(1, 3600, 1800, 4935, Colour(Colour::WindowText), ":/assets/newgame.bmp");
    newGame.mousePointer = rt::MousePointer::Custom;
    newGame.mouseIcon = handCursor;

    auto exit = pictureButton(2, 3600, 3240, 4935, Colour(Colour::MenuText), ":/assets/exit.bmp");
    exit.text = QStringLiteral(" ");
    exit.mousePointer = rt::MousePointer::Custom;
    exit.mouseIcon = handCursor;

    auto aboutUs = pictureButton(3, 3240, 5040, 3015, darkYellow, ":/assets/aboutus.gif");
    aboutUs.mousePointer = rt::MousePointer::ArrowQuestion;

    auto help = pictureButton(4, 6720, 5040, 3015, darkYellow, ":/assets/help.gif");
    help.mousePointer = rt::MousePointer::ArrowQuestion;

    form.controls = {newGame, exit, aboutUs, help};
    return form;
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
    for (const auto &[name, handler] : handlers) {
        QObject::connect(control<QAbstractButton>(QString::fromLatin1(name)),
                         &QAbstractButton::clicked, window(), [this, handler = handler] {
                             runtime().dispatch([this, handler] { (this->*handler)(); });
                         });
    }
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
