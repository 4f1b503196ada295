#pragma once

// Comparison of reals in tests. COMPARE_NEAR(actual, expected, tolerance) passes when
// |actual - expected| <= tolerance; on failure it prints both values, the tolerance and the
// difference (as QCOMPARE prints its two values) and ends the test function.

#include <QString>

#include <optional>

namespace TestSupport {

// The failure message when `actual` is not within `tolerance` of `expected` (a NaN is never
// near anything), nothing otherwise.
std::optional<QString> nearMismatch(double actual, double expected, double tolerance, const char *actualText = "actual",
                                    const char *expectedText = "expected");

// Reports the mismatch through QTest at `file`:`line`; returns whether the values were near.
bool compareNear(double actual, double expected, double tolerance, const char *actualText, const char *expectedText,
                 const char *file, int line);

} // namespace TestSupport

#define COMPARE_NEAR(actual, expected, tolerance)                                                                       \
    do {                                                                                                                \
        if (!TestSupport::compareNear(double(actual), double(expected), double(tolerance), #actual, #expected, __FILE__, \
                                      __LINE__))                                                                        \
            return;                                                                                                     \
    } while (false)
