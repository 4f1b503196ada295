#include "core/GridModel.h"
#include "core/MixProject.h"
#include "core/SliderModel.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// The text of a cell, or a marker where the cell does not exist.
QString txt(const GridModel &g, int row, int col)
{
    const QString *t = g.text(row, col);
    return t ? *t : QStringLiteral("<no cell>");
}
} // namespace

class TestGridSlider final : public QObject
{
    Q_OBJECT

private slots:
    void reshapeKeepsTexts()
    {
        GridModel g;
        QVERIFY(g.setCols(3));
        QVERIFY(g.setRows(3));
        QVERIFY(g.setText(1, 2, QStringLiteral("a")));
        QVERIFY(g.setText(2, 0, QStringLiteral("b")));
        QVERIFY(g.setCols(4)); // wider: (1,2) stays at (1,2)
        QCOMPARE(txt(g, 1, 2), QStringLiteral("a"));
        QCOMPARE(txt(g, 2, 0), QStringLiteral("b"));
        QCOMPARE(txt(g, 1, 3), QString());
        QVERIFY(g.setCols(2)); // narrower: column 2 is hidden
        QVERIFY(!g.text(1, 2));
        QVERIFY(g.setCols(3)); // and comes back with its text
        QCOMPARE(txt(g, 1, 2), QStringLiteral("a"));
        QCOMPARE(txt(g, 2, 0), QStringLiteral("b"));
    }

    void flatIndex()
    {
        MixProject p;
        GridModel &g = p.tabl[1];
        g.setCols(3);
        g.setRows(2);
        QCOMPARE(*CellIndex(g, 1, 2), 5);
        QVERIFY(p.setCellText(g, 1, 2, QStringLiteral("Цемент")));
        QCOMPARE(*g.text(5), QStringLiteral("Цемент"));
        // Outside Rows x Cols the statement fails and nothing is written.
        QVERIFY(!g.setText(6, QStringLiteral("x")));
        QVERIFY(!g.text(-1));
        QVERIFY(!p.setCellText(g, 2, 0, QStringLiteral("x")));
        QVERIFY(!g.setText(0, 5, QStringLiteral("x")));
        // A shape beyond the grid's capacity fails and keeps the old one.
        QVERIFY(!g.setRows(1000000));
        QCOMPARE(g.rows(), 2);
        QVERIFY(!g.setCols(0));
        QCOMPARE(g.cols(), 3);
    }

    void clipBlocks()
    {
        GridModel g;
        g.setCols(3);
        g.setRows(3);
        g.setCurrentCell(1, 0);
        g.setRowSel(2);
        g.setColSel(2);
        g.setClip(QStringLiteral("10\t1,5\textra\tdropped\r5\t4\r\nnot kept"));
        QCOMPARE(txt(g, 1, 0), QStringLiteral("10"));
        QCOMPARE(txt(g, 1, 1), QStringLiteral("1,5"));
        QCOMPARE(txt(g, 1, 2), QStringLiteral("extra"));
        QCOMPARE(txt(g, 2, 0), QStringLiteral("5"));
        QCOMPARE(txt(g, 2, 1), QStringLiteral("4"));
        QCOMPARE(txt(g, 0, 0), QString());
        QCOMPARE(g.clip(), QStringLiteral("10\t1,5\textra\r5\t4\t"));
        g.setCurrentCell(2, 1); // moving collapses the selection
        QCOMPARE(g.clip(), QStringLiteral("4"));
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

    void sliderRangeAndEvents()
    {
        SliderModel s;
        s.setMax(10000);
        s.setMin(0);
        QSignalSpy changed(&s, &SliderModel::changed);
        s.setValue(12000);
        QCOMPARE(s.value(), 10000);
        QCOMPARE(changed.count(), 1);
        s.setValue(10000);
        QCOMPARE(changed.count(), 1); // no change, no event
        s.setValue(-5);
        QCOMPARE(s.value(), 0);
        QSignalSpy scrolled(&s, &SliderModel::scrolled);
        s.userScroll(300);
        QCOMPARE(scrolled.count(), 1);
        QCOMPARE(changed.count(), 3);
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

    void checkBoxAndOptionClicks()
    {
        MixProject p;
        QStringList log;
        for (int k = 1; k <= 5; ++k)
            connect(&p.Etalon[k], &Control::clicked, this, [&log, k] { log << QStringLiteral("Etalon_%1").arg(k); });
        p.selectReference(ReferenceKind::ManualReference);
        QCOMPARE(log, QStringList{QStringLiteral("Etalon_5")});
        QVERIFY(!p.Etalon[1].isChecked());
        QCOMPARE(*p.referenceKind(), ReferenceKind::ManualReference);
        QSignalSpy autoClick(&p.AutoCheck, &Control::clicked);
        p.AutoCheck.setChecked(true);
        p.AutoCheck.setChecked(false);
        QCOMPARE(autoClick.count(), 2); // a check box's click follows every change from code
    }
};

QTEST_GUILESS_MAIN(TestGridSlider)
#include "tst_gridslider.moc"
