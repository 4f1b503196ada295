// The input tables and the sliders as the user works them: the tables keep their texts when N
// and K change and refuse counts they cannot show, paste blocks from the clipboard, select and
// copy blocks, keep their current cell and scroll by the wheel; the sliders stay within 0..10000
// and change only on a real change, by code or by a drag.
#include "session/ProjectSession.h"
#include "widgets/Controls.h"
#include "widgets/InputTableView.h"

#include "support/CellText.h"
#include "support/ProjectBuilder.h"
#include "support/WindowDriver.h"

#include <QHeaderView>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using TestSupport::WindowDriver;

namespace {

// The data cells of a table as the window shows them (headers left out), row by row.
QStringList dataCells(const ProjectSession &s, InputTable t)
{
    QStringList out;
    for (int r = 1; r < s.tableRows(t); ++r)
        for (int c = 0; c < s.tableColumns(t); ++c)
            out << txt(s, t, r, c);
    return out;
}

// The same as the view shows them.
QStringList shownCells(const InputTableView *view)
{
    QStringList out;
    const QAbstractItemModel *m = view->model();
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            out << m->index(r, c).data().toString();
    return out;
}

// A component (or the size column) of the grain table: two components over two sizes, "a" at
// (1, 2) and "b" at (2, 0).
void fillAB(ProjectSession &s)
{
    s.setComponentCount(2);
    s.setClassCountText(QStringLiteral("2"));
    s.setCellText(InputTable::Compositions, 1, 2, QStringLiteral("a"));
    s.setCellText(InputTable::Compositions, 2, 0, QStringLiteral("b"));
}

QPoint cellCentre(const InputTableView *view, int row, int col)
{
    return view->visualRect(view->model()->index(row - 1, col)).center();
}

const QColor EnteredColour(128, 255, 128);
const QColor EditedColour(255, 244, 234);

// The first row fully in view (the last page is shown flush with the bottom, the row above it
// cut by the top edge).
int topRow(const QTableView *view)
{
    const int r = view->rowAt(0);
    return r + (view->rowViewportPosition(r) < 0 ? 1 : 0) + 1;
}

bool rowFullyVisible(const QTableView *view, int row)
{
    const int y = view->rowViewportPosition(row - 1);
    return y >= 0 && y + view->rowHeight(row - 1) <= view->viewport()->height();
}

// Gives the grain table a viewport of `height` pixels.
void setViewportHeight(QTableView *view, int height)
{
    view->setFixedHeight(height + view->horizontalHeader()->height() + 2 * view->frameWidth()
                         + (view->horizontalScrollBar()->isVisible() ? view->horizontalScrollBar()->height() : 0));
    QCoreApplication::processEvents();
}

void notch(QTableView *view, int delta)
{
    const QPoint at = view->viewport()->rect().center();
    QWheelEvent e(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &e);
}

} // namespace

class TestTables final : public QObject
{
    Q_OBJECT

private slots:
    void reshapeKeepsTexts_data();
    void reshapeKeepsTexts();
    void refusedCounts_data();
    void refusedCounts();
    void cellByRowAndColumn_data();
    void cellByRowAndColumn();
    void paste_data();
    void paste();
    void pasteKeepsWhatTheBlockMisses();
    void mouseDragSelectsABlock();
    void currentCellFollowsAReshape();
    void hiddenCellsComeBackPlain();
    void wheelScrollsAPage();
    void wheelPaging_data();
    void wheelPaging();
    void topRowHeldInView();
    void sliderValue_data();
    void sliderValue();
    void sliderDrag();
    void sliderClampedByLocks();
    void optionAndSearchChanges_data();
    void optionAndSearchChanges();
};

