#include "dispatch.h"

#include <QTest>

#include <new>

class TestDispatch : public QObject {
    Q_OBJECT

private slots:
    void handlerRunsToItsEnd()
    {
        bool ran = false;
        QVERIFY(!rt::runHandler([&] { ran = true; }));
        QVERIFY(ran);
    }

    // An error stops the handler where it arose, and what it held is released on the way out.
    void errorStopsHandlerAndReleasesTemporaries()
    {
        struct Temporary {
            int &released;
            ~Temporary() { ++released; }
        };
        int released = 0;
        bool after = false;
        const auto error = rt::runHandler([&] {
            Temporary text{released};
            Temporary object{released};
            throw rt::RuntimeError::typeMismatch();
            after = true;
        });
        QVERIFY(error);
        QCOMPARE(error->number(), 13);
        QCOMPARE(released, 2);
        QVERIFY(!after);
    }

    void exhaustedMemoryIsOutOfMemory()
    {
        const auto error = rt::runHandler([] { throw std::bad_alloc(); });
        QVERIFY(error);
        QCOMPARE(error->number(), int(rt::RuntimeError::OutOfMemory));
    }

    void report()
    {
        QCOMPARE(rt::RuntimeError::typeMismatch().report(),
                 QStringLiteral("Run-time error '13':\n\nType mismatch"));
        QCOMPARE(rt::RuntimeError(440, QStringLiteral("Automation error")).report(),
                 QStringLiteral("Run-time error '440':\n\nAutomation error"));
    }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
