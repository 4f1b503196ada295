#include "correction/Optimum.h"

#include "core/Cost.h"
#include "core/Envelope.h"
#include "core/MixNumbers.h"
#include "core/Numbers.h"
#include "core/ProjectDocument.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>

#include <glpk.h>

#include <vector>

namespace {


// A mass share below this (percent) is no share: what the solver's tolerances leave of a
// component it does not use (a float of 100 % cannot hold it apart from 100 % either).
constexpr double NoShare = 1e-6;
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Optimum)
};

// The openings of the messages, in the language chosen at start-up (never kept in statics).
QString locksAndBoundsPrefix()
{
    return Texts::tr("Состав, удовлетворяющий закреплениям и границам, не существует: ");
}

QString constraintsPrefix()
{
    return Texts::tr("Состав, удовлетворяющий ограничениям, не существует: ");
}

QString notFoundPrefix()
{
    return Texts::tr("Оптимальный состав не найден: ");
}

struct GlpkProblem
{
    glp_prob *lp = glp_create_prob();
    GlpkProblem() = default;
    GlpkProblem(const GlpkProblem &) = delete;
    GlpkProblem &operator=(const GlpkProblem &) = delete;
    ~GlpkProblem() { glp_delete_prob(lp); }
};

// The project as the solver sees it, in double precision.
struct Blend
{
    int n = 0;
    int k = 0;
    std::array<std::array<double, MaxComponents + 1>, MaxClasses + 1> passing{}; // P_ji, percent
    std::array<double, MaxClasses + 1> reference{};
    std::array<double, MaxComponents + 1> density{};
    std::array<double, MaxComponents + 1> price{};
    bool allPriced = false;
    std::array<bool, MaxComponents + 1> locked{};
    std::array<double, MaxComponents + 1> lockedMass{};
    bool bounds = false;
    std::array<double, MaxComponents + 1> lower{};
    std::array<double, MaxComponents + 1> upper{};
    // The constraints the settings ask for (the envelope only where it has limits).
    EnvelopeLimits envelope;
    std::optional<double> maxDivergence;
    std::optional<int> maxComponents;

    bool hasLocksOrBounds() const
    {
        return bounds || std::any_of(locked.begin() + 1, locked.begin() + 1 + n, [](bool on) { return on; });
    }
};

// Which of the constraints a solve honours (besides sum_i V_i = 100).
struct Active
{
    bool locksAndBounds = true;
    bool divergenceCap = true;
    bool componentCap = true;
    std::array<bool, MaxClasses + 1> envelopeClass{};

    bool envelope() const { return std::any_of(envelopeClass.begin(), envelopeClass.end(), [](bool on) { return on; }); }
};

Active everything(const Blend &b)
{
    Active a;
    for (int j = 1; j <= b.k; ++j)
        a.envelopeClass[size_t(j)] = b.envelope.lower[size_t(j)] || b.envelope.upper[size_t(j)];
    return a;
}

enum class Outcome { Optimal, Infeasible, Failed };

struct Solution
{
    Outcome outcome = Outcome::Failed;
    int code = 0;        // GLPK's return code when it failed
    double objective = 0;
    std::array<double, MaxComponents + 1> mass{};
};

// Rows of a problem, collected and loaded at once.
class Rows
{
public:
    explicit Rows(glp_prob *lp)
        : m_lp(lp)
    {
    }
    void add(int type, double lo, double hi, const std::vector<std::pair<int, double>> &coefs)
    {
        const int row = glp_add_rows(m_lp, 1);
        glp_set_row_bnds(m_lp, row, type, lo, hi);
        for (const auto &[col, value] : coefs) {
            m_ia.push_back(row);
            m_ja.push_back(col);
            m_ar.push_back(value);
        }
    }
    // A row lo <= sum <= hi with either side optional.
    void addBetween(std::optional<double> lo, std::optional<double> hi, const std::vector<std::pair<int, double>> &coefs)
    {
        if (lo && hi)
            add(*lo == *hi ? GLP_FX : GLP_DB, *lo, *hi, coefs);
        else if (lo)
            add(GLP_LO, *lo, 0.0, coefs);
        else if (hi)
            add(GLP_UP, 0.0, *hi, coefs);
    }
    void load() { glp_load_matrix(m_lp, int(m_ia.size()) - 1, m_ia.data(), m_ja.data(), m_ar.data()); }

private:
    glp_prob *m_lp;
    std::vector<int> m_ia{0}, m_ja{0};
    std::vector<double> m_ar{0.0};
};

