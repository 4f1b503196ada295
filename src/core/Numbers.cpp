#include "core/Numbers.h"

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

// Copies the number of a cell text into an ASCII buffer in the form from_chars reads:
// "[-]digits[.digits][e[-]digits]". Returns the length, or 0 when the text is not a number.
int normaliseNumber(QStringView text, char *buf, int cap)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(text.data());
    const char16_t *end = p + text.size();
    while (p < end && isBlank(*p))
        ++p;
    while (end > p && isBlank(end[-1]))
        --end;
    int n = 0;
    auto put = [&](char c) {
        if (n >= cap - 1)
            return false;
        buf[n++] = c;
        return true;
    };
    if (p < end && (*p == u'+' || *p == u'-')) {
        if (*p == u'-' && !put('-'))
            return 0;
        ++p;
    }
    int intDigits = 0;
    int fracDigits = 0;
    while (p < end && isDigit(*p)) {
        if (!put(char(*p)))
            return 0;
        ++p;
        ++intDigits;
    }
    if (p < end && (*p == u',' || *p == u'.')) {
        ++p;
        if (intDigits == 0 && !put('0'))
            return 0;
        if (!put('.'))
            return 0;
        while (p < end && isDigit(*p)) {
            if (!put(char(*p)))
                return 0;
            ++p;
            ++fracDigits;
        }
        if (fracDigits == 0 && !put('0'))
            return 0;
    }
    if (intDigits + fracDigits == 0)
        return 0;
    if (p < end && (*p == u'e' || *p == u'E')) {
        ++p;
        if (!put('e'))
            return 0;
        if (p < end && (*p == u'+' || *p == u'-')) {
            if (*p == u'-' && !put('-'))
                return 0;
            ++p;
        }
        int expDigits = 0;
        while (p < end && isDigit(*p)) {
            if (!put(char(*p)))
                return 0;
            ++p;
            ++expDigits;
        }
        if (expDigits == 0)
            return 0;
    }
    if (p != end)
        return 0;
    buf[n] = 0;
    return n;
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
    char buf[128];
    int n = 0;
    auto put = [&](char c) {
        if (n < int(sizeof buf) - 1)
            buf[n++] = c;
    };
    qsizetype i = 0;
    const qsizetype len = text.size();
    auto skip = [&] {
        while (i < len && isBlank(text[i].unicode()))
            ++i;
    };
    skip();
    if (i < len && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            put('-');
        ++i;
    }
    int mantissaDigits = 0;
    bool point = false;
    for (;;) {
        skip();
        if (i >= len)
            break;
        const char16_t c = text[i].unicode();
        if (isDigit(c)) {
            put(char(c));
            ++mantissaDigits;
            ++i;
        } else if (c == u'.' && !point) {
            point = true;
            put('.');
            ++i;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return 0.0;
    skip();
    if (i < len) {
        const char16_t c = text[i].unicode();
        if (c == u'e' || c == u'E' || c == u'd' || c == u'D') {
            qsizetype j = i + 1;
            char expBuf[16];
            int en = 0;
            while (j < len && isBlank(text[j].unicode()))
                ++j;
            if (j < len && (text[j] == u'+' || text[j] == u'-')) {
                if (text[j] == u'-')
                    expBuf[en++] = '-';
                ++j;
            }
            int expDigits = 0;
            while (j < len) {
                while (j < len && isBlank(text[j].unicode()))
                    ++j;
                if (j < len && isDigit(text[j].unicode())) {
                    if (en < 12)
                        expBuf[en++] = char(text[j].unicode());
                    ++expDigits;
                    ++j;
                } else {
                    break;
                }
            }
            if (expDigits > 0) {
                put('e');
                for (int k = 0; k < en; ++k)
                    put(expBuf[k]);
            }
        }
    }
    buf[n] = 0;
    double v = 0.0;
    const auto res = std::from_chars(buf, buf + n, v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large to hold: the largest magnitude stands in (never fails).
        const bool tiny = std::strchr(buf, 'e') && std::strstr(buf, "e-");
        if (tiny)
            return 0.0;
        return buf[0] == '-' ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    return v;
}

namespace {

// A number text scanned once: the digits as a whole number and a power of ten, for the exact
// fast path; the ASCII form for everything else.
struct Scanned
{
    int length = 0;          // of the ASCII form in buf; 0 when the text is not a number
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
    s.length = 1;
    s.simple = true;
    return s;
}

Scanned scan(QStringView text, char *buf, int cap)
{
    Scanned s = scanSimple(text);
    if (s.simple)
        return s;
    s = Scanned();
    s.length = normaliseNumber(text, buf, cap);
    return s;
}

constexpr float Pow10f[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr double Pow10d[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

std::optional<double> toDouble(QStringView text)
{
    char buf[400];
    const Scanned s = scan(text, buf, int(sizeof buf));
    if (s.length == 0)
        return std::nullopt;
    // Both operands exact in a double: the quotient is correctly rounded.
    if (s.simple && s.mantissa <= (uint64_t(1) << 53) && s.fractionDigits <= 22) {
        const double v = double(s.mantissa) / Pow10d[s.fractionDigits];
        return s.negative && v != 0.0 ? -v : v;
    }
    const int length = s.simple ? normaliseNumber(text, buf, int(sizeof buf)) : s.length;
    if (length == 0)
        return std::nullopt;
    double v = 0.0;
    const auto res = std::from_chars(buf, buf + length, v);
    if (res.ec == std::errc::result_out_of_range) {
        if (std::strstr(buf, "e-"))
            return 0.0;
        return std::nullopt;
    }
    if (res.ec != std::errc() || res.ptr != buf + length || !std::isfinite(v))
        return std::nullopt;
    return v == 0.0 ? 0.0 : v;
}

std::optional<float> toSingle(QStringView text)
{
    char buf[400];
    const Scanned s = scan(text, buf, int(sizeof buf));
    if (s.length == 0)
        return std::nullopt;
    // Both operands exact in a float: the quotient is correctly rounded.
    if (s.simple && s.mantissa <= (uint64_t(1) << 24) && s.fractionDigits <= 10) {
        const float m = float(s.mantissa);
        const float v = m / Pow10f[s.fractionDigits];
        return s.negative && v != 0.0f ? -v : v;
    }
    const int length = s.simple ? normaliseNumber(text, buf, int(sizeof buf)) : s.length;
    if (length == 0)
        return std::nullopt;
    float v = 0.0f;
    const auto res = std::from_chars(buf, buf + length, v);
    if (res.ptr != buf + length)
        return std::nullopt;
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow fails.
        if (std::strstr(buf, "e-"))
            return 0.0f;
        return std::nullopt;
    }
    if (res.ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    return v == 0.0f ? 0.0f : v;
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
