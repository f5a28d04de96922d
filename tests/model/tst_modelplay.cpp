// A long random game against the real windows, started from the main menu as the player starts
// it. A small model of the game (is the board loaded and in front, which boxes are ticked, what
// is the score, what do the lists and the catalogue hold) predicts every step, and after every
// step the program must agree: the message shown or none, the board loaded or gone, its score,
// ticks and texts, and the menu still there and unchanged.
//
// The run is seeded. RIDERIDDLE_SEED=<n> replays run n; unset or "random", a new seed is drawn.
// The seed is printed first, and again with the last actions when a step disagrees.

#include "catalogue.h"
#include "form1.h"
#include "form3.h"
#include "menuactions.h"
#include "quietplatform.h"
#include "runtimefixture.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QTest>

#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <random>

using board::Form1;
using shell::Form3;

namespace {

constexpr int playerActions = 10000;
constexpr int drillEvery = 500; // player actions between two runs of the above-twenty drill
constexpr int realBoxOneIn = 100;
constexpr int recentShown = 12; // actions listed when a step disagrees

const QString invalidSelection = QStringLiteral("invalid selection");

struct Message {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// One key press and release, with the text the keyboard gives it.
struct Keystroke {
    Qt::Key key = Qt::Key_unknown;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Characters that type as themselves: besides ASCII, accented and non-Latin letters, right-to-
// left scripts, combining marks, characters outside the BMP, format characters, private use.
const QStringList &wideCharacters()
{
    static const QStringList list = {
        QStringLiteral("\u00e9"),     QStringLiteral("\u00df"),     QStringLiteral("\u00f1"),
        QStringLiteral("\u00ff"),     QStringLiteral("\u0101"),     QStringLiteral("\u03a9"),
        QStringLiteral("\u0436"),     QStringLiteral("\u8f66"),     QStringLiteral("\u81ea"),
        QStringLiteral("\u0634"),     QStringLiteral("\u05d0"),     QStringLiteral("\u0930"),
        QStringLiteral("\u093f"),     QStringLiteral("\u0301"),     QStringLiteral("\U0001F697"),
        QStringLiteral("\U0001F6B2"), QStringLiteral("\U0001F680"), QStringLiteral("\u200d"),
        QStringLiteral("\u200f"),     QStringLiteral("\ue000"),     QStringLiteral("\u3000"),
        QStringLiteral("\uff11"),     QStringLiteral("\u00bd"),     QStringLiteral("\u2212"),
    };
    return list;
}

// Control characters: the lists take none of them as typed text.
const QStringList &controlCharacters()
{
    static const QStringList list = {
        QStringLiteral("\t"),   QStringLiteral("\n"),     QStringLiteral("\r"),
        QStringLiteral("\x01"), QStringLiteral("\x1b"),   QStringLiteral("\x7f"),
        QStringLiteral("\x08"), QStringLiteral("\u0085"), QString(QChar(0)),
    };
    return list;
}

// Editing and moving keys, as the keyboard sends them.
const QList<Keystroke> &editingKeys()
{
    static const QList<Keystroke> list = {
        {Qt::Key_Return, QStringLiteral("\r")},
        {Qt::Key_Enter, QStringLiteral("\r"), Qt::KeypadModifier},
        {Qt::Key_Backspace, QStringLiteral("\x08")},
        {Qt::Key_Delete, QStringLiteral("\x7f")},
        {Qt::Key_Tab, QStringLiteral("\t")},
        {Qt::Key_Backtab, {}, Qt::ShiftModifier},
        {Qt::Key_Escape, QStringLiteral("\x1b")},
        {Qt::Key_Left, {}},
        {Qt::Key_Right, {}},
        {Qt::Key_Home, {}},
        {Qt::Key_End, {}},
        {Qt::Key_Left, {}, Qt::ShiftModifier},
        {Qt::Key_Home, {}, Qt::ShiftModifier},
        {Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier},
        {Qt::Key_Z, QStringLiteral("\x1a"), Qt::ControlModifier},
        {Qt::Key_Z, QStringLiteral("\x1a"), Qt::ControlModifier | Qt::ShiftModifier},
    };
    return list;
}

const Keystroke selectAll{Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier};

QString escaped(const QString &text, int limit = 48)
{
    QString out;
    for (const QChar c : text) {
        if (out.size() >= limit)
            return out + QStringLiteral("...");
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\')
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}

QString describe(const QList<Keystroke> &keys)
{
    QString out;
    for (const Keystroke &k : keys) {
        if (out.size() > 60) {
            out += QStringLiteral("...");
            break;
        }
        if (k.key == Qt::Key_unknown ||
            (k.modifiers == Qt::NoModifier && k.text.size() == 1 && k.text.front().isPrint()))
            out += escaped(k.text);
        else
            out += QLatin1Char('<') + QKeySequence(QKeyCombination(k.modifiers, k.key)).toString() +
                   QLatin1Char('>');
    }
    return QStringLiteral("\"%1\" (%2 keys)").arg(out).arg(keys.size());
}

void send(QWidget *target, const Keystroke &k)
{
    QTest::sendKeyEvent(QTest::Click, target, k.key, k.text, k.modifiers);
}

// The seed of this run: RIDERIDDLE_SEED as a number, or a new one.
std::optional<quint64> seedFromEnvironment()
{
    const QString value = qEnvironmentVariable("RIDERIDDLE_SEED").trimmed();
    if (value.isEmpty() || value.compare(QLatin1String("random"), Qt::CaseInsensitive) == 0) {
        std::random_device device;
        const auto now = quint64(std::chrono::steady_clock::now().time_since_epoch().count());
        return ((quint64(device()) << 32) ^ quint64(device()) ^ now) % 1000000000000ULL;
    }
    bool ok = false;
    const quint64 seed = value.toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    return seed;
}

// What the player should see: the board's state as the rules make it.
struct Model {
    bool boardCreated = false;
    bool loaded = false;
    bool inFront = false;        // the board is the window the player works in
    std::array<bool, 7> ticks{}; // [1..6]
    qint64 score = 0;
    std::array<QString, 7> comboTexts; // [1..6]
    QString catalogue;

    void freshBoard()
    {
        loaded = true;
        ticks = {};
        score = 0;
        for (int k = 1; k <= 6; ++k)
            comboTexts[k] = k <= 2 ? QString() : QStringLiteral(" ");
        catalogue =
            board::catalogue::catalogueText().replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }

    int tickedWeight() const
    {
        int sum = 0;
        for (int k = 1; k <= 6; ++k)
            sum += ticks[k] ? k : 0;
        return sum;
    }
};

} // namespace

class TestModelPlay : public QObject {
    Q_OBJECT