Outcome run(glp_prob *lp, bool integer, int *code)
{
    if (!integer) {
        glp_smcp parm;
        glp_init_smcp(&parm);
        parm.msg_lev = GLP_MSG_OFF;
        parm.presolve = GLP_ON;
        const int ret = glp_simplex(lp, &parm);
        const int status = glp_get_status(lp);
        *code = ret;
        if (ret == GLP_ENOPFS || status == GLP_NOFEAS || status == GLP_INFEAS)
            return Outcome::Infeasible;
        return ret == 0 && status == GLP_OPT ? Outcome::Optimal : Outcome::Failed;
    }
    glp_iocp parm;
    glp_init_iocp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    parm.presolve = GLP_ON;
    const int ret = glp_intopt(lp, &parm);
    *code = ret;
    if (ret == GLP_ENOPFS || ret == GLP_ENOFEAS)
        return Outcome::Infeasible;
    if (ret != 0)
        return Outcome::Failed;
    const int status = glp_mip_status(lp);
    if (status == GLP_NOFEAS)
        return Outcome::Infeasible;
    return status == GLP_OPT ? Outcome::Optimal : Outcome::Failed;
}

double columnValue(glp_prob *lp, bool integer, int col)
{
    return integer ? glp_mip_col_val(lp, col) : glp_get_col_prim(lp, col);
}

double objectiveValue(glp_prob *lp, bool integer)
{
    return integer ? glp_mip_obj_val(lp) : glp_get_obj_val(lp);
}

bool componentCapped(const Blend &b, const Active &a)
{
    return a.componentCap && b.maxComponents && *b.maxComponents < b.n;
}

enum class VolumeAim { Divergence, Feasibility };

// In the volume fractions: the smallest divergence t (or any recipe at all) under the active
// constraints, and, with `costCap`, at a cost per tonne of at most the cap.
Solution solveVolume(const Blend &b, const Active &a, VolumeAim aim, std::optional<double> costCap = std::nullopt)
{
    Solution result;
    const int n = b.n;
    const bool integer = componentCapped(b, a);
    GlpkProblem prob;
    glp_prob *lp = prob.lp;
    glp_set_obj_dir(lp, GLP_MIN);
    // Columns 1..n: V_i >= 0; column n + 1: t >= 0 (at most D while the cap holds); columns
    // n + 2 .. 2n + 1: z_i in {0, 1} while the number of components is capped.
    glp_add_cols(lp, n + 1 + (integer ? n : 0));
    for (int i = 1; i <= n; ++i)
        glp_set_col_bnds(lp, i, GLP_LO, 0.0, 0.0);
    if (a.divergenceCap && b.maxDivergence)
        glp_set_col_bnds(lp, n + 1, *b.maxDivergence > 0 ? GLP_DB : GLP_FX, 0.0, *b.maxDivergence);
    else
        glp_set_col_bnds(lp, n + 1, GLP_LO, 0.0, 0.0);
    glp_set_obj_coef(lp, n + 1, aim == VolumeAim::Divergence ? 1.0 : 0.0);

    Rows rows(lp);
    for (int j = 1; j <= b.k; ++j) {
        const double ref = b.reference[size_t(j)];
        std::vector<std::pair<int, double>> up, down;
        for (int i = 1; i <= n; ++i) {
            up.emplace_back(i, 0.01 * b.passing[size_t(j)][size_t(i)]);
            down.emplace_back(i, 0.01 * b.passing[size_t(j)][size_t(i)]);
        }
        up.emplace_back(n + 1, -1.0);   // mix - t <= ref
        down.emplace_back(n + 1, 1.0);  // mix + t >= ref
        rows.add(GLP_UP, 0.0, ref, up);
        rows.add(GLP_LO, ref, 0.0, down);
    }
    {
        std::vector<std::pair<int, double>> sum;
        for (int i = 1; i <= n; ++i)
            sum.emplace_back(i, 1.0);
        rows.add(GLP_FX, 100.0, 100.0, sum);
    }
    // 100 V_i rho_i - f * sum_k V_k rho_k, the mass fraction condition of component i.
    auto fractionRow = [&](int i, double f) {
        std::vector<std::pair<int, double>> coefs;
        for (int c = 1; c <= n; ++c)
            coefs.emplace_back(c, (c == i ? 100.0 : 0.0) * b.density[size_t(c)] - f * b.density[size_t(c)]);
        return coefs;
    };
    if (a.locksAndBounds) {
        for (int i = 1; i <= n; ++i) {
            if (b.locked[size_t(i)]) {
                rows.add(GLP_FX, 0.0, 0.0, fractionRow(i, b.lockedMass[size_t(i)]));
            } else if (b.bounds) {
                rows.add(GLP_LO, 0.0, 0.0, fractionRow(i, b.lower[size_t(i)]));
                rows.add(GLP_UP, 0.0, 0.0, fractionRow(i, b.upper[size_t(i)]));
            }
        }
    }
    // lo_j <= 0.01 sum_i P_ji V_i <= hi_j.
    for (int j = 1; j <= b.k; ++j) {
        if (!a.envelopeClass[size_t(j)])
            continue;
        std::vector<std::pair<int, double>> mix;
        for (int i = 1; i <= n; ++i)
            mix.emplace_back(i, 0.01 * b.passing[size_t(j)][size_t(i)]);
        const auto lo = b.envelope.lower[size_t(j)], hi = b.envelope.upper[size_t(j)];
        rows.addBetween(lo ? std::optional<double>(*lo) : std::nullopt, hi ? std::optional<double>(*hi) : std::nullopt, mix);
    }
    if (integer) {
        // V_i <= 100 z_i: a component without its z has no share; sum_i z_i <= m.
        std::vector<std::pair<int, double>> count;
        for (int i = 1; i <= n; ++i) {
            glp_set_col_kind(lp, n + 1 + i, GLP_BV);
            rows.add(GLP_UP, 0.0, 0.0, {{i, 1.0}, {n + 1 + i, -100.0}});
            count.emplace_back(n + 1 + i, 1.0);
        }
        rows.add(GLP_UP, 0.0, double(*b.maxComponents), count);
    }
    if (costCap) {
        // sum_i V_i rho_i p_i <= cap * sum_i V_i rho_i: the cost per tonne at most the cap.
        std::vector<std::pair<int, double>> cost;
        for (int i = 1; i <= n; ++i)
            cost.emplace_back(i, b.density[size_t(i)] * (b.price[size_t(i)] - *costCap));
        rows.add(GLP_UP, 0.0, 0.0, cost);
    }
    rows.load();

    result.outcome = run(lp, integer, &result.code);
    if (result.outcome != Outcome::Optimal)
        return result;
    double volumeMass = 0;
    for (int i = 1; i <= n; ++i)
        volumeMass += columnValue(lp, integer, i) * b.density[size_t(i)];
    if (!(volumeMass > 0)) {
        result.outcome = Outcome::Failed;
        return result;
    }
    for (int i = 1; i <= n; ++i) {
        const double m = std::max(0.0, 100.0 * columnValue(lp, integer, i) * b.density[size_t(i)] / volumeMass);
        result.mass[size_t(i)] = m < NoShare ? 0.0 : m;
    }
    result.objective = objectiveValue(lp, integer);
    return result;
}

