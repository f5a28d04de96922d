#include "catalogue.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace board;

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void catalogueTextCounts()
    {
        const QString text = catalogue::catalogueText();
        QCOMPARE(text.size(), 233);
        QCOMPARE(text.count(QRegularExpression("[a-z]")), 109);
        QCOMPARE(text.count(u'\t'), 14);
        QCOMPARE(text.count(u' '), 100);
        QCOMPARE(text.count(u'\r'), 5);
        QCOMPARE(text.count(u'\n'), 5);
        QVERIFY(text.endsWith("\t\r\n"));
    }

    // Row r lists the codes 24 - 4r down to 21 - 4r, by the names their verdicts use.
    void catalogueRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("endsWithTab"); // just before its line break
        QTest::newRow("1") << 1 << 45 << false;
        QTest::newRow("2") << 2 << 52 << false;
        QTest::newRow("3") << 3 << 43 << false;
        QTest::newRow("4") << 4 << 50 << true;
        QTest::newRow("5") << 5 << 33 << true;
    }

    void catalogueRows()
    {
        QFETCH(int, row);
        QFETCH(int, length);
        QFETCH(bool, endsWithTab);
        const QStringList rows = catalogue::catalogueText().split("\r\n");
        QCOMPARE(rows.size(), 6);
        QVERIFY(rows.last().isEmpty());
        const QString line = rows[row - 1];
        QCOMPARE(line.size(), length);
        QVERIFY(!line.startsWith(u' ') && !line.startsWith(u'\t'));
        QCOMPARE(line.endsWith(u'\t'), endsWithTab);

        const QStringList names = line.split(QRegularExpression("[ \t]+"), Qt::SkipEmptyParts);
        QStringList expected;
        for (int code = 24 - 4 * row; code >= 21 - 4 * row; --code)
            expected << catalogue::verdictText(code)->trimmed();
        QCOMPARE(names, expected);
    }

    void rowTwoSeparatesScootorFromBusByBlanksOnly()
    {
        QVERIFY(catalogue::catalogueText().contains("scootor      bus\t"));
    }

    // Seventeen verdicts begin with one blank; "car" and "auto" have none; "rickshaw " ends
    // with one.
    void verdictBlanks()
    {
        for (int code = catalogue::lowestCode; code <= catalogue::highestCode; ++code) {
            const QString text = *catalogue::verdictText(code);
            const QString name = text.trimmed();
            QString expected = u' ' + name;
            if (code == 20 || code == 17)
                expected = name;
            else if (code == 18)
                expected = name + u' ';
            QCOMPARE(text, expected);
        }
    }

    void noVerdictOutsideCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("no ticks") << 0;
        QTest::newRow("all six") << 21;
        QTest::newRow("negative") << -1;
    }

    void noVerdictOutsideCodes()
    {
        QFETCH(int, code);
        QVERIFY(!catalogue::verdictText(code));
    }

    void groupLists_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("first");
        QTest::newRow("1") << 1 << 10 << "bicycle";
        QTest::newRow("2") << 2 << 9 << "car";
        QTest::newRow("3") << 3 << 10 << "car";
        QTest::newRow("4") << 4 << 13 << "car";
        QTest::newRow("5") << 5 << 8 << "car";
        QTest::newRow("6") << 6 << 10 << "car";
    }

    void groupLists()
    {
        QFETCH(int, group);
        QFETCH(int, entries);
        QFETCH(QString, first);
        const QStringList list = catalogue::groupList(group);
        QCOMPARE(list.size(), entries);
        QCOMPARE(list.first(), first);
        QCOMPARE(QSet<QString>(list.begin(), list.end()).size(), entries);
        QCOMPARE(catalogue::groupWeight(group), double(group));
    }

    void groupFiveShowsJeepBeforeScootor()
    {
        const QStringList list = catalogue::groupList(5);
        QCOMPARE(list.indexOf("jeep"), 4);
        QCOMPARE(list.indexOf("scootor"), 5);
    }

    void richshawStandsOnlyInGroupsFourAndSix()
    {
        for (int group = 1; group <= catalogue::groupCount; ++group)
            QCOMPARE(catalogue::groupList(group).contains("richshaw"), group == 4 || group == 6);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
