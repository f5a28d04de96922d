#include "runtime.h"

#include "accessibility.h"
#include "dispatch.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QLayout>

namespace rt {
namespace {

constexpr int prepareDelayMs = 300;

// An estimate of the width a window needs for a window manager's title bar to show `caption`
// whole beside the window's icon and its minimize, maximize and close buttons. Qt cannot ask the
// window manager for its bar: it asks the platform for the title font, which is the desktop's
// caption font where Qt's platform theme knows it, and Qt's default font where it does not.
int estimatedTitleBarWidth(const QString &caption)
{
    // Bold, as many window managers draw their captions, so that the estimate errs wide.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    // A title bar is a line of its font with room above and below, at most about two lines
    // high; its icon and buttons are about as wide as the bar is high.
    constexpr int barHeightInLines = 2;
    // The icon and the three buttons, and about two more for the gaps between them and the
    // bar's padding at both ends.
    constexpr int squaresBesideCaption = 4 + 2;
    return metrics.horizontalAdvance(caption) +
           squaresBesideCaption * barHeightInLines * metrics.height();
}

std::unique_ptr<QMessageBox> newMessageBox()
{
    const QString title = QString::fromUtf16(applicationTitle);
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, QString(), QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    // A box sizes itself to its text, and "invalid selection" is narrower than a title bar needs
    // for the caption. The row of buttons spans the box, so its width holds the box open.
    if (auto *buttons = box->findChild<QDialogButtonBox *>()) {
        const QMargins margins = box->layout()->contentsMargins();
        buttons->setMinimumWidth(estimatedTitleBarWidth(title) - margins.left() - margins.right());
    } else {
        qWarning("Message box without a QDialogButtonBox: its width is left to its text, and "
                 "a title bar may cut its caption");
    }
    return box;
}

} // namespace

Runtime::Runtime()
    : m_present(
          [this](const QString &text, QMessageBox::Icon icon) { showMessageBox(text, icon); }),
      m_quit([](int status) { QCoreApplication::exit(status); })
{
    // The program ends when its last window is unloaded, not when Qt sees no visible window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::instance()->installEventFilter(&m_heldKeys);
    // The designs ask for the classic dialog font; DejaVu Sans stands in where it is missing.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
    installAccessibleInterfaces();
}

Runtime::~Runtime()
{
    m_ended = true; // unloads during tear-down end nothing
    m_instances.clear();
}

QMessageBox &Runtime::messageBoxWidget()
{
    if (!m_box)
        m_box = newMessageBox();
    return *m_box;
}

void Runtime::prepareMessageBox()
{
    // Built while the splash window shows, after its first paint, so that the first message
    // comes as fast as every later one.
    m_prepareBox.setSingleShot(true);
    m_prepareBox.callOnTimeout([this] {
        if (!m_ended)
            messageBoxWidget();
    });
    m_prepareBox.start(prepareDelayMs);
}

void Runtime::showMessageBox(const QString &text, QMessageBox::Icon icon)
{
    QMessageBox *box = &messageBoxWidget();
    std::unique_ptr<QMessageBox> another; // a message while another is open gets its own box
    if (box->isVisible()) {
        another = newMessageBox();
        box = another.get();
    }
    box->setIcon(icon);
    box->setText(text);
    box->exec();
}

void Runtime::messageBox(const QString &text, MessageBoxButtons buttons)
{
    checkAccess(checkpoint(QStringLiteral("MsgBox")));
    m_present(text, buttons == MessageBoxButtons::Information ? QMessageBox::Information
                                                              : QMessageBox::NoIcon);
}

AccessStatus Runtime::unload(Window &window)
{
    if (const AccessStatus status = checkpoint(QStringLiteral("Unload ") + window.name());
        status.failed())
        return status;
    if (auto *form = dynamic_cast<Form *>(&window))
        return form->unload();
    return AccessStatus::failure(RuntimeError::ObjectNotSet,
                                 QStringLiteral("Object variable or With block variable not set"));
}

void Runtime::dispatch(const std::function<void()> &handler)
{
    if (m_ended)
        return;
    if (const auto error = runHandler(handler)) {
        if (m_ended)
            return;
        m_present(error->report(), QMessageBox::Critical);
        end(1);
    }
}

void Runtime::end(int status)
{
    if (m_ended)
        return;
    m_ended = true;
    m_exitStatus = status;
    for (const auto &form : m_instances)
        form->unload();
    m_quit(status);
}

void Runtime::windowLoaded(Form &)
{
    ++m_loaded;
}

void Runtime::windowUnloaded(Form &)
{
    --m_loaded;
    if (m_loaded == 0)
        end(0);
}

int Runtime::exec()
{
    if (m_ended)
        return m_exitStatus;
    return QApplication::exec();
}

} // namespace rt
