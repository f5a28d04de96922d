#include "form2.h"
#include "form3.h"
#include "runtimefixture.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using shell::Form2;
using shell::Form3;

class TestForm2 : public QObject {
    Q_OBJECT

    RuntimeFixture fx;
    Form2 *splash = nullptr;
    QElapsedTimer sinceLoad;

    Form3 *menu() const { return fx.runtime->instance<Form3>(); }
    bool menuShown() const { return menu() && menu()->isLoaded(); }

    void open()
    {
        splash = &fx.runtime->newInstance<Form2>();
        sinceLoad.start();
        QVERIFY(!splash->show().failed());
    }

private slots:
    void init() { fx.setUp(); }

    void cleanup()
    {
        splash = nullptr;
        QVERIFY(fx.tearDownLeavesNoWindow());
    }

    void windowAttributes()
    {
        open();
        QWidget *w = splash->window();
        QCOMPARE(w->objectName(), QString("Form2"));
        QVERIFY(w->windowTitle().isEmpty());
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QCOMPARE(w->frameGeometry(), w->screen()->availableGeometry());
        auto *timer = splash->control<QTimer>("Timer1");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 3000);
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    }

    // The picture at natural size from the top-left corner; beyond it the background colour,
    // the window-text colour (not the menu-text one) looked up when drawn.
    void picturePlacement()
    {
        RuntimeFixture::setTextColours(QColor(40, 0, 80), QColor(0, 0, 200));
        open();
        const QImage shot =
            splash->window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = QImage(":/assets/splash.bmp").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(picture.size(), QSize(737, 435));
        QVERIFY(shot.width() > 737 && shot.height() > 435);
        QCOMPARE(shot.copy(0, 0, 737, 435), picture);
        QCOMPARE(shot.pixelColor(740, 10), QColor(40, 0, 80));
        QCOMPARE(shot.pixelColor(10, 440), QColor(40, 0, 80));
    }

    // The menu comes no sooner than 3000 ms after the splash window loads, once; the splash
    // window is gone right after, and at no moment is no window loaded.
    void tickShowsMenuThenUnloads()
    {
        open();
        QSignalSpy ticks(splash->control<QTimer>("Timer1"), &QTimer::timeout);
        QPointer<QWidget> splashWindow = splash->window();
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 4000);
        const qint64 elapsed = sinceLoad.elapsed();
        QVERIFY2(elapsed >= 3000, qPrintable(QString::number(elapsed)));
        QVERIFY(!splash->isLoaded());
        QVERIFY(!fx.quitStatus);
        QTRY_VERIFY(splashWindow.isNull()); // the window and its timer are destroyed

        QTest::qWait(3200);
        QCOMPARE(ticks.size(), 1);
        QVERIFY(!splash->isLoaded());
        QVERIFY(menuShown());
    }

    void clicksAndKeysDoNothing()
    {
        open();
        QTest::mouseClick(splash->window(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::keyClick(splash->window(), Qt::Key_Return);
        QTest::keyClick(splash->window(), Qt::Key_Escape);
        QTest::qWait(200);
        QVERIFY(splash->isLoaded());
        QVERIFY(!menu());
        QTRY_VERIFY_WITH_TIMEOUT(menuShown(), 4000);
        QVERIFY(sinceLoad.elapsed() >= 3000);
    }

    // Closed before its tick, the splash window takes its timer with it: no menu, and with no
    // window left the program ends with status 0.
    void earlyCloseEndsProgram()
    {
        open();
        QVERIFY(splash->window()->close());
        QCOMPARE(fx.quitStatus, std::optional<int>(0));
        QTest::qWait(3300);
        QVERIFY(!menu());
    }

    void existingMenuInstanceIsShown()
    {
        Form3 &existing = fx.runtime->newInstance<Form3>();
        open();
        QTRY_VERIFY_WITH_TIMEOUT(existing.isLoaded(), 4000);
        QCOMPARE(menu(), &existing);
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
