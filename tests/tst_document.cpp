// The project document: a value that holds the texts of a project, keeps the cells its counts
// hide, and compares by what it holds.
#include "core/ProjectDocument.h"

#include <QtTest>

class TestDocument final : public QObject
{
    Q_OBJECT

private slots:
    void cellsByPlace_data();
    void cellsByPlace();
    void numbersParsedOnce();
    void hiddenCellsKept();
    void clearTableClearsHiddenCells();
    void equalityByContent();
    void classCount_data();
    void classCount();
};

void TestDocument::cellsByPlace_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("input");
    // Names, densities and the base recipe: row 1, one column per component.
    QTest::newRow("name 3") << int(InputTable::Names) << 1 << 2 << true;
    QTest::newRow("name header") << int(InputTable::Names) << 0 << 0 << false;
    QTest::newRow("name beyond 10") << int(InputTable::Names) << 1 << 10 << false;
    QTest::newRow("density 1") << int(InputTable::Densities) << 1 << 0 << true;
    QTest::newRow("recipe 10") << int(InputTable::BaseRecipe) << 1 << 9 << true;
    // Compositions: the size column 0 and the components' columns, from row 1 down.
    QTest::newRow("size 1") << int(InputTable::Compositions) << 1 << 0 << true;
    QTest::newRow("value 50,10") << int(InputTable::Compositions) << 50 << 10 << true;
    QTest::newRow("composition header") << int(InputTable::Compositions) << 0 << 1 << false;
    QTest::newRow("component 11") << int(InputTable::Compositions) << 1 << 11 << false;
    // The reference: row 1 from column 1 on; column 0 names the rows.
    QTest::newRow("reference 1") << int(InputTable::Reference) << 1 << 1 << true;
    QTest::newRow("reference header column") << int(InputTable::Reference) << 1 << 0 << false;
    QTest::newRow("reference size row") << int(InputTable::Reference) << 0 << 3 << false;
    // Places before the first row or column, or beyond the tables' storage, hold nothing (a
    // column beyond a row never runs on into the next row).
    QTest::newRow("name column -1") << int(InputTable::Names) << 1 << -1 << false;
    QTest::newRow("name row 2") << int(InputTable::Names) << 2 << 0 << false;
    QTest::newRow("density row -1") << int(InputTable::Densities) << -1 << 0 << false;
    QTest::newRow("recipe beyond 10") << int(InputTable::BaseRecipe) << 1 << 10 << false;
    QTest::newRow("composition column -1") << int(InputTable::Compositions) << 1 << -1 << false;
    QTest::newRow("composition row -1") << int(InputTable::Compositions) << -1 << 1 << false;
    QTest::newRow("last composition row") << int(InputTable::Compositions) << ProjectDocument::MaxTableClasses << 10 << true;
    QTest::newRow("composition beyond the storage") << int(InputTable::Compositions) << ProjectDocument::MaxTableClasses + 1 << 0 << false;
    QTest::newRow("reference beyond the storage") << int(InputTable::Reference) << 1 << ProjectDocument::MaxTableClasses + 1 << false;
    QTest::newRow("reference row 2") << int(InputTable::Reference) << 2 << 1 << false;
}

void TestDocument::cellsByPlace()
{
    QFETCH(int, table);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(bool, input);
    ProjectDocument d;
    const ProjectDocument empty;
    QCOMPARE(d.setCell(InputTable(table), row, col, QStringLiteral("7,5")), input);
    QCOMPARE(d.cell(InputTable(table), row, col).text(), input ? QStringLiteral("7,5") : QString());
    // A refused place writes nothing anywhere.
    QCOMPARE(d == empty, !input);
}

void TestDocument::numbersParsedOnce()
{
    ProjectDocument d;
    d.setCell(InputTable::Densities, 1, 0, QStringLiteral("2,65"));
    d.setCell(InputTable::Densities, 1, 1, QString());
    d.setCell(InputTable::Densities, 1, 2, QStringLiteral("abc"));
    QCOMPARE(d.density(1).number(), std::optional<float>(2.65f));
    // An empty or non-numeric text is no number, never 0.
    QVERIFY(!d.density(2).number());
    QVERIFY(!d.density(3).number());
}

void TestDocument::hiddenCellsKept()
{
    ProjectDocument d;
    d.componentCount = 5;
    d.classCountText = QStringLiteral("10");
    d.setCell(InputTable::Names, 1, 4, QStringLiteral("Цемент"));
    d.setCell(InputTable::Compositions, 10, 5, QStringLiteral("42"));
    d.componentCount = 3;
    d.classCountText = QStringLiteral("5");
    QVERIFY(!d.isInputCell(InputTable::Names, 1, 4));
    QVERIFY(!d.isInputCell(InputTable::Compositions, 10, 5));
    d.componentCount = 5;
    d.classCountText = QStringLiteral("10");
    QCOMPARE(d.componentName(5).text(), QStringLiteral("Цемент"));
    QCOMPARE(d.composition(10, 5).text(), QStringLiteral("42"));
}

void TestDocument::clearTableClearsHiddenCells()
{
    ProjectDocument d;
    d.classCountText = QStringLiteral("20");
    d.setCell(InputTable::Compositions, 20, 0, QStringLiteral("0,1"));
    d.setCell(InputTable::Compositions, 20, 1, QStringLiteral("5"));
    d.classCountText = QStringLiteral("2");
    d.clearTable(InputTable::Compositions);
    d.classCountText = QStringLiteral("20");
    QVERIFY(d.size(20).isEmpty());
    QVERIFY(d.composition(20, 1).isEmpty());
}

void TestDocument::equalityByContent()
{
    ProjectDocument a, b;
    QVERIFY(a == b);
    b.setCell(InputTable::Compositions, 30, 2, QStringLiteral("1"));
    QVERIFY(a != b);
    // A cell emptied again leaves nothing behind.
    b.setCell(InputTable::Compositions, 30, 2, QString());
    QVERIFY(a == b);
    b.setCoefficient(Coefficient::BolomeyB, QStringLiteral("12"));
    QVERIFY(a != b);
    const ProjectDocument copy = b;
    QVERIFY(copy == b);
}

void TestDocument::classCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("plain") << QStringLiteral("12") << 12;
    QTest::newRow("leading blank") << QStringLiteral(" 7") << 7;
    QTest::newRow("letters after") << QStringLiteral("5abc") << 5;
    QTest::newRow("no number") << QStringLiteral("abc") << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("half to even") << QStringLiteral("2.5") << 2;
    QTest::newRow("too large for 16 bits") << QStringLiteral("40000") << 0;
}

void TestDocument::classCount()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    ProjectDocument d;
    d.classCountText = text;
    QCOMPARE(d.classCount(), count);
}

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
