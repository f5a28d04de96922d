#include "form2.h"

#include "form3.h"
#include "runtime.h"

#include <QTimer>

namespace shell {

rt::FormDesign Form2::design()
{
    return {
        .name = QStringLiteral("Form2"),
        .controlBox = false,
        .backColour = rt::Colour(rt::Colour::WindowText),
        .maximized = true,
        .clientWidth = 8025,
        .clientHeight = 6375,
        .picture = QStringLiteral(":/assets/splash.bmp"),
        .mousePointer = rt::MousePointer::Custom, // no icon given: the arrow shows
        .controls =
            {
                {.name = QStringLiteral("Timer1"),
                 .kind = rt::ControlKind::Timer,
                 .left = 1560,
                 .top = 5760,
                 .interval = 3000},
            },
    };
}

Form2::Form2(rt::Runtime &runtime) : rt::Form(runtime, design()) {}

void Form2::loaded()
{
    QObject::connect(control<QTimer>(QStringLiteral("Timer1")), &QTimer::timeout, window(),
                     [this] { runtime().dispatch([this] { Timer1_Timer(); }); });
}

void Form2::Timer1_Timer()
{
    Form3 *menu = runtime().instance<Form3>();
    if (!menu)
        menu = &runtime().newInstance<Form3>();
    rt::checkAccess(menu->show());
    rt::checkAccess(runtime().unload(*this));
}

} // namespace shell
