#pragma once

// The project the benchmarks measure: ten components over fifty size classes, every cell
// filled, equal base recipe.

#include "core/MixProject.h"
#include "core/Recalculate.h"

inline void FillLargeProject(MixProject &p)
{
    p.N.setText(QStringLiteral("10"));
    p.K.setText(QStringLiteral("50"));
    Recalculate(p);
    for (int i = 0; i < 10; ++i) {
        p.setCellText(p.tabl[1], 1, i, QStringLiteral("Компонент %1").arg(i + 1));
        p.setCellText(p.tabl[2], 1, i, QStringLiteral("2,%1").arg(50 + i));
        p.setCellText(p.tabl[4], 1, i, QStringLiteral("10"));
    }
    for (int j = 1; j <= 50; ++j) {
        p.setCellText(p.tabl[3], j, 0, QString::number(100.0 / j, 'f', 3).replace(u'.', u','));
        for (int i = 1; i <= 10; ++i)
            p.setCellText(p.tabl[3], j, i, QString::number(100 - j * 2 + i * 0.1, 'f', 1).replace(u'.', u','));
    }
    Recalculate(p);
}