    std::optional<QuietPlatform> quiet;
    RuntimeFixture fx;
    Form3 *menu = nullptr;
    QWidget *menuWindow = nullptr;
    QRect menuGeometry;
    Form1 *boardInstance = nullptr;

    quint64 seed = 0;
    std::mt19937_64 rng;
    int step = 0;
    std::deque<QString> recent;
    Model model;
    std::optional<Message> lastMessage;  // shown by the latest step
    bool aboveTwentyOnThisBoard = false; // as read from the board, not from the model
    QMap<QString, int> tally;

    // --- randomness; only the raw output of the engine, so a seed replays on any library
    int below(int n) { return int(rng() % quint64(n)); }
    bool oneIn(int n) { return below(n) == 0; }
    int pick(std::initializer_list<int> weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = below(total);
        int index = 0;
        for (int w : weights) {
            if (r < w)
                return index;
            r -= w;
            ++index;
        }
        return index - 1;
    }

    // --- the program's widgets
    Form1 *board() const { return fx.runtime->instance<Form1>(); }
    QCheckBox *check(int k) const
    {
        return board()->control<QCheckBox>(QStringLiteral("Check%1").arg(k));
    }
    QComboBox *combo(int k) const
    {
        return board()->control<QComboBox>(QStringLiteral("Combo%1").arg(k));
    }
    QPlainTextEdit *catalogueBox() const
    {
        return board()->control<QPlainTextEdit>(QStringLiteral("Text1"));
    }
    QLineEdit *scoreBox() const { return board()->control<QLineEdit>(QStringLiteral("Text2")); }
    QWidget *findButton() const { return board()->control(QStringLiteral("Command1")); }
    QWidget *menuButton(int n) const { return menu->control(QStringLiteral("Command%1").arg(n)); }

