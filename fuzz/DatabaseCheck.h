#pragma once

// The database a fuzzed workbook gives, taken through the selection window's logic: its
// numbers are checked, the preview filled and the first components transferred into a project.

#include "FuzzSupport.h"

#include "core/Handlers.h"
#include "database/ComponentDatabase.h"
#include "database/Selection.h"

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

    SelectionModel s;
    StartSelection(s);
    s.database = std::move(db);
    const QStringList names = s.database.names();
    for (int i = 1; i <= MaxComponents; ++i)
        s.comp_name[i].setItems(names);
    const int n = std::min<int>(3, int(names.size()));
    if (n == 0)
        return;
    s.comboN.setValue(n);
    SetParticipatingRows(s);
    for (int i = 1; i <= n; ++i) {
        ChooseComponent(s, i, i, {});
        ConfirmDensity(s, QString::number(i), DefaultDensityOption);
    }
    for (int f = 1; f <= 6; ++f) {
        s.combo_form.setValue(f);
        RefreshPreviewTable(s);
    }
    SelectionTick(s);
    MixProject p;
    ConnectInputHandlers(p);
    p.startUp();
    QString message;
    TransferSelection(s, p, [&message](const QString &, const QString &text) { message = text; });
}

} // namespace Fuzz
