#include "support/Compare.h"

#include <QTest>

#include <cmath>

namespace TestSupport {

namespace {

QString number(double v)
{
    return QString::number(v, 'g', 10);
}

} // namespace

std::optional<QString> nearMismatch(double actual, double expected, double tolerance, const char *actualText,
                                    const char *expectedText)
{
    const double difference = std::fabs(actual - expected);
    if (difference <= tolerance)
        return std::nullopt;
    const QString a = QStringLiteral("(%1)").arg(QString::fromUtf8(actualText));
    const QString e = QStringLiteral("(%1)").arg(QString::fromUtf8(expectedText));
    const qsizetype width = std::max(a.size(), e.size());
    return QStringLiteral("Compared values are not near enough\n"
                          "   Actual   %1: %2\n"
                          "   Expected %3: %4\n"
                          "   Tolerance %5, difference %6")
        .arg(a.leftJustified(width), number(actual), e.leftJustified(width), number(expected), number(tolerance),
             number(difference));
}

bool compareNear(double actual, double expected, double tolerance, const char *actualText, const char *expectedText,
                 const char *file, int line)
{
    const auto mismatch = nearMismatch(actual, expected, tolerance, actualText, expectedText);
    if (!mismatch)
        return true;
    QTest::qFail(mismatch->toUtf8().constData(), file, line);
    return false;
}

} // namespace TestSupport
