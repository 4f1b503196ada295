#include "correction/Bounds.h"

#include "core/Numbers.h"

namespace Bounds {

bool keyAllowed(char16_t ch)
{
    return (ch >= u'0' && ch <= u'9') || ch == 8;
}

QString pastedDigits(const QString &text)
{
    // The whole part of a pasted number: "12,5 %" gives 12, never 125.
    QString digits;
    for (const QChar ch : text) {
        if (ch >= u'0' && ch <= u'9')
            digits += ch;
        else if ((ch == u',' || ch == u'.') && !digits.isEmpty())
            break;
    }
    return digits;
}

bool pairWrong(const QString &lower, const QString &upper)
{
    if (!Num::toSingle(lower) || !Num::toSingle(upper))
        return true;
    const double lo = Num::Val(lower);
    const double hi = Num::Val(upper);
    if (lo < 0 || lo > 100 || hi < 0 || hi > 100)
        return true;
    return !(hi > lo);
}

float value(const QString &text)
{
    return float(Num::Val(text));
}

} // namespace Bounds
