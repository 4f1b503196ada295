#pragma once

// The check of the input tables. The tables are not checked as they are typed; instead the
// whole set is checked after every change, and the report says, per table, whether it is valid,
// which cells or frames to mark, and the messages to show. The validity flags gate the
// automatic search, the bounds, the best recipe and the charts.
//
// Rules:
// - a size D_j must be a number; from the second class on, both it and the size above must be
//   numbers and the sizes must not increase downwards (equal neighbours pass);
// - a percentage of component i follows the same rule down its column in the integral form;
//   in the differential form it must only be a number;
// - a density must be a number;
// - a base-recipe fraction is wrong when it is not a number, or when the sum of the recipe
//   (rounded to 2 decimals, as the step shows it) is not 100;
// - the reference row (typed by hand, or the values the equation gives, rounded to 2 decimals
//   as the table shows them) must hold numbers that do not increase from left to right;
// - a price is wrong when it is not a number or is negative (an empty price is no price);
// - a limit of the grading envelope is wrong when it is not a number or lies outside 0..100, and
//   a lower limit above the upper one of its class makes both wrong (an empty limit is none).
// The prices and the envelope are optional: their errors never make tablesValid() false, they
// only keep their own figures (the cost, the envelope constraint) from being used.

#include "core/Storage.h"

#include <QString>
#include <QStringList>

class ProjectDocument;
struct MixNumbers;

struct ValidationReport
{
    bool densitiesValid = false;
    bool grainTableValid = false;
    bool baseRecipeValid = false;
    bool referenceValid = false;
    bool tablesValid() const { return densitiesValid && grainTableValid && baseRecipeValid && referenceValid; }

    // The form the percentage lines were checked in (their wording depends on it).
    bool integral = true;

    // Marks per cell; index 0 is never used.
    std::array<bool, MaxComponents + 1> densityError{};
    std::array<bool, MaxClasses + 1> sizeError{};
    std::array<std::array<bool, MaxClasses + 1>, MaxComponents + 1> fractionError{};
    std::array<int16_t, MaxComponents + 1> componentErrors{};
    std::array<bool, MaxComponents + 1> recipeError{};
    std::array<bool, MaxClasses + 1> referenceError{};
    int16_t sizeErrors = 0;
    int16_t densityErrors = 0;
    int16_t recipeErrors = 0;
    int16_t referenceErrors = 0;

    std::array<bool, MaxComponents + 1> priceError{};
    int16_t priceErrors = 0;
    std::array<bool, MaxClasses + 1> lowerError{};
    std::array<bool, MaxClasses + 1> upperError{};
    int16_t envelopeErrors = 0;
    // The lines under the envelope, in the style of the error list ("-> ...").
    QStringList envelopeErrorLines;
    bool pricesValid() const { return priceErrors == 0; }
    bool envelopeValid() const { return envelopeErrors == 0; }

    // The message under the densities; empty when there is none.
    QString densityMessage() const;
    // The lines of the error list of the grain-composition table, in order: the size column,
    // then components 1..10; each empty when it has no error.
    QString sizeLine() const;
    QString componentLine(int i) const;
    QStringList errorLines() const;
    // The messages under the base recipe and the reference table; empty when there is none.
    QString recipeMessage() const;
    QString referenceMessage() const;
    // The message under the prices; empty when there is none.
    QString priceMessage() const;

    bool operator==(const ValidationReport &) const = default;
};

namespace Validation {

// Checks the tables of `document` as they stand. Returns nothing when K is beyond the storage
// (more than 50 classes): such a check cannot finish, and what was shown before stays.
std::optional<ValidationReport> validateTables(const ProjectDocument &document, const MixNumbers &numbers);

// The text of the reference table's value cell of class j (row 1, column j): the value typed by
// hand, or the equation's value rounded to 2 decimals.
QString referenceCellText(const ProjectDocument &document, const MixNumbers &numbers, int j);

// The text naming size class j in a message: its size as typed, or "№j" while it has none.
QString classLabel(const ProjectDocument &document, int j);
// "при Dj = 5; 2,5": the classes of a message.
QString classesText(const ProjectDocument &document, const QList<int> &classes);

// Whether corrected fraction i, as the correction step shows it (rounded to 2 decimals), lies
// outside 0..100: the corrected recipe then returns to the base recipe.
bool correctedOutOfRange(const MixNumbers &numbers, int i);

} // namespace Validation
