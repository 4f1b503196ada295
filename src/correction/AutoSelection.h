#pragma once

// The automatic search: a random walk of a trial recipe. Each step changes one randomly chosen
// component and rescales the other free ones so that the trial sums to 100 %; a trial whose sum
// reaches 100 % and whose divergence is strictly smaller than the current one (and, while the
// bounds are on, that lies within them) becomes the corrected recipe.

#include "correction/CorrectionState.h"

#include <cstdint>
#include <initializer_list>

class ProjectDocument;
struct MixNumbers;

// A uniform generator on [0, 1). The window stirs the clock into it as the search runs; tests
// and the command-line tool seed it once and get the same walk every time.
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

namespace Search {

// What the correction shows before each step: the previous trial takes the trial's positive
// values, and a locked component's fraction (and slider) follows its corrected fraction.
void refreshLocks(const MixNumbers &numbers, CorrectionState &state);

// One step of the search (nothing unless the search is on and at least two components are
// free). Returns true when the trial was adopted.
bool step(const ProjectDocument &document, MixNumbers &numbers, CorrectionState &state, SearchRandom &random);

// Adopts the trial (within the bounds, when they are on) and recomputes the corrected curve, the
// divergence and the band from the corrected recipe. Returns true when adopted. `checkBounds`
// false adopts without looking at the bounds (a recipe known to respect them).
bool applyTrial(const ProjectDocument &document, MixNumbers &numbers, CorrectionState &state, bool checkBounds = true);

} // namespace Search
