#include "core/MixProject.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"
#include "core/Reference.h"

#include <QTest>

namespace {
// The text of a cell, or a marker where the cell does not exist.
QString txt(const GridModel &g, int row, int col)
{
    const QString *t = g.text(row, col);
    return t ? *t : QStringLiteral("<no cell>");
}
} // namespace

#include <cmath>

namespace {

// Types a project into the tables as the user would, then recalculates.
struct Fixture
{
    MixProject p;
    Fixture() { p.startUp(); }
    void counts(int n, int k)
    {
        p.N.setText(QString::number(n));
        p.K.setText(QString::number(k));
        Recalculate(p);
    }
    void cell(int table, int row, int col, const QString &text) { QVERIFY(p.setCellText(p.tabl[table], row, col, text)); }
    void column(int table, int col, const QStringList &texts)
    {
        for (int j = 0; j < texts.size(); ++j)
            cell(table, j + 1, col, texts[j]);
    }
    void row1(int table, const QStringList &texts, int firstCol = 0)
    {
        for (int i = 0; i < texts.size(); ++i)
            cell(table, 1, firstCol + i, texts[i]);
    }
};

bool near(double a, double b, double tol = 5e-5)
{
    return std::fabs(a - b) <= tol;
}

} // namespace

class TestRecalculate final : public QObject
{
    Q_OBJECT

private slots:
    void startUpState()
    {
        MixProject p;
        p.startUp();
        QCOMPARE(p.CorrectedRecipe[1], 100.0f);
        for (int i = 2; i <= 10; ++i)
            QCOMPARE(p.CorrectedRecipe[i], 0.0f);
        QCOMPARE(p.SBegunok[1].value(), 10000);
        QCOMPARE(p.SBegunok[2].value(), 0);
        QCOMPARE(p.SliderLastValue[1], int16_t(10000));
        QCOMPARE(p.SliderLastValue[10], int16_t(0));
        QCOMPARE(p.VariationMax[7], 100.0f);
        QCOMPARE(p.SearchComponent, int16_t(1));
        // Shaped for N = 1 and K = 2; every conversion failed, so every result is 0.
        QCOMPARE(p.tabl[3].rows(), 3);
        QCOMPARE(p.tabl[3].cols(), 2);
        QCOMPARE(p.tabl[5].cols(), 3);
        QCOMPARE(txt(p.tabl[3], 0, 0), QStringLiteral("Dj"));
        QCOMPARE(txt(p.tabl[5], 1, 0), QStringLiteral("A'j"));
        QCOMPARE(txt(p.tabl[1], 0, 0), QStringLiteral("1"));
        QCOMPARE(txt(p.tabl[5], 1, 1), QStringLiteral("0"));
        QCOMPARE(txt(p.tabl[5], 1, 2), QStringLiteral("0"));
        QCOMPARE(p.mass0_sum.text(), QStringLiteral("0"));
        QCOMPARE(p.CurveDivergence, 0.0f);
        QVERIFY(p.SBegunok[1].isVisible());
        QVERIFY(!p.SBegunok[2].isVisible());
    }

