#include "core/Handlers.h"

#include "core/Numbers.h"
#include "core/Recalculate.h"

namespace {
constexpr QRgb White = 0xFFFFFFFF;
}

void PrepareManualReference(MixProject &p)
{
    GridModel &t5 = p.tabl[5];
    t5.clear();
    p.setCellText(t5, 0, 0, QStringLiteral("Dj"));
    p.setCellText(t5, 1, 0, QStringLiteral("A'j"));
    if (const auto k = Num::toInt16(Num::Val(p.K.text()))) {
        for (int j = 1; j <= *k; ++j) {
            if (const QString *size = p.cellText(p.tabl[3], j, 0)) {
                const QString copy = *size;
                p.setCellText(t5, 0, j, copy);
            }
            t5.setCellBackground(White);
        }
    }
}

void ConnectInputHandlers(MixProject &p)
{
    QObject::connect(&p.N, &Control::textChanged, &p, [&p] {
        const double n = Num::Val(p.N.text());
        if (n >= 1 && n <= MaxComponents)
            Recalculate(p);
    });
    for (Control *c : {&p.K, &p.koef_n, &p.koef_a, &p.koef_n2, &p.koef_m, &p.koef_B})
        QObject::connect(c, &Control::textChanged, &p, [&p] { Recalculate(p); });
    for (Control *c : {&p.Data_type_1, &p.Data_type_2, &p.Log_check, &p.Setka_check})
        QObject::connect(c, &Control::clicked, &p, [&p] { Recalculate(p); });
    for (int k = 1; k <= 4; ++k)
        QObject::connect(&p.Etalon[k], &Control::clicked, &p, [&p] {
            p.tabl[5].setCellBackground(White);
            Recalculate(p);
        });
    QObject::connect(&p.Etalon[5], &Control::clicked, &p, [&p] {
        PrepareManualReference(p);
        Recalculate(p);
    });
}
