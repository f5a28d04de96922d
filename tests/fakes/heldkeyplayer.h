#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

// Plays one key as the X server and Qt deliver it to the program, script word by script word:
//   down  a press;
//   rep   an auto-repeat that Qt flags: a release and a press at one time, both flagged;
//   rep?  an auto-repeat that Qt does not flag (as after a window opened): the same pair, with
//         neither flagged;
//   up    a release.
// Each word comes 40 ms after the one before. Every event goes to the focus widget of the active
// window, one per turn of the event loop, and only once the topmost window (the one shown last
// that is still visible) is active, as a window manager gives it the keyboard: a press that opens
// a window, even a modal box, is followed by the rest of the script in that window, and one that
// closes a window by the rest in the window beneath. When the script is done,
// `atEnd` runs, still inside any box that is open, and may look at it and close it.
class HeldKeyPlayer : public QObject {
public:
    HeldKeyPlayer(Qt::Key key, const QString &script, std::function<void()> atEnd)
        : m_atEnd(std::move(atEnd))
    {
        quint64 time = 100000;
        for (const QString &word : script.split(' ', Qt::SkipEmptyParts)) {
            time += 40;
            if (word == "down") {
                m_events.push_back({QEvent::KeyPress, key, time, false});
            } else if (word == "up") {
                m_events.push_back({QEvent::KeyRelease, key, time, false});
            } else {
                const bool flagged = word == "rep";
                Q_ASSERT(flagged || word == "rep?");
                m_events.push_back({QEvent::KeyRelease, key, time, flagged});
                m_events.push_back({QEvent::KeyPress, key, time, flagged});
            }
        }
        if (QWidget *active = QApplication::activeWindow())
            m_shown.append(active);
        QApplication::instance()->installEventFilter(this);
    }

    void start()
    {
        QTimer::singleShot(0, this, [this] { step(); });
    }
    bool isFinished() const { return m_finished; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow())
            m_shown.append(static_cast<QWidget *>(watched));
        return false;
    }

private:
    struct Event {
        QEvent::Type type;
        Qt::Key key;
        quint64 time;
        bool autoRepeat;
    };

    void step()
    {
        QWidget *top = nullptr;
        for (const QPointer<QWidget> &w : std::as_const(m_shown))
            if (w && w->isVisible())
                top = w;
        if (top && QApplication::activeWindow() != top && m_waits < 300) {
            if (m_waits++ == 0)
                top->activateWindow();
            QTimer::singleShot(10, this, [this] { step(); }); // goes on after 3 s at most
            return;
        }
        m_waits = 0;
        if (m_next == m_events.size()) {
            m_finished = true;
            m_atEnd();
            return;
        }
        const Event e = m_events[m_next++];
        QTimer::singleShot(0, this, [this] { step(); }); // runs on inside a box that e opens
        QWidget *window = QApplication::activeWindow();
        if (!window)
            return; // no window has the keyboard: the event goes nowhere
        QWidget *target = window->focusWidget() ? window->focusWidget() : window;
        const QString text = e.key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
        QKeyEvent event(e.type, e.key, e.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier,
                        text, e.autoRepeat);
        event.setTimestamp(e.time);
        QApplication::sendEvent(target, &event);
    }

    std::vector<Event> m_events;
    std::size_t m_next = 0;
    std::function<void()> m_atEnd;
    QList<QPointer<QWidget>> m_shown; // in the order they were shown
    int m_waits = 0;
    bool m_finished = false;
};
