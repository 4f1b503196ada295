// The correction step: the sliders with their locks, the return to the base recipe, the
// automatic search with its bounds, and the best recipe.
//
// The sliders keep the recipe at 100 %: when one moves, the other unlocked ones share the rest
// in proportion to what they held, and the rounding residue goes to one of them. A slider set by
// the correction itself while `adjusting` is set starts no adjustment; one set without it starts
// its own adjustment at once, nested inside the one that set it.

#include "session/ProjectSession.h"

#include "core/Numbers.h"

#include <cmath>
#include <QCoreApplication>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Session)
};

int fractionToSlider(float fraction)
{
    return Num::toInt32(std::floor(double(fraction) * 100.0)).value_or(0);
}

// Sets a flag for the lifetime of the scope and puts its old value back.
class ScopedFlag
{
public:
    ScopedFlag(bool &flag, bool value)
        : m_flag(flag)
        , m_old(flag)
    {
        m_flag = value;
    }
    ~ScopedFlag() { m_flag = m_old; }
    ScopedFlag(const ScopedFlag &) = delete;
    ScopedFlag &operator=(const ScopedFlag &) = delete;

private:
    bool &m_flag;
    bool m_old;
};

} // namespace

void ProjectSession::setSliderFromCode(int i, int value)
{
    if (i < 1 || i > MaxComponents)
        return;
    value = std::clamp(value, SliderMin, SliderMax);
    if (m_correction.slider[size_t(i)] == value)
        return;
    m_correction.slider[size_t(i)] = value;
    markChanged(CorrectionChanged);
    adjustSliders(i);
}

void ProjectSession::showCorrectedOnSlider(int i)
{
    const ScopedFlag adjusting(m_correction.adjusting, true);
    setSliderFromCode(i, fractionToSlider(m_numbers.correctedRecipe[i]));
}

int ProjectSession::lockedSliderTotal() const
{
    // Locked sliders can add up beyond 16 bits (a corrected recipe far above 100 %); the total
    // is then held at the largest value, which still blocks every further increase.
    int total = 0;
    const int n = std::min<int>(m_document.componentCount, MaxComponents);
    for (int i = 1; i <= n; ++i)
        if (m_correction.locked[size_t(i)])
            total += m_correction.slider[size_t(i)];
    return std::min(total, 32767);
}

void ProjectSession::adjustSliders(int i)
{
    constexpr int S = SliderMax;
    CorrectionState &c = m_correction;
    if (i < 1 || i > MaxComponents || c.adjusting || c.searchOn || c.locked[size_t(i)])
        return;
    auto setCorrected = [this](int k) {
        if (const auto f = Num::single(m_correction.slider[size_t(k)] * 0.01))
            m_numbers.correctedRecipe.set(k, *f);
    };
    const int n = std::min<int>(m_document.componentCount, MaxComponents);
    // The moved slider cannot take more than the locked ones leave; the clamp runs the
    // adjustment once more, nested, with the clamped value.
    const int lockedTotal = lockedSliderTotal();
    if (c.slider[size_t(i)] > S - lockedTotal)
        setSliderFromCode(i, S - lockedTotal);
    int old[MaxComponents + 1] = {};
    long long O = 0;
    for (int k = 1; k <= n; ++k) {
        if (k == i)
            continue;
        old[k] = c.slider[size_t(k)];
        c.sliderLastValue.set(k, int16_t(old[k]));
        O += old[k];
    }
    const int v = c.slider[size_t(i)];
    setCorrected(i);
    const int R = S - v;
    // The unlocked others share the rest in proportion to what they held (evenly when they held
    // nothing).
    for (int k = 1; k <= n; ++k) {
        if (k == i)
            continue;
        const ScopedFlag adjusting(c.adjusting, true);
        if (!c.locked[size_t(k)]) {
            double share;
            if (O != 0)
                share = std::floor(double(old[k]) * double(R) / double(O));
            else if (n > 1)
                share = std::floor(double(R) / double(n - 1));
            else
                share = double(c.slider[size_t(k)]);
            setSliderFromCode(k, int(share));
            setCorrected(k);
        }
    }
    int T = 0;
    for (int k = 1; k <= n; ++k)
        T += c.slider[size_t(k)];
    // The rounding residue goes to one unlocked slider; its own adjustment runs nested.
    if (T != S) {
        const int d = std::abs(T - S);
        for (int k = 1; k <= n; ++k) {
            if (k == i || c.locked[size_t(k)])
                continue;
            const int value = c.slider[size_t(k)];
            if (T < S) {
                setSliderFromCode(k, value + d);
                setCorrected(k);
                break;
            }
            if (value >= d) {
                setSliderFromCode(k, value - d);
                setCorrected(k);
                break;
            }
        }
    }
    markChanged(CorrectionChanged);
    recalculateAll();
}

