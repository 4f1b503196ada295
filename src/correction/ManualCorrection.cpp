#include "correction/ManualCorrection.h"

#include "core/Numbers.h"
#include "core/Recalculate.h"

#include <cmath>

void ResetCorrectedRecipe(MixProject &p)
{
    const int n = p.ComponentCount;
    for (int i = 1; i <= n; ++i) {
        if (i <= MaxComponents)
            p.MLock[i].setValue(0);
        if (const auto m = p.cellNumber(p.tabl[4], 1, i - 1))
            p.CorrectedRecipe.set(i, *m);
        p.SliderMouseChangeStatus.setText(QStringLiteral("1"));
        if (SliderModel *s = p.slider(i))
            if (const auto v = Num::toInt32(std::floor(double(p.CorrectedRecipe[i]) * 100.0)))
                s->setValue(*v);
        p.SliderMouseChangeStatus.setText(QStringLiteral("0"));
        Recalculate(p);
    }
}

namespace {

// A figure rounded to 2 decimals, written without allocating when it is already shown.
void setRounded(Control &label, double value)
{
    QChar buf[48];
    const int len = Num::formatRounded(value, 2, buf);
    if (len >= 0)
        label.setText(QStringView(buf, len));
    else
        label.setText(Num::formatRounded(value, 2));
}

} // namespace

void RefreshCorrectionDisplay(MixProject &p)
{
    const int n = std::min<int>(p.ComponentCount, MaxComponents);
    const bool automatic = p.AutoCheck.isChecked();
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) {
        const float cur = p.CorrectedRecipe[i];
        if (p.MLock[i].isChecked()) {
            p.LockedFraction.set(i, cur);
            if (const auto v = Num::toInt32(Num::roundHalfEven(double(cur) * 100.0)))
                p.SBegunok[i].setValue(*v);
            p.lock_pic[i].setPicture(ClosedPadlock);
        } else {
            p.LockedFraction.set(i, 0.0f);
            if (!automatic)
                p.lock_pic[i].setPicture(OpenPadlock);
        }
        if (!automatic)
            p.M_lab_rn[i].setText(QStringView());
        sum += double(cur);
        setRounded(p.M_lab[i], double(cur));
    }
    setRounded(p.summa, sum);
}

void UpdateLockedSliderTotal(MixProject &p)
{
    // Locked sliders can add up beyond 16 bits (a corrected recipe far above 100 %); the
    // total is then held at the largest value, which still blocks every further increase.
    int total = 0;
    for (int i = 1; i <= MaxComponents; ++i)
        if (p.MLock[i].isChecked())
            total += p.SBegunok[i].value();
    p.LockedSliderTotal = int16_t(std::min(total, 32767));
}
