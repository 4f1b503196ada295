#pragma once

// The bounds of the automatic search, as the bounds dialog takes them: a pair of texts per
// component, read with the leading-number reader.

#include <QString>

namespace Bounds {

// Only digits (and Backspace) may be typed into a bound field.
bool keyAllowed(char16_t ch);

// What a pasted text leaves in a bound field: the digits of its whole part.
QString pastedDigits(const QString &text);

// A pair is wrong when a text is not a number, a bound lies outside 0..100, or the upper bound
// is not strictly greater than the lower one.
bool pairWrong(const QString &lower, const QString &upper);

// The bound a field's text stands for ("12,5" stands for 12: the reader stops at the comma).
float value(const QString &text);

} // namespace Bounds