    // Control goes back to the event loop between two actions of the player.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Keystroke printableKey()
    {
        if (oneIn(3)) {
            const QStringList &wide = wideCharacters();
            return {Qt::Key_unknown, wide[below(int(wide.size()))]};
        }
        const char c = char(0x20 + below(0x7f - 0x20));
        return {QTest::asciiToKey(c), QString(QChar::fromLatin1(c))};
    }

    QList<Keystroke> randomTyping(bool printableOnly)
    {
        const int length = oneIn(40) ? 200 + below(1300) : 1 + below(12);
        QList<Keystroke> keys;
        for (int i = 0; i < length; ++i) {
            if (!printableOnly && oneIn(4)) {
                if (oneIn(2)) {
                    const QStringList &controls = controlCharacters();
                    keys << Keystroke{Qt::Key_unknown, controls[below(int(controls.size()))]};
                } else {
                    keys << editingKeys()[below(int(editingKeys().size()))];
                }
            } else {
                keys << printableKey();
            }
        }
        return keys;
    }

    void note(const QString &what)
    {
        recent.push_back(QStringLiteral("step %1: %2").arg(step).arg(what));
        while (recent.size() > std::size_t(recentShown))
            recent.pop_front();
    }

    void reportFailure() const
    {
        qWarning("The model and the program disagree at step %d of the run with seed %llu.", step,
                 seed);
        qWarning("Replay: QT_QPA_PLATFORM=offscreen RIDERIDDLE_SEED=%llu ./tst_modelplay", seed);
        qWarning("The last actions:");
        for (const QString &line : recent)
            qWarning("  %s", qPrintable(line));
    }

    // --- one action of the player, and the check that the program agrees with the model

    // Runs `trigger`, which is expected to show `expected` or nothing. A message is recorded, or
    // now and then shown in the real modal box and closed from outside. `observe` then takes
    // into the model what it cannot predict.
    void act(const QString &what, const std::optional<Message> &expected,
             const std::function<void()> &trigger, const std::function<void()> &observe = {})
    {
        ++step;
        const bool real = expected && oneIn(realBoxOneIn);
        note(real ? what + QStringLiteral(" [real message box]") : what);
        const qsizetype before = fx.shown.size();
        lastMessage.reset();
        if (real) {
            fx.realBoxes = true;
            const ModalSeen seen = closeNextModal(trigger);
            fx.realBoxes = false;
            ++tally[QStringLiteral("real message boxes")];
            QVERIFY2(seen.seen, "no modal message box showed");
            QCOMPARE(seen.title, QStringLiteral("rideriddle"));
            QCOMPARE(seen.buttons, 1);
            lastMessage = Message{seen.text, seen.icon};
        } else {
            trigger();
        }
        settle();

        const QList<RuntimeFixture::Shown> shown = fx.shown.mid(before);
        if (!shown.isEmpty())
            lastMessage = Message{shown.last().text, shown.last().icon};
        if (real)
            QVERIFY2(shown.isEmpty(), "a message was recorded while the real box was in use");
        if (!expected) {
            QVERIFY2(shown.isEmpty(), qPrintable(QStringLiteral("unexpected message \"%1\"")
                                                     .arg(escaped(shown.value(0).text, 200))));
        } else {
            QCOMPARE(shown.size() + (real ? 1 : 0), 1);
            QCOMPARE(lastMessage->text, expected->text);
            QCOMPARE(lastMessage->icon, expected->icon);
        }
        if (observe)
            observe();
        if (QTest::currentTestFailed())
            return;
        verifyState();
        if (QTest::currentTestFailed())
            return;

        // The score read from the board itself: once it is above 20, this board can only ever
        // say "invalid selection" (checked at each press of Find).
        if (!board() || !board()->isLoaded()) {
            aboveTwentyOnThisBoard = false;
        } else {
            bool ok = false;
            const double score = scoreBox()->text().toDouble(&ok);
            if (ok && score > 20)
                aboveTwentyOnThisBoard = true;
        }
    }

