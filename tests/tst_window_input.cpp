// The main window under the user's hands: the wheel and the keys change no count, coefficient
// or slider by accident, moving keys leave the cells alone, a block is selected by dragging,
// the wheel pages back from the end of a table, opening a project keeps the shown step, and
// the bound boxes take the editing keys and pasting.

#include "correction/BoundsDialog.h"
#include "ui/Form1.h"
#include "ui/Form1Logic.h"
#include "ui/Form6.h"
#include "ui/GridView.h"

#include "FakeDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QString DryMix = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
const QString Concrete = QStringLiteral(PALVEX_SOURCE_DIR "/examples/concrete.txt");

QString txt(const GridModel &g, int row, int col)
{
    const QString *t = g.text(row, col);
    return t ? *t : QStringLiteral("<no cell>");
}

struct Window
{
    FakeDesktop *desktop = new FakeDesktop;
    Form1 w{nullptr, std::unique_ptr<EditingDesktop>(desktop)};
    Window()
    {
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            qFatal("window not shown");
    }
    MixProject &p() { return w.project(); }
    template <typename T>
    T *find(const QString &name)
    {
        T *child = w.findChild<T *>(name);
        if (!child)
            qFatal("no widget %s", qPrintable(name));
        return child;
    }
    GridView *table(int k) { return find<GridView>(QStringLiteral("tabl%1").arg(k)); }
    void open(const QString &path)
    {
        if (!w.openProject(path))
            qFatal("cannot open %s", qPrintable(path));
    }
};