// The lowest cost per tonne under the active constraints, with the divergence at most
// `divergenceBound` besides the cap of the settings.
//
// The cost per tonne, sum_i m_i p_i / 100, is linear in the mass fractions, which are a
// linear-fractional function of the volume fractions: m_i = 100 V_i rho_i / sum_k V_k rho_k.
// The Charnes-Cooper change of variables makes the problem linear again: with the scale
// s = 100 / sum_k V_k rho_k > 0 and the new variables y_i = s V_i (= m_i / rho_i),
//   - the mass fractions are linear: m_i = rho_i y_i, and they sum to 100: sum_i rho_i y_i = 100;
//   - the volume fractions come back as V_i = y_i / s, so sum_i V_i = 100 reads sum_i y_i = 100 s;
//   - every condition that is linear and homogeneous in V once its constant is multiplied by
//     sum_i V_i / 100 stays linear in (y, s): the curve 0.01 sum_i P_ji V_i within t of A'_j reads
//     0.01 sum_i P_ji y_i - (A'_j + t) s <= 0 and 0.01 sum_i P_ji y_i - (A'_j - t) s >= 0, the
//     envelope lo_j s <= 0.01 sum_i P_ji y_i <= hi_j s;
//   - locks and bounds on the mass fractions are plain bounds of rho_i y_i;
//   - the cost per tonne is sum_i rho_i p_i y_i / 100, a linear objective.
// Any optimum (y, s) maps back to V = y / s with the same cost, so the optimum is exact.
Solution solveCost(const Blend &b, const Active &a, std::optional<double> divergenceBound = std::nullopt)
{
    Solution result;
    const int n = b.n;
    const bool integer = componentCapped(b, a);
    std::optional<double> t;
    if (a.divergenceCap && b.maxDivergence)
        t = *b.maxDivergence;
    if (divergenceBound)
        t = t ? std::min(*t, *divergenceBound) : *divergenceBound;

    GlpkProblem prob;
    glp_prob *lp = prob.lp;
    glp_set_obj_dir(lp, GLP_MIN);
    // Columns 1..n: y_i >= 0; column n + 1: s >= 0; columns n + 2 .. 2n + 1: z_i in {0, 1}.
    const int sCol = n + 1;
    glp_add_cols(lp, n + 1 + (integer ? n : 0));
    for (int i = 1; i <= n; ++i) {
        glp_set_col_bnds(lp, i, GLP_LO, 0.0, 0.0);
        glp_set_obj_coef(lp, i, b.density[size_t(i)] * b.price[size_t(i)] / 100.0);
    }
    glp_set_col_bnds(lp, sCol, GLP_LO, 0.0, 0.0);

    Rows rows(lp);
    {
        std::vector<std::pair<int, double>> mass, volume;
        for (int i = 1; i <= n; ++i) {
            mass.emplace_back(i, b.density[size_t(i)]);
            volume.emplace_back(i, 1.0);
        }
        rows.add(GLP_FX, 100.0, 100.0, mass); // sum_i rho_i y_i = 100
        volume.emplace_back(sCol, -100.0);
        rows.add(GLP_FX, 0.0, 0.0, volume); // sum_i y_i = 100 s
    }
    auto mixRow = [&](int j, double scale) {
        std::vector<std::pair<int, double>> coefs;
        for (int i = 1; i <= n; ++i)
            coefs.emplace_back(i, 0.01 * b.passing[size_t(j)][size_t(i)]);
        coefs.emplace_back(sCol, -scale);
        return coefs;
    };
    if (t) {
        for (int j = 1; j <= b.k; ++j) {
            const double ref = b.reference[size_t(j)];
            rows.add(GLP_UP, 0.0, 0.0, mixRow(j, ref + *t));
            rows.add(GLP_LO, 0.0, 0.0, mixRow(j, ref - *t));
        }
    }
    for (int j = 1; j <= b.k; ++j) {
        if (!a.envelopeClass[size_t(j)])
            continue;
        if (const auto lo = b.envelope.lower[size_t(j)])
            rows.add(GLP_LO, 0.0, 0.0, mixRow(j, double(*lo)));
        if (const auto hi = b.envelope.upper[size_t(j)])
            rows.add(GLP_UP, 0.0, 0.0, mixRow(j, double(*hi)));
    }
    if (a.locksAndBounds) {
        for (int i = 1; i <= n; ++i) {
            const double rho = b.density[size_t(i)];
            if (b.locked[size_t(i)]) {
                rows.add(GLP_FX, b.lockedMass[size_t(i)], b.lockedMass[size_t(i)], {{i, rho}});
            } else if (b.bounds) {
                rows.add(GLP_LO, b.lower[size_t(i)], 0.0, {{i, rho}});
                rows.add(GLP_UP, 0.0, b.upper[size_t(i)], {{i, rho}});
            }
        }
    }
    if (integer) {
        // rho_i y_i = m_i <= 100 z_i; sum_i z_i <= m.
        std::vector<std::pair<int, double>> count;
        for (int i = 1; i <= n; ++i) {
            glp_set_col_kind(lp, n + 1 + i, GLP_BV);
            rows.add(GLP_UP, 0.0, 0.0, {{i, b.density[size_t(i)]}, {n + 1 + i, -100.0}});
            count.emplace_back(n + 1 + i, 1.0);
        }
        rows.add(GLP_UP, 0.0, double(*b.maxComponents), count);
    }
    rows.load();

    result.outcome = run(lp, integer, &result.code);
    if (result.outcome != Outcome::Optimal)
        return result;
    double sum = 0;
    for (int i = 1; i <= n; ++i) {
        const double m = std::max(0.0, b.density[size_t(i)] * columnValue(lp, integer, i));
        result.mass[size_t(i)] = m < NoShare ? 0.0 : m;
        sum += result.mass[size_t(i)];
    }
    if (!(sum > 0)) {
        result.outcome = Outcome::Failed;
        return result;
    }
    result.objective = objectiveValue(lp, integer);
    return result;
}