// The grain table of two components and two sizes, "a" at (1, 2) and "b" at (2, 0), changes
// its component count N and then its class count K; the texts of the cells still shown stay at
// their place, and the cells hidden by a lower count come back when it rises again.
void TestTables::reshapeKeepsTexts_data()
{
    QTest::addColumn<QList<int>>("counts"); // the values of N set one after the other
    QTest::addColumn<QList<int>>("classes"); // then the values of K
    QTest::addColumn<QStringList>("after"); // the data rows
    const QString e;
    const QString a = QStringLiteral("a");
    const QString b = QStringLiteral("b");
    QTest::newRow("wider") << QList<int>{3} << QList<int>{} << QStringList{e, e, a, e, b, e, e, e};
    QTest::newRow("narrower") << QList<int>{1} << QList<int>{} << QStringList{e, e, b, e};
    // The old grid lost "a" here; the tables now keep hidden cells.
    QTest::newRow("narrower and back") << QList<int>{1, 2} << QList<int>{} << QStringList{e, e, a, b, e, e};
    QTest::newRow("the same") << QList<int>{2} << QList<int>{} << QStringList{e, e, a, b, e, e};
    QTest::newRow("fewer rows") << QList<int>{} << QList<int>{1} << QStringList{e, e, a};
    QTest::newRow("fewer rows and back") << QList<int>{} << QList<int>{1, 2} << QStringList{e, e, a, b, e, e};
    QTest::newRow("no rows and back") << QList<int>{} << QList<int>{0, 3} << QStringList{e, e, a, b, e, e, e, e, e};
    QTest::newRow("K beyond 16 bits and back") << QList<int>{} << QList<int>{1000000, 2} << QStringList{e, e, a, b, e, e};
    QTest::newRow("narrower, fewer, back") << QList<int>{1, 2} << QList<int>{1, 2} << QStringList{e, e, a, b, e, e};
}

void TestTables::reshapeKeepsTexts()
{
    QFETCH(QList<int>, counts);
    QFETCH(QList<int>, classes);
    QFETCH(QStringList, after);
    WindowDriver w;
    fillAB(w.session);
    for (int n : counts)
        w.session.setComponentCount(n);
    for (int k : classes)
        w.session.setClassCountText(QString::number(k));
    QCOMPARE(dataCells(w.session, InputTable::Compositions), after);
    InputTableView *view = w.table(InputTable::Compositions);
    QCOMPARE(shownCells(view), after);
}

// A component count outside 1..10 is refused: the tables keep their shape and texts.
void TestTables::refusedCounts_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("no component") << 0;
    QTest::newRow("eleven components") << 11;
    QTest::newRow("negative") << -1;
}

void TestTables::refusedCounts()
{
    QFETCH(int, n);
    WindowDriver w;
    fillAB(w.session);
    const QStringList before = dataCells(w.session, InputTable::Compositions);
    w.session.setComponentCount(n);
    QCOMPARE(w.session.componentCount(), 2);
    QCOMPARE(w.session.tableColumns(InputTable::Compositions), 3);
    QCOMPARE(w.session.tableColumns(InputTable::Names), 2);
    QCOMPARE(w.session.tableRows(InputTable::Compositions), 3);
    QCOMPARE(w.session.tableColumns(InputTable::Reference), 3);
    QCOMPARE(dataCells(w.session, InputTable::Compositions), before);
    QCOMPARE(shownCells(w.table(InputTable::Compositions)), before);
}

// Cells by (row, column) on the names table of three components (a header row and one row of
// names): outside its rows and columns nothing is read and nothing is written; the header shows
// the component numbers and takes no text.
void TestTables::cellByRowAndColumn_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("shown"); // what the table shows there afterwards
    QTest::newRow("last cell") << 1 << 2 << true << QStringLiteral("x");
    QTest::newRow("header") << 0 << 0 << false << QStringLiteral("1");
    QTest::newRow("row = rows") << 2 << 0 << false << QString();
    QTest::newRow("col = cols") << 0 << 3 << false << QString();
    QTest::newRow("negative row") << -1 << 0 << false << QString();
    QTest::newRow("negative col") << 1 << -1 << false << QString();
}