    void verifyState()
    {
        QVERIFY2(!fx.quitStatus, "the program ended");
        QVERIFY(!fx.runtime->hasEnded());

        // The menu never changes.
        QVERIFY(menu->isLoaded());
        QCOMPARE(menu->window(), menuWindow);
        QVERIFY(menuWindow->isVisible());
        QCOMPARE(menuWindow->geometry(), menuGeometry);
        QCOMPARE(menuWindow->findChildren<QWidget *>().size(), 4);

        QCOMPARE(fx.runtime->loadedWindowCount(), model.loaded ? 2 : 1);
        QCOMPARE(board() != nullptr, model.boardCreated);
        QCOMPARE(board(), boardInstance); // one instance, made by the first NEW GAME
        QCOMPARE(board() && board()->isLoaded(), model.loaded);
        if (!model.loaded)
            return;

        QVERIFY(board()->window()->isVisible());
        QCOMPARE(scoreBox()->text(), QString::number(model.score));
        QVERIFY(scoreBox()->isHidden());
        for (int k = 1; k <= 6; ++k) {
            QCOMPARE(check(k)->checkState(), model.ticks[k] ? Qt::Checked : Qt::Unchecked);
            QCOMPARE(combo(k)->currentText(), model.comboTexts[k]);
            QCOMPARE(combo(k)->count(), board::catalogue::groupList(k).size());
        }
        QCOMPARE(catalogueBox()->toPlainText(), model.catalogue);
    }

    // --- the menu

    // The player brings the menu forward when the board covers it, and presses a button.
    void pressMenu(int n, const std::optional<Message> &expected, const std::function<void()> &then)
    {
        const int how = below(4); // space, Return, or a click
        const char *by[] = {"space", "Return", "click", "click"};
        const char *names[] = {"", "NEW GAME", "EXIT", "About Us", "Help"};
        act(
            QStringLiteral("%1 (%2)").arg(QLatin1String(names[n]), QLatin1String(by[how])),
            expected,
            [&] {
                if (board() && board()->isLoaded()) {
                    menuWindow->raise();
                    menuWindow->activateWindow();
                }
                QWidget *button = menuButton(n);
                if (how <= 1) {
                    button->setFocus(Qt::TabFocusReason);
                    QTest::keyClick(button, how == 0 ? Qt::Key_Space : Qt::Key_Return);
                } else {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            },
            then);
    }

    void newGame()
    {
        const bool fresh = !model.loaded;
        if (fresh)
            model.freshBoard();
        model.boardCreated = true;
        model.inFront = true;
        ++tally[fresh ? QStringLiteral("NEW GAME: fresh board")
                      : QStringLiteral("NEW GAME: same board")];
        pressMenu(1, std::nullopt, [&] {
            if (!boardInstance)
                boardInstance = board();
            QVERIFY(boardInstance);
            QCOMPARE(QApplication::activeWindow(), board()->window());
            if (fresh) {
                for (int k = 1; k <= 6; ++k)
                    QCOMPARE(combo(k)->currentIndex(), -1);
            }
        });
    }

    void aboutUs()
    {
        model.inFront = false;
        ++tally[QStringLiteral("About Us")];
        pressMenu(3, Message{shell::aboutUsText(), QMessageBox::Information}, {});
    }

    void help()
    {
        model.inFront = false;
        ++tally[QStringLiteral("Help")];
        pressMenu(4, Message{shell::helpText(), QMessageBox::NoIcon}, {});
    }

    // --- the board

    void toggleTick(int k, int how)
    {
        QCheckBox *box = check(k);
        if (how == 2) { // pressed, then released off the box: nothing changes
            ++tally[QStringLiteral("tick: cancelled")];
            act(QStringLiteral("press Check%1, release off it").arg(k), std::nullopt, [&] {
                QTest::mousePress(box, Qt::LeftButton);
                QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(box->width() + 30, -20));
            });
            return;
        }
        model.ticks[k] = !model.ticks[k];
        ++tally[how == 0 ? QStringLiteral("tick: click") : QStringLiteral("tick: space")];
        act(QStringLiteral("%1 Check%2").arg(how == 0 ? "click" : "space on").arg(k), std::nullopt,
            [&] {
                if (how == 0) {
                    QTest::mouseClick(box, Qt::LeftButton);
                } else {
                    box->setFocus(Qt::TabFocusReason);
                    QTest::keyClick(box, Qt::Key_Space);
                }
            });
    }