// The optimum of one aim found by one solve, as a bound of the next: a hair above it, so that the
// solver's own tolerances cannot turn the bound into a conflict (where they do all the same,
// the first solve's recipe stands).
double slackened(double value)
{
    return value + 1e-9 * std::max(1.0, std::fabs(value));
}

QString componentName(const ProjectDocument &d, int i)
{
    const QString &name = d.componentName(i).text();
    return !name.trimmed().isEmpty() ? QStringLiteral("«%1»").arg(name) : QStringLiteral("№%1").arg(i);
}

QString classLabel(const ProjectDocument &d, int j)
{
    const QString size = d.size(j).text().trimmed();
    return size.isEmpty() ? QStringLiteral("№%1").arg(j) : size;
}

// A locked component whose fraction lies outside its own bounds, while the bounds are on.
std::optional<int> lockedOutsideBounds(const Blend &b)
{
    if (!b.bounds)
        return std::nullopt;
    for (int i = 1; i <= b.n; ++i) {
        const double cur = b.lockedMass[size_t(i)];
        if (b.locked[size_t(i)] && (cur < b.lower[size_t(i)] || cur > b.upper[size_t(i)]))
            return i;
    }
    return std::nullopt;
}

// Which components make the locks and bounds impossible, in words.
QString explainLocksAndBounds(const ProjectDocument &d, const Blend &b)
{
    if (const auto i = lockedOutsideBounds(b))
        return Texts::tr("закрепленная доля компонента %1 (%2 %) лежит вне его границ (%3–%4 %).")
            .arg(componentName(d, *i), Num::formatRounded(b.lockedMass[size_t(*i)], 2),
                 Num::formatRounded(b.lower[size_t(*i)], 2), Num::formatRounded(b.upper[size_t(*i)], 2));
    double lockedSum = 0, minSum = 0, maxSum = 0;
    QStringList locked, lower, upper;
    for (int i = 1; i <= b.n; ++i) {
        if (b.locked[size_t(i)]) {
            lockedSum += b.lockedMass[size_t(i)];
            locked << componentName(d, i);
            continue;
        }
        const double lo = b.bounds ? b.lower[size_t(i)] : 0.0, hi = b.bounds ? b.upper[size_t(i)] : 100.0;
        minSum += lo;
        maxSum += hi;
        if (lo > 0)
            lower << componentName(d, i);
        if (hi < 100)
            upper << componentName(d, i);
    }
    if (lockedSum + minSum > 100.0 + 1e-9)
        return Texts::tr("закрепленные доли и нижние границы компонентов %1 в сумме больше 100 %.")
            .arg((locked + lower).join(QStringLiteral(", ")));
    if (lockedSum + maxSum < 100.0 - 1e-9)
        return Texts::tr("закрепленные доли и верхние границы компонентов %1 в сумме меньше 100 %.")
            .arg((locked + upper).join(QStringLiteral(", ")));
    return Texts::tr("закрепленные доли и границы компонентов %1 несовместимы.")
        .arg((locked + lower + upper).join(QStringLiteral(", ")));
}

