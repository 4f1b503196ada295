// The main window under the user's hands: the wheel and the keys change no count, coefficient
// or slider by accident, moving keys leave the cells alone, a block is selected by dragging,
// the wheel pages back from the end of a table, opening a project keeps the shown step, and
// the bound fields take the editing keys and pasting.
#include "session/ProjectSession.h"
#include "widgets/BoundsDialog.h"
#include "widgets/InputTableView.h"
#include "widgets/StepBar.h"

#include "support/CellText.h"
#include "support/WindowDriver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

using TestSupport::WindowDriver;

namespace {

const QString DryMix = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
const QString Concrete = QStringLiteral(PALVEX_SOURCE_DIR "/examples/concrete.txt");

// A window with a project opened through "Открыть проект".
struct Window : WindowDriver
{
    void open(const QString &path)
    {
        window.chooseOpenPath = [path] { return path; };
        const qsizetype before = desktop->messages.size();
        QTest::mouseClick(child<QPushButton>(QStringLiteral("openButton")), Qt::LeftButton);
        window.showChanges();
        if (desktop->messages.size() != before || session.document().name.isEmpty())
            qFatal("cannot open %s", qPrintable(path));
    }
    template <typename T>
    T *find(const QString &name)
    {
        T *w = child<T>(name);
        if (!w)
            qFatal("no widget %s", qPrintable(name));
        return w;
    }
};

void wheel(QWidget *target, int delta, QPoint at = QPoint(-1, -1))
{
    const QPoint pos = at.x() < 0 ? target->rect().center() : at;
    QWheelEvent e(QPointF(pos), QPointF(target->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

// A key as Qt delivers it from a keyboard layout: the key's code and the character it types.
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
bool wholeInView(QTableView *v, int row)
{
    const QRect cell = v->visualRect(v->model()->index(row - 1, 0));
    return cell.isValid() && v->viewport()->rect().contains(cell);
}
int shownTopRow(QTableView *v)
{
    int row = v->rowAt(0) + 1;
    while (row > 0 && row <= v->model()->rowCount() && !wholeInView(v, row))
        ++row;
    return row;
}

Qt::Key keyNamed(const QString &name)
{
    return name == QStringLiteral("Down")       ? Qt::Key_Down
           : name == QStringLiteral("Up")       ? Qt::Key_Up
           : name == QStringLiteral("PageDown") ? Qt::Key_PageDown
           : name == QStringLiteral("PageUp")   ? Qt::Key_PageUp
           : name == QStringLiteral("Home")     ? Qt::Key_Home
                                                : Qt::Key_End;
}

void clickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
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
        win.showStep(1);
        auto *count = win.find<QComboBox>(QStringLiteral("componentCount"));
        count->setFocus();
        const QString fifth = txt(win.session, InputTable::Names, 1, 4);
        if (input == QStringLiteral("wheel+"))
            wheel(count, 120);
        else if (input == QStringLiteral("wheel-"))
            wheel(count, -120);
        else if (input.size() == 1)
            QTest::keyClick(count, input.at(0).toLatin1());
        else
            QTest::keyClick(count, keyNamed(input));
        win.window.showChanges();
        QCOMPARE(win.session.componentCount(), 5);
        QCOMPARE(count->currentText(), QStringLiteral("5"));
        QCOMPARE(win.session.tableColumns(InputTable::Names), 5);
        QCOMPARE(txt(win.session, InputTable::Names, 1, 4), fifth);
    }

    // The list itself still chooses.
    void countChosenFromTheList()
    {
        Window win;
        win.open(DryMix);
        win.showStep(1);
        auto *count = win.find<QComboBox>(QStringLiteral("componentCount"));
        count->setFocus();
        QTest::keyClick(count, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(count->view()->isVisible());
        QTest::keyClick(count->view(), Qt::Key_Down);
        QTest::keyClick(count->view(), Qt::Key_Return);
        win.window.showChanges();
        QCOMPARE(win.session.componentCount(), 6);
        QCOMPARE(count->currentText(), QStringLiteral("6"));
        QCOMPARE(win.session.tableColumns(InputTable::Names), 6);
    }

    // The coefficient lists: typed or chosen, never stepped by the wheel or the arrows, and a
    // typed text is not completed from the list.
    void coefficientLists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("coefficient");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");
        const struct
        {
            const char *name;
            Coefficient c;
        } boxes[] = {{"funkDingerN", Coefficient::FunkDingerN}, {"fullerN", Coefficient::FullerN}, {"bolomeyB", Coefficient::BolomeyB}};
        for (const auto &b : boxes) {
            const QString n = QString::fromLatin1(b.name);
            const QString start = QStringLiteral("as it was");
            QTest::addRow("%s wheel away", b.name) << n << int(b.c) << QStringLiteral("wheel+") << start;
            QTest::addRow("%s wheel towards", b.name) << n << int(b.c) << QStringLiteral("wheel-") << start;
            QTest::addRow("%s down arrow", b.name) << n << int(b.c) << QStringLiteral("Down") << start;
            QTest::addRow("%s up arrow", b.name) << n << int(b.c) << QStringLiteral("Up") << start;
            QTest::addRow("%s page down", b.name) << n << int(b.c) << QStringLiteral("PageDown") << start;
        }
        QTest::newRow("B typed 1, not completed to 10") << QStringLiteral("bolomeyB") << int(Coefficient::BolomeyB)
                                                      << QStringLiteral("type:1") << QStringLiteral("1");
        QTest::newRow("n typed 0,45") << QStringLiteral("funkDingerN") << int(Coefficient::FunkDingerN)
                                      << QStringLiteral("type:0,45") << QStringLiteral("0,45");
    }
    void coefficientLists()
    {
        QFETCH(QString, name);
        QFETCH(int, coefficient);
        QFETCH(QString, input);
        QFETCH(QString, after);
        Window win;
        win.open(DryMix);
        win.showStep(4);
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
            QTest::keyClick(box, keyNamed(input));
        }
        win.window.showChanges();
        QCOMPARE(win.session.document().coefficient(Coefficient(coefficient)).text(), after);
        QCOMPARE(box->currentText(), after);
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
        win.showStep(2);
        QStringList before;
        for (int j = 1; j <= 10; ++j)
            before << txt(win.session, InputTable::Compositions, j, 0) + u'|' + txt(win.session, InputTable::Compositions, j, 5);
        auto *k = win.find<QLineEdit>(QStringLiteral("classCount"));
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
        QCOMPARE(win.session.document().classCountText, QStringLiteral("10"));
        QStringList after;
        for (int j = 1; j <= 10; ++j)
            after << txt(win.session, InputTable::Compositions, j, 0) + u'|' + txt(win.session, InputTable::Compositions, j, 5);
        QCOMPARE(after, before);
    }

    // The wheel over a slider of step 5 changes no fraction.
    void wheelLeavesSlidersAlone()
    {
        Window win;
        win.open(DryMix);
        win.showStep(5);
        const MixNumbers &x = win.session.numbers();
        const float before[3] = {x.correctedRecipe[1], x.correctedRecipe[2], x.correctedRecipe[3]};
        const int value = win.session.correction().slider[2];
        auto *slider = win.find<QSlider>(QStringLiteral("slider2"));
        QVERIFY(slider->isVisible() && slider->isEnabled());
        for (int delta : {120, 120, -120, -360})
            wheel(slider, delta);
        win.window.showChanges();
        QCOMPARE(slider->value(), value);
        QCOMPARE(win.session.correction().slider[2], value);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(x.correctedRecipe[i], before[i - 1]);
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
        win.session.setClassCountText(QStringLiteral("4"));
        for (int j = 1; j <= 4; ++j)
            win.session.setCellText(InputTable::Compositions, j, 1, QStringLiteral("0"));
        InputTableView *v = win.table(InputTable::Compositions);
        v->setFocus();
        v->setCurrentCell(1, 1);
        // Three presses: the down arrow walks the column.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(v, Qt::Key(key));
        QStringList texts;
        for (int j = 1; j <= 4; ++j)
            texts << txt(win.session, InputTable::Compositions, j, 1);
        QCOMPARE(texts.join(u' '), column);
    }

    // Walking down a whole column of zeros with the arrow key leaves every zero in place.
    void walkingDownAColumnOfZeros()
    {
        Window win;
        win.open(DryMix);
        for (int j = 1; j <= 10; ++j)
            win.session.setCellText(InputTable::Compositions, j, 1, QStringLiteral("0"));
        InputTableView *v = win.table(InputTable::Compositions);
        v->setFocus();
        v->setCurrentCell(1, 1);
        for (int j = 1; j < 10; ++j)
            QTest::keyClick(v, Qt::Key_Down);
        QCOMPARE(v->currentCell(), QPoint(1, 10));
        for (int j = 1; j <= 10; ++j)
            QCOMPARE(txt(win.session, InputTable::Compositions, j, 1), QStringLiteral("0"));
    }

    // Keys of a layout without Latin letters: the character typed decides, never the key's code.
    void cyrillicKeys_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        const int names = int(InputTable::Names);
        const int densities = int(InputTable::Densities);
        QTest::newRow("letter over a lone zero") << names << QStringLiteral("0") << 0x41F << QStringLiteral("П") << QStringLiteral("П");
        QTest::newRow("letter appended") << names << QStringLiteral("Песок") << 0x419 << QStringLiteral("й") << QStringLiteral("Песокй");
        QTest::newRow("letter on a key of a Latin code") << names << QStringLiteral("0") << int(Qt::Key_G) << QStringLiteral("п")
                                                         << QStringLiteral("п");
        QTest::newRow("period key of the Russian layout") << densities << QStringLiteral("2") << 0x42E << QStringLiteral("ю")
                                                          << QStringLiteral("2,");
        QTest::newRow("period key of the Russian layout over a zero") << densities << QStringLiteral("0") << 0x42E
                                                                      << QStringLiteral("ю") << QStringLiteral("0,");
        QTest::newRow("comma key of the Russian layout over a zero") << densities << QStringLiteral("0") << 0x411
                                                                     << QStringLiteral("б") << QStringLiteral("0,");
        QTest::newRow("letter refused by a number") << densities << QStringLiteral("0") << 0x41F << QStringLiteral("п")
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
        const InputTable t = InputTable(table);
        win.session.setCellText(t, 1, 0, before);
        InputTableView *v = win.table(t);
        v->setFocus();
        v->setCurrentCell(1, 0);
        typeCharacter(v, key, text);
        QCOMPARE(txt(win.session, t, 1, 0), after);
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
        InputTableView *v = win.table(InputTable::Compositions);
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
        QCOMPARE(v->currentCell(), from + QPoint(0, 1)); // the pressed cell stays the one typed into
        const QModelIndex corner = v->currentIndex(); // the selection's moving corner
        QCOMPARE(QPoint(corner.column(), corner.row() + 1), to + QPoint(0, 1));
        QCOMPARE(v->selectionModel()->selectedIndexes().size(), 4);
        QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(win.desktop->clipboard, QStringLiteral("45\t100\r5\t98"));
    }

