#pragma once

// The database a fuzzed workbook gives, taken through the selection window's logic: its
// numbers are checked, the preview filled and the first components transferred into a project.

#include "FuzzSupport.h"

#include "database/ComponentDatabase.h"
#include "database/ComponentSelection.h"
#include "session/ProjectSession.h"

#include <cmath>

namespace Fuzz {

inline void checkDatabase(ComponentDatabase &&db)
{
    require(db.sizeCount >= 1 && db.sizeCount <= MaxDbSizes, "1..50 size classes");
    require(db.components.size() <= MaxDbComponents, "at most 10 000 components");
    require(std::isfinite(db.maxSize) && std::isfinite(db.minSize) && std::isfinite(db.maxTotalMass), "finite extremes");
    for (int m = 1; m <= db.components.size(); ++m)
        for (int k = 1; k <= db.sizeCount; ++k)
            for (int f = 1; f <= 6; ++f)
                if (const auto v = db.value(m, k, CompositionForm(f)))
                    require(std::isfinite(*v), "finite forms");

    ComponentSelection s;
    s.setDatabase(std::move(db));
    const int n = std::min<int>(3, int(s.database().components.size()));
    if (n == 0)
        return;
    s.setParticipating(n);
    for (int i = 1; i <= n; ++i) {
        s.chooseComponent(i, i);
        s.setDensity(i, densityText(DefaultDensityOption));
    }
    for (int f = 1; f <= 6; ++f) {
        s.setForm(CompositionForm(f));
        (void)s.previewHeader();
        (void)s.previewRows();
    }
    ProjectSession p;
    QString message;
    if (const auto document = s.transfer(p.document(), &message))
        p.transferFromDatabase(*document);
    else
        require(!message.isEmpty(), "a refused transfer gets a message");
}

} // namespace Fuzz