// The name of the locks and bounds as a constraint among others.
QString locksAndBoundsName(const ProjectDocument &d, const Blend &b)
{
    QStringList locked;
    for (int i = 1; i <= b.n; ++i)
        if (b.locked[size_t(i)])
            locked << componentName(d, i);
    const QString locks = Texts::tr("закрепленные доли компонентов ") + locked.join(QStringLiteral(", "));
    const QString bounds = Texts::tr("границы варьирования массовых долей");
    if (locked.isEmpty())
        return bounds;
    return b.bounds ? locks + Texts::tr(" и ") + bounds : locks;
}

QString componentCapName(int m)
{
    return Texts::tr("не более %1 %2 в составе").arg(m).arg(m == 1 ? Texts::tr("компонента") : Texts::tr("компонентов"));
}

struct Explanation
{
    QString problem;
    QStringList conflicts;
    QString message;
};

// Finds a smallest set of constraints that leaves no recipe. Each test is the solver's own answer
// to "is there a recipe with these constraints?": a constraint is left out for good when the
// problem without it still has none, so every constraint that remains is needed for the
// conflict. The envelope is narrowed the same way down to its classes.
Explanation explainInfeasible(const ProjectDocument &d, const Blend &b)
{
    Explanation e;
    auto infeasible = [&b](const Active &a) { return solveVolume(b, a, VolumeAim::Feasibility).outcome == Outcome::Infeasible; };
    Active conflict = everything(b);
    conflict.locksAndBounds = b.hasLocksOrBounds();
    conflict.divergenceCap = b.maxDivergence.has_value();
    conflict.componentCap = componentCapped(b, conflict);
    if (!infeasible(conflict)) {
        e.problem = Texts::tr("решение не найдено.");
        e.message = notFoundPrefix() + e.problem;
        return e;
    }
    auto without = [](Active a, int group) {
        switch (group) {
        case 0:
            a.envelopeClass.fill(false);
            break;
        case 1:
            a.componentCap = false;
            break;
        case 2:
            a.divergenceCap = false;
            break;
        default:
            a.locksAndBounds = false;
            break;
        }
        return a;
    };
    const bool present[4] = {conflict.envelope(), conflict.componentCap, conflict.divergenceCap, conflict.locksAndBounds};
    for (int group = 0; group < 4; ++group) {
        if (!present[group])
            continue;
        const Active trial = without(conflict, group);
        if (infeasible(trial))
            conflict = trial;
    }
    QList<int> classes;
    for (int j = 1; j <= b.k; ++j) {
        if (!conflict.envelopeClass[size_t(j)])
            continue;
        Active trial = conflict;
        trial.envelopeClass[size_t(j)] = false;
        if (trial.envelope() && infeasible(trial))
            conflict = trial;
        else
            classes << j;
    }

    if (conflict.locksAndBounds && !conflict.divergenceCap && !conflict.componentCap && classes.isEmpty()) {
        e.conflicts << locksAndBoundsName(d, b);
        e.problem = explainLocksAndBounds(d, b);
        e.message = locksAndBoundsPrefix() + e.problem;
        return e;
    }
    if (conflict.locksAndBounds)
        e.conflicts << locksAndBoundsName(d, b);
    if (conflict.divergenceCap)
        e.conflicts << Texts::tr("расхождение не более %1 %").arg(Num::formatDouble(*b.maxDivergence));
    if (!classes.isEmpty()) {
        QStringList labels;
        for (const int j : classes)
            labels << classLabel(d, j);
        e.conflicts << Texts::tr("границы зернового состава при Dj = ") + labels.join(QStringLiteral("; "));
    }
    if (conflict.componentCap)
        e.conflicts << componentCapName(*b.maxComponents);
    QStringList quoted;
    for (const QString &c : e.conflicts)
        quoted << QStringLiteral("«%1»").arg(c);
    if (quoted.size() == 1) {
        e.problem = Texts::tr("ни один состав не удовлетворяет ограничению %1.").arg(quoted.first());
    } else {
        const QString last = quoted.takeLast();
        e.problem = Texts::tr("несовместимы ограничения %1 и %2.").arg(quoted.join(QStringLiteral(", ")), last);
    }
    e.message = constraintsPrefix() + e.problem;
    return e;
}

