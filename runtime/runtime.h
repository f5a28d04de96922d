#pragma once

#include "form.h"
#include "heldkeyfilter.h"
#include "runtimeerror.h"
#include "services.h"

#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace rt {

// The desktop run time that hosts the program: it owns the windows' default instances, shows
// the message boxes, runs every event handler, reports the run-time errors that leave one and
// ends the program. One per process, created after the QApplication.
class Runtime : public Services {
public:
    // Shows one message box and returns when the player has dismissed it.
    using MessagePresenter = std::function<void(const QString &text, QMessageBox::Icon icon)>;
    // Ends the event loop with an exit status.
    using Quit = std::function<void(int status)>;
    // Answers for one run-time operation ("New Form1", "Show Form3", "Unload Form2", "MsgBox",
    // "Check3.Value", "Text2.Text", "Text2.Text="): a failure makes that operation fail.
    using FaultInjector = std::function<AccessStatus(const QString &operation)>;

    Runtime();
    ~Runtime() override;
    Runtime(const Runtime &) = delete;
    Runtime &operator=(const Runtime &) = delete;

    // The default instance of window class F, or null while none exists.
    template <class F> F *instance() const
    {
        for (const auto &form : m_instances)
            if (auto *f = dynamic_cast<F *>(form.get()))
                return f;
        return nullptr;
    }

    // Creates the default instance of F. Callers call it only while none exists.
    template <class F> F &newInstance()
    {
        auto form = std::make_unique<F>(*this);
        checkAccess(checkpoint(QStringLiteral("New ") + form->name()));
        F &created = *form;
        m_instances.push_back(std::move(form));
        return created;
    }

    // The start routine: creates and shows the start-up window F, then runs the event loop until
    // the program ends. Returns the process's exit status.
    template <class F> int start()
    {
        dispatch([this] { checkAccess(newInstance<F>().show()); });
        prepareMessageBox();
        return exec();
    }

    void messageBox(const QString &text, MessageBoxButtons buttons) override;
    AccessStatus unload(Window &window) override;

    // Runs an event handler. A run-time error that leaves it is reported in the run time's own
    // message box and ends the program with status 1. Once the program has ended no handler runs.
    void dispatch(const std::function<void()> &handler);

    // Ends the program at once: every window closes and no further handler runs.
    void end(int status = 0);
    bool hasEnded() const { return m_ended; }
    int exitStatus() const { return m_exitStatus; }

    int loadedWindowCount() const { return m_loaded; }

    // Seams for tests: how message boxes are shown, and how the event loop is ended.
    void setMessagePresenter(MessagePresenter presenter) { m_present = std::move(presenter); }
    void setQuit(Quit quit) { m_quit = std::move(quit); }
    void setFaultInjector(FaultInjector injector) { m_faults = std::move(injector); }

    // The status a run-time operation starts from: a failure only when a fault is injected.
    AccessStatus checkpoint(const QString &operation) const
    {
        return m_faults ? m_faults(operation) : AccessStatus::ok();
    }

    // The real application-modal box: caption "rideriddle", one OK button, the given icon.
    // One box serves every message: building a box costs more than the player should wait.
    void showMessageBox(const QString &text, QMessageBox::Icon icon);

private:
    friend class Form;
    void windowLoaded(Form &form);
    void windowUnloaded(Form &form);
    int exec();
    QMessageBox &messageBoxWidget();
    void prepareMessageBox();

    HeldKeyFilter m_heldKeys; // one press of a held key acts once, in one window
    std::vector<std::unique_ptr<Form>> m_instances;
    std::unique_ptr<QMessageBox> m_box; // made on first use, or soon after the start
    QTimer m_prepareBox;
    MessagePresenter m_present;
    Quit m_quit;
    FaultInjector m_faults;
    int m_loaded = 0;
    bool m_ended = false;
    int m_exitStatus = 0;
};

} // namespace rt
