#include "form2.h"

#include "form3.h"
#include "runtime.h"

#include <QTimer>

namespace shell {

rt::FormDesign Form2::design()
{
    rt::FormDesign form;
    form.name = QStringLiteral("Form2");
    form.controlBox = false;
    form.backColour = rt::Colour(rt::Colour::WindowText);
    form.maximized = true;
    form.clientWidth = 8025;
    form.clientHeight = 6375;
    form.mousePointer = rt::MousePointer::Custom; // no icon given: the arrow shows
    form.picture = QStringLiteral(":/assets/splash.bmp");

    rt::ControlDesign timer;
    timer.name = QStringLiteral("Timer1");
    timer.kind = rt::ControlKind::Timer;
    timer.left = 1560;
    timer.top = 5760;
    timer.interval = 3000;
    form.controls = {timer};
    return form;
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
