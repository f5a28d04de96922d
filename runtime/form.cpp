#include "form.h"

#include "accessibility.h"
#include "cursorfile.h"
#include "fixedface.h"
#include "formwindow.h"
#include "graphicalbutton.h"
#include "modality.h"
#include "multilinetextbox.h"
#include "runtime.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace rt {
namespace {

QFont fontFor(const FontDesign &design)
{
    QFont font(design.family);
    // The layout is fixed in pixels at 96 dots per inch; the fonts follow the same scale.
    font.setPixelSize(qRound(design.pointSize * 96.0 / 72.0));
    font.setBold(design.bold);
    return font;
}

// A custom pointer without an icon shows the arrow.
QCursor cursorFor(MousePointer pointer, const QString &icon)
{
    switch (pointer) {
    case MousePointer::ArrowQuestion:
        return Qt::WhatsThisCursor;
    case MousePointer::Custom:
        return icon.isEmpty() ? QCursor(Qt::ArrowCursor) : cursorFromFile(icon);
    case MousePointer::Default:
        break;
    }
    return Qt::ArrowCursor;
}

// Makes a drop-down's list show every entry whole: no elision, and at least as wide as its
// widest entry with the list's frame and, where it holds more entries than it shows at once, its
// scroll bar. Qt never opens the list narrower than the box. Entries and font are fixed once the
// window is loaded, so the width is worked out once, after the box has its font.
void fitListToEntries(QComboBox *combo)
{
    QAbstractItemView *list = combo->view();
    list->setTextElideMode(Qt::ElideNone);
    int width = list->sizeHintForColumn(combo->modelColumn()) + 2 * list->frameWidth();
    if (combo->count() > combo->maxVisibleItems())
        width += list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(width);
}

QWidget *buildControl(const ControlDesign &design, QWidget *window)
{
    switch (design.kind) {
    case ControlKind::TextBox:
        if (design.multiLine) {
            auto *box = new MultiLineTextBox(window);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setTabChangesFocus(true);
            if (design.font)
                box->setFont(fontFor(*design.font));
            // Tab stops every four average characters of the box's font.
            box->setTabStopDistance(4 * QFontMetricsF(box->font()).averageCharWidth());
            box->setPlainText(QString(design.text).replace(QLatin1String("\r\n"), "\n"));
            return box;
        } else {
            auto *box = new QLineEdit(design.text, window);
            box->setCursorPosition(0);
            return box;
        }
    case ControlKind::ComboBox: {
        auto *combo = new QComboBox(window);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        for (const QString &item : design.items)
            combo->addItem(item, 0);
        combo->setCurrentIndex(-1);
        combo->setEditText(design.text);
        return combo;
    }
    case ControlKind::CheckBox: {
        auto *box = new QCheckBox(design.text, window);
        box->setTristate(false);
        return box;
    }
    case ControlKind::CommandButton:
        if (design.graphical) {
            auto *button = new GraphicalButton(window);
            button->setText(design.text);
            if (design.backColour)
                button->setFaceColour(*design.backColour);
            if (!design.picture.isEmpty())
                button->setPicture(QImage(design.picture)); // a GIF's first frame, still
            return button;
        } else {
            auto *button = new QPushButton(design.text, window);
            button->setAutoDefault(false);
            button->setDefault(false);
            return button;
        }
    case ControlKind::Timer:
        return nullptr;
    }
    return nullptr;
}

} // namespace

Form::Form(Runtime &runtime, FormDesign design)
    : m_runtime(runtime), m_design(std::move(design)), m_icon(m_design.icon)
{
}

Form::~Form()
{
    delete m_window;
    for (const auto &window : std::as_const(m_discarded))
        delete window.data();
}

QWidget *Form::window() const
{
    return m_window;
}

AccessStatus Form::show()
{
    if (const AccessStatus status = m_runtime.checkpoint(QStringLiteral("Show ") + name());
        status.failed())
        return status;
    const bool fresh = !isLoaded();
    if (fresh)
        load();

    if (fresh) {
        m_window->showAsDesigned();
        m_window->activateWindow();
        // The keyboard focus starts on the first control of the tab order that can take it.
        QWidget *first = nullptr;
        int firstIndex = 0;
        for (const ControlDesign &c : m_design.controls) {
            QWidget *w = control(c.name);
            if (w && c.visible && c.enabled && (!first || c.tabIndex < firstIndex)) {
                first = w;
                firstIndex = c.tabIndex;
            }
        }
        if (first)
            first->setFocus(Qt::ActiveWindowFocusReason);
    } else {
        if (m_window->windowState() & Qt::WindowMinimized)
            m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }
    return AccessStatus::ok();
}

AccessStatus Form::unload()
{
    if (!m_window)
        return AccessStatus::ok();
    FormWindow *window = std::exchange(m_window, nullptr);
    for (QTimer *timer : window->findChildren<QTimer *>())
        timer->stop(); // the unload ends the window's timers at once
    window->hide();
    window->deleteLater();
    m_discarded.removeIf([](const QPointer<QWidget> &w) { return w.isNull(); });
    m_discarded.append(window);
    m_runtime.windowUnloaded(*this);
    return AccessStatus::ok();
}

void Form::load()
{
    m_window = new FormWindow(m_design, [this] { unload(); });
    if (!m_icon.isNull())
        m_window->setWindowIcon(m_icon);
    m_window->setCursor(cursorFor(m_design.mousePointer, QString()));

    std::vector<const ControlDesign *> order;
    for (const ControlDesign &c : m_design.controls) {
        if (c.kind == ControlKind::Timer) {
            auto *timer = new QTimer(m_window);
            timer->setObjectName(c.name);
            timer->setTimerType(Qt::PreciseTimer);
            timer->setInterval(c.interval);
            if (c.enabled && c.interval > 0)
                timer->start();
            continue;
        }
        QWidget *w = buildControl(c, m_window);
        w->setObjectName(c.name);
        if (!c.accessibleName.isEmpty())
            w->setAccessibleName(c.accessibleName);
        w->setGeometry(pixels(c.left), pixels(c.top), pixels(c.width), pixels(c.height));
        if (c.font && !c.multiLine) // a multi-line box takes its font before its tab stops
            w->setFont(fontFor(*c.font));
        if (auto *combo = qobject_cast<QComboBox *>(w))
            fitListToEntries(combo);
        if (c.backColour && c.kind == ControlKind::CheckBox)
            FixedFace::attach(w, *c.backColour);
        w->setCursor(cursorFor(c.mousePointer, c.mouseIcon));
        w->setEnabled(c.enabled);
        w->setHidden(!c.visible);
        if (!c.visible)
            concealFromAssistiveTechnology(w);
        order.push_back(&c);
    }

    std::stable_sort(
        order.begin(), order.end(),
        [](const ControlDesign *a, const ControlDesign *b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(control(order[i - 1]->name), control(order[i]->name));

    m_runtime.windowLoaded(*this);
    loaded();
}

void Form::onClick(const QString &name, std::function<void()> handler)
{
    auto *button = control<QAbstractButton>(name);
    QObject::connect(button, &QAbstractButton::clicked, m_window,
                     [this, button, handler = std::move(handler)] {
                         if (!isBlockedByModalBox(button))
                             m_runtime.dispatch(handler);
                     });
}

} // namespace rt