    // The player clicks into a text box at a random place, or tabs into it; and selects all of
    // a long text before typing over it.
    void focusInto(const QString &name, QWidget *area, QWidget *focusTarget, bool selectAllFirst)
    {
        if (oneIn(2)) {
            const QPoint at(below(area->width()), below(area->height()));
            act(QStringLiteral("click into %1 at (%2,%3)").arg(name).arg(at.x()).arg(at.y()),
                std::nullopt, [&] { QTest::mouseClick(area, Qt::LeftButton, {}, at); });
        } else {
            act(QStringLiteral("tab into %1").arg(name), std::nullopt,
                [&] { focusTarget->setFocus(Qt::TabFocusReason); });
        }
        if (selectAllFirst && !QTest::currentTestFailed())
            act(QStringLiteral("select all in %1").arg(name), std::nullopt,
                [&] { send(focusTarget, selectAll); });
    }

    void typeInCombo(int k)
    {
        QComboBox *box = combo(k);
        QLineEdit *edit = box->lineEdit();
        const QString name = QStringLiteral("Combo%1").arg(k);
        // Only what the boxes take as typed text, or any keys at all.
        const bool printableOnly = below(5) < 3;
        const QList<Keystroke> keys = randomTyping(printableOnly);
        ++tally[printableOnly ? QStringLiteral("type in a list: text")
                              : QStringLiteral("type in a list: any keys")];
        focusInto(name, edit, box, edit->text().size() > 8000); // stays under the box's limit
        if (QTest::currentTestFailed())
            return;
        if (printableOnly) {
            // Typed text goes in at the cursor, over the selection; no completion, no insert.
            QString text = edit->text();
            int at = edit->cursorPosition();
            if (edit->hasSelectedText()) {
                at = edit->selectionStart();
                text.remove(at, edit->selectionLength());
            }
            QString typed;
            for (const Keystroke &key : keys)
                typed += key.text;
            model.comboTexts[k] = text.insert(at, typed);
        }
        act(
            QStringLiteral("type in %1: %2").arg(name, describe(keys)), std::nullopt,
            [&] {
                for (const Keystroke &key : keys)
                    send(box, key);
            },
            [&] {
                if (!printableOnly)
                    model.comboTexts[k] = box->currentText();
            });
    }

    void typeInCatalogue()
    {
        QPlainTextEdit *box = catalogueBox();
        const QList<Keystroke> keys = randomTyping(oneIn(2));
        ++tally[QStringLiteral("type in the catalogue")];
        focusInto(QStringLiteral("Text1"), box->viewport(), box,
                  box->document()->characterCount() > 20000);
        if (QTest::currentTestFailed())
            return;
        act(
            QStringLiteral("type in Text1: %1").arg(describe(keys)), std::nullopt,
            [&] {
                for (const Keystroke &key : keys)
                    send(box, key);
            },
            [&] { model.catalogue = box->toPlainText(); });
    }

    void chooseByKey(int k)
    {
        QComboBox *box = combo(k);
        const bool down = oneIn(3) != 0;
        const int next = box->currentIndex() + (down ? 1 : -1);
        if (next >= 0 && next < box->count())
            model.comboTexts[k] = box->itemText(next);
        ++tally[QStringLiteral("choose: arrow key")];
        act(QStringLiteral("%1 in Combo%2").arg(down ? "Down" : "Up").arg(k), std::nullopt, [&] {
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClick(box, down ? Qt::Key_Down : Qt::Key_Up);
        });
    }

