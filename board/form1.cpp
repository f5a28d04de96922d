#include "form1.h"

#include "catalogue.h"
#include "findaction.h"
#include "runtime.h"

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

rt::ControlDesign combo(int group, int left, const char *text)
{
    return {.name = QStringLiteral("Combo%1").arg(group),
            .kind = ControlKind::ComboBox,
            .left = left,
            .top = 1320,
            .width = 1455,
            .height = 480,
            .tabIndex = group,
            .text = QString::fromLatin1(text),
            .accessibleName = QStringLiteral("List for Check%1").arg(group),
            .font = largeFont,
            .items = catalogue::groupList(group)};
}

rt::ControlDesign check(int group, int left, int width)
{
    const QString name = QStringLiteral("Check%1").arg(group);
    return {.name = name,
            .kind = ControlKind::CheckBox,
            .left = left,
            .top = 2040,
            .width = width,
            .height = 495,
            .tabIndex = 6 + group,
            .text = name,
            .backColour = lightYellow};
}

} // namespace

rt::FormDesign Form1::design()
{
    return {
        .name = QStringLiteral("Form1"),
        .caption = QStringLiteral("Form1"),
        .backColour = Colour(Colour::WindowText),
        .maximized = true,
        .clientWidth = 4680,
        .clientHeight = 3195,
        .icon = QStringLiteral(":/assets/rideriddle.png"),
        .controls =
            {
                {.name = QStringLiteral("Text1"),
                 .kind = ControlKind::TextBox,
                 .left = 2760,
                 .top = 4440,
                 .width = 7455,
                 .height = 2655,
                 .tabIndex = 0,
                 .text = catalogue::catalogueText(),
                 .font = largeFont,
                 .multiLine = true},
                combo(1, 480, ""),
                combo(2, 2280, ""),
                combo(3, 4080, " "),
                combo(4, 5880, " "),
                combo(5, 7680, " "),
                combo(6, 9480, " "),
                check(1, 480, 1335),
                check(2, 2280, 1215),
                check(3, 4200, 1215),
                check(4, 6000, 1215),
                check(5, 7800, 1215),
                check(6, 9480, 1215),
                {.name = QStringLiteral("Command1"),
                 .kind = ControlKind::CommandButton,
                 .left = 5040,
                 .top = 3480,
                 .width = 2295,
                 .height = 735,
                 .tabIndex = 13,
                 .text = QStringLiteral("Find"),
                 .backColour = lightYellow,
                 .graphical = true},
                {.name = QStringLiteral("Text2"),
                 .kind = ControlKind::TextBox,
                 .left = 10440,
                 .top = 5280,
                 .width = 1215,
                 .height = 285,
                 .tabIndex = 14,
                 .text = QStringLiteral("0"),
                 .visible = false},
            },
    };
}

Form1::Form1(rt::Runtime &runtime) : rt::Form(runtime, design()) {}

void Form1::loaded()
{
    onClick(QStringLiteral("Command1"), [this] { Command1_Click(); });
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
