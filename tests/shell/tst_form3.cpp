#include "accessibleaction.h"
#include "catalogue.h"
#include "contrast.h"
#include "form1.h"
#include "form3.h"
#include "graphicalbutton.h"
#include "heldkeyplayer.h"
#include "menuactions.h"
#include "runtimefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

using board::Form1;
using shell::Form3;

class TestForm3 : public QObject {
    Q_OBJECT

    RuntimeFixture fx;
    Form3 *menu = nullptr;

    QWidget *button(int n) const { return menu->control(QString("Command%1").arg(n)); }
    void click(int n) { QTest::mouseClick(button(n), Qt::LeftButton); }
    Form1 *board() const { return fx.runtime->instance<Form1>(); }
    QString boardScore() const { return board()->control<QLineEdit>("Text2")->text(); }

    void tickAndFind(std::initializer_list<int> groups)
    {
        for (int k : groups)
            QTest::mouseClick(board()->control(QString("Check%1").arg(k)), Qt::LeftButton);
        QTest::mouseClick(board()->control("Command1"), Qt::LeftButton);
    }

    static QImage grabOf(QWidget *w)
    {
        return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static int countColour(const QImage &image, QColor colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }

private slots:
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

    void windowAttributes()
    {
        QWidget *w = menu->window();
        QCOMPARE(w->objectName(), QString("Form3"));
        QVERIFY(w->windowTitle().isEmpty());
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QCOMPARE(w->frameGeometry(), w->screen()->availableGeometry());
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(w->findChildren<QWidget *>().size(), 4);
        QCOMPARE(grabOf(w).pixelColor(5, 5), QColor(Qt::black));
    }

    void layout_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("NEW GAME") << 1 << QRect(240, 120, 329, 73);
        QTest::newRow("EXIT") << 2 << QRect(240, 216, 329, 73);
        QTest::newRow("About Us") << 3 << QRect(216, 336, 201, 73);
        QTest::newRow("Help") << 4 << QRect(448, 336, 201, 73);
    }

    void layout()
    {
        QFETCH(int, n);
        QFETCH(QRect, rect);
        QCOMPARE(button(n)->geometry(), rect);
        QCOMPARE(qobject_cast<QAbstractButton *>(button(n))->text(), QString(n == 2 ? " " : ""));
    }

    void tabOrderStartsOnNewGame()
    {
        QStringList seen;
        for (int i = 0; i < 5; ++i) {
            seen << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, QStringList({"Command1", "Command2", "Command3", "Command4", "Command1"}));
    }

