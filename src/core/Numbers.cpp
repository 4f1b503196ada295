#include "core/Numbers.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace Num {

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0x00A0;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A decimal number of any length: value = ±0.D1D2…Dn × 10^exponent, D1 non-zero. Only the
// first MaxDigits significant digits are kept; a non-zero digit beyond them is remembered as
// `sticky`, which is all a correctly rounded conversion needs of the rest.
struct Decimal
{
    static constexpr int MaxDigits = 800;
    static constexpr int64_t ExponentLimit = 1000000; // far beyond any double, and no overflow
    char digits[MaxDigits + 1];
    int count = 0;
    bool sticky = false;
    bool negative = false;
    bool anyDigit = false;
    int64_t exponent = 0;

    void addDigit(char16_t c, bool fraction)
    {
        anyDigit = true;
        if (count == 0 && c == u'0') {
            if (fraction)
                --exponent; // a leading zero of the fraction
            return;
        }
        if (count < MaxDigits)
            digits[count++] = char(c);
        else if (c != u'0')
            sticky = true;
        if (!fraction && exponent < ExponentLimit)
            ++exponent;
    }
    void addExponent(int64_t e)
    {
        exponent = std::clamp<int64_t>(exponent + std::clamp<int64_t>(e, -ExponentLimit, ExponentLimit), -2 * ExponentLimit,
                                       2 * ExponentLimit);
    }
};

// A decimal exponent read digit by digit, saturating instead of overflowing.
struct ExponentDigits
{
    int64_t value = 0;
    int count = 0;
    void add(char16_t c)
    {
        ++count;
        if (value < Decimal::ExponentLimit)
            value = value * 10 + (c - u'0');
    }
};

enum class Range { Fits, Overflow, Underflow };

// The decimal converted to T, correctly rounded. A value too small for T reads as zero.
template <typename T>
Range convert(const Decimal &d, T &out)
{
    if (d.count == 0) {
        out = T(0);
        return Range::Fits;
    }
    if (d.exponent > 400) // beyond 10^400: no double or float holds it
        return Range::Overflow;
    if (d.exponent < -400) {
        out = T(0);
        return Range::Underflow;
    }
    // "D1D2…Dn[1]e<exponent - digits>", the form from_chars reads.
    char buf[Decimal::MaxDigits + 32];
    std::memcpy(buf, d.digits, size_t(d.count));
    int n = d.count;
    if (d.sticky)
        buf[n++] = '1';
    buf[n] = 'e';
    const auto e = std::to_chars(buf + n + 1, buf + sizeof buf, d.exponent - n);
    T v = T(0);
    const auto res = std::from_chars(buf, e.ptr, v);
    if (res.ec == std::errc::result_out_of_range) {
        // 0.D × 10^exponent is below 1 when exponent <= 0, so only then it can underflow.
        if (d.exponent <= 0) {
            out = T(0);
            return Range::Underflow;
        }
        return Range::Overflow;
    }
    if (res.ec != std::errc() || !std::isfinite(v))
        return Range::Overflow;
    out = d.negative && v != T(0) ? -v : v;
    return Range::Fits;
}

// True when the decimal, written with 15 significant digits, is the text of the largest finite
// double ("1,79769313486232E+308"): the writer rounds that value up beyond the range, and
// reading its own text back must give the value again.
bool roundsToLargestDouble(const Decimal &d)
{
    static constexpr char Bound[] = "1797693134862325"; // half a unit of the 15th digit above
    if (d.exponent != 309)
        return false;
    const int boundDigits = int(sizeof Bound) - 1;
    for (int i = 0; i < boundDigits; ++i) {
        const char c = i < d.count ? d.digits[i] : '0';
        if (c != Bound[i])
            return c < Bound[i];
    }
    return false; // equal to the bound or above it: beyond the writer's rounding
}

// The number of a cell text: blanks around, "[sign]digits[sep digits][e[sign]digits]" with a
// comma or a period as the separator and at least one mantissa digit. Nothing when the text is
// not a number.
std::optional<Decimal> parseCellNumber(QStringView text)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(text.data());
    const char16_t *end = p + text.size();
    while (p < end && isBlank(*p))
        ++p;
    while (end > p && isBlank(end[-1]))
        --end;
    Decimal d;
    if (p < end && (*p == u'+' || *p == u'-')) {
        d.negative = *p == u'-';
        ++p;
    }
    while (p < end && isDigit(*p))
        d.addDigit(*p++, false);
    if (p < end && (*p == u',' || *p == u'.')) {
        ++p;
        while (p < end && isDigit(*p))
            d.addDigit(*p++, true);
    }
    if (!d.anyDigit)
        return std::nullopt;
    if (p < end && (*p == u'e' || *p == u'E')) {
        ++p;
        bool negativeExponent = false;
        if (p < end && (*p == u'+' || *p == u'-')) {
            negativeExponent = *p == u'-';
            ++p;
        }
        ExponentDigits e;
        while (p < end && isDigit(*p))
            e.add(*p++);
        if (e.count == 0)
            return std::nullopt;
        d.addExponent(negativeExponent ? -e.value : e.value);
    }
    if (p != end)
        return std::nullopt;
    return d;
}

