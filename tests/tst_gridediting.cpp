#include "checking/GridEditing.h"
#include "core/Handlers.h"
#include "core/Recalculate.h"

#include "FakeDesktop.h"
#include "support/CellText.h"

#include <QTest>

namespace {

struct Fixture
{
    MixProject p;
    FakeDesktop desktop;
    Fixture(int n = 1, int k = 2)
    {
        ConnectInputHandlers(p);
        GridEditing::Connect(p, desktop);
        p.startUp();
        p.N.setText(QString::number(n));
        p.K.setText(QString::number(k));
    }
    // A key as the grid delivers it: key down with its code, then the character, if any.
    void type(int table, const QString &keys)
    {
        for (const QChar c : keys) {
            int code = c.unicode();
            if (c == u',')
                code = 188;
            else if (c == u'.')
                code = 190;
            else if (c.isLetter())
                code = c.toUpper().unicode() < 128 ? c.toUpper().unicode() : 0;
            p.tabl[table].raiseKeyDown(code);
            p.tabl[table].raiseKeyPress(c.unicode());
        }
    }
};

} // namespace

class TestGridEditing final : public QObject
{
    Q_OBJECT

private slots:
    void typing_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::newRow("lone zero replaced") << 3 << QStringLiteral("0") << QStringLiteral("7") << QStringLiteral("7");
        QTest::newRow("comma first") << 3 << QString() << QStringLiteral(",5") << QStringLiteral("0,5");
        QTest::newRow("second separator ignored") << 3 << QString() << QStringLiteral("1.2.") << QStringLiteral("1,2");
        QTest::newRow("period on a file text") << 3 << QStringLiteral("1.5") << QStringLiteral(".") << QStringLiteral("1,5,");
        QTest::newRow("comma on a file text") << 3 << QStringLiteral("1.5") << QStringLiteral(",") << QStringLiteral("1.5,");
        QTest::newRow("russian period key") << 2 << QStringLiteral("2") << QStringLiteral("ю65") << QStringLiteral("2,65");
        QTest::newRow("russian comma key") << 2 << QStringLiteral("2") << QStringLiteral("Б7") << QStringLiteral("2,7");
        QTest::newRow("letter and minus ignored") << 3 << QStringLiteral("12") << QStringLiteral("a-") << QStringLiteral("12");
        QTest::newRow("name letters") << 1 << QStringLiteral("Песок ") << QStringLiteral("Мк=2C") << QStringLiteral("Песок Мк=2C");
        QTest::newRow("name rejects Ё and !") << 1 << QStringLiteral("Щебень") << QStringLiteral("Ё!") << QStringLiteral("Щебень");
        QTest::newRow("backspace keeps the comma") << 3 << QStringLiteral("12,5") << QStringLiteral("\b") << QStringLiteral("12,");
        QTest::newRow("backspace on empty") << 3 << QString() << QStringLiteral("\b") << QString();
    }
    void typing()
    {
        QFETCH(int, table);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        Fixture f;
        GridModel &g = f.p.tabl[table];
        g.setCurrentCell(1, table == 3 ? 1 : 0);
        g.setCurrentText(before);
        f.type(table, keys);
        QCOMPARE(txt(g, g.row(), g.col()), after);
    }

    void coloursAndEnter()
    {
        Fixture f(2, 3);
        GridModel &g = f.p.tabl[3];
        g.setCurrentCell(1, 1);
        QCOMPARE(g.cellBackground(1, 1), GridEditing::EnteredColour);
        f.type(3, QStringLiteral("5"));
        QCOMPARE(g.cellBackground(1, 1), GridEditing::EditedColour);
        g.raiseKeyDown(GridEditing::KeyEnter);
        QCOMPARE(g.row(), 2); // one row down in the grain compositions
        QCOMPARE(g.cellBackground(1, 1), GridEditing::LeftColour);
        GridModel &r = f.p.tabl[4];
        r.setCurrentCell(1, 1);
        r.raiseKeyDown(GridEditing::KeyEnter);
        QCOMPARE(r.col(), 1); // the last column: nothing moves
    }

    void referenceTableTypingOnlyForManual()
    {
        Fixture f(1, 2);
        GridModel &g = f.p.tabl[5];
        g.setCurrentCell(1, 1);
        const QString before = txt(g, 1, 1);
        f.type(5, QStringLiteral("9"));
        QCOMPARE(txt(g, 1, 1), before);
        f.desktop.ctrl = true;
        g.raiseKeyDown(GridEditing::KeyC); // the clipboard still works
        QVERIFY(f.desktop.clipboard.startsWith(QStringLiteral("Dj")));
    }

    void baseRecipeFollows()
    {
        Fixture f(2, 2);
        GridModel &g = f.p.tabl[4];
        g.setCurrentCell(1, 0);
        f.type(4, QStringLiteral("60"));
        g.setCurrentCell(1, 1);
        f.type(4, QStringLiteral("40"));
        QCOMPARE(f.p.CorrectedRecipe[1], 60.0f);
        QCOMPARE(f.p.CorrectedRecipe[2], 40.0f);
        QCOMPARE(f.p.SBegunok[1].value(), 6000);
        QCOMPARE(f.p.SBegunok[2].value(), 4000);
    }

    void copyAndPaste()
    {
        Fixture f(1, 2);
        GridModel &g = f.p.tabl[3];
        f.desktop.clipboard = QStringLiteral("10\t1.5\r5\t-4");
        GridEditing::PasteGrid(f.p, f.desktop, g);
        QCOMPARE(txt(g, 1, 0), QStringLiteral("10"));
        QCOMPARE(txt(g, 1, 1), QStringLiteral("1,5"));
        QCOMPARE(txt(g, 2, 0), QStringLiteral("5"));
        QCOMPARE(txt(g, 2, 1), QStringLiteral("4"));
        QCOMPARE(g.cellAlignment(2, 0), GridModel::Align::RightCenter);
        QCOMPARE(g.rows(), 3); // the shape is kept
        // Copy without a selection: the whole table, headers included.
        GridEditing::CopyGrid(f.p, f.desktop, g);
        QCOMPARE(f.desktop.clipboard, QStringLiteral("Dj\t\r10\t1,5\r5\t4"));
        QCOMPARE(g.row(), 1);
        // Copy of a block: only the block.
        g.setCurrentCell(1, 1);
        g.setRowSel(2);
        GridEditing::CopyGrid(f.p, f.desktop, g);
        QCOMPARE(f.desktop.clipboard, QStringLiteral("1,5\r4"));
    }

    void clearGrainTable()
    {
        Fixture f(1, 2);
        f.p.setCellText(f.p.tabl[3], 1, 1, QStringLiteral("50"));
        f.desktop.answer = false;
        GridEditing::ClearGrainTable(f.p, f.desktop);
        QCOMPARE(txt(f.p.tabl[3], 1, 1), QStringLiteral("50"));
        QCOMPARE(f.desktop.questions, QStringList{QStringLiteral("Подтверждение очистки таблицы")});
        f.desktop.answer = true;
        GridEditing::ClearGrainTable(f.p, f.desktop);
        QCOMPARE(txt(f.p.tabl[3], 1, 1), QString());
        QCOMPARE(txt(f.p.tabl[3], 0, 0), QStringLiteral("Dj")); // written again by the recalculation
    }
};

QTEST_GUILESS_MAIN(TestGridEditing)
#include "tst_gridediting.moc"