    void workedExample()
    {
        Fixture f;
        f.counts(2, 3);
        f.row1(1, {QStringLiteral("Песок"), QStringLiteral("Цемент")});
        f.row1(2, {QStringLiteral("2,65"), QStringLiteral("3,1")});
        f.row1(4, {QStringLiteral("60"), QStringLiteral("40")});
        f.column(3, 0, {QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,16")});
        f.column(3, 1, {QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("20")});
        f.column(3, 2, {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")});
        Recalculate(f.p);
        MixProject &p = f.p;
        QVERIFY(near(p.BaseVolumeFraction[1], 63.6986));
        QVERIFY(near(p.BaseVolumeFraction[2], 36.3014));
        QVERIFY(near(p.BaseMixCurve[1], 100, 1e-4));
        QVERIFY(near(p.BaseMixCurve[2], 62.7397, 1e-4));
        QVERIFY(near(p.BaseMixCurve[3], 16.3699, 1e-4));
        // The corrected recipe is still 100 % of component 1.
        QVERIFY(near(p.CorrectedMixCurve[2], 70, 1e-4));
        QCOMPARE(p.mass0_sum.text(), QStringLiteral("100"));
        QCOMPARE(p.MaxSize, 5.0f);
        QCOMPARE(p.MinSize, 0.16f);
        // Headers follow the names.
        QCOMPARE(txt(p.tabl[3], 0, 2), QStringLiteral("Цемент"));
        QCOMPARE(txt(p.tabl[4], 0, 0), QStringLiteral("Песок"));
        QCOMPARE(txt(p.tabl[5], 0, 2), QStringLiteral("1,25"));
        QCOMPARE(p.k_name[2].text(), QStringLiteral("Цемент"));
        // Funk-Dinger, n = 0,5, a = 0 at 1,25 between 5 and 0,16.
        QCOMPARE(txt(p.tabl[5], 1, 1), QStringLiteral("100"));
        QCOMPARE(txt(p.tabl[5], 1, 2), QStringLiteral("39,11"));
        QCOMPARE(txt(p.tabl[5], 1, 3), QStringLiteral("0"));
        QVERIFY(near(p.CurveDeviation[2], 70 - 39.107157, 1e-4));
        QVERIFY(near(p.CurveDivergence, 70 - 39.107157, 1e-4));
        QVERIFY(near(p.ReferenceBandUpper[3], p.CurveDivergence, 1e-4));
        QVERIFY(near(p.ReferenceBandLower[1], 100 - p.CurveDivergence, 1e-4));
    }

    void equations_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<float>("coef1");
        QTest::addColumn<float>("coef2");
        QTest::addColumn<float>("D");
        QTest::addColumn<double>("expected");
        QTest::newRow("Funk-Dinger 0,5") << 1 << 0.5f << 0.0f << 1.25f << 39.107157;
        QTest::newRow("Funk-Dinger at Dmax") << 1 << 0.5f << 0.0f << 5.0f << 100.0;
        QTest::newRow("Funk-Dinger at Dmin") << 1 << 0.5f << 0.0f << 0.16f << 0.0;
        QTest::newRow("Funk-Dinger 0,37 a 0,1") << 1 << 0.37f << 0.1f << 1.25f << 49.853756;
        QTest::newRow("Funk-Dinger a 0,1 at Dmin") << 1 << 0.37f << 0.1f << 0.16f << 10.0;
        QTest::newRow("Fuller 0,5") << 2 << 0.5f << 0.0f << 1.25f << 50.0;
        QTest::newRow("Fuller at Dmax") << 2 << 0.37f << 0.0f << 5.0f << 100.0;
        QTest::newRow("Hummel 0,1") << 3 << 0.1f << 0.0f << 1.25f << 87.055056;
        QTest::newRow("Bolomey 10") << 4 << 10.0f << 0.0f << 1.25f << 55.0;
        QTest::newRow("Bolomey at Dmax") << 4 << 14.0f << 0.0f << 5.0f << 100.0;
    }
    void equations()
    {
        QFETCH(int, kind);
        QFETCH(float, coef1);
        QFETCH(float, coef2);
        QFETCH(float, D);
        QFETCH(double, expected);
        Coefficients c;
        c.n = c.n2 = c.m = c.B = coef1;
        c.a = coef2;
        const auto v = EquationValue(ReferenceKind(kind), c, D, 5.0f, 0.16f);
        QVERIFY(v);
        QVERIFY2(near(*v, expected, 1e-5), qPrintable(QString::number(*v, 'f', 7)));
    }

    void equationFailures()
    {
        Coefficients c;
        c.n = 0.5f;
        QVERIFY(!EquationValue(ReferenceKind::FunkDinger, c, 1.0f, 2.0f, 2.0f)); // Dmax = Dmin
        c.n = 0.0f;
        QVERIFY(!EquationValue(ReferenceKind::FunkDinger, c, 1.0f, 5.0f, 0.16f)); // n = 0
        c.n2 = 0.5f;
        QVERIFY(!EquationValue(ReferenceKind::Fuller, c, 1.0f, 0.0f, 0.0f)); // Dmax = 0
        QVERIFY(!EquationValue(ReferenceKind::Fuller, c, -1.0f, 5.0f, 0.0f)); // invalid power
        // Unreadable exponents count as 0: Fuller and Hummel give 100 everywhere.
        Coefficients zero;
        QCOMPARE(*EquationValue(ReferenceKind::Hummel, zero, 1.25f, 5.0f, 0.16f), 100.0f);
        QCOMPARE(*EquationValue(ReferenceKind::Bolomey, zero, 1.25f, 5.0f, 0.16f), 50.0f);
    }

    void manualReferenceDivergence()
    {
        Fixture f;
        f.counts(1, 3);
        f.row1(2, {QStringLiteral("2,65")});
        f.row1(4, {QStringLiteral("100")});
        f.column(3, 0, {QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")});
        f.column(3, 1, {QStringLiteral("95"), QStringLiteral("62"), QStringLiteral("25")});
        f.p.selectReference(ReferenceKind::ManualReference);
        f.row1(5, {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("20")}, 1);
        Recalculate(f.p);
        const MixProject &p = f.p;
        QCOMPARE(p.CurveDeviation[1], 5.0f);
        QCOMPARE(p.CurveDeviation[2], 2.0f);
        QCOMPARE(p.CurveDeviation[3], 5.0f);
        QCOMPARE(p.CurveDivergence, 5.0f);
        const float upper[] = {105, 65, 25}, lower[] = {95, 55, 15};
        for (int j = 1; j <= 3; ++j) {
            QCOMPARE(p.ReferenceBandUpper[j], upper[j - 1]);
            QCOMPARE(p.ReferenceBandLower[j], lower[j - 1]);
        }
        // Nothing is written back into the typed row.
        QCOMPARE(txt(p.tabl[5], 1, 2), QStringLiteral("60"));
    }

    // A failing step keeps its target's previous value.
    void failuresKeepPreviousValues()
    {
        Fixture f;
        f.counts(2, 2);
        f.row1(2, {QStringLiteral("2,65"), QStringLiteral("2,65")});
        f.row1(4, {QStringLiteral("60"), QStringLiteral("40")});
        f.column(3, 0, {QStringLiteral("5"), QStringLiteral("1")});
        Recalculate(f.p);
        MixProject &p = f.p;
        QCOMPARE(p.BaseVolumeFraction[1], 60.0f);
        QVERIFY(near(p.ReferenceCurve[2], 100 * (1 - 0.4472136) / (2.2360680 - 0.4472136) * 0 + 0, 100)); // formed
        const float refBefore = p.ReferenceCurve[2];

        // A density of 0: no volume fraction of the pass is updated, though the recipe changed.
        f.row1(2, {QStringLiteral("0")}, 1);
        f.row1(4, {QStringLiteral("50"), QStringLiteral("50")});
        Recalculate(p);
        QCOMPARE(p.BaseRecipe[1], 50.0f);
        QCOMPARE(p.BaseVolumeFraction[1], 60.0f);
        QCOMPARE(p.BaseVolumeFraction[2], 40.0f);

        // An empty cell leaves its number as it was.
        f.row1(2, {QStringLiteral("2,65"), QStringLiteral("2,65")});
        f.row1(4, {QString(), QStringLiteral("50")});
        Recalculate(p);
        QCOMPARE(p.BaseRecipe[1], 50.0f);
        QCOMPARE(p.BaseVolumeFraction[1], 50.0f);

        // Dmax = Dmin: Funk-Dinger cannot be formed, the old value stays and is shown again.
        f.column(3, 0, {QStringLiteral("1"), QStringLiteral("1")});
        Recalculate(p);
        QCOMPARE(p.ReferenceCurve[2], refBefore);
        QCOMPARE(txt(p.tabl[5], 1, 2), Num::formatRounded(refBefore, 2));

        // An unreadable coefficient counts as 0: Hummel gives 100 at every class.
        p.selectReference(ReferenceKind::Hummel);
        f.column(3, 0, {QStringLiteral("5"), QStringLiteral("1")});
        p.koef_m.setText(QStringLiteral("abc"));
        Recalculate(p);
        QCOMPARE(p.ReferenceCurve[2], 100.0f);
    }

    void sizeClassesBeyondTheStorage()
    {
        Fixture f;
        f.counts(1, 60);
        MixProject &p = f.p;
        QCOMPARE(p.tabl[3].rows(), 61);
        QCOMPARE(p.tabl[5].cols(), 61);
        for (int j = 1; j <= 60; ++j)
            f.cell(3, j, 0, QString::number(61 - j));
        f.row1(2, {QStringLiteral("2,65")});
        f.row1(4, {QStringLiteral("100")});
        for (int j = 1; j <= 60; ++j)
            f.cell(3, j, 1, QString::number(100 - j));
        Recalculate(p); // must not touch storage beyond class 50
        QCOMPARE(p.SieveSize[50], 11.0f);
        QCOMPARE(txt(p.tabl[5], 0, 60), QStringLiteral("1"));
        QCOMPARE(p.MaxSize, 60.0f);
        QCOMPARE(p.MinSize, 1.0f); // a scalar: read from the last row even beyond the class storage
    }

    void reducingKForgetsClasses()
    {
        Fixture f;
        f.counts(1, 6);
        f.row1(2, {QStringLiteral("2,65")});
        f.row1(4, {QStringLiteral("100")});
        f.p.selectReference(ReferenceKind::ManualReference);
        f.column(3, 0, {QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")});
        f.column(3, 1, {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("60"), QStringLiteral("40"), QStringLiteral("20"), QStringLiteral("0")});
        f.row1(5, {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("60"), QStringLiteral("40"), QStringLiteral("50"), QStringLiteral("60")}, 1);
        Recalculate(f.p);
        QCOMPARE(f.p.CurveDivergence, 60.0f);
        f.p.K.setText(QStringLiteral("4"));
        Recalculate(f.p);
        QCOMPARE(f.p.CurveDivergence, 0.0f);
        QCOMPARE(f.p.MinSize, 3.0f);
    }

    void lowerNKeepsStoredValues()
    {
        Fixture f;
        f.counts(5, 2);
        for (int i = 0; i < 5; ++i) {
            f.cell(2, 1, i, QStringLiteral("2,5"));
            f.cell(4, 1, i, QStringLiteral("20"));
        }
        Recalculate(f.p);
        QCOMPARE(f.p.GrainDensity[5], 2.5f);
        f.p.N.setText(QStringLiteral("3"));
        Recalculate(f.p);
        QCOMPARE(f.p.tabl[1].cols(), 3);
        QCOMPARE(f.p.tabl[3].cols(), 4);
        QCOMPARE(f.p.GrainDensity[5], 2.5f);
        QCOMPARE(f.p.BaseRecipe[4], 20.0f);
        for (int i = 4; i <= 10; ++i) {
            QVERIFY(!f.p.SBegunok[i].isVisible());
            QVERIFY(!f.p.MLock[i].isVisible());
        }
        QVERIFY(f.p.SBegunok[3].isVisible());
        QCOMPARE(f.p.mass0_sum.text(), QStringLiteral("60"));
        // The controls under the slider list follow the last visible row.
        QCOMPARE(f.p.IshReset.top(), f.p.SBegunok[3].top() + 500);
        QCOMPARE(f.p.AutoCheck.top(), f.p.IshReset.top() + f.p.IshReset.height() + 200);
    }

    void sameDensitiesInOnePass()
    {
        Fixture f;
        f.counts(3, 2);
        f.row1(4, {QStringLiteral("50"), QStringLiteral("30"), QStringLiteral("20")});
        f.row1(2, {QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")});
        Recalculate(f.p);
        QCOMPARE(f.p.BaseVolumeFraction[1], 50.0f);
        QCOMPARE(f.p.BaseVolumeFraction[2], 30.0f);
        QCOMPARE(f.p.BaseVolumeFraction[3], 20.0f);
        // Editing component 3's mass changes the fractions of 1 and 2 in the same pass.
        f.cell(4, 1, 2, QStringLiteral("70"));
        Recalculate(f.p);
        QCOMPARE(f.p.BaseVolumeFraction[1], 33.333332f);
    }

    void boundsMarkersKeepVisibilityWhenUnticked()
    {
        Fixture f;
        f.counts(2, 2);
        f.p.MarkerBMin[1].setVisible(true);
        Recalculate(f.p);
        QVERIFY(f.p.MarkerBMin[1].isVisible());
        QVERIFY(!f.p.MarkerBMin[2].isVisible());
        f.p.BoundsCheck.setChecked(true);
        Recalculate(f.p);
        QVERIFY(f.p.MarkerBMin[2].isVisible());
    }

    // A cell event raised while Recalculate reshapes a table runs Recalculate again inside it;
    // the outer call ends with the same state as a plain call.
    void nestedRecalculation()
    {
        Fixture plain, nested;
        int depth = 0, maxDepth = 0;
        for (int k = 1; k <= 5; ++k) {
            auto handler = [&] {
                ++depth;
                maxDepth = std::max(maxDepth, depth);
                Recalculate(nested.p);
                --depth;
            };
            connect(&nested.p.tabl[k], &GridModel::cellEntered, this, handler);
            connect(&nested.p.tabl[k], &GridModel::cellLeft, this, handler);
        }
        for (Fixture *f : {&plain, &nested}) {
            f->p.tabl[3].setCurrentCell(2, 1);
            f->counts(2, 3);
            f->row1(2, {QStringLiteral("2,65"), QStringLiteral("3,1")});
            f->row1(4, {QStringLiteral("60"), QStringLiteral("40")});
            f->column(3, 0, {QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,16")});
            f->column(3, 1, {QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("20")});
            f->column(3, 2, {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")});
            f->p.K.setText(QStringLiteral("2"));
            Recalculate(f->p);
        }
        QVERIFY(maxDepth >= 1);
        QCOMPARE(nested.p.CurveDivergence, plain.p.CurveDivergence);
        QCOMPARE(nested.p.BaseMixCurve[2], plain.p.BaseMixCurve[2]);
        QCOMPARE(txt(nested.p.tabl[5], 1, 2), txt(plain.p.tabl[5], 1, 2));
    }

    void columnWidthsSpreadEvenly()
    {
        Fixture f;
        f.p.tabl[1].setSize(9100, 600);
        f.p.tabl[3].setSize(10250, 3000);
        f.counts(3, 2);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(f.p.tabl[1].columnWidth(c), 3000);
        QCOMPARE(f.p.tabl[3].columnWidth(1), 2500);
        QCOMPARE(f.p.tabl[3].columnWidth(0), 2500);
    }
};

QTEST_GUILESS_MAIN(TestRecalculate)
#include "tst_recalculate.moc"
