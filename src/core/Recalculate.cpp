#include "core/Recalculate.h"

#include "core/GrainMath.h"
#include "core/Numbers.h"
#include "core/Reference.h"

namespace {

// The leading number of a field as a whole number (halves to even).
std::optional<int16_t> leadingCount(const Control &field)
{
    return Num::toInt16(Num::Val(field.text()));
}

// (table width - margin) / column count, rounded; fails on a division by zero.
std::optional<int> spreadWidth(const GridModel &grid, int margin)
{
    const auto w = Num::divide(double(grid.width() - margin), double(grid.cols()));
    if (!w)
        return std::nullopt;
    return Num::toInt32(*w);
}

void setSpreadWidth(GridModel &grid, int col, int margin)
{
    if (const auto w = spreadWidth(grid, margin))
        grid.setColumnWidth(col, *w);
}

// The name on the slider of component i: its name from step 1, followed by its number when
// another of the n components has the same name (two database rows may share one).
QString sliderName(const MixProject &p, const QString &name, int i, int n)
{
    const QString key = name.trimmed();
    if (key.isEmpty())
        return name;
    for (int j = 1; j <= n; ++j) {
        const QString *other = j != i ? p.cellText(p.tabl[1], 1, j - 1) : nullptr;
        if (other && other->trimmed() == key)
            return name + QStringLiteral(" (%1)").arg(i);
    }
    return name;
}

} // namespace

