#include "checking/Validation.h"

#include "core/MixNumbers.h"
#include "core/Numbers.h"
#include "core/ProjectDocument.h"

#include <QCoreApplication>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Validation)
};

QString incomplete()
{
    return Texts::tr("Таблица заполнена не до конца, либо допущены синтаксические ошибки!");
}

// The rule of an ordered column: class 1 must be numeric; a later class needs both its own and
// the previous value numeric, and previous >= own (equal neighbours pass).
bool orderedFails(const std::optional<float> &previous, const std::optional<float> &own, int j)
{
    if (j == 1)
        return !own;
    return !previous || !own || !(*previous >= *own);
}

// The number of the reference cell of class j as the table shows it.
std::optional<float> referenceNumber(const ProjectDocument &d, const MixNumbers &x, int j)
{
    if (d.referenceKind == ReferenceKind::ManualReference)
        return d.manualReference(j).number();
    const auto v = x.referenceCurve.get(j);
    if (!v)
        return std::nullopt;
    QChar buf[48];
    const int len = Num::formatRounded(double(*v), 2, buf);
    if (len < 0)
        return Num::toSingle(Num::formatRounded(double(*v), 2));
    return Num::toSingle(QStringView(buf, len));
}

} // namespace

QString ValidationReport::densityMessage() const
{
    return densityErrors != 0 ? incomplete() : QString();
}

QString ValidationReport::sizeLine() const
{
    return sizeErrors != 0 ? Texts::tr("-> Диаметры частиц заданы НЕ в порядке убывания, либо допущены синтаксические ошибки.")
                           : QString();
}

QString ValidationReport::componentLine(int i) const
{
    if (i < 1 || i > MaxComponents || componentErrors[size_t(i)] == 0)
        return QString();
    return integral
        ? Texts::tr("-> Процентное содержание частиц компонента %1 задано НЕ в порядке убывания.").arg(i)
        : Texts::tr("-> В столбце процентного содержания частиц компонента %1 допущены синтаксические ошибки ввода.").arg(i);
}

QStringList ValidationReport::errorLines() const
{
    QStringList lines;
    if (sizeErrors != 0)
        lines << sizeLine();
    for (int i = 1; i <= MaxComponents; ++i)
        if (componentErrors[size_t(i)] != 0)
            lines << componentLine(i);
    return lines;
}

QString ValidationReport::recipeMessage() const
{
    return recipeErrors != 0 ? Texts::tr("Таблица содержит ошибки (сумма массовых долей <> 100%)!") : QString();
}

QString ValidationReport::referenceMessage() const
{
    return referenceErrors != 0 ? incomplete() : QString();
}

QString ValidationReport::priceMessage() const
{
    return priceErrors != 0 ? Texts::tr("Цена должна быть числом не меньше нуля (пустая клетка — цена не указана)!") : QString();
}

