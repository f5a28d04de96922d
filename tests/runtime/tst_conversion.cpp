#include "access.h"
#include "conversion.h"
#include "fpstatus.h"
#include "runtimeerror.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

// Where the floating-point tests put their results, so the operations are not optimised away.
volatile double fpResult = 0.0;

class TestConversion : public QObject {
    Q_OBJECT

private slots:
    void init() { rt::clearFloatingPointStatus(); }

    // The strict conversion and the leading number side by side: where they part is the point.
    void textToNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("strictAccepts");
        QTest::addColumn<double>("strict");
        QTest::addColumn<double>("leading");

        QTest::newRow("zero") << "0" << true << 0.0 << 0.0;
        QTest::newRow("score") << "21" << true << 21.0 << 21.0;
        QTest::newRow("trailing letters") << "12abc" << false << 0.0 << 12.0;
        QTest::newRow("leading blank") << " 7" << true << 7.0 << 7.0;
        QTest::newRow("trailing blank") << "7 " << true << 7.0 << 7.0;
        QTest::newRow("tab around") << "\t7\t" << true << 7.0 << 7.0;
        QTest::newRow("line break before") << "\r\n5" << false << 0.0 << 5.0;
        QTest::newRow("empty") << "" << false << 0.0 << 0.0;
        QTest::newRow("blank only") << " " << false << 0.0 << 0.0;
        QTest::newRow("exponent") << "1e3" << true << 1000.0 << 1000.0;
        QTest::newRow("exponent with sign") << "25E-1" << true << 2.5 << 2.5;
        QTest::newRow("bare exponent mark") << "1e" << false << 0.0 << 1.0;
        QTest::newRow("letters") << "abc" << false << 0.0 << 0.0;
        QTest::newRow("plus sign") << "+3" << true << 3.0 << 3.0;
        QTest::newRow("negative fraction") << "-2.5" << true << -2.5 << -2.5;
        QTest::newRow("point first") << ".5" << true << 0.5 << 0.5;
        QTest::newRow("point last") << "5." << true << 5.0 << 5.0;
        QTest::newRow("point alone") << "." << false << 0.0 << 0.0;
        QTest::newRow("two points") << "1.5.6" << false << 0.0 << 1.5;
        QTest::newRow("comma is no decimal point") << "1,5" << false << 0.0 << 1.0;
        QTest::newRow("inner blank") << "1 2" << false << 0.0 << 1.0;
        QTest::newRow("hexadecimal") << "&H10" << false << 0.0 << 0.0;
        QTest::newRow("infinity word") << "inf" << false << 0.0 << 0.0;
        QTest::newRow("not a number word") << "nan" << false << 0.0 << 0.0;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << false << 0.0 << 0.0;
        QTest::newRow("tiny") << "1e-400" << true << 0.0 << 0.0;
    }

    void textToNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, strictAccepts);
        QFETCH(double, strict);
        QFETCH(double, leading);

        QCOMPARE(rt::leadingNumber(text), leading);
        if (strictAccepts) {
            QCOMPARE(rt::textToDouble(text), strict);
        } else {
            try {
                rt::textToDouble(text);
                QFAIL("the strict conversion accepted a text that is not a number");
            } catch (const rt::RuntimeError &error) {
                QCOMPARE(error.number(), int(rt::RuntimeError::TypeMismatch));
            }
        }
        rt::checkFloatingPointStatus(); // none of these leaves a fault behind
    }

    // A number too large for a double leaves an overflow for the floating-point test.
    void hugeNumberOverflows_data()
    {
        QTest::addColumn<bool>("strict");
        QTest::addColumn<QString>("text");
        QTest::newRow("strict") << true << "1e999";
        QTest::newRow("strict, many digits") << true << QString(400, u'9');
        QTest::newRow("leading") << false << "9e400x";
        QTest::newRow("leading, negative") << false << "-1e999";
    }

    void hugeNumberOverflows()
    {
        QFETCH(bool, strict);
        QFETCH(QString, text);
        const double value = strict ? rt::textToDouble(text) : rt::leadingNumber(text);
        QVERIFY(std::isinf(value));
        QVERIFY_THROWS_EXCEPTION(rt::RuntimeError, rt::checkFloatingPointStatus());
    }

    void doubleToText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("10") << 10.0 << "10";
        QTest::newRow("21") << 21.0 << "21";
        QTest::newRow("42") << 42.0 << "42";
        QTest::newRow("123456789") << 123456789.0 << "123456789";
        QTest::newRow("negative") << -3.0 << "-3";
        QTest::newRow("fraction") << 0.5 << "0.5";
        QTest::newRow("huge") << 1e20 << "1E+20";
    }

    void doubleToText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(rt::doubleToText(value), text);
    }

    // The floating-point test reports invalid operations, zero divides and overflows only.
    void floatingPointStatus_data()
    {
        QTest::addColumn<std::function<void()>>("operation");
        QTest::addColumn<int>("error"); // 0: no error

        static volatile double big = DBL_MAX;
        static volatile double zero = 0.0;
        static volatile double one = 1.0;
        static volatile double three = 3.0;
        static volatile double tiny = DBL_MIN;
        QTest::newRow("overflow") << std::function<void()>([] { fpResult = big * 2.0; })
                                  << int(rt::RuntimeError::Overflow);
        QTest::newRow("invalid") << std::function<void()>([] { fpResult = zero / zero; })
                                 << int(rt::RuntimeError::Overflow);
        QTest::newRow("zero divide") << std::function<void()>([] { fpResult = one / zero; })
                                     << int(rt::RuntimeError::DivisionByZero);
        QTest::newRow("inexact") << std::function<void()>([] { fpResult = one / three; }) << 0;
        QTest::newRow("underflow") << std::function<void()>([] { fpResult = tiny / 1e10; }) << 0;
        QTest::newRow("nothing") << std::function<void()>([] {}) << 0;
    }

    void floatingPointStatus()
    {
        QFETCH(std::function<void()>, operation);
        QFETCH(int, error);
        operation();
        try {
            rt::checkFloatingPointStatus();
            QCOMPARE(error, 0);
        } catch (const rt::RuntimeError &e) {
            QCOMPARE(e.number(), error);
        }
        rt::checkFloatingPointStatus(); // the report cleared the status
    }

    // A control access clears the status, so a fault from before it is not reported after it.
    void accessClearsStatus()
    {
        static volatile double big = DBL_MAX;
        fpResult = big * 2.0;
        rt::checkAccess(rt::AccessStatus::ok());
        rt::checkFloatingPointStatus();

        fpResult = big * 2.0;
        try {
            rt::checkAccess(rt::AccessStatus::failure(440, QStringLiteral("Automation error")));
            QFAIL("a failed access raised no error");
        } catch (const rt::RuntimeError &e) {
            QCOMPARE(e.number(), 440);
            QCOMPARE(e.description(), QStringLiteral("Automation error"));
        }
        rt::checkFloatingPointStatus();
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
