// The session benchmark: runs rideriddle as a player meets it, on its real windows and message
// boxes, and times what the player waits for.
//
// The program starts as shell/main.cpp starts it. The splash window's lifetime is timed from its
// Show to its Hide, which comes once the menu is shown. Then the session clicks NEW GAME, ticks
// all six check boxes and presses Find again and again: each press shows "invalid selection"
// and leaves the board loaded. It closes that board and plays rounds that end in a verdict, each
// on a board opened afresh from the menu. Every press is a mouse click on the Find button; the
// message box is the run time's own, and the session closes it by clicking its OK button once
// it is on the screen. It leaves through EXIT.
//
//   bench_session [--presses N] [--verdicts N] [--settle MS]
//
// Prints one line per sample, times in milliseconds:
//   splash <Show to Hide> <Show to the menu's Show>
//   find <invalid|verdict> <press number> <click to the box's Show> <click to the box drawn>
//        <processor time of the main thread from the click to the box's Show>
//        <page faults of the main thread from the click to the box's Show>
// "Drawn" is the end of the first expose of the box: every part painted and flushed. The
// processor time tells work from waiting: for the X server, or for the processor itself.
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "runtime.h"

#include "catalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Page faults (minor and major) of the calling thread so far.
long threadFaults()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// Processor time used by the calling thread, in milliseconds.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

[[noreturn]] void fail(const QString &why)
{
    std::fflush(stdout);
    std::fprintf(stderr, "bench_session: %s\n", qPrintable(why));
    std::fflush(stderr);
    _exit(2);
}

struct Options {
    int presses = 200;
    int verdicts = 20;
    int settleMs = 5;
};

