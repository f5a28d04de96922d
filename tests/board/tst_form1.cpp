#include "accessibleaction.h"
#include "catalogue.h"
#include "contrast.h"
#include "form1.h"
#include "heldkeyplayer.h"
#include "runtimefixture.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using board::Form1;

class TestForm1 : public QObject {
    Q_OBJECT

    RuntimeFixture fx;
    Form1 *board = nullptr;

    QWidget *window() const { return board->window(); }
    QCheckBox *check(int k) const { return board->control<QCheckBox>(QString("Check%1").arg(k)); }
    QComboBox *combo(int k) const { return board->control<QComboBox>(QString("Combo%1").arg(k)); }
    QString score() const { return board->control<QLineEdit>("Text2")->text(); }

    void tick(std::initializer_list<int> groups)
    {
        for (int k : groups)
            QTest::mouseClick(check(k), Qt::LeftButton);
    }

    void pressFind() { QTest::mouseClick(board->control("Command1"), Qt::LeftButton); }

    void openBoard()
    {
        QVERIFY(!board->show().failed());
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }

    static QColor pixelAt(QWidget *widget, QPoint point)
    {
        return widget->grab().toImage().pixelColor(point);
    }

    static QImage grabOf(QWidget *widget)
    {
        return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Where a control draws its caption and nothing else: beside a check box's indicator, inside
    // a button's border.
    static QRect captionArea(QWidget *control)
    {
        if (auto *box = qobject_cast<QCheckBox *>(control)) {
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        }
        return control->rect().adjusted(2, 2, -2, -2);
    }

private slots:
    void init()
    {
        fx.setUp();
        QVERIFY(!fx.runtime->newInstance<KeeperForm>().show().failed());
        board = &fx.runtime->newInstance<Form1>();
        openBoard();
    }

    void cleanup()
    {
        board = nullptr;
        QVERIFY(fx.tearDownLeavesNoWindow());
    }

    void windowAttributes()
    {
        QCOMPARE(window()->objectName(), QString("Form1"));
        QCOMPARE(window()->windowTitle(), QString("Form1"));
        QVERIFY(window()->windowState() & Qt::WindowMaximized);
        QCOMPARE(window()->frameGeometry(), window()->screen()->availableGeometry());
        QVERIFY(!(window()->windowFlags() & Qt::FramelessWindowHint));
        QVERIFY(!window()->windowIcon().isNull());
        QCOMPARE(pixelAt(window(), {5, 5}), QColor(Qt::black));
    }

    // Every control at its place and size in pixels (twips / 15).
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("Text1") << "Text1" << QRect(184, 296, 497, 177);
        const int comboLeft[] = {32, 152, 272, 392, 512, 632};
        const int checkLeft[] = {32, 152, 280, 400, 520, 632};
        for (int k = 1; k <= 6; ++k) {
            QTest::addRow("Combo%d", k)
                << QString("Combo%1").arg(k) << QRect(comboLeft[k - 1], 88, 97, 32);
            QTest::addRow("Check%d", k)
                << QString("Check%1").arg(k) << QRect(checkLeft[k - 1], 136, k == 1 ? 89 : 81, 33);
        }
        QTest::newRow("Command1") << "Command1" << QRect(336, 232, 153, 49);
        QTest::newRow("Text2") << "Text2" << QRect(696, 352, 81, 19);
    }

    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QWidget *control = board->control(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), rect);
        QCOMPARE(control->parentWidget(), window());
    }

    // Tab runs Text1, Combo1..6, Check1..6, Find and back to Text1; the score never has focus.
    void tabOrder()
    {
        QStringList expected = {"Text1"};
        for (int k = 1; k <= 6; ++k)
            expected << QString("Combo%1").arg(k);
        for (int k = 1; k <= 6; ++k)
            expected << QString("Check%1").arg(k);
        expected << "Command1"
                 << "Text1";

        QStringList seen;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            while (focus && focus->parentWidget() != window())
                focus = focus->parentWidget(); // a combo box's line edit stands for the box
            seen << (focus ? focus->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, expected);
    }

    void initialState()
    {
        auto *text1 = board->control<QPlainTextEdit>("Text1");
        QCOMPARE(text1->toPlainText(), board::catalogue::catalogueText().replace("\r\n", "\n"));
        QVERIFY(!text1->isReadOnly());
        QCOMPARE(text1->font().bold(), true);
        QCOMPARE(text1->font().pixelSize(), 18);
        QCOMPARE(text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

        for (int k = 1; k <= 6; ++k) {
            QComboBox *c = combo(k);
            QVERIFY(c->isEditable());
            QCOMPARE(c->currentText(), QString(k <= 2 ? "" : " "));
            QCOMPARE(c->currentIndex(), -1);
            QStringList items;
            for (int i = 0; i < c->count(); ++i)
                items << c->itemText(i);
            QCOMPARE(items, board::catalogue::groupList(k));
            QCOMPARE(c->font().bold(), true);
            QCOMPARE(c->font().pixelSize(), 18);

            QCOMPARE(check(k)->text(), QString("Check%1").arg(k));
            QCOMPARE(check(k)->checkState(), Qt::Unchecked);
        }
        auto *text2 = board->control<QLineEdit>("Text2");
        QVERIFY(!text2->isVisible());
        QCOMPARE(text2->text(), QString("0"));
        QCOMPARE(QApplication::focusWidget(), text1);
        QCOMPARE(board->control<QAbstractButton>("Command1")->text(), QString("Find"));
    }

    // The light yellow shows on the check boxes and on the face of Find, whatever the style and
    // the palette, and stays on Find's face when the Tab key gives it the focus: only the dotted
    // mark shows then. The captions on the light yellow read on any palette: black in the
    // standard one, and at least 4.5 : 1 against the face on a dark one, whether it was in force
    // when the board loaded or came while the board was open.
    void colours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<QString>("palette");
        for (const char *palette : {"standard", "dark at the load", "dark while open"}) {
            QTest::addRow("Check1, %s", palette) << "Check1" << QPoint(85, 16) << false << palette;
            QTest::addRow("Check6, %s", palette) << "Check6" << QPoint(78, 3) << false << palette;
            QTest::addRow("Find, %s", palette) << "Command1" << QPoint(10, 10) << false << palette;
            QTest::addRow("Find with the focus, %s", palette)
                << "Command1" << QPoint(10, 10) << true << palette;
        }
    }

    void colours()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, point);
        QFETCH(bool, focused);
        QFETCH(QString, palette);
        const QColor lightYellow(255, 255, 192);
        if (palette != "standard")
            RuntimeFixture::setDarkPalette();
        if (palette == "dark at the load") {
            QVERIFY(!board->unload().failed());
            openBoard();
        }
        QWidget *control = board->control(name);
        const QImage unfocused = grabOf(control);

        const QColor caption = mostContrasting(unfocused, captionArea(control), lightYellow);
        QVERIFY2(rt::contrastRatio(caption, lightYellow) >= 4.5,
                 qPrintable(QString("caption %1, contrast %2 : 1")
                                .arg(caption.name())
                                .arg(rt::contrastRatio(caption, lightYellow))));
        if (palette == "standard")
            QCOMPARE(caption, QColor(Qt::black));

        if (focused) {
            check(6)->setFocus();
            QTest::keyClick(check(6), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), control);
            const int marked = markedPixels(unfocused, grabOf(control));
            QVERIFY2(marked >= (control->width() + control->height()) / 2,
                     qPrintable(QString("the focus mark shows on %1 pixels").arg(marked)));
        }
        QCOMPARE(pixelAt(control, point), lightYellow);
    }

    // Where the desktop's text colour reads on the light yellow, the check boxes' captions keep
    // it, also when it comes while the board is open.
    void checkCaptionsFollowReadableText()
    {
        const QColor navy(0, 0, 128);
        RuntimeFixture::setTextColours(navy, navy);
        for (int k : {1, 6}) {
            const QColor caption =
                mostContrasting(grabOf(check(k)), captionArea(check(k)), QColor(255, 255, 192));
            QVERIFY2(caption.red() < 16 && caption.green() < 16 && qAbs(caption.blue() - 128) < 16,
                     qPrintable(QString("Check%1: %2").arg(k).arg(caption.name())));
        }
    }

    // The background is the window-text colour at the time it is drawn, not the menu-text one.
    void backgroundFollowsPalette()
    {
        RuntimeFixture::setTextColours(QColor(10, 20, 30), QColor(0, 0, 200));
        QCOMPARE(pixelAt(window(), {5, 5}), QColor(10, 20, 30));
    }

    // The catalogue shows as five rows, each on one line and wholly inside the box.
    void catalogueRows()
    {
        auto *text1 = board->control<QPlainTextEdit>("Text1");
        const QTextDocument *doc = text1->document();
        QCOMPARE(doc->blockCount(), 6); // five rows and the empty line after the last break
        for (QTextBlock block = doc->begin(); block != doc->end(); block = block.next()) {
            if (block.text().isEmpty())
                continue;
            QCOMPARE(block.layout()->lineCount(), 1);
            const qreal right = block.layout()->lineAt(0).naturalTextWidth();
            QVERIFY2(right <= text1->viewport()->width(), qPrintable(block.text()));
            const QRectF box = text1->document()->documentLayout()->blockBoundingRect(block);
            QVERIFY(box.bottom() <= text1->viewport()->height());
        }
    }

    // Each dropped list shows every entry whole: as wide as its widest entry, never narrower than
    // the box, which keeps its size.
    void droppedLists_data()
    {
        QTest::addColumn<int>("group");
        for (int k = 1; k <= 6; ++k)
            QTest::addRow("Combo%d", k) << k;
    }

    void droppedLists()
    {
        QFETCH(int, group);
        QComboBox *box = combo(group);
        const QRect place = box->geometry();
        box->showPopup();
        QAbstractItemView *list = box->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        QVERIFY(list->window()->width() >= box->width());
        for (int row = 0; row < box->count(); ++row) {
            const int needed = list->sizeHintForIndex(box->model()->index(row, 0)).width();
            QVERIFY2(list->viewport()->width() >= needed, qPrintable(box->itemText(row)));
        }
        box->hidePopup();
        QCOMPARE(box->geometry(), place);
    }

    // A paste or a drop that offers nothing leaves the text as it is; one that offers text
    // inserts it. (An X clipboard nobody owns offers no format at all.)
    void paste_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("offersText");
        for (const char *name : {"Text1", "Combo1"})
            for (const char *route : {"Ctrl+V", "Shift+Insert", "context menu", "drop"})
                for (const bool offersText : {false, true})
                    QTest::addRow("%s, %s, %s", name, route, offersText ? "text" : "nothing")
                        << name << route << offersText;
    }

    void paste()
    {
        QFETCH(QString, name);
        QFETCH(QString, route);
        QFETCH(bool, offersText);
        auto *text1 = board->control<QPlainTextEdit>("Text1");
        QWidget *editor = name == "Text1" ? static_cast<QWidget *>(text1) : combo(1)->lineEdit();
        const auto text = [&] {
            return editor == text1 ? text1->toPlainText() : combo(1)->currentText();
        };
        const QString before = text();
        auto data = std::make_unique<QMimeData>();
        if (offersText)
            data->setText("zz");

        editor->setFocus();
        if (route == "drop") {
            QWidget *target = editor == text1 ? text1->viewport() : editor;
            const QPoint at(5, 5);
            QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
            QApplication::sendEvent(target, &enter);
            QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
            QApplication::sendEvent(target, &drop);
        } else if (route == "context menu") {
            QGuiApplication::clipboard()->setMimeData(data.release());
            const std::unique_ptr<QMenu> menu(
                editor == text1 ? text1->createStandardContextMenu()
                                : combo(1)->lineEdit()->createStandardContextMenu());
            QAction *paste = nullptr;
            for (QAction *action : menu->actions())
                if (action->text().remove('&').startsWith("Paste"))
                    paste = action;
            QVERIFY(paste);
            QCOMPARE(paste->isEnabled(), offersText);
            paste->trigger();
        } else {
            QGuiApplication::clipboard()->setMimeData(data.release());
            if (route == "Ctrl+V")
                QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
            else
                QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
        }
        if (offersText)
            QVERIFY(text().contains("zz"));
        else
            QCOMPARE(text(), before);
    }

    // A whole game through real clicks, one per vehicle.
    void game_data()
    {
        QTest::addColumn<QList<int>>("groups");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("car") << QList<int>{2, 3, 4, 5, 6} << "car";
        QTest::newRow("rickshaw") << QList<int>{3, 4, 5, 6} << "rickshaw ";
        QTest::newRow("jeep") << QList<int>{5, 6} << " jeep";
        QTest::newRow("boat") << QList<int>{1} << " boat";
    }

    void game()
    {
        QFETCH(QList<int>, groups);
        QFETCH(QString, verdict);
        for (int k : groups)
            QTest::mouseClick(check(k), Qt::LeftButton);
        pressFind();
        QCOMPARE(fx.shownTexts(), QStringList{verdict});
        QCOMPARE(fx.shown.first().icon, QMessageBox::NoIcon);
        QVERIFY(!board->isLoaded());
        QVERIFY(!fx.quitStatus);

        openBoard(); // a fresh board
        QCOMPARE(score(), QString("0"));
        for (int k = 1; k <= 6; ++k)
            QCOMPARE(check(k)->checkState(), Qt::Unchecked);
    }

    void invalidSelectionKeepsBoard()
    {
        tick({1, 2, 3, 4, 5, 6});
        pressFind();
        QCOMPARE(fx.shownTexts(), QStringList{"invalid selection"});
        QVERIFY(board->isLoaded());
        QCOMPARE(score(), QString("21"));
        pressFind();
        QCOMPARE(score(), QString("42"));
        QCOMPARE(fx.shownTexts(), QStringList({"invalid selection", "invalid selection"}));
        for (int k = 1; k <= 6; ++k)
            QCOMPARE(check(k)->checkState(), Qt::Checked);

        QVERIFY(!board->show().failed()); // shown again: the same board
        QCOMPARE(score(), QString("42"));
    }

    void nothingTickedThenTicked()
    {
        pressFind();
        QCOMPARE(fx.shownTexts(), QStringList{"invalid selection"});
        QCOMPARE(score(), QString("0"));
        tick({2});
        pressFind();
        QCOMPARE(fx.shownTexts().last(), QString(" tram"));
        QVERIFY(!board->isLoaded());
    }

    // Ticking and clearing again counts nothing; the keyboard's space bar toggles a box.
    void onlyTicksAtThePressCount()
    {
        tick({1, 4, 4});
        check(3)->setFocus();
        QTest::keyClick(check(3), Qt::Key_Space);
        QCOMPARE(check(3)->checkState(), Qt::Checked);
        pressFind();
        QCOMPARE(fx.shownTexts(), QStringList{" rocket"});
    }

    // What the player types or chooses in the lists and the catalogue changes no verdict.
    void typingChangesNoVerdict()
    {
        combo(1)->setFocus();
        QTest::keyClicks(combo(1), "car");
        QCOMPARE(combo(1)->currentText(), QString("car"));
        QCOMPARE(combo(1)->count(), 10);
        QTest::keyClick(combo(1), Qt::Key_Return); // typed text is never added to the list
        QCOMPARE(combo(1)->count(), 10);
        combo(4)->setFocus();
        QTest::keyClick(combo(4), Qt::Key_Down); // chooses the first entry
        QCOMPARE(combo(4)->currentText(), QString("car"));
        auto *text1 = board->control<QPlainTextEdit>("Text1");
        text1->setFocus();
        for (const QString &typed : {QString::fromUtf8("\u00e9"), QString("\t"), QString("x")})
            QTest::sendKeyEvent(QTest::Click, text1, Qt::Key_unknown, typed, Qt::NoModifier);
        text1->clear();

        tick({5, 6});
        pressFind();
        QCOMPARE(fx.shownTexts(), QStringList{" jeep"});
    }

    void findFromKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("return") << int(Qt::Key_Return);
    }

    void findFromKeyboard()
    {
        QFETCH(int, key);
        tick({1});
        QWidget *find = board->control("Command1");
        find->setFocus();
        QTest::keyClick(find, Qt::Key(key));
        QCOMPARE(fx.shownTexts(), QStringList{" boat"});
    }

    // Enter held down on Find: however Qt flags the repeats, one physical press is one Find, and
    // two presses are two.
    void heldKeyOnFind_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("finds");
        const int ret = Qt::Key_Return;
        QTest::newRow("one press") << ret << "down up" << 1;
        QTest::newRow("held, repeats flagged") << ret << "down rep rep rep up" << 1;
        QTest::newRow("held, repeats not flagged") << ret << "down rep? rep? rep? up" << 1;
        QTest::newRow("held, as X delivers") << ret << "down rep? rep rep rep? rep up" << 1;
        QTest::newRow("keypad Enter held") << int(Qt::Key_Enter) << "down rep? rep up" << 1;
        QTest::newRow("two quick presses") << ret << "down up down up" << 2;
        QTest::newRow("two presses, the second held") << ret << "down up down rep? rep up" << 2;
    }

    void heldKeyOnFind()
    {
        QFETCH(int, key);
        QFETCH(QString, script);
        QFETCH(int, finds);
        board->control("Command1")->setFocus();
        HeldKeyPlayer player(Qt::Key(key), script, [] {});
        player.start();
        QTRY_VERIFY(player.isFinished());
        QCOMPARE(fx.shownTexts(), QStringList(finds, "invalid selection"));
        QCOMPARE(score(), QString("0"));
    }

    // Enter held down on Find, with the real box: the repeats reach the box, which stays open
    // over the board until a new press; the catalogue box takes nothing.
    void heldKeyUnderMessage_data()
    {
        QTest::addColumn<bool>("tickCheck1");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("openAtEnd");
        const QStringList invalid{"invalid selection"};
        QTest::newRow("held, as X delivers")
            << false << "down rep? rep rep? rep up" << invalid << true;
        QTest::newRow("held, repeats flagged") << false << "down rep rep rep up" << invalid << true;
        QTest::newRow("verdict, held")
            << true << "down rep? rep rep? rep up" << QStringList{" boat"} << true;
        QTest::newRow("a second press closes the box")
            << false << "down up down up" << invalid << false;
        QTest::newRow("a third press finds again")
            << false << "down up down up down rep? up" << (invalid + invalid) << true;
    }

    void heldKeyUnderMessage()
    {
        QFETCH(bool, tickCheck1);
        QFETCH(QString, script);
        QFETCH(QStringList, shown);
        QFETCH(bool, openAtEnd);
        if (tickCheck1)
            tick({1});
        const QString catalogue = board->control<QPlainTextEdit>("Text1")->toPlainText();
        QStringList seen;
        fx.runtime->setMessagePresenter([&](const QString &text, QMessageBox::Icon icon) {
            seen << text;
            fx.runtime->showMessageBox(text, icon);
        });
        board->control("Command1")->setFocus();

        QString openText;
        bool boardLoaded = false;
        QString catalogueAtEnd;
        HeldKeyPlayer player(Qt::Key_Return, script, [&] {
            boardLoaded = board->isLoaded();
            if (boardLoaded)
                catalogueAtEnd = board->control<QPlainTextEdit>("Text1")->toPlainText();
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                openText = box->text();
            while (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        player.start();
        QTRY_VERIFY(player.isFinished());
        QCOMPARE(seen, shown);
        QCOMPARE(openText, openAtEnd ? shown.last() : QString());
        QVERIFY(boardLoaded);
        QCOMPARE(catalogueAtEnd, catalogue);
    }

    // A close from the title bar unloads at once; the next show is a fresh board.
    void closeUnloads()
    {
        tick({1, 2, 3, 4, 5, 6});
        pressFind();
        combo(2)->setEditText("typed");
        QVERIFY(window()->close());
        QVERIFY(!board->isLoaded());
        QVERIFY(!fx.quitStatus);

        openBoard();
        QCOMPARE(score(), QString("0"));
        QCOMPARE(combo(2)->currentText(), QString());
        QCOMPARE(check(1)->checkState(), Qt::Unchecked);
        tick({1});
        pressFind();
        QCOMPARE(fx.shownTexts().last(), QString(" boat"));
    }

    // Restored, the board has its design client area; maximized again, nothing has changed. The
    // platform brings the size back (on a desktop the window manager), as it was before the board
    // was maximized.
    void restore()
    {
        tick({2});
        window()->setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(window()->size(), QSize(312, 213));
        QCOMPARE(board->control("Command1")->geometry(), QRect(336, 232, 153, 49));
        window()->setWindowState(Qt::WindowMaximized);
        QCOMPARE(check(2)->checkState(), Qt::Checked);
    }

    // The real modal box: caption, exact text with its blank, one button, no icon.
    void realMessageBox()
    {
        fx.realBoxes = true;
        tick({1, 3, 4, 5, 6});
        const ModalSeen seen = closeNextModal([&] { pressFind(); });
        QVERIFY(seen.seen);
        QCOMPARE(seen.title, QString("rideriddle"));
        QCOMPARE(seen.text, QString(" bicycle"));
        QCOMPARE(seen.textFormat, Qt::PlainText); // the leading blank shows
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, 1);
        QVERIFY(!board->isLoaded());
    }

    // While the box is open the board takes no input: a click that comes through the window
    // system, as the player's does, ticks nothing.
    void boardTakesNoInputUnderMessage()
    {
        fx.realBoxes = true;
        QWindow *handle = window()->windowHandle();
        const QPoint onCheck1 = check(1)->mapTo(window(), QPoint(10, check(1)->height() / 2));
        const ModalSeen seen = closeNextModal(
            [&] { pressFind(); }, [&] { QTest::mouseClick(handle, Qt::LeftButton, {}, onCheck1); });
        QCOMPARE(seen.text, QString("invalid selection"));
        QCOMPARE(check(1)->checkState(), Qt::Unchecked);
        QTest::mouseClick(handle, Qt::LeftButton, {}, onCheck1); // the same click, box closed
        QCOMPARE(check(1)->checkState(), Qt::Checked);
    }

    // What assistive technology reads: each list says which box it belongs to, whatever its
    // text, and every other control its caption; the texts on screen stay as they are.
    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("heard");
        for (int k = 1; k <= 6; ++k)
            QTest::addRow("Combo%d", k)
                << QString("Combo%1").arg(k) << QString("List for Check%1").arg(k);
        for (int k = 1; k <= 6; ++k)
            QTest::addRow("Check%d", k) << QString("Check%1").arg(k) << QString("Check%1").arg(k);
        QTest::newRow("Find") << "Command1"
                              << "Find";
    }

    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, heard);
        QWidget *control = board->control(name);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), heard);
        if (auto *list = qobject_cast<QComboBox *>(control)) {
            QCOMPARE(iface->role(), QAccessible::ComboBox);
            QCOMPARE(iface->text(QAccessible::Value), list->currentText());
            list->setCurrentIndex(1); // a chosen entry is the list's value, not its name
            QCOMPARE(iface->text(QAccessible::Name), heard);
            QCOMPARE(iface->text(QAccessible::Value), list->itemText(1));
            QCOMPARE(list->currentText(), list->itemText(1));
        }
    }

    // The score box never shows: assistive technology finds it neither among the window's
    // controls nor anywhere else with a text to read or change, and cannot spoil the score.
    void scoreIsNotOffered()
    {
        QAccessibleInterface *windowIface = QAccessible::queryAccessibleInterface(window());
        QStringList offered;
        for (int i = 0; i < windowIface->childCount(); ++i)
            offered << windowIface->child(i)->object()->objectName();
        QStringList expected = {"Text1"};
        for (int k = 1; k <= 6; ++k)
            expected << QString("Combo%1").arg(k);
        for (int k = 1; k <= 6; ++k)
            expected << QString("Check%1").arg(k);
        expected << "Command1";
        QCOMPARE(offered, expected);

        QAccessibleInterface *score =
            QAccessible::queryAccessibleInterface(board->control("Text2"));
        QVERIFY(score);
        QCOMPARE(windowIface->indexOfChild(score), -1);
        QVERIFY(!score->textInterface());
        QVERIFY(!score->editableTextInterface());
        QVERIFY(!score->valueInterface());
        QVERIFY(!score->actionInterface());
        QVERIFY(score->text(QAccessible::Value).isEmpty());
        score->setText(QAccessible::Value, "abc");
        QCOMPARE(this->score(), QString("0"));

        tick({1});
        pressFind();
        QCOMPARE(fx.shownTexts(), QStringList{" boat"});
    }

    // Assistive technology works a control directly, past Qt's modality: while a message box is
    // open, no action of Find, a check box or a list does anything; with the box closed the same
    // action acts.
    void accessibleActionsUnderMessage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("action");
        QTest::newRow("Find Press") << "Command1" << QAccessibleActionInterface::pressAction();
        QTest::newRow("Check1 Toggle") << "Check1" << QAccessibleActionInterface::toggleAction();
        QTest::newRow("Combo1 ShowMenu")
            << "Combo1" << QAccessibleActionInterface::showMenuAction();
        QTest::newRow("Combo1 Press") << "Combo1" << QAccessibleActionInterface::pressAction();
    }

    void accessibleActionsUnderMessage()
    {
        QFETCH(QString, name);
        QFETCH(QString, action);
        QWidget *control = board->control(name);
        int boxes = 0;
        // The first message shows in the real box; a later one is only counted.
        fx.runtime->setMessagePresenter([&](const QString &text, QMessageBox::Icon icon) {
            if (++boxes == 1)
                fx.runtime->showMessageBox(text, icon);
        });

        bool acted = false;
        const ModalSeen seen = closeNextModal([&] { pressFind(); },
                                              [&] {
                                                  if (!std::exchange(acted, true))
                                                      acted = doAccessibleAction(control, action);
                                              });
        QCOMPARE(seen.text, QString("invalid selection"));
        QVERIFY(acted);
        QCOMPARE(boxes, 1);
        QCOMPARE(check(1)->checkState(), Qt::Unchecked);
        QVERIFY(!combo(1)->view()->isVisible());
        QCOMPARE(score(), QString("0"));

        QVERIFY(doAccessibleAction(control, action)); // the box closed: it acts
        QVERIFY(boxes == 2 || check(1)->checkState() == Qt::Checked ||
                combo(1)->view()->isVisible());
    }

    // A run-time error inside Find: the report, no verdict, and the end with a failure status.
    void runtimeErrorEndsProgram()
    {
        board->control<QLineEdit>("Text2")->setText("abc");
        tick({1});
        pressFind();
        QCOMPARE(fx.shown.size(), 1);
        QCOMPARE(fx.shown.first().text, QString("Run-time error '13':\n\nType mismatch"));
        QCOMPARE(fx.shown.first().icon, QMessageBox::Critical);
        QCOMPARE(fx.quitStatus, std::optional<int>(1));
        QVERIFY(!board->isLoaded()); // the end closed every window
        QCOMPARE(fx.runtime->loadedWindowCount(), 0);

        bool ran = false;
        fx.runtime->dispatch([&] { ran = true; });
        QVERIFY(!ran); // no handler runs after the end
    }

    void lastWindowUnloadedEndsProgram()
    {
        fx.runtime->instance<KeeperForm>()->unload();
        QVERIFY(!fx.quitStatus);
        QVERIFY(window()->close());
        QCOMPARE(fx.quitStatus, std::optional<int>(0));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
