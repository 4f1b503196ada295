#include "correction/BoundsDialog.h"

#include "core/Numbers.h"

#include <cmath>

BoundsDialogModel::BoundsDialogModel(QObject *parent)
    : QObject(parent)
{
    for (int j = 1; j <= MaxComponents; ++j) {
        const int column = (j - 1) / 5, row = (j - 1) % 5;
        const int left = 120 + column * 3900, top = 120 + row * 1140;
        CompFrame[j].setGeometry(left, top, 3720, 1020);
        CompFrame[j].setText(QStringLiteral("Компонент %1").arg(j));
        CompName[j].setGeometry(120, 260, 3480, 260);
        BMin[j].setGeometry(120, 600, 480, 300);
        BMin[j].setText(QStringLiteral("от:"));
        BMinVal[j].setGeometry(600, 560, 1000, 340);
        BMax[j].setGeometry(1860, 600, 480, 300);
        BMax[j].setText(QStringLiteral("до:"));
        BMaxVal[j].setGeometry(2340, 560, 1000, 340);
        ErrBorder[j].setGeometry(60, 500, 3600, 460);
        ErrBorder[j].setVisible(false);
    }
    CommandApply.setText(QStringLiteral("Применить"));
    CommandApply.setGeometry(4260, 5940, 1700, 420);
    CommandCancel.setText(QStringLiteral("Отмена"));
    CommandCancel.setGeometry(6060, 5940, 1700, 420);
    Form6.setText(title());
    Form6.setGeometry(0, 0, 7980, 6540);
    Form6.setVisible(false);
}

bool BoundsKeyAllowed(char16_t ch)
{
    return (ch >= u'0' && ch <= u'9') || ch == 8;
}

namespace {

int componentCount(const MixProject &p)
{
    return std::min<int>(Num::toInt16(Num::Val(p.N.text())).value_or(0), MaxComponents);
}

} // namespace

void OpenBoundsDialog(MixProject &p, BoundsDialogModel &d)
{
    for (int j = 1; j <= MaxComponents; ++j)
        for (Control *c : {&d.CompFrame[j], &d.CompName[j], &d.BMin[j], &d.BMax[j], &d.BMinVal[j], &d.BMaxVal[j]})
            c->setEnabled(false);
    const int n = componentCount(p);
    for (int j = 1; j <= n; ++j) {
        for (Control *c : {&d.CompFrame[j], &d.CompName[j], &d.BMin[j], &d.BMax[j], &d.BMinVal[j], &d.BMaxVal[j]})
            c->setEnabled(true);
        d.CompName[j].setText(p.k_name[j].text());
        d.BMinVal[j].setText(Num::formatSingle(p.VariationMin[j]));
        d.BMaxVal[j].setText(Num::formatSingle(p.VariationMax[j]));
    }
    ValidateBounds(p, d);
    d.Form6.setVisible(true);
}

void ValidateBounds(const MixProject &p, BoundsDialogModel &d)
{
    int errors = 0;
    const int n = componentCount(p);
    for (int j = 1; j <= n; ++j) {
        bool wrong;
        if (!Num::toSingle(d.BMinVal[j].text()) || !Num::toSingle(d.BMaxVal[j].text())) {
            wrong = true;
        } else {
            const double lo = Num::Val(d.BMinVal[j].text());
            const double hi = Num::Val(d.BMaxVal[j].text());
            if (lo < 0 || lo > 100 || hi < 0 || hi > 100)
                wrong = true;
            else
                wrong = !(hi > lo);
        }
        d.ErrBorder[j].setVisible(wrong);
        errors += wrong ? 1 : 0;
    }
    d.CommandApply.setEnabled(errors == 0);
}

void ApplyBounds(MixProject &p, BoundsDialogModel &d)
{
    const int n = componentCount(p);
    for (int i = 1; i <= n; ++i) {
        p.VariationMin.set(i, float(Num::Val(d.BMinVal[i].text())));
        p.VariationMax.set(i, float(Num::Val(d.BMaxVal[i].text())));
    }
    d.Form6.setVisible(false);
}

void CancelBounds(BoundsDialogModel &d)
{
    d.Form6.setVisible(false);
}

float MarkerPosition(float percent)
{
    return 3880.0f - (percent - 100.0f) * 1840.0f / -100.0f;
}

void UpdateBoundsControls(MixProject &p)
{
    p.BoundsCheck.setEnabled(p.AutoCheck.isEnabled());
    p.CommandBounds.setEnabled(p.BoundsCheck.isEnabled() && p.BoundsCheck.isChecked());
    for (int i = 1; i <= MaxComponents; ++i) {
        p.MarkerBMin[i].setLeft(int(std::lround(MarkerPosition(p.VariationMin[i]))));
        p.MarkerBMax[i].setLeft(int(std::lround(MarkerPosition(p.VariationMax[i]))));
    }
}