Options parse(int argc, char *argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (hasValue && std::strcmp(argv[i], "--presses") == 0)
            options.presses = std::atoi(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--verdicts") == 0)
            options.verdicts = std::atoi(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--settle") == 0)
            options.settleMs = std::atoi(argv[++i]);
        else
            fail(QStringLiteral("usage: bench_session [--presses N] [--verdicts N] [--settle MS]"));
    }
    return options;
}

bool isWindowNamed(QObject *object, const char *name)
{
    return object->isWidgetType() && static_cast<QWidget *>(object)->isWindow() &&
           object->objectName() == QLatin1String(name);
}

// The groups whose weights add up to a vehicle code; the weights are 1 to 6.
std::vector<int> groupsFor(int code)
{
    std::vector<int> groups;
    for (int k = board::catalogue::groupCount; k >= 1 && code > 0; --k) {
        if (k <= code) {
            groups.push_back(k);
            code -= k;
        }
    }
    return groups;
}

class Session : public QObject {
public:
    Session(rt::Runtime &runtime, Options options) : m_runtime(runtime), m_options(options) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (auto *box = qobject_cast<QMessageBox *>(watched); box && !m_box) {
                m_box = box;
                m_boxShown = Clock::now();
                m_boxShownCpuMs = threadCpuMs();
                m_boxShownFaults = threadFaults();
                m_boxText = box->text();
                m_boxIcon = box->icon();
            } else if (isWindowNamed(watched, "Form2") && m_splashShown == Clock::time_point{}) {
                m_splashShown = Clock::now();
            } else if (isWindowNamed(watched, "Form3") && m_menuShown == Clock::time_point{}) {
                m_menuShown = Clock::now();
            }
            return false;
        case QEvent::Hide:
            if (isWindowNamed(watched, "Form2") && m_splashGone == Clock::time_point{}) {
                m_splashGone = Clock::now();
                QTimer::singleShot(0, this, [this] { play(); });
            }
            return false;
        case QEvent::Expose:
            if (m_box && !m_boxDrawn && watched == m_box->windowHandle()) {
                watched->event(event); // paints the box and flushes it
                if (!m_box->windowHandle()->isExposed())
                    return true;
                m_boxDrawn = true;
                m_boxDrawnAt = Clock::now();
                QTimer::singleShot(0, m_box, [box = m_box] {
                    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                        QTest::mouseClick(ok, Qt::LeftButton);
                    else
                        box->done(QMessageBox::Ok);
                });
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    void play()
    {
        if (m_menuShown == Clock::time_point{} || m_menuShown < m_splashShown)
            fail(QStringLiteral("the splash window went without showing the menu"));
        std::printf("splash %.3f %.3f\n", msBetween(m_splashShown, m_splashGone),
                    msBetween(m_splashShown, m_menuShown));

        board::Form1 &board = openBoard();
        tick(board, {1, 2, 3, 4, 5, 6});
        for (int i = 0; i < m_options.presses; ++i) {
            press(board, "invalid", QStringLiteral("invalid selection"));
            if (!board.isLoaded())
                fail(QStringLiteral("\"invalid selection\" unloaded the board"));
        }
        board.window()->close(); // closed from the desktop: unloaded, so NEW GAME starts afresh
        if (board.isLoaded())
            fail(QStringLiteral("closing the board left it loaded"));

        for (int i = 0; i < m_options.verdicts; ++i) {
            const int code = board::catalogue::lowestCode + i % board::catalogue::highestCode;
            board::Form1 &fresh = openBoard();
            tick(fresh, groupsFor(code));
            press(fresh, "verdict", *board::catalogue::verdictText(code));
            if (fresh.isLoaded())
                fail(QStringLiteral("a verdict left the board loaded"));
        }

        QTest::mouseClick(menu().control<QAbstractButton>(QStringLiteral("Command2")),
                          Qt::LeftButton); // EXIT ends the event loop
    }

    shell::Form3 &menu() const
    {
        shell::Form3 *menu = m_runtime.instance<shell::Form3>();
        if (!menu || !menu->isLoaded())
            fail(QStringLiteral("the menu is not loaded"));
        return *menu;
    }

    board::Form1 &openBoard()
    {
        QTest::mouseClick(menu().control<QAbstractButton>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        board::Form1 *board = m_runtime.instance<board::Form1>();
        if (!board || !board->isLoaded())
            fail(QStringLiteral("NEW GAME showed no board"));
        if (!QTest::qWaitForWindowExposed(board->window()))
            fail(QStringLiteral("the board never came on the screen"));
        return *board;
    }

    static void tick(board::Form1 &board, const std::vector<int> &groups)
    {
        for (const int k : groups) {
            auto *box = board.control<QCheckBox>(QStringLiteral("Check%1").arg(k));
            if (!box)
                fail(QStringLiteral("no check box %1").arg(k));
            QTest::mouseClick(box, Qt::LeftButton);
            if (!box->isChecked())
                fail(QStringLiteral("a click did not tick check box %1").arg(k));
        }
    }

    void press(board::Form1 &board, const char *kind, const QString &expected)
    {
        QTest::qWait(m_options.settleMs); // the board repaints where the last box was
        auto *find = board.control<QAbstractButton>(QStringLiteral("Command1"));
        if (!find)
            fail(QStringLiteral("no Find button"));
        m_box = nullptr;
        m_boxDrawn = false;

        const long clickedFaults = threadFaults();
        const double clickedCpuMs = threadCpuMs();
        const Clock::time_point clicked = Clock::now();
        QTest::mouseClick(find, Qt::LeftButton); // returns once the box is closed

        if (!m_boxDrawn)
            fail(QStringLiteral("Find showed no message box on the screen"));
        if (m_boxText != expected || m_boxIcon != QMessageBox::NoIcon)
            fail(QStringLiteral("Find showed \"%1\" instead of \"%2\"").arg(m_boxText, expected));
        std::printf("find %s %d %.3f %.3f %.3f %ld\n", kind, m_pressCount++,
                    msBetween(clicked, m_boxShown), msBetween(clicked, m_boxDrawnAt),
                    m_boxShownCpuMs - clickedCpuMs, m_boxShownFaults - clickedFaults);
    }

    rt::Runtime &m_runtime;
    const Options m_options;
    Clock::time_point m_splashShown{}, m_menuShown{}, m_splashGone{};
    QPointer<QMessageBox> m_box;
    Clock::time_point m_boxShown{}, m_boxDrawnAt{};
    double m_boxShownCpuMs = 0;
    long m_boxShownFaults = 0;
    bool m_boxDrawn = false;
    QString m_boxText;
    QMessageBox::Icon m_boxIcon = QMessageBox::NoIcon;
    int m_pressCount = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    const Options options = parse(argc, argv);

    // As shell/main.cpp starts the program.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("rideriddle"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/rideriddle.png")));

    rt::Runtime runtime;
    Session session(runtime, options);
    app.installEventFilter(&session);
    const auto limit = std::chrono::seconds(60 + options.presses / 10 + options.verdicts);
    QTimer::singleShot(limit, [] { fail(QStringLiteral("timed out")); });

    const int status = runtime.start<shell::Form2>();
    std::fflush(stdout);
    return status;
}