void TestTables::cellByRowAndColumn()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(bool, exists);
    QFETCH(QString, shown);
    ProjectSession s;
    s.setComponentCount(3);
    const ProjectDocument before = s.document();
    s.setCellText(InputTable::Names, row, col, QStringLiteral("x"));
    QCOMPARE(s.document() != before, exists);
    QCOMPARE(s.tableText(InputTable::Names, row, col), shown);
    QStringList all;
    for (int r = 0; r < s.tableRows(InputTable::Names); ++r)
        for (int c = 0; c < s.tableColumns(InputTable::Names); ++c)
            all << s.tableText(InputTable::Names, r, c);
    QCOMPARE(int(all.count(QStringLiteral("x"))), exists ? 1 : 0);
}

// A block pasted into the grain table of two components and two sizes fills it from the first
// data row and column on; what does not fit the table is dropped. Rows end with CR, CR LF or LF.
// Selecting the data area afterwards and copying gives the block as the table holds it.
void TestTables::paste_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("copied");
    const QString e;
    QTest::newRow("CR, extra cells dropped")
        << QStringLiteral("10\t1,5\textra\tdropped\r5\t4\r\nnot kept")
        << QStringList{QStringLiteral("10"), QStringLiteral("1,5"), QStringLiteral("extra"), QStringLiteral("5"), QStringLiteral("4"), e}
        << QStringLiteral("10\t1,5\textra\r5\t4\t");
    QTest::newRow("CR LF from a spreadsheet") << QStringLiteral("1\t2\r\n3\t4\r\n")
                                              << QStringList{QStringLiteral("1"), QStringLiteral("2"), e, QStringLiteral("3"), QStringLiteral("4"), e}
                                              << QStringLiteral("1\t2\t\r3\t4\t");
    QTest::newRow("LF only") << QStringLiteral("7\n8\n") << QStringList{QStringLiteral("7"), e, e, QStringLiteral("8"), e, e}
                             << QStringLiteral("7\t\t\r8\t\t");
    QTest::newRow("one cell") << QStringLiteral("9") << QStringList{QStringLiteral("9"), e, e, e, e, e} << QStringLiteral("9\t\t\r\t\t");
}

void TestTables::paste()
{
    QFETCH(QString, block);
    QFETCH(QStringList, after);
    QFETCH(QString, copied);
    WindowDriver w(2, 2);
    InputTableView *view = w.table(InputTable::Compositions);
    w.desktop->clipboard = block;
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    w.window.showChanges();
    QCOMPARE(dataCells(w.session, InputTable::Compositions), after);
    QCOMPARE(shownCells(view), after);
    // The data area selected from the keyboard, then copied.
    view->setCurrentCell(1, 0);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.desktop->clipboard, copied);
    // Moving collapses the selection: copying then gives the whole table.
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.desktop->clipboard, QStringLiteral("Dj\t\t\r") + copied);
    // What did not fit is gone, not hidden: a wider and longer table shows nothing of it.
    w.session.setComponentCount(3);
    w.session.setClassCountText(QStringLiteral("3"));
    for (int c = 0; c <= 3; ++c)
        QCOMPARE(txt(w.session, InputTable::Compositions, 3, c), QString());
    for (int r = 1; r <= 3; ++r)
        QCOMPARE(txt(w.session, InputTable::Compositions, r, 3), QString());
}

void TestTables::pasteKeepsWhatTheBlockMisses()
{
    WindowDriver w(2, 3);
    for (int j = 1; j <= 3; ++j)
        for (int c = 0; c <= 2; ++c)
            w.session.setCellText(InputTable::Compositions, j, c, QStringLiteral("p"));
    InputTableView *view = w.table(InputTable::Compositions);
    w.desktop->clipboard = QStringLiteral("1\t2\r3");
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    const QString p = QStringLiteral("p");
    QCOMPARE(dataCells(w.session, InputTable::Compositions),
             (QStringList{QStringLiteral("1"), QStringLiteral("2"), p, QStringLiteral("3"), p, p, p, p, p}));
}