void ProjectSession::moveSlider(int i, int value, bool dragged)
{
    if (i < 1 || i > MaxComponents)
        return;
    value = std::clamp(value, SliderMin, SliderMax);
    if (m_correction.slider[size_t(i)] == value)
        return;
    SessionAction action(*this);
    if (dragged)
        noteEditPlace({EditPlace::Slider, InputTable::Names, 0, i});
    m_correction.slider[size_t(i)] = value;
    markChanged(CorrectionChanged);
    // A drag raises the slider's scroll and then its change; a click or a key only the change.
    if (dragged)
        adjustSliders(i);
    adjustSliders(i);
    refreshLocks();
}

void ProjectSession::stepSlider(int i, int delta)
{
    if (i < 1 || i > MaxComponents)
        return;
    const int value = m_correction.slider[size_t(i)];
    if ((delta > 0 && value >= SliderMax) || (delta < 0 && value <= SliderMin))
        return;
    SessionAction action(*this);
    setSliderFromCode(i, value + delta);
    refreshLocks();
}

void ProjectSession::setLocked(int i, bool locked)
{
    // Only a component the project shows can be locked.
    if (i < 1 || i > MaxComponents || (locked && i > m_document.componentCount))
        return;
    if (m_correction.locked[size_t(i)] == locked)
        return;
    SessionAction action(*this);
    m_correction.locked[size_t(i)] = locked;
    markChanged(CorrectionChanged);
    refreshLocks();
}

void ProjectSession::releaseHiddenLocks()
{
    for (int i = m_document.componentCount + 1; i <= MaxComponents; ++i) {
        if (m_correction.locked[size_t(i)]) {
            m_correction.locked[size_t(i)] = false;
            markChanged(CorrectionChanged);
        }
    }
}

void ProjectSession::refreshLocks()
{
    const CorrectionState before = m_correction;
    Search::refreshLocks(m_numbers, m_correction);
    if (!(before == m_correction))
        markChanged(CorrectionChanged);
}

void ProjectSession::resetToBase()
{
    SessionAction action(*this);
    const int n = m_numbers.componentCount;
    for (int i = 1; i <= n; ++i) {
        if (i <= MaxComponents)
            m_correction.locked[size_t(i)] = false;
        if (const auto m = m_document.baseRecipe(i).number())
            m_numbers.correctedRecipe.set(i, *m);
        showCorrectedOnSlider(i);
        markChanged(CorrectionChanged);
        recalculateAll();
    }
    refreshLocks();
}

void ProjectSession::followBaseRecipe()
{
    const int n = m_numbers.componentCount;
    for (int i = 1; i <= n; ++i) {
        const auto m = m_document.baseRecipe(i).number();
        if (!m)
            continue;
        m_numbers.correctedRecipe.set(i, *m);
        showCorrectedOnSlider(i);
        markChanged(CorrectionChanged);
    }
}

void ProjectSession::setSearchOn(bool on)
{
    if (m_correction.searchOn == on || (on && !searchEnabled()))
        return;
    SessionAction action(*this);
    m_correction.searchOn = on;
    markChanged(CorrectionChanged);
}

int ProjectSession::runSearch(long steps)
{
    if (!m_correction.searchOn || steps <= 0)
        return 0;
    SessionAction action(*this);
    int adopted = 0;
    for (long s = 0; s < steps && m_correction.searchOn; ++s) {
        ++m_searchSteps;
        Search::refreshLocks(m_numbers, m_correction);
        if (Search::step(m_document, m_numbers, m_correction, m_random)) {
            ++adopted;
            markChanged(NumbersChanged);
            revalidate();
        }
    }
    markChanged(CorrectionChanged);
    return adopted;
}

void ProjectSession::setBoundsOn(bool on)
{
    if (m_correction.boundsOn == on)
        return;
    SessionAction action(*this);
    m_correction.boundsOn = on;
    markChanged(CorrectionChanged);
}

void ProjectSession::setBounds(const ComponentFloats &lower, const ComponentFloats &upper)
{
    SessionAction action(*this);
    const int n = std::min<int>(m_document.componentCount, MaxComponents);
    for (int i = 1; i <= n; ++i) {
        if (m_correction.variationMin[i] != lower[i] || m_correction.variationMax[i] != upper[i]) {
            m_correction.variationMin.set(i, lower[i]);
            m_correction.variationMax.set(i, upper[i]);
            markChanged(CorrectionChanged);
        }
    }
}

void ProjectSession::adoptRecipe(const std::array<double, MaxComponents + 1> &mass)
{
    const int n = std::min<int>(m_numbers.componentCount, MaxComponents);
    for (int i = 1; i <= n; ++i)
        m_correction.trialRecipe.set(i, float(mass[size_t(i)]));
    // Locked components keep their fractions exactly.
    for (int i = 1; i <= n; ++i)
        if (m_correction.locked[size_t(i)])
            m_correction.trialRecipe.set(i, m_numbers.correctedRecipe[i]);
    {
        // Adopted as an accepted trial is; the solution respects the bounds already (a float may
        // stand a hair outside one, which must not undo the adoption).
        const ScopedFlag adjusting(m_correction.adjusting, true);
        Search::applyTrial(m_document, m_numbers, m_correction, false);
    }
    markChanged(NumbersChanged | CorrectionChanged);
    revalidate();
    refreshLocks();
}

