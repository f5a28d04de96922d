#include "heldkeyfilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace rt {

bool HeldKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *receiver = qobject_cast<QWidget *>(watched);
    if (!receiver)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyRelease) {
        m_keys[key->key()].releasedAt = key->timestamp();
        return false;
    }
    return filterPress(receiver, key);
}

bool HeldKeyFilter::filterPress(QWidget *receiver, QKeyEvent *press)
{
    KeyState &state = m_keys[press->key()];
    const bool pairedWithRelease =
        press->timestamp() != 0 && press->timestamp() == state.releasedAt;
    if (!press->isAutoRepeat() && !pairedWithRelease) {
        state.window = receiver->window(); // a new press
        return false;
    }
    if (!state.window || state.window != receiver->window()) {
        press->accept(); // held since before this window had the keyboard: goes nowhere
        return true;
    }
    if (press->isAutoRepeat())
        return false;

    // A repeat that Qt did not flag: delivered again as what it is.
    QKeyEvent repeat(QEvent::KeyPress, press->key(), press->modifiers(), press->nativeScanCode(),
                     press->nativeVirtualKey(), press->nativeModifiers(), press->text(), true,
                     press->count(), press->device());
    repeat.setTimestamp(press->timestamp());
    QApplication::sendEvent(receiver, &repeat); // goes on to the parents as any key does
    press->accept();
    return true;
}

} // namespace rt
