#include "core/GridModel.h"
#include "core/MixProject.h"
#include "core/SliderModel.h"

#include "support/CellText.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// All cells of a grid, row by row.
QStringList cells(const GridModel &g)
{
    QStringList out;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            out << txt(g, r, c);
    return out;
}

} // namespace

class TestGridSlider final : public QObject
{
    Q_OBJECT

private slots:
    // A 3 x 3 grid holding "a" at (1, 2) and "b" at (2, 0) changes its column count; texts of
    // the cells that still exist stay at their (row, column), a column that comes back brings its
    // texts back.
    void reshapeKeepsTexts_data()
    {
        QTest::addColumn<QList<int>>("columns"); // the counts set one after the other
        QTest::addColumn<QStringList>("after");
        const QString e;
        QTest::newRow("wider") << QList<int>{4} << QStringList{e, e, e, e, e, e, QStringLiteral("a"), e, QStringLiteral("b"), e, e, e};
        QTest::newRow("narrower") << QList<int>{2} << QStringList{e, e, e, e, QStringLiteral("b"), e};
        QTest::newRow("narrower and back") << QList<int>{2, 3} << QStringList{e, e, e, e, e, QStringLiteral("a"), QStringLiteral("b"), e, e};
        QTest::newRow("the same") << QList<int>{3} << QStringList{e, e, e, e, e, QStringLiteral("a"), QStringLiteral("b"), e, e};
    }
    void reshapeKeepsTexts()
    {
        QFETCH(QList<int>, columns);
        QFETCH(QStringList, after);
        GridModel g;
        QVERIFY(g.setCols(3));
        QVERIFY(g.setRows(3));
        QVERIFY(g.setText(1, 2, QStringLiteral("a")));
        QVERIFY(g.setText(2, 0, QStringLiteral("b")));
        for (int c : columns)
            QVERIFY(g.setCols(c));
        QCOMPARE(cells(g), after);
    }

