#include "core/Handlers.h"
#include "core/Recalculate.h"
#include "correction/AutoSelection.h"
#include "correction/BoundsDialog.h"
#include "correction/ManualCorrection.h"

#include <QTest>

namespace {

// A project of n components with equal densities, sliders set without adjustment.
struct Fixture
{
    MixProject p;
    explicit Fixture(int n, const QList<int> &sliders = {})
    {
        ConnectInputHandlers(p);
        ConnectCorrectionHandlers(p);
        p.startUp();
        p.N.setText(QString::number(n));
        p.K.setText(QStringLiteral("3"));
        for (int i = 0; i < n; ++i)
            p.setCellText(p.tabl[2], 1, i, QStringLiteral("2,65"));
        Recalculate(p);
        setSliders(sliders);
    }
    void setSliders(const QList<int> &values)
    {
        p.SliderMouseChangeStatus.setText(QStringLiteral("1"));
        for (int i = 0; i < values.size(); ++i) {
            p.SBegunok[i + 1].setValue(values[i]);
            p.CorrectedRecipe.set(i + 1, values[i] * 0.01f);
        }
        p.SliderMouseChangeStatus.setText(QStringLiteral("0"));
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
        QTest::newRow("70/30") << QList<int>{5000, 5000} << 0 << 1 << 7000 << QList<int>{7000, 3000};
        QTest::newRow("6000 -> 2400/1600") << QList<int>{5000, 3000, 2000} << 0 << 1 << 6000 << QList<int>{6000, 2400, 1600};
        QTest::newRow("residue to slider 2") << QList<int>{3334, 3333, 3333} << 0 << 1 << 3335 << QList<int>{3335, 3333, 3332};
        QTest::newRow("locked clamp") << QList<int>{2000, 3000, 5000} << 2 << 1 << 9000 << QList<int>{7000, 3000, 0};
        QTest::newRow("O = 0") << QList<int>{10000, 0, 0} << 0 << 1 << 4000 << QList<int>{4000, 3000, 3000};
    }
    void sliderAdjustment()
    {
        QFETCH(QList<int>, start);
        QFETCH(int, locked);
        QFETCH(int, moved);
        QFETCH(int, value);
        QFETCH(QList<int>, end);
        Fixture f(int(start.size()), start);
        if (locked)
            f.lock(locked);
        f.p.SBegunok[moved].userScroll(value);
        QCOMPARE(f.sliders(int(start.size())), end);
        double sum = 0;
        for (int i = 1; i <= start.size(); ++i) {
            QCOMPARE(f.p.CorrectedRecipe[i], end[i - 1] * 0.01f);
            sum += f.p.CorrectedRecipe[i];
        }
        RefreshCorrectionDisplay(f.p);
        QCOMPARE(f.p.summa.text(), QStringLiteral("100"));
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
        f.p.TrialRecipe.set(1, 60);
        f.p.TrialRecipe.set(2, 40);
        f.p.PreviousTrial.set(1, 60);
        f.p.PreviousTrial.set(2, 40);
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
        Fixture f(2, {10000, 0});
        MixProject &p = f.p;
        const QStringList sizes{QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")};
        const QStringList a1{QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")};
        const QStringList a2{QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("40")};
        for (int j = 1; j <= 3; ++j) {
            p.setCellText(p.tabl[3], j, 0, sizes[j - 1]);
            p.setCellText(p.tabl[3], j, 1, a1[j - 1]);
            p.setCellText(p.tabl[3], j, 2, a2[j - 1]);
        }
        p.selectReference(ReferenceKind::ManualReference);
        for (int j = 1; j <= 3; ++j)
            p.setCellText(p.tabl[5], 1, j, a2[j - 1]);
        Recalculate(p);
        QCOMPARE(p.CurveDivergence, 30.0f);
        p.AutoCheck.setChecked(true);
        p.TrialRecipe.set(1, 50);
        p.TrialRecipe.set(2, 50);
        p.PreviousTrial.set(1, 50);
        p.PreviousTrial.set(2, 50);
        SearchRandom r;
        // p = 2, t(2) = 60 -> t(1) = 40: divergence 30 * 0.4 = 12 < 30: adopted.
        r.script({0.9f, 0.6f});
        QVERIFY(AutoSelectionStep(p, r));
        QCOMPARE(p.CorrectedRecipe[1], 40.0f);
        QCOMPARE(p.SBegunok[2].value(), 6000);
        QCOMPARE(p.CurveDivergence, 12.0f);
        QCOMPARE(p.ReferenceBandUpper[3], 52.0f);
        // The same trial again: equal divergence is not adopted.
        p.PreviousTrial.set(1, 40);
        p.PreviousTrial.set(2, 60);
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

    void lockedComponentKeepsItsFraction()
    {
        Fixture f(3, {2000, 3000, 5000});
        f.lock(2);
        RefreshCorrectionDisplay(f.p);
        f.p.AutoCheck.setChecked(true);
        SearchRandom r(42);
        for (int step = 0; step < 2000; ++step) {
            RefreshCorrectionDisplay(f.p);
            AutoSelectionStep(f.p, r);
            QCOMPARE(f.p.TrialRecipe[2], 30.0f);
            QCOMPARE(f.p.CorrectedRecipe[2], 30.0f);
        }
    }

    // From an all-zero trial the walk never adopts a trial whose sum is below 100.
    void startFromZeroTrial()
    {
        Fixture f(3, {3000, 3000, 4000});
        f.p.AutoCheck.setChecked(true);
        SearchRandom r(3);
        for (int step = 0; step < 50; ++step) {
            RefreshCorrectionDisplay(f.p);
            AutoSelectionStep(f.p, r);
            double sum = 0;
            for (int i = 1; i <= 3; ++i)
                sum += f.p.CorrectedRecipe[i];
            QVERIFY(std::fabs(sum - 100.0) < 0.05);
        }
    }
};

QTEST_GUILESS_MAIN(TestCorrection)
#include "tst_correction.moc"