// Pressing on a cell, moving over the table with the button held and releasing selects the block
// between, as Shift+click does; Ctrl+C then copies that block.
void TestTables::mouseDragSelectsABlock()
{
    WindowDriver w(2, 3);
    w.desktop->clipboard = QStringLiteral("10\t100\t90\r5\t80\t70\r1\t20\t10");
    InputTableView *view = w.table(InputTable::Compositions);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    w.window.showChanges();
    QWidget *area = view->viewport();
    QTest::mousePress(area, Qt::LeftButton, {}, cellCentre(view, 1, 1));
    QTest::mouseMove(area, cellCentre(view, 2, 1));
    QTest::mouseMove(area, cellCentre(view, 2, 2));
    QTest::mouseRelease(area, Qt::LeftButton, {}, cellCentre(view, 2, 2));
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.desktop->clipboard, QStringLiteral("100\t90\r80\t70"));
    // Shift+click selects the same way.
    QTest::mouseClick(area, Qt::LeftButton, {}, cellCentre(view, 2, 0));
    QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, cellCentre(view, 3, 1));
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.desktop->clipboard, QStringLiteral("5\t80\r1\t20"));
}

// The current cell on a row that a lower K hides moves to the last row left, in its column, and
// is coloured as entered; a cell left behind keeps no colour when its row comes back, and the
// same K again changes nothing.
void TestTables::currentCellFollowsAReshape()
{
    WindowDriver w(1, 2);
    InputTableView *view = w.table(InputTable::Compositions);
    view->setCurrentCell(2, 1);
    QCOMPARE(view->tableModel().cellColour(1, 1), EnteredColour);
    w.session.setClassCountText(QStringLiteral("1"));
    w.window.showChanges();
    QCOMPARE(view->currentCell(), QPoint(1, 1));
    QCOMPARE(view->tableModel().cellColour(0, 1), EnteredColour);
    QSignalSpy changed(&w.session, &ProjectSession::changed);
    w.session.setClassCountText(QStringLiteral("1"));
    QCOMPARE(changed.count(), 0);
    w.session.setClassCountText(QStringLiteral("2"));
    w.window.showChanges();
    QCOMPARE(view->currentCell(), QPoint(1, 1));
    QCOMPARE(view->tableModel().cellColour(1, 1), QColor(Qt::white));
    QTest::keyClick(view, Qt::Key_Left);
    QCOMPARE(view->currentCell(), QPoint(0, 1));
    QCOMPARE(view->tableModel().cellColour(0, 1), QColor(Qt::white));
    QCOMPARE(view->tableModel().cellColour(0, 0), EnteredColour);
}

