// The tables keep what the user typed: lowering N or K hides columns and rows instead of
// deleting them, moving keys never change a cell, a copied table pastes back where it came
// from, a hidden component holds no lock, and the wheel pages back from the end of a table.

#include "checking/GridEditing.h"
#include "core/Recalculate.h"
#include "correction/ManualCorrection.h"
#include "files/ProjectFile.h"
#include "ui/Form1Logic.h"
#include "ui/Layout.h"

#include "FakeDesktop.h"

#include <QTest>

namespace {

QString txt(const GridModel &g, int row, int col)
{
    const QString *t = g.text(row, col);
    return t ? *t : QStringLiteral("<no cell>");
}

// Every cell of the five tables as shown, one line per row.
QStringList tables(const MixProject &p)
{
    QStringList out;
    for (int k = 1; k <= 5; ++k) {
        const GridModel &g = p.tabl[k];
        for (int r = 0; r < g.rows(); ++r) {
            QStringList row;
            for (int c = 0; c < g.cols(); ++c)
                row << txt(g, r, c);
            out << QStringLiteral("%1/%2: %3").arg(k).arg(r).arg(row.join(u'|'));
        }
    }
    return out;
}

// The window's model with its handlers, as the window connects them.
struct Fixture
{
    MixProject p;
    FakeDesktop desktop;
    explicit Fixture(const QString &example = QStringLiteral("dry-mix.txt"))
    {
        ConnectWindowHandlers(p);
        GridEditing::Connect(p, desktop);
        p.startUp();
        if (!example.isEmpty()) {
            QString error;
            if (!ProjectFile::LoadProject(p, QStringLiteral(PALVEX_SOURCE_DIR "/examples/") + example, &error))
                qFatal("%s", qPrintable(error));
        }
    }
    // A key as the grid delivers it from the keyboard: key down with its code, then the
    // character when the key types one.
    void key(int table, int code, char16_t ch = 0)
    {
        p.tabl[table].raiseKeyDown(code);
        if (ch)
            p.tabl[table].raiseKeyPress(ch);
    }
};

} // namespace

class TestTablesKeep final : public QObject
{
    Q_OBJECT

private slots:
    // The counts pass through smaller values while they are typed or chosen; the hidden
    // texts come back when the count grows again.
    void countsPassingThrough_data()
    {
        QTest::addColumn<QString>("steps"); // "N=3 K=5 ..."
        QTest::newRow("K: 51 typed over 10 passes through 5") << QStringLiteral("K=5 K=51 K=10");
        QTest::newRow("K: a letter reads 0") << QStringLiteral("K=a K=10");
        QTest::newRow("K: emptied, then typed again") << QStringLiteral("K= K=1 K=10");
        QTest::newRow("K: lowered to 2") << QStringLiteral("K=2 K=10");
        QTest::newRow("N: lowered to 3 and back") << QStringLiteral("N=3 N=5");
        QTest::newRow("N: lowered to 1 and back step by step") << QStringLiteral("N=1 N=2 N=4 N=5");
        QTest::newRow("N and K lowered, raised in the other order") << QStringLiteral("N=2 K=4 N=5 K=10");
    }
    void countsPassingThrough()
    {
        QFETCH(QString, steps);
        Fixture f;
        const QStringList before = tables(f.p);
        const float divergence = f.p.CurveDivergence;
        for (const QString &step : steps.split(u' ')) {
            Control &field = step.startsWith(u'N') ? f.p.N : f.p.K;
            field.setText(step.mid(2));
        }
        QCOMPARE(tables(f.p), before);
        QCOMPARE(f.p.CurveDivergence, divergence);
    }

    // A hidden cell comes back with its text, not with the colour of the cell being entered
    // or edited when it was hidden: only the current cell is coloured.
    void hiddenCellsComeBackPlain()
    {
        Fixture f;
        GridModel &g = f.p.tabl[3];
        g.setCurrentCell(10, 1);
        f.key(3, '5', u'5');
        QCOMPARE(g.cellBackground(10, 1), GridEditing::EditedColour);
        f.p.K.setText(QStringLiteral("5"));
        f.p.K.setText(QStringLiteral("10"));
        QCOMPARE(txt(g, 10, 1), QStringLiteral("5")); // it held a lone zero
        QCOMPARE(g.cellBackground(10, 1), GridEditing::LeftColour);
        int coloured = 0;
        for (int r = 0; r < g.rows(); ++r)
            for (int c = 0; c < g.cols(); ++c)
                coloured += g.cellBackground(r, c) != GridEditing::LeftColour ? 1 : 0;
        QCOMPARE(coloured, 1);
        QCOMPARE(g.cellBackground(g.row(), g.col()), GridEditing::EnteredColour);
    }

