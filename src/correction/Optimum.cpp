#include "correction/Optimum.h"

#include "core/Numbers.h"
#include "core/MixNumbers.h"
#include "core/ProjectDocument.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cstring>

#include <glpk.h>

#include <vector>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Optimum)
};

struct GlpkProblem
{
    glp_prob *lp = glp_create_prob();
    ~GlpkProblem() { glp_delete_prob(lp); }
};

// A locked component whose fraction lies outside its own bounds, while the bounds are on.
std::optional<int> lockedOutsideBounds(const MixNumbers &x, const CorrectionState &s, int n, bool bounds)
{
    if (!bounds)
        return std::nullopt;
    for (int i = 1; i <= n; ++i) {
        const float cur = x.correctedRecipe[i];
        if (s.locked[size_t(i)] && (cur < s.variationMin[i] || cur > s.variationMax[i]))
            return i;
    }
    return std::nullopt;
}

QString componentName(const ProjectDocument &d, int i)
{
    const QString &name = d.componentName(i).text();
    return !name.trimmed().isEmpty() ? QStringLiteral("«%1»").arg(name) : QStringLiteral("№%1").arg(i);
}

// Which components make the locks and bounds impossible, in words.
QString explainInfeasible(const ProjectDocument &d, const MixNumbers &x, const CorrectionState &s, int n, bool bounds)
{
    if (const auto i = lockedOutsideBounds(x, s, n, bounds))
        return Texts::tr("закрепленная доля компонента %1 (%2 %) лежит вне его границ (%3–%4 %).")
            .arg(componentName(d, *i), Num::formatRounded(double(x.correctedRecipe[*i]), 2),
                 Num::formatRounded(double(s.variationMin[*i]), 2), Num::formatRounded(double(s.variationMax[*i]), 2));
    double lockedSum = 0, minSum = 0, maxSum = 0;
    QStringList locked, lower, upper;
    for (int i = 1; i <= n; ++i) {
        if (s.locked[size_t(i)]) {
            lockedSum += x.correctedRecipe[i];
            locked << componentName(d, i);
            continue;
        }
        const double lo = bounds ? s.variationMin[i] : 0.0, hi = bounds ? s.variationMax[i] : 100.0;
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

} // namespace

namespace Optimum {

OptimumResult solve(const ProjectDocument &d, const MixNumbers &x, const CorrectionState &s)
{
    OptimumResult result;
    const int n = x.componentCount;
    const int k = d.classCount();
    if (n < 1 || n > MaxComponents || k < 1 || k > MaxClasses) {
        result.problem = Texts::tr("проект должен иметь от 1 до 10 компонентов и от 1 до 50 классов крупности.");
        return result;
    }
    for (int i = 1; i <= n; ++i) {
        if (!(x.grainDensity[i] > 0)) {
            result.problem = Texts::tr("плотность компонента %1 должна быть больше нуля.").arg(componentName(d, i));
            return result;
        }
    }
    const bool bounds = s.boundsOn;
    const bool integral = d.dataForm == GrainDataForm::Integral;
    // A locked fraction is fixed: outside its bounds no recipe can honour both.
    if (lockedOutsideBounds(x, s, n, bounds)) {
        result.problem = explainInfeasible(d, x, s, n, bounds);
        return result;
    }

    GlpkProblem prob;
    glp_prob *lp = prob.lp;
    glp_set_obj_dir(lp, GLP_MIN);
    // Columns 1..n: V_i >= 0; column n + 1: t >= 0.
    glp_add_cols(lp, n + 1);
    for (int i = 1; i <= n; ++i)
        glp_set_col_bnds(lp, i, GLP_LO, 0.0, 0.0);
    glp_set_col_bnds(lp, n + 1, GLP_LO, 0.0, 0.0);
    glp_set_obj_coef(lp, n + 1, 1.0);

    std::vector<int> ia(1), ja(1);
    std::vector<double> ar(1);
    auto addRow = [&](int type, double lo, double hi, const std::vector<std::pair<int, double>> &coefs) {
        const int row = glp_add_rows(lp, 1);
        glp_set_row_bnds(lp, row, type, lo, hi);
        for (const auto &[col, value] : coefs) {
            ia.push_back(row);
            ja.push_back(col);
            ar.push_back(value);
        }
    };
    for (int j = 1; j <= k; ++j) {
        const double ref = x.referenceCurve[j];
        std::vector<std::pair<int, double>> up, down;
        for (int i = 1; i <= n; ++i) {
            const double passing = integral ? double(x.enteredComposition(j, i)) : 100.0 - double(x.cumulativeResidue(j, i));
            up.emplace_back(i, 0.01 * passing);
            down.emplace_back(i, 0.01 * passing);
        }
        up.emplace_back(n + 1, -1.0);   // mix - t <= ref
        down.emplace_back(n + 1, 1.0);  // mix + t >= ref
        addRow(GLP_UP, 0.0, ref, up);
        addRow(GLP_LO, ref, 0.0, down);
    }
    {
        std::vector<std::pair<int, double>> sum;
        for (int i = 1; i <= n; ++i)
            sum.emplace_back(i, 1.0);
        addRow(GLP_FX, 100.0, 100.0, sum);
    }
    // 100 V_i rho_i - f * sum_k V_k rho_k, the mass fraction condition of component i.
    auto fractionRow = [&](int i, double f) {
        std::vector<std::pair<int, double>> coefs;
        for (int c = 1; c <= n; ++c)
            coefs.emplace_back(c, (c == i ? 100.0 : 0.0) * x.grainDensity[c] - f * x.grainDensity[c]);
        return coefs;
    };
    for (int i = 1; i <= n; ++i) {
        if (s.locked[size_t(i)]) {
            addRow(GLP_FX, 0.0, 0.0, fractionRow(i, x.correctedRecipe[i]));
        } else if (bounds) {
            addRow(GLP_LO, 0.0, 0.0, fractionRow(i, s.variationMin[i]));
            addRow(GLP_UP, 0.0, 0.0, fractionRow(i, s.variationMax[i]));
        }
    }
    glp_load_matrix(lp, int(ia.size()) - 1, ia.data(), ja.data(), ar.data());

    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    parm.presolve = GLP_ON;
    const int ret = glp_simplex(lp, &parm);
    const int status = glp_get_status(lp);
    if (ret == GLP_ENOPFS || status == GLP_NOFEAS || status == GLP_INFEAS) {
        result.problem = explainInfeasible(d, x, s, n, bounds);
        return result;
    }
    if (ret != 0 || status != GLP_OPT) {
        result.problem = Texts::tr("решение не найдено (код %1).").arg(ret);
        return result;
    }
    double volumeMass = 0;
    for (int i = 1; i <= n; ++i)
        volumeMass += glp_get_col_prim(lp, i) * x.grainDensity[i];
    if (!(volumeMass > 0)) {
        result.problem = Texts::tr("решение не найдено.");
        return result;
    }
    for (int i = 1; i <= n; ++i)
        result.mass[size_t(i)] = std::max(0.0, 100.0 * glp_get_col_prim(lp, i) * x.grainDensity[i] / volumeMass);
    result.divergence = glp_get_obj_val(lp);
    result.feasible = true;
    return result;
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
    quint64 value() const { return m_h; }

private:
    quint64 m_h = 0xCBF29CE484222325ull;
};

} // namespace

quint64 inputsDigest(const ProjectDocument &d, const MixNumbers &x, const CorrectionState &s)
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
    return h.value();
}

} // namespace Optimum