// A cell hidden by a lower K comes back with its text, not with the colour of the cell being
// entered or edited when it was hidden: only the current cell is coloured.
void TestTables::hiddenCellsComeBackPlain()
{
    WindowDriver w;
    QString error;
    QVERIFY2(w.session.openProject(QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt"), &error), qPrintable(error));
    InputTableView *view = w.table(InputTable::Compositions);
    QCOMPARE(txt(w.session, InputTable::Compositions, 10, 1), QStringLiteral("0"));
    view->setCurrentCell(10, 1);
    TestSupport::typeKeys(view, QStringLiteral("5"));
    QCOMPARE(view->tableModel().cellColour(9, 1), EditedColour);
    w.session.setClassCountText(QStringLiteral("5"));
    w.window.showChanges();
    w.session.setClassCountText(QStringLiteral("10"));
    w.window.showChanges();
    QCOMPARE(txt(w.session, InputTable::Compositions, 10, 1), QStringLiteral("5")); // it held a lone zero
    QCOMPARE(view->tableModel().cellColour(9, 1), QColor(Qt::white));
    int coloured = 0;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        for (int c = 0; c < view->model()->columnCount(); ++c)
            coloured += view->tableModel().cellColour(r, c) != QColor(Qt::white) ? 1 : 0;
    QCOMPARE(coloured, 1);
    const QPoint current = view->currentCell();
    QCOMPARE(view->tableModel().cellColour(current.y() - 1, current.x()), EnteredColour);
}

// A notch of the wheel scrolls the grain table by a page of the rows fully in view, the last of
// them staying in view; it never scrolls beyond the last page, and from there it scrolls back.
void TestTables::wheelScrollsAPage()
{
    WindowDriver w(1, 30);
    InputTableView *view = w.table(InputTable::Compositions);
    const int rowHeight = view->rowHeight(0);
    // The header and 10 whole data rows, and a few pixels of the 11th.
    const int viewportHeight = 10 * rowHeight + 4;
    view->setFixedHeight(viewportHeight + view->horizontalHeader()->height() + 2 * view->frameWidth()
                         + (view->horizontalScrollBar()->isVisible() ? view->horizontalScrollBar()->height() : 0));
    QCoreApplication::processEvents();
    QCOMPARE(view->viewport()->height(), viewportHeight);
    // The first row fully in view (the last page is shown flush with the bottom, the row above
    // it cut by the top edge).
    auto topRow = [view] {
        const int r = view->rowAt(0);
        return r + (view->rowViewportPosition(r) < 0 ? 1 : 0) + 1;
    };
    auto notch = [view](int delta) {
        const QPoint at = view->viewport()->rect().center();
        QWheelEvent e(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &e);
    };
    QCOMPARE(topRow(), 1);
    notch(-120);
    QCOMPARE(topRow(), 10);
    notch(120);
    QCOMPARE(topRow(), 1);
    notch(120);
    QCOMPARE(topRow(), 1);
    for (int k = 0; k < 5; ++k)
        notch(-120);
    // The last page: row 30 in view, and no top row the view cannot show.
    const int lastTop = topRow();
    QCOMPARE(lastTop, 30 - 10 + 1);
    QVERIFY(view->rowViewportPosition(29) + rowHeight <= viewportHeight);
    // The wheel scrolls back at once, the top row staying in view as the last one.
    notch(120);
    QCOMPARE(topRow(), lastTop - 9);
    notch(120);
    QCOMPARE(topRow(), lastTop - 18);
    notch(120);
    QCOMPARE(topRow(), 1);
    // A table whose rows all fit does not scroll.
    WindowDriver small(1, 5);
    InputTableView *all = small.table(InputTable::Compositions);
    all->setFixedHeight(600);
    QCoreApplication::processEvents();
    QWheelEvent e(QPointF(10, 10), all->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(all->viewport(), &e);
    QCOMPARE(all->rowAt(0), 0);
}

// The wheel pages by the fully visible rows, the last of them staying in view as the new top
// row; at the end the top row is the one that shows the last row at the bottom, and the wheel
// pages back from there. (Thirty rows with ten in view is wheelScrollsAPage.)
void TestTables::wheelPaging_data()
{
    QTest::addColumn<int>("dataRows");
    QTest::addColumn<int>("wholeRows"); // rows fully in the viewport
    QTest::addColumn<int>("cut");       // pixels of the next row in view too
    QTest::addColumn<QList<int>>("notches"); // -1 towards the user, +1 away
    QTest::addColumn<QList<int>>("tops");
    QTest::newRow("the end reached in one page") << 14 << 10 << 4 << QList<int>{-1, -1, 1} << QList<int>{5, 5, 1};
    QTest::newRow("one row beyond the view") << 11 << 10 << 4 << QList<int>{-1, 1} << QList<int>{2, 1};
    // Row 10 is cut by the viewport's lower edge: it stays in view as the next top row.
    QTest::newRow("a row cut by the edge") << 30 << 9 << -2 << QList<int>{-1, -1, -1, 1} << QList<int>{9, 17, 22, 14};
}

void TestTables::wheelPaging()
{
    QFETCH(int, dataRows);
    QFETCH(int, wholeRows);
    QFETCH(int, cut);
    QFETCH(QList<int>, notches);
    QFETCH(QList<int>, tops);
    WindowDriver w(1, dataRows);
    InputTableView *view = w.table(InputTable::Compositions);
    const int rowHeight = view->rowHeight(0);
    // A negative cut counts from the row's lower edge.
    setViewportHeight(view, wholeRows * rowHeight + (cut < 0 ? rowHeight + cut : cut));
    QCOMPARE(topRow(view), 1);
    for (int i = 0; i < notches.size(); ++i) {
        const int firstVisible = topRow(view);
        int lastVisible = firstVisible;
        while (lastVisible < dataRows && rowFullyVisible(view, lastVisible + 1))
            ++lastVisible;
        QCOMPARE(lastVisible - firstVisible + 1, wholeRows);
        notch(view, notches[i] * 120);
        QCOMPARE(topRow(view), tops[i]);
        // One row of the page before stays in view.
        QVERIFY(rowFullyVisible(view, notches[i] < 0 ? lastVisible : firstVisible));
    }
}

// The top row is held where the view can show it, whatever asks for it: a row asked to the top
// beyond the last page leaves the last page shown; a taller view shows more at the end; a table
// that fits shows its first row.
void TestTables::topRowHeldInView()
{
    WindowDriver w(1, 30);
    InputTableView *view = w.table(InputTable::Compositions);
    const int rowHeight = view->rowHeight(0);
    setViewportHeight(view, 10 * rowHeight + 4);
    view->scrollTo(view->model()->index(29, 0), QAbstractItemView::PositionAtTop);
    QCOMPARE(topRow(view), 21);
    QVERIFY(rowFullyVisible(view, 30));
    setViewportHeight(view, 20 * rowHeight + 4);
    QCOMPARE(topRow(view), 11);
    QVERIFY(rowFullyVisible(view, 30));
    w.session.setClassCountText(QStringLiteral("15"));
    w.window.showChanges();
    QCoreApplication::processEvents();
    QCOMPARE(topRow(view), 1);
}

// Slider 1 of two components at 5000 (50 %): a value set is kept within 0..10000, and the change
// is signalled only when the value changes.
void TestTables::sliderValue_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("changes");
    QTest::newRow("inside") << 7000 << 7000 << 1;
    QTest::newRow("the same") << 5000 << 5000 << 0;
    QTest::newRow("above the range") << 12000 << 10000 << 1;
    QTest::newRow("below the range") << -5 << 0 << 1;
    QTest::newRow("the top") << 10000 << 10000 << 1;
}

void TestTables::sliderValue()
{
    QFETCH(int, set);
    QFETCH(int, value);
    QFETCH(int, changes);
    WindowDriver w;
    QVERIFY(TestSupport::workedExample().baseRecipe({QStringLiteral("50"), QStringLiteral("50")}).typeInto(w.session));
    w.session.resetToBase();
    QCOMPARE(w.session.correction().slider[1], 5000);
    QSignalSpy changed(&w.session, &ProjectSession::changed);
    w.session.moveSlider(1, set);
    QCOMPARE(w.session.correction().slider[1], value);
    QCOMPARE(w.session.correction().slider[2], 10000 - value);
    QCOMPARE(int(changed.count()), changes);
    w.showStep(5);
    QCOMPARE(w.child<QSlider>(QStringLiteral("slider1"))->value(), value);
    QCOMPARE(w.child<QSlider>(QStringLiteral("slider2"))->value(), 10000 - value);
}

// Dragging slider 1 moves it and the other slider shares the rest; the change comes as one.
void TestTables::sliderDrag()
{
    WindowDriver w;
    QVERIFY(TestSupport::workedExample().baseRecipe({QStringLiteral("50"), QStringLiteral("50")}).typeInto(w.session));
    w.session.resetToBase();
    QSignalSpy changed(&w.session, &ProjectSession::changed);
    w.session.moveSlider(1, 300, true);
    QCOMPARE(w.session.correction().slider[1], 300);
    QCOMPARE(w.session.correction().slider[2], 9700);
    QCOMPARE(int(changed.count()), 1);
    // The same with the mouse on the window's slider.
    w.showStep(5);
    auto *slider = w.child<SteadySlider>(QStringLiteral("slider1"));
    QVERIFY(slider && slider->isEnabled());
    const int y = slider->height() / 2;
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->positionOf(300), y));
    QTest::mouseMove(slider, QPoint(slider->positionOf(6000), y));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->positionOf(6000), y));
    w.window.showChanges();
    const int v = w.session.correction().slider[1];
    QVERIFY2(std::abs(v - 6000) <= 10000 / std::max(1, slider->width() / 2), qPrintable(QString::number(v)));
    QCOMPARE(slider->value(), v);
    QCOMPARE(w.session.correction().slider[2], 10000 - v);
    QCOMPARE(w.child<QSlider>(QStringLiteral("slider2"))->value(), 10000 - v);
}

