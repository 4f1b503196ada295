#include "core/MixProject.h"

#include "core/Numbers.h"
#include "core/Recalculate.h"

#include <cmath>

MixProject::MixProject(QObject *parent)
    : QObject(parent)
{
    nameControls();
    setDesignDefaults();
}

void MixProject::setDesignDefaults()
{
    // The controls as the window's design leaves them, before the start-up code runs.
    QStringList counts;
    for (int i = 1; i <= MaxComponents; ++i)
        counts << Num::formatInt(i);
    N.setItems(counts);
    N.setText(QStringLiteral("1"));
    K.setText(QStringLiteral("2"));
    koef_n.setItems({QStringLiteral("0,5"), QStringLiteral("0,37")});
    koef_n.setText(QStringLiteral("0,5"));
    koef_a.setText(QStringLiteral("0"));
    koef_n2.setItems({QStringLiteral("0,5"), QStringLiteral("0,37")});
    koef_n2.setText(QStringLiteral("0,5"));
    koef_m.setText(QStringLiteral("0,1"));
    koef_B.setItems({QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("14")});
    koef_B.setText(QStringLiteral("10"));

    Data_type_1.setOptionButton(true);
    Data_type_2.setOptionButton(true);
    Data_type_1.setValue(1);
    for (int k = 1; k <= 5; ++k)
        Etalon[k].setOptionButton(true);
    Etalon[1].setValue(1);

    // Names, densities, base recipe and reference: a header row and one row of values.
    for (int k = 1; k <= 5; ++k)
        tabl[k].setRows(2);

    Setka_check.setValue(1);
    SliderMouseChangeStatus.setText(QStringLiteral("0"));

    applyWindowDesign();
}

void MixProject::startUp()
{
    // Each step stands alone; none of them can fail here, the indices are fixed.
    for (int i = 1; i <= MaxComponents; ++i) {
        SBegunok[i].setMax(SliderMax);
        SBegunok[i].setMin(SliderMin);
        SBegunok[i].setLargeChange(SliderLargeStep);
        SBegunok[i].setSmallChange(SliderSmallStep);
    }
    SBegunok[1].setValue(SBegunok[1].max());
    for (int i = 2; i <= MaxComponents; ++i)
        SBegunok[i].setValue(SBegunok[i].min());
    for (int i = 1; i <= MaxComponents; ++i)
        SliderLastValue.set(i, int16_t(SBegunok[i].value()));

    CorrectedRecipe.set(1, 100.0f);
    for (int i = 1; i <= MaxComponents; ++i) {
        VariationMin.set(i, 0.0f);
        VariationMax.set(i, 100.0f);
    }
    for (int i = 2; i <= MaxComponents; ++i)
        CorrectedRecipe.set(i, 0.0f);
    SearchComponent = 1;

    Recalculate(*this);
}

const QString *MixProject::cellText(const GridModel &grid, int row, int col) const
{
    const auto index = CellIndex(grid, row, col);
    if (!index)
        return nullptr;
    return grid.text(int64_t(*index));
}

bool MixProject::setCellText(GridModel &grid, int row, int col, const QString &text)
{
    const auto index = CellIndex(grid, row, col);
    if (!index)
        return false;
    return grid.setText(int64_t(*index), text);
}

void MixProject::showCorrectedOnSlider(int i)
{
    SliderModel *s = slider(i);
    if (!s)
        return;
    SliderMouseChangeStatus.setText(QStringLiteral("1"));
    if (const auto v = Num::toInt32(std::floor(double(CorrectedRecipe[i]) * 100.0)))
        s->setValue(*v);
    SliderMouseChangeStatus.setText(QStringLiteral("0"));
}

void MixProject::selectDataForm(GrainDataForm form)
{
    Control &on = form == GrainDataForm::Integral ? Data_type_1 : Data_type_2;
    Control &off = form == GrainDataForm::Integral ? Data_type_2 : Data_type_1;
    off.setValue(0);
    on.setValue(1);
}

void MixProject::selectReference(ReferenceKind kind)
{
    const int chosen = int(kind);
    for (int k = 1; k <= 5; ++k)
        if (k != chosen)
            Etalon[k].setValue(0);
    if (chosen >= 1 && chosen <= 5)
        Etalon[chosen].setValue(1);
}

std::optional<ReferenceKind> MixProject::referenceKind() const
{
    for (int k = 1; k <= 5; ++k)
        if (Etalon[k].isChecked())
            return ReferenceKind(k);
    return std::nullopt;
}
