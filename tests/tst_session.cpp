// The session: every user action as a method, with its changes signalled once per action.
#include "session/ProjectSession.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Two components over three sizes, the worked example of the grain arithmetic.
ProjectDocument twoComponents()
{
    ProjectDocument d;
    d.name = QStringLiteral("Пример");
    d.componentCount = 2;
    d.classCountText = QStringLiteral("3");
    const QStringList names{QStringLiteral("Песок"), QStringLiteral("Цемент")};
    const QStringList densities{QStringLiteral("2,65"), QStringLiteral("3,1")};
    const QStringList recipe{QStringLiteral("60"), QStringLiteral("40")};
    for (int i = 0; i < 2; ++i) {
        d.setCell(InputTable::Names, 1, i, names[i]);
        d.setCell(InputTable::Densities, 1, i, densities[i]);
        d.setCell(InputTable::BaseRecipe, 1, i, recipe[i]);
    }
    const QStringList sizes{QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,16")};
    const QStringList a1{QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("20")};
    const QStringList a2{QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")};
    for (int j = 1; j <= 3; ++j) {
        d.setCell(InputTable::Compositions, j, 0, sizes[j - 1]);
        d.setCell(InputTable::Compositions, j, 1, a1[j - 1]);
        d.setCell(InputTable::Compositions, j, 2, a2[j - 1]);
    }
    return d;
}

} // namespace

class TestSession final : public QObject
{
    Q_OBJECT

private slots:
    void oneSignalPerAction();
    void typingFollowsTheRules_data();
    void typingFollowsTheRules();
    void typingIntoTheBaseRecipeMovesTheSliders();
    void pasteOfACopiedTableSkipsItsHeader();
    void hiddenComponentsComeBack();
    void locksOnlyWithinN();
    void openingShowsStepOneOnlyFirst();
    void optimumNoteGoesStale();
    void searchIsReproducibleAndImproves();
};

void TestSession::oneSignalPerAction()
{
    ProjectSession s;
    QSignalSpy spy(&s, &ProjectSession::changed);
    s.openDocument(twoComponents());
    QCOMPARE(spy.count(), 1);
    const auto what = spy.takeFirst().at(0).value<ProjectSession::Changes>();
    QVERIFY(what & ProjectSession::DocumentChanged);
    QVERIFY(what & ProjectSession::NumbersChanged);
    // A pasted block of many cells is one action too.
    s.paste(InputTable::Compositions, QStringLiteral("4\t90\t95\r1\t60\t40\r0,1\t10\t5"));
    QCOMPARE(spy.count(), 1);
    // An action that changes nothing says nothing.
    spy.clear();
    s.setProjectName(s.document().name);
    QCOMPARE(spy.count(), 0);
}

void TestSession::typingFollowsTheRules_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    QTest::newRow("a lone zero gives way") << int(InputTable::Compositions) << QStringLiteral("0") << QStringLiteral("7") << QStringLiteral("7");
    QTest::newRow("comma first") << int(InputTable::Compositions) << QString() << QStringLiteral(",5") << QStringLiteral("0,5");
    QTest::newRow("one separator") << int(InputTable::Compositions) << QString() << QStringLiteral("1.2.") << QStringLiteral("1,2");
    QTest::newRow("Russian period key") << int(InputTable::Densities) << QStringLiteral("2") << QStringLiteral("ю65") << QStringLiteral("2,65");
    QTest::newRow("a refused key keeps a lone zero") << int(InputTable::Compositions) << QStringLiteral("0") << QStringLiteral("x") << QStringLiteral("0");
    QTest::newRow("letters refused") << int(InputTable::BaseRecipe) << QStringLiteral("12") << QStringLiteral("a-b") << QStringLiteral("12");
    QTest::newRow("Cyrillic after zero") << int(InputTable::Names) << QStringLiteral("0") << QStringLiteral("П") << QStringLiteral("П");
    QTest::newRow("Ё not a name letter") << int(InputTable::Names) << QStringLiteral("Ще") << QStringLiteral("Ё!") << QStringLiteral("Ще");
}

void TestSession::typingFollowsTheRules()
{
    QFETCH(int, table);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    ProjectSession s;
    s.openDocument(twoComponents());
    const InputTable t = InputTable(table);
    const int row = 1;
    const int col = t == InputTable::Compositions ? 1 : 0;
    s.setCellText(t, row, col, before);
    for (const QChar ch : keys)
        s.typeCharacter(t, row, col, ch);
    QCOMPARE(s.document().cell(t, row, col).text(), after);
}

