#pragma once

#include <QLatin1String>
#include <QString>
#include <QtGlobal>

// The offscreen platform can neither raise a window, nor grab the keyboard for a drop-down list,
// nor pass on a message box's size hints, and warns each time; and the fonts installed have no
// shaping tables for some of the scripts typed. Over thousands of steps those warnings would
// bury a run's own output, and the test library stops printing after a number of them. While
// an instance lives, exactly these warnings are dropped and every other message passes on.
class QuietPlatform {
public:
    QuietPlatform() { passOn() = qInstallMessageHandler(&filter); }
    ~QuietPlatform() { qInstallMessageHandler(passOn()); }
    QuietPlatform(const QuietPlatform &) = delete;
    QuietPlatform &operator=(const QuietPlatform &) = delete;

private:
    static QtMessageHandler &passOn()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }

    static void filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        static const QLatin1String noise[] = {
            QLatin1String("This plugin does not support raise()"),
            QLatin1String("This plugin does not support grabbing the keyboard"),
            QLatin1String("This plugin does not support propagateSizeHints()"),
            QLatin1String("OpenType support missing for "),
        };
        if (type == QtWarningMsg) {
            const QString trimmed = message.trimmed();
            for (const QLatin1String &known : noise)
                if (trimmed.startsWith(known))
                    return;
        }
        passOn()(type, context, message);
    }
};