double passingOf(const ProjectDocument &d, const MixNumbers &x, int j, int i)
{
    return d.dataForm == GrainDataForm::Integral ? double(x.enteredComposition(j, i)) : 100.0 - double(x.cumulativeResidue(j, i));
}

// Reads the project for the solver; false (with `problem` and `message` set) when it cannot be
// solved as it stands.
bool gather(const ProjectDocument &d, const MixNumbers &x, const CorrectionState &s, Blend &b, QString *problem, QString *message)
{
    auto refuse = [&](const QString &prefix, const QString &why) {
        *problem = why;
        *message = prefix + why;
        return false;
    };
    b.n = x.componentCount;
    b.k = d.classCount();
    const int n = b.n, k = b.k;
    if (n < 1 || n > MaxComponents || k < 1 || k > MaxClasses)
        return refuse(locksAndBoundsPrefix(), Texts::tr("проект должен иметь от 1 до 10 компонентов и от 1 до 50 классов крупности."));
    for (int i = 1; i <= n; ++i) {
        if (!(x.grainDensity[i] > 0))
            return refuse(locksAndBoundsPrefix(), Texts::tr("плотность компонента %1 должна быть больше нуля.").arg(componentName(d, i)));
        b.density[size_t(i)] = x.grainDensity[i];
        b.locked[size_t(i)] = s.locked[size_t(i)];
        b.lockedMass[size_t(i)] = x.correctedRecipe[i];
        b.lower[size_t(i)] = s.variationMin[i];
        b.upper[size_t(i)] = s.variationMax[i];
    }
    b.bounds = s.boundsOn;
    for (int j = 1; j <= k; ++j) {
        b.reference[size_t(j)] = x.referenceCurve[j];
        for (int i = 1; i <= n; ++i)
            b.passing[size_t(j)][size_t(i)] = passingOf(d, x, j, i);
    }
    b.allPriced = true;
    for (int i = 1; i <= n; ++i) {
        const auto p = Cost::price(d, i);
        b.price[size_t(i)] = p.value_or(0.0);
        b.allPriced = b.allPriced && p.has_value();
    }

    const OptimiserSettings &o = s.optimiser;
    if (o.objective == Objective::Cost) {
        for (int i = 1; i <= n; ++i) {
            if (Cost::price(d, i))
                continue;
            return refuse(notFoundPrefix(), d.price(i).isEmpty()
                                              ? Texts::tr("не указана цена компонента %1 (шаг 1).").arg(componentName(d, i))
                                              : Texts::tr("цена компонента %1 задана неверно (шаг 1).").arg(componentName(d, i)));
        }
    }
    if (o.divergenceCapOn) {
        if (o.maxDivergenceText.trimmed().isEmpty())
            return refuse(notFoundPrefix(), Texts::tr("не задано наибольшее расхождение: впишите его в поле «расхождение не более» "
                                                      "или снимите этот флажок."));
        const auto cap = Num::toDouble(o.maxDivergenceText);
        if (!cap || !(*cap >= 0.0) || !std::isfinite(*cap))
            return refuse(notFoundPrefix(), Texts::tr("наибольшее расхождение («%1») должно быть числом не меньше нуля.").arg(o.maxDivergenceText));
        b.maxDivergence = *cap;
    }
    if (o.withinEnvelope && d.hasEnvelope()) {
        for (int j = 1; j <= k; ++j) {
            const CellText &lo = d.envelopeLower(j), &hi = d.envelopeUpper(j);
            auto wrong = [](const CellText &c) { return !c.isEmpty() && !(c.number() && *c.number() >= 0.0f && *c.number() <= 100.0f); };
            if (wrong(lo) || wrong(hi) || (lo.number() && hi.number() && *lo.number() > *hi.number()))
                return refuse(notFoundPrefix(), Texts::tr("границы зернового состава заданы с ошибками (шаг 4, Dj = %1).").arg(classLabel(d, j)));
        }
        b.envelope = Envelope::limits(d);
    }
    if (o.componentCapOn) {
        if (o.maxComponents < 1)
            return refuse(notFoundPrefix(), Texts::tr("число компонентов в составе должно быть не меньше 1."));
        b.maxComponents = o.maxComponents;
    }
    return true;
}

std::array<double, MaxComponents + 1> volumesOf(const Blend &b, const std::array<double, MaxComponents + 1> &mass)
{
    std::array<double, MaxComponents + 1> v{};
    double sum = 0;
    for (int i = 1; i <= b.n; ++i) {
        v[size_t(i)] = mass[size_t(i)] / b.density[size_t(i)];
        sum += v[size_t(i)];
    }
    for (int i = 1; i <= b.n; ++i)
        v[size_t(i)] = sum > 0 ? 100.0 * v[size_t(i)] / sum : 0.0;
    return v;
}

double mixAt(const Blend &b, const std::array<double, MaxComponents + 1> &volume, int j)
{
    double mix = 0;
    for (int i = 1; i <= b.n; ++i)
        mix += 0.01 * b.passing[size_t(j)][size_t(i)] * volume[size_t(i)];
    return mix;
}