void Recalculate(MixProject &p)
{
    // 1. The component count.
    if (const auto n = leadingCount(p.N))
        p.ComponentCount = *n;
    const int n = p.ComponentCount;

    // 2. The controls under the slider list of step 5.
    if (SliderModel *last = p.slider(n))
        p.IshReset.setTop(last->top() + 500);
    p.summa.setTop(p.IshReset.top());
    p.Label60.setTop(p.IshReset.top() + 45);
    p.AutoCheck.setTop(p.IshReset.top() + p.IshReset.height() + 200);
    p.BoundsCheck.setTop(p.AutoCheck.top() + 600);
    p.CommandBounds.setTop(p.BoundsCheck.top() + 120);
    p.CommandOptimum.setTop(p.BoundsCheck.top() + 700);
    p.LabelOptimum.setTop(p.CommandOptimum.top() + 450);

    // 3. The shapes of the tables.
    const auto kShape = leadingCount(p.K);
    p.tabl[1].setCols(n);
    p.tabl[2].setCols(n);
    p.tabl[3].setCols(n + 1);
    p.tabl[4].setCols(n);
    if (kShape)
        p.tabl[5].setCols(*kShape + 1);
    p.setCellText(p.tabl[3], 0, 0, QStringLiteral("Dj"));
    if (kShape)
        p.tabl[3].setRows(*kShape + 1);
    p.setCellText(p.tabl[5], 0, 0, QStringLiteral("Dj"));
    p.setCellText(p.tabl[5], 1, 0, QStringLiteral("A'j"));

    // 4. Headers, widths and the per-component inputs.
    for (int i = 1; i <= n; ++i) {
        const QString number = Num::formatInt(i);
        p.setCellText(p.tabl[1], 0, i - 1, number);
        p.setCellText(p.tabl[2], 0, i - 1, number);
        if (const QString *name = p.cellText(p.tabl[1], 1, i - 1)) {
            const QString copy = *name;
            p.setCellText(p.tabl[3], 0, i, copy);
            p.setCellText(p.tabl[4], 0, i - 1, copy);
        }
        setSpreadWidth(p.tabl[1], i - 1, 100);
        setSpreadWidth(p.tabl[2], i - 1, 100);
        setSpreadWidth(p.tabl[4], i - 1, 100);
        setSpreadWidth(p.tabl[3], i, 250);
        if (const auto m = p.cellNumber(p.tabl[4], 1, i - 1))
            p.BaseRecipe.set(i, *m);
        if (const auto rho = p.cellNumber(p.tabl[2], 1, i - 1))
            p.GrainDensity.set(i, *rho);
    }

    // 5. Volume fractions, all from the same complete set of fractions and densities.
    for (int i = 1; i <= n; ++i) {
        if (const auto v = VolumeFraction(p.BaseRecipe, p.GrainDensity, n, i))
            p.BaseVolumeFraction.set(i, *v);
        if (const auto v = VolumeFraction(p.CorrectedRecipe, p.GrainDensity, n, i))
            p.CorrectedVolumeFraction.set(i, *v);
    }

    // 6. The sum of the base recipe.
    if (const auto sum = RecipeSum(p.BaseRecipe, n))
        p.mass0_sum.setText(Num::formatRounded(double(*sum), 2));

    // 7. The size column is as wide as the last component column.
    p.tabl[3].setColumnWidth(0, p.tabl[3].columnWidth(n));

    // 8. The slider rows of step 5.
    for (int i = 1; i <= MaxComponents; ++i) {
        if (i > n) {
            p.k_name[i].setVisible(false);
            p.Pol_label[i].setVisible(false);
            p.M_lab[i].setVisible(false);
            p.M_lab_rn[i].setVisible(false);
            p.SBegunok[i].setVisible(false);
            p.MarkerBMin[i].setVisible(false);
            p.MarkerBMax[i].setVisible(false);
            p.MPlus[i].setVisible(false);
            p.MMinus[i].setVisible(false);
            p.MLock[i].setVisible(false);
            p.lock_pic[i].setVisible(false);
        } else {
            if (const QString *name = p.cellText(p.tabl[1], 1, i - 1))
                p.k_name[i].setText(sliderName(p, *name, i, n));
            p.k_name[i].setVisible(true);
            p.Pol_label[i].setVisible(true);
            p.M_lab[i].setVisible(true);
            p.M_lab_rn[i].setVisible(true);
            p.SBegunok[i].setVisible(true);
            if (p.BoundsCheck.isChecked()) {
                p.MarkerBMin[i].setVisible(true);
                p.MarkerBMax[i].setVisible(true);
            }
            p.MPlus[i].setVisible(true);
            p.MMinus[i].setVisible(true);
            p.MLock[i].setVisible(true);
            p.lock_pic[i].setVisible(true);
        }
    }

    // 9. The size classes.
    if (const auto kc = leadingCount(p.K)) {
        const GrainDataForm form = p.dataForm();
        // The coefficients are read once for the pass: nothing in the loop can change them.
        const Coefficients c = ReadCoefficients(p);
        for (int j = 1; j <= *kc; ++j) {
            setSpreadWidth(p.tabl[5], j, 250);
            if (const QString *size = p.cellText(p.tabl[3], j, 0)) {
                const QString copy = *size;
                p.setCellText(p.tabl[5], 0, j, copy);
            }
            for (int i = 1; i <= n; ++i) {
                const auto value = p.cellNumber(p.tabl[3], j, i);
                if (value)
                    p.EnteredComposition.set(j, i, *value);
                if (const auto r = CumulateResidue(value, p.CumulativeResidue, j, i))
                    p.CumulativeResidue.set(j, i, *r);
            }
            if (const auto base = MixPassing(p.BaseVolumeFraction, form, p.EnteredComposition, p.CumulativeResidue, n, j))
                if (const auto f = Num::single(*base))
                    p.BaseMixCurve.set(j, *f);
            if (const auto corrected = MixPassing(p.CorrectedVolumeFraction, form, p.EnteredComposition, p.CumulativeResidue, n, j))
                if (const auto f = Num::single(*corrected))
                    p.CorrectedMixCurve.set(j, *f);

            if (const auto d = p.cellNumber(p.tabl[3], j, 0))
                p.SieveSize.set(j, *d);
            if (const auto d = p.cellNumber(p.tabl[3], 1, 0))
                p.MaxSize = *d;
            if (const auto k = leadingCount(p.K))
                if (const auto d = p.cellNumber(p.tabl[3], *k, 0))
                    p.MinSize = *d;

            ReferenceAt(p, j, c);
            DeviationAt(p, j);
        }
    }

    // 10. The divergence and the band.
    UpdateDivergence(p);

    // 11. The header column of the reference table.
    if (const auto k = leadingCount(p.K))
        p.tabl[5].setColumnWidth(0, p.tabl[5].columnWidth(*k));

    // 12. The graph redraws from the new numbers.
    p.notifyRecalculated();
}
