#include "core/Handlers.h"
#include "core/Recalculate.h"
#include "correction/AutoSelection.h"
#include "correction/BoundsDialog.h"
#include "correction/ManualCorrection.h"

#include <QTest>

#include "support/Compare.h"
#include "support/ProjectBuilder.h"

#include <cmath>

using TestSupport::ProjectBuilder;

namespace {

// n components of equal density over three classes, without compositions.
ProjectBuilder equalDensities(int n)
{
    QStringList densities;
    for (int i = 0; i < n; ++i)
        densities << QStringLiteral("2,65");
    return ProjectBuilder().densities(densities).counts(n, 3);
}

// Three components of equal density with their curves and a manual reference 100/70/30; the
// more of component 1 in place of component 3, the closer the mix comes to the reference.
ProjectBuilder threeCurves()
{
    return ProjectBuilder()
        .densities({QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")})
        .sizes({QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")})
        .composition(1, {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")})
        .composition(2, {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")})
        .composition(3, {QStringLiteral("100"), QStringLiteral("95"), QStringLiteral("80")})
        .baseRecipe({QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("50")})
        .manualReference({QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("30")});
}

// A project wired as the window wires its model, with sliders set without adjustment.
struct Fixture
{
    MixProject p;
    explicit Fixture(const ProjectBuilder &project, const QList<int> &sliders = {})
    {
        ConnectInputHandlers(p);
        ConnectCorrectionHandlers(p);
        p.startUp();
        QVERIFY(project.typeInto(p));
        setSliders(sliders);
    }
    explicit Fixture(int n, const QList<int> &sliders = {})
        : Fixture(equalDensities(n), sliders)
    {
    }
    void setSliders(const QList<int> &values)
    {
        p.SliderMouseChangeStatus.setText(QStringLiteral("1"));
        for (int i = 0; i < values.size(); ++i) {
            p.SBegunok[i + 1].setValue(values[i]);
            p.CorrectedRecipe.set(i + 1, values[i] * 0.01f);
        }
        p.SliderMouseChangeStatus.setText(QStringLiteral("0"));
        Recalculate(p);
    }
    void lock(int i)
    {
        p.MLock[i].setChecked(true);
        UpdateLockedSliderTotal(p);
    }
    QList<int> sliders(int n) const
    {
        QList<int> v;
        for (int i = 1; i <= n; ++i)
            v << p.SBegunok[i].value();
        return v;
    }
    // The search's trial and its previous values, as earlier steps would have left them.
    void trial(const QList<float> &values)
    {
        for (int i = 0; i < values.size(); ++i) {
            p.TrialRecipe.set(i + 1, values[i]);
            p.PreviousTrial.set(i + 1, values[i]);
        }
    }
    double trialSum(int n) const
    {
        double sum = 0;
        for (int i = 1; i <= n; ++i)
            sum += double(p.TrialRecipe[i]);
        return sum;
    }
};

// The differential project with its corrected recipe at the base recipe 40/60 (divergence 20).
struct DifferentialFixture : Fixture
{
    DifferentialFixture()
        : Fixture(TestSupport::differentialProject())
    {
        ResetCorrectedRecipe(p);
        p.AutoCheck.setChecked(true);
    }
};

} // namespace

class TestCorrection final : public QObject
{
    Q_OBJECT

private slots:
    void sliderAdjustment_data()
    {
        QTest::addColumn<QList<int>>("start");
        QTest::addColumn<int>("locked");
        QTest::addColumn<int>("moved");
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<int>>("end");
        QTest::addColumn<QString>("sum");
        const QString hundred = QStringLiteral("100");
        QTest::newRow("70/30") << QList<int>{5000, 5000} << 0 << 1 << 7000 << QList<int>{7000, 3000} << hundred;
        QTest::newRow("6000 -> 2400/1600") << QList<int>{5000, 3000, 2000} << 0 << 1 << 6000 << QList<int>{6000, 2400, 1600} << hundred;
        QTest::newRow("residue to slider 2") << QList<int>{3334, 3333, 3333} << 0 << 1 << 3335 << QList<int>{3335, 3333, 3332} << hundred;
        QTest::newRow("locked clamp") << QList<int>{2000, 3000, 5000} << 2 << 1 << 9000 << QList<int>{7000, 3000, 0} << hundred;
        QTest::newRow("O = 0") << QList<int>{10000, 0, 0} << 0 << 1 << 4000 << QList<int>{4000, 3000, 3000} << hundred;
        // 5000 * 4000 / 8000 = 2500 leaves 11500; slider 3 gives up the 1500 above 10000.
        QTest::newRow("locked, residue taken off") << QList<int>{2000, 3000, 5000} << 2 << 1 << 6000 << QList<int>{6000, 3000, 1000} << hundred;
        // The drag adjusts twice (scroll, then change). First: 2500 * 6000 / 10000 = 1500 each,
        // total 12000; no free slider holds the 2000 above 10000. Second: 1500 * 6000 / 8000 =
        // 1125 each, total 11250; none holds 1250. The sum stays at 112,5 %.
        QTest::newRow("no slider can take the residue") << QList<int>{0, 5000, 2500, 2500} << 2 << 1 << 4000
                                                         << QList<int>{4000, 5000, 1125, 1125} << QStringLiteral("112,5");
    }
    void sliderAdjustment()
    {
        QFETCH(QList<int>, start);
        QFETCH(int, locked);
        QFETCH(int, moved);
        QFETCH(int, value);
        QFETCH(QList<int>, end);
        QFETCH(QString, sum);
        Fixture f(int(start.size()), start);
        if (locked)
            f.lock(locked);
        f.p.SBegunok[moved].userScroll(value);
        QCOMPARE(f.sliders(int(start.size())), end);
        for (int i = 1; i <= start.size(); ++i)
            QCOMPARE(f.p.CorrectedRecipe[i], end[i - 1] * 0.01f);
        RefreshCorrectionDisplay(f.p);
        QCOMPARE(f.p.summa.text(), sum);
    }

    void plusButton()
    {
        Fixture f(2, {7000, 3000});
        f.p.MPlus[2].raiseClick();
        QCOMPARE(f.sliders(2), (QList<int>{6999, 3001}));
        // A press at the end of the scale is ignored.
        Fixture g(2, {10000, 0});
        g.p.MPlus[1].raiseClick();
        QCOMPARE(g.sliders(2), (QList<int>{10000, 0}));
        g.p.MMinus[2].raiseClick();
        QCOMPARE(g.sliders(2), (QList<int>{10000, 0}));
    }

    void lockedSliderIgnoresDragging()
    {
        Fixture f(3, {2000, 3000, 5000});
        f.lock(2);
        QVERIFY(!f.p.SBegunok[2].isEnabled());
        QVERIFY(!f.p.MPlus[2].isEnabled());
        f.p.SBegunok[2].userScroll(4000);
        RefreshCorrectionDisplay(f.p); // the tick puts a locked slider back
        QCOMPARE(f.sliders(3), (QList<int>{2000, 3000, 5000}));
        QCOMPARE(f.p.lock_pic[2].picture(), ClosedPadlock);
        QCOMPARE(f.p.LockedFraction[2], 30.0f);
    }

    // The tick puts a locked slider at its fraction x 100 rounded half to even.
    void lockedSliderRefresh_data()
    {
        QTest::addColumn<float>("fraction");
        QTest::addColumn<int>("slider");
        QTest::newRow("1262,5 to even below") << 12.625f << 1262;
        QTest::newRow("1237,5 to even above") << 12.375f << 1238;
        QTest::newRow("3333,3") << 33.333f << 3333;
        QTest::newRow("whole") << 30.0f << 3000;
    }
    void lockedSliderRefresh()
    {
        QFETCH(float, fraction);
        QFETCH(int, slider);
        Fixture f(2, {5000, 5000});
        f.p.CorrectedRecipe.set(1, fraction);
        f.lock(1);
        RefreshCorrectionDisplay(f.p);
        QCOMPARE(f.p.SBegunok[1].value(), slider);
        QCOMPARE(f.p.LockedFraction[1], fraction);
        QCOMPARE(f.p.SBegunok[2].value(), 5000); // a locked slider set by the tick moves no other
    }

    void automaticModeFreezesSliders()
    {
        Fixture f(2, {5000, 5000});
        f.p.AutoCheck.setChecked(true);
        QVERIFY(!f.p.SBegunok[1].isEnabled());
        QVERIFY(!f.p.IshReset.isEnabled());
        f.p.SBegunok[1].setValue(8000);
        QCOMPARE(f.p.SBegunok[2].value(), 5000);
        f.p.AutoCheck.setChecked(false);
        QVERIFY(f.p.SBegunok[1].isEnabled());
    }

    void resetToBaseRecipe()
    {
        Fixture f(2, {7000, 3000});
        f.p.setCellText(f.p.tabl[4], 1, 0, QStringLiteral("60"));
        f.p.setCellText(f.p.tabl[4], 1, 1, QStringLiteral("40"));
        f.lock(1);
        f.p.IshReset.raiseClick();
        QCOMPARE(f.sliders(2), (QList<int>{6000, 4000}));
        QVERIFY(!f.p.MLock[1].isChecked());
        QCOMPARE(f.p.CorrectedRecipe[1], 60.0f);
    }

    void lockedTotalBeyond16Bits()
    {
        Fixture f(4);
        f.setSliders({9000, 9000, 9000, 9000});
        for (int i = 1; i <= 4; ++i)
            f.p.MLock[i].setChecked(true);
        UpdateLockedSliderTotal(f.p);
        QCOMPARE(f.p.LockedSliderTotal, int16_t(32767));
    }

    void boundsDialog_data()
    {
        QTest::addColumn<QString>("lo");
        QTest::addColumn<QString>("hi");
        QTest::addColumn<bool>("wrong");
        QTest::newRow("defaults") << QStringLiteral("0") << QStringLiteral("100") << false;
        QTest::newRow("equal") << QStringLiteral("20") << QStringLiteral("20") << true;
        QTest::newRow("above 100") << QStringLiteral("0") << QStringLiteral("101") << true;
        QTest::newRow("empty") << QString() << QStringLiteral("50") << true;
        QTest::newRow("comma applied as its whole part") << QStringLiteral("12,5") << QStringLiteral("50") << false;
    }
    void boundsDialog()
    {
        QFETCH(QString, lo);
        QFETCH(QString, hi);
        QFETCH(bool, wrong);
        Fixture f(3);
        BoundsDialogModel d;
        OpenBoundsDialog(f.p, d);
        QCOMPARE(d.BMinVal[2].text(), QStringLiteral("0"));
        QCOMPARE(d.BMaxVal[2].text(), QStringLiteral("100"));
        QVERIFY(!d.BMinVal[4].isEnabled());
        d.BMinVal[7].setText(QStringLiteral("x")); // above N: not checked
        d.BMinVal[2].setText(lo);
        d.BMaxVal[2].setText(hi);
        ValidateBounds(f.p, d);
        QCOMPARE(d.ErrBorder[2].isVisible(), wrong);
        QCOMPARE(d.CommandApply.isEnabled(), !wrong);
        if (!wrong) {
            ApplyBounds(f.p, d);
            QCOMPARE(f.p.VariationMin[2], float(int(lo.left(2).toInt())));
            QVERIFY(!d.Form6.isVisible());
        }
    }

    void boundsCancelAndMarkers()
    {
        Fixture f(2);
        BoundsDialogModel d;
        OpenBoundsDialog(f.p, d);
        d.BMinVal[1].setText(QStringLiteral("20"));
        CancelBounds(d);
        QCOMPARE(f.p.VariationMin[1], 0.0f);
        OpenBoundsDialog(f.p, d);
        QCOMPARE(d.BMinVal[1].text(), QStringLiteral("0"));
        d.BMinVal[1].setText(QStringLiteral("20"));
        d.BMaxVal[1].setText(QStringLiteral("60"));
        ApplyBounds(f.p, d);
        UpdateBoundsControls(f.p);
        QCOMPARE(f.p.MarkerBMin[1].left(), 2408);
        QCOMPARE(f.p.MarkerBMax[1].left(), 3144);
        QVERIFY(BoundsKeyAllowed(u'7'));
        QVERIFY(!BoundsKeyAllowed(u'-'));
        QVERIFY(!BoundsKeyAllowed(u'a'));
        QVERIFY(BoundsKeyAllowed(8));
    }

    // The worked step: trial 60/40, p = 1, second number 0.5 -> 50/50.
    void searchWorkedStep()
    {
        Fixture f(2);
        f.p.AutoCheck.setChecked(true);
        f.trial({60, 40});
        SearchRandom r;
        r.script({0.2f, 0.5f});
        AutoSelectionStep(f.p, r);
        QCOMPARE(f.p.SearchComponent, int16_t(1));
        QCOMPARE(f.p.TrialRecipe[1], 50.0f);
        QCOMPARE(f.p.TrialRecipe[2], 50.0f);
    }

    void searchAdoptsOnlyWhenStrictlyBetter()
    {
        // Two components, reference = component 2's curve exactly: the best recipe is 0/100.
        Fixture f(ProjectBuilder()
                      .densities({QStringLiteral("2,65"), QStringLiteral("2,65")})
                      .sizes({QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")})
                      .composition(1, {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")})
                      .composition(2, {QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")})
                      .manualReference({QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")}),
                  {10000, 0});
        MixProject &p = f.p;
        QCOMPARE(p.CurveDivergence, 30.0f);
        p.AutoCheck.setChecked(true);
        f.trial({50, 50});
        SearchRandom r;
        // p = 2, t(2) = 60 -> t(1) = 40: divergence 30 * 0.4 = 12 < 30: adopted.
        r.script({0.9f, 0.6f});
        QVERIFY(AutoSelectionStep(p, r));
        QCOMPARE(p.CorrectedRecipe[1], 40.0f);
        QCOMPARE(p.SBegunok[2].value(), 6000);
        QCOMPARE(p.CurveDivergence, 12.0f);
        QCOMPARE(p.ReferenceBandUpper[3], 52.0f);
        // The same trial again: equal divergence is not adopted.
        f.trial({40, 60});
        r.script({0.9f, 0.6f});
        QVERIFY(!AutoSelectionStep(p, r));
        // Outside the bounds: not adopted, the divergence is recomputed from the recipe kept.
        p.BoundsCheck.setChecked(true);
        p.VariationMax.set(2, 65);
        r.script({0.9f, 0.8f}); // t(2) = 80 would give 6
        QVERIFY(!AutoSelectionStep(p, r));
        QCOMPARE(p.CorrectedRecipe[2], 60.0f);
        QCOMPARE(p.CurveDivergence, 12.0f);
        p.VariationMax.set(2, 100);
        r.script({0.9f, 0.8f});
        QVERIFY(AutoSelectionStep(p, r));
        QCOMPARE(p.CurveDivergence, 6.0f);
    }

    // The search measures its trials in the data form of the project. Trial 50/50 of the
    // differential project: volume share 0,6 of component 1, full passings 94/66/32/0 against
    // the Fuller curve 100/50/25/12,5, divergence 16 (class 2) below the 20 of 40/60.
    void searchInTheDifferentialForm()
    {
        DifferentialFixture f;
        MixProject &p = f.p;
        QCOMPARE(p.CurveDivergence, 20.0f);
        f.trial({40, 60});
        SearchRandom r;
        r.script({0.2f, 0.5f});
        QVERIFY(AutoSelectionStep(p, r));
        QCOMPARE(p.TrialDivergence, 16.0f);
        QCOMPARE(p.CurveDivergence, 16.0f);
        QCOMPARE(p.CorrectedRecipe[1], 50.0f);
        QCOMPARE(f.sliders(2), (QList<int>{5000, 5000}));
        COMPARE_NEAR(p.CorrectedVolumeFraction[1], 60, 1e-4);
        const float curve[] = {94, 66, 32, 0}, upper[] = {116, 66, 41, 28.5f}, lower[] = {84, 34, 9, -3.5f};
        for (int j = 1; j <= 4; ++j) {
            COMPARE_NEAR(p.TrialMixCurve[j], curve[j - 1], 1e-4);
            COMPARE_NEAR(p.CorrectedMixCurve[j], curve[j - 1], 1e-4);
            COMPARE_NEAR(p.ReferenceBandUpper[j], upper[j - 1], 1e-4);
            COMPARE_NEAR(p.ReferenceBandLower[j], lower[j - 1], 1e-4);
        }
    }

    // A trial is adopted when its sum, rounded to 2 decimals, is at least 100 and its
    // divergence, rounded to 2 decimals, is strictly below the current one. The differential
    // project from 40/60 (divergence 20); the step changes component 1 to 100 x the second
    // number and rescales component 2 from its previous value.
    void searchAcceptance_data()
    {
        QTest::addColumn<QList<float>>("previous");
        QTest::addColumn<float>("second");
        QTest::addColumn<bool>("adopted");
        QTest::addColumn<float>("trialDivergence");
        QTest::addColumn<float>("divergence");
        // 50/50: share 0,6, deviations 6, 16, 7, 12,5.
        QTest::newRow("sum 100, lower") << QList<float>{40, 60} << 0.5f << true << 16.0f << 16.0f;
        // 50/40: share 20 / (20 + 10,667) = 0,6522, class 2 off by 40 x 0,3478 = 13,91.
        QTest::newRow("sum 90, lower") << QList<float>{50, 40} << 0.5f << false << 13.91f << 20.0f;
        // 50/49,99: sum 99,99; divergence 16,00 would be lower.
        QTest::newRow("sum 99,99, lower") << QList<float>{50, 49.99f} << 0.5f << false << 16.0f << 20.0f;
        // 50/49,996: sum 99,996, which rounds to 100,00.
        QTest::newRow("sum rounds to 100, lower") << QList<float>{50, 49.996f} << 0.5f << true << 16.0f << 16.0f;
        // 45/55: share 135/245, class 2 off by 40 x 110/245 = 17,959: adopted as 17,96.
        QTest::newRow("divergence rounded on adoption") << QList<float>{40, 60} << 0.45f << true << 17.96f << 17.96f;
        // 40,002/59,998: share 0,500021, class 2 off by 19,9992, which rounds to 20,00: not
        // strictly lower than 20.
        QTest::newRow("lower only before rounding") << QList<float>{40, 60} << 0.40002f << false << 20.0f << 20.0f;
    }
    void searchAcceptance()
    {
        QFETCH(QList<float>, previous);
        QFETCH(float, second);
        QFETCH(bool, adopted);
        QFETCH(float, trialDivergence);
        QFETCH(float, divergence);
        DifferentialFixture f;
        MixProject &p = f.p;
        f.trial(previous);
        SearchRandom r;
        r.script({0.2f, second});
        QCOMPARE(AutoSelectionStep(p, r), adopted);
        QCOMPARE(p.TrialDivergence, trialDivergence);
        QCOMPARE(p.CurveDivergence, divergence);
        QCOMPARE(p.CorrectedRecipe[1], adopted ? p.TrialRecipe[1] : 40.0f);
        QCOMPARE(p.SBegunok[1].value(), adopted ? int(std::floor(double(p.TrialRecipe[1]) * 100)) : 4000);
    }

    // With the bounds on, a fraction equal to its bound is within it. Trial 50/50 (divergence
    // 16 < 20).
    void searchBoundsAreInclusive_data()
    {
        QTest::addColumn<QList<float>>("bounds"); // min 1, max 1, min 2, max 2
        QTest::addColumn<bool>("adopted");
        QTest::newRow("both on a bound") << QList<float>{50, 100, 0, 50} << true;
        QTest::newRow("equal bounds") << QList<float>{50, 50, 50, 50} << true;
        QTest::newRow("1 below its minimum") << QList<float>{50.01f, 100, 0, 100} << false;
        QTest::newRow("2 above its maximum") << QList<float>{0, 100, 0, 49.99f} << false;
    }
    void searchBoundsAreInclusive()
    {
        QFETCH(QList<float>, bounds);
        QFETCH(bool, adopted);
        DifferentialFixture f;
        MixProject &p = f.p;
        p.BoundsCheck.setChecked(true);
        p.VariationMin.set(1, bounds[0]);
        p.VariationMax.set(1, bounds[1]);
        p.VariationMin.set(2, bounds[2]);
        p.VariationMax.set(2, bounds[3]);
        f.trial({40, 60});
        SearchRandom r;
        r.script({0.2f, 0.5f});
        QCOMPARE(AutoSelectionStep(p, r), adopted);
        QCOMPARE(p.CorrectedRecipe[1], adopted ? 50.0f : 40.0f);
        QCOMPARE(p.CurveDivergence, adopted ? 16.0f : 20.0f);
    }

    void searchNeedsTwoFreeComponents()
    {
        Fixture one(1);
        one.p.AutoCheck.setChecked(true);
        SearchRandom r;
        QVERIFY(!AutoSelectionStep(one.p, r));
        QCOMPARE(one.p.TrialRecipe[1], 0.0f);
        Fixture three(3, {2000, 3000, 5000});
        three.lock(1);
        three.lock(2);
        three.p.AutoCheck.setChecked(true);
        AutoSelectionStep(three.p, r);
        QCOMPARE(three.p.TrialRecipe[3], 0.0f);
    }

    // The walk adopts trials (the divergence falls) while the locked component keeps its
    // fraction in every trial and in the corrected recipe.
    void lockedComponentKeepsItsFraction()
    {
        Fixture f(threeCurves(), {2000, 3000, 5000});
        MixProject &p = f.p;
        const float start = p.CurveDivergence;
        QCOMPARE(start, 24.0f); // class 3: 2 + 12 + 40 = 54 against 30
        f.lock(2);
        RefreshCorrectionDisplay(p);
        p.AutoCheck.setChecked(true);
        f.trial({20, 30, 50});
        SearchRandom r(42);
        int adopted = 0;
        for (int step = 0; step < 2000; ++step) {
            RefreshCorrectionDisplay(p);
            adopted += AutoSelectionStep(p, r) ? 1 : 0;
            QCOMPARE(p.TrialRecipe[2], 30.0f);
            QCOMPARE(p.CorrectedRecipe[2], 30.0f);
        }
        QVERIFY2(adopted > 0, "no trial was adopted: the lock was never tested");
        QVERIFY2(p.CurveDivergence < start, qPrintable(QString::number(p.CurveDivergence)));
        QCOMPARE(p.SBegunok[2].value(), 3000);
    }

    // From the all-zero trial of the program's start the walk is refused as long as the sum of
    // its trial, rounded to 2 decimals, is below 100, even when its divergence is lower; it
    // recovers once the sum reaches 100.
    void startFromZeroTrial()
    {
        DifferentialFixture f;
        MixProject &p = f.p;
        SearchRandom r(3);
        int refusedForTheSum = 0, adopted = 0;
        for (int step = 0; step < 20000 && adopted < 3; ++step) {
            RefreshCorrectionDisplay(p);
            const float before = p.CurveDivergence;
            const bool took = AutoSelectionStep(p, r);
            const double sum = std::round(f.trialSum(2) * 100) / 100;
            if (took) {
                ++adopted;
                QVERIFY2(sum >= 100, qPrintable(QStringLiteral("step %1 adopted a trial of sum %2").arg(step).arg(sum)));
                QVERIFY(p.CurveDivergence < before);
            } else if (sum < 100 && p.TrialDivergence < before) {
                ++refusedForTheSum;
            }
            COMPARE_NEAR(double(p.CorrectedRecipe[1]) + p.CorrectedRecipe[2], 100, 0.05);
        }
        QVERIFY2(refusedForTheSum > 0, "no trial with a lower divergence had a sum below 100");
        QVERIFY2(adopted > 0, "the walk never recovered");
        QVERIFY(p.CurveDivergence < 20.0f);
    }
};

QTEST_GUILESS_MAIN(TestCorrection)
#include "tst_correction.moc"