    void cursors_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("shape");
        QTest::newRow("NEW GAME") << 1 << int(Qt::BitmapCursor);
        QTest::newRow("EXIT") << 2 << int(Qt::BitmapCursor);
        QTest::newRow("About Us") << 3 << int(Qt::WhatsThisCursor);
        QTest::newRow("Help") << 4 << int(Qt::WhatsThisCursor);
    }

    void cursors()
    {
        QFETCH(int, n);
        QFETCH(int, shape);
        const QCursor cursor = button(n)->cursor();
        QCOMPARE(int(cursor.shape()), shape);
        if (shape == Qt::BitmapCursor) {
            QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
            QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        }
    }

    // The faces: black around the bitmaps' lettering, dark yellow around the GIF pictures, on any
    // palette. The points lie inside the focus mark.
    void faces_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("palette");
        // mid-blue text: the inverse of a face in that colour hardly differs from it
        for (const char *palette : {"standard", "dark", "mid-blue text"}) {
            QTest::addRow("NEW GAME margin, %s", palette)
                << 1 << QPoint(20, 6) << QColor(Qt::black) << palette;
            QTest::addRow("EXIT margin, %s", palette)
                << 2 << QPoint(60, 30) << QColor(Qt::black) << palette;
            QTest::addRow("About Us around the picture, %s", palette)
                << 3 << QPoint(20, 36) << QColor(192, 192, 0) << palette;
            // the picture stands at (60, 6); its rows above the plate are transparent
            QTest::addRow("About Us above the plate, %s", palette)
                << 3 << QPoint(100, 10) << QColor(192, 192, 0) << palette;
            QTest::addRow("About Us left of the plate, %s", palette)
                << 3 << QPoint(61, 30) << QColor(192, 192, 0) << palette;
            // the picture stands at (80, 21); its outer margin is transparent
            QTest::addRow("Help top margin, %s", palette)
                << 4 << QPoint(100, 21) << QColor(192, 192, 0) << palette;
            QTest::addRow("Help right margin, %s", palette)
                << 4 << QPoint(119, 35) << QColor(192, 192, 0) << palette;
            QTest::addRow("Help around the picture, %s", palette)
                << 4 << QPoint(40, 36) << QColor(192, 192, 0) << palette;
        }
    }

    // The faces keep their colours when the Tab key gives the button the focus: only the dotted
    // focus mark shows then, and it shows on every face and palette (EXIT's caption, a single
    // space, draws nothing, so the mark is all that shows the focus).
    void faces()
    {
        QFETCH(int, n);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        QFETCH(QString, palette);
        if (palette == "dark")
            RuntimeFixture::setDarkPalette();
        else if (palette == "mid-blue text")
            RuntimeFixture::setTextColours(QColor(57, 141, 204), QColor(57, 141, 204));
        const QImage unfocused = grabOf(button(n));
        QCOMPARE(unfocused.pixelColor(point), colour);

        QWidget *before = button(n == 1 ? 4 : n - 1);
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(n));
        const QImage focused = grabOf(button(n));
        const int marked = markedPixels(unfocused, focused);
        QVERIFY2(marked >= (button(n)->width() + button(n)->height()) / 2,
                 qPrintable(QString("the focus mark shows on %1 pixels").arg(marked)));
        QCOMPARE(focused.pixelColor(point), colour);
    }

    void lettering_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("NEW GAME") << 1 << QColor(0, 255, 0);
        QTest::newRow("EXIT") << 2 << QColor(0, 255, 255);
    }

    void lettering()
    {
        QFETCH(int, n);
        QFETCH(QColor, colour);
        QVERIFY(countColour(grabOf(button(n)), colour) > 100);
    }

    // The GIF pictures show their first frame, and stay still.
    void firstFrameStill_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("file");
        QTest::newRow("About Us") << 3 << ":/assets/aboutus.gif";
        QTest::newRow("Help") << 4 << ":/assets/help.gif";
    }

    void firstFrameStill()
    {
        QFETCH(int, n);
        QFETCH(QString, file);
        auto *b = qobject_cast<rt::GraphicalButton *>(button(n));
        QImageReader reader(file);
        QCOMPARE(b->picture().convertToFormat(QImage::Format_ARGB32),
                 reader.read().convertToFormat(QImage::Format_ARGB32));
        const QImage before = grabOf(b);
        QTest::qWait(700);
        QCOMPARE(grabOf(b), before);
    }

    // Menu-text and window-text colours are looked up when drawn: the background and EXIT take
    // the first, NEW GAME the second.
    void systemColours()
    {
        RuntimeFixture::setTextColours(QColor(200, 0, 0), QColor(0, 0, 200));

        QCOMPARE(grabOf(menu->window()).pixelColor(5, 5), QColor(0, 0, 200));
        const QPoint besidePicture(5, 36);
        QCOMPARE(grabOf(button(1)).pixelColor(besidePicture), QColor(200, 0, 0));
        QCOMPARE(grabOf(button(2)).pixelColor(besidePicture), QColor(0, 0, 200));
    }

    void help()
    {
        fx.realBoxes = true;
        const ModalSeen seen = closeNextModal([&] { click(4); });
        QVERIFY(seen.seen);
        QCOMPARE(seen.title, QString("rideriddle"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, 1);
        const QString expected = "Guess a vechicle in the following box\r\n"
                                 "and view the combobox's and put a check mark \r\n"
                                 "on which your guessed  vechicle is visible";
        QCOMPARE(expected.size(), 128);
        QCOMPARE(seen.text, expected);
        QCOMPARE(seen.textFormat, Qt::PlainText); // blanks and lines as they are
        QVERIFY(menu->isLoaded());
    }

    void aboutUs()
    {
        fx.realBoxes = true;
        const ModalSeen seen = closeNextModal([&] { click(3); });
        QVERIFY(seen.seen);
        QCOMPARE(seen.title, QString("rideriddle"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        const QStringList lines = seen.text.split("\r\n");
        QCOMPARE(lines.size(), 2);
        QVERIFY(!lines[0].isEmpty() && !lines[1].isEmpty());
        QVERIFY(!seen.text.contains(u'\n') || seen.text.count(u'\n') == 1);
    }

    void keyboardPressesFocusedButton()
    {
        button(4)->setFocus();
        QTest::keyClick(button(4), Qt::Key_Space);
        QCOMPARE(fx.shownTexts(), QStringList{shell::helpText()});
    }

    // A key held down on a menu button: one action, whatever Qt flags, and nothing of the held
    // key reaches the window that the action opens (the board's catalogue box, a message box).
    void heldKeyOnMenu_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("script");
        const int ret = Qt::Key_Return;
        QTest::newRow("NEW GAME, as X delivers") << 1 << ret << "down rep? rep rep? rep up";
        QTest::newRow("NEW GAME, repeats flagged") << 1 << ret << "down rep rep up";
        QTest::newRow("NEW GAME, Space") << 1 << int(Qt::Key_Space) << "down rep? rep up";
        QTest::newRow("About Us") << 3 << ret << "down rep? rep rep? up";
        QTest::newRow("Help, repeats flagged") << 4 << ret << "down rep rep up";
    }

    void heldKeyOnMenu()
    {
        QFETCH(int, n);
        QFETCH(int, key);
        QFETCH(QString, script);
        QStringList seen;
        fx.runtime->setMessagePresenter([&](const QString &text, QMessageBox::Icon icon) {
            seen << text;
            fx.runtime->showMessageBox(text, icon);
        });
        button(n)->setFocus();

        QString openText;
        HeldKeyPlayer player(Qt::Key(key), script, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                openText = box->text();
            while (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        player.start();
        QTRY_VERIFY(player.isFinished());
        if (n == 1) {
            QVERIFY(seen.isEmpty());
            QVERIFY(board() && board()->isLoaded());
            QCOMPARE(board()->control<QPlainTextEdit>("Text1")->toPlainText(),
                     QString(board::catalogue::catalogueText()).replace("\r\n", "\n"));
        } else {
            const QString text = n == 3 ? shell::aboutUsText() : shell::helpText();
            QCOMPARE(seen, QStringList{text});
            QCOMPARE(openText, text); // still open when the key comes up
            QVERIFY(!board());
        }
        QVERIFY(menu->isLoaded());
    }

    void firstNewGameOpensFreshBoard()
    {
        QVERIFY(!board());
        click(1);
        QVERIFY(board() && board()->isLoaded());
        QCOMPARE(boardScore(), QString("0"));
        QVERIFY(menu->isLoaded());
    }

    // After "invalid selection" NEW GAME shows the same board with its score, ticks and texts.
    void newGameKeepsLoadedBoard()
    {
        click(1);
        Form1 *first = board();
        first->control<QComboBox>("Combo3")->setEditText("typed");
        tickAndFind({1, 2, 3, 4, 5, 6});
        QCOMPARE(fx.shownTexts(), QStringList{"invalid selection"});
        click(1);
        QCOMPARE(board(), first);
        QCOMPARE(fx.runtime->loadedWindowCount(), 2); // the menu and that one board
        QCOMPARE(boardScore(), QString("21"));
        QCOMPARE(board()->control<QCheckBox>("Check6")->checkState(), Qt::Checked);
        QCOMPARE(board()->control<QComboBox>("Combo3")->currentText(), QString("typed"));
        QTest::mouseClick(board()->control("Command1"), Qt::LeftButton);
        QCOMPARE(fx.shownTexts().last(), QString("invalid selection")); // 42 is no code
    }

    void newGameAfterBoardWentIsFresh_data()
    {
        QTest::addColumn<bool>("byVerdict");
        QTest::newRow("after a verdict") << true;
        QTest::newRow("after a close") << false;
    }

    void newGameAfterBoardWentIsFresh()
    {
        QFETCH(bool, byVerdict);
        click(1);
        Form1 *instance = board();
        if (byVerdict) {
            tickAndFind({2, 3});
            QCOMPARE(fx.shownTexts(), QStringList{" aeroplane"});
        } else {
            QTest::mouseClick(board()->control("Check1"), Qt::LeftButton);
            QVERIFY(board()->window()->close());
        }
        QVERIFY(!board()->isLoaded());
        QVERIFY(menu->isLoaded());
        QVERIFY(!fx.quitStatus);

        click(1);
        QCOMPARE(board(), instance); // the default instance stays
        QVERIFY(board()->isLoaded());
        QCOMPARE(boardScore(), QString("0"));
        QCOMPARE(board()->control<QCheckBox>("Check1")->checkState(), Qt::Unchecked);
    }

    void exit_data()
    {
        QTest::addColumn<bool>("withBoard");
        QTest::newRow("menu alone") << false;
        QTest::newRow("board loaded") << true;
    }

    void exit()
    {
        QFETCH(bool, withBoard);
        if (withBoard)
            click(1);
        click(2);
        QCOMPARE(fx.quitStatus, std::optional<int>(0));
        QVERIFY(fx.shown.isEmpty());
        QCOMPARE(fx.runtime->loadedWindowCount(), 0);
        QVERIFY(!menu->isLoaded());
    }

    // What assistive technology reads: the words each picture shows; the captions stay empty
    // (a single space on EXIT).
    void accessibleNames_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<QString>("caption");
        QTest::newRow("NEW GAME") << 1 << "NEW GAME"
                                  << "";
        QTest::newRow("EXIT") << 2 << "EXIT"
                              << " ";
        QTest::newRow("About Us") << 3 << "About Us"
                                  << "";
        QTest::newRow("Help") << 4 << "Help"
                              << "";
    }

    void accessibleNames()
    {
        QFETCH(int, n);
        QFETCH(QString, heard);
        QFETCH(QString, caption);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button(n));
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), heard);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(qobject_cast<QAbstractButton *>(button(n))->text(), caption);
    }

    // Assistive technology presses a button directly, past Qt's modality: while a message box
    // is open, a press of any menu button does nothing.
    void accessiblePressUnderMessage_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("NEW GAME") << 1;
        QTest::newRow("EXIT") << 2;
        QTest::newRow("About Us") << 3;
        QTest::newRow("Help") << 4;
    }

    void accessiblePressUnderMessage()
    {
        QFETCH(int, n);
        int boxes = 0;
        // The first message shows in the real box; a later one is only counted.
        fx.runtime->setMessagePresenter([&](const QString &text, QMessageBox::Icon icon) {
            if (++boxes == 1)
                fx.runtime->showMessageBox(text, icon);
        });
        bool pressed = false;
        const ModalSeen seen =
            closeNextModal([&] { click(4); },
                           [&] {
                               if (!std::exchange(pressed, true))
                                   pressed = doAccessibleAction(
                                       button(n), QAccessibleActionInterface::pressAction());
                           });
        QCOMPARE(seen.text, shell::helpText());
        QVERIFY(pressed);
        QCOMPARE(boxes, 1);
        QVERIFY(!board());
        QVERIFY(!fx.quitStatus);
        QVERIFY(menu->isLoaded());
    }

    // Any number of About Us and Help clicks leave the menu as it was.
    void menuStaysUnchanged()
    {
        const QRect geometry = menu->window()->geometry();
        for (int i = 0; i < 10; ++i)
            click(i % 2 ? 3 : 4);
        QCOMPARE(fx.shown.size(), 10);
        QVERIFY(menu->isLoaded());
        QCOMPARE(menu->window()->geometry(), geometry);
        QVERIFY(!board());
    }
};

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