namespace {

QString costText(double cost)
{
    return Num::formatRounded(cost, 2) + Texts::tr(" руб./т");
}

QString componentsText(int used, int n)
{
    return Texts::tr("компонентов в составе: %1 из %2").arg(used).arg(n);
}

} // namespace

OptimumResult ProjectSession::findBestRecipe()
{
    SessionAction action(*this);
    const OptimumResult result = Optimum::solve(m_document, m_numbers, m_correction);
    if (!result.feasible)
        return result;
    adoptRecipe(result.mass);
    m_adoptedFrontPoint.reset();
    const int n = m_document.componentCount;
    QStringList details;
    if (m_correction.optimiser.objective == Objective::Cost && result.cost) {
        m_optimumNote = Texts::tr("Наименьшая стоимость: ") + costText(*result.cost);
        details << Texts::tr("Расхождение: ") + Num::formatRounded(result.divergence, 2) + QStringLiteral(" %");
    } else {
        m_optimumNote = Texts::tr("Минимально возможное расхождение: ") + Num::formatRounded(result.divergence, 2)
            + QStringLiteral(" %");
        if (result.cost)
            details << Texts::tr("Стоимость: ") + costText(*result.cost);
    }
    details << componentsText(result.componentsUsed, n);
    details[0][0] = details[0][0].toUpper();
    m_optimumDetails = details.join(QStringLiteral("; "));
    m_optimumFoundFor = Optimum::inputsDigest(m_document, m_numbers, m_correction);
    markChanged(OptimumChanged);
    return result;
}

void ProjectSession::setOptimiserSettings(const OptimiserSettings &settings)
{
    if (m_correction.optimiser == settings)
        return;
    SessionAction action(*this);
    m_correction.optimiser = settings;
    markChanged(OptimumChanged);
}

void ProjectSession::setObjective(Objective objective)
{
    OptimiserSettings o = m_correction.optimiser;
    o.objective = objective;
    setOptimiserSettings(o);
}

void ProjectSession::setDivergenceCapOn(bool on)
{
    OptimiserSettings o = m_correction.optimiser;
    o.divergenceCapOn = on;
    setOptimiserSettings(o);
}

void ProjectSession::setMaxDivergenceText(const QString &text)
{
    SessionAction action(*this);
    noteEditPlace({EditPlace::MaxDivergenceField});
    OptimiserSettings o = m_correction.optimiser;
    o.maxDivergenceText = text;
    setOptimiserSettings(o);
}

void ProjectSession::setWithinEnvelope(bool on)
{
    OptimiserSettings o = m_correction.optimiser;
    o.withinEnvelope = on;
    setOptimiserSettings(o);
}

void ProjectSession::setComponentCapOn(bool on)
{
    OptimiserSettings o = m_correction.optimiser;
    o.componentCapOn = on;
    setOptimiserSettings(o);
}

void ProjectSession::setMaxComponents(int m)
{
    OptimiserSettings o = m_correction.optimiser;
    o.maxComponents = std::clamp(m, 1, MaxComponents);
    setOptimiserSettings(o);
}

CostFront ProjectSession::findCostFront(int points)
{
    SessionAction action(*this);
    CostFront front = Optimum::costFront(m_document, m_numbers, m_correction, points);
    m_adoptedFrontPoint.reset();
    if (!front.feasible) {
        if (!m_front.points.isEmpty()) {
            m_front = CostFront();
            markChanged(OptimumChanged);
        }
        m_frontFoundFor.reset();
        return front;
    }
    m_front = front;
    m_frontFoundFor = Optimum::inputsDigest(m_document, m_numbers, m_correction, false);
    markChanged(OptimumChanged);
    return front;
}

bool ProjectSession::adoptFrontPoint(int index)
{
    if (!m_frontFoundFor || index < 0 || index >= m_front.points.size() || !optimumEnabled())
        return false;
    SessionAction action(*this);
    const FrontPoint point = m_front.points[index];
    adoptRecipe(point.mass);
    m_adoptedFrontPoint = index;
    m_optimumNote = Texts::tr("Точка фронта: расхождение ") + Num::formatRounded(point.divergence, 2)
        + Texts::tr(" %, стоимость ") + costText(point.cost);
    m_optimumDetails = componentsText(point.componentsUsed, m_document.componentCount);
    m_optimumDetails[0] = m_optimumDetails[0].toUpper();
    m_optimumFoundFor = Optimum::inputsDigest(m_document, m_numbers, m_correction);
    markChanged(OptimumChanged);
    return true;
}

void ProjectSession::setGraphOptions(const GraphOptions &options)
{
    if (m_graphOptions == options)
        return;
    SessionAction action(*this);
    m_graphOptions = options;
    markChanged(OptionsChanged);
}

void ProjectSession::setCorrectedRecipe(const ComponentFloats &recipe)
{
    SessionAction action(*this);
    const int n = std::min<int>(m_document.componentCount, MaxComponents);
    for (int i = 1; i <= n; ++i) {
        m_numbers.correctedRecipe.set(i, recipe[i]);
        showCorrectedOnSlider(i);
    }
    markChanged(CorrectionChanged);
    recalculateAll();
    refreshLocks();
}
