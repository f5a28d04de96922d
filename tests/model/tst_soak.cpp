// Thousands of games in one process must not make the heap grow: each board the menu loads is
// discarded whole when it is unloaded, after a verdict as after a close from its title bar.
//
// The heap in use is glibc's count of bytes handed out (small blocks plus mapped ones), which,
// unlike the resident size, does not move with the allocator's caching. Under AddressSanitizer
// the allocator is replaced and the count means nothing: the games still run, so that
// LeakSanitizer sees them, but the comparison is skipped.

#include "catalogue.h"
#include "form1.h"
#include "form3.h"
#include "quietplatform.h"
#include "runtimefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <malloc.h>
#include <unistd.h>

#include <optional>

using board::Form1;
using shell::Form3;

#if defined(__SANITIZE_ADDRESS__)
#define RR_HEAP_REPLACED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RR_HEAP_REPLACED 1
#endif
#endif

namespace {

constexpr int rounds = 1000;
constexpr int warmUp = 10;
constexpr qint64 allowedGrowth = 1024 * 1024;
constexpr int realBoxEvery = 50;

#ifdef RR_HEAP_REPLACED
constexpr bool heapMeasurable = false;
#else
constexpr bool heapMeasurable = true;
#endif

struct Memory {
    qint64 heapInUse = 0;
    qint64 resident = 0;
};

// Control goes back to the event loop, and windows deleted later are gone.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Memory measure()
{
    settle();
    Memory m;
    const struct mallinfo2 info = mallinfo2();
    m.heapInUse = qint64(info.uordblks + info.hblkhd);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (statm.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = statm.readAll().split(' ');
        if (fields.size() > 1)
            m.resident = fields[1].toLongLong() * sysconf(_SC_PAGESIZE);
    }
    return m;
}

// The boxes whose weights add up to `code` (1 to 20), heaviest first.
QList<int> boxesFor(int code)
{
    QList<int> boxes;
    for (int k = 6; k >= 1; --k) {
        if (k <= code) {
            boxes << k;
            code -= k;
        }
    }
    return boxes;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

    std::optional<QuietPlatform> quiet;
    RuntimeFixture fx;
    Form3 *menu = nullptr;

    Form1 *board() const { return fx.runtime->instance<Form1>(); }

    void newGame()
    {
        QTest::mouseClick(menu->control(QStringLiteral("Command1")), Qt::LeftButton);
        settle();
        QVERIFY(board() && board()->isLoaded());
        QCOMPARE(board()->control<QLineEdit>(QStringLiteral("Text2"))->text(), QStringLiteral("0"));
    }

    void tick(const QList<int> &boxes)
    {
        for (int k : boxes)
            QTest::mouseClick(board()->control(QStringLiteral("Check%1").arg(k)), Qt::LeftButton);
    }

    // One game: NEW GAME, the boxes of vehicle `code` ticked, Find, the verdict dismissed.
    void game(int round)
    {
        const int code = 1 + round % board::catalogue::highestCode;
        newGame();
        if (QTest::currentTestFailed())
            return;
        tick(boxesFor(code));
        QWidget *find = board()->control(QStringLiteral("Command1"));
        QString shown;
        if (round % realBoxEvery == 0) {
            fx.realBoxes = true;
            const ModalSeen seen = closeNextModal([&] { QTest::mouseClick(find, Qt::LeftButton); });
            fx.realBoxes = false;
            QVERIFY(seen.seen);
            shown = seen.text;
        } else {
            QTest::mouseClick(find, Qt::LeftButton);
            QCOMPARE(fx.shown.size(), 1);
            shown = fx.shown.takeFirst().text;
        }
        QCOMPARE(shown, *board::catalogue::verdictText(code));
        settle();
        QVERIFY(!board()->isLoaded());
        QVERIFY(fx.shown.isEmpty());
    }

    // One board closed from its title bar: NEW GAME, some boxes ticked or none, some typing.
    void closedBoard(int round)
    {
        newGame();
        if (QTest::currentTestFailed())
            return;
        if (round % 3 != 0)
            tick(boxesFor(1 + round % board::catalogue::highestCode));
        if (round % 4 == 0) {
            auto *list = board()->control<QComboBox>(QStringLiteral("Combo%1").arg(1 + round % 6));
            list->setFocus();
            QTest::keyClicks(list, QStringLiteral("typed %1").arg(round));
        }
        QVERIFY(board()->window()->close());
        settle();
        QVERIFY(!board()->isLoaded());
        QVERIFY(fx.shown.isEmpty());
        QVERIFY(!fx.quitStatus);
    }

    template <class Round> void soak(const char *what, Round round)
    {
        Memory first;
        for (int i = 0; i < rounds; ++i) {
            round(i);
            if (QTest::currentTestFailed()) {
                qWarning("%s: failed in round %d", what, i);
                return;
            }
            if (i + 1 == warmUp)
                first = measure();
        }
        const Memory last = measure();
        if constexpr (!heapMeasurable) {
            qInfo("%s: resident %lld -> %lld bytes", what, first.resident, last.resident);
            QSKIP("the heap is not glibc's under AddressSanitizer; LeakSanitizer checks instead");
        }
        qInfo("%s: heap in use %lld -> %lld bytes (%+lld), resident %lld -> %lld bytes (%+lld)",
              what, first.heapInUse, last.heapInUse, last.heapInUse - first.heapInUse,
              first.resident, last.resident, last.resident - first.resident);
        QVERIFY2(last.heapInUse - first.heapInUse <= allowedGrowth,
                 qPrintable(QStringLiteral("%1: the heap grew by %2 bytes over %3 rounds")
                                .arg(QLatin1String(what))
                                .arg(last.heapInUse - first.heapInUse)
                                .arg(rounds - warmUp)));
    }

private slots:
    void initTestCase() { quiet.emplace(); }
    void cleanupTestCase() { quiet.reset(); }

    void init()
    {
        fx.setUp();
        QVERIFY(menu = fx.open<Form3>());
    }

    void cleanup()
    {
        menu = nullptr;
        QVERIFY(fx.tearDownLeavesNoWindow());
    }

    void games()
    {
        soak("games", [this](int i) { game(i); });
    }

    void boardCloses()
    {
        soak("board closes", [this](int i) { closedBoard(i); });
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
