#pragma once

// The project the benchmarks measure: ten components over fifty size classes, every cell
// filled, equal base recipe.

#include "core/ProjectDocument.h"

#include <cmath>

inline ProjectDocument largeProject()
{
    ProjectDocument d;
    d.name = QStringLiteral("Большой проект");
    d.componentCount = 10;
    d.classCountText = QStringLiteral("50");
    for (int i = 1; i <= 10; ++i) {
        d.setCell(InputTable::Names, 1, i - 1, QStringLiteral("Компонент %1").arg(i));
        d.setCell(InputTable::Densities, 1, i - 1, QStringLiteral("2,%1").arg(50 + i - 1));
        d.setCell(InputTable::BaseRecipe, 1, i - 1, QStringLiteral("10"));
    }
    for (int j = 1; j <= 50; ++j) {
        d.setCell(InputTable::Compositions, j, 0, QString::number(100.0 / j, 'f', 3).replace(u'.', u','));
        for (int i = 1; i <= 10; ++i)
            d.setCell(InputTable::Compositions, j, i, QString::number(100 - j * 2 + i * 0.1, 'f', 1).replace(u'.', u','));
    }
    return d;
}

// Ten components with grading curves of different fineness over 50 sizes.
inline ProjectDocument gradedProject()
{
    ProjectDocument d;
    d.componentCount = 10;
    d.classCountText = QStringLiteral("50");
    for (int i = 1; i <= 10; ++i) {
        d.setCell(InputTable::Densities, 1, i - 1, QStringLiteral("2,%1").arg(50 + (i - 1) * 3));
        d.setCell(InputTable::BaseRecipe, 1, i - 1, QStringLiteral("10"));
    }
    for (int j = 1; j <= 50; ++j) {
        const double size = 40.0 * std::pow(0.85, j - 1);
        d.setCell(InputTable::Compositions, j, 0, QString::number(size, 'g', 6).replace(u'.', u','));
        for (int i = 1; i <= 10; ++i) {
            const double a = 100.0 * std::pow(size / 40.0, 0.15 + 0.12 * i);
            d.setCell(InputTable::Compositions, j, i, QString::number(a, 'f', 3).replace(u'.', u','));
        }
    }
    return d;
}
