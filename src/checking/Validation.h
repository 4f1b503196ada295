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
//   as the table shows them) must hold numbers that do not increase from left to right.

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

    bool operator==(const ValidationReport &) const = default;
};

namespace Validation {

// Checks the tables of `document` as they stand. Returns nothing when K is beyond the storage
// (more than 50 classes): such a check cannot finish, and what was shown before stays.
std::optional<ValidationReport> validateTables(const ProjectDocument &document, const MixNumbers &numbers);

// The text of the reference table's value cell of class j (row 1, column j): the value typed by
// hand, or the equation's value rounded to 2 decimals.
QString referenceCellText(const ProjectDocument &document, const MixNumbers &numbers, int j);

// Whether corrected fraction i, as the correction step shows it (rounded to 2 decimals), lies
// outside 0..100: the corrected recipe then returns to the base recipe.
bool correctedOutOfRange(const MixNumbers &numbers, int i);

} // namespace Validation
