// The session: every user action as a method, with its changes signalled once per action.
#include "files/ProjectFile.h"
#include "session/ProjectSession.h"

#include "support/CellText.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// The dry mix example: N = 5, K = 10.
void openDryMix(ProjectSession &s)
{
    QString error;
    if (!s.openProject(QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt"), &error))
        qFatal("%s", qPrintable(error));
}

// Opens, as a file is opened, the project that `from` would save.
bool openSavedFrom(ProjectSession &s, const ProjectSession &from)
{
    QString error;
    const auto bytes = ProjectFile::projectBytes(from.document(), from.numbers(), &error);
    if (!bytes)
        return false;
    const auto document = ProjectFile::parseProject(*bytes, QStringLiteral("saved"), s.document(), &error);
    if (!document)
        return false;
    s.openDocument(*document);
    return true;
}

// Every cell of the five tables as shown, one line per row.
QStringList tables(const ProjectSession &s)
{
    QStringList out;
    for (int k = 1; k <= 5; ++k) {
        const InputTable t = InputTable(k);
        for (int r = 0; r < s.tableRows(t); ++r) {
            QStringList row;
            for (int c = 0; c < s.tableColumns(t); ++c)
                row << s.tableText(t, r, c);
            out << QStringLiteral("%1/%2: %3").arg(k).arg(r).arg(row.join(u'|'));
        }
    }
    return out;
}

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
    void copyThenPasteTheSameTable_data();
    void copyThenPasteTheSameTable();
    void pastedHeaderRows_data();
    void pastedHeaderRows();
    void aSingleRowIsData();
    void hiddenComponentsComeBack();
    void countsPassingThrough_data();
    void countsPassingThrough();
    void hiddenTextsTakeNoPart();
    void clearingForgetsHiddenTexts_data();
    void clearingForgetsHiddenTexts();
    void locksOnlyWithinN();
    void locksBeyondTheCount_data();
    void locksBeyondTheCount();
    void lockedTotalReadsVisibleComponents();
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

// Copy, then paste of the same table gives the same tables: the header row that the copy
// carries is not pasted into the data.
void TestSession::copyThenPasteTheSameTable_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<bool>("manualReference");
    QTest::newRow("names") << int(InputTable::Names) << false;
    QTest::newRow("densities") << int(InputTable::Densities) << false;
    QTest::newRow("grain compositions") << int(InputTable::Compositions) << false;
    QTest::newRow("base recipe") << int(InputTable::BaseRecipe) << false;
    QTest::newRow("reference typed by hand") << int(InputTable::Reference) << true;
}

void TestSession::copyThenPasteTheSameTable()
{
    QFETCH(int, table);
    QFETCH(bool, manualReference);
    ProjectSession s;
    openDryMix(s);
    const InputTable t = InputTable(table);
    if (manualReference) {
        s.setReferenceKind(ReferenceKind::ManualReference);
        for (int j = 1; j <= 10; ++j)
            s.setCellText(t, 1, j, QString::number(100 - 9 * j));
    }
    const QStringList before = tables(s);
    const QString copied = s.tableCopyText(t);
    QVERIFY(copied.startsWith(s.tableText(t, 0, 0) + u'\t'));
    s.paste(t, copied);
    QCOMPARE(tables(s), before);
}

// A first row that is the table's header, or any row that starts with "Dj", is left out of a
// pasted block of the grain compositions; a first row of numbers is data.
void TestSession::pastedHeaderRows_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("row1"); // the size and the first value of class 1 after pasting
    QTest::addColumn<QString>("row2");
    QTest::newRow("data only") << QStringLiteral("7\t50\r3\t20") << QStringLiteral("7|50") << QStringLiteral("3|20");
    QTest::newRow("own header, CR LF") << QStringLiteral("Dj\tA\tB\r\n7\t50\t1\r\n3\t20\t1\r\n") << QStringLiteral("7|50")
                                       << QStringLiteral("3|20");
    QTest::newRow("header of another project") << QStringLiteral("Dj\tЩебень 5-20\tПесок\r7\t50\t1\r3\t20\t1")
                                               << QStringLiteral("7|50") << QStringLiteral("3|20");
    QTest::newRow("a header-like first row that is data") << QStringLiteral("1\t2\r3\t4") << QStringLiteral("1|2")
                                                          << QStringLiteral("3|4");
}