// A slider moved beyond what the locked sliders leave is held at that at once, inside the same
// action: what the caller sees afterwards is the held value.
void TestTables::sliderClampedByLocks()
{
    WindowDriver w;
    QVERIFY(TestSupport::ProjectBuilder()
                .densities({QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")})
                .baseRecipe({QStringLiteral("40"), QStringLiteral("30"), QStringLiteral("30")})
                .sizes({QStringLiteral("5"), QStringLiteral("1")})
                .composition(1, {QStringLiteral("100"), QStringLiteral("50")})
                .composition(2, {QStringLiteral("100"), QStringLiteral("40")})
                .composition(3, {QStringLiteral("100"), QStringLiteral("30")})
                .typeInto(w.session));
    w.session.resetToBase();
    w.session.setLocked(2, true);
    QSignalSpy changed(&w.session, &ProjectSession::changed);
    w.session.moveSlider(1, 9000);
    QCOMPARE(w.session.correction().slider[1], 7000);
    QCOMPARE(w.session.correction().slider[2], 3000);
    QCOMPARE(w.session.correction().slider[3], 0);
    QCOMPARE(int(changed.count()), 1);
    w.showStep(5);
    QCOMPARE(w.child<QSlider>(QStringLiteral("slider1"))->value(), 7000);
}

// Choosing a reference kind is one change, and none when it is the kind already chosen; the
// window shows the kind chosen. The search's switch signals every real change.
void TestTables::optionAndSearchChanges_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("Funk-Dinger") << 1;
    QTest::newRow("Bolomey") << 4;
    QTest::newRow("manual") << 5;
}

void TestTables::optionAndSearchChanges()
{
    QFETCH(int, kind);
    WindowDriver w;
    QVERIFY(TestSupport::workedExample().typeInto(w.session));
    QSignalSpy changed(&w.session, &ProjectSession::changed);
    w.session.setSearchOn(true);
    w.session.setSearchOn(true);
    w.session.setSearchOn(false);
    QCOMPARE(int(changed.count()), 2);
    w.showStep(4);
    changed.clear();
    auto *option = w.child<QRadioButton>(QStringLiteral("reference%1").arg(kind));
    QVERIFY(option);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    // Funk-Dinger is chosen from the start: choosing it again is no change.
    QCOMPARE(int(changed.count()), kind == 1 ? 0 : 1);
    w.window.showChanges();
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(w.child<QRadioButton>(QStringLiteral("reference%1").arg(k))->isChecked(), k == kind);
    QCOMPARE(w.session.document().referenceKind, ReferenceKind(kind));
}

QTEST_MAIN(TestTables)
#include "tst_tables.moc"