    // Opens the drop-down list from the keyboard and picks an entry with the mouse or the
    // keyboard, or closes it with Escape.
    void chooseFromList(int k)
    {
        QComboBox *box = combo(k);
        const int how = pick({5, 3, 1});
        const int row = below(box->count());
        const int downs = 1 + below(4);
        ++tally[how == 0   ? QStringLiteral("choose: list, click")
                : how == 1 ? QStringLiteral("choose: list, keys")
                           : QStringLiteral("choose: list, Escape")];
        const QString what =
            how == 0   ? QStringLiteral("open Combo%1's list, click entry %2").arg(k).arg(row)
            : how == 1 ? QStringLiteral("open Combo%1's list, Down x%2, Return").arg(k).arg(downs)
                       : QStringLiteral("open Combo%1's list, Escape").arg(k);
        act(
            what, std::nullopt,
            [&] {
                box->setFocus(Qt::TabFocusReason);
                QTest::keyClick(box, Qt::Key_F4);
                QAbstractItemView *view = box->view();
                QVERIFY2(view->isVisible(), "the list did not open");
                if (how == 0) {
                    const QModelIndex index = view->model()->index(row, box->modelColumn());
                    view->scrollTo(index);
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                      view->visualRect(index).center());
                    model.comboTexts[k] = box->itemText(row);
                } else if (how == 1) {
                    for (int i = 0; i < downs; ++i)
                        QTest::keyClick(view, Qt::Key_Down);
                    const int current = view->currentIndex().row();
                    QVERIFY(current >= 0);
                    QTest::keyClick(view, Qt::Key_Return);
                    model.comboTexts[k] = box->itemText(current);
                } else {
                    QTest::keyClick(view, Qt::Key_Escape);
                }
            },
            [&] { QVERIFY2(!box->view()->isVisible(), "the list stayed open"); });
    }

    void pressFind(int how)
    {
        QWidget *find = findButton();
        if (how == 4) { // pressed, then released off the button: no press of Find
            ++tally[QStringLiteral("Find: cancelled")];
            act(QStringLiteral("press Find, release off it"), std::nullopt, [&] {
                QTest::mousePress(find, Qt::LeftButton);
                QTest::mouseRelease(find, Qt::LeftButton, {}, QPoint(-15, find->height() + 40));
            });
            return;
        }

        const bool wasAboveTwenty = aboveTwentyOnThisBoard;
        const qint64 scoreBefore = model.score;
        model.score += model.tickedWeight();
        Message expected{invalidSelection};
        if (model.score > 20 || model.score == 0) {
            ++tally[QStringLiteral("Find: invalid selection")];
        } else {
            expected.text = *board::catalogue::verdictText(int(model.score));
            model.loaded = false;
            model.inFront = false;
            ++tally[QStringLiteral("Find: verdict")];
        }
        const char *by[] = {"click", "space", "Return", "Enter"};
        act(QStringLiteral("Find (%1), score %2 + %3")
                .arg(by[how])
                .arg(scoreBefore)
                .arg(model.tickedWeight()),
            expected, [&] {
                if (how == 0) {
                    QTest::mouseClick(find, Qt::LeftButton);
                    return;
                }
                find->setFocus(Qt::TabFocusReason);
                const Qt::Key keys[] = {Qt::Key_unknown, Qt::Key_Space, Qt::Key_Return,
                                        Qt::Key_Enter};
                QTest::keyClick(find, keys[how], how == 3 ? Qt::KeypadModifier : Qt::NoModifier);
            });
        if (QTest::currentTestFailed() || !wasAboveTwenty)
            return;
        QVERIFY2(lastMessage && lastMessage->text == invalidSelection,
                 "a board whose score went above 20 gave a verdict");
        QVERIFY2(board()->isLoaded(), "a board whose score went above 20 was unloaded");
        ++tally[QStringLiteral("Find: checked above 20")];
    }

    void closeBoard()
    {
        model.loaded = false;
        model.inFront = false;
        ++tally[QStringLiteral("close from the title bar")];
        act(QStringLiteral("close the board from its title bar"), std::nullopt,
            [&] { QVERIFY(board()->window()->close()); });
    }

    // --- the player

    void randomAction()
    {
        if (!(model.loaded && model.inFront)) {
            switch (pick({14, 3, 3})) {
            case 0:
                return newGame();
            case 1:
                return aboutUs();
            default:
                return help();
            }
        }
        switch (pick({18, 6, 2, 10, 4, 5, 3, 13, 5, 2, 3, 2, 2, 2})) {
        case 0:
            return toggleTick(1 + below(6), 0);
        case 1:
            return toggleTick(1 + below(6), 1);
        case 2:
            return toggleTick(1 + below(6), 2);
        case 3:
            return typeInCombo(1 + below(6));
        case 4:
            return typeInCatalogue();
        case 5:
            return chooseByKey(1 + below(6));
        case 6:
            return chooseFromList(1 + below(6));
        case 7:
            return pressFind(0);
        case 8:
            return pressFind(1 + below(3));
        case 9:
            return pressFind(4);
        case 10:
            return closeBoard();
        case 11:
            return newGame();
        case 12:
            return aboutUs();
        default:
            return help();
        }
    }