    // Copy and paste of the same table in the window leaves it as it was.
    void copyThenPasteWithTheKeys()
    {
        Window win;
        win.open(Concrete);
        InputTableView *v = win.table(InputTable::Compositions);
        v->setFocus();
        QStringList before;
        for (int j = 0; j <= 10; ++j)
            for (int i = 0; i <= 4; ++i)
                before << txt(win.session, InputTable::Compositions, j, i);
        QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(v, Qt::Key_V, Qt::ControlModifier);
        QStringList after;
        for (int j = 0; j <= 10; ++j)
            for (int i = 0; i <= 4; ++i)
                after << txt(win.session, InputTable::Compositions, j, i);
        QCOMPARE(after, before);
    }

    // The wheel over a long table pages down to the end and back, never stuck; one row of each
    // page stays in view.
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
        win.window.resize(size);
        QTRY_COMPARE(win.window.size(), size);
        win.session.setClassCountText(QStringLiteral("50"));
        InputTableView *v = win.table(InputTable::Compositions);
        QTest::qWait(20); // the view lays out its rows
        QWidget *port = v->viewport();
        int notches = 0;
        while (!wholeInView(v, 50) && notches < 40) {
            int last = shownTopRow(v);
            while (last < 50 && wholeInView(v, last + 1))
                ++last;
            const int top = shownTopRow(v);
            wheel(port, -120);
            ++notches;
            QVERIFY2(shownTopRow(v) > top, qPrintable(QStringLiteral("stuck at row %1").arg(top)));
            QVERIFY2(wholeInView(v, last), qPrintable(QStringLiteral("row %1 left the view").arg(last)));
        }
        QVERIFY(wholeInView(v, 50));
        // A further notch at the end changes nothing.
        const int end = shownTopRow(v);
        wheel(port, -120);
        QCOMPARE(shownTopRow(v), end);
        QVERIFY(wholeInView(v, 50));
        // Back from the end: every notch moves, until row 1 is on top.
        int back = 0;
        while (shownTopRow(v) > 1 && back < 40) {
            const int top = shownTopRow(v);
            wheel(port, 120);
            ++back;
            QVERIFY2(shownTopRow(v) < top, qPrintable(QStringLiteral("stuck at row %1").arg(top)));
            QVERIFY(wholeInView(v, top));
        }
        QCOMPARE(shownTopRow(v), 1);
        QVERIFY(end > 1);
        // The wheel over the scroll bar pages too.
        wheel(v->verticalScrollBar(), -120);
        QVERIFY(shownTopRow(v) > 1);
    }

    // Opening a project: step 1 only when no step was shown yet; a cancelled open resets the
    // sliders and the locks to the base recipe and keeps the step and the search.
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
        ProjectSession &s = win.session;
        if (step) {
            // The window as a user leaves it: a project, a step, a slider moved, a lock.
            win.open(DryMix);
            QTest::mouseClick(win.find<StepButton>(QStringLiteral("step%1").arg(step)), Qt::LeftButton);
            win.window.showChanges();
            s.moveSlider(1, 5000, true);
            win.showStep(5);
            clickIndicator(win.find<QCheckBox>(QStringLiteral("lock2")));
            QVERIFY(s.correction().locked[2]);
            win.showStep(step);
            if (search) {
                auto *box = win.find<QCheckBox>(QStringLiteral("search"));
                QVERIFY(box->isEnabled());
                clickIndicator(box);
                QVERIFY(s.correction().searchOn);
            }
        }
        QCOMPARE(s.currentStep(), step);
        win.window.chooseOpenPath = [cancel] { return cancel ? QString() : Concrete; };
        QTest::mouseClick(win.find<QPushButton>(QStringLiteral("openButton")), Qt::LeftButton);
        win.window.showChanges();
        QCOMPARE(s.currentStep(), shown);
        QVERIFY(win.find<QWidget>(QStringLiteral("page%1").arg(shown))->isVisible());
        QCOMPARE(s.correction().searchOn, search);
        QCOMPARE(win.find<QCheckBox>(QStringLiteral("search"))->isChecked(), search);
        if (cancel && !step)
            return; // nothing to reset in the empty project
        const int n = cancel ? 5 : 4;
        QCOMPARE(s.componentCount(), n);
        for (int i = 1; i <= n; ++i) {
            QVERIFY(!s.correction().locked[size_t(i)]);
            const std::optional<float> base = s.document().baseRecipe(i).number();
            QVERIFY(base);
            QCOMPARE(s.numbers().correctedRecipe[i], *base);
            QCOMPARE(s.correction().slider[size_t(i)], int(std::floor(double(*base) * 100.0)));
        }
        // The correction controls follow the search switch.
        QCOMPARE(win.find<QSlider>(QStringLiteral("slider2"))->isEnabled(), !search);
        QCOMPARE(win.find<QPushButton>(QStringLiteral("resetToBase"))->isEnabled(), !search);
    }

    // The bound fields: typed characters are filtered to digits, the editing keys work, and a
    // pasted text keeps its digits.
    void boundFields_data()
    {
        QTest::addColumn<QString>("keys"); // actions on the upper bound of component 1, which shows 100
        QTest::addColumn<QString>("after");
        QTest::newRow("select all, delete") << QStringLiteral("ctrl+a del") << QString();
        QTest::newRow("delete at the start") << QStringLiteral("home del") << QStringLiteral("00");
        QTest::newRow("typed letters and signs discarded") << QStringLiteral("ctrl+a type:4x-5,.a") << QStringLiteral("45");
        QTest::newRow("paste keeps the digits") << QStringLiteral("ctrl+a paste:%20%%") << QStringLiteral("20");
        QTest::newRow("paste of a decimal keeps the whole part") << QStringLiteral("ctrl+a paste:12,5") << QStringLiteral("12");
        QTest::newRow("paste without digits over a selection") << QStringLiteral("ctrl+a paste:abc") << QString();
        QTest::newRow("paste in the middle") << QStringLiteral("home right paste:5") << QStringLiteral("1500");
        QTest::newRow("cut and paste back") << QStringLiteral("ctrl+a ctrl+x end ctrl+v") << QStringLiteral("100");
    }
    void boundFields()
    {
        QFETCH(QString, keys);
        QFETCH(QString, after);
        Window win;
        win.open(DryMix);
        win.showStep(5);
        clickIndicator(win.find<QCheckBox>(QStringLiteral("boundsOn")));
        win.window.showChanges();
        auto *button = win.find<QPushButton>(QStringLiteral("boundsButton"));
        QVERIFY(button->isEnabled());
        QString shownText;
        bool found = false;
        whenModalShown([&](QWidget *dialog) {
            auto *box = dialog->findChild<QLineEdit *>(QStringLiteral("upper1"));
            found = box && qobject_cast<BoundsDialog *>(dialog);
            if (!found) {
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
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cancelBounds")), Qt::LeftButton);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(found);
        QCOMPARE(shownText, after);
        QCOMPARE(win.session.correction().variationMax[1], 100.0f); // cancelled
    }

    // The edited bounds apply.
    void boundFieldsApply()
    {
        Window win;
        win.open(DryMix);
        win.showStep(5);
        clickIndicator(win.find<QCheckBox>(QStringLiteral("boundsOn")));
        win.window.showChanges();
        bool applied = false;
        whenModalShown([&applied](QWidget *dialog) {
            auto *low = dialog->findChild<QLineEdit *>(QStringLiteral("lower2"));
            auto *high = dialog->findChild<QLineEdit *>(QStringLiteral("upper2"));
            auto *apply = dialog->findChild<QPushButton *>(QStringLiteral("applyBounds"));
            if (!low || !high || !apply) {
                dialog->close();
                return;
            }
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
            applied = apply->isEnabled(); // the pairs are checked as they change
            QTest::mouseClick(apply, Qt::LeftButton);
        });
        QTest::mouseClick(win.find<QPushButton>(QStringLiteral("boundsButton")), Qt::LeftButton);
        QVERIFY(applied);
        QCOMPARE(win.session.correction().variationMin[2], 15.0f);
        QCOMPARE(win.session.correction().variationMax[2], 60.0f);
    }
};

QTEST_MAIN(TestWindowInput)
#include "tst_window_input.moc"
