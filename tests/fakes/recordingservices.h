#pragma once

#include "services.h"

#include <QList>
#include <QString>

#include <functional>

// Services that record every message box and unload instead of showing or closing anything.
class RecordingServices : public rt::Services {
public:
    struct Message {
        QString text;
        rt::MessageBoxButtons buttons;
    };

    QList<Message> messages;
    QStringList unloaded;                       // names of the windows unloaded, in order
    rt::AccessStatus unloadStatus;              // what unload() answers
    std::function<void(rt::Window &)> onUnload; // runs on each successful unload

    void messageBox(const QString &text, rt::MessageBoxButtons buttons) override
    {
        messages.append({text, buttons});
    }

    rt::AccessStatus unload(rt::Window &window) override
    {
        if (unloadStatus.failed())
            return unloadStatus;
        unloaded.append(window.name());
        if (onUnload)
            onUnload(window);
        return rt::AccessStatus::ok();
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &m : messages)
            texts.append(m.text);
        return texts;
    }
};