void TestSession::typingIntoTheBaseRecipeMovesTheSliders()
{
    ProjectSession s;
    s.openDocument(twoComponents());
    s.setCellText(InputTable::BaseRecipe, 1, 0, QString());
    for (const QChar ch : QStringLiteral("55"))
        s.typeCharacter(InputTable::BaseRecipe, 1, 0, ch);
    QCOMPARE(s.numbers().correctedRecipe[1], 55.0f);
    QCOMPARE(s.correction().slider[1], 5500);
    // The other slider stays: the base recipe sets each fraction, no rebalancing.
    QCOMPARE(s.correction().slider[2], 4000);
}

void TestSession::pasteOfACopiedTableSkipsItsHeader()
{
    ProjectSession s;
    s.openDocument(twoComponents());
    const ProjectDocument before = s.document();
    const QString copied = s.tableCopyText(InputTable::Compositions);
    QVERIFY(copied.startsWith(QStringLiteral("Dj\tПесок\tЦемент\r")));
    s.paste(InputTable::Compositions, copied);
    QCOMPARE(s.document(), before);
}

void TestSession::hiddenComponentsComeBack()
{
    ProjectSession s;
    s.openDocument(twoComponents());
    s.setComponentCount(1);
    QCOMPARE(s.tableColumns(InputTable::Names), 1);
    QCOMPARE(s.numbers().componentCount, int16_t(1));
    s.setComponentCount(2);
    QCOMPARE(s.tableText(InputTable::Names, 1, 1), QStringLiteral("Цемент"));
    QCOMPARE(s.tableText(InputTable::Compositions, 2, 2), QStringLiteral("50"));
}

void TestSession::locksOnlyWithinN()
{
    ProjectSession s;
    s.openDocument(twoComponents());
    s.setComponentCount(3);
    s.setLocked(3, true);
    QVERIFY(s.correction().locked[3]);
    // Lowering N releases the lock of the component it hides; a hidden component cannot be locked.
    s.setComponentCount(2);
    QVERIFY(!s.correction().locked[3]);
    s.setLocked(3, true);
    QVERIFY(!s.correction().locked[3]);
}

void TestSession::openingShowsStepOneOnlyFirst()
{
    ProjectSession s;
    QCOMPARE(s.currentStep(), 0);
    s.openDocument(twoComponents());
    QCOMPARE(s.currentStep(), 1);
    s.selectStep(4);
    s.openDocument(twoComponents());
    QCOMPARE(s.currentStep(), 4);
    // A cancelled open keeps the step too, and the recipe, sliders and locks go back to the base.
    s.setLocked(1, true);
    s.moveSlider(2, 7000);
    s.openCancelled();
    QCOMPARE(s.currentStep(), 4);
    QVERIFY(!s.correction().locked[1]);
    QCOMPARE(s.correction().slider[1], 6000);
    QCOMPARE(s.correction().slider[2], 4000);
}

void TestSession::optimumNoteGoesStale()
{
    ProjectSession s;
    s.openDocument(twoComponents());
    QVERIFY(s.validation().tablesValid());
    auto findAndCheck = [&s] {
        QVERIFY(s.findBestRecipe().feasible);
        QVERIFY(s.optimumNote().startsWith(QStringLiteral("Минимально возможное расхождение: ")));
    };
    findAndCheck();
    s.setCoefficientText(Coefficient::FunkDingerN, QStringLiteral("0,37"));
    QVERIFY(s.optimumNote().isEmpty());
    findAndCheck();
    s.setLocked(1, true);
    QVERIFY(s.optimumNote().isEmpty());
    findAndCheck();
    s.setBoundsOn(true);
    QVERIFY(s.optimumNote().isEmpty());
    findAndCheck();
    s.openDocument(twoComponents());
    QVERIFY(s.optimumNote().isEmpty());
    findAndCheck();
    // Invalid tables: nothing it said holds any more.
    s.setCellText(InputTable::Densities, 1, 0, QString());
    QVERIFY(s.optimumNote().isEmpty());
}

void TestSession::searchIsReproducibleAndImproves()
{
    auto run = [](uint64_t seed) {
        ProjectSession s;
        s.openDocument(twoComponents());
        s.moveSlider(1, 1000);
        const float start = s.numbers().curveDivergence;
        s.setSearchOn(true);
        s.searchRandom().seed(seed);
        const int adopted = s.runSearch(5000);
        return std::tuple{start, s.numbers().curveDivergence, adopted, s.numbers().correctedRecipe};
    };
    const auto [start, end, adopted, recipe] = run(11);
    QVERIFY(adopted > 0);
    QVERIFY(end < start);
    const auto [start2, end2, adopted2, recipe2] = run(11);
    QCOMPARE(end2, end);
    QCOMPARE(adopted2, adopted);
    QCOMPARE(recipe2, recipe);
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
