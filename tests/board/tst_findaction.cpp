#include "catalogue.h"
#include "dispatch.h"
#include "findaction.h"
#include "recordingboard.h"
#include "recordingservices.h"

#include <QTest>

using namespace board;

namespace {

// The groups whose lists show the vehicle named `name`, read off the lists themselves;
// "richshaw" stands for the rickshaw.
QList<int> groupsListing(const QString &name)
{
    QList<int> groups;
    for (int group = 1; group <= catalogue::groupCount; ++group) {
        for (QString entry : catalogue::groupList(group)) {
            if (entry == "richshaw")
                entry = "rickshaw";
            if (entry == name)
                groups << group;
        }
    }
    return groups;
}

std::optional<rt::RuntimeError> press(RecordingBoard &board, RecordingServices &services)
{
    return rt::runHandler([&] { Command1_Click(board, services); });
}

} // namespace

class TestFindAction : public QObject {
    Q_OBJECT

private slots:
    void everyVehicle_data()
    {
        QTest::addColumn<int>("code");
        for (int code = catalogue::lowestCode; code <= catalogue::highestCode; ++code)
            QTest::addRow("%d", code) << code;
    }

    // Ticking exactly the groups that list a vehicle names it on a fresh board.
    void everyVehicle()
    {
        QFETCH(int, code);
        const QString verdict = *catalogue::verdictText(code);
        const QList<int> groups = groupsListing(verdict.trimmed());
        QVERIFY(!groups.isEmpty());
        double sum = 0;
        RecordingBoard board;
        for (int group : groups) {
            sum += catalogue::groupWeight(group);
            board.ticks[group - 1] = 1;
        }
        QCOMPARE(sum, double(code));

        RecordingServices services;
        QVERIFY(!press(board, services));
        QCOMPARE(services.messageTexts(), QStringList{verdict});
        QCOMPARE(services.messages.first().buttons, rt::MessageBoxButtons::OkOnly);
        QCOMPARE(services.unloaded, QStringList{"Form1"});
        QCOMPARE(board.score, QString::number(code));
    }

    // The score is written once per ticked box, before the next box is read. The range test
    // reads the score twice on every press, whichever of its conditions holds.
    void accessOrder_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QList<int>>("groups");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("message");

        const QStringList rangeTest = {"Text2.Text", "Text2.Text"};
        QStringList seven = {"Check1.Value", "Check2.Value", "Text2.Text",   "Text2.Text=2",
                             "Check3.Value", "Check4.Value", "Check5.Value", "Text2.Text",
                             "Text2.Text=7", "Check6.Value"};
        seven << rangeTest;
        for (int code = 20; code >= 7; --code)
            seven << "Text2.Text"; // the ladder reads afresh for every code it tries
        QStringList untouched;
        for (int k = 1; k <= 6; ++k)
            untouched << QString("Check%1.Value").arg(k);
        untouched << rangeTest;