// Writes a finite double with at most `digits` significant digits, in the style of a
// general format: plain notation for moderate magnitudes, an exponent otherwise.
QString formatGeneral(double value, int digits)
{
    if (value == 0.0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, value);
    // "%G" keeps trailing zeros out already; write the exponent as E+15 / E-05.
    QString s = QString::fromLatin1(buf);
    s.replace(u'.', u',');
    return s;
}

} // namespace

double Val(QStringView text)
{
    // Fast path: optional blanks, a whole number of up to 15 digits, nothing or a
    // non-numeric character after it.
    {
        qsizetype i = 0;
        const qsizetype len = text.size();
        while (i < len && text[i] == u' ')
            ++i;
        uint64_t whole = 0;
        int digits = 0;
        while (i < len && digits < 15 && isDigit(text[i].unicode())) {
            whole = whole * 10 + uint64_t(text[i].unicode() - u'0');
            ++digits;
            ++i;
        }
        if (digits > 0 && digits < 15) {
            if (i == len)
                return double(whole);
            const char16_t next = text[i].unicode();
            if (!isBlank(next) && next != u'.' && next != u'e' && next != u'E' && next != u'd' && next != u'D')
                return double(whole);
        }
    }

    // Blanks are skipped wherever they stand inside the number, as the classic reader does.
    Decimal d;
    qsizetype i = 0;
    const qsizetype len = text.size();
    auto skip = [&] {
        while (i < len && isBlank(text[i].unicode()))
            ++i;
    };
    skip();
    if (i < len && (text[i] == u'+' || text[i] == u'-')) {
        d.negative = text[i] == u'-';
        ++i;
    }
    bool point = false;
    for (;;) {
        skip();
        if (i >= len)
            break;
        const char16_t c = text[i].unicode();
        if (isDigit(c)) {
            d.addDigit(c, point);
            ++i;
        } else if (c == u'.' && !point) {
            point = true;
            ++i;
        } else {
            break;
        }
    }
    if (!d.anyDigit)
        return 0.0;
    skip();
    if (i < len) {
        const char16_t c = text[i].unicode();
        if (c == u'e' || c == u'E' || c == u'd' || c == u'D') {
            qsizetype j = i + 1;
            while (j < len && isBlank(text[j].unicode()))
                ++j;
            bool negativeExponent = false;
            if (j < len && (text[j] == u'+' || text[j] == u'-')) {
                negativeExponent = text[j] == u'-';
                ++j;
            }
            ExponentDigits e;
            for (;;) {
                while (j < len && isBlank(text[j].unicode()))
                    ++j;
                if (j < len && isDigit(text[j].unicode()))
                    e.add(text[j++].unicode());
                else
                    break;
            }
            if (e.count > 0)
                d.addExponent(negativeExponent ? -e.value : e.value);
        }
    }
    double v = 0.0;
    switch (convert(d, v)) {
    case Range::Fits:
        return v;
    case Range::Underflow:
        return 0.0;
    case Range::Overflow:
        break;
    }
    // Too large to hold: the largest magnitude stands in (never fails).
    return d.negative ? std::numeric_limits<double>::lowest() : std::numeric_limits<double>::max();
}

namespace {

// A number text scanned once: the digits as a whole number and a power of ten, for the exact
// fast path.
struct Scanned
{
    bool negative = false;
    bool simple = false;     // no exponent and at most 19 significant digits
    uint64_t mantissa = 0;
    int fractionDigits = 0;
};

// The common case read directly from the text: blanks, a sign, digits with one separator, no
// exponent, at most 19 significant digits. Anything else sets simple = false and is read by
// the general path, which also decides whether it is a number at all.
Scanned scanSimple(QStringView text)
{
    Scanned s;
    const char16_t *p = reinterpret_cast<const char16_t *>(text.data());
    const char16_t *end = p + text.size();
    while (p < end && isBlank(*p))
        ++p;
    while (end > p && isBlank(end[-1]))
        --end;
    if (p < end && (*p == u'+' || *p == u'-')) {
        s.negative = *p == u'-';
        ++p;
    }
    int digits = 0, significant = 0;
    bool separator = false;
    for (; p < end; ++p) {
        const char16_t ch = *p;
        if (ch >= u'0' && ch <= u'9') {
            ++digits;
            if (separator)
                ++s.fractionDigits;
            if (s.mantissa == 0 && ch == u'0')
                continue;
            if (++significant > 19)
                return s;
            s.mantissa = s.mantissa * 10 + uint64_t(ch - u'0');
        } else if ((ch == u',' || ch == u'.') && !separator) {
            separator = true;
        } else {
            return s;
        }
    }
    if (digits == 0)
        return s;
    s.simple = true;
    return s;
}

constexpr float Pow10f[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr double Pow10d[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

std::optional<double> toDouble(QStringView text)
{
    const Scanned s = scanSimple(text);
    // Both operands exact in a double: the quotient is correctly rounded.
    if (s.simple && s.mantissa <= (uint64_t(1) << 53) && s.fractionDigits <= 22) {
        const double v = double(s.mantissa) / Pow10d[s.fractionDigits];
        return s.negative && v != 0.0 ? -v : v;
    }
    const auto d = parseCellNumber(text);
    if (!d)
        return std::nullopt;
    double v = 0.0;
    switch (convert(*d, v)) {
    case Range::Fits:
        return v;
    case Range::Underflow:
        return 0.0;
    case Range::Overflow:
        break;
    }
    if (roundsToLargestDouble(*d))
        return d->negative ? std::numeric_limits<double>::lowest() : std::numeric_limits<double>::max();
    return std::nullopt;
}

std::optional<float> toSingle(QStringView text)
{
    const Scanned s = scanSimple(text);
    // Both operands exact in a float: the quotient is correctly rounded.
    if (s.simple && s.mantissa <= (uint64_t(1) << 24) && s.fractionDigits <= 10) {
        const float m = float(s.mantissa);
        const float v = m / Pow10f[s.fractionDigits];
        return s.negative && v != 0.0f ? -v : v;
    }
    const auto d = parseCellNumber(text);
    if (!d)
        return std::nullopt;
    float v = 0.0f;
    switch (convert(*d, v)) {
    case Range::Fits:
        return v;
    case Range::Underflow:
        return 0.0f;
    case Range::Overflow:
        break;
    }
    return std::nullopt;
}

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    if (decimals <= 0)
        return std::nearbyint(value) + 0.0;
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) // 2^52: already whole
        return value;
    return std::nearbyint(scaled) / scale + 0.0;
}

std::optional<int16_t> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return int16_t(r);
}

