#pragma once

#include "access.h"
#include "formdesign.h"
#include "services.h"

#include <QIcon>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace rt {

class FormWindow;
class Runtime;

// A window's default instance. The run time creates it on first use and owns it; it lives for
// the rest of the run. Show() loads the window from its design when it is not loaded; Unload()
// discards the window and every control value while the instance stays, so the next Show()
// loads it afresh. A handler may unload its own window and run on to its end: the widgets go
// only when control is back in the event loop, and nothing reaches them through the instance.
class Form : public virtual Window {
public:
    Form(Runtime &runtime, FormDesign design);
    ~Form() override;
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    QString name() const override { return m_design.name; }
    const FormDesign &design() const { return m_design; }

    bool isLoaded() const { return m_window != nullptr; }

    // Loads the window if it is not loaded, then shows it modeless and without an owner,
    // maximized where the design says so, and returns at once. A window that is still loaded is
    // brought forward with its current contents.
    AccessStatus show();

    // Closes the window and discards its control values. Does nothing when it is not loaded.
    AccessStatus unload();

    // The loaded window, or null.
    QWidget *window() const;

    // A control of the loaded window by its name, or null.
    template <class T = QWidget> T *control(const QString &name) const
    {
        QWidget *w = window();
        return w ? w->findChild<T *>(name, Qt::FindDirectChildrenOnly) : nullptr;
    }

protected:
    // Called after each load, with every control built: connect the controls' handlers here.
    virtual void loaded() {}

    // Makes `handler` the Click event handler of the loaded window's button `name`: the run time
    // runs it on each click, whichever way the click comes, except while an application-modal
    // box blocks the window. Call it from loaded().
    void onClick(const QString &name, std::function<void()> handler);

    Runtime &runtime() const { return m_runtime; }

private:
    void load();

    Runtime &m_runtime;
    FormDesign m_design;
    // Built once and set on every load: each new QIcon adds its pixmaps to QPixmapCache, Qt's
    // global cache, under keys of its own, so an icon built per load would add to the program's
    // memory with every load. Null when the design names no icon.
    QIcon m_icon;
    FormWindow *m_window = nullptr;       // owned while loaded
    QList<QPointer<QWidget>> m_discarded; // unloaded windows awaiting deletion
};

} // namespace rt