        QTest::newRow("7") << "0" << QList<int>{2, 5} << seven << " ship";
        QTest::newRow("above 20") << "21" << QList<int>{} << untouched << "invalid selection";
        QTest::newRow("0") << "0" << QList<int>{} << untouched << "invalid selection";
    }

    void accessOrder()
    {
        QFETCH(QString, before);
        QFETCH(QList<int>, groups);
        QFETCH(QStringList, expected);
        QFETCH(QString, message);
        RecordingBoard board;
        for (int k : groups)
            board.ticks[k - 1] = 1;
        board.score = before;
        RecordingServices services;
        QVERIFY(!press(board, services));
        QCOMPARE(board.log, expected);
        QCOMPARE(services.messageTexts(), QStringList{message});
    }

    void scoreWrites_data()
    {
        QTest::addColumn<QList<qint16>>("ticks");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QString>("message");

        const QList<qint16> all = {1, 1, 1, 1, 1, 1};
        QTest::newRow("nothing ticked")
            << QList<qint16>{0, 0, 0, 0, 0, 0} << "0" << QStringList{} << "invalid selection";
        QTest::newRow("only Check3")
            << QList<qint16>{0, 0, 1, 0, 0, 0} << "0" << QStringList{"3"} << " helecopter";
        QTest::newRow("all six") << all << "0" << QStringList{"1", "3", "6", "10", "15", "21"}
                                 << "invalid selection";
        QTest::newRow("all six again")
            << all << "21" << QStringList{"22", "24", "27", "31", "36", "42"}
            << "invalid selection";
        QTest::newRow("greyed adds nothing")
            << QList<qint16>{2, 1, 0, 0, 0, 0} << "0" << QStringList{"2"} << " tram";
        QTest::newRow("only exactly 1 counts")
            << QList<qint16>{-1, 3, 1, 0, 0, 0} << "0" << QStringList{"3"} << " helecopter";
        QTest::newRow("no group's set, still a code")
            << QList<qint16>{1, 1, 1, 0, 0, 0} << "0" << QStringList{"1", "3", "6"} << " steamer";
    }

    void scoreWrites()
    {
        QFETCH(QList<qint16>, ticks);
        QFETCH(QString, before);
        QFETCH(QStringList, writes);
        QFETCH(QString, message);
        RecordingBoard board;
        std::copy(ticks.begin(), ticks.end(), board.ticks.begin());
        board.score = before;
        RecordingServices services;
        QVERIFY(!press(board, services));
        QCOMPARE(board.scoreWrites, writes);
        QCOMPARE(services.messageTexts(), QStringList{message});
    }

    // What one press shows and whether the board goes, by the score it starts from, nothing
    // ticked unless a row says so.
    void outcomes_data()
    {
        QTest::addColumn<QString>("score");
        QTest::addColumn<bool>("tickFirst");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("unloaded");
        QTest::addColumn<int>("error"); // 0: the press ends normally

        QTest::newRow("0") << "0" << false << QStringList{"invalid selection"} << false << 0;
        for (int code = 1; code <= 20; ++code)
            QTest::addRow("%d", code) << QString::number(code) << false
                                      << QStringList{*catalogue::verdictText(code)} << true << 0;
        QTest::newRow("21") << "21" << false << QStringList{"invalid selection"} << false << 0;
        QTest::newRow("42") << "42" << false << QStringList{"invalid selection"} << false << 0;
        QTest::newRow("fraction") << "2.5" << false << QStringList{} << true << 0;
        QTest::newRow("negative") << "-3" << false << QStringList{} << true << 0;
        QTest::newRow("blank before a code") << " 7" << false << QStringList{" ship"} << true << 0;
        QTest::newRow("letters read as 0")
            << "abc" << false << QStringList{"invalid selection"} << false << 0;
        QTest::newRow("letters with a tick") << "abc" << true << QStringList{} << false << 13;
        QTest::newRow("number then letters") << "5abc" << false << QStringList{} << false << 13;
        QTest::newRow("too large for a double") << "1e999" << false << QStringList{} << false << 6;
        QTest::newRow("too large, ticked") << "1e999" << true << QStringList{} << false << 6;
    }

    void outcomes()
    {
        QFETCH(QString, score);
        QFETCH(bool, tickFirst);
        QFETCH(QStringList, messages);
        QFETCH(bool, unloaded);
        QFETCH(int, error);
        RecordingBoard board;
        board.score = score;
        board.ticks[0] = tickFirst ? 1 : 0;
        RecordingServices services;
        const auto raised = press(board, services);
        QCOMPARE(raised ? raised->number() : 0, error);
        QCOMPARE(services.messageTexts(), messages);
        QCOMPARE(services.unloaded.size(), unloaded ? 1 : 0);
        if (error)
            QCOMPARE(board.score, score); // the failed press wrote nothing
    }

    // Each access of a press in turn fails: the press stops at exactly that access, keeps the
    // writes made before it, shows no message and does not unload the board.
    void failingAccess_data()
    {
        QTest::addColumn<int>("failAt");
        auto board = RecordingBoard::withTicks({2, 5});
        RecordingServices services;
        press(board, services);
        for (int n = 1; n <= board.log.size(); ++n)
            QTest::addRow("%d %s", n, qPrintable(board.log[n - 1])) << n;
    }

    void failingAccess()
    {
        QFETCH(int, failAt);
        auto reference = RecordingBoard::withTicks({2, 5});
        RecordingServices referenceServices;
        press(reference, referenceServices);
        QStringList writesBefore;
        for (int i = 0; i < failAt - 1; ++i)
            if (reference.log[i].startsWith("Text2.Text="))
                writesBefore << reference.log[i].mid(11);

        auto board = RecordingBoard::withTicks({2, 5});
        board.failAt = failAt;
        RecordingServices services;
        const auto error = press(board, services);
        QVERIFY(error);
        QCOMPARE(error->number(), int(rt::RuntimeError::AutomationError));
        QCOMPARE(board.log.size(), failAt);
        QCOMPARE(board.scoreWrites, writesBefore);
        QVERIFY(services.messages.isEmpty());
        QVERIFY(services.unloaded.isEmpty());
    }

    void failingUnload()
    {
        auto board = RecordingBoard::withTicks({1});
        RecordingServices services;
        services.unloadStatus = rt::AccessStatus::failure(440, "Automation error");
        const auto error = press(board, services);
        QVERIFY(error);
        QCOMPARE(error->number(), 440);
        QCOMPARE(services.messageTexts(), QStringList{" boat"});
        QVERIFY(services.unloaded.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFindAction)
#include "tst_findaction.moc"
