#include "correction/Optimum.h"

#include "core/Numbers.h"
#include "correction/AutoSelection.h"

#include <glpk.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct GlpkProblem
{
    glp_prob *lp = glp_create_prob();
    ~GlpkProblem() { glp_delete_prob(lp); }
};

// A locked component whose fraction lies outside its own bounds, while the bounds are on.
std::optional<int> lockedOutsideBounds(const MixProject &p, int n, bool bounds)
{
    if (!bounds)
        return std::nullopt;
    for (int i = 1; i <= n; ++i) {
        const float cur = p.CorrectedRecipe[i];
        if (p.MLock[i].isChecked() && (cur < p.VariationMin[i] || cur > p.VariationMax[i]))
            return i;
    }
    return std::nullopt;
}

QString componentName(const MixProject &p, int i)
{
    const QString *name = p.cellText(p.tabl[1], 1, i - 1);
    return name && !name->trimmed().isEmpty() ? QStringLiteral("«%1»").arg(*name) : QStringLiteral("№%1").arg(i);
}

// Which components make the locks and bounds impossible, in words.
QString explainInfeasible(const MixProject &p, int n, bool bounds)
{
    if (const auto i = lockedOutsideBounds(p, n, bounds))
        return QStringLiteral("закрепленная доля компонента %1 (%2 %) лежит вне его границ (%3–%4 %).")
            .arg(componentName(p, *i), Num::formatRounded(double(p.CorrectedRecipe[*i]), 2),
                 Num::formatRounded(double(p.VariationMin[*i]), 2), Num::formatRounded(double(p.VariationMax[*i]), 2));
    double lockedSum = 0, minSum = 0, maxSum = 0;
    QStringList locked, lower, upper;
    for (int i = 1; i <= n; ++i) {
        if (p.MLock[i].isChecked()) {
            lockedSum += p.CorrectedRecipe[i];
            locked << componentName(p, i);
            continue;
        }
        const double lo = bounds ? p.VariationMin[i] : 0.0, hi = bounds ? p.VariationMax[i] : 100.0;
        minSum += lo;
        maxSum += hi;
        if (lo > 0)
            lower << componentName(p, i);
        if (hi < 100)
            upper << componentName(p, i);
    }
    if (lockedSum + minSum > 100.0 + 1e-9)
        return QStringLiteral("закрепленные доли и нижние границы компонентов %1 в сумме больше 100 %.")
            .arg((locked + lower).join(QStringLiteral(", ")));
    if (lockedSum + maxSum < 100.0 - 1e-9)
        return QStringLiteral("закрепленные доли и верхние границы компонентов %1 в сумме меньше 100 %.")
            .arg((locked + upper).join(QStringLiteral(", ")));
    return QStringLiteral("закрепленные доли и границы компонентов %1 несовместимы.")
        .arg((locked + lower + upper).join(QStringLiteral(", ")));
}

} // namespace

