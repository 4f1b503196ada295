#include "checking/Validation.h"

#include "core/Numbers.h"
#include "correction/ManualCorrection.h"

namespace {

const QString Blank = QStringLiteral(" ");

// The error lines of the components, made once (the run repeats every millisecond).
const QString &componentMessage(bool integral, int i)
{
    static const auto make = [](bool integral) {
        std::array<QString, MaxComponents + 1> lines;
        for (int k = 1; k <= MaxComponents; ++k)
            lines[size_t(k)] = integral
                ? QStringLiteral("-> Процентное содержание частиц компонента %1 задано НЕ в порядке убывания.").arg(k)
                : QStringLiteral("-> В столбце процентного содержания частиц компонента %1 допущены синтаксические ошибки ввода.").arg(k);
        return lines;
    };
    static const std::array<QString, MaxComponents + 1> integralLines = make(true);
    static const std::array<QString, MaxComponents + 1> differentialLines = make(false);
    return integral ? integralLines[size_t(i)] : differentialLines[size_t(i)];
}

// The rule of an ordered column: class 1 must be numeric; a later class needs both its own
// and the previous text numeric, and previous >= own (equal neighbours pass).
bool orderedFails(const std::optional<float> &previous, const std::optional<float> &own, int j)
{
    if (j == 1)
        return !own;
    return !previous || !own || !(*previous >= *own);
}

} // namespace

void ValidateTables(MixProject &p, bool clipboardHasText)
{
    auto &v = p.validation;
    // 1.
    p.PoleError.setVisible(p.ComErrView.isChecked());
    // 2.
    v.densityErrors = 0;
    v.recipeErrors = 0;
    const int n = Num::toInt16(Num::Val(p.N.text())).value_or(0);
    const int k = Num::toInt16(Num::Val(p.K.text())).value_or(0);
    const bool integral = p.Data_type_1.isChecked();
    GridModel &t2 = p.tabl[2], &t3 = p.tabl[3], &t4 = p.tabl[4], &t5 = p.tabl[5];

    // 3.
    for (int i = 1; i <= n; ++i) {
        if (i > MaxComponents)
            return; // no controls or slots beyond ten components: the run stops here
        // 3.1 Range guard of the corrected fraction as shown.
        const auto shown = Num::toSingle(p.M_lab[i].text());
        if (!shown)
            return; // the rest of the run is skipped; the next tick starts again
        if (*shown < 0.0f || *shown > 100.0f)
            ResetCorrectedRecipe(p);
        // 3.2 Density.
        v.densityError[size_t(i)] = !p.cellNumber(t2, 1, i - 1);
        v.densityErrors += v.densityError[size_t(i)];
        // 3.3 Sizes, percentages and the reference, class by class.
        v.sizeErrors = 0;
        v.componentErrors[size_t(i)] = 0;
        for (int j = 1; j <= k; ++j) {
            if (j > MaxClasses)
                return; // class 51 has no slot: the displays keep the last complete run
            // The size and reference rules give the same result for every component: they are
            // evaluated with the first one and counted again for the others.
            if (i == 1) {
                const auto size = p.cellNumber(t3, j, 0);
                const auto prevSize = j > 1 ? p.cellNumber(t3, j - 1, 0) : std::nullopt;
                v.sizeError[size_t(j)] = orderedFails(prevSize, size, j);
                const auto ref = p.cellNumber(t5, 1, j);
                v.referenceError[size_t(j)] = orderedFails(j > 1 ? p.cellNumber(t5, 1, j - 1) : std::nullopt, ref, j);
            }
            v.sizeErrors += v.sizeError[size_t(j)];

            const auto value = p.cellNumber(t3, j, i);
            bool fractionFails;
            if (integral)
                fractionFails = orderedFails(j > 1 ? p.cellNumber(t3, j - 1, i) : std::nullopt, value, j);
            else
                fractionFails = !value;
            v.fractionError[size_t(i)][size_t(j)] = fractionFails;
            v.componentErrors[size_t(i)] += fractionFails;
        }
        // 3.4
        v.referenceErrors = 0;
        for (int j = 1; j <= k; ++j)
            v.referenceErrors += v.referenceError[size_t(j)];
        // 3.5
        if (v.componentErrors[size_t(i)] == 0) {
            p.PErrA[i].setText(Blank);
            p.PErrA[i].setVisible(false);
        } else {
            p.PErrA[i].setVisible(true);
            p.PErrA[i].setText(componentMessage(integral, i));
        }
        // 3.6 Base recipe.
        bool recipeFails = true;
        if (p.cellNumber(t4, 1, i - 1)) {
            const auto sum = Num::toSingle(p.mass0_sum.text());
            if (!sum)
                return;
            recipeFails = *sum != 100.0f;
        }
        v.recipeError[size_t(i)] = recipeFails;
        v.recipeErrors += recipeFails;
    }
    // 4.
    if (v.sizeErrors == 0) {
        p.PErr1.setText(Blank);
        p.PErr1.setVisible(false);
    } else {
        p.PErr1.setText(QStringLiteral("-> Диаметры частиц заданы НЕ в порядке убывания, либо допущены синтаксические ошибки."));
        p.PErr1.setVisible(true);
    }
    // 5.
    for (int i = std::max(n + 1, 1); i <= MaxComponents; ++i)
        p.PErrA[i].setVisible(false);
    // 6.
    const QString incomplete = QStringLiteral("Таблица заполнена не до конца, либо допущены синтаксические ошибки!");
    p.ErrTab1.setText(v.densityErrors != 0 ? incomplete : Blank);
    p.DensityRowValid = v.densityErrors == 0;
    // 7.
    bool anyLine = p.PErr1.isVisible();
    for (int i = 1; i <= MaxComponents; ++i)
        anyLine = anyLine || p.PErrA[i].isVisible();
    if (!anyLine) {
        p.PoleError.setVisible(false);
        p.ComErrView.setEnabled(false);
        p.ErrBorder.setVisible(false);
        p.GrainTableValid = true;
    } else {
        p.ComErrView.setEnabled(true);
        p.ErrBorder.setVisible(true);
        p.GrainTableValid = false;
    }
    // 8.
    if (v.recipeErrors != 0) {
        p.ErrTab4.setText(QStringLiteral("Таблица содержит ошибки (сумма массовых долей <> 100%)!"));
        p.ErrBorder4.setVisible(true);
        p.BaseRecipeValid = false;
    } else {
        p.ErrTab4.setText(Blank);
        p.ErrBorder4.setVisible(false);
        p.BaseRecipeValid = true;
    }
    // 9.
    p.ErrTab5.setText(v.referenceErrors != 0 ? incomplete : Blank);
    p.ReferenceTableValid = v.referenceErrors == 0;
    // 10. The diagram shows the base recipe only while it is valid: the window redraws it when
    // BaseRecipeValid changes (the tick compares the flags before and after this run).
    // 11.
    p.TablesValid = p.DensityRowValid && p.GrainTableValid && p.BaseRecipeValid && p.ReferenceTableValid;
    p.AutoCheck.setEnabled(p.TablesValid);
    // 12.
    p.ComPaste.setEnabled(clipboardHasText);
}

void LayoutErrorList(MixProject &p)
{
    const auto &v = p.validation;
    p.PErr1.setTop(480);
    p.PErrA[1].setTop(p.PErr1.top() + (v.sizeErrors >= 1 ? 240 : 0));
    for (int k = 1; k <= 9; ++k)
        p.PErrA[k + 1].setTop(p.PErrA[k].top() + (v.componentErrors[size_t(k)] >= 1 ? 240 : 0));
}
