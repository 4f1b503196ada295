// Typing into the input tables, Backspace and Delete, Enter, the cell colours, copying and
// pasting through the clipboard, and clearing the grain table: keys pressed on the window's
// table views, the clipboard and the questions on a test desktop.
#include "session/ProjectSession.h"
#include "widgets/InputTableView.h"

#include "support/CellText.h"
#include "support/WindowDriver.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

using TestSupport::typeKeys;
using TestSupport::WindowDriver;

namespace {

const QColor EnteredColour(128, 255, 128);
const QColor EditedColour(255, 244, 234);
const QColor LeftColour(Qt::white);

// The background of table cell (row, col) (row 1 = first data row).
QColor colour(InputTableView *view, int row, int col)
{
    return view->tableModel().cellColour(row - 1, col);
}

} // namespace

class TestTableEditing final : public QObject
{
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void keysThatTypeNothing_data();
    void keysThatTypeNothing();
    void backspaceActsOnTheSelectionCorner();
    void coloursAndEnter();
    void referenceTableTypingOnlyForManual();
    void baseRecipeFollows();
    void copyAndPaste();
    void clearGrainTable();
};

void TestTableEditing::typing_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys"); // "\b" Backspace, "\x7f" Delete
    QTest::addColumn<QString>("after");
    const int names = int(InputTable::Names);
    const int densities = int(InputTable::Densities);
    const int compositions = int(InputTable::Compositions);
    QTest::newRow("lone zero replaced") << compositions << QStringLiteral("0") << QStringLiteral("7") << QStringLiteral("7");
    QTest::newRow("comma first") << compositions << QString() << QStringLiteral(",5") << QStringLiteral("0,5");
    QTest::newRow("comma after a lone zero") << compositions << QStringLiteral("0") << QStringLiteral(",") << QStringLiteral("0,");
    QTest::newRow("period after a lone zero") << densities << QStringLiteral("0") << QStringLiteral(".") << QStringLiteral("0,");
    QTest::newRow("refused letter keeps a lone zero") << compositions << QStringLiteral("0") << QStringLiteral("a") << QStringLiteral("0");
    QTest::newRow("name letter over a lone zero") << names << QStringLiteral("0") << QStringLiteral("a") << QStringLiteral("a");
    QTest::newRow("delete empties a lone zero") << compositions << QStringLiteral("0") << QStringLiteral("\x7f") << QString();
    QTest::newRow("backspace empties a lone zero") << compositions << QStringLiteral("0") << QStringLiteral("\b") << QString();
    QTest::newRow("second separator ignored") << compositions << QString() << QStringLiteral("1.2.") << QStringLiteral("1,2");
    QTest::newRow("period on a file text") << compositions << QStringLiteral("1.5") << QStringLiteral(".") << QStringLiteral("1,5,");
    QTest::newRow("comma on a file text") << compositions << QStringLiteral("1.5") << QStringLiteral(",") << QStringLiteral("1.5,");
    QTest::newRow("russian period key") << densities << QStringLiteral("2") << QStringLiteral("ю65") << QStringLiteral("2,65");
    QTest::newRow("russian comma key") << densities << QStringLiteral("2") << QStringLiteral("Б7") << QStringLiteral("2,7");
    QTest::newRow("letter and minus ignored") << compositions << QStringLiteral("12") << QStringLiteral("a-") << QStringLiteral("12");
    QTest::newRow("name letters") << names << QStringLiteral("Песок ") << QStringLiteral("Мк=2C") << QStringLiteral("Песок Мк=2C");
    QTest::newRow("name rejects Ё and !") << names << QStringLiteral("Щебень") << QStringLiteral("Ё!") << QStringLiteral("Щебень");
    QTest::newRow("Cyrillic after a lone zero") << names << QStringLiteral("0") << QStringLiteral("П") << QStringLiteral("П");
    QTest::newRow("backspace keeps the comma") << compositions << QStringLiteral("12,5") << QStringLiteral("\b") << QStringLiteral("12,");
    QTest::newRow("backspace on empty") << compositions << QString() << QStringLiteral("\b") << QString();
    QTest::newRow("backspace on blanks") << names << QStringLiteral("  ") << QStringLiteral("\b") << QStringLiteral("  ");
    QTest::newRow("backspace, then typing") << compositions << QStringLiteral("12,5") << QStringLiteral("\b\b7") << QStringLiteral("127");
    QTest::newRow("delete empties") << compositions << QStringLiteral("12,5") << QStringLiteral("\x7f") << QString();
    QTest::newRow("delete, then typing") << densities << QStringLiteral("2,65") << QStringLiteral("\x7f" "3,1") << QStringLiteral("3,1");
}