    // A shape the grid cannot take fails and keeps the old one.
    void refusedShapes_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::newRow("beyond the capacity") << 1000000 << 3;
        QTest::newRow("no column") << 2 << 0;
        QTest::newRow("no row") << 0 << 3;
        QTest::newRow("negative") << -1 << 3;
    }
    void refusedShapes()
    {
        QFETCH(int, rows);
        QFETCH(int, cols);
        GridModel g;
        g.setCols(3);
        g.setRows(2);
        QVERIFY(g.setText(1, 2, QStringLiteral("kept")));
        if (rows != 2)
            QVERIFY(!g.setRows(rows));
        if (cols != 3)
            QVERIFY(!g.setCols(cols));
        QCOMPARE(g.rows(), 2);
        QCOMPARE(g.cols(), 3);
        QCOMPARE(txt(g, 1, 2), QStringLiteral("kept"));
    }

    // Cells by (row, column) on a 2 x 3 grid: outside Rows x Cols reading and writing fail and
    // nothing is written.
    void cellByRowAndColumn_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("exists");
        QTest::newRow("last cell") << 1 << 2 << true;
        QTest::newRow("header") << 0 << 0 << true;
        QTest::newRow("row = rows") << 2 << 0 << false;
        QTest::newRow("col = cols") << 0 << 3 << false;
        QTest::newRow("negative row") << -1 << 0 << false;
        QTest::newRow("negative col") << 1 << -1 << false;
    }
    void cellByRowAndColumn()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(bool, exists);
        GridModel g;
        g.setCols(3);
        g.setRows(2);
        QCOMPARE(g.setText(row, col, QStringLiteral("x")), exists);
        QCOMPARE(g.text(row, col) != nullptr, exists);
        QCOMPARE(int(cells(g).count(QStringLiteral("x"))), exists ? 1 : 0);
    }

    // The flat index row x Cols + col of the program's tables on a 2 x 3 grid: a column beyond
    // the row runs on into the next row; beyond the last cell nothing is written.
    void flatIndex_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("cell"); // the cell written, row-major; -1: none
        QTest::newRow("(1, 2)") << 1 << 2 << 5 << 5;
        QTest::newRow("(0, 3) runs into row 1") << 0 << 3 << 3 << 3;
        QTest::newRow("(2, 0) beyond the last cell") << 2 << 0 << 6 << -1;
        QTest::newRow("(0, -1) before the first") << 0 << -1 << -1 << -1;
    }
    void flatIndex()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, index);
        QFETCH(int, cell);
        MixProject p;
        GridModel &g = p.tabl[1];
        g.setCols(3);
        g.setRows(2);
        QCOMPARE(*CellIndex(g, row, col), index);
        QCOMPARE(p.setCellText(g, row, col, QStringLiteral("Цемент")), cell >= 0);
        const QStringList all = cells(g);
        QCOMPARE(int(all.indexOf(QStringLiteral("Цемент"))), cell);
        QCOMPARE(g.text(int64_t(index)) != nullptr, cell >= 0);
    }

    // A block pasted into the selection of a 3 x 3 grid from the current cell on; what does
    // not fit the selection is dropped. Rows end with CR, CR LF or LF.
    void paste_data()
    {
        QTest::addColumn<QRect>("selection"); // columns x, rows y
        QTest::addColumn<QString>("block");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("copied");
        const QString e;
        QTest::newRow("CR, extra cells dropped")
            << QRect(QPoint(0, 1), QPoint(2, 2)) << QStringLiteral("10\t1,5\textra\tdropped\r5\t4\r\nnot kept")
            << QStringList{e, e, e, QStringLiteral("10"), QStringLiteral("1,5"), QStringLiteral("extra"), QStringLiteral("5"), QStringLiteral("4"), e}
            << QStringLiteral("10\t1,5\textra\r5\t4\t");
        QTest::newRow("CR LF from a spreadsheet")
            << QRect(QPoint(1, 1), QPoint(2, 2)) << QStringLiteral("1\t2\r\n3\t4\r\n")
            << QStringList{e, e, e, e, QStringLiteral("1"), QStringLiteral("2"), e, QStringLiteral("3"), QStringLiteral("4")}
            << QStringLiteral("1\t2\r3\t4");
        QTest::newRow("LF only") << QRect(QPoint(0, 1), QPoint(0, 2)) << QStringLiteral("7\n8\n")
                                 << QStringList{e, e, e, QStringLiteral("7"), e, e, QStringLiteral("8"), e, e} << QStringLiteral("7\r8");
        QTest::newRow("one cell into a block") << QRect(QPoint(1, 1), QPoint(2, 2)) << QStringLiteral("9")
                                               << QStringList{e, e, e, e, QStringLiteral("9"), e, e, e, e} << QStringLiteral("9\t\r\t");
    }
    void paste()
    {
        QFETCH(QRect, selection);
        QFETCH(QString, block);
        QFETCH(QStringList, after);
        QFETCH(QString, copied);
        GridModel g;
        g.setCols(3);
        g.setRows(3);
        g.setCurrentCell(selection.top(), selection.left());
        g.setRowSel(selection.bottom());
        g.setColSel(selection.right());
        g.setClip(block);
        QCOMPARE(cells(g), after);
        QCOMPARE(g.clip(), copied);
        g.setCurrentCell(selection.top(), selection.left()); // moving collapses the selection
        QCOMPARE(g.clip(), after[selection.top() * 3 + selection.left()]);
    }

    // A cell event raised by a count change runs its handler inside the setter, and a handler
    // that changes the grid again (as a nested recalculation does) is harmless.
    void gridEventsNested()
    {
        GridModel g;
        g.setCols(2);
        g.setRows(3);
        g.setCurrentCell(2, 1);
        QStringList log;
        int depth = 0;
        connect(&g, &GridModel::cellLeft, this, [&] { log << QStringLiteral("left %1,%2").arg(g.row()).arg(g.col()); });
        connect(&g, &GridModel::cellEntered, this, [&] {
            log << QStringLiteral("entered %1,%2").arg(g.row()).arg(g.col());
            ++depth;
            if (depth == 1)
                g.setRows(2); // the same count again: no further events
            --depth;
        });
        g.setRows(2);
        log << QStringLiteral("after");
        QCOMPARE(log, (QStringList{QStringLiteral("left 2,1"), QStringLiteral("entered 1,1"), QStringLiteral("after")}));
        log.clear();
        g.setRows(2);
        QVERIFY(log.isEmpty());
        g.setCol(0);
        QCOMPARE(log, (QStringList{QStringLiteral("left 1,1"), QStringLiteral("entered 1,0")}));
    }

    // A slider on 0..10000 at 5000: a value set from code is kept within the range, and the
    // change event follows only a real change.
    void sliderValue_data()
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
    void sliderValue()
    {
        QFETCH(int, set);
        QFETCH(int, value);
        QFETCH(int, changes);
        SliderModel s;
        s.setMax(10000);
        s.setMin(0);
        s.setValue(5000);
        QSignalSpy changed(&s, &SliderModel::changed);
        QSignalSpy scrolled(&s, &SliderModel::scrolled);
        s.setValue(set);
        QCOMPARE(s.value(), value);
        QCOMPARE(int(changed.count()), changes);
        QCOMPARE(int(scrolled.count()), 0); // only the user scrolls
    }

    void sliderUserScroll()
    {
        SliderModel s;
        s.setMax(10000);
        QSignalSpy changed(&s, &SliderModel::changed);
        QSignalSpy scrolled(&s, &SliderModel::scrolled);
        s.userScroll(300);
        QCOMPARE(s.value(), 300);
        QCOMPARE(int(scrolled.count()), 1);
        QCOMPARE(int(changed.count()), 1);
    }

    // The change event of a value set by code runs before the setter returns, and a nested
    // set from inside the handler is seen by the outer code at once.
    void sliderChangeNested()
    {
        SliderModel s;
        s.setMax(10000);
        QStringList log;
        connect(&s, &SliderModel::changed, this, [&] {
            log << QStringLiteral("change %1").arg(s.value());
            if (s.value() > 7000)
                s.setValue(7000); // a clamp from inside the handler
        });
        s.setValue(9000);
        log << QStringLiteral("after %1").arg(s.value());
        QCOMPARE(log, (QStringList{QStringLiteral("change 9000"), QStringLiteral("change 7000"), QStringLiteral("after 7000")}));
    }

    // Selecting an option raises the click of that option only; a check box's click follows
    // every change of its value from code.
    void checkBoxAndOptionClicks_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("Funk-Dinger") << 1;
        QTest::newRow("Bolomey") << 4;
        QTest::newRow("manual") << 5;
    }
    void checkBoxAndOptionClicks()
    {
        QFETCH(int, kind);
        MixProject p;
        QStringList log;
        for (int k = 1; k <= 5; ++k)
            connect(&p.Etalon[k], &Control::clicked, this, [&log, k] { log << QStringLiteral("Etalon_%1").arg(k); });
        p.selectReference(ReferenceKind(kind));
        // Funk-Dinger is selected from the start: selecting it again is no change.
        QCOMPARE(log, kind == 1 ? QStringList() : QStringList{QStringLiteral("Etalon_%1").arg(kind)});
        for (int k = 1; k <= 5; ++k)
            QCOMPARE(p.Etalon[k].isChecked(), k == kind);
        QCOMPARE(*p.referenceKind(), ReferenceKind(kind));
        QSignalSpy autoClick(&p.AutoCheck, &Control::clicked);
        p.AutoCheck.setChecked(true);
        p.AutoCheck.setChecked(true);
        p.AutoCheck.setChecked(false);
        QCOMPARE(int(autoClick.count()), 2);
    }
};

QTEST_GUILESS_MAIN(TestGridSlider)
#include "tst_gridslider.moc"
