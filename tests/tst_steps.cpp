#include "checking/GridEditing.h"
#include "checking/Validation.h"
#include "correction/AutoSelection.h"
#include "core/Recalculate.h"
#include "ui/Form1Logic.h"
#include "ui/Layout.h"

#include "support/ProjectBuilder.h"

#include <QTest>

using TestSupport::ProjectBuilder;

namespace {

// A complete, valid project of one component and three classes.
ProjectBuilder oneComponent()
{
    return ProjectBuilder()
        .densities({QStringLiteral("2,65")})
        .baseRecipe({QStringLiteral("100")})
        .sizes({QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")})
        .composition(1, {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("20")});
}

struct Fixture
{
    MixProject p;
    SearchRandom random{7};
    explicit Fixture(int n = 1, int k = 2)
    {
        ConnectWindowHandlers(p);
        p.startUp();
        p.N.setText(QString::number(n));
        p.K.setText(QString::number(k));
    }
    void column(int col, const QStringList &texts)
    {
        for (int j = 0; j < texts.size(); ++j)
            p.setCellText(p.tabl[3], j + 1, col, texts[j]);
    }
    void row1(int table, const QStringList &texts, int first = 0)
    {
        for (int i = 0; i < texts.size(); ++i)
            p.setCellText(p.tabl[table], 1, first + i, texts[i]);
    }
    void valid() { QVERIFY(oneComponent().typeInto(p)); }
    void type(const ProjectBuilder &project) { QVERIFY(project.typeInto(p)); }
    void tick()
    {
        Timer1Tick(p, false, random);
        Timer2Tick(p);
    }
};

} // namespace

class TestForm1Logic final : public QObject
{
    Q_OBJECT

private slots:
    void beforeAnyStep()
    {
        Fixture f;
        QCOMPARE(CurrentStep(f.p), 0);
        QVERIFY(f.p.logo.isVisible());
        QVERIFY(!f.p.Head.isVisible());
        for (int i = 1; i <= 7; ++i)
            QVERIFY(!f.p.Forma[i].isVisible());
    }

    void selectingAStep()
    {
        Fixture f(3, 2);
        f.p.AutoCheck.setChecked(true);
        f.p.ComErrView.setChecked(true);
        SelectStep(f.p, 2);
        QCOMPARE(f.p.Foc.text(), QStringLiteral("2"));
        QCOMPARE(f.p.Head.text(), QStringLiteral("2.Зерновые составы сырьевых компонентов смеси"));
        QVERIFY(f.p.Head.isVisible());
        QVERIFY(!f.p.logo.isVisible());
        QVERIFY(f.p.Forma[2].isVisible());
        QVERIFY(!f.p.Forma[1].isVisible());
        QCOMPARE(f.p.But[2].picture(), 106);
        QCOMPARE(f.p.Line_v[2].value(), 1);
        QCOMPARE(f.p.Line_v[1].value(), 0);
        QCOMPARE(f.p.tabl[3].row(), 1);
        QCOMPARE(f.p.tabl[3].col(), 0);
        QVERIFY(!f.p.AutoCheck.isChecked());
        QVERIFY(!f.p.ComErrView.isChecked());
        QVERIFY(f.p.SBegunok[1].isEnabled());
        // Hovering changes the other buttons only; the previous step's picture stays selected
        // until the pointer moves.
        SelectStep(f.p, 5);
        QCOMPARE(f.p.But[2].picture(), 106);
        HoverStep(f.p, 3);
        QCOMPARE(f.p.But[3].picture(), 108); // hover picture of button 3 is 3*3+99
        QCOMPARE(f.p.But[2].picture(), 104);
        QCOMPARE(f.p.But[5].picture(), 115);
        HoverStep(f.p, 0);
        QCOMPARE(f.p.But[3].picture(), 107);
        HoverStep(f.p, 5);
        QCOMPARE(f.p.But[5].picture(), 115);
    }

    void oneComponentDisablesItsControls()
    {
        Fixture f(1, 2);
        SelectStep(f.p, 5);
        QVERIFY(!f.p.SBegunok[1].isEnabled());
        QVERIFY(!f.p.MPlus[1].isEnabled());
        QVERIFY(!f.p.MMinus[1].isEnabled());
        QVERIFY(!f.p.MLock[1].isEnabled());
        QVERIFY(!f.p.AutoCheck.isEnabled());
        QVERIFY(!f.p.IshReset.isEnabled());
    }

    void classCountButtons_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("plus");
        QTest::addColumn<QString>("after");
        QTest::newRow("49 +") << QStringLiteral("49") << true << QStringLiteral("50");
        QTest::newRow("50 +") << QStringLiteral("50") << true << QStringLiteral("50");
        QTest::newRow("60 +") << QStringLiteral("60") << true << QStringLiteral("50");
        QTest::newRow("3 -") << QStringLiteral("3") << false << QStringLiteral("2");
        QTest::newRow("2 -") << QStringLiteral("2") << false << QStringLiteral("2");
        QTest::newRow("1 -") << QStringLiteral("1") << false << QStringLiteral("2");
        QTest::newRow("7 +") << QStringLiteral("7") << true << QStringLiteral("8");
    }
    void classCountButtons()
    {
        QFETCH(QString, before);
        QFETCH(bool, plus);
        QFETCH(QString, after);
        Fixture f;
        f.p.K.setText(before);
        plus ? IncreaseK(f.p) : DecreaseK(f.p);
        QCOMPARE(f.p.K.text(), after);
        QCOMPARE(f.p.tabl[3].rows(), int(after.toInt()) + 1);
    }

    void countFieldRecalculatesOnlyInRange()
    {
        Fixture f(2, 2);
        QCOMPARE(f.p.tabl[1].cols(), 2);
        f.p.N.setText(QStringLiteral("12"));
        QCOMPARE(f.p.tabl[1].cols(), 2); // outside 1..10: no recalculation
        f.p.N.setText(QStringLiteral("4"));
        QCOMPARE(f.p.tabl[1].cols(), 4);
    }

    void manualReferencePreparation()
    {
        Fixture f(1, 3);
        f.column(0, {QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")});
        Recalculate(f.p);
        QVERIFY(!f.p.tabl[5].text(1, 1)->isEmpty()); // the equation's values
        f.p.selectReference(ReferenceKind::ManualReference);
        QCOMPARE(*f.p.tabl[5].text(0, 0), QStringLiteral("Dj"));
        QCOMPARE(*f.p.tabl[5].text(1, 0), QStringLiteral("A'j"));
        QCOMPARE(*f.p.tabl[5].text(0, 3), QStringLiteral("1"));
        QCOMPARE(*f.p.tabl[5].text(1, 2), QString());
    }

    void closeAndOpenQuestions()
    {
        Fixture f(1, 1);
        QCOMPARE(f.p.tabl[3].rows(), 2);
        QVERIFY(!CloseQuestion(f.p));
        QVERIFY(!OpenQuestion(f.p));
        f.p.K.setText(QStringLiteral("2"));
        const auto q = CloseQuestion(f.p);
        QVERIFY(q);
        QCOMPARE(q->title, QStringLiteral("Подтверждение выхода"));
        QCOMPARE(q->text, QStringLiteral("Несохраненные данные будут утеряны! Вы уверены, что хотите выйти из программы?"));
        QCOMPARE(OpenQuestion(f.p)->title, QStringLiteral("Подтверждение открытия файла"));
    }

    void validationOfAValidProject()
    {
        Fixture f;
        f.valid();
        f.tick();
        QVERIFY(f.p.DensityRowValid);
        QVERIFY(f.p.GrainTableValid);
        QVERIFY(f.p.BaseRecipeValid);
        QVERIFY(f.p.ReferenceTableValid);
        QVERIFY(f.p.TablesValid);
        QCOMPARE(f.p.ErrTab1.text(), QStringLiteral(" "));
        QCOMPARE(f.p.ErrTab4.text(), QStringLiteral(" "));
        QVERIFY(!f.p.ErrBorder.isVisible());
        QVERIFY(!f.p.ComErrView.isEnabled());
        QVERIFY(f.p.AutoCheck.isEnabled());
    }

    void validationRules_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QStringList>("sizes");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<bool>("sizeLine");
        QTest::addColumn<QString>("componentLine");
        const QString order = QStringLiteral("-> Процентное содержание частиц компонента 1 задано НЕ в порядке убывания.");
        const QString syntax = QStringLiteral("-> В столбце процентного содержания частиц компонента 1 допущены синтаксические ошибки ввода.");
        const QStringList okSizes{QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("5")};
        const QStringList okValues{QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("60")};
        QTest::newRow("equal neighbours pass") << 1 << okSizes << okValues << false << QString();
        QTest::newRow("rising size") << 1 << QStringList{QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("1")} << okValues << true << QString();
        QTest::newRow("rising value, integral") << 1 << okSizes << QStringList{QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("90")} << false << order;
        QTest::newRow("rising value, differential") << 2 << okSizes << QStringList{QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("90")} << false << QString();
        QTest::newRow("empty cell, differential") << 2 << okSizes << QStringList{QStringLiteral("10"), QString(), QStringLiteral("90")} << false << syntax;
        QTest::newRow("empty cell, integral") << 1 << okSizes << QStringList{QStringLiteral("100"), QString(), QStringLiteral("90")} << false << order;
        QTest::newRow("letters in a size") << 1 << QStringList{QStringLiteral("10"), QStringLiteral("x"), QStringLiteral("1")} << okValues << true << QString();
    }
    void validationRules()
    {
        QFETCH(int, form);
        QFETCH(QStringList, sizes);
        QFETCH(QStringList, values);
        QFETCH(bool, sizeLine);
        QFETCH(QString, componentLine);
        Fixture f;
        f.valid();
        f.p.selectDataForm(GrainDataForm(form));
        f.column(0, sizes);
        f.column(1, values);
        Recalculate(f.p);
        f.tick();
        QCOMPARE(f.p.PErr1.isVisible(), sizeLine);
        QCOMPARE(f.p.PErrA[1].isVisible(), !componentLine.isEmpty());
        if (!componentLine.isEmpty())
            QCOMPARE(f.p.PErrA[1].text(), componentLine);
        QCOMPARE(f.p.GrainTableValid, !sizeLine && componentLine.isEmpty());
        QCOMPARE(f.p.ErrBorder.isVisible(), !f.p.GrainTableValid);
        QCOMPARE(f.p.ComErrView.isEnabled(), !f.p.GrainTableValid);
        QCOMPARE(f.p.AutoCheck.isEnabled(), f.p.TablesValid);
    }

    void recipeSumNotHundred()
    {
        Fixture f;
        f.type(ProjectBuilder()
                   .densities({QStringLiteral("2,65"), QStringLiteral("2,65")})
                   .baseRecipe({QStringLiteral("50"), QStringLiteral("49,99")})
                   .counts(2, 2));
        QCOMPARE(f.p.mass0_sum.text(), QStringLiteral("99,99"));
        f.tick();
        QVERIFY(!f.p.BaseRecipeValid);
        QCOMPARE(f.p.validation.recipeErrors, int16_t(2));
        QCOMPARE(f.p.ErrTab4.text(), QStringLiteral("Таблица содержит ошибки (сумма массовых долей <> 100%)!"));
        QVERIFY(f.p.ErrBorder4.isVisible());
        f.row1(4, {QStringLiteral("50"), QStringLiteral("50")});
        Recalculate(f.p);
        f.tick();
        QVERIFY(f.p.BaseRecipeValid);
    }

    void referenceOrder_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<bool>("valid");
        QTest::newRow("rising") << QStringList{QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("70")} << false;
        QTest::newRow("equal") << QStringList{QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("60")} << true;
        QTest::newRow("empty") << QStringList{QStringLiteral("100"), QString(), QStringLiteral("20")} << false;
    }
    void referenceOrder()
    {
        QFETCH(QStringList, row);
        QFETCH(bool, valid);
        Fixture f;
        f.valid();
        f.p.selectReference(ReferenceKind::ManualReference);
        f.row1(5, row, 1);
        Recalculate(f.p);
        f.tick();
        QCOMPARE(f.p.ReferenceTableValid, valid);
        QCOMPARE(f.p.ErrTab5.text(), valid ? QStringLiteral(" ") : QStringLiteral("Таблица заполнена не до конца, либо допущены синтаксические ошибки!"));
    }

    void noClassesTestsNoCells()
    {
        Fixture f;
        f.valid();
        f.p.K.setText(QStringLiteral("abc"));
        f.tick();
        QCOMPARE(f.p.validation.sizeErrors, int16_t(0));
        QCOMPARE(f.p.validation.referenceErrors, int16_t(0));
        QVERIFY(f.p.GrainTableValid);
    }

    void errorListStacking()
    {
        Fixture f;
        f.type(ProjectBuilder()
                   .densities({QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")})
                   .baseRecipe({QStringLiteral("50"), QStringLiteral("25"), QStringLiteral("25")})
                   .sizes({QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("1")})
                   .composition(1, {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")})
                   .composition(2, {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")})
                   .composition(3, {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")}));
        f.tick();
        f.p.ComErrView.setChecked(true); // its click stacks the lines
        QCOMPARE(f.p.PErr1.top(), 480);
        QCOMPARE(f.p.PErrA[1].top(), 720);
        QCOMPARE(f.p.PErrA[3].top(), 960);
        QVERIFY(!f.p.PErrA[2].isVisible());
        f.tick();
        QVERIFY(f.p.PoleError.isVisible());
        // Everything corrected: the panel, the box and the frame go on the next tick.
        f.column(0, {QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")});
        f.column(1, {QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("10")});
        f.column(3, {QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("10")});
        Recalculate(f.p);
        f.tick();
        QVERIFY(!f.p.PoleError.isVisible());
        QVERIFY(!f.p.ComErrView.isEnabled());
        QVERIFY(!f.p.ErrBorder.isVisible());
    }

    void fractionAbove100ResetsTheRecipe()
    {
        Fixture f;
        f.type(ProjectBuilder()
                   .densities({QStringLiteral("2,65"), QStringLiteral("2,65")})
                   .baseRecipe({QStringLiteral("60"), QStringLiteral("40")})
                   .counts(2, 2));
        f.p.CorrectedRecipe.set(1, 130.0f);
        f.tick(); // the read-out shows 130 ...
        QCOMPARE(f.p.M_lab[1].text(), QStringLiteral("130"));
        f.tick(); // ... and the guard resets to the base recipe
        QCOMPARE(f.p.CorrectedRecipe[1], 60.0f);
        QCOMPARE(f.p.SBegunok[1].value(), 6000);
        QCOMPARE(f.p.SBegunok[2].value(), 4000);
    }

    void classesBeyondFiftyFreezeTheDisplays()
    {
        Fixture f;
        f.valid();
        f.tick();
        QVERIFY(f.p.TablesValid);
        f.p.K.setText(QStringLiteral("60"));
        f.tick();
        QVERIFY(f.p.TablesValid); // kept from the last complete run
    }

    void layoutPanels_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("panelHeight");
        QTest::addColumn<int>("top");
        QTest::newRow("centred") << 9000 << 5000 << 2000;
        QTest::newRow("at 1200") << 9000 << 7000 << 1200;
    }
    void layoutPanels()
    {
        QFETCH(int, height);
        QFETCH(int, panelHeight);
        QFETCH(int, top);
        Fixture f;
        f.p.Forma[3].setHeight(panelHeight);
        LayoutWindow(f.p, 15000, height);
        QCOMPARE(f.p.Forma[3].top(), top);
    }

    void layoutSpreadsColumnsAndPlacesButtons()
    {
        Fixture f(4, 3);
        LayoutWindow(f.p, 20000, 12000);
        QCOMPARE(f.p.tabl[1].width(), 20000 - 2 * f.p.tabl[1].left());
        const int w = f.p.tabl[1].columnWidth(0);
        QCOMPARE(w, (f.p.tabl[1].width() - 100) / 4);
        QCOMPARE(f.p.tabl[1].columnWidth(3), w);
        for (int i = 2; i <= 7; ++i)
            QCOMPARE(f.p.But[i].left(), f.p.But[i - 1].left() + f.p.But[i - 1].width());
        QCOMPARE(f.p.Line_v[8].left() + f.p.Line_v[8].width(), 20000);
        QCOMPARE(f.p.Line_v[1].left(), 0);
        QCOMPARE(f.p.ButOpen.top(), 12000 - f.p.ButOpen.height() - 200);
        QCOMPARE(f.p.ComDelete.left() + f.p.ComDelete.width(), f.p.tabl[3].left() + f.p.tabl[3].width());
        QCOMPARE(f.p.PlotRight, float(f.p.Graph.width() - 30 - 500));
        // A window too small for the graph: the failing step is skipped, the rest goes on.
        const int graphWidth = f.p.Graph.width();
        LayoutWindow(f.p, 3000, 12000);
        QCOMPARE(f.p.Graph.width(), graphWidth);
        QCOMPARE(f.p.tabl[1].width(), 3000 - 2 * f.p.tabl[1].left());
    }

    void wheelScrollsAPage()
    {
        GridModel g;
        g.setCols(2);
        g.setRows(31);
        g.setRowHeight(240);
        g.setHeight(11 * 240 + 60); // the header and 10 whole data rows
        ScrollGridByWheel(g, -120);
        QCOMPARE(g.topRow(), 10);
        ScrollGridByWheel(g, 120);
        QCOMPARE(g.topRow(), 1);
        ScrollGridByWheel(g, 120);
        QCOMPARE(g.topRow(), 1);
        for (int k = 0; k < 5; ++k)
            ScrollGridByWheel(g, -120);
        QCOMPARE(g.topRow(), 30); // never beyond row count - 1
        GridModel small;
        small.setCols(2);
        small.setRows(5);
        small.setRowHeight(240);
        small.setHeight(3000);
        ScrollGridByWheel(small, -120);
        QCOMPARE(small.topRow(), 1); // everything fits
    }
};

QTEST_GUILESS_MAIN(TestForm1Logic)
#include "tst_form1logic.moc"
