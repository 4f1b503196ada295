#include "core/Cost.h"

#include "core/ProjectDocument.h"

#include <cmath>

namespace Cost {

std::optional<double> price(const ProjectDocument &d, int i)
{
    const auto p = d.price(i).number();
    if (!p || !(*p >= 0.0f))
        return std::nullopt;
    return double(*p);
}

namespace {

template <typename Shares>
std::optional<double> weighted(const ProjectDocument &d, const Shares &share, int n)
{
    if (n < 1 || n > MaxComponents)
        return std::nullopt;
    double cost = 0.0;
    for (int i = 1; i <= n; ++i) {
        const double m = double(share(i));
        if (m == 0.0)
            continue;
        const auto p = price(d, i);
        if (!p)
            return std::nullopt;
        cost += m * *p / 100.0;
    }
    if (!std::isfinite(cost))
        return std::nullopt;
    return cost;
}

} // namespace

std::optional<double> perTonne(const ProjectDocument &d, const ComponentFloats &recipe, int n)
{
    return weighted(d, [&recipe](int i) { return recipe[i]; }, n);
}

std::optional<double> perTonne(const ProjectDocument &d, const std::array<double, MaxComponents + 1> &mass, int n)
{
    return weighted(d, [&mass](int i) { return mass[size_t(i)]; }, n);
}

} // namespace Cost