double divergence(const Blend &b, const std::array<double, MaxComponents + 1> &mass)
{
    const auto v = volumesOf(b, mass);
    double t = 0;
    for (int j = 1; j <= b.k; ++j)
        t = std::max(t, std::fabs(b.reference[size_t(j)] - mixAt(b, v, j)));
    return t;
}

int componentsUsed(const std::array<double, MaxComponents + 1> &mass, int n)
{
    int used = 0;
    for (int i = 1; i <= n; ++i)
        used += mass[size_t(i)] > 0.0 ? 1 : 0;
    return used;
}

// What the figures of a found recipe are.
void describe(const ProjectDocument &d, const Blend &b, OptimumResult &r)
{
    r.cost = Cost::perTonne(d, r.mass, b.n);
    r.componentsUsed = componentsUsed(r.mass, b.n);
    if (d.hasEnvelope()) {
        const EnvelopeLimits limits = Envelope::limits(d);
        const auto v = volumesOf(b, r.mass);
        bool inside = true;
        for (int j = 1; j <= b.k; ++j) {
            const double mix = mixAt(b, v, j);
            inside = inside && !Envelope::below(limits, j, mix) && !Envelope::above(limits, j, mix);
        }
        r.insideEnvelope = inside;
    }
}

} // namespace

namespace Optimum {

OptimumResult solve(const ProjectDocument &d, const MixNumbers &x, const CorrectionState &s)
{
    OptimumResult result;
    Blend b;
    if (!gather(d, x, s, b, &result.problem, &result.message))
        return result;
    // A locked fraction is a fixed number: outside its own bounds no recipe can honour both.
    if (lockedOutsideBounds(b)) {
        result.conflicts << locksAndBoundsName(d, b);
        result.problem = explainLocksAndBounds(d, b);
        result.message = locksAndBoundsPrefix() + result.problem;
        return result;
    }
    const Active all = everything(b);
    auto fail = [&](const Solution &failed) {
        if (failed.outcome == Outcome::Infeasible) {
            const Explanation e = explainInfeasible(d, b);
            result.problem = e.problem;
            result.conflicts = e.conflicts;
            result.message = e.message;
        } else {
            result.problem = Texts::tr("решение не найдено (код %1).").arg(failed.code);
            result.message = notFoundPrefix() + result.problem;
        }
        return result;
    };
    if (s.optimiser.objective == Objective::Divergence) {
        const Solution closest = solveVolume(b, all, VolumeAim::Divergence);
        if (closest.outcome != Outcome::Optimal)
            return fail(closest);
        result.mass = closest.mass;
        result.divergence = closest.objective;
        // Of the recipes this close, the cheapest.
        if (b.allPriced && b.n > 1) {
            const Solution cheapest = solveCost(b, all, slackened(closest.objective));
            if (cheapest.outcome == Outcome::Optimal) {
                result.mass = cheapest.mass;
                result.divergence = divergence(b, cheapest.mass);
            }
        }
    } else {
        const Solution cheapest = solveCost(b, all);
        if (cheapest.outcome != Outcome::Optimal)
            return fail(cheapest);
        result.mass = cheapest.mass;
        // Of the recipes this cheap, the closest.
        const Solution closest = solveVolume(b, all, VolumeAim::Divergence, slackened(cheapest.objective));
        if (closest.outcome == Outcome::Optimal)
            result.mass = closest.mass;
        result.divergence = divergence(b, result.mass);
    }
    describe(d, b, result);
    result.feasible = true;
    return result;
}

CostFront costFront(const ProjectDocument &d, const MixNumbers &x, const CorrectionState &s, int points)
{
    CostFront front;
    Blend b;
    if (!gather(d, x, s, b, &front.problem, &front.message))
        return front;
    if (!b.allPriced) {
        for (int i = 1; i <= b.n; ++i) {
            if (Cost::price(d, i))
                continue;
            front.problem = Texts::tr("для фронта «стоимость – расхождение» нужна цена каждого компонента: не указана цена компонента %1 (шаг 1).")
                                .arg(componentName(d, i));
            front.message = Texts::tr("Фронт не построен: ") + front.problem;
            return front;
        }
    }
    if (lockedOutsideBounds(b)) {
        front.conflicts << locksAndBoundsName(d, b);
        front.problem = explainLocksAndBounds(d, b);
        front.message = locksAndBoundsPrefix() + front.problem;
        return front;
    }
    points = std::clamp(points, 1, 1000);
    const Active all = everything(b);
    const Solution closest = solveVolume(b, all, VolumeAim::Divergence);
    if (closest.outcome != Outcome::Optimal) {
        if (closest.outcome == Outcome::Infeasible) {
            const Explanation e = explainInfeasible(d, b);
            front.problem = e.problem;
            front.conflicts = e.conflicts;
            front.message = e.message;
        } else {
            front.problem = Texts::tr("решение не найдено (код %1).").arg(closest.code);
            front.message = notFoundPrefix() + front.problem;
        }
        return front;
    }
    const double smallest = closest.objective;
    double largest = smallest;
    const Solution cheapest = solveCost(b, all);
    if (cheapest.outcome == Outcome::Optimal) {
        const Solution closestCheap = solveVolume(b, all, VolumeAim::Divergence, slackened(cheapest.objective));
        largest = closestCheap.outcome == Outcome::Optimal ? closestCheap.objective : divergence(b, cheapest.mass);
    }
    largest = std::max(largest, smallest);
    for (int p = 0; p < points; ++p) {
        const double bound = points == 1 ? smallest : smallest + (largest - smallest) * p / (points - 1);
        const Solution point = solveCost(b, all, slackened(bound));
        if (point.outcome != Outcome::Optimal)
            continue;
        FrontPoint f;
        f.mass = point.mass;
        f.divergence = divergence(b, point.mass);
        f.cost = Cost::perTonne(d, point.mass, b.n).value_or(point.objective);
        f.componentsUsed = componentsUsed(point.mass, b.n);
        front.points << f;
    }
    std::stable_sort(front.points.begin(), front.points.end(),
                     [](const FrontPoint &a, const FrontPoint &c) { return a.divergence < c.divergence; });
    front.feasible = !front.points.isEmpty();
    if (!front.feasible) {
        front.problem = Texts::tr("решение не найдено.");
        front.message = notFoundPrefix() + front.problem;
    }
    return front;
}

double divergenceOf(const ProjectDocument &d, const MixNumbers &x, const std::array<double, MaxComponents + 1> &mass)
{
    Blend b;
    b.n = std::clamp<int>(x.componentCount, 0, MaxComponents);
    b.k = std::clamp(d.classCount(), 0, MaxClasses);
    for (int i = 1; i <= b.n; ++i)
        b.density[size_t(i)] = x.grainDensity[i] > 0 ? double(x.grainDensity[i]) : 1.0;
    for (int j = 1; j <= b.k; ++j) {
        b.reference[size_t(j)] = x.referenceCurve[j];
        for (int i = 1; i <= b.n; ++i)
            b.passing[size_t(j)][size_t(i)] = passingOf(d, x, j, i);
    }
    return divergence(b, mass);
}

namespace {

// FNV-1a over the bit patterns of the numbers.
class Digest
{
public:
    void add(quint32 v)
    {
        for (int b = 0; b < 4; ++b) {
            m_h ^= (v >> (8 * b)) & 0xFFu;
            m_h *= 0x100000001B3ull;
        }
    }
    void add(float f)
    {
        quint32 bits;
        std::memcpy(&bits, &f, sizeof bits);
        add(bits);
    }
    void add(bool b) { add(quint32(b ? 1 : 0)); }
    void add(int i) { add(quint32(i)); }
    void add(const std::optional<float> &v)
    {
        add(v.has_value());
        add(v.value_or(0.0f));
    }
    void add(const QString &text)
    {
        add(int(text.size()));
        for (const QChar c : text)
            add(quint32(c.unicode()));
    }
    quint64 value() const { return m_h; }

private:
    quint64 m_h = 0xCBF29CE484222325ull;
};

} // namespace

quint64 inputsDigest(const ProjectDocument &d, const MixNumbers &x, const CorrectionState &s, bool withObjective)
{
    Digest h;
    const int n = std::clamp<int>(x.componentCount, 0, MaxComponents);
    const int k = std::clamp<int>(d.classCount(), 0, MaxClasses);
    const bool integral = d.dataForm == GrainDataForm::Integral;
    const bool bounds = s.boundsOn;
    h.add(n);
    h.add(k);
    h.add(integral);
    h.add(bounds);
    for (int i = 1; i <= n; ++i) {
        const bool locked = s.locked[size_t(i)];
        h.add(x.grainDensity[i]);
        h.add(x.baseRecipe[i]);
        h.add(locked);
        h.add(locked ? x.correctedRecipe[i] : 0.0f);
        h.add(bounds ? s.variationMin[i] : 0.0f);
        h.add(bounds ? s.variationMax[i] : 0.0f);
    }
    for (int j = 1; j <= k; ++j) {
        h.add(x.referenceCurve[j]);
        for (int i = 1; i <= n; ++i)
            h.add(integral ? x.enteredComposition(j, i) : x.cumulativeResidue(j, i));
    }
    // The prices and the envelope as their cells read, and the settings.
    for (int i = 1; i <= n; ++i)
        h.add(d.price(i).text());
    for (int j = 1; j <= k; ++j) {
        h.add(d.envelopeLower(j).text());
        h.add(d.envelopeUpper(j).text());
    }
    const OptimiserSettings &o = s.optimiser;
    h.add(withObjective ? int(o.objective) : -1);
    h.add(o.divergenceCapOn);
    h.add(o.divergenceCapOn ? o.maxDivergenceText : QString());
    h.add(o.withinEnvelope);
    h.add(o.componentCapOn);
    h.add(o.componentCapOn ? o.maxComponents : 0);
    return h.value();
}

} // namespace Optimum
