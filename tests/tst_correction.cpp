// The correction: the sliders with their locks and "-"/"+", the return to the base recipe, the
// steps of the automatic search, and the bounds dialog with its markers under the sliders.
#include "correction/AutoSelection.h"
#include "correction/Bounds.h"
#include "session/ProjectSession.h"
#include "widgets/BoundsDialog.h"
#include "widgets/CorrectionPage.h"
#include "widgets/Desktop.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>
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

// A session with a project typed in and its sliders set as the correction sets them from a
// recipe (no adjustment of the others).
struct Fixture
{
    ProjectSession s;
    explicit Fixture(const ProjectBuilder &project, const QList<int> &sliders = {})
    {
        QVERIFY(project.typeInto(s));
        setSliders(sliders);
    }
    explicit Fixture(int n, const QList<int> &sliders = {})
        : Fixture(equalDensities(n), sliders)
    {
    }
    void setSliders(const QList<int> &values)
    {
        if (values.isEmpty())
            return;
        // A fraction of v / 100 stands at slider v; the float nearest from below (33,33 is
        // stored as 33.3299980) would stand one position lower, so the next float up is taken.
        ComponentFloats recipe = s.numbers().correctedRecipe;
        for (int i = 0; i < values.size(); ++i) {
            float fraction = values[i] * 0.01f;
            if (std::floor(double(fraction) * 100.0) < values[i])
                fraction = std::nextafter(fraction, 200.0f);
            recipe.set(i + 1, fraction);
        }
        s.setCorrectedRecipe(recipe);
        QCOMPARE(sliders(int(values.size())), values);
    }
    void lock(int i)
    {
        s.setLocked(i, true);
        QVERIFY(s.correction().locked[size_t(i)]);
    }
    QList<int> sliders(int n) const
    {
        QList<int> v;
        for (int i = 1; i <= n; ++i)
            v << s.correction().slider[size_t(i)];
        return v;
    }
    const MixNumbers &x() const { return s.numbers(); }
};

// The differential project with its corrected recipe at the base recipe 40/60 (divergence 20)
// and the search on.
struct DifferentialFixture : Fixture
{
    DifferentialFixture()
        : Fixture(TestSupport::differentialProject())
    {
        s.resetToBase();
        s.setSearchOn(true);
        QVERIFY(s.correction().searchOn);
    }
};

// Single steps of the search on the state a session holds, with the trial set as earlier steps
// would have left it.
struct SearchBench
{
    ProjectDocument d;
    MixNumbers x;
    CorrectionState c;
    explicit SearchBench(const ProjectSession &s)
        : d(s.document())
        , x(s.numbers())
        , c(s.correction())
    {
        c.searchOn = true;
    }
    void trial(const QList<float> &values)
    {
        for (int i = 0; i < values.size(); ++i) {
            c.trialRecipe.set(i + 1, values[i]);
            c.previousTrial.set(i + 1, values[i]);
        }
    }
    bool step(SearchRandom &r) { return Search::step(d, x, c, r); }
};

// The window's desktop without its message boxes.
class QuietDesktop final : public Desktop
{
public:
    QString clipboardText() const override { return QString(); }
    void setClipboardText(const QString &) override {}
    bool askYesNo(QWidget *, const QString &, const QString &) override { return true; }
    void inform(QWidget *, const QString &, const QString &) override {}
    void warn(QWidget *, const QString &, const QString &) override {}
};

// A bound field typed over as the user does: everything selected, then the keys.
void typeInto(QLineEdit *field, const QString &keys)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, keys);
}

// The x of the centre of the thumb of a slider, in its parent's coordinates.
int thumbCentre(const QSlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    return slider->x() + handle.center().x();
}

