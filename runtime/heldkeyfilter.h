#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace rt {

// Makes one press of a held key act once, in the window where it went down. Installed on the
// application, it sees every key event before any widget does:
// - A press is an auto-repeat when Qt flags it so, or when it comes at the same time as the
//   release of the same key just before it: the X server delivers a held key's repeats as such
//   release-press pairs, and Qt's flag misses some of them, as when a window opens between two
//   repeats. A press without a time (one sent by the program itself) counts by its flag alone.
// - A repeat reaches the window where its key went down, with the flag set, so that the widgets
//   there treat it as they treat any auto-repeat (a text box types on, a button ignores it).
// - A repeat reaching any other window (a message box, or a window that the press opened) does
//   nothing there: the key has to be released and pressed again.
// Releases pass unchanged.
class HeldKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct KeyState {
        QPointer<QWidget> window; // where the key last went down; null: unknown or gone
        quint64 releasedAt = 0;   // the time of its last release, 0 when unknown
    };

    bool filterPress(QWidget *receiver, QKeyEvent *press);

    QHash<int, KeyState> m_keys;
};

} // namespace rt