std::optional<int32_t> toInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return int32_t(r);
}

std::optional<double> divide(double a, double b)
{
    if (b == 0.0 || std::isnan(a) || std::isnan(b))
        return std::nullopt;
    const double q = a / b;
    if (!std::isfinite(q))
        return std::nullopt;
    return q;
}

std::optional<double> power(double base, double exponent)
{
    if (std::isnan(base) || std::isnan(exponent))
        return std::nullopt;
    if (base == 0.0) {
        if (exponent < 0.0)
            return std::nullopt; // division by zero
        return exponent == 0.0 ? 1.0 : 0.0;
    }
    if (base < 0.0 && std::trunc(exponent) != exponent)
        return std::nullopt; // invalid power
    const double r = std::pow(base, exponent);
    if (!std::isfinite(r))
        return std::nullopt;
    return r;
}

QString formatSingle(float value)
{
    if (!std::isfinite(value))
        return QString();
    return formatGeneral(double(value), 7);
}

QString formatDouble(double value)
{
    if (!std::isfinite(value))
        return QString();
    return formatGeneral(value, 15);
}

QString formatRounded(double value, int decimals)
{
    QChar buf[48];
    const int n = formatRounded(value, decimals, buf);
    if (n >= 0)
        return QString(buf, n);
    return formatDouble(roundHalfEven(value, decimals));
}

int formatRounded(double value, int decimals, QChar *out)
{
    if (!std::isfinite(value))
        return 0;
    const double r = roundHalfEven(value, decimals);
    if (decimals < 0 || decimals > 9 || std::fabs(r) >= 1e13)
        return -1;
    // Fast path: the rounded value as a whole number of 10^-d units, digits written directly.
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    if (std::fabs(value * scale) >= 4503599627370496.0)
        return -1;
    long long units = std::llround(std::nearbyint(value * scale));
    const bool negative = units < 0;
    unsigned long long u = negative ? 0ULL - static_cast<unsigned long long>(units)
                                    : static_cast<unsigned long long>(units);
    char digits[32];
    int n = 0;
    do {
        digits[n++] = char('0' + u % 10);
        u /= 10;
    } while (u);
    // digits holds the number backwards; the last `decimals` of them belong after the comma.
    int firstKept = 0; // drop trailing zeros of the fraction
    while (firstKept < decimals && (firstKept >= n || digits[firstKept] == '0'))
        ++firstKept;
    int o = 0;
    if (negative && units != 0)
        out[o++] = u'-';
    const int intDigits = n - decimals;
    if (intDigits <= 0) {
        out[o++] = u'0';
    } else {
        for (int k = n - 1; k >= decimals; --k)
            out[o++] = QLatin1Char(digits[k]);
    }
    if (firstKept < decimals) {
        out[o++] = u',';
        for (int k = decimals - 1; k >= firstKept; --k)
            out[o++] = k < n ? QLatin1Char(digits[k]) : QLatin1Char('0');
    }
    return o;
}

QString formatInt(int value)
{
    return QString::number(value);
}

QString graphText(double value)
{
    if (!std::isfinite(value))
        return QString();
    QString s = formatGeneral(value, 15);
    s.replace(u',', u'.');
    if (value >= 0.0)
        s.prepend(u' ');
    return s;
}

QString graphText(float value)
{
    if (!std::isfinite(value))
        return QString();
    QString s = formatGeneral(double(value), 7);
    s.replace(u',', u'.');
    if (value >= 0.0f)
        s.prepend(u' ');
    return s;
}

} // namespace Num
