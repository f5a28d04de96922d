#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "runtimefixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using board::Form1;
using shell::Form2;
using shell::Form3;

namespace {

// Logs every run-time operation and makes the n-th one after arming fail.
struct Injector {
    QStringList log;
    int failAt = 0; // 0: nothing fails
    bool armed = false;

    rt::AccessStatus operator()(const QString &operation)
    {
        if (!armed)
            return {};
        log << operation;
        if (log.size() == failAt)
            return rt::AccessStatus::failure(440, QStringLiteral("Automation error"));
        return {};
    }
};

const QString report = QStringLiteral("Run-time error '440':\n\nAutomation error");

} // namespace

// Each run-time operation of a Find press, of NEW GAME and of the splash tick fails in turn:
// every case ends in the run-time error report and the end of the program with status 1, with
// no message of the game's own, no unload that the failing step would have come before, and the
// writes already made kept.
class TestFaults : public QObject {
    Q_OBJECT

    RuntimeFixture fx;
    Injector injector;

    // What the windows were like when the report came up, before the end closed them.
    struct AtReport {
        bool boardLoaded = false;
        bool menuLoaded = false;
        bool splashLoaded = false;
        QString score;
    } atReport;

    void setUp(int failAt)
    {
        fx.setUp();
        injector = {};
        injector.failAt = failAt;
        atReport = {};
        fx.runtime->setFaultInjector([this](const QString &op) { return injector(op); });
        fx.runtime->setMessagePresenter([this](const QString &text, QMessageBox::Icon icon) {
            fx.shown.append({text, icon});
            if (icon != QMessageBox::Critical)
                return;
            auto *board = fx.runtime->instance<Form1>();
            atReport.boardLoaded = board && board->isLoaded();
            if (atReport.boardLoaded)
                atReport.score = board->control<QLineEdit>("Text2")->text();
            atReport.menuLoaded =
                fx.runtime->instance<Form3>() && fx.runtime->instance<Form3>()->isLoaded();
            atReport.splashLoaded =
                fx.runtime->instance<Form2>() && fx.runtime->instance<Form2>()->isLoaded();
        });
    }

    // A menu with a loaded board ticked {2, 5}, then Find pressed with faults armed.
    void pressFind()
    {
        Form3 &menu = fx.runtime->newInstance<Form3>();
        QVERIFY(!menu.show().failed());
        QTest::mouseClick(menu.control("Command1"), Qt::LeftButton);
        Form1 *board = fx.runtime->instance<Form1>();
        QVERIFY(board && board->isLoaded());
        QTest::mouseClick(board->control("Check2"), Qt::LeftButton);
        QTest::mouseClick(board->control("Check5"), Qt::LeftButton);
        injector.armed = true;
        QTest::mouseClick(board->control("Command1"), Qt::LeftButton);
    }

    void pressNewGame()
    {
        Form3 &menu = fx.runtime->newInstance<Form3>();
        QVERIFY(!menu.show().failed());
        injector.armed = true;
        QTest::mouseClick(menu.control("Command1"), Qt::LeftButton);
    }

    void splashTick()
    {
        Form2 &splash = fx.runtime->newInstance<Form2>();
        QVERIFY(!splash.show().failed());
        injector.armed = true;
        splash.control<QTimer>("Timer1")->setInterval(1);
        QTRY_VERIFY(fx.quitStatus || !splash.isLoaded());
    }

    // The operations a scenario runs when nothing fails.
    QStringList operationsOf(void (TestFaults::*scenario)())
    {
        setUp(0);
        (this->*scenario)();
        const QStringList log = injector.log;
        fx.tearDownLeavesNoWindow();
        return log;
    }

    // The report comes after `messages`, the game's own messages shown before the failure.
    void expectReportAndEnd(const QStringList &messages = {})
    {
        QCOMPARE(fx.shownTexts(), messages + QStringList{report});
        QCOMPARE(fx.shown.last().icon, QMessageBox::Critical);
        QCOMPARE(fx.quitStatus, std::optional<int>(1));
        QCOMPARE(fx.runtime->loadedWindowCount(), 0);
    }

private slots:
    void cleanup() { QVERIFY(fx.tearDownLeavesNoWindow()); }

    void findPress_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::addColumn<QString>("scoreAtReport");
        const QStringList ops = operationsOf(&TestFaults::pressFind);
        QCOMPARE(ops.mid(0, 5), QStringList({"Check1.Value", "Check2.Value", "Text2.Text",
                                             "Text2.Text=", "Check3.Value"}));
        QCOMPARE(ops.mid(ops.size() - 2), QStringList({"MsgBox", "Unload Form1"}));
        QString score = "0";
        for (int n = 1; n <= ops.size(); ++n) {
            QTest::addRow("%d %s", n, qPrintable(ops[n - 1])) << n << score;
            if (ops[n - 1] == "Text2.Text=")
                score = score == "0" ? "2" : "7";
        }
    }

    void findPress()
    {
        QFETCH(int, failAt);
        QFETCH(QString, scoreAtReport);
        setUp(failAt);
        pressFind();
        // only the unload comes after the verdict
        expectReportAndEnd(injector.log.last() == "Unload Form1" ? QStringList{" ship"}
                                                                 : QStringList{});
        QVERIFY(atReport.boardLoaded); // the failure came before the unload, or was the unload
        QCOMPARE(atReport.score, scoreAtReport);
        QVERIFY(atReport.menuLoaded);
    }

    void newGame_data()
    {
        QTest::addColumn<int>("failAt");
        const QStringList ops = operationsOf(&TestFaults::pressNewGame);
        QCOMPARE(ops, QStringList({"New Form1", "Show Form1"}));
        for (int n = 1; n <= ops.size(); ++n)
            QTest::addRow("%s", qPrintable(ops[n - 1])) << n;
    }

    void newGame()
    {
        QFETCH(int, failAt);
        setUp(failAt);
        pressNewGame();
        expectReportAndEnd();
        QVERIFY(!atReport.boardLoaded);
        QVERIFY(atReport.menuLoaded);
    }

    void splash_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::addColumn<bool>("menuAtReport");
        const QStringList ops = operationsOf(&TestFaults::splashTick);
        QCOMPARE(ops, QStringList({"New Form3", "Show Form3", "Unload Form2"}));
        QTest::newRow("New Form3") << 1 << false;
        QTest::newRow("Show Form3") << 2 << false;
        QTest::newRow("Unload Form2") << 3 << true;
    }

    void splash()
    {
        QFETCH(int, failAt);
        QFETCH(bool, menuAtReport);
        setUp(failAt);
        splashTick();
        expectReportAndEnd();
        QVERIFY(atReport.splashLoaded); // the splash window is not unloaded
        QCOMPARE(atReport.menuLoaded, menuAtReport);
    }

    // The message boxes of the menu's own actions fail the same way.
    void menuMessages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("About Us") << "Command3";
        QTest::newRow("Help") << "Command4";
    }

    void menuMessages()
    {
        QFETCH(QString, button);
        setUp(1);
        Form3 &menu = fx.runtime->newInstance<Form3>();
        QVERIFY(!menu.show().failed());
        injector.armed = true;
        QTest::mouseClick(menu.control(button), Qt::LeftButton);
        QCOMPARE(injector.log, QStringList{"MsgBox"});
        expectReportAndEnd();
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
