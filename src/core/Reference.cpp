#include "core/Reference.h"

#include "core/Numbers.h"

#include <cmath>

Coefficients ReadCoefficients(const MixProject &project)
{
    Coefficients c;
    c.n = Num::toSingle(project.koef_n.text()).value_or(0.0f);
    c.a = Num::toSingle(project.koef_a.text()).value_or(0.0f);
    c.n2 = Num::toSingle(project.koef_n2.text()).value_or(0.0f);
    c.m = Num::toSingle(project.koef_m.text()).value_or(0.0f);
    c.B = Num::toSingle(project.koef_B.text()).value_or(0.0f);
    return c;
}

namespace {

// 100 * (D / Dmax)^e with the ratio first stored as a float (Fuller, Hummel).
std::optional<double> powerLaw(float D, float Dmax, float e)
{
    const auto ratio = Num::divide(double(D), double(Dmax));
    if (!ratio)
        return std::nullopt;
    const auto r = Num::single(*ratio);
    if (!r)
        return std::nullopt;
    const auto p = Num::power(double(*r), double(e));
    if (!p)
        return std::nullopt;
    return 100.0 * *p;
}

} // namespace

std::optional<float> EquationValue(ReferenceKind kind, const Coefficients &c, float D, float Dmax, float Dmin)
{
    std::optional<double> value;
    switch (kind) {
    case ReferenceKind::FunkDinger: {
        const auto dn = Num::power(double(D), double(c.n));
        const auto maxn = Num::power(double(Dmax), double(c.n));
        const auto minn = Num::power(double(Dmin), double(c.n));
        if (!dn || !maxn || !minn)
            return std::nullopt;
        const auto q = Num::divide(*dn - *minn, *maxn - *minn);
        if (!q)
            return std::nullopt;
        value = 100.0 * (double(c.a) + (1.0 - double(c.a)) * *q);
        break;
    }
    case ReferenceKind::Fuller:
        value = powerLaw(D, Dmax, c.n2);
        break;
    case ReferenceKind::Hummel:
        value = powerLaw(D, Dmax, c.m);
        break;
    case ReferenceKind::Bolomey: {
        const auto ratio = Num::divide(double(D), double(Dmax));
        if (!ratio)
            return std::nullopt;
        const auto root = Num::power(*ratio, 0.5);
        if (!root)
            return std::nullopt;
        value = double(c.B) + (100.0 - double(c.B)) * *root;
        break;
    }
    case ReferenceKind::ManualReference:
        return std::nullopt;
    }
    if (!value)
        return std::nullopt;
    return Num::single(*value);
}

void ReferenceAt(MixProject &p, int j, const Coefficients &c)
{
    GridModel &t5 = p.tabl[5];
    if (p.Etalon[5].isChecked()) {
        if (const auto v = p.cellNumber(t5, 1, j))
            p.ReferenceCurve.set(j, *v);
        return;
    }
    const auto kind = p.referenceKind();
    if (!kind)
        return;
    const auto D = p.SieveSize.get(j);
    if (D) {
        if (const auto v = EquationValue(*kind, c, *D, p.MaxSize, p.MinSize))
            p.ReferenceCurve.set(j, *v);
    }
    // The value of the class, new or kept, is shown in the table.
    if (const auto v = p.ReferenceCurve.get(j)) {
        QChar buf[48];
        const int len = Num::formatRounded(double(*v), 2, buf);
        const QString *old = p.cellText(t5, 1, j);
        if (len >= 0 && old && QStringView(buf, len) == *old)
            return; // already shown
        p.setCellText(t5, 1, j, len >= 0 ? QString(buf, len) : Num::formatRounded(double(*v), 2));
    }
}

void DeviationAt(MixProject &p, int j)
{
    const auto ref = p.ReferenceCurve.get(j);
    const auto mix = p.CorrectedMixCurve.get(j);
    if (!ref || !mix)
        return;
    if (const auto d = Num::single(std::fabs(double(*ref) - double(*mix))))
        p.CurveDeviation.set(j, *d);
}

float LargestDeviation(const Slots<float, MaxClasses + 2> &deviation, int k)
{
    float largest = deviation[1];
    for (int j = 2; j <= k && deviation.has(j); ++j)
        if (deviation[j] > largest)
            largest = deviation[j];
    return largest;
}

void UpdateDivergence(MixProject &p)
{
    const auto k = Num::toInt16(Num::Val(p.K.text()));
    if (!k)
        return;
    // Without size classes there is nothing to diverge.
    p.CurveDivergence = *k >= 1 ? LargestDeviation(p.CurveDeviation, *k) : 0.0f;
    for (int j = 1; j <= *k; ++j) {
        const auto ref = p.ReferenceCurve.get(j);
        if (!ref)
            break; // beyond the storage: no further class can be stored either
        if (const auto up = Num::single(double(*ref) + double(p.CurveDivergence)))
            p.ReferenceBandUpper.set(j, *up);
        if (const auto low = Num::single(double(*ref) - double(p.CurveDivergence)))
            p.ReferenceBandLower.set(j, *low);
    }
}
