#include "core/GrainMath.h"
#include "core/Numbers.h"

#include "support/Compare.h"

#include <QTest>

namespace {

ComponentFloats floats(std::initializer_list<float> values)
{
    ComponentFloats r;
    int i = 1;
    for (float v : values)
        r.set(i++, v);
    return r;
}

} // namespace

class TestGrainMath final : public QObject
{
    Q_OBJECT

private slots:
    void volumeFractions_data()
    {
        QTest::addColumn<QList<float>>("masses");
        QTest::addColumn<QList<float>>("densities");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("worked example") << QList<float>{60, 40} << QList<float>{2.65f, 3.1f} << QList<double>{63.6986, 36.3014};
        QTest::newRow("equal densities, sum 90") << QList<float>{45, 45} << QList<float>{2.65f, 2.65f} << QList<double>{50, 50};
        QTest::newRow("single component") << QList<float>{37} << QList<float>{1.5f} << QList<double>{100};
        QTest::newRow("three, equal") << QList<float>{50, 30, 20} << QList<float>{2.65f, 2.65f, 2.65f} << QList<double>{50, 30, 20};
    }
    void volumeFractions()
    {
        QFETCH(QList<float>, masses);
        QFETCH(QList<float>, densities);
        QFETCH(QList<double>, expected);
        ComponentFloats m, rho;
        for (int i = 0; i < masses.size(); ++i) {
            m.set(i + 1, masses[i]);
            rho.set(i + 1, densities[i]);
        }
        // The calculation sets every fraction at once from one total: the same numbers.
        ComponentFloats all;
        Grain::setVolumeFractions(m, rho, int(masses.size()), all);
        for (int i = 0; i < expected.size(); ++i) {
            const auto v = Grain::volumeFraction(m, rho, int(masses.size()), i + 1);
            QVERIFY(v);
            COMPARE_NEAR(*v, expected[i], 5e-5);
            QCOMPARE(all[i + 1], *v);
        }
    }

    void volumeFractionFailures()
    {
        const ComponentFloats m = floats({60, 40});
        QVERIFY(!Grain::volumeFraction(m, floats({2.65f, 0.0f}), 2, 1)); // a zero density
        QVERIFY(!Grain::volumeFraction(floats({0, 0}), floats({2.65f, 3.1f}), 2, 1)); // a zero total
        QVERIFY(!Grain::volumeFraction(m, floats({2.65f, 3.1f}), 11, 1)); // beyond the storage
        QVERIFY(!Grain::recipeSum(m, 11));
        // Where the total cannot be formed, every fraction keeps its value.
        ComponentFloats kept = floats({12, 88});
        Grain::setVolumeFractions(m, floats({2.65f, 0.0f}), 2, kept);
        QCOMPARE(kept[1], 12.0f);
        QCOMPARE(kept[2], 88.0f);
        Grain::setVolumeFractions(m, floats({2.65f, 3.1f}), 11, kept);
        QCOMPARE(kept[1], 12.0f);
        QCOMPARE(*Grain::recipeSum(m, 2), 100.0f);
    }

    void mixPassing()
    {
        ComponentFloats v;
        v.set(1, 63.6986f);
        v.set(2, 36.3014f);
        ClassTable<float> a, r;
        const float a1[] = {100, 70, 20}, a2[] = {100, 50, 10};
        for (int j = 1; j <= 3; ++j) {
            a.set(j, 1, a1[j - 1]);
            a.set(j, 2, a2[j - 1]);
        }
        const double expected[] = {100, 62.7397, 16.3699};
        for (int j = 1; j <= 3; ++j) {
            const auto p = Grain::mixPassing(v, GrainDataForm::Integral, a, r, 2, j);
            QVERIFY(p);
            COMPARE_NEAR(*p, expected[j - 1], 5e-4);
        }
    }

    void differentialForm()
    {
        const std::optional<float> cells[] = {10.0f, 30.0f, 60.0f};
        ClassTable<float> entered, cumulative;
        for (int j = 1; j <= 3; ++j) {
            const auto c = Grain::cumulateResidue(cells[j - 1], cumulative, j, 1);
            QVERIFY(c);
            cumulative.set(j, 1, *c);
        }
        QCOMPARE(cumulative(3, 1), 100.0f);
        ComponentFloats v;
        v.set(1, 100.0f);
        const double expected[] = {90, 60, 0};
        for (int j = 1; j <= 3; ++j)
            QCOMPARE(*Grain::mixPassing(v, GrainDataForm::Differential, entered, cumulative, 1, j), expected[j - 1]);
        // A cell that is not a number does not update the running sum.
        QVERIFY(!Grain::cumulateResidue(std::nullopt, cumulative, 2, 1));
        QVERIFY(!Grain::cumulateResidue(cells[0], cumulative, 51, 1));
    }
};

QTEST_GUILESS_MAIN(TestGrainMath)
#include "tst_grainmath.moc"
