#pragma once

// The automatic selection of step 5.2: one step of a random walk of the trial recipe per
// Timer1 tick while AutoCheck is checked. A trial whose divergence is strictly smaller than the
// current one (and, with BoundsCheck, within the bounds) becomes the corrected recipe.

#include "core/MixProject.h"

#include <cstdint>
#include <initializer_list>

// A uniform generator on [0, 1). The window mixes the clock into it on every tick; tests and
// the command-line tool seed it once and get the same walk every time.
class SearchRandom
{
public:
    explicit SearchRandom(uint64_t seed = 1) { this->seed(seed); }
    void seed(uint64_t seed) { m_state = seed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL; }
    // Stirs the clock (seconds since midnight) into the state without restarting the sequence.
    void mix(double clock);
    float next();
    // Tests: the next numbers drawn are these, then the generator goes on.
    void script(std::initializer_list<float> values);

private:
    uint64_t m_state = 0;
    float m_script[8] = {};
    int m_scripted = 0;
    int m_scriptPos = 0;
};

// Counts of one run, for the command-line tool and the benchmarks.
struct SearchCounts
{
    long steps = 0;
    long adopted = 0;
};

// One step of the search (does nothing unless AutoCheck is checked and at least two
// components are free). Returns true when the trial was adopted.
bool AutoSelectionStep(MixProject &project, SearchRandom &random);

// Adopts the trial (within the bounds, when they are on) and recomputes the corrected curve,
// the divergence and the band from the corrected recipe. Returns true when adopted.
// `checkBounds` false adopts without looking at the bounds (a recipe known to respect them).
bool ApplyTrial(MixProject &project, bool checkBounds = true);