namespace Validation {

QString classLabel(const ProjectDocument &d, int j)
{
    const QString size = d.size(j).text().trimmed();
    return size.isEmpty() ? QStringLiteral("№%1").arg(j) : size;
}

QString classesText(const ProjectDocument &d, const QList<int> &classes)
{
    QStringList labels;
    for (const int j : classes)
        labels << classLabel(d, j);
    return Texts::tr("при Dj = ") + labels.join(QStringLiteral("; "));
}

QString referenceCellText(const ProjectDocument &d, const MixNumbers &x, int j)
{
    if (d.referenceKind == ReferenceKind::ManualReference)
        return d.manualReference(j).text();
    const auto v = x.referenceCurve.get(j);
    return v && j >= 1 ? Num::formatRounded(double(*v), 2) : QString();
}

bool correctedOutOfRange(const MixNumbers &x, int i)
{
    const float shown = float(Num::roundHalfEven(double(x.correctedRecipe[i]), 2));
    return shown < 0.0f || shown > 100.0f;
}

std::optional<ValidationReport> validateTables(const ProjectDocument &d, const MixNumbers &x)
{
    ValidationReport r;
    const int n = std::min<int>(d.componentCount, MaxComponents);
    const int k = d.classCount();
    if (n >= 1 && k > MaxClasses)
        return std::nullopt;
    r.integral = d.dataForm == GrainDataForm::Integral;

    // The size and reference rules do not depend on the component.
    if (n >= 1) {
        for (int j = 1; j <= k; ++j) {
            r.sizeError[size_t(j)] = orderedFails(j > 1 ? d.size(j - 1).number() : std::nullopt, d.size(j).number(), j);
            r.referenceError[size_t(j)] = orderedFails(j > 1 ? referenceNumber(d, x, j - 1) : std::nullopt, referenceNumber(d, x, j), j);
            r.sizeErrors += r.sizeError[size_t(j)];
            r.referenceErrors += r.referenceError[size_t(j)];
        }
    }
    // The recipe's sum as the base-recipe step shows it.
    const bool sumIs100 = float(x.baseRecipeSum) == 100.0f;
    for (int i = 1; i <= n; ++i) {
        r.densityError[size_t(i)] = !d.density(i).number();
        r.densityErrors += r.densityError[size_t(i)];
        for (int j = 1; j <= k; ++j) {
            const auto value = d.composition(j, i).number();
            const bool fails = r.integral ? orderedFails(j > 1 ? d.composition(j - 1, i).number() : std::nullopt, value, j) : !value;
            r.fractionError[size_t(i)][size_t(j)] = fails;
            r.componentErrors[size_t(i)] += fails;
        }
        const bool recipeFails = !d.baseRecipe(i).number() || !sumIs100;
        r.recipeError[size_t(i)] = recipeFails;
        r.recipeErrors += recipeFails;
    }

    for (int i = 1; i <= n; ++i) {
        const CellText &price = d.price(i);
        const bool wrong = !price.isEmpty() && !(price.number() && *price.number() >= 0.0f);
        r.priceError[size_t(i)] = wrong;
        r.priceErrors += wrong;
    }
    // The envelope: each limit alone, then the pair of a class.
    QList<int> notNumber, outside, crossed;
    for (int j = 1; j <= std::min(k, MaxClasses); ++j) {
        bool wrongNumber = false, wrongRange = false;
        auto check = [&](const CellText &cell) {
            if (cell.isEmpty())
                return false;
            const auto v = cell.number();
            if (!v) {
                wrongNumber = true;
                return true;
            }
            if (*v < 0.0f || *v > 100.0f) {
                wrongRange = true;
                return true;
            }
            return false;
        };
        r.lowerError[size_t(j)] = check(d.envelopeLower(j));
        r.upperError[size_t(j)] = check(d.envelopeUpper(j));
        const auto lo = d.envelopeLower(j).number(), hi = d.envelopeUpper(j).number();
        if (lo && hi && *lo > *hi && !r.lowerError[size_t(j)] && !r.upperError[size_t(j)]) {
            r.lowerError[size_t(j)] = r.upperError[size_t(j)] = true;
            crossed << j;
        }
        if (wrongNumber)
            notNumber << j;
        if (wrongRange)
            outside << j;
        r.envelopeErrors += r.lowerError[size_t(j)] + r.upperError[size_t(j)];
    }
    if (!notNumber.isEmpty())
        r.envelopeErrorLines << Texts::tr("-> Граница задана не числом ") + classesText(d, notNumber) + u'.';
    if (!outside.isEmpty())
        r.envelopeErrorLines << Texts::tr("-> Граница лежит вне пределов от 0 до 100 % ") + classesText(d, outside) + u'.';
    if (!crossed.isEmpty())
        r.envelopeErrorLines << Texts::tr("-> Нижняя граница больше верхней ") + classesText(d, crossed) + u'.';

    r.densitiesValid = r.densityErrors == 0;
    bool anyLine = r.sizeErrors != 0;
    for (int i = 1; i <= n; ++i)
        anyLine = anyLine || r.componentErrors[size_t(i)] != 0;
    r.grainTableValid = !anyLine;
    r.baseRecipeValid = r.recipeErrors == 0;
    r.referenceValid = r.referenceErrors == 0;
    return r;
}

} // namespace Validation
