#pragma once

// The program's number conventions, in one place.
//
// Stored reals are 32-bit floats, counts and indices 16-bit signed integers, intermediate
// arithmetic is double. A statement that "fails" (a text that does not convert, a division by
// zero, an overflow, an invalid power) is skipped by its caller and its target keeps its value:
// every operation here that can fail returns std::optional and never throws.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace Num {

// Leading-number reader: skips blanks, takes an optional sign, digits, at most one period as
// decimal point and an optional exponent, stops at the first other character. A text without a
// leading number reads 0; it never fails. A comma ends the number ("0,5" reads 0).
double Val(QStringView text);

// Conversion of a table cell or coefficient text: decimal comma (a period is accepted too),
// blanks around the number allowed. Empty or non-numeric text is a failed conversion.
std::optional<double> toDouble(QStringView text);
std::optional<float> toSingle(QStringView text);

// A double stored into a 32-bit float; fails when it does not fit (overflow, NaN).
inline std::optional<float> single(double value)
{
    const float f = float(value);
    if (f - f != 0.0f) // infinite or NaN: the value does not fit
        return std::nullopt;
    return f;
}

// Rounding halves to even, to d decimals (d = 0: to a whole number).
double roundHalfEven(double value, int decimals = 0);

// Conversion to a 16-bit integer, halves to even; fails outside -32768..32767.
std::optional<int16_t> toInt16(double value);
// The same to 32 bits.
std::optional<int32_t> toInt32(double value);

// Checked arithmetic: division by zero, overflow and invalid powers fail.
std::optional<double> divide(double a, double b);
std::optional<double> power(double base, double exponent);

// Numbers written back into tables and labels: decimal comma, no trailing zeros.
// A float keeps up to 7 significant digits (3.1f -> "3,1"), a double up to 15 (100/3 ->
// "33,3333333333333"). Very large or small magnitudes are written with an exponent ("1E+15").
QString formatSingle(float value);
QString formatDouble(double value);
// A value rounded half to even to d decimals and written as above: the usual way a figure
// reaches the screen (39.107157 with d = 2 -> "39,11").
QString formatRounded(double value, int decimals);
// The same written into `out` (room for 48 characters) without allocating; returns the length,
// or -1 when the magnitude needs the general form above.
int formatRounded(double value, int decimals, QChar *out);
// The text of a whole number ("1", "10").
QString formatInt(int value);

// The graph's text form: a leading blank for non-negative numbers and a point as the decimal
// separator (" 5", " 0.16", "-2.5").
QString graphText(double value);
// The same for a stored float, with the float's 7 significant digits (0.01f -> " 0.01").
QString graphText(float value);

} // namespace Num