    // Hidden columns and rows are neither shown, computed nor saved: the numbers are those of
    // the same project saved with three components and five classes and opened again.
    void hiddenTextsTakeNoPart()
    {
        Fixture f;
        f.p.N.setText(QStringLiteral("3"));
        f.p.K.setText(QStringLiteral("5"));
        QCOMPARE(f.p.tabl[1].cols(), 3);
        QCOMPARE(f.p.tabl[3].rows(), 6);
        QCOMPARE(f.p.tabl[3].cols(), 4);
        QCOMPARE(f.p.tabl[5].cols(), 6);
        QVERIFY(!f.p.tabl[1].text(1, 3));
        const QByteArray saved = *ProjectFile::ProjectBytes(f.p, nullptr);
        QCOMPARE(saved.count("\r\n"), 10 + 3 * 3 + 2 * 5 + 5 * 3);

        Fixture g{QString()};
        QVERIFY(ProjectFile::LoadProjectBytes(g.p, saved, QStringLiteral("saved"), nullptr));
        QCOMPARE(f.p.mass0_sum.text(), g.p.mass0_sum.text());
        QCOMPARE(f.p.MinSize, g.p.MinSize);
        QCOMPARE(f.p.MinSize, 0.16f); // class 5 is the last one computed
        for (int j = 1; j <= 5; ++j)
            QCOMPARE(f.p.BaseMixCurve[j], g.p.BaseMixCurve[j]);
        // Nothing hidden went into the file.
        g.p.N.setText(QStringLiteral("5"));
        g.p.K.setText(QStringLiteral("10"));
        for (int i = 4; i <= 5; ++i)
            QCOMPARE(txt(g.p.tabl[1], 1, i - 1), QString());
        for (int j = 6; j <= 10; ++j)
            QCOMPARE(txt(g.p.tabl[3], j, 0), QString());
        // The window's own project gets them back.
        f.p.N.setText(QStringLiteral("5"));
        f.p.K.setText(QStringLiteral("10"));
        QCOMPARE(txt(f.p.tabl[3], 10, 0), QStringLiteral("0,005"));
    }

