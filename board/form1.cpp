#include "form1.h"

#include "catalogue.h"
#include "findaction.h"
#include "runtime.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>

namespace board {
namespace {

using rt::Colour;
using rt::ControlKind;

const rt::FontDesign largeFont{QStringLiteral("MS Sans Serif"), 13.5, true};
constexpr Colour lightYellow{0x00C0FFFF};

rt::AccessStatus missingControl()
{
    return rt::AccessStatus::failure(
        rt::RuntimeError::ObjectNotSet,
        QStringLiteral("Object variable or With block variable not set"));
}

rt::ControlDesign combo(int group, int left, int tabIndex, const char *text)
{
    rt::ControlDesign c;
    c.name = QStringLiteral("Combo%1").arg(group);
    c.kind = ControlKind::ComboBox;
    c.left = left;
    c.top = 1320;
    c.width = 1455;
    c.height = 480;
    c.tabIndex = tabIndex;
    c.text = QString::fromLatin1(text);
    c.font = largeFont;
    c.items = catalogue::groupList(group);
    return c;
}

rt::ControlDesign check(int group, int left, int width, int tabIndex)
{
    rt::ControlDesign c;
    c.name = QStringLiteral("Check%1").arg(group);
    c.kind = ControlKind::CheckBox;
    c.left = left;
    c.top = 2040;
    c.width = width;
    c.height = 495;
    c.tabIndex = tabIndex;
    c.text = c.name;
    c.backColour = lightYellow;
    return c;
}

} // namespace

rt::FormDesign Form1::design()
{
    rt::FormDesign form;
    form.name = QStringLiteral("Form1");
    form.caption = QStringLiteral("Form1");
    form.backColour = Colour(Colour::WindowText);
    form.maximized = true;
    form.clientWidth = 4680;
    form.clientHeight = 3195;
    form.icon = QStringLiteral(":/assets/rideriddle.png");

    rt::ControlDesign text1;
    text1.name = QStringLiteral("Text1");
    text1.kind = ControlKind::TextBox;
    text1.left = 2760;
    text1.top = 4440;
    text1.width = 7455;
    text1.height = 2655;
    text1.tabIndex = 0;
    text1.text = catalogue::catalogueText();
    text1.multiLine = true;
    text1.font = largeFont;

    rt::ControlDesign command1;
    command1.name = QStringLiteral("Command1");
    command1.kind = ControlKind::CommandButton;
    command1.left = 5040;
    command1.top = 3480;
    command1.width = 2295;
    command1.height = 735;
    command1.tabIndex = 13;
    command1.text = QStringLiteral("Find");
    command1.backColour = lightYellow;
    command1.graphical = true;

    rt::ControlDesign text2;
    text2.name = QStringLiteral("Text2");
    text2.kind = ControlKind::TextBox;
    text2.left = 10440;
    text2.top = 5280;
    text2.width = 1215;
    text2.height = 285;
    text2.tabIndex = 14;
    text2.text = QStringLiteral("0");
    text2.visible = false;

    form.controls = {
        text1,
        combo(1, 480, 1, ""),
        combo(2, 2280, 2, ""),
        combo(3, 4080, 3, " "),
        combo(4, 5880, 4, " "),
        combo(5, 7680, 5, " "),
        combo(6, 9480, 6, " "),
        check(1, 480, 1335, 7),
        check(2, 2280, 1215, 8),
        check(3, 4200, 1215, 9),
        check(4, 6000, 1215, 10),
        check(5, 7800, 1215, 11),
        check(6, 9480, 1215, 12),
        command1,
        text2,
    };
    return form;
}

Form1::Form1(rt::Runtime &runtime) : rt::Form(runtime, design()) {}

void Form1::loaded()
{
    QObject::connect(control<QAbstractButton>(QStringLiteral("Command1")),
                     &QAbstractButton::clicked, window(),
                     [this] { runtime().dispatch([this] { Command1_Click(); }); });
}

void Form1::Command1_Click()
{
    board::Command1_Click(*this, runtime());
}

rt::Access<qint16> Form1::checkValue(int k)
{
    const QString name = QStringLiteral("Check%1").arg(k);
    if (const auto status = runtime().checkpoint(name + QStringLiteral(".Value")); status.failed())
        return {0, status};
    const auto *box = control<QCheckBox>(name);
    if (!box)
        return {0, missingControl()};
    switch (box->checkState()) {
    case Qt::Unchecked:
        return {0, {}};
    case Qt::Checked:
        return {1, {}};
    case Qt::PartiallyChecked:
        return {2, {}};
    }
    return {0, {}};
}

rt::Access<QString> Form1::scoreText()
{
    if (const auto status = runtime().checkpoint(QStringLiteral("Text2.Text")); status.failed())
        return {{}, status};
    const auto *box = control<QLineEdit>(QStringLiteral("Text2"));
    if (!box)
        return {{}, missingControl()};
    return {box->text(), {}};
}

rt::AccessStatus Form1::setScoreText(const QString &text)
{
    if (const auto status = runtime().checkpoint(QStringLiteral("Text2.Text=")); status.failed())
        return status;
    auto *box = control<QLineEdit>(QStringLiteral("Text2"));
    if (!box)
        return missingControl();
    box->setText(text);
    return {};
}

} // namespace board
