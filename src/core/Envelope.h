#pragma once

// The grading envelope: for each size class an optional lower and upper limit of the mix's
// passing, percent, from a standard or a client's requirements. The mix keeps inside it when
// its passing at every class lies within the limits given there.

#include "core/Storage.h"

#include <QList>

#include <array>
#include <optional>

class ProjectDocument;

struct EnvelopeLimits
{
    std::array<std::optional<float>, MaxClasses + 1> lower{}; // index 1..K
    std::array<std::optional<float>, MaxClasses + 1> upper{};
    bool any = false; // whether any limit is set
};

namespace Envelope {

// The limits of classes 1..K as their cells give them; an empty cell, or one that is not a
// number, sets no limit (the table check reports the latter).
EnvelopeLimits limits(const ProjectDocument &document);

// Whether a passing lies outside the limits of class j, compared as the tables show passings:
// rounded to 2 decimals (a mix found exactly on a limit stays inside it).
bool below(const EnvelopeLimits &limits, int j, double passing);
bool above(const EnvelopeLimits &limits, int j, double passing);

// The classes 1..k where a curve leaves the envelope, in order.
QList<int> departures(const EnvelopeLimits &limits, const ClassFloats &curve, int k);

} // namespace Envelope
