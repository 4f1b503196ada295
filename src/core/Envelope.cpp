#include "core/Envelope.h"

#include "core/Numbers.h"
#include "core/ProjectDocument.h"

#include <algorithm>

namespace Envelope {

EnvelopeLimits limits(const ProjectDocument &d)
{
    EnvelopeLimits e;
    const int k = std::clamp(d.classCount(), 0, MaxClasses);
    for (int j = 1; j <= k; ++j) {
        e.lower[size_t(j)] = d.envelopeLower(j).number();
        e.upper[size_t(j)] = d.envelopeUpper(j).number();
        e.any = e.any || e.lower[size_t(j)] || e.upper[size_t(j)];
    }
    return e;
}

// Both sides as stored reals: a limit typed "62,74" is the float nearest to it, and so is the
// passing shown as 62,74.
bool below(const EnvelopeLimits &e, int j, double passing)
{
    if (j < 1 || j > MaxClasses || !e.lower[size_t(j)])
        return false;
    return float(Num::roundHalfEven(passing, 2)) < *e.lower[size_t(j)];
}

bool above(const EnvelopeLimits &e, int j, double passing)
{
    if (j < 1 || j > MaxClasses || !e.upper[size_t(j)])
        return false;
    return float(Num::roundHalfEven(passing, 2)) > *e.upper[size_t(j)];
}

QList<int> departures(const EnvelopeLimits &e, const ClassFloats &curve, int k)
{
    QList<int> classes;
    if (!e.any)
        return classes;
    for (int j = 1; j <= std::min(k, MaxClasses); ++j) {
        const auto a = curve.get(j);
        if (a && (below(e, j, double(*a)) || above(e, j, double(*a))))
            classes << j;
    }
    return classes;
}

} // namespace Envelope
