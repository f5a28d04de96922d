#include "colour.h"

#include <QTest>

// The contrast measure against known values, and the caption colour on the faces the program
// draws on the palettes it meets.
class TestColour : public QObject {
    Q_OBJECT

private slots:
    void contrastRatio_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black and white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("one colour") << QColor(255, 255, 192) << QColor(255, 255, 192) << 1.0;
        QTest::newRow("#767676 and white") << QColor(0x767676) << QColor(Qt::white) << 4.54;
        QTest::newRow("#777777 and white") << QColor(0x777777) << QColor(Qt::white) << 4.48;
        QTest::newRow("light grey and light yellow")
            << QColor(240, 240, 240) << QColor(255, 255, 192) << 1.10;
        QTest::newRow("black and dark yellow") << QColor(Qt::black) << QColor(192, 192, 0) << 10.78;
    }

    void contrastRatio()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(rt::contrastRatio(a, b) - ratio) < 0.01,
                 qPrintable(QString::number(rt::contrastRatio(a, b))));
        QCOMPARE(rt::contrastRatio(b, a), rt::contrastRatio(a, b));
    }

    // The desktop's colour where it reads on the face (4.5 : 1), else black or white.
    void captionColour_data()
    {
        QTest::addColumn<QColor>("face");
        QTest::addColumn<QColor>("preferred");
        QTest::addColumn<QColor>("expected");
        const QColor lightYellow(255, 255, 192), darkYellow(192, 192, 0), light(240, 240, 240);
        QTest::newRow("black on light yellow")
            << lightYellow << QColor(Qt::black) << QColor(Qt::black);
        QTest::newRow("light text on light yellow") << lightYellow << light << QColor(Qt::black);
        QTest::newRow("navy on light yellow")
            << lightYellow << QColor(0, 0, 128) << QColor(0, 0, 128);
        QTest::newRow("light text on dark yellow") << darkYellow << light << QColor(Qt::black);
        QTest::newRow("light text on black") << QColor(Qt::black) << light << light;
        QTest::newRow("black on black")
            << QColor(Qt::black) << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("grey on dark grey")
            << QColor(50, 50, 50) << QColor(0x767676) << QColor(Qt::white);
        QTest::newRow("just readable") << QColor(Qt::white) << QColor(0x767676) << QColor(0x767676);
        QTest::newRow("just unreadable")
            << QColor(Qt::white) << QColor(0x777777) << QColor(Qt::black);
        QTest::newRow("mid blue") << QColor(57, 141, 204) << QColor(57, 141, 204)
                                  << QColor(Qt::black);
    }

    void captionColour()
    {
        QFETCH(QColor, face);
        QFETCH(QColor, preferred);
        QFETCH(QColor, expected);
        const QColor caption = rt::captionColour(face, preferred);
        QCOMPARE(caption, expected);
        QVERIFY(rt::contrastRatio(caption, face) >= rt::readableContrast);
    }
};

QTEST_APPLESS_MAIN(TestColour)
#include "tst_colour.moc"