void TestSession::pastedHeaderRows()
{
    QFETCH(QString, block);
    QFETCH(QString, row1);
    QFETCH(QString, row2);
    ProjectSession s;
    s.setComponentCount(2);
    s.setCellText(InputTable::Names, 1, 0, QStringLiteral("A"));
    s.setCellText(InputTable::Names, 1, 1, QStringLiteral("B"));
    s.paste(InputTable::Compositions, block);
    const InputTable t = InputTable::Compositions;
    QCOMPARE(txt(s, t, 1, 0) + u'|' + txt(s, t, 1, 1), row1);
    QCOMPARE(txt(s, t, 2, 0) + u'|' + txt(s, t, 2, 1), row2);
    QCOMPARE(txt(s, t, 0, 1), QStringLiteral("A"));
}

// A single row is pasted as data even where it reads like the header ("1", "2" of the
// densities' header are densities too).
void TestSession::aSingleRowIsData()
{
    ProjectSession s;
    s.setComponentCount(2);
    s.paste(InputTable::Densities, QStringLiteral("1\t2"));
    QCOMPARE(txt(s, InputTable::Densities, 1, 0), QStringLiteral("1"));
    QCOMPARE(txt(s, InputTable::Densities, 1, 1), QStringLiteral("2"));
    s.paste(InputTable::Densities, QStringLiteral("1\t2\r\n2,65\t2,7\r\n"));
    QCOMPARE(txt(s, InputTable::Densities, 1, 0), QStringLiteral("2,65"));
    QCOMPARE(txt(s, InputTable::Densities, 1, 1), QStringLiteral("2,7"));
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

// The counts pass through smaller values while they are typed or chosen; the hidden texts come
// back when the count grows again, and the numbers with them.
void TestSession::countsPassingThrough_data()
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

void TestSession::countsPassingThrough()
{
    QFETCH(QString, steps);
    ProjectSession s;
    openDryMix(s);
    const QStringList before = tables(s);
    const float divergence = s.numbers().curveDivergence;
    for (const QString &step : steps.split(u' ')) {
        if (step.startsWith(u'N'))
            s.setComponentCount(step.mid(2).toInt());
        else
            s.setClassCountText(step.mid(2));
    }
    QCOMPARE(tables(s), before);
    QCOMPARE(s.numbers().curveDivergence, divergence);
}

// Hidden columns and rows are neither shown, computed nor saved: the numbers are those of the
// same project saved with three components and five classes and opened again.
void TestSession::hiddenTextsTakeNoPart()
{
    ProjectSession f;
    openDryMix(f);
    f.setComponentCount(3);
    f.setClassCountText(QStringLiteral("5"));
    QCOMPARE(f.tableColumns(InputTable::Names), 3);
    QCOMPARE(f.tableRows(InputTable::Compositions), 6);
    QCOMPARE(f.tableColumns(InputTable::Compositions), 4);
    QCOMPARE(f.tableColumns(InputTable::Reference), 6);
    QCOMPARE(txt(f, InputTable::Names, 1, 3), QStringLiteral("<no cell>"));
    const auto saved = ProjectFile::projectBytes(f.document(), f.numbers(), nullptr);
    QVERIFY(saved);
    QCOMPARE(saved->count("\r\n"), 10 + 3 * 3 + 2 * 5 + 5 * 3);

    ProjectSession g;
    QString error;
    const auto document = ProjectFile::parseProject(*saved, QStringLiteral("saved"), g.document(), &error);
    QVERIFY2(document, qPrintable(error));
    g.openDocument(*document);
    QCOMPARE(f.baseRecipeSumText(), g.baseRecipeSumText());
    QCOMPARE(f.numbers().minSize, g.numbers().minSize);
    QCOMPARE(f.numbers().minSize, 0.16f); // class 5 is the last one computed
    for (int j = 1; j <= 5; ++j)
        QCOMPARE(f.numbers().baseMixCurve[j], g.numbers().baseMixCurve[j]);
    // Nothing hidden went into the file.
    g.setComponentCount(5);
    g.setClassCountText(QStringLiteral("10"));
    for (int i = 4; i <= 5; ++i)
        QCOMPARE(txt(g, InputTable::Names, 1, i - 1), QString());
    for (int j = 6; j <= 10; ++j)
        QCOMPARE(txt(g, InputTable::Compositions, j, 0), QString());
    // The session's own project gets them back.
    f.setComponentCount(5);
    f.setClassCountText(QStringLiteral("10"));
    QCOMPARE(txt(f, InputTable::Compositions, 10, 0), QStringLiteral("0,005"));
}

// Opening a project and "Очистить таблицу" forget the hidden texts: nothing of the old project
// comes back when the counts grow.
void TestSession::clearingForgetsHiddenTexts_data()
{
    QTest::addColumn<bool>("open");
    QTest::newRow("opening a project") << true;
    QTest::newRow("clearing the grain compositions") << false;
}

void TestSession::clearingForgetsHiddenTexts()
{
    QFETCH(bool, open);
    ProjectSession s;
    openDryMix(s);
    s.setComponentCount(3);
    s.setClassCountText(QStringLiteral("5"));
    if (open)
        QVERIFY(openSavedFrom(s, s));
    else
        s.clearGrainTable();
    s.setComponentCount(5);
    s.setClassCountText(QStringLiteral("10"));
    for (int i = 4; i <= 5; ++i) {
        if (open)
            QCOMPARE(txt(s, InputTable::Names, 1, i - 1), QString());
        QCOMPARE(txt(s, InputTable::Compositions, 1, i), QString());
    }
    for (int j = 6; j <= 10; ++j)
        QCOMPARE(txt(s, InputTable::Compositions, j, 0), QString());
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

// A lock counts only for components 1..N: a component that N hides, or that a smaller project
// opened has not, is unlocked, and a visible slider can take the whole recipe again.
void TestSession::locksBeyondTheCount_data()
{
    QTest::addColumn<bool>("open");
    QTest::newRow("N lowered") << false;
    QTest::newRow("a smaller project opened") << true;
}

void TestSession::locksBeyondTheCount()
{
    QFETCH(bool, open);
    ProjectSession small;
    openDryMix(small);
    small.setComponentCount(3);
    small.setCellText(InputTable::BaseRecipe, 1, 0, QStringLiteral("50"));
    small.setCellText(InputTable::BaseRecipe, 1, 1, QStringLiteral("30"));
    small.setCellText(InputTable::BaseRecipe, 1, 2, QStringLiteral("20"));

    ProjectSession s;
    openDryMix(s);
    s.setLocked(5, true);
    QVERIFY(s.correction().locked[5]);
    QVERIFY(s.correction().slider[5] > 0);
    // The lock holds its share: slider 1 cannot take the whole recipe.
    s.moveSlider(1, SliderMax);
    QCOMPARE(s.correction().slider[1], SliderMax - s.correction().slider[5]);
    if (open)
        QVERIFY(openSavedFrom(s, small));
    else
        s.setComponentCount(3);
    QCOMPARE(s.componentCount(), 3);
    QVERIFY(!s.correction().locked[5]);
    s.moveSlider(1, SliderMax);
    QCOMPARE(s.correction().slider[1], SliderMax);
    QCOMPARE(s.numbers().correctedRecipe[1], 100.0f);
    // Shown again, the component is free.
    s.setComponentCount(5);
    QVERIFY(!s.correction().locked[5]);
    QVERIFY(s.sliderEnabled(5));
}

// What the locked sliders hold is read from components 1..N only: a lock asked for a hidden
// component is refused, and slider 1 can take all that the visible lock leaves.
void TestSession::lockedTotalReadsVisibleComponents()
{
    ProjectSession s;
    openDryMix(s);
    s.setComponentCount(3);
    s.setLocked(2, true);
    s.setLocked(5, true); // as the command-line tool sets its locks
    QVERIFY(s.correction().locked[2]);
    QVERIFY(!s.correction().locked[5]);
    const int held = s.correction().slider[2];
    QVERIFY(held > 0);
    s.moveSlider(1, SliderMax);
    QCOMPARE(s.correction().slider[1], SliderMax - held);
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
