// Typed numbers: the leading-number reader of N and K, and the conversion of cells and fields.
// Beyond "no crash": the conversions agree with a correctly rounded reading, and what the
// program writes reads back.

#include "FuzzSupport.h"

#include "core/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// The text as a correctly rounding reader takes it: blanks around dropped, the comma a point.
// Empty when the text is not in the cell grammar's plain ASCII form.
std::string plain(const QString &text)
{
    const QString t = text.trimmed();
    std::string out;
    out.reserve(size_t(t.size()) + 1);
    for (const QChar c : t) {
        const char16_t u = c.unicode();
        if (u == u',' || u == u'.')
            out += '.';
        else if ((u >= u'0' && u <= u'9') || u == u'-' || u == u'+' || u == u'e' || u == u'E')
            out += char(u);
        else
            return {};
    }
    if (!out.empty() && out[0] == '+')
        out.erase(0, 1);
    if (!out.empty() && out[0] == '.')
        out.insert(0, "0");
    if (out.size() >= 2 && out[0] == '-' && out[1] == '.')
        out.insert(1, "0");
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const double v = Num::Val(text);
    Fuzz::require(std::isfinite(v), "Val never fails");
    (void)Num::toInt16(v);
    (void)Num::toInt32(v);

    const auto d = Num::toDouble(text);
    const auto f = Num::toSingle(text);
    if (d)
        Fuzz::require(std::isfinite(*d), "a converted double is finite");
    if (f) {
        Fuzz::require(std::isfinite(*f), "a converted single is finite");
        Fuzz::require(d.has_value(), "what converts as a single converts as a double");
    }
    if (d && std::fabs(*d) < std::numeric_limits<double>::max()) {
        // The same value as a correctly rounded reading of the same digits.
        const std::string s = plain(text);
        double expected = 0.0;
        const auto r = std::from_chars(s.data(), s.data() + s.size(), expected);
        if (!s.empty() && r.ptr == s.data() + s.size()) {
            if (r.ec == std::errc())
                Fuzz::require(expected == *d || (expected == 0.0 && *d == 0.0), "toDouble rounds correctly");
            else if (r.ec == std::errc::result_out_of_range)
                Fuzz::require(*d == 0.0, "only an underflow reads as zero");
        }
    }
    if (d) {
        // The program's own text of the value reads back within its 15 significant digits.
        const auto back = Num::toDouble(Num::formatDouble(*d));
        Fuzz::require(back.has_value(), "a written double reads back");
        Fuzz::require(std::fabs(*back - *d) <= std::fabs(*d) * 1e-14, "a written double reads back close");
        for (int decimals = 0; decimals <= 9; decimals += 3) {
            const QString rounded = Num::formatRounded(*d, decimals);
            Fuzz::require(Num::toDouble(rounded).has_value() || rounded.isEmpty(), "a rounded figure reads back");
        }
        (void)Num::graphText(*d);
    }
    if (f) {
        const auto back = Num::toSingle(Num::formatSingle(*f));
        Fuzz::require(back.has_value(), "a written single reads back");
        (void)Num::graphText(*f);
    }
    return 0;
}