void TestTableEditing::typing()
{
    QFETCH(int, table);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    WindowDriver w;
    const InputTable t = InputTable(table);
    const int col = t == InputTable::Compositions ? 1 : 0;
    w.session.setCellText(t, 1, col, before);
    InputTableView *view = w.table(t);
    QVERIFY(view);
    view->setCurrentCell(1, col);
    typeKeys(view, keys);
    w.window.showChanges();
    QCOMPARE(txt(w.session, t, 1, col), after);
    QCOMPARE(view->model()->index(0, col).data().toString(), after); // what the table shows
}

// Arrows, Tab, Home, End, the page keys, Escape, F2 and the modifiers move at most; they never
// change a cell, not even a lone "0".
void TestTableEditing::keysThatTypeNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("down") << int(Qt::Key_Down) << int(Qt::NoModifier);
    QTest::newRow("up") << int(Qt::Key_Up) << int(Qt::NoModifier);
    QTest::newRow("left") << int(Qt::Key_Left) << int(Qt::NoModifier);
    QTest::newRow("right") << int(Qt::Key_Right) << int(Qt::NoModifier);
    QTest::newRow("tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
    QTest::newRow("home") << int(Qt::Key_Home) << int(Qt::NoModifier);
    QTest::newRow("end") << int(Qt::Key_End) << int(Qt::NoModifier);
    QTest::newRow("page down") << int(Qt::Key_PageDown) << int(Qt::NoModifier);
    QTest::newRow("page up") << int(Qt::Key_PageUp) << int(Qt::NoModifier);
    QTest::newRow("escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier);
    QTest::newRow("shift") << int(Qt::Key_Shift) << int(Qt::NoModifier);
    QTest::newRow("ctrl") << int(Qt::Key_Control) << int(Qt::NoModifier);
    QTest::newRow("alt") << int(Qt::Key_Alt) << int(Qt::NoModifier);
    QTest::newRow("shift+down") << int(Qt::Key_Down) << int(Qt::ShiftModifier);
    QTest::newRow("ctrl+7") << int(Qt::Key_7) << int(Qt::ControlModifier);
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << int(Qt::ControlModifier);
}

void TestTableEditing::keysThatTypeNothing()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    WindowDriver w(2, 3);
    for (int j = 1; j <= 3; ++j)
        for (int c = 0; c <= 2; ++c)
            w.session.setCellText(InputTable::Compositions, j, c, QStringLiteral("0"));
    const ProjectDocument before = w.session.document();
    InputTableView *view = w.table(InputTable::Compositions);
    view->setCurrentCell(2, 1);
    QTest::keyClick(view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    w.window.showChanges();
    QCOMPARE(w.session.document(), before);
    QCOMPARE(colour(view, 2, 1) == EditedColour, false);
}

// Backspace shortens the cell at the moving corner of a selected block; the cell where the block
// began keeps its lone "0" (Backspace types no character).
void TestTableEditing::backspaceActsOnTheSelectionCorner()
{
    WindowDriver w(1, 3);
    w.session.setCellText(InputTable::Compositions, 1, 1, QStringLiteral("0"));
    w.session.setCellText(InputTable::Compositions, 2, 1, QStringLiteral("45"));
    InputTableView *view = w.table(InputTable::Compositions);
    view->setCurrentCell(1, 1);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    typeKeys(view, QStringLiteral("\b"));
    QCOMPARE(txt(w.session, InputTable::Compositions, 2, 1), QStringLiteral("4"));
    QCOMPARE(txt(w.session, InputTable::Compositions, 1, 1), QStringLiteral("0"));
}

void TestTableEditing::coloursAndEnter()
{
    WindowDriver w(2, 3);
    InputTableView *g = w.table(InputTable::Compositions);
    g->setCurrentCell(1, 1);
    QCOMPARE(colour(g, 1, 1), EnteredColour);
    typeKeys(g, QStringLiteral("5"));
    QCOMPARE(colour(g, 1, 1), EditedColour);
    typeKeys(g, QStringLiteral("\r"));
    QCOMPARE(g->currentCell(), QPoint(1, 2)); // one row down in the grain compositions
    QCOMPARE(colour(g, 1, 1), LeftColour);
    QCOMPARE(colour(g, 2, 1), EnteredColour);
    QCOMPARE(txt(w.session, InputTable::Compositions, 1, 1), QStringLiteral("5"));
    // One column right elsewhere; at the last column nothing moves.
    InputTableView *r = w.table(InputTable::BaseRecipe);
    r->setCurrentCell(1, 0);
    typeKeys(r, QStringLiteral("\r"));
    QCOMPARE(r->currentCell(), QPoint(1, 1));
    typeKeys(r, QStringLiteral("\r"));
    QCOMPARE(r->currentCell(), QPoint(1, 1)); // the last column: nothing moves
    QCOMPARE(colour(r, 1, 1), EnteredColour);
}

void TestTableEditing::referenceTableTypingOnlyForManual()
{
    WindowDriver w(1, 2);
    w.session.setCellText(InputTable::Compositions, 1, 0, QStringLiteral("5"));
    w.session.setCellText(InputTable::Compositions, 2, 0, QStringLiteral("1"));
    InputTableView *g = w.table(InputTable::Reference);
    g->setCurrentCell(1, 1);
    const QString before = txt(w.session, InputTable::Reference, 1, 1);
    QVERIFY(!before.isEmpty()); // the equation's value
    typeKeys(g, QStringLiteral("9\b\x7f"));
    w.window.showChanges();
    QCOMPARE(txt(w.session, InputTable::Reference, 1, 1), before);
    QCOMPARE(colour(g, 1, 1), LeftColour); // no colours where nothing can be typed
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier); // the clipboard still works
    QVERIFY(w.desktop->clipboard.startsWith(QStringLiteral("Dj")));
    // The manual reference takes what is typed.
    w.session.setReferenceKind(ReferenceKind::ManualReference);
    w.window.showChanges();
    g->setCurrentCell(1, 1);
    typeKeys(g, QStringLiteral("9"));
    QCOMPARE(txt(w.session, InputTable::Reference, 1, 1), QStringLiteral("9"));
}

