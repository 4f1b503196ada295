#include "correction/AutoSelection.h"

#include "core/GrainMath.h"
#include "core/MixNumbers.h"
#include "core/Numbers.h"
#include "core/ProjectDocument.h"
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

// The mix curve of a recipe's volume fractions over classes 1..K, and its largest deviation from
// the reference, rounded to 2 decimals. A class that cannot be formed ends the computation there
// (the curve keeps what it had).
bool curveAndDivergence(const ProjectDocument &d, const MixNumbers &x, const ComponentFloats &volume, ClassFloats &curve,
                        DeviationFloats &deviation, float &divergence)
{
    const int n = x.componentCount;
    const int k = d.classCount();
    for (int j = 1; j <= k; ++j) {
        const auto passing = Grain::mixPassing(volume, d.dataForm, x.enteredComposition, x.cumulativeResidue, n, j);
        if (!passing)
            return false;
        const auto f = Num::single(*passing);
        if (!f || !curve.set(j, *f))
            return false;
    }
    for (int j = 1; j <= k; ++j) {
        const auto ref = x.referenceCurve.get(j);
        if (!ref)
            return false;
        const auto dev = Num::single(std::fabs(double(*ref) - double(curve[j])));
        if (!dev || !deviation.set(j, *dev))
            return false;
    }
    divergence = float(Num::roundHalfEven(double(Reference::largestDeviation(deviation, k)), 2));
    return true;
}

} // namespace

namespace Search {

void refreshLocks(const MixNumbers &x, CorrectionState &s)
{
    const int n = std::min<int>(x.componentCount, MaxComponents);
    for (int i = 1; i <= n; ++i) {
        if (s.trialRecipe[i] > 0.0f)
            s.previousTrial.set(i, s.trialRecipe[i]);
        if (s.locked[size_t(i)]) {
            const float cur = x.correctedRecipe[i];
            s.lockedFraction.set(i, cur);
            if (const auto v = Num::toInt32(Num::roundHalfEven(double(cur) * 100.0)))
                s.slider[size_t(i)] = std::clamp(*v, SliderMin, SliderMax);
        } else {
            s.lockedFraction.set(i, 0.0f);
        }
    }
}

bool step(const ProjectDocument &d, MixNumbers &x, CorrectionState &s, SearchRandom &r)
{
    const int n = x.componentCount;
    if (!s.searchOn || n <= 1 || n > MaxComponents)
        return false;
    int lockedCount = 0;
    float L = 0.0f;
    for (int i = 1; i <= n; ++i) {
        lockedCount += s.locked[size_t(i)] ? 1 : 0;
        L += s.lockedFraction[i];
    }
    if (lockedCount >= n - 1)
        return false;

    // The search component; the ends are chosen half as often as the others.
    const auto sp = Num::toInt16(1.0 + double(r.next()) * double(n - 1));
    if (sp && *sp >= 1 && *sp <= n)
        s.searchComponent = *sp;
    const int sc = s.searchComponent;
    if (sc < 1 || sc > n)
        return false;
    const float free = 100.0f - L;
    if (s.locked[size_t(sc)])
        s.trialRecipe.set(sc, s.lockedFraction[sc]);
    else
        s.trialRecipe.set(sc, free * r.next());
    // The other free components share the rest in the proportions of the previous trial
    // (32-bit arithmetic).
    const float tp = s.trialRecipe[sc];
    const float divisor = free - s.previousTrial[sc];
    for (int i = 1; i <= n; ++i) {
        if (i == sc)
            continue;
        if (s.locked[size_t(i)]) {
            s.trialRecipe.set(i, s.lockedFraction[i]);
        } else if (divisor != 0.0f) {
            const float t = (free - tp) * s.previousTrial[i] / divisor;
            if (std::isfinite(t))
                s.trialRecipe.set(i, t);
        }
    }
    for (int i = 1; i <= n; ++i)
        if (const auto v = Grain::volumeFraction(s.trialRecipe, x.grainDensity, n, i))
            s.trialVolumeFraction.set(i, *v);
    curveAndDivergence(d, x, s.trialVolumeFraction, s.trialMixCurve, s.trialDeviation, s.trialDivergence);
    double sum = 0.0;
    for (int i = 1; i <= n; ++i)
        sum += double(s.trialRecipe[i]);
    if (Num::roundHalfEven(sum, 2) >= 100.0 && s.trialDivergence < x.curveDivergence)
        return applyTrial(d, x, s);
    return false;
}

bool applyTrial(const ProjectDocument &d, MixNumbers &x, CorrectionState &s, bool checkBounds)
{
    const int n = std::min<int>(x.componentCount, MaxComponents);
    bool adopt = true;
    if (checkBounds && s.boundsOn) {
        for (int j = 1; j <= n; ++j) {
            const float t = s.trialRecipe[j];
            if (!(s.variationMin[j] <= t && t <= s.variationMax[j]))
                adopt = false;
        }
    }
    if (adopt) {
        for (int j = 1; j <= n; ++j) {
            x.correctedRecipe.set(j, s.trialRecipe[j]);
            if (const auto v = Num::toInt32(std::floor(double(x.correctedRecipe[j]) * 100.0)))
                s.slider[size_t(j)] = std::clamp(*v, SliderMin, SliderMax);
        }
    }
    for (int j = 1; j <= n; ++j)
        if (const auto v = Grain::volumeFraction(x.correctedRecipe, x.grainDensity, n, j))
            x.correctedVolumeFraction.set(j, *v);
    float divergence = x.curveDivergence;
    if (curveAndDivergence(d, x, x.correctedVolumeFraction, x.correctedMixCurve, x.curveDeviation, divergence)) {
        x.curveDivergence = divergence;
        const int k = d.classCount();
        for (int j = 1; j <= k; ++j) {
            const auto ref = x.referenceCurve.get(j);
            if (!ref)
                break;
            x.referenceBandUpper.set(j, *ref + x.curveDivergence);
            x.referenceBandLower.set(j, *ref - x.curveDivergence);
        }
    }
    return adopt;
}

} // namespace Search
