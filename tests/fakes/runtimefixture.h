#pragma once

#include "form.h"
#include "runtime.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPalette>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

// A run time for widget tests: message boxes are recorded instead of shown (unless a test asks
// for the real ones), and the end of the program is recorded instead of ending the test.
struct RuntimeFixture {
    struct Shown {
        QString text;
        QMessageBox::Icon icon;
    };

    std::unique_ptr<rt::Runtime> runtime;
    QList<Shown> shown;
    std::optional<int> quitStatus;
    bool realBoxes = false; // while set, message boxes are shown for real and not recorded

    void setUp()
    {
        shown.clear();
        quitStatus.reset();
        runtime = std::make_unique<rt::Runtime>();
        realBoxes = false;
        runtime->setMessagePresenter([this](const QString &text, QMessageBox::Icon icon) {
            if (realBoxes)
                runtime->showMessageBox(text, icon);
            else
                shown.append({text, icon});
        });
        runtime->setQuit([this](int status) { quitStatus = status; });
    }

    // Creates the default instance of F and shows it; null when it did not show and activate.
    template <class F> F *open()
    {
        F &form = runtime->newInstance<F>();
        if (form.show().failed() || !QTest::qWaitForWindowActive(form.window()))
            return nullptr;
        return &form;
    }

    // Gives window text (system colour 8) and menu text (system colour 7) colours of their own,
    // as a colour scheme may, and lets the open windows take them (Qt hands a new palette to them
    // through the event queue); tearDownLeavesNoWindow() puts the standard ones back.
    static void setTextColours(QColor windowText, QColor menuText)
    {
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::WindowText, windowText);
        QApplication::setPalette(palette);
        QPalette menuPalette = QApplication::palette("QMenu");
        menuPalette.setColor(QPalette::WindowText, menuText);
        QApplication::setPalette(menuPalette, "QMenu");
        QCoreApplication::processEvents();
    }

    // Puts in the palette that Qt's GTK 3 platform theme gives under a dark GTK theme
    // (Adwaita:dark), for menus too: light text on dark grey, and lets the open windows take it.
    // tearDownLeavesNoWindow() puts the standard ones back.
    static void setDarkPalette()
    {
        QPalette dark = QApplication::palette();
        const std::pair<QPalette::ColorRole, QRgb> roles[] = {
            {QPalette::WindowText, 0xf0f0f0}, {QPalette::Window, 0x323232},
            {QPalette::Button, 0x323232},     {QPalette::ButtonText, 0xf0f0f0},
            {QPalette::Base, 0x242424},       {QPalette::Text, 0xf0f0f0},
            {QPalette::Light, 0x4b4b4b},      {QPalette::Dark, 0x212121},
            {QPalette::Mid, 0x262626},        {QPalette::Shadow, 0x191919},
        };
        for (const auto &[role, rgb] : roles)
            dark.setColor(role, QColor(rgb));
        QApplication::setPalette(dark);
        QApplication::setPalette(dark, "QMenu");
        QCoreApplication::processEvents();
    }

    // Destroys the run time with every window, puts the standard colours back, and says whether
    // a top-level widget outlived the run time.
    bool tearDownLeavesNoWindow()
    {
        QApplication::setPalette(QPalette());
        QApplication::setPalette(QPalette(), "QMenu");
        runtime.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return QApplication::topLevelWidgets().isEmpty();
    }

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &s : shown)
            texts << s.text;
        return texts;
    }
};

// A window that stays loaded beneath the one under test, as the main menu stays beneath the
// board, so that unloading the tested window does not end the program.
class KeeperForm : public rt::Form {
public:
    explicit KeeperForm(rt::Runtime &runtime) : rt::Form(runtime, design()) {}

    static rt::FormDesign design()
    {
        rt::FormDesign d;
        d.name = QStringLiteral("Keeper");
        d.controlBox = false;
        d.clientWidth = 1500;
        d.clientHeight = 1500;
        return d;
    }
};

// Runs `trigger`, which is expected to open an application-modal box, runs `whileOpen` while
// that box shows, and closes the box right after, whatever happens to the test's checks; returns
// the box's caption, text, icon and text format, as they were shown.
struct ModalSeen {
    bool seen = false;
    QString title;
    QString text;
    Qt::TextFormat textFormat = Qt::AutoText; // how the box draws its text
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

template <class Trigger>
ModalSeen closeNextModal(Trigger trigger, const std::function<void()> &whileOpen = {})
{
    ModalSeen seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.seen = true;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.textFormat = box->textFormat();
            seen.icon = box->icon();
            seen.buttons = int(box->buttons().size());
        }
        if (whileOpen)
            whileOpen();
        modal->close();
    });
    poll.start();
    trigger();
    poll.stop();
    return seen;
}
