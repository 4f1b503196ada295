#include "correction/ManualCorrection.h"

#include "core/Numbers.h"
#include "core/Recalculate.h"

#include <cmath>

namespace {

bool guardOn(const MixProject &p)
{
    return p.SliderMouseChangeStatus.text() != QStringLiteral("0");
}

void setGuard(MixProject &p, bool on)
{
    p.SliderMouseChangeStatus.setText(on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool locked(const MixProject &p, int k)
{
    return k >= 1 && k <= MaxComponents && p.MLock[k].isChecked();
}

void setCorrected(MixProject &p, int k, int sliderValue)
{
    if (const auto f = Num::single(sliderValue * 0.01))
        p.CorrectedRecipe.set(k, *f);
}

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

void AdjustSliders(MixProject &p, int i)
{
    constexpr int S = SliderMax;
    SliderModel *moved = p.slider(i);
    // 1.
    if (!moved || guardOn(p) || p.AutoCheck.isChecked() || locked(p, i))
        return;
    const int n = std::min<int>(Num::toInt16(Num::Val(p.N.text())).value_or(0), MaxComponents);
    // 2. The clamp runs the adjustment once more, nested, with the clamped value.
    if (moved->value() > S - p.LockedSliderTotal) {
        setGuard(p, false);
        moved->setValue(S - p.LockedSliderTotal);
    }
    // 3.
    int old[MaxComponents + 1] = {};
    long long O = 0;
    for (int k = 1; k <= n; ++k) {
        if (k == i)
            continue;
        old[k] = p.SBegunok[k].value();
        p.SliderLastValue.set(k, int16_t(old[k]));
        O += old[k];
    }
    // 4.
    const int v = moved->value();
    setCorrected(p, i, v);
    const int R = S - v;
    // 5.
    for (int k = 1; k <= n; ++k) {
        if (k == i)
            continue;
        setGuard(p, true);
        if (!locked(p, k)) {
            double share;
            if (O != 0)
                share = std::floor(double(old[k]) * double(R) / double(O));
            else if (n > 1)
                share = std::floor(double(R) / double(n - 1));
            else
                share = double(p.SBegunok[k].value());
            p.SBegunok[k].setValue(int(share));
            setCorrected(p, k, p.SBegunok[k].value());
        }
        setGuard(p, false);
    }
    // 6.
    int T = 0;
    for (int k = 1; k <= n; ++k)
        T += p.SBegunok[k].value();
    // 7. The rounding residue goes to one unlocked slider; its own adjustment runs nested.
    if (T != S) {
        const int d = std::abs(T - S);
        for (int k = 1; k <= n; ++k) {
            if (k == i || locked(p, k))
                continue;
            SliderModel &s = p.SBegunok[k];
            if (T < S) {
                setGuard(p, false);
                s.setValue(s.value() + d);
                setCorrected(p, k, s.value());
                break;
            }
            if (s.value() >= d) {
                setGuard(p, false);
                s.setValue(s.value() - d);
                setCorrected(p, k, s.value());
                break;
            }
        }
    }
    // 8.
    Recalculate(p);
}

void SliderPlus(MixProject &p, int i)
{
    if (SliderModel *s = p.slider(i); s && s->value() < s->max())
        s->setValue(s->value() + 1);
}

void SliderMinus(MixProject &p, int i)
{
    if (SliderModel *s = p.slider(i); s && s->value() > s->min())
        s->setValue(s->value() - 1);
}

void ResetCorrectedRecipe(MixProject &p)
{
    const int n = p.ComponentCount;
    for (int i = 1; i <= n; ++i) {
        if (i <= MaxComponents)
            p.MLock[i].setValue(0);
        if (const auto m = p.cellNumber(p.tabl[4], 1, i - 1))
            p.CorrectedRecipe.set(i, *m);
        p.showCorrectedOnSlider(i);
        Recalculate(p);
    }
}

void RefreshCorrectionDisplay(MixProject &p)
{
    const int n = std::min<int>(p.ComponentCount, MaxComponents);
    const bool automatic = p.AutoCheck.isChecked();
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) {
        const float cur = p.CorrectedRecipe[i];
        if (p.TrialRecipe[i] > 0.0f)
            p.PreviousTrial.set(i, p.TrialRecipe[i]);
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
        if (automatic)
            setRounded(p.M_lab_rn[i], double(p.TrialRecipe[i]));
        else
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
    // Only components 1..N take part: a hidden slider holds no share.
    const int n = std::min<int>(p.ComponentCount, MaxComponents);
    int total = 0;
    for (int i = 1; i <= n; ++i)
        if (p.MLock[i].isChecked())
            total += p.SBegunok[i].value();
    p.LockedSliderTotal = int16_t(std::min(total, 32767));
}

void ConnectCorrectionHandlers(MixProject &p)
{
    for (int i = 1; i <= MaxComponents; ++i) {
        SliderModel &s = p.SBegunok[i];
        QObject::connect(&s, &SliderModel::scrolled, &p, [&p, i] { AdjustSliders(p, i); });
        QObject::connect(&s, &SliderModel::changed, &p, [&p, i] { AdjustSliders(p, i); });
        QObject::connect(&p.MPlus[i], &Control::clicked, &p, [&p, i] { SliderPlus(p, i); });
        QObject::connect(&p.MMinus[i], &Control::clicked, &p, [&p, i] { SliderMinus(p, i); });
        QObject::connect(&p.MLock[i], &Control::clicked, &p, [&p, i] {
            const bool free = !p.MLock[i].isChecked();
            p.SBegunok[i].setEnabled(free);
            p.MPlus[i].setEnabled(free);
            p.MMinus[i].setEnabled(free);
        });
    }
    QObject::connect(&p.IshReset, &Control::clicked, &p, [&p] { ResetCorrectedRecipe(p); });
    QObject::connect(&p.AutoCheck, &Control::clicked, &p, [&p] {
        const bool manual = !p.AutoCheck.isChecked();
        const int n = std::min<int>(Num::toInt16(Num::Val(p.N.text())).value_or(0), MaxComponents);
        for (int i = 1; i <= n; ++i) {
            p.SBegunok[i].setEnabled(manual);
            p.MPlus[i].setEnabled(manual);
            p.MMinus[i].setEnabled(manual);
            p.MLock[i].setEnabled(manual);
        }
        p.IshReset.setEnabled(manual);
    });
    QObject::connect(&p.BoundsCheck, &Control::clicked, &p, [&p] {
        const bool on = p.BoundsCheck.isChecked();
        const int n = std::min<int>(Num::toInt16(Num::Val(p.N.text())).value_or(0), MaxComponents);
        for (int i = 1; i <= n; ++i) {
            p.MarkerBMin[i].setVisible(on);
            p.MarkerBMax[i].setVisible(on);
        }
    });
}