void TestTableEditing::baseRecipeFollows()
{
    WindowDriver w(2, 2);
    InputTableView *g = w.table(InputTable::BaseRecipe);
    g->setCurrentCell(1, 0);
    typeKeys(g, QStringLiteral("60"));
    g->setCurrentCell(1, 1);
    typeKeys(g, QStringLiteral("40"));
    QCOMPARE(w.session.numbers().correctedRecipe[1], 60.0f);
    QCOMPARE(w.session.numbers().correctedRecipe[2], 40.0f);
    QCOMPARE(w.session.correction().slider[1], 6000);
    QCOMPARE(w.session.correction().slider[2], 4000);
    w.window.showChanges();
    QCOMPARE(w.child<QSlider>(QStringLiteral("slider1"))->value(), 6000);
    QCOMPARE(w.child<QSlider>(QStringLiteral("slider2"))->value(), 4000);
    // Backspace and Delete are followed too.
    typeKeys(g, QStringLiteral("\b"));
    QCOMPARE(w.session.numbers().correctedRecipe[2], 4.0f);
    QCOMPARE(w.session.correction().slider[2], 400);
    typeKeys(g, QStringLiteral("\x7f"));
    QCOMPARE(w.session.numbers().correctedRecipe[2], 4.0f); // an empty cell is no number: kept
}