    // Takes a board above 20 (all six ticked), then keeps pressing Find with the ticks changed
    // between presses: every press must say "invalid selection" and keep the board.
    void aboveTwentyDrill()
    {
        note(QStringLiteral("-- the above-twenty drill starts"));
        if (!(model.loaded && model.inFront))
            newGame();
        for (int k = 1; k <= 6 && !QTest::currentTestFailed(); ++k)
            if (!model.ticks[k])
                toggleTick(k, below(2));
        for (int press = 0; press < 5 && !QTest::currentTestFailed(); ++press) {
            if (press > 0 && oneIn(2))
                toggleTick(1 + below(6), below(2));
            if (QTest::currentTestFailed())
                return;
            pressFind(below(4));
            if (QTest::currentTestFailed())
                return;
            QVERIFY(aboveTwentyOnThisBoard);
            ++tally[QStringLiteral("drill presses")];
        }
    }

private slots:
    void initTestCase() { quiet.emplace(); }
    void cleanupTestCase() { quiet.reset(); }

    void init()
    {
        fx.setUp();
        QVERIFY(menu = fx.open<Form3>());
        menuWindow = menu->window();
        menuGeometry = menuWindow->geometry();
    }

    void cleanup()
    {
        menu = nullptr;
        menuWindow = nullptr;
        boardInstance = nullptr;
        QVERIFY(fx.tearDownLeavesNoWindow());
    }

    void play()
    {
        const std::optional<quint64> chosen = seedFromEnvironment();
        QVERIFY2(chosen, "RIDERIDDLE_SEED must be a number or \"random\"");
        seed = *chosen;
        qInfo("seed %llu (replay: QT_QPA_PLATFORM=offscreen RIDERIDDLE_SEED=%llu ./tst_modelplay)",
              seed, seed);
        rng.seed(seed);
        model = Model{};
        QElapsedTimer clock;
        clock.start();

        verifyState(); // the menu alone, no board instance yet
        for (int action = 1; action <= playerActions; ++action) {
            randomAction();
            if (!QTest::currentTestFailed() && action % drillEvery == 0)
                aboveTwentyDrill();
            if (QTest::currentTestFailed())
                return reportFailure();
        }

        // EXIT ends the program with status 0, whatever the board's state.
        ++step;
        note(QStringLiteral("EXIT"));
        QTest::mouseClick(menuButton(2), Qt::LeftButton);
        QCOMPARE(fx.quitStatus, std::optional<int>(0));
        QCOMPARE(fx.runtime->loadedWindowCount(), 0);

        qInfo("%d steps in %lld ms", step, qint64(clock.elapsed()));
        for (auto it = tally.cbegin(); it != tally.cend(); ++it)
            qInfo("  %-28s %6d", qPrintable(it.key()), it.value());
        // The run reached every kind of action and every outcome of Find.
        const char *reached[] = {"NEW GAME: fresh board",
                                 "NEW GAME: same board",
                                 "About Us",
                                 "Help",
                                 "tick: click",
                                 "tick: space",
                                 "tick: cancelled",
                                 "type in a list: text",
                                 "type in a list: any keys",
                                 "type in the catalogue",
                                 "choose: arrow key",
                                 "choose: list, click",
                                 "choose: list, keys",
                                 "choose: list, Escape",
                                 "Find: verdict",
                                 "Find: invalid selection",
                                 "Find: cancelled",
                                 "Find: checked above 20",
                                 "close from the title bar",
                                 "real message boxes"};
        for (const char *kind : reached)
            QVERIFY2(tally.value(QLatin1String(kind)) > 0, kind);
    }
};

QTEST_MAIN(TestModelPlay)
#include "tst_modelplay.moc"