OptimumResult SolveOptimum(const MixProject &p)
{
    OptimumResult result;
    const int n = p.ComponentCount;
    const int k = Num::toInt16(Num::Val(p.K.text())).value_or(0);
    if (n < 1 || n > MaxComponents || k < 1 || k > MaxClasses) {
        result.problem = QStringLiteral("проект должен иметь от 1 до 10 компонентов и от 1 до 50 классов крупности.");
        return result;
    }
    for (int i = 1; i <= n; ++i) {
        if (!(p.GrainDensity[i] > 0)) {
            result.problem = QStringLiteral("плотность компонента %1 должна быть больше нуля.").arg(componentName(p, i));
            return result;
        }
    }
    const bool bounds = p.BoundsCheck.isChecked();
    const bool integral = p.dataForm() == GrainDataForm::Integral;
    // A locked fraction is fixed: outside its bounds no recipe can honour both.
    if (lockedOutsideBounds(p, n, bounds)) {
        result.problem = explainInfeasible(p, n, bounds);
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
        const double ref = p.ReferenceCurve[j];
        std::vector<std::pair<int, double>> up, down;
        for (int i = 1; i <= n; ++i) {
            const double passing = integral ? double(p.EnteredComposition(j, i)) : 100.0 - double(p.CumulativeResidue(j, i));
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
            coefs.emplace_back(c, (c == i ? 100.0 : 0.0) * p.GrainDensity[c] - f * p.GrainDensity[c]);
        return coefs;
    };
    for (int i = 1; i <= n; ++i) {
        if (p.MLock[i].isChecked()) {
            addRow(GLP_FX, 0.0, 0.0, fractionRow(i, p.CorrectedRecipe[i]));
        } else if (bounds) {
            addRow(GLP_LO, 0.0, 0.0, fractionRow(i, p.VariationMin[i]));
            addRow(GLP_UP, 0.0, 0.0, fractionRow(i, p.VariationMax[i]));
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
        result.problem = explainInfeasible(p, n, bounds);
        return result;
    }
    if (ret != 0 || status != GLP_OPT) {
        result.problem = QStringLiteral("решение не найдено (код %1).").arg(ret);
        return result;
    }
    double volumeMass = 0;
    for (int i = 1; i <= n; ++i)
        volumeMass += glp_get_col_prim(lp, i) * p.GrainDensity[i];
    if (!(volumeMass > 0)) {
        result.problem = QStringLiteral("решение не найдено.");
        return result;
    }
    for (int i = 1; i <= n; ++i)
        result.mass[size_t(i)] = std::max(0.0, 100.0 * glp_get_col_prim(lp, i) * p.GrainDensity[i] / volumeMass);
    result.divergence = glp_get_obj_val(lp);
    result.feasible = true;
    return result;
}

void AdoptOptimum(MixProject &p, const OptimumResult &r)
{
    if (!r.feasible)
        return;
    const int n = std::min<int>(p.ComponentCount, MaxComponents);
    for (int i = 1; i <= n; ++i)
        p.TrialRecipe.set(i, float(r.mass[size_t(i)]));
    // Locked components keep their fractions exactly.
    for (int i = 1; i <= n; ++i)
        if (p.MLock[i].isChecked())
            p.TrialRecipe.set(i, p.CorrectedRecipe[i]);
    // Adopted as an accepted trial is; the solution respects the bounds already (a float may
    // stand a hair outside one, which must not undo the adoption).
    // The guard keeps the sliders' change notifications from rebalancing the recipe.
    p.SliderMouseChangeStatus.setText(QStringLiteral("1"));
    ApplyTrial(p, false);
    p.SliderMouseChangeStatus.setText(QStringLiteral("0"));
    p.LabelOptimum.setText(QStringLiteral("Минимально возможное расхождение: ") + Num::formatRounded(r.divergence, 2)
                           + QStringLiteral(" %"));
    p.OptimumFoundFor = OptimumInputsDigest(p);
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

quint64 OptimumInputsDigest(const MixProject &p)
{
    Digest d;
    const int n = std::clamp<int>(p.ComponentCount, 0, MaxComponents);
    const int k = std::clamp<int>(Num::toInt16(Num::Val(p.K.text())).value_or(0), 0, MaxClasses);
    const bool integral = p.dataForm() == GrainDataForm::Integral;
    const bool bounds = p.BoundsCheck.isChecked();
    d.add(n);
    d.add(k);
    d.add(integral);
    d.add(bounds);
    for (int i = 1; i <= n; ++i) {
        const bool locked = p.MLock[i].isChecked();
        d.add(p.GrainDensity[i]);
        d.add(p.BaseRecipe[i]);
        d.add(locked);
        d.add(locked ? p.CorrectedRecipe[i] : 0.0f);
        d.add(bounds ? p.VariationMin[i] : 0.0f);
        d.add(bounds ? p.VariationMax[i] : 0.0f);
    }
    for (int j = 1; j <= k; ++j) {
        d.add(p.ReferenceCurve[j]);
        for (int i = 1; i <= n; ++i)
            d.add(integral ? p.EnteredComposition(j, i) : p.CumulativeResidue(j, i));
    }
    return d.value();
}

void RefreshOptimumReadout(MixProject &p)
{
    if (!p.OptimumFoundFor && p.LabelOptimum.text().isEmpty())
        return;
    if (!p.TablesValid || !p.OptimumFoundFor || *p.OptimumFoundFor != OptimumInputsDigest(p))
        ForgetOptimum(p);
}

void ForgetOptimum(MixProject &p)
{
    p.OptimumFoundFor.reset();
    p.LabelOptimum.setText(QStringView());
}