void TestTableEditing::copyAndPaste()
{
    WindowDriver w(1, 2);
    InputTableView *g = w.table(InputTable::Compositions);
    w.desktop->clipboard = QStringLiteral("10\t1.5\r5\t-4");
    QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
    w.window.showChanges();
    QCOMPARE(txt(w.session, InputTable::Compositions, 1, 0), QStringLiteral("10"));
    QCOMPARE(txt(w.session, InputTable::Compositions, 1, 1), QStringLiteral("1,5"));
    QCOMPARE(txt(w.session, InputTable::Compositions, 2, 0), QStringLiteral("5"));
    QCOMPARE(txt(w.session, InputTable::Compositions, 2, 1), QStringLiteral("4"));
    QCOMPARE(g->model()->index(1, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(w.session.tableRows(InputTable::Compositions), 3); // the shape is kept
    QCOMPARE(g->model()->rowCount(), 2);
    // Copy without a selection: the whole table, headers included.
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.desktop->clipboard, QStringLiteral("Dj\t\r10\t1,5\r5\t4"));
    QCOMPARE(g->currentCell(), QPoint(0, 1));
    // Copy of a block: only the block.
    g->setCurrentCell(1, 1);
    QTest::keyClick(g, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.desktop->clipboard, QStringLiteral("1,5\r4"));
    // The step's copy and paste buttons do the same as the keys.
    w.desktop->clipboard = QStringLiteral("20\t30\r\n");
    QGuiApplication::clipboard()->setText(w.desktop->clipboard); // the page hears of the new clipboard
    QVERIFY(w.child<QToolButton>(QStringLiteral("pasteTable"))->isEnabled());
    QTest::mouseClick(w.child<QToolButton>(QStringLiteral("pasteTable")), Qt::LeftButton);
    QCOMPARE(txt(w.session, InputTable::Compositions, 1, 0), QStringLiteral("20"));
    QCOMPARE(txt(w.session, InputTable::Compositions, 1, 1), QStringLiteral("30"));
    QCOMPARE(txt(w.session, InputTable::Compositions, 2, 1), QStringLiteral("4"));
    w.desktop->clipboard.clear();
    QTest::mouseClick(w.child<QToolButton>(QStringLiteral("copyTable")), Qt::LeftButton);
    QCOMPARE(w.desktop->clipboard, QStringLiteral("Dj\t\r20\t30\r5\t4"));
}

void TestTableEditing::clearGrainTable()
{
    WindowDriver w(1, 2);
    w.session.setCellText(InputTable::Compositions, 1, 1, QStringLiteral("50"));
    w.showStep(2);
    auto *clear = w.child<QToolButton>(QStringLiteral("clearTable"));
    QVERIFY(clear);
    w.desktop->answer = false;
    QTest::mouseClick(clear, Qt::LeftButton);
    QCOMPARE(txt(w.session, InputTable::Compositions, 1, 1), QStringLiteral("50"));
    QCOMPARE(w.desktop->questions, QStringList{QStringLiteral("Подтверждение очистки таблицы")});
    QCOMPARE(w.desktop->questionTexts, QStringList{QStringLiteral("Вы уверены, что хотите очистить таблицу?")});
    w.desktop->answer = true;
    QTest::mouseClick(clear, Qt::LeftButton);
    w.window.showChanges();
    QCOMPARE(txt(w.session, InputTable::Compositions, 1, 1), QString());
    QCOMPARE(txt(w.session, InputTable::Compositions, 0, 0), QStringLiteral("Dj")); // the header stays
    QCOMPARE(w.table(InputTable::Compositions)->model()->index(0, 1).data().toString(), QString());
}

QTEST_MAIN(TestTableEditing)
#include "tst_tableediting.moc"