// The centre of the columns of a colour in one row of an image; -1 when it is not there.
double columnsOf(const QImage &image, int y, QRgb colour)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return first < 0 ? -1 : (first + last) / 2.0;
}

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
        f.s.moveSlider(moved, value, true); // dragged
        QCOMPARE(f.sliders(int(start.size())), end);
        for (int i = 1; i <= start.size(); ++i)
            QCOMPARE(f.x().correctedRecipe[i], end[i - 1] * 0.01f);
        QCOMPARE(f.s.correctedSumText(), sum);
    }

    void plusButton()
    {
        Fixture f(2, {7000, 3000});
        f.s.stepSlider(2, 1);
        QCOMPARE(f.sliders(2), (QList<int>{6999, 3001}));
        // A press at the end of the scale is ignored.
        Fixture g(2, {10000, 0});
        g.s.stepSlider(1, 1);
        QCOMPARE(g.sliders(2), (QList<int>{10000, 0}));
        g.s.stepSlider(2, -1);
        QCOMPARE(g.sliders(2), (QList<int>{10000, 0}));
    }

    void lockedSliderIgnoresDragging()
    {
        Fixture f(3, {2000, 3000, 5000});
        f.lock(2);
        QVERIFY(!f.s.sliderEnabled(2)); // the slider and its "-"/"+"
        QVERIFY(f.s.componentControlsEnabled(2)); // the lock itself can be released
        f.s.moveSlider(2, 4000, true);
        QCOMPARE(f.sliders(3), (QList<int>{2000, 3000, 5000}));
        QVERIFY(f.s.correction().locked[2]);
        QCOMPARE(f.s.correction().lockedFraction[2], 30.0f);
    }

    // A locked slider shows its fraction x 100 rounded half to even.
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
        ComponentFloats recipe = f.x().correctedRecipe;
        recipe.set(1, fraction);
        f.s.setCorrectedRecipe(recipe);
        f.lock(1);
        QCOMPARE(f.s.correction().slider[1], slider);
        QCOMPARE(f.s.correction().lockedFraction[1], fraction);
        QCOMPARE(f.s.correction().slider[2], 5000); // a locked slider set by the lock moves no other
    }

    void automaticModeFreezesSliders()
    {
        Fixture f(TestSupport::differentialProject(), {5000, 5000});
        f.s.setSearchOn(true);
        QVERIFY(f.s.correction().searchOn);
        QVERIFY(!f.s.sliderEnabled(1));
        QVERIFY(!f.s.componentControlsEnabled(1));
        QVERIFY(!f.s.resetEnabled());
        // A slider that moves while the search runs adjusts no other.
        f.s.moveSlider(1, 8000);
        QCOMPARE(f.s.correction().slider[2], 5000);
        f.s.setSearchOn(false);
        QVERIFY(f.s.sliderEnabled(1));
        QVERIFY(f.s.resetEnabled());
    }

    void resetToBaseRecipe()
    {
        Fixture f(2, {7000, 3000});
        f.s.setCellText(InputTable::BaseRecipe, 1, 0, QStringLiteral("60"));
        f.s.setCellText(InputTable::BaseRecipe, 1, 1, QStringLiteral("40"));
        f.lock(1);
        f.s.resetToBase();
        QCOMPARE(f.sliders(2), (QList<int>{6000, 4000}));
        QVERIFY(!f.s.correction().locked[1]);
        QCOMPARE(f.x().correctedRecipe[1], 60.0f);
    }

    // Locked sliders adding up beyond 16 bits (36000) still leave no room to a free slider.
    void lockedTotalBeyond16Bits()
    {
        Fixture f(5);
        f.setSliders({9000, 9000, 9000, 9000, 0});
        for (int i = 1; i <= 4; ++i)
            f.lock(i);
        f.s.moveSlider(5, 5000, true);
        QCOMPARE(f.sliders(5), (QList<int>{9000, 9000, 9000, 9000, 0}));
        QCOMPARE(f.x().correctedRecipe[5], 0.0f);
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
        QCOMPARE(Bounds::pairWrong(lo, hi), wrong);
        Fixture f(3);
        BoundsDialog d(f.s);
        d.load();
        d.show();
        auto *lower2 = d.findChild<QLineEdit *>(QStringLiteral("lower2"));
        auto *upper2 = d.findChild<QLineEdit *>(QStringLiteral("upper2"));
        auto *lower4 = d.findChild<QLineEdit *>(QStringLiteral("lower4"));
        auto *lower7 = d.findChild<QLineEdit *>(QStringLiteral("lower7"));
        auto *apply = d.findChild<QPushButton *>(QStringLiteral("applyBounds"));
        QVERIFY(lower2 && upper2 && lower4 && lower7 && apply);
        QCOMPARE(lower2->text(), QStringLiteral("0"));
        QCOMPARE(upper2->text(), QStringLiteral("100"));
        QVERIFY(!lower4->isEnabled());
        lower7->setText(QStringLiteral("x")); // above N: not checked
        // The texts as they may stand in the fields (a comma cannot be typed, but the check
        // reads whatever stands there).
        lower2->setText(lo);
        upper2->setText(hi);
        QCOMPARE(d.pairMarked(2), wrong);
        QVERIFY(!d.pairMarked(7));
        QCOMPARE(apply->isEnabled(), !wrong);
        if (!wrong) {
            QTest::mouseClick(apply, Qt::LeftButton);
            QCOMPARE(f.s.correction().variationMin[2], float(int(lo.left(2).toInt())));
            QCOMPARE(Bounds::value(lo), float(int(lo.left(2).toInt())));
            QVERIFY(!d.isVisible());
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
    }

    void boundsCancelAndMarkers()
    {
        Fixture f(2);
        BoundsDialog d(f.s);
        d.load();
        d.show();
        auto *lower1 = d.findChild<QLineEdit *>(QStringLiteral("lower1"));
        auto *upper1 = d.findChild<QLineEdit *>(QStringLiteral("upper1"));
        auto *apply = d.findChild<QPushButton *>(QStringLiteral("applyBounds"));
        auto *cancel = d.findChild<QPushButton *>(QStringLiteral("cancelBounds"));
        QVERIFY(lower1 && upper1 && apply && cancel);
        typeInto(lower1, QStringLiteral("20"));
        QCOMPARE(lower1->text(), QStringLiteral("20"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(f.s.correction().variationMin[1], 0.0f);
        d.load();
        d.show();
        QCOMPARE(lower1->text(), QStringLiteral("0"));
        // Only digits go in.
        typeInto(lower1, QStringLiteral("2-a0"));
        typeInto(upper1, QStringLiteral("6x0"));
        QCOMPARE(lower1->text(), QStringLiteral("20"));
        QCOMPARE(upper1->text(), QStringLiteral("60"));
        QVERIFY(Bounds::keyAllowed(u'7'));
        QVERIFY(!Bounds::keyAllowed(u'-'));
        QVERIFY(!Bounds::keyAllowed(u'a'));
        QVERIFY(Bounds::keyAllowed(8));
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(f.s.correction().variationMin[1], 20.0f);
        QCOMPARE(f.s.correction().variationMax[1], 60.0f);

        // The markers: the lower bound in blue, the upper in red, under slider 1 where its thumb
        // stands at 20 % and at 60 %, while the bounds are on.
        QuietDesktop desktop;
        CorrectionPage page(f.s, desktop);
        QObject::connect(&f.s, &ProjectSession::changed, &page, &CorrectionPage::refresh);
        page.resize(950, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto *slider = page.findChild<QSlider *>(QStringLiteral("slider1"));
        QVERIFY(slider);
        QWidget *scale = slider->parentWidget();
        const int markerRow = slider->height(); // the markers' foot, just under the track
        auto markers = [&] { return scale->grab().toImage(); };
        QCOMPARE(columnsOf(markers(), markerRow, qRgb(0, 0, 200)), -1.0); // bounds off: no marker
        f.s.setBoundsOn(true);
        const QImage shown = markers();
        const double blue = columnsOf(shown, markerRow, qRgb(0, 0, 200));
        const double red = columnsOf(shown, markerRow, qRgb(200, 0, 0));
        f.s.moveSlider(1, 2000);
        QCOMPARE(slider->value(), 2000);
        COMPARE_NEAR(blue, thumbCentre(slider), 1);
        f.s.moveSlider(1, 6000);
        QCOMPARE(slider->value(), 6000);
        COMPARE_NEAR(red, thumbCentre(slider), 1);
    }

    // The worked step: trial 60/40, p = 1, second number 0.5 -> 50/50.
    void searchWorkedStep()
    {
        Fixture f(2);
        SearchBench b(f.s);
        b.trial({60, 40});
        SearchRandom r;
        r.script({0.2f, 0.5f});
        b.step(r);
        QCOMPARE(b.c.searchComponent, int16_t(1));
        QCOMPARE(b.c.trialRecipe[1], 50.0f);
        QCOMPARE(b.c.trialRecipe[2], 50.0f);
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
        QCOMPARE(f.x().curveDivergence, 30.0f);
        SearchBench b(f.s);
        b.trial({50, 50});
        SearchRandom r;
        // p = 2, t(2) = 60 -> t(1) = 40: divergence 30 * 0.4 = 12 < 30: adopted.
        r.script({0.9f, 0.6f});
        QVERIFY(b.step(r));
        QCOMPARE(b.x.correctedRecipe[1], 40.0f);
        QCOMPARE(b.c.slider[2], 6000);
        QCOMPARE(b.x.curveDivergence, 12.0f);
        QCOMPARE(b.x.referenceBandUpper[3], 52.0f);
        // The same trial again: equal divergence is not adopted.
        b.trial({40, 60});
        r.script({0.9f, 0.6f});
        QVERIFY(!b.step(r));
        // Outside the bounds: not adopted, the divergence is recomputed from the recipe kept.
        b.c.boundsOn = true;
        b.c.variationMax.set(2, 65);
        r.script({0.9f, 0.8f}); // t(2) = 80 would give 6
        QVERIFY(!b.step(r));
        QCOMPARE(b.x.correctedRecipe[2], 60.0f);
        QCOMPARE(b.x.curveDivergence, 12.0f);
        b.c.variationMax.set(2, 100);
        r.script({0.9f, 0.8f});
        QVERIFY(b.step(r));
        QCOMPARE(b.x.curveDivergence, 6.0f);
    }

    // The search measures its trials in the data form of the project. Trial 50/50 of the
    // differential project: volume share 0,6 of component 1, full passings 94/66/32/0 against
    // the Fuller curve 100/50/25/12,5, divergence 16 (class 2) below the 20 of 40/60.
    void searchInTheDifferentialForm()
    {
        DifferentialFixture f;
        QCOMPARE(f.x().curveDivergence, 20.0f);
        SearchBench b(f.s);
        b.trial({40, 60});
        SearchRandom r;
        r.script({0.2f, 0.5f});
        QVERIFY(b.step(r));
        QCOMPARE(b.c.trialDivergence, 16.0f);
        QCOMPARE(b.x.curveDivergence, 16.0f);
        QCOMPARE(b.x.correctedRecipe[1], 50.0f);
        QCOMPARE(b.c.slider[1], 5000);
        QCOMPARE(b.c.slider[2], 5000);
        COMPARE_NEAR(b.x.correctedVolumeFraction[1], 60, 1e-4);
        const float curve[] = {94, 66, 32, 0}, upper[] = {116, 66, 41, 28.5f}, lower[] = {84, 34, 9, -3.5f};
        for (int j = 1; j <= 4; ++j) {
            COMPARE_NEAR(b.c.trialMixCurve[j], curve[j - 1], 1e-4);
            COMPARE_NEAR(b.x.correctedMixCurve[j], curve[j - 1], 1e-4);
            COMPARE_NEAR(b.x.referenceBandUpper[j], upper[j - 1], 1e-4);
            COMPARE_NEAR(b.x.referenceBandLower[j], lower[j - 1], 1e-4);
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
        SearchBench b(f.s);
        b.trial(previous);
        SearchRandom r;
        r.script({0.2f, second});
        QCOMPARE(b.step(r), adopted);
        QCOMPARE(b.c.trialDivergence, trialDivergence);
        QCOMPARE(b.x.curveDivergence, divergence);
        QCOMPARE(b.x.correctedRecipe[1], adopted ? b.c.trialRecipe[1] : 40.0f);
        QCOMPARE(b.c.slider[1], adopted ? int(std::floor(double(b.c.trialRecipe[1]) * 100)) : 4000);
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
        f.s.setBoundsOn(true);
        ComponentFloats lower, upper;
        lower.set(1, bounds[0]);
        upper.set(1, bounds[1]);
        lower.set(2, bounds[2]);
        upper.set(2, bounds[3]);
        f.s.setBounds(lower, upper);
        SearchBench b(f.s);
        b.trial({40, 60});
        SearchRandom r;
        r.script({0.2f, 0.5f});
        QCOMPARE(b.step(r), adopted);
        QCOMPARE(b.x.correctedRecipe[1], adopted ? 50.0f : 40.0f);
        QCOMPARE(b.x.curveDivergence, adopted ? 16.0f : 20.0f);
    }

    void searchNeedsTwoFreeComponents()
    {
        Fixture one(1);
        SearchBench b1(one.s);
        SearchRandom r;
        QVERIFY(!b1.step(r));
        QCOMPARE(b1.c.trialRecipe[1], 0.0f);
        Fixture three(3, {2000, 3000, 5000});
        three.lock(1);
        three.lock(2);
        SearchBench b3(three.s);
        b3.step(r);
        QCOMPARE(b3.c.trialRecipe[3], 0.0f);
    }

    // The walk adopts trials (the divergence falls) while the locked component keeps its
    // fraction in every trial and in the corrected recipe. The session's search starts from
    // the all-zero trial of a new session.
    void lockedComponentKeepsItsFraction()
    {
        Fixture f(threeCurves(), {2000, 3000, 5000});
        const float start = f.x().curveDivergence;
        QCOMPARE(start, 24.0f); // class 3: 2 + 12 + 40 = 54 against 30
        f.lock(2);
        f.s.setSearchOn(true);
        QVERIFY(f.s.correction().searchOn);
        f.s.searchRandom().seed(42);
        int adopted = 0;
        for (int step = 0; step < 2000; ++step) {
            adopted += f.s.runSearch(1);
            QCOMPARE(f.s.correction().trialRecipe[2], 30.0f);
            QCOMPARE(f.x().correctedRecipe[2], 30.0f);
        }
        QVERIFY2(adopted > 0, "no trial was adopted: the lock was never tested");
        QVERIFY2(f.x().curveDivergence < start, qPrintable(QString::number(f.x().curveDivergence)));
        QCOMPARE(f.s.correction().slider[2], 3000);
    }

    // From the all-zero trial of the program's start the walk is refused as long as the sum of
    // its trial, rounded to 2 decimals, is below 100, even when its divergence is lower; it
    // recovers once the sum reaches 100.
    void startFromZeroTrial()
    {
        DifferentialFixture f;
        f.s.searchRandom().seed(3);
        const CorrectionState &c = f.s.correction();
        int refusedForTheSum = 0, adopted = 0;
        for (int step = 0; step < 20000 && adopted < 3; ++step) {
            const float before = f.x().curveDivergence;
            const bool took = f.s.runSearch(1) > 0;
            const double sum = std::round((double(c.trialRecipe[1]) + double(c.trialRecipe[2])) * 100) / 100;
            if (took) {
                ++adopted;
                QVERIFY2(sum >= 100, qPrintable(QStringLiteral("step %1 adopted a trial of sum %2").arg(step).arg(sum)));
                QVERIFY(f.x().curveDivergence < before);
            } else if (sum < 100 && c.trialDivergence < before) {
                ++refusedForTheSum;
            }
            COMPARE_NEAR(double(f.x().correctedRecipe[1]) + f.x().correctedRecipe[2], 100, 0.05);
        }
        QVERIFY2(refusedForTheSum > 0, "no trial with a lower divergence had a sum below 100");
        QVERIFY2(adopted > 0, "the walk never recovered");
        QVERIFY(f.x().curveDivergence < 20.0f);
    }
};

QTEST_MAIN(TestCorrection)
#include "tst_correction.moc"
