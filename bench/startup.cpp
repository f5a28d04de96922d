// Linked into the start-up benchmarks beside a program's own main(): notes the end of the first
// paint of the first top-level window, prints how long the process took to get there and how
// much memory it had used, and ends the process at once so that tear-down is not measured.
//
// The launcher puts the time it exec()s the program into RRBENCH_T0_US, in microseconds of the
// real-time clock (bash's EPOCHREALTIME). Without it the kernel's start time of the process is
// used, which is only good to a clock tick.
//
// Printed on one line, times in milliseconds since the process started:
//   first_paint_ms  the top-level window's paintEvent has returned
//   first_frame_ms  the expose or update that painted it has been handled, the frame flushed
//   maxrss_kib      getrusage(RUSAGE_SELF).ru_maxrss at first_paint_ms
//   vmhwm_kib       VmHWM of /proc/self/status at first_paint_ms
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace {

double realTimeUs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

double bootTimeUs()
{
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

// Microseconds from the process start to now.
double sinceStartUs()
{
    if (const char *t0 = std::getenv("RRBENCH_T0_US"); t0 && *t0)
        return realTimeUs() - std::strtod(t0, nullptr);

    // Field 22 of /proc/self/stat: the start time in clock ticks after boot. The command name in
    // field 2 may hold blanks, so the count starts after its closing parenthesis.
    std::ifstream stat("/proc/self/stat");
    const std::string line((std::istreambuf_iterator<char>(stat)), {});
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double ticks = std::strtod(field.c_str(), nullptr);
    return bootTimeUs() - ticks * 1e6 / double(sysconf(_SC_CLK_TCK));
}

long vmHwmKib()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Paint:
            if (m_paintUs == 0 && watched->isWidgetType() &&
                static_cast<QWidget *>(watched)->isWindow()) {
                deliver(watched, event);
                m_paintUs = sinceStartUs();
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                m_maxRssKib = usage.ru_maxrss;
                m_hwmKib = vmHwmKib();
                m_window = static_cast<QWidget *>(watched);
                if (m_depth == 0) // painted outside any expose or update: no flush to wait for
                    report(m_paintUs);
                return true;
            }
            return false;
        case QEvent::Expose:
        case QEvent::UpdateRequest: {
            // The paint happens inside these; the flush to the window system follows it.
            ++m_depth;
            deliver(watched, event);
            --m_depth;
            if (m_paintUs != 0 && m_depth == 0)
                report(sinceStartUs());
            return true;
        }
        default:
            return false;
        }
    }

private:
    static void deliver(QObject *receiver, QEvent *event) { receiver->event(event); }

    [[noreturn]] void report(double frameUs) const
    {
        QString window = QStringLiteral("?");
        QSize size;
        if (m_window) {
            window = m_window->objectName();
            if (window.isEmpty())
                window = QString::fromLatin1(m_window->metaObject()->className());
            size = m_window->size();
        }
        std::printf("first_paint_ms=%.3f first_frame_ms=%.3f maxrss_kib=%ld vmhwm_kib=%ld "
                    "window=%s size=%dx%d platform=%s qt=%s\n",
                    m_paintUs / 1e3, frameUs / 1e3, m_maxRssKib, m_hwmKib, qPrintable(window),
                    size.width(), size.height(), qPrintable(QGuiApplication::platformName()),
                    qVersion());
        std::fflush(stdout);
        _exit(0);
    }

    double m_paintUs = 0;
    long m_maxRssKib = 0;
    long m_hwmKib = 0;
    QWidget *m_window = nullptr;
    int m_depth = 0;
};

// Runs from the QApplication constructor, before the program's main() goes on.
void installProbe()
{
    QCoreApplication::instance()->installEventFilter(
        new FirstPaintProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