    // Opening a project, the database transfer's clearing and "Очистить таблицу" forget the
    // hidden texts: nothing of the old project comes back when the counts grow.
    void clearingForgetsHiddenTexts_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("opening a project") << QStringLiteral("open");
        QTest::newRow("clearing the grain compositions") << QStringLiteral("clear");
    }
    void clearingForgetsHiddenTexts()
    {
        QFETCH(QString, how);
        Fixture f;
        f.p.N.setText(QStringLiteral("3"));
        f.p.K.setText(QStringLiteral("5"));
        if (how == QStringLiteral("open")) {
            const QByteArray small = *ProjectFile::ProjectBytes(f.p, nullptr);
            QVERIFY(ProjectFile::LoadProjectBytes(f.p, small, QStringLiteral("small"), nullptr));
        } else {
            GridEditing::ClearGrainTable(f.p, f.desktop);
        }
        f.p.N.setText(QStringLiteral("5"));
        f.p.K.setText(QStringLiteral("10"));
        for (int i = 4; i <= 5; ++i) {
            if (how == QStringLiteral("open"))
                QCOMPARE(txt(f.p.tabl[1], 1, i - 1), QString());
            QCOMPARE(txt(f.p.tabl[3], 1, i), QString());
        }
        for (int j = 6; j <= 10; ++j)
            QCOMPARE(txt(f.p.tabl[3], j, 0), QString());
    }

    // Only a key that types a character into the cell replaces a lone "0"; moving and
    // modifier keys never change a cell.
    void keysOverALoneZero_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("code"); // key down (Windows code), 0 when the key gives none
        QTest::addColumn<int>("character"); // key press, 0 when the key types nothing
        QTest::addColumn<QString>("after");
        using namespace GridEditing;
        QTest::newRow("down arrow") << 3 << 40 << 0 << QStringLiteral("0");
        QTest::newRow("up arrow") << 3 << 38 << 0 << QStringLiteral("0");
        QTest::newRow("left arrow") << 3 << 37 << 0 << QStringLiteral("0");
        QTest::newRow("right arrow") << 3 << 39 << 0 << QStringLiteral("0");
        QTest::newRow("tab") << 3 << KeyTab << int(KeyTab) << QStringLiteral("0");
        QTest::newRow("home") << 3 << 36 << 0 << QStringLiteral("0");
        QTest::newRow("end") << 3 << 35 << 0 << QStringLiteral("0");
        QTest::newRow("page up") << 3 << 33 << 0 << QStringLiteral("0");
        QTest::newRow("page down") << 3 << 34 << 0 << QStringLiteral("0");
        QTest::newRow("shift") << 3 << 16 << 0 << QStringLiteral("0");
        QTest::newRow("ctrl") << 3 << KeyCtrl << 0 << QStringLiteral("0");
        QTest::newRow("alt") << 3 << 18 << 0 << QStringLiteral("0");
        QTest::newRow("ctrl+c") << 3 << KeyC << 0 << QStringLiteral("0");
        QTest::newRow("digit") << 3 << int('7') << int('7') << QStringLiteral("7");
        QTest::newRow("comma") << 3 << 188 << int(',') << QStringLiteral("0,");
        QTest::newRow("period") << 2 << 190 << int('.') << QStringLiteral("0,");
        QTest::newRow("russian period key") << 2 << 191 << int(u'ю') << QStringLiteral("0,");
        QTest::newRow("refused letter") << 3 << int('A') << int('a') << QStringLiteral("0");
        QTest::newRow("delete") << 3 << KeyDelete << 0 << QString();
        QTest::newRow("backspace") << 3 << KeyBackspace << int(KeyBackspace) << QString();
        QTest::newRow("name letter") << 1 << int('A') << int('a') << QStringLiteral("a");
        // Qt gives no key code for a Cyrillic letter: the character alone decides.
        QTest::newRow("cyrillic letter") << 1 << 0 << int(u'П') << QStringLiteral("П");
        QTest::newRow("cyrillic letter after a key code") << 1 << int('G') << int(u'п') << QStringLiteral("п");
    }
    void keysOverALoneZero()
    {
        QFETCH(int, table);
        QFETCH(int, code);
        QFETCH(int, character);
        QFETCH(QString, after);
        Fixture f{QString()};
        f.p.N.setText(QStringLiteral("2"));
        GridModel &g = f.p.tabl[table];
        g.setCurrentCell(1, 1);
        g.setCurrentText(QStringLiteral("0"));
        if (code)
            g.raiseKeyDown(code);
        if (character)
            g.raiseKeyPress(character);
        QCOMPARE(txt(g, 1, 1), after);
    }

    // Walking down a column of zeros with the arrow key leaves every zero in place.
    void walkingDownAColumnOfZeros()
    {
        Fixture f;
        GridModel &g = f.p.tabl[3];
        for (int j = 1; j <= 10; ++j)
            g.setText(j, 1, QStringLiteral("0"));
        g.setCurrentCell(1, 1);
        for (int j = 1; j < 10; ++j) {
            f.key(3, 40);
            g.setRow(g.row() + 1); // the grid moves after the key-down
        }
        for (int j = 1; j <= 10; ++j)
            QCOMPARE(txt(g, j, 1), QStringLiteral("0"));
    }

    // Copy, then paste of the same table gives the same table: the header row that the copy
    // carries is not pasted into the data.
    void copyThenPasteTheSameTable_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<bool>("manualReference");
        QTest::newRow("names") << 1 << false;
        QTest::newRow("densities") << 2 << false;
        QTest::newRow("grain compositions") << 3 << false;
        QTest::newRow("base recipe") << 4 << false;
        QTest::newRow("reference typed by hand") << 5 << true;
    }
    void copyThenPasteTheSameTable()
    {
        QFETCH(int, table);
        QFETCH(bool, manualReference);
        Fixture f;
        GridModel &g = f.p.tabl[table];
        if (manualReference) {
            f.p.selectReference(ReferenceKind::ManualReference);
            for (int j = 1; j <= 10; ++j)
                g.setText(1, j, QString::number(100 - 9 * j));
        }
        const QStringList before = tables(f.p);
        g.setCurrentCell(1, 0);
        GridEditing::CopyGrid(f.p, f.desktop, g);
        QVERIFY(f.desktop.clipboard.startsWith(txt(g, 0, 0) + u'\t'));
        GridEditing::PasteGrid(f.p, f.desktop, g);
        QCOMPARE(tables(f.p), before);
    }

    void pastedHeaderRows_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("row1"); // the size and the first value of class 1 after pasting
        QTest::addColumn<QString>("row2");
        QTest::newRow("data only") << QStringLiteral("7\t50\r3\t20") << QStringLiteral("7|50") << QStringLiteral("3|20");
        QTest::newRow("own header, CR LF") << QStringLiteral("Dj\tA\tB\r\n7\t50\t1\r\n3\t20\t1\r\n")
                                           << QStringLiteral("7|50") << QStringLiteral("3|20");
        QTest::newRow("header of another project") << QStringLiteral("Dj\tЩебень 5-20\tПесок\r7\t50\t1\r3\t20\t1")
                                                   << QStringLiteral("7|50") << QStringLiteral("3|20");
        QTest::newRow("a header-like first row that is data") << QStringLiteral("1\t2\r3\t4")
                                                              << QStringLiteral("1|2") << QStringLiteral("3|4");
    }
    void pastedHeaderRows()
    {
        QFETCH(QString, block);
        QFETCH(QString, row1);
        QFETCH(QString, row2);
        Fixture f{QString()};
        f.p.N.setText(QStringLiteral("2"));
        f.p.setCellText(f.p.tabl[1], 1, 0, QStringLiteral("A"));
        f.p.setCellText(f.p.tabl[1], 1, 1, QStringLiteral("B"));
        Recalculate(f.p);
        f.desktop.clipboard = block;
        GridEditing::PasteGrid(f.p, f.desktop, f.p.tabl[3]);
        const GridModel &g = f.p.tabl[3];
        QCOMPARE(txt(g, 1, 0) + u'|' + txt(g, 1, 1), row1);
        QCOMPARE(txt(g, 2, 0) + u'|' + txt(g, 2, 1), row2);
        QCOMPARE(txt(g, 0, 1), QStringLiteral("A"));
    }

    // A single row is pasted as data even where it reads like the header ("1", "2" of the
    // densities' header are densities too).
    void aSingleRowIsData()
    {
        Fixture f{QString()};
        f.p.N.setText(QStringLiteral("2"));
        f.desktop.clipboard = QStringLiteral("1\t2");
        GridEditing::PasteGrid(f.p, f.desktop, f.p.tabl[2]);
        QCOMPARE(txt(f.p.tabl[2], 1, 0), QStringLiteral("1"));
        QCOMPARE(txt(f.p.tabl[2], 1, 1), QStringLiteral("2"));
        f.desktop.clipboard = QStringLiteral("1\t2\r\n2,65\t2,7\r\n");
        GridEditing::PasteGrid(f.p, f.desktop, f.p.tabl[2]);
        QCOMPARE(txt(f.p.tabl[2], 1, 0), QStringLiteral("2,65"));
        QCOMPARE(txt(f.p.tabl[2], 1, 1), QStringLiteral("2,7"));
    }

    // A lock counts only for components 1..N; a component that N hides is unlocked.
    void locksBeyondTheCount_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("N lowered") << QStringLiteral("lower");
        QTest::newRow("a smaller project opened") << QStringLiteral("open");
    }
    void locksBeyondTheCount()
    {
        QFETCH(QString, how);
        Fixture f;
        QByteArray small;
        {
            Fixture g;
            g.p.N.setText(QStringLiteral("3"));
            g.p.setCellText(g.p.tabl[4], 1, 0, QStringLiteral("50"));
            g.p.setCellText(g.p.tabl[4], 1, 1, QStringLiteral("30"));
            g.p.setCellText(g.p.tabl[4], 1, 2, QStringLiteral("20"));
            small = *ProjectFile::ProjectBytes(g.p, nullptr);
        }
        f.p.MLock[5].setChecked(true);
        Timer2Tick(f.p);
        QVERIFY(f.p.LockedSliderTotal > 0);
        if (how == QStringLiteral("lower"))
            f.p.N.setText(QStringLiteral("3"));
        else
            QVERIFY(ProjectFile::LoadProjectBytes(f.p, small, QStringLiteral("small"), nullptr));
        QVERIFY(!f.p.MLock[5].isChecked());
        QVERIFY(f.p.SBegunok[5].isEnabled());
        Timer2Tick(f.p);
        QCOMPARE(f.p.LockedSliderTotal, int16_t(0));
        // A visible slider can take the whole recipe.
        f.p.SBegunok[1].userScroll(SliderMax);
        QCOMPARE(f.p.SBegunok[1].value(), SliderMax);
        QCOMPARE(f.p.CorrectedRecipe[1], 100.0f);
    }

    // The total of the locked sliders reads components 1..N only, even where a hidden box is
    // still ticked (before the next recalculation unticks it).
    void lockedTotalReadsVisibleComponents()
    {
        Fixture f;
        f.p.N.setText(QStringLiteral("3"));
        f.p.MLock[2].setChecked(true);
        f.p.MLock[5].setChecked(true); // by code, as the command-line tool sets its locks
        UpdateLockedSliderTotal(f.p);
        QCOMPARE(int(f.p.LockedSliderTotal), f.p.SBegunok[2].value());
    }

    // The wheel pages by the fully visible rows; the last of them stays in view as the new
    // top row; at the end the top row is the one that shows the last row at the bottom, and
    // the wheel pages back from there.
    void wheelPaging_data()
    {
        QTest::addColumn<int>("dataRows");
        QTest::addColumn<int>("height"); // twips, the header row and the frame included
        QTest::addColumn<int>("frame");
        QTest::addColumn<QList<int>>("notches"); // -1 towards the user, +1 away
        QTest::addColumn<QList<int>>("tops");
        // 10 whole rows under the header.
        const int ten = 11 * 240 + 60;
        QTest::newRow("down to the end and back") << 30 << ten << 0 << QList<int>{-1, -1, -1, -1, 1, 1, 1, 1}
                                                  << QList<int>{10, 19, 21, 21, 12, 3, 1, 1};
        QTest::newRow("the end reached in one page") << 14 << ten << 0 << QList<int>{-1, -1, 1}
                                                     << QList<int>{5, 5, 1};
        QTest::newRow("one row beyond the view") << 11 << ten << 0 << QList<int>{-1, 1} << QList<int>{2, 1};
        // The last 45 twips of the height are frame: row 10 is cut by it and stays in view.
        QTest::newRow("a row cut by the frame") << 30 << ten << 90 << QList<int>{-1, -1, -1, 1}
                                                << QList<int>{9, 17, 22, 14};
    }
    void wheelPaging()
    {
        QFETCH(int, dataRows);
        QFETCH(int, height);
        QFETCH(int, frame);
        QFETCH(QList<int>, notches);
        QFETCH(QList<int>, tops);
        GridModel g;
        g.setCols(2);
        g.setRows(dataRows + 1);
        g.setRowHeight(240);
        g.setHeight(height);
        g.setFrameHeight(frame);
        for (int i = 0; i < notches.size(); ++i) {
            const int firstVisible = g.topRow();
            int lastVisible = firstVisible;
            while (lastVisible + 1 < g.rows() && g.rowFullyVisible(lastVisible + 1))
                ++lastVisible;
            ScrollGridByWheel(g, notches[i] * 120);
            QCOMPARE(g.topRow(), tops[i]);
            // One row of the page before stays in view.
            QVERIFY(g.rowFullyVisible(notches[i] < 0 ? lastVisible : firstVisible));
        }
    }

    // The top row is held where the view can show it, whatever asks for it.
    void topRowHeldInView()
    {
        GridModel g;
        g.setCols(2);
        g.setRows(31);
        g.setRowHeight(240);
        g.setHeight(11 * 240 + 60);
        QCOMPARE(g.lastTopRow(), 21);
        QVERIFY(g.setTopRow(30));
        QCOMPARE(g.topRow(), 21);
        QVERIFY(!g.setTopRow(31)); // beyond the rows: fails, keeps the top row
        QCOMPARE(g.topRow(), 21);
        g.setHeight(21 * 240 + 60); // a taller view shows more at the end
        QCOMPARE(g.topRow(), 11);
        QVERIFY(g.setRows(16));
        QCOMPARE(g.topRow(), 1);
    }
};

QTEST_GUILESS_MAIN(TestTablesKeep)
#include "tst_tables_keep.moc"
