#include "correction/AutoSelection.h"

#include "core/GrainMath.h"
#include "core/Numbers.h"
#include "core/Reference.h"

#include <cmath>
#include <cstring>

void SearchRandom::mix(double clock)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &clock, sizeof bits);
    m_state ^= bits * 0xD6E8FEB86659FD93ULL;
}

void SearchRandom::script(std::initializer_list<float> values)
{
    m_scripted = 0;
    m_scriptPos = 0;
    for (float v : values)
        if (m_scripted < 8)
            m_script[m_scripted++] = v;
}

float SearchRandom::next()
{
    if (m_scriptPos < m_scripted)
        return m_script[m_scriptPos++];
    // splitmix64; the top 24 bits make a float in [0, 1).
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return float(z >> 40) * (1.0f / 16777216.0f);
}

namespace {

int classCount(const MixProject &p)
{
    return Num::toInt16(Num::Val(p.K.text())).value_or(0);
}

// The mix curve of a recipe's volume fractions over classes 1..K, and its largest deviation
// from the reference, rounded to 2 decimals. A class that cannot be formed ends the
// computation there (the curve keeps what it had), as one statement of the tick.
bool curveAndDivergence(const MixProject &p, const ComponentFloats &volume, ClassFloats &curve,
                        Slots<float, MaxClasses + 2> &deviation, float &divergence)
{
    const int n = p.ComponentCount;
    const int k = classCount(p);
    const GrainDataForm form = p.dataForm();
    for (int j = 1; j <= k; ++j) {
        const auto passing = MixPassing(volume, form, p.EnteredComposition, p.CumulativeResidue, n, j);
        if (!passing)
            return false;
        const auto f = Num::single(*passing);
        if (!f || !curve.set(j, *f))
            return false;
    }
    for (int j = 1; j <= k; ++j) {
        const auto ref = p.ReferenceCurve.get(j);
        if (!ref)
            return false;
        const auto d = Num::single(std::fabs(double(*ref) - double(curve[j])));
        if (!d || !deviation.set(j, *d))
            return false;
    }
    divergence = float(Num::roundHalfEven(double(LargestDeviation(deviation, k)), 2));
    return true;
}

} // namespace

bool AutoSelectionStep(MixProject &p, SearchRandom &r)
{
    const int n = p.ComponentCount;
    if (!p.AutoCheck.isChecked() || n <= 1 || n > MaxComponents)
        return false;
    int lockedCount = 0;
    float L = 0.0f;
    for (int i = 1; i <= n; ++i) {
        lockedCount += p.MLock[i].isChecked() ? 1 : 0;
        L += p.LockedFraction[i];
    }
    if (lockedCount >= n - 1)
        return false;

    // 1. The search component; the ends are chosen half as often as the others.
    const auto sp = Num::toInt16(1.0 + double(r.next()) * double(n - 1));
    if (sp && *sp >= 1 && *sp <= n)
        p.SearchComponent = *sp;
    const int sc = p.SearchComponent;
    if (sc < 1 || sc > n)
        return false;
    // 2.
    const float free = 100.0f - L;
    if (p.MLock[sc].isChecked())
        p.TrialRecipe.set(sc, p.LockedFraction[sc]);
    else
        p.TrialRecipe.set(sc, free * r.next());
    // 3. Rescaling of the other free components (32-bit arithmetic).
    const float tp = p.TrialRecipe[sc];
    const float divisor = free - p.PreviousTrial[sc];
    for (int i = 1; i <= n; ++i) {
        if (i == sc)
            continue;
        if (p.MLock[i].isChecked()) {
            p.TrialRecipe.set(i, p.LockedFraction[i]);
        } else if (divisor != 0.0f) {
            const float t = (free - tp) * p.PreviousTrial[i] / divisor;
            if (std::isfinite(t))
                p.TrialRecipe.set(i, t);
        }
    }
    // 4.
    for (int i = 1; i <= n; ++i)
        if (const auto v = VolumeFraction(p.TrialRecipe, p.GrainDensity, n, i))
            p.TrialVolumeFraction.set(i, *v);
    // 5.
    curveAndDivergence(p, p.TrialVolumeFraction, p.TrialMixCurve, p.TrialDeviation, p.TrialDivergence);
    // 6.
    double sum = 0.0;
    for (int i = 1; i <= n; ++i)
        sum += double(p.TrialRecipe[i]);
    if (Num::roundHalfEven(sum, 2) >= 100.0 && p.TrialDivergence < p.CurveDivergence)
        return ApplyTrial(p);
    return false;
}

bool ApplyTrial(MixProject &p, bool checkBounds)
{
    const int n = std::min<int>(p.ComponentCount, MaxComponents);
    // 1.
    bool adopt = true;
    if (checkBounds && p.BoundsCheck.isChecked()) {
        for (int j = 1; j <= n; ++j) {
            const float t = p.TrialRecipe[j];
            if (!(p.VariationMin[j] <= t && t <= p.VariationMax[j]))
                adopt = false;
        }
    }
    // 2. The sliders' change notifications return at once while AutoCheck is checked.
    if (adopt) {
        for (int j = 1; j <= n; ++j) {
            p.CorrectedRecipe.set(j, p.TrialRecipe[j]);
            if (const auto v = Num::toInt32(std::floor(double(p.CorrectedRecipe[j]) * 100.0)))
                p.SBegunok[j].setValue(*v);
        }
    }
    // 3.
    for (int j = 1; j <= n; ++j)
        if (const auto v = VolumeFraction(p.CorrectedRecipe, p.GrainDensity, n, j))
            p.CorrectedVolumeFraction.set(j, *v);
    float divergence = p.CurveDivergence;
    if (curveAndDivergence(p, p.CorrectedVolumeFraction, p.CorrectedMixCurve, p.CurveDeviation, divergence)) {
        p.CurveDivergence = divergence;
        const int k = classCount(p);
        for (int j = 1; j <= k; ++j) {
            const auto ref = p.ReferenceCurve.get(j);
            if (!ref)
                break;
            p.ReferenceBandUpper.set(j, *ref + p.CurveDivergence);
            p.ReferenceBandLower.set(j, *ref - p.CurveDivergence);
        }
    }
    // 4.
    p.notifyChartsChanged();
    return adopt;
}