void wheel(QWidget *target, int delta, QPoint at = QPoint(-1, -1))
{
    const QPoint pos = at.x() < 0 ? target->rect().center() : at;
    QWheelEvent e(QPointF(pos), QPointF(target->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

// A key as Qt delivers it from a keyboard layout that has no Latin letter on it.
void typeCharacter(QWidget *target, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void mouse(QWidget *target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(target, &e);
}

// Runs `act` on the next modal dialog as soon as it is shown.
void whenModalShown(std::function<void(QWidget *)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

// Whether a data row (from 1) is wholly inside a table view's viewport, and the first such row.
bool wholeInView(GridView *v, int row)
{
    const QRect cell = v->visualRect(v->model()->index(row - 1, 0));
    return cell.isValid() && v->viewport()->rect().contains(cell);
}
int shownTopRow(GridView *v)
{
    int row = v->rowAt(0) + 1;
    while (row > 0 && row <= v->model()->rowCount() && !wholeInView(v, row))
        ++row;
    return row;
}

} // namespace

class TestWindowInput final : public QObject
{
    Q_OBJECT

private slots:
    // N takes list choices only: neither the wheel nor a key steps or searches through it.
    void countTakesListChoicesOnly_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("wheel away") << QStringLiteral("wheel+");
        QTest::newRow("wheel towards") << QStringLiteral("wheel-");
        QTest::newRow("down arrow") << QStringLiteral("Down");
        QTest::newRow("up arrow") << QStringLiteral("Up");
        QTest::newRow("page down") << QStringLiteral("PageDown");
        QTest::newRow("page up") << QStringLiteral("PageUp");
        QTest::newRow("home") << QStringLiteral("Home");
        QTest::newRow("end") << QStringLiteral("End");
        QTest::newRow("digit 3") << QStringLiteral("3");
        QTest::newRow("digit 1") << QStringLiteral("1");
    }
    void countTakesListChoicesOnly()
    {
        QFETCH(QString, input);
        Window win;
        win.open(DryMix);
        auto *count = win.find<QComboBox>(QStringLiteral("N"));
        count->setFocus();
        const QString fifth = txt(win.p().tabl[1], 1, 4);
        if (input == QStringLiteral("wheel+"))
            wheel(count, 120);
        else if (input == QStringLiteral("wheel-"))
            wheel(count, -120);
        else if (input.size() == 1)
            QTest::keyClick(count, input.at(0).toLatin1());
        else
            QTest::keyClick(count, input == QStringLiteral("Down")       ? Qt::Key_Down
                                   : input == QStringLiteral("Up")       ? Qt::Key_Up
                                   : input == QStringLiteral("PageDown") ? Qt::Key_PageDown
                                   : input == QStringLiteral("PageUp")   ? Qt::Key_PageUp
                                   : input == QStringLiteral("Home")     ? Qt::Key_Home
                                                                         : Qt::Key_End);
        QCOMPARE(win.p().N.text(), QStringLiteral("5"));
        QCOMPARE(count->currentText(), QStringLiteral("5"));
        QCOMPARE(win.p().tabl[1].cols(), 5);
        QCOMPARE(txt(win.p().tabl[1], 1, 4), fifth);
    }

    // The list itself still chooses.
    void countChosenFromTheList()
    {
        Window win;
        win.open(DryMix);
        auto *count = win.find<QComboBox>(QStringLiteral("N"));
        count->setFocus();
        QTest::keyClick(count, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(count->view()->isVisible());
        QTest::keyClick(count->view(), Qt::Key_Down);
        QTest::keyClick(count->view(), Qt::Key_Return);
        QCOMPARE(win.p().N.text(), QStringLiteral("6"));
        QCOMPARE(win.p().tabl[1].cols(), 6);
    }

    // The coefficient lists: typed or chosen, never stepped by the wheel or the arrows, and a
    // typed text is not completed from the list.
    void coefficientLists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");
        for (const char *name : {"koef_n", "koef_n2", "koef_B"}) {
            const QString n = QString::fromLatin1(name);
            const QString start = QStringLiteral("as it was");
            QTest::addRow("%s wheel away", name) << n << QStringLiteral("wheel+") << start;
            QTest::addRow("%s wheel towards", name) << n << QStringLiteral("wheel-") << start;
            QTest::addRow("%s down arrow", name) << n << QStringLiteral("Down") << start;
            QTest::addRow("%s up arrow", name) << n << QStringLiteral("Up") << start;
            QTest::addRow("%s page down", name) << n << QStringLiteral("PageDown") << start;
        }
        QTest::newRow("koef_B typed 1, not completed to 10") << QStringLiteral("koef_B") << QStringLiteral("type:1")
                                                           << QStringLiteral("1");
        QTest::newRow("koef_n typed 0,45") << QStringLiteral("koef_n") << QStringLiteral("type:0,45")
                                           << QStringLiteral("0,45");
    }
    void coefficientLists()
    {
        QFETCH(QString, name);
        QFETCH(QString, input);
        QFETCH(QString, after);
        Window win;
        win.open(DryMix);
        SelectStep(win.p(), 4);
        auto *box = win.find<QComboBox>(name);
        box->setFocus();
        const int items = box->count();
        if (after == QStringLiteral("as it was")) {
            // Chosen from the list where the input has an item to step to.
            const bool upwards = input == QStringLiteral("wheel+") || input == QStringLiteral("Up");
            box->setCurrentIndex(upwards ? items - 1 : 0);
            after = box->currentText();
        }
        if (input == QStringLiteral("wheel+")) {
            wheel(box, 120);
        } else if (input == QStringLiteral("wheel-")) {
            wheel(box, -120);
        } else if (input.startsWith(QStringLiteral("type:"))) {
            box->lineEdit()->selectAll();
            QTest::keyClicks(box, input.mid(5));
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            QTest::keyClick(box, input == QStringLiteral("Down")   ? Qt::Key_Down
                                 : input == QStringLiteral("Up")   ? Qt::Key_Up
                                                                   : Qt::Key_PageDown);
        }
        const Control &c = name == QStringLiteral("koef_n")    ? win.p().koef_n
                           : name == QStringLiteral("koef_n2") ? win.p().koef_n2
                                                               : win.p().koef_B;
        QCOMPARE(c.text(), after);
        QCOMPARE(box->count(), items); // Enter adds nothing to the list
    }

    // Typing over K passes through smaller counts; the rows they hide come back.
    void countTypedOverInTheWindow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("51 over 10") << QStringLiteral("51");
        QTest::newRow("a letter") << QStringLiteral("a");
        QTest::newRow("3, then Backspace") << QStringLiteral("3\b");
    }
    void countTypedOverInTheWindow()
    {
        QFETCH(QString, typed);
        Window win;
        win.open(DryMix);
        SelectStep(win.p(), 2);
        QStringList before;
        for (int j = 1; j <= 10; ++j)
            before << txt(win.p().tabl[3], j, 0) + u'|' + txt(win.p().tabl[3], j, 5);
        auto *k = win.find<QLineEdit>(QStringLiteral("K"));
        k->setFocus();
        k->selectAll();
        for (const QChar c : typed) {
            if (c == u'\b')
                QTest::keyClick(k, Qt::Key_Backspace);
            else
                QTest::keyClicks(k, QString(c));
        }
        k->selectAll();
        QTest::keyClicks(k, QStringLiteral("10"));
        QCOMPARE(win.p().K.text(), QStringLiteral("10"));
        QStringList after;
        for (int j = 1; j <= 10; ++j)
            after << txt(win.p().tabl[3], j, 0) + u'|' + txt(win.p().tabl[3], j, 5);
        QCOMPARE(after, before);
    }

    // The wheel over a slider of step 5 changes no fraction.
    void wheelLeavesSlidersAlone()
    {
        Window win;
        win.open(DryMix);
        SelectStep(win.p(), 5);
        const float before[3] = {win.p().CorrectedRecipe[1], win.p().CorrectedRecipe[2], win.p().CorrectedRecipe[3]};
        const int value = win.p().SBegunok[2].value();
        auto *slider = win.find<QSlider>(QStringLiteral("SBegunok2"));
        QVERIFY(slider->isVisible() && slider->isEnabled());
        for (int delta : {120, 120, -120, -360})
            wheel(slider, delta);
        QCOMPARE(slider->value(), value);
        QCOMPARE(win.p().SBegunok[2].value(), value);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(win.p().CorrectedRecipe[i], before[i - 1]);
    }

    // Moving and modifier keys pressed in a table never change a cell; a typed character
    // replaces a lone zero.
    void keysInATableOfZeros_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("column"); // the texts of column 1, rows 1..4, after the key
        QTest::newRow("down arrow") << int(Qt::Key_Down) << QStringLiteral("0 0 0 0");
        QTest::newRow("up arrow") << int(Qt::Key_Up) << QStringLiteral("0 0 0 0");
        QTest::newRow("right arrow") << int(Qt::Key_Right) << QStringLiteral("0 0 0 0");
        QTest::newRow("tab") << int(Qt::Key_Tab) << QStringLiteral("0 0 0 0");
        QTest::newRow("home") << int(Qt::Key_Home) << QStringLiteral("0 0 0 0");
        QTest::newRow("end") << int(Qt::Key_End) << QStringLiteral("0 0 0 0");
        QTest::newRow("page down") << int(Qt::Key_PageDown) << QStringLiteral("0 0 0 0");
        QTest::newRow("shift") << int(Qt::Key_Shift) << QStringLiteral("0 0 0 0");
        QTest::newRow("ctrl") << int(Qt::Key_Control) << QStringLiteral("0 0 0 0");
        QTest::newRow("alt") << int(Qt::Key_Alt) << QStringLiteral("0 0 0 0");
        QTest::newRow("digit") << int(Qt::Key_7) << QStringLiteral("777 0 0 0");
    }
    void keysInATableOfZeros()
    {
        QFETCH(int, key);
        QFETCH(QString, column);
        Window win;
        win.p().K.setText(QStringLiteral("4"));
        SelectStep(win.p(), 2);
        for (int j = 1; j <= 4; ++j)
            win.p().setCellText(win.p().tabl[3], j, 1, QStringLiteral("0"));
        GridView *v = win.table(3);
        v->setFocus();
        win.p().tabl[3].setCurrentCell(1, 1);
        // Three presses: the down arrow walks the column.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(v, Qt::Key(key));
        QStringList texts;
        for (int j = 1; j <= 4; ++j)
            texts << txt(win.p().tabl[3], j, 1);
        QCOMPARE(texts.join(u' '), column);
    }

    // Keys of a layout without Latin letters: the character typed decides.
    void cyrillicKeys_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::newRow("letter over a lone zero") << 1 << QStringLiteral("0") << 0x41F << QStringLiteral("П")
                                                 << QStringLiteral("П");
        QTest::newRow("letter appended") << 1 << QStringLiteral("Песок") << 0x419 << QStringLiteral("й")
                                         << QStringLiteral("Песокй");
        QTest::newRow("period key of the Russian layout") << 2 << QStringLiteral("2") << 0x42E << QStringLiteral("ю")
                                                          << QStringLiteral("2,");
        QTest::newRow("comma key of the Russian layout over a zero") << 2 << QStringLiteral("0") << 0x411
                                                                     << QStringLiteral("б") << QStringLiteral("0,");
        QTest::newRow("letter refused by a number") << 2 << QStringLiteral("0") << 0x41F << QStringLiteral("п")
                                                    << QStringLiteral("0");
    }
    void cyrillicKeys()
    {
        QFETCH(int, table);
        QFETCH(QString, before);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, after);
        Window win;
        SelectStep(win.p(), 1);
        GridModel &g = win.p().tabl[table];
        g.setCurrentText(before);
        GridView *v = win.table(table);
        v->setFocus();
        typeCharacter(v, key, text);
        QCOMPARE(txt(g, 1, 0), after);
    }

    // A press, a move with the button held and a release select the block between them, as
    // Shift+click does; Ctrl+C copies that block.
    void mouseSelectsABlock_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QPoint>("from"); // (column, data row from 0)
        QTest::addColumn<QPoint>("to");
        QTest::newRow("drag down and right") << QStringLiteral("drag") << QPoint(1, 1) << QPoint(2, 2);
        QTest::newRow("drag up and left") << QStringLiteral("drag") << QPoint(2, 2) << QPoint(1, 1);
        QTest::newRow("shift+click") << QStringLiteral("shift") << QPoint(1, 1) << QPoint(2, 2);
    }
    void mouseSelectsABlock()
    {
        QFETCH(QString, how);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        Window win;
        win.open(Concrete);
        SelectStep(win.p(), 2);
        GridView *v = win.table(3);
        QWidget *port = v->viewport();
        const QPoint a = v->visualRect(v->model()->index(from.y(), from.x())).center();
        const QPoint b = v->visualRect(v->model()->index(to.y(), to.x())).center();
        if (how == QStringLiteral("drag")) {
            mouse(port, QEvent::MouseButtonPress, a, Qt::LeftButton);
            mouse(port, QEvent::MouseMove, (a + b) / 2, Qt::LeftButton);
            mouse(port, QEvent::MouseMove, b, Qt::LeftButton);
            mouse(port, QEvent::MouseButtonRelease, b, Qt::NoButton);
        } else {
            QTest::mouseClick(port, Qt::LeftButton, Qt::NoModifier, a);
            QTest::mouseClick(port, Qt::LeftButton, Qt::ShiftModifier, b);
        }
        const GridModel &g = win.p().tabl[3];
        QCOMPARE(QPoint(g.col(), g.row()), from + QPoint(0, 1)); // the pressed cell stays current
        QCOMPARE(QPoint(g.colSel(), g.rowSel()), to + QPoint(0, 1));
        QCOMPARE(v->selectionModel()->selectedIndexes().size(), 4);
        win.desktop->ctrl = true;
        QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(win.desktop->clipboard, QStringLiteral("45\t100\r5\t98"));
    }

    // Copy and paste of the same table in the window leaves it as it was.
    void copyThenPasteWithTheKeys()
    {
        Window win;
        win.open(Concrete);
        SelectStep(win.p(), 2);
        GridView *v = win.table(3);
        v->setFocus();
        QStringList before;
        for (int j = 0; j <= 10; ++j)
            for (int i = 0; i <= 4; ++i)
                before << txt(win.p().tabl[3], j, i);
        win.desktop->ctrl = true;
        QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(v, Qt::Key_V, Qt::ControlModifier);
        QStringList after;
        for (int j = 0; j <= 10; ++j)
            for (int i = 0; i <= 4; ++i)
                after << txt(win.p().tabl[3], j, i);
        QCOMPARE(after, before);
    }

    // The wheel over a long table pages down to the end and back; the top row the view shows
    // is the grid's, and one row of each page stays in view.
    void wheelPagesALongTable_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("950 x 720") << QSize(950, 720);
        QTest::newRow("1920 x 1080") << QSize(1920, 1080);
    }
    void wheelPagesALongTable()
    {
        QFETCH(QSize, size);
        Window win;
        win.w.resize(size);
        QTRY_COMPARE(win.w.size(), size);
        win.p().K.setText(QStringLiteral("50"));
        SelectStep(win.p(), 2);
        GridView *v = win.table(3);
        QTest::qWait(20); // the view lays out its rows
        QWidget *port = v->viewport();
        int notches = 0;
        while (!wholeInView(v, 50) && notches < 40) {
            int last = shownTopRow(v);
            while (last < 50 && wholeInView(v, last + 1))
                ++last;
            wheel(port, -120);
            ++notches;
            QCOMPARE(shownTopRow(v), win.p().tabl[3].topRow());
            QVERIFY2(wholeInView(v, last), qPrintable(QStringLiteral("row %1 left the view").arg(last)));
        }
        QVERIFY(wholeInView(v, 50));
        // A further notch at the end changes nothing.
        wheel(port, -120);
        QCOMPARE(shownTopRow(v), win.p().tabl[3].topRow());
        QVERIFY(wholeInView(v, 50));
        const int end = shownTopRow(v);
        // Back from the end: every notch moves, until row 1 is on top.
        int back = 0;
        while (shownTopRow(v) > 1 && back < 40) {
            const int top = shownTopRow(v);
            wheel(port, 120);
            ++back;
            QVERIFY2(shownTopRow(v) < top, qPrintable(QStringLiteral("stuck at row %1").arg(top)));
            QCOMPARE(shownTopRow(v), win.p().tabl[3].topRow());
            QVERIFY(wholeInView(v, top));
        }
        QCOMPARE(shownTopRow(v), 1);
        QVERIFY(end > 1);
        // The wheel over the scroll bar pages too.
        wheel(v->verticalScrollBar(), -120);
        QVERIFY(shownTopRow(v) > 1);
        QCOMPARE(shownTopRow(v), win.p().tabl[3].topRow());
    }

    // Opening a project: step 1 only when no step was shown yet; a cancelled open resets
    // the sliders and the locks to the base recipe and keeps the step and the search.
    void openFlow_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("search");
        QTest::addColumn<int>("shown");
        QTest::newRow("no step yet, opened") << 0 << false << false << 1;
        QTest::newRow("no step yet, cancelled") << 0 << true << false << 1;
        QTest::newRow("step 3, opened") << 3 << false << false << 3;
        QTest::newRow("step 5, cancelled") << 5 << true << false << 5;
        QTest::newRow("step 5 searching, cancelled") << 5 << true << true << 5;
    }
    void openFlow()
    {
        QFETCH(int, step);
        QFETCH(bool, cancel);
        QFETCH(bool, search);
        QFETCH(int, shown);
        Window win;
        MixProject &p = win.p();
        if (step) {
            // The window as a user leaves it: a project, a step, a slider moved, a lock.
            win.open(DryMix);
            SelectStep(p, step);
            p.SBegunok[1].userScroll(5000);
            p.MLock[2].setChecked(true);
            win.w.tick();
            if (search) {
                QVERIFY(p.AutoCheck.isEnabled());
                p.AutoCheck.setChecked(true);
            }
        }
        QCOMPARE(CurrentStep(p), step);
        whenModalShown([cancel](QWidget *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            if (!files || cancel) {
                dialog->close();
                return;
            }
            files->selectFile(Concrete);
            QMetaObject::invokeMethod(files, "accept");
        });
        QTest::mouseClick(win.find<QPushButton>(QStringLiteral("ButOpen")), Qt::LeftButton);
        QCOMPARE(CurrentStep(p), shown);
        QVERIFY(p.Forma[shown].isVisible());
        QCOMPARE(p.AutoCheck.isChecked(), search);
        if (cancel && !step)
            return; // nothing to reset in the empty project
        const int n = cancel ? 5 : 4;
        QCOMPARE(p.N.text(), QString::number(n));
        for (int i = 1; i <= n; ++i) {
            QVERIFY(!p.MLock[i].isChecked());
            const float base = *p.cellNumber(p.tabl[4], 1, i - 1);
            QCOMPARE(p.CorrectedRecipe[i], base);
            QCOMPARE(p.SBegunok[i].value(), int(std::floor(double(base) * 100.0)));
        }
        // The correction controls follow the search switch.
        QCOMPARE(p.SBegunok[2].isEnabled(), !search);
        QCOMPARE(p.IshReset.isEnabled(), !search);
    }

    // The bound boxes: typed characters are filtered to digits, the editing keys work, and a
    // pasted text keeps its digits.
    void boundBoxes_data()
    {
        QTest::addColumn<QString>("keys"); // actions on the Max box of component 1, which shows 100
        QTest::addColumn<QString>("after");
        QTest::newRow("select all, delete") << QStringLiteral("ctrl+a del") << QString();
        QTest::newRow("delete at the start") << QStringLiteral("home del") << QStringLiteral("00");
        QTest::newRow("typed letters and signs discarded") << QStringLiteral("ctrl+a type:4x-5,.a") << QStringLiteral("45");
        QTest::newRow("paste keeps the digits") << QStringLiteral("ctrl+a paste:%20%%") << QStringLiteral("20");
        QTest::newRow("paste of a decimal keeps the whole part") << QStringLiteral("ctrl+a paste:12,5")
                                                                 << QStringLiteral("12");
        QTest::newRow("paste without digits over a selection") << QStringLiteral("ctrl+a paste:abc") << QString();
        QTest::newRow("paste in the middle") << QStringLiteral("home right paste:5") << QStringLiteral("1500");
        QTest::newRow("cut and paste back") << QStringLiteral("ctrl+a ctrl+x end ctrl+v") << QStringLiteral("100");
    }
    void boundBoxes()
    {
        QFETCH(QString, keys);
        QFETCH(QString, after);
        Window win;
        MixProject &p = win.p();
        win.open(DryMix);
        SelectStep(p, 5);
        win.w.tick();
        p.BoundsCheck.setChecked(true);
        win.w.tick();
        QVERIFY(p.CommandBounds.isEnabled());
        QString shownText, controlText;
        whenModalShown([&](QWidget *dialog) {
            auto *box = dialog->findChild<QLineEdit *>(QStringLiteral("BMaxVal1"));
            auto *form = qobject_cast<Form6 *>(dialog);
            if (!box || !form) {
                dialog->close();
                return;
            }
            box->setFocus();
            for (const QString &action : keys.split(u' ')) {
                if (action == QStringLiteral("ctrl+a"))
                    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                else if (action == QStringLiteral("ctrl+x"))
                    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
                else if (action == QStringLiteral("ctrl+v"))
                    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                else if (action == QStringLiteral("del"))
                    QTest::keyClick(box, Qt::Key_Delete);
                else if (action == QStringLiteral("home"))
                    QTest::keyClick(box, Qt::Key_Home);
                else if (action == QStringLiteral("end"))
                    QTest::keyClick(box, Qt::Key_End);
                else if (action == QStringLiteral("right"))
                    QTest::keyClick(box, Qt::Key_Right);
                else if (action.startsWith(QStringLiteral("type:")))
                    QTest::keyClicks(box, action.mid(5));
                else if (action.startsWith(QStringLiteral("paste:"))) {
                    QGuiApplication::clipboard()->setText(action.mid(6).replace(u'%', u' '));
                    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                }
            }
            shownText = box->text();
            controlText = form->model().BMaxVal[1].text();
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("CommandCancel")), Qt::LeftButton);
        });
        QTest::mouseClick(win.find<QPushButton>(QStringLiteral("CommandBounds")), Qt::LeftButton);
        QCOMPARE(shownText, after);
        QCOMPARE(controlText, after);
        QCOMPARE(p.VariationMax[1], 100.0f); // cancelled
    }

    // The edited bounds apply.
    void boundBoxesApply()
    {
        Window win;
        MixProject &p = win.p();
        win.open(DryMix);
        SelectStep(p, 5);
        win.w.tick();
        p.BoundsCheck.setChecked(true);
        win.w.tick();
        whenModalShown([](QWidget *dialog) {
            auto *low = dialog->findChild<QLineEdit *>(QStringLiteral("BMinVal2"));
            auto *high = dialog->findChild<QLineEdit *>(QStringLiteral("BMaxVal2"));
            QGuiApplication::clipboard()->setText(QStringLiteral(" 15 %"));
            low->setFocus();
            QTest::keyClick(low, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(low, Qt::Key_V, Qt::ControlModifier);
            high->setFocus();
            QTest::keyClick(high, Qt::Key_End);
            QTest::keyClick(high, Qt::Key_Backspace);
            QTest::keyClick(high, Qt::Key_Home);
            QTest::keyClick(high, Qt::Key_Delete);
            QTest::keyClicks(high, QStringLiteral("6"));
            QTest::qWait(20); // the dialog's own tick checks the pairs
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("CommandApply")), Qt::LeftButton);
        });
        QTest::mouseClick(win.find<QPushButton>(QStringLiteral("CommandBounds")), Qt::LeftButton);
        QCOMPARE(p.VariationMin[2], 15.0f);
        QCOMPARE(p.VariationMax[2], 60.0f);
    }
};

QTEST_MAIN(TestWindowInput)
#include "tst_window_input.moc"
