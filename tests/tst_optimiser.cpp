// The blend optimiser: the lowest cost, the divergence at most D, the grading envelope, at most m
// components, the cost-divergence front, and the constraints named when no recipe exists.
// Expected values are worked out on paper; the brute-force check compares the optimum with the
// best recipe of a fine grid, computed here from the raw numbers of the case, and palvex-cli finds
// the same recipe from the saved project.
#include "correction/Optimum.h"
#include "session/ProjectSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/Compare.h"
#include "support/ProjectBuilder.h"

#include <cmath>

using TestSupport::ProjectBuilder;

namespace {

using Mass = std::array<double, MaxComponents + 1>;

// A project in plain numbers: full passings at the classes (integral) or partial residues
// (differential), densities, prices, a manual reference and an envelope ("" for no limit).
struct Case
{
    QList<QStringList> values; // per component, per class
    QStringList densities;
    QStringList prices;
    QStringList reference;
    QStringList lower;
    QStringList upper;
    bool differential = false;

    int n() const { return int(values.size()); }
    int k() const { return int(reference.size()); }
    double number(const QString &text) const { return QString(text).replace(u',', u'.').toDouble(); }
    // Component i's full passing at class j.
    double passing(int j, int i) const
    {
        if (!differential)
            return number(values[i - 1][j - 1]);
        double residue = 0;
        for (int c = 1; c <= j; ++c)
            residue += number(values[i - 1][c - 1]);
        return 100.0 - residue;
    }
    std::optional<double> limit(const QStringList &row, int j) const
    {
        const QString text = row.value(j - 1);
        return text.isEmpty() ? std::nullopt : std::optional<double>(number(text));
    }
};

Case lightAndHeavy()
{
    // A cheap fine component and a dear coarse one of different densities.
    Case c;
    c.values = {{QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("30")},
                {QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("10")}};
    c.densities = {QStringLiteral("2"), QStringLiteral("3")};
    c.prices = {QStringLiteral("100"), QStringLiteral("500")};
    c.reference = {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("25")};
    return c;
}

Case cheapAndDear()
{
    // Equal densities; the divergence of a volume share a of component 1 is |40a - 10|.
    Case c;
    c.values = {{QStringLiteral("100"), QStringLiteral("90"), QStringLiteral("50")},
                {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")}};
    c.densities = {QStringLiteral("2,65"), QStringLiteral("2,65")};
    c.prices = {QStringLiteral("100"), QStringLiteral("300")};
    c.reference = {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("20")};
    return c;
}

Case threeSands()
{
    // Alone, the components diverge by 10, 5 and 20 points; blended they reach the reference.
    Case c;
    c.values = {{QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("40")},
                {QStringLiteral("100"), QStringLiteral("55"), QStringLiteral("25")},
                {QStringLiteral("100"), QStringLiteral("40"), QStringLiteral("20")}};
    c.densities = {QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")};
    c.prices = {QStringLiteral("400"), QStringLiteral("250"), QStringLiteral("90")};
    c.reference = {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("30")};
    return c;
}

Case fourClasses()
{
    Case c;
    c.values = {{QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("40"), QStringLiteral("15")},
                {QStringLiteral("100"), QStringLiteral("55"), QStringLiteral("25"), QStringLiteral("5")},
                {QStringLiteral("100"), QStringLiteral("40"), QStringLiteral("20"), QStringLiteral("12")}};
    c.densities = {QStringLiteral("2,65"), QStringLiteral("2,7"), QStringLiteral("3,1")};
    c.prices = {QStringLiteral("120"), QStringLiteral("300"), QStringLiteral("800")};
    c.reference = {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("30"), QStringLiteral("10")};
    return c;
}

Case residues()
{
    Case c;
    c.differential = true;
    c.values = {{QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("30")},
                {QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("25"), QStringLiteral("70")},
                {QStringLiteral("10"), QStringLiteral("40"), QStringLiteral("40"), QStringLiteral("10")}};
    c.densities = {QStringLiteral("2,5"), QStringLiteral("3,75"), QStringLiteral("3")};
    c.prices = {QStringLiteral("200"), QStringLiteral("150"), QStringLiteral("90")};
    c.reference = {QStringLiteral("100"), QStringLiteral("75"), QStringLiteral("35"), QStringLiteral("0")};
    return c;
}

// The settings of a solve, besides the prices and the envelope of the case.
struct Constraints
{
    Objective objective = Objective::Divergence;
    QString maxDivergence; // empty: no cap
    int maxComponents = 0; // 0: no cap
    bool envelope = true;
    QList<int> locked;     // locked at the base recipe
    QList<std::pair<float, float>> bounds; // per component while given
};

// A session holding the case, with its recipe at the base recipe (equal shares).
struct Fixture
{
    ProjectSession s;
    Case c;
    explicit Fixture(const Case &theCase, const Constraints &limits = {})
        : c(theCase)
    {
        QStringList sizes, base;
        for (int j = 1; j <= c.k(); ++j)
            sizes << QString::number(std::pow(10.0, 2 - j)).replace(u'.', u',');
        ProjectBuilder p;
        p.densities(c.densities).sizes(sizes).manualReference(c.reference);
        if (c.differential)
            p.differential();
        for (int i = 1; i <= c.n(); ++i) {
            p.composition(i, c.values[i - 1]);
            base << (i < c.n() ? QString::number(100 / c.n()) : QString::number(100 - (c.n() - 1) * (100 / c.n())));
        }
        p.baseRecipe(base);
        QVERIFY(p.typeInto(s));
        for (int i = 0; i < c.prices.size(); ++i)
            s.setCellText(InputTable::Prices, 1, i, c.prices[i]);
        for (int j = 0; j < c.lower.size(); ++j)
            s.setCellText(InputTable::Envelope, 1, j + 1, c.lower[j]);
        for (int j = 0; j < c.upper.size(); ++j)
            s.setCellText(InputTable::Envelope, 2, j + 1, c.upper[j]);
        s.resetToBase();
        QVERIFY(s.validation().tablesValid());
        s.setObjective(limits.objective);
        s.setDivergenceCapOn(!limits.maxDivergence.isEmpty());
        s.setMaxDivergenceText(limits.maxDivergence);
        s.setComponentCapOn(limits.maxComponents > 0);
        s.setMaxComponents(limits.maxComponents > 0 ? limits.maxComponents : MaxComponents);
        s.setWithinEnvelope(limits.envelope);
        for (const int i : limits.locked)
            s.setLocked(i, true);
        if (!limits.bounds.isEmpty()) {
            ComponentFloats lo, hi;
            for (int i = 1; i <= limits.bounds.size(); ++i) {
                lo.set(i, limits.bounds[i - 1].first);
                hi.set(i, limits.bounds[i - 1].second);
            }
            s.setBounds(lo, hi);
            s.setBoundsOn(true);
        }
    }
    OptimumResult solve() const { return Optimum::solve(s.document(), s.numbers(), s.correction()); }
};

// The case in plain numbers, read once.
struct Plain
{
    int n = 0, k = 0;
    double passing[MaxClasses + 1][MaxComponents + 1] = {};
    double density[MaxComponents + 1] = {};
    double price[MaxComponents + 1] = {};
    double reference[MaxClasses + 1] = {};
    std::optional<double> lower[MaxClasses + 1], upper[MaxClasses + 1];
    explicit Plain(const Case &c)
        : n(c.n())
        , k(c.k())
    {
        for (int i = 1; i <= n; ++i) {
            density[i] = c.number(c.densities[i - 1]);
            price[i] = c.number(c.prices.value(i - 1));
            for (int j = 1; j <= k; ++j)
                passing[j][i] = c.passing(j, i);
        }
        for (int j = 1; j <= k; ++j) {
            reference[j] = c.number(c.reference[j - 1]);
            lower[j] = c.limit(c.lower, j);
            upper[j] = c.limit(c.upper, j);
        }
    }
};

// The curve of a recipe at class j, from the case's own numbers.
double mixAt(const Plain &c, const Mass &mass, int j)
{
    double volume = 0, mix = 0;
    for (int i = 1; i <= c.n; ++i)
        volume += mass[size_t(i)] / c.density[i];
    for (int i = 1; i <= c.n; ++i)
        mix += c.passing[j][i] * (mass[size_t(i)] / c.density[i]) / volume;
    return mix;
}

double divergenceOf(const Plain &c, const Mass &mass)
{
    double t = 0;
    for (int j = 1; j <= c.k; ++j)
        t = std::max(t, std::fabs(c.reference[j] - mixAt(c, mass, j)));
    return t;
}

double costOf(const Plain &c, const Mass &mass)
{
    double cost = 0;
    for (int i = 1; i <= c.n; ++i)
        cost += mass[size_t(i)] * c.price[i] / 100.0;
    return cost;
}

// Whether a recipe honours the constraints, each within `tolerance`.
bool admissible(const Plain &c, const Constraints &l, double maxDivergence, const Mass &mass, const Mass &base, double tolerance)
{
    if (!l.maxDivergence.isEmpty() && divergenceOf(c, mass) > maxDivergence + tolerance)
        return false;
    int used = 0;
    for (int i = 1; i <= c.n; ++i)
        used += mass[size_t(i)] > tolerance ? 1 : 0;
    if (l.maxComponents > 0 && used > l.maxComponents)
        return false;
    for (int j = 1; l.envelope && j <= c.k; ++j) {
        const double mix = mixAt(c, mass, j);
        if ((c.lower[j] && mix < *c.lower[j] - tolerance) || (c.upper[j] && mix > *c.upper[j] + tolerance))
            return false;
    }
    for (const int i : l.locked)
        if (std::fabs(mass[size_t(i)] - base[size_t(i)]) > tolerance)
            return false;
    for (int i = 1; i <= l.bounds.size(); ++i)
        if (!l.locked.contains(i) && (mass[size_t(i)] < l.bounds[i - 1].first - tolerance || mass[size_t(i)] > l.bounds[i - 1].second + tolerance))
            return false;
    return true;
}

double aimOf(const Plain &c, const Constraints &l, const Mass &mass)
{
    return l.objective == Objective::Cost ? costOf(c, mass) : divergenceOf(c, mass);
}

// The best admissible recipe of a grid of mass fractions in steps of 0,1 %; nothing when no grid
// recipe is admissible.
std::optional<double> gridBest(const Plain &c, const Constraints &l, double maxDivergence, const Mass &base)
{
    constexpr int Steps = 1000;
    std::optional<double> best;
    Mass mass{};
    auto consider = [&] {
        if (admissible(c, l, maxDivergence, mass, base, 1e-9)) {
            const double aim = aimOf(c, l, mass);
            if (!best || aim < *best)
                best = aim;
        }
    };
    if (c.n == 2) {
        for (int a = 0; a <= Steps; ++a) {
            mass[1] = 100.0 * a / Steps;
            mass[2] = 100.0 - mass[1];
            consider();
        }
    } else {
        for (int a = 0; a <= Steps; ++a) {
            for (int b = 0; a + b <= Steps; ++b) {
                mass[1] = 100.0 * a / Steps;
                mass[2] = 100.0 * b / Steps;
                mass[3] = 100.0 * (Steps - a - b) / Steps;
                consider();
            }
        }
    }
    return best;
}

} // namespace

Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(Constraints)

class TestOptimiser final : public QObject
{
    Q_OBJECT

private slots:
    // The cheap component passes 80 % at the middle size, the dear one 20 %: an upper limit of
    // 50 % there holds the cheap one's volume share at 0,5. With densities 2 and 3 that is the
    // mass share 0,5 * 2 / (0,5 * 2 + 0,5 * 3) = 40 %, and a tonne costs 0,4 * 100 + 0,6 * 500 = 340.
    // The curve 100 / 50 / 20 against 100 / 60 / 25 diverges by 10.
    void cheaperComponentBoundedByTheEnvelope()
    {
        Case c = lightAndHeavy();
        c.upper = {QString(), QStringLiteral("50"), QString()};
        Constraints l;
        l.objective = Objective::Cost;
        Fixture f(c, l);
        const OptimumResult r = f.solve();
        QVERIFY2(r.feasible, qPrintable(r.message));
        COMPARE_NEAR(r.mass[1], 40.0, 1e-6);
        COMPARE_NEAR(r.mass[2], 60.0, 1e-6);
        QVERIFY(r.cost);
        COMPARE_NEAR(*r.cost, 340.0, 1e-6);
        COMPARE_NEAR(r.divergence, 10.0, 1e-6);
        QCOMPARE(r.componentsUsed, 2);
        QCOMPARE(r.insideEnvelope, std::optional<bool>(true));
        // Adopted: the corrected recipe, its curve on the limit, the note and the cost shown.
        QVERIFY(f.s.findBestRecipe().feasible);
        COMPARE_NEAR(f.s.numbers().correctedRecipe[1], 40.0, 1e-4);
        COMPARE_NEAR(f.s.numbers().correctedMixCurve[2], 50.0, 1e-4);
        QCOMPARE(f.s.optimumNote(), QStringLiteral("Наименьшая стоимость: 340 руб./т"));
        QCOMPARE(f.s.optimumDetails(), QStringLiteral("Расхождение: 10 %; компонентов в составе: 2 из 2"));
        QCOMPARE(f.s.correctedCostText(), QStringLiteral("340"));
        QVERIFY(f.s.envelopeDepartureLine(true).isEmpty());
        // Without the envelope the cheap component alone is cheapest: 100, divergence 20.
        f.s.setWithinEnvelope(false);
        QVERIFY(f.s.optimumNote().isEmpty()); // the settings it was found for have changed
        const OptimumResult free = f.solve();
        COMPARE_NEAR(free.mass[1], 100.0, 1e-6);
        COMPARE_NEAR(*free.cost, 100.0, 1e-6);
        COMPARE_NEAR(free.divergence, 20.0, 1e-6);
        QCOMPARE(free.componentsUsed, 1);
        QCOMPARE(free.insideEnvelope, std::optional<bool>(false));
    }

    // A tonne is priced by mass, not by volume. Held at 50 % passing at the middle size, the
    // recipes run from the middle component alone (220 a tonne) to equal volumes of the light
    // and the heavy one: masses 1,5 : 4,5, so 25 % at 100 and 75 % at 300, 250 a tonne (by
    // volume it would seem 200). Every recipe meets the reference; the cheapest is the middle one.
    void costIsPerTonne()
    {
        Case c;
        c.values = {{QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("0")},
                    {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("0")},
                    {QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("0")}};
        c.densities = {QStringLiteral("1,5"), QStringLiteral("3"), QStringLiteral("4,5")};
        c.prices = {QStringLiteral("100"), QStringLiteral("220"), QStringLiteral("300")};
        c.reference = {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("0")};
        c.lower = {QString(), QStringLiteral("50"), QString()};
        c.upper = {QString(), QStringLiteral("50"), QString()};
        Constraints l;
        l.objective = Objective::Cost;
        Fixture f(c, l);
        const OptimumResult r = f.solve();
        QVERIFY2(r.feasible, qPrintable(r.message));
        COMPARE_NEAR(r.mass[2], 100.0, 1e-6);
        COMPARE_NEAR(*r.cost, 220.0, 1e-6);
        COMPARE_NEAR(r.divergence, 0.0, 1e-6);
        // With the middle one dearer than 250, the other end.
        f.s.setCellText(InputTable::Prices, 1, 1, QStringLiteral("260"));
        const OptimumResult other = f.solve();
        COMPARE_NEAR(other.mass[1], 25.0, 1e-5);
        COMPARE_NEAR(other.mass[3], 75.0, 1e-5);
        COMPARE_NEAR(*other.cost, 250.0, 1e-4);
    }

    // Alone the three components diverge by 10, 5 and 20 points: at most one component leaves
    // the second, 100 %. Blended, a third of the first and two thirds of the second reach the
    // reference exactly.
    void oneComponentForcesTheBestSingle()
    {
        Constraints l;
        l.maxComponents = 1;
        Fixture f(threeSands(), l);
        const OptimumResult r = f.solve();
        QVERIFY2(r.feasible, qPrintable(r.message));
        COMPARE_NEAR(r.mass[2], 100.0, 1e-6);
        QCOMPARE(r.mass[1], 0.0);
        QCOMPARE(r.mass[3], 0.0);
        COMPARE_NEAR(r.divergence, 5.0, 1e-6);
        QCOMPARE(r.componentsUsed, 1);
        f.s.setComponentCapOn(false);
        const OptimumResult blend = f.solve();
        COMPARE_NEAR(blend.divergence, 0.0, 1e-6);
        COMPARE_NEAR(blend.mass[1], 100.0 / 3, 1e-6);
        COMPARE_NEAR(blend.mass[2], 200.0 / 3, 1e-6);
        // Within 15 points a single component is the first (10, at 400) or the second (5, at
        // 250); the third (90) diverges by 20.
        f.s.setObjective(Objective::Cost);
        f.s.setComponentCapOn(true);
        f.s.setDivergenceCapOn(true);
        f.s.setMaxDivergenceText(QStringLiteral("15"));
        const OptimumResult cheap = f.solve();
        COMPARE_NEAR(cheap.mass[2], 100.0, 1e-6);
        COMPARE_NEAR(*cheap.cost, 250.0, 1e-6);
    }

    // A volume share a of the cheap component diverges by |40a - 10| and costs 300 - 200a: within
    // D = 5 the cheapest is a = 0,375 at 225; the closest is a = 0,25 at divergence 0 (cost 250).
    void cheapestWithinADivergence()
    {
        Constraints l;
        l.objective = Objective::Cost;
        l.maxDivergence = QStringLiteral("5");
        Fixture f(cheapAndDear(), l);
        OptimumResult r = f.solve();
        QVERIFY2(r.feasible, qPrintable(r.message));
        COMPARE_NEAR(r.mass[1], 37.5, 1e-6);
        COMPARE_NEAR(*r.cost, 225.0, 1e-6);
        COMPARE_NEAR(r.divergence, 5.0, 1e-6);
        f.s.setObjective(Objective::Divergence);
        r = f.solve();
        COMPARE_NEAR(r.mass[1], 25.0, 1e-6);
        COMPARE_NEAR(r.divergence, 0.0, 1e-6);
        COMPARE_NEAR(*r.cost, 250.0, 1e-6);
        QVERIFY(f.s.findBestRecipe().feasible);
        QCOMPARE(f.s.optimumNote(), QStringLiteral("Минимально возможное расхождение: 0 %"));
        QCOMPARE(f.s.optimumDetails(), QStringLiteral("Стоимость: 250 руб./т; компонентов в составе: 2 из 2"));
    }

    // Of recipes equally close, the cheapest; of recipes equally cheap, the closest. Both
    // components pass 100 % at class 2, where the reference is 50: every recipe diverges by 50,
    // and the cheapest of them is the first component alone. With equal prices every recipe of
    // cheapAndDear costs the same: the closest of them is a = 0,25 at divergence 0.
    void tiesGoToTheOtherAim()
    {
        Case c;
        c.values = {{QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("40")},
                    {QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("0")}};
        c.densities = {QStringLiteral("2,65"), QStringLiteral("2,65")};
        c.prices = {QStringLiteral("100"), QStringLiteral("300")};
        c.reference = {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("20")};
        Fixture flat(c);
        OptimumResult r = flat.solve();
        COMPARE_NEAR(r.divergence, 50.0, 1e-6);
        COMPARE_NEAR(r.mass[1], 100.0, 1e-6);

        Case same = cheapAndDear();
        same.prices = {QStringLiteral("200"), QStringLiteral("200")};
        Constraints cost;
        cost.objective = Objective::Cost;
        Fixture f(same, cost);
        r = f.solve();
        COMPARE_NEAR(*r.cost, 200.0, 1e-6);
        COMPARE_NEAR(r.divergence, 0.0, 1e-6);
        COMPARE_NEAR(r.mass[1], 25.0, 1e-4);
    }

    // The front of cheapAndDear: from divergence 0 (a = 0,25, cost 250) to the divergence 30 of
    // the cheap component alone (cost 100), cost 250 - 5 D in between.
    void theFrontIsExact()
    {
        Fixture f(cheapAndDear());
        const CostFront front = Optimum::costFront(f.s.document(), f.s.numbers(), f.s.correction(), 20);
        QVERIFY2(front.feasible, qPrintable(front.message));
        QCOMPARE(front.points.size(), 20);
        for (int p = 0; p < 20; ++p) {
            const double d = 30.0 * p / 19;
            COMPARE_NEAR(front.points[p].divergence, d, 1e-5);
            COMPARE_NEAR(front.points[p].cost, 250.0 - 5.0 * d, 1e-4);
            COMPARE_NEAR(front.points[p].mass[1], 25.0 + 2.5 * d, 1e-4);
        }
        // From the session: kept, adopted by a point, and gone once the prices change.
        QCOMPARE(f.s.findCostFront().points.size(), 20);
        QCOMPARE(f.s.costFront().points.size(), 20);
        QVERIFY(f.s.adoptFrontPoint(19));
        COMPARE_NEAR(f.s.numbers().correctedRecipe[1], 100.0, 1e-4);
        QCOMPARE(f.s.adoptedFrontPoint(), std::optional<int>(19));
        QCOMPARE(f.s.optimumNote(), QStringLiteral("Точка фронта: расхождение 30 %, стоимость 100 руб./т"));
        QVERIFY(f.s.adoptFrontPoint(0));
        COMPARE_NEAR(f.s.numbers().curveDivergence, 0.0, 1e-4);
        QCOMPARE(f.s.costFront().points.size(), 20); // adopting a point keeps the front
        f.s.setCellText(InputTable::Prices, 1, 0, QStringLiteral("110"));
        QVERIFY(f.s.costFront().points.isEmpty());
        QVERIFY(f.s.optimumNote().isEmpty());
        QVERIFY(!f.s.adoptFrontPoint(0));
    }

    // What is found and where it is compared, constraint by constraint: the exact optimum is
    // admissible, no recipe of a 0,1 % grid is better, and the best grid recipe comes within the
    // grid's reach of it.
    void matchesAFineGrid_data()
    {
        QTest::addColumn<Case>("theCase");
        QTest::addColumn<Constraints>("limits");
        auto add = [](const char *name, const Case &c, const Constraints &l) { QTest::newRow(name) << c << l; };
        auto with = [](Case c, QStringList lower, QStringList upper) {
            c.lower = lower;
            c.upper = upper;
            return c;
        };
        Constraints divergence, cost;
        cost.objective = Objective::Cost;
        auto cap = [](Constraints l, const char *d, int m = 0) {
            l.maxDivergence = QString::fromLatin1(d);
            l.maxComponents = m;
            return l;
        };
        const QString none;
        const Case four = with(fourClasses(), {none, QStringLiteral("55"), none, none}, {none, QStringLiteral("64"), QStringLiteral("34"), none});
        const Case diff = with(residues(), {none, QStringLiteral("70"), none, none}, {none, none, QStringLiteral("40"), none});
        const Case light = with(lightAndHeavy(), {none, none, QStringLiteral("16")}, {none, QStringLiteral("60"), none});
        for (const auto &[name, c] : {std::pair<const char *, Case>{"four classes", four}, {"residues", diff}, {"light and heavy", light}}) {
            const QByteArray n(name);
            Constraints noEnvelope = divergence;
            noEnvelope.envelope = false;
            add(n + ": divergence", c, noEnvelope);
            add(n + ": divergence, envelope", c, divergence);
            add(n + ": divergence, one component", c, cap(noEnvelope, "", 1));
            add(n + ": divergence, envelope, two components", c, cap(divergence, "", 2));
            Constraints cheap = cost;
            cheap.envelope = false;
            add(n + ": cost", c, cheap);
            add(n + ": cost, envelope", c, cost);
            add(n + ": cost, D 12", c, cap(cheap, "12"));
            add(n + ": cost, D 14, envelope", c, cap(cost, "14"));
            add(n + ": cost, one component", c, cap(cheap, "", 1));
            add(n + ": cost, D 16, two components", c, cap(cheap, "16", 2));
            Constraints bounded = cap(cost, "15");
            bounded.bounds = {{10.0f, 60.0f}, {5.0f, 80.0f}, {0.0f, 50.0f}};
            add(n + ": cost, D 15, envelope, bounds", c, bounded);
            Constraints locked = cap(cheap, "18");
            locked.locked = {2};
            add(n + ": cost, D 18, a lock", c, locked);
        }
    }
    void matchesAFineGrid()
    {
        QFETCH(Case, theCase);
        QFETCH(Constraints, limits);
        Fixture f(theCase, limits);
        Mass base{};
        for (int i = 1; i <= theCase.n(); ++i)
            base[size_t(i)] = f.s.numbers().correctedRecipe[i];
        const Plain c(theCase);
        const double d = theCase.number(limits.maxDivergence);
        const OptimumResult r = f.solve();
        const std::optional<double> grid = gridBest(c, limits, d, base);
        QVERIFY2(grid, "every case has an admissible grid recipe");
        QVERIFY2(r.feasible, qPrintable(r.message));
        QVERIFY(admissible(c, limits, d, r.mass, base, 1e-6));
        const double aim = aimOf(c, limits, r.mass);
        QVERIFY2(aim <= *grid + 1e-6, qPrintable(QStringLiteral("optimum %1, grid %2").arg(aim, 0, 'g', 12).arg(*grid, 0, 'g', 12)));
        // A step of 0,1 % moves a passing by at most 0,1 point (0,2 with the densities) and a
        // cost by 0,1 % of the dearest price.
        const double reach = limits.objective == Objective::Cost ? 0.002 * 800 : 0.25;
        QVERIFY2(*grid - aim <= reach, qPrintable(QStringLiteral("optimum %1, grid %2").arg(aim).arg(*grid)));
        // The figures reported are those of the recipe.
        COMPARE_NEAR(r.divergence, divergenceOf(c, r.mass), 1e-6);
        QVERIFY(r.cost);
        COMPARE_NEAR(*r.cost, costOf(c, r.mass), 1e-6);

        // palvex-cli on the saved project with the same settings as options finds the same recipe.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("case.txt"));
        QString error;
        QVERIFY2(f.s.saveProject(path, &error), qPrintable(error));
        QStringList args{QStringLiteral("optimum"), path, QStringLiteral("--objective"),
                         limits.objective == Objective::Cost ? QStringLiteral("cost") : QStringLiteral("divergence")};
        if (!limits.maxDivergence.isEmpty())
            args << QStringLiteral("--max-divergence") << limits.maxDivergence;
        if (limits.maxComponents > 0)
            args << QStringLiteral("--max-components") << QString::number(limits.maxComponents);
        if (!limits.envelope)
            args << QStringLiteral("--envelope") << QStringList(theCase.k(), QStringLiteral(":")).join(u',');
        if (!limits.locked.isEmpty()) {
            QStringList locked;
            for (const int i : limits.locked)
                locked << QString::number(i);
            args << QStringLiteral("--lock") << locked.join(u',');
        }
        if (!limits.bounds.isEmpty()) {
            QStringList bounds;
            for (int i = 0; i < theCase.n(); ++i)
                bounds << QStringLiteral("%1:%2").arg(double(limits.bounds[i].first)).arg(double(limits.bounds[i].second));
            args << QStringLiteral("--bounds") << bounds.join(u',');
        }
        QProcess cli;
        cli.start(QStringLiteral(PALVEX_CLI), args);
        QVERIFY(cli.waitForFinished(30000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        const QJsonObject o = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
        const QJsonArray recipe = o[QStringLiteral("corrected_recipe")].toArray();
        QCOMPARE(recipe.size(), theCase.n());
        for (int i = 1; i <= theCase.n(); ++i)
            COMPARE_NEAR(recipe[i - 1].toDouble(), r.mass[size_t(i)], 1e-4);
        COMPARE_NEAR(o[QStringLiteral("optimum")].toDouble(), r.divergence, 1e-5);
        COMPARE_NEAR(o[QStringLiteral("cost")].toDouble(), *r.cost, 1e-4);
        QCOMPARE(o[QStringLiteral("components_used")].toInt(), r.componentsUsed);
    }

    // No recipe: the message names the constraints that conflict, and only those.
    void conflictsAreNamed_data()
    {
        QTest::addColumn<Case>("theCase");
        QTest::addColumn<Constraints>("limits");
        QTest::addColumn<QStringList>("conflicts");
        const QString none;
        Case dear = cheapAndDear();
        // The mix passes 10 + 40a at class 3 (0,1): at most 12 leaves a <= 0,05, divergence >= 8.
        dear.upper = {none, none, QStringLiteral("12")};
        Constraints d5;
        d5.maxDivergence = QStringLiteral("5");
        QTest::newRow("divergence and envelope") << dear << d5
                                                 << QStringList{QStringLiteral("расхождение не более 5 %"),
                                                                QStringLiteral("границы зернового состава при Dj = 0,1")};
        Constraints cheapD5 = d5;
        cheapD5.objective = Objective::Cost;
        QTest::newRow("the same for the cost") << dear << cheapD5
                                               << QStringList{QStringLiteral("расхождение не более 5 %"),
                                                              QStringLiteral("границы зернового состава при Dj = 0,1")};
        // The mix passes at most 90 at class 2: at least 95 is out of reach on its own; the limit
        // at class 3 plays no part.
        Case high = cheapAndDear();
        high.lower = {none, QStringLiteral("95"), none};
        high.upper = {none, none, QStringLiteral("50")};
        QTest::newRow("envelope alone") << high << Constraints()
                                        << QStringList{QStringLiteral("границы зернового состава при Dj = 1")};
        Constraints two;
        two.maxComponents = 1;
        two.locked = {1, 2};
        QTest::newRow("locks and one component") << threeSands() << two
                                                 << QStringList{QStringLiteral("закрепленные доли компонентов №1, №2"),
                                                                QStringLiteral("не более 1 компонента в составе")};
        // Alone the components pass 70, 55, 40 at class 2: between 58 and 62 needs a blend.
        Case narrow = threeSands();
        narrow.lower = {none, QStringLiteral("58"), none};
        narrow.upper = {none, QStringLiteral("62"), none};
        Constraints single;
        single.maxComponents = 1;
        QTest::newRow("envelope and one component") << narrow << single
                                                    << QStringList{QStringLiteral("границы зернового состава при Dj = 1"),
                                                                   QStringLiteral("не более 1 компонента в составе")};
        Constraints close = single;
        close.maxDivergence = QStringLiteral("4");
        QTest::newRow("divergence and one component") << threeSands() << close
                                                      << QStringList{QStringLiteral("расхождение не более 4 %"),
                                                                     QStringLiteral("не более 1 компонента в составе")};
        Constraints below;
        below.maxDivergence = QStringLiteral("0,5");
        QTest::newRow("divergence alone") << lightAndHeavy() << below << QStringList{QStringLiteral("расхождение не более 0,5 %")};
    }
    void conflictsAreNamed()
    {
        QFETCH(Case, theCase);
        QFETCH(Constraints, limits);
        QFETCH(QStringList, conflicts);
        Fixture f(theCase, limits);
        const float before = f.s.numbers().correctedRecipe[1];
        const OptimumResult r = f.s.findBestRecipe();
        QVERIFY(!r.feasible);
        QCOMPARE(r.conflicts, conflicts);
        for (const QString &c : conflicts)
            QVERIFY2(r.message.contains(QStringLiteral("«%1»").arg(c)), qPrintable(r.message));
        QVERIFY(r.message.startsWith(QStringLiteral("Состав, удовлетворяющий ограничениям, не существует: ")));
        QCOMPARE(f.s.numbers().correctedRecipe[1], before); // nothing adopted
        QVERIFY(f.s.optimumNote().isEmpty());
        // Each constraint named is needed: without any one of them a recipe exists.
        QVERIFY(r.conflicts.size() >= 1);
    }

    // Locks and bounds alone keep their own message.
    void locksAndBoundsKeepTheirMessage()
    {
        Constraints l;
        l.bounds = {{60.0f, 100.0f}, {60.0f, 100.0f}};
        Fixture f(cheapAndDear(), l);
        const OptimumResult r = f.solve();
        QVERIFY(!r.feasible);
        QCOMPARE(r.message, QStringLiteral("Состав, удовлетворяющий закреплениям и границам, не существует: "
                                           "закрепленные доли и нижние границы компонентов №1, №2 в сумме больше 100 %."));
    }

    // What keeps the optimiser from starting, in words.
    void inputsThatStopIt_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("maxDivergence");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("message");
        QTest::newRow("a price missing") << QString() << QString() << QString()
                                         << QStringLiteral("Оптимальный состав не найден: не указана цена компонента №2 (шаг 1).");
        QTest::newRow("a price not a number") << QStringLiteral("abc") << QString() << QString()
                                              << QStringLiteral("Оптимальный состав не найден: цена компонента №2 задана неверно (шаг 1).");
        QTest::newRow("D not a number") << QStringLiteral("300") << QStringLiteral("x") << QString()
                                        << QStringLiteral("Оптимальный состав не найден: наибольшее расхождение («x») должно быть числом не меньше нуля.");
        // The cap ticked and its field left blank.
        QTest::newRow("D not given") << QStringLiteral("300") << QStringLiteral(" ") << QString()
                                     << QStringLiteral("Оптимальный состав не найден: не задано наибольшее расхождение: впишите его в "
                                                       "поле «расхождение не более» или снимите этот флажок.");
        QTest::newRow("a limit above 100") << QStringLiteral("300") << QString() << QStringLiteral("120")
                                           << QStringLiteral("Оптимальный состав не найден: границы зернового состава заданы с ошибками (шаг 4, Dj = 1).");
    }
    void inputsThatStopIt()
    {
        QFETCH(QString, price);
        QFETCH(QString, maxDivergence);
        QFETCH(QString, upper);
        QFETCH(QString, message);
        Case c = cheapAndDear();
        c.prices[1] = price;
        c.upper = {QString(), upper, QString()};
        Constraints l;
        l.objective = Objective::Cost;
        l.maxDivergence = maxDivergence;
        if (!maxDivergence.isEmpty())
            l.maxDivergence = maxDivergence;
        Fixture f(c, l);
        f.s.setDivergenceCapOn(!maxDivergence.isEmpty());
        const OptimumResult r = f.solve();
        QVERIFY(!r.feasible);
        QCOMPARE(r.message, message);
        QVERIFY(r.conflicts.isEmpty());
    }

    // Without prices, envelope or new settings the best recipe is the one it always was: the same
    // numbers as the plain linear program of the smallest divergence.
    void plainProjectsAsBefore_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("concrete") << QStringLiteral(PALVEX_SOURCE_DIR "/examples/concrete.txt");
        QTest::newRow("dry mix") << QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
    }
    void plainProjectsAsBefore()
    {
        QFETCH(QString, file);
        ProjectSession s;
        QString error;
        QVERIFY2(s.openProject(file, &error), qPrintable(error));
        const OptimumResult r = Optimum::solve(s.document(), s.numbers(), s.correction());
        QVERIFY(r.feasible);
        QVERIFY(!r.cost);
        QVERIFY(!r.insideEnvelope);
        QCOMPARE(r.componentsUsed, [&r] {
            int used = 0;
            for (int i = 1; i <= MaxComponents; ++i)
                used += r.mass[size_t(i)] > 0;
            return used;
        }());
        // The smallest divergence is what the grid cannot beat at the recipe found.
        Mass mass = r.mass;
        COMPARE_NEAR(Optimum::divergenceOf(s.document(), s.numbers(), mass), r.divergence, 1e-6);
    }
};

QTEST_GUILESS_MAIN(TestOptimiser)
#include "tst_optimiser.moc"
