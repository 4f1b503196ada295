#include "core/GrainMath.h"

#include "core/Numbers.h"

#include <cmath>

namespace Grain {

std::optional<float> recipeSum(const ComponentFloats &recipe, int n)
{
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) {
        const auto m = recipe.get(i);
        if (!m)
            return std::nullopt;
        sum += double(*m);
    }
    return Num::single(sum);
}

std::optional<float> volumeFraction(const ComponentFloats &recipe, const ComponentFloats &density, int n, int i)
{
    double total = 0.0;
    for (int k = 1; k <= n; ++k) {
        const auto m = recipe.get(k);
        const auto rho = density.get(k);
        if (!m || !rho)
            return std::nullopt;
        const auto q = Num::divide(double(*m), double(*rho));
        if (!q)
            return std::nullopt;
        total += *q;
    }
    const auto m = recipe.get(i);
    const auto rho = density.get(i);
    if (!m || !rho)
        return std::nullopt;
    const auto own = Num::divide(double(*m), double(*rho));
    if (!own)
        return std::nullopt;
    const auto share = Num::divide(100.0 * *own, total);
    if (!share)
        return std::nullopt;
    return Num::single(*share);
}

void setVolumeFractions(const ComponentFloats &recipe, const ComponentFloats &density, int n, ComponentFloats &out)
{
    // The total is the same for every component: formed once, as volumeFraction() forms it.
    double total = 0.0;
    for (int k = 1; k <= n; ++k) {
        const auto m = recipe.get(k);
        const auto rho = density.get(k);
        if (!m || !rho)
            return;
        const auto q = Num::divide(double(*m), double(*rho));
        if (!q)
            return;
        total += *q;
    }
    for (int i = 1; i <= n; ++i) {
        const auto own = Num::divide(double(recipe[i]), double(density[i]));
        if (!own)
            continue;
        const auto share = Num::divide(100.0 * *own, total);
        if (!share)
            continue;
        if (const auto v = Num::single(*share))
            out.set(i, *v);
    }
}

std::optional<float> cumulateResidue(std::optional<float> value, const ClassTable<float> &cumulative, int j, int i)
{
    if (!value || !ClassTable<float>::has(j, i))
        return std::nullopt;
    if (j <= 1)
        return *value;
    const auto previous = cumulative.get(j - 1, i);
    if (!previous)
        return std::nullopt;
    return Num::single(double(*value) + double(*previous));
}

std::optional<double> mixPassing(const ComponentFloats &volumeFraction, GrainDataForm form,
                                 const ClassTable<float> &entered, const ClassTable<float> &cumulative,
                                 int n, int j)
{
    // Every index the sum reads must lie in the storage, or the operation fails.
    if (!ClassTable<float>::has(j, n) || !ComponentFloats::has(n))
        return std::nullopt;
    const ClassTable<float> &table = form == GrainDataForm::Integral ? entered : cumulative;
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double value = double(table(j, i));
        const double passing = form == GrainDataForm::Integral ? value : 100.0 - value;
        sum += passing * double(volumeFraction[i]) * 0.01;
    }
    if (!std::isfinite(sum))
        return std::nullopt;
    return sum;
}

} // namespace Grain
