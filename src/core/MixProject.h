#pragma once

// The one mix-design project of the main window, and the state of the window that the logic
// reads and writes.
//
// Units: mass and volume fractions, passings, residues and the divergence in percent; sizes in
// one unit of the user's choice; densities in g/cm3; positions and sizes in twips (15 per pixel).
//
// The user's inputs live as text in the tables tabl(1)..tabl(5) and in the fields; the numeric
// arrays below are rebuilt from that text by Recalculate(). CorrectedRecipe is the one piece of
// numeric state written directly (sliders, automatic search, opening a project, the database).
//
// Storage is fixed for the life of the project: 11 slots per component and 51 per size class
// (slot 0 is never read). An index beyond it fails, and the statement that used it is skipped.

#include "core/Control.h"
#include "core/GridModel.h"
#include "core/SliderModel.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <optional>

inline constexpr int MaxComponents = 10;
inline constexpr int MaxClasses = 50;

// Slider scale: a position of 10000 stands for a mass fraction of 100 %.
inline constexpr int SliderMax = 10000;
inline constexpr int SliderMin = 0;
inline constexpr int SliderLargeStep = 100;
inline constexpr int SliderSmallStep = 1;

enum class GrainDataForm : int { Integral = 1, Differential = 2 };
enum class ReferenceKind : int { FunkDinger = 1, Fuller = 2, Hummel = 3, Bolomey = 4, ManualReference = 5 };

// A fixed array whose index is checked: get() and set() fail outside 0..Size-1.
template <typename T, int Size>
class Slots
{
public:
    static constexpr int size() { return Size; }
    static constexpr bool has(int i) { return i >= 0 && i < Size; }
    std::optional<T> get(int i) const
    {
        if (!has(i))
            return std::nullopt;
        return m_v[size_t(i)];
    }
    bool set(int i, T value)
    {
        if (!has(i))
            return false;
        m_v[size_t(i)] = value;
        return true;
    }
    // Reading for display and tests; outside the storage it reads the zero value.
    T operator[](int i) const { return has(i) ? m_v[size_t(i)] : T{}; }

private:
    std::array<T, Size> m_v{};
};

// Per class (rows 0..50) and per component (columns 0..10).
template <typename T>
class ClassTable
{
public:
    static constexpr bool has(int j, int i) { return j >= 0 && j <= MaxClasses && i >= 0 && i <= MaxComponents; }
    std::optional<T> get(int j, int i) const
    {
        if (!has(j, i))
            return std::nullopt;
        return m_v[size_t(j)][size_t(i)];
    }
    bool set(int j, int i, T value)
    {
        if (!has(j, i))
            return false;
        m_v[size_t(j)][size_t(i)] = value;
        return true;
    }
    T operator()(int j, int i) const { return has(j, i) ? m_v[size_t(j)][size_t(i)] : T{}; }

private:
    std::array<std::array<T, MaxComponents + 1>, MaxClasses + 1> m_v{};
};

using ComponentFloats = Slots<float, MaxComponents + 1>;
using ClassFloats = Slots<float, MaxClasses + 1>;

// CellIndex(grid, row, col) = row * (the grid's column count now) + col. Fails on overflow of
// a 32-bit integer.
inline std::optional<int32_t> CellIndex(const GridModel &grid, int row, int col)
{
    const int64_t index = int64_t(row) * grid.cols() + col;
    if (index < INT32_MIN || index > INT32_MAX)
        return std::nullopt;
    return int32_t(index);
}

class MixProject final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MixProject)

public:
    explicit MixProject(QObject *parent = nullptr);

    // What the window's load does, apart from its window hooks: slider scale, start recipe
    // (100 % of component 1), bounds 0..100, the search's component, then Recalculate().
    void startUp();

    // Table and field helpers. A cell "read as a number" is the locale conversion of its text.
    std::optional<float> cellNumber(const GridModel &grid, int row, int col) const;
    const QString *cellText(const GridModel &grid, int row, int col) const;
    bool setCellText(GridModel &grid, int row, int col, const QString &text);

    // The slider, table or control of a 1-based index; nullptr outside the arrays.
    SliderModel *slider(int i) { return i >= 1 && i <= MaxComponents ? &SBegunok[i] : nullptr; }
    GridModel *table(int k) { return k >= 1 && k <= 5 ? &tabl[k] : nullptr; }

    GrainDataForm dataForm() const { return Data_type_1.isChecked() ? GrainDataForm::Integral : GrainDataForm::Differential; }
    // Selects one option of a group: the others are deselected first, then the chosen one
    // raises its click.
    void selectDataForm(GrainDataForm form);
    void selectReference(ReferenceKind kind);
    // The first selected of Etalon_1..Etalon_5, if any.
    std::optional<ReferenceKind> referenceKind() const;

    // Called at the end of every Recalculate(): the granulometric graph shows new numbers.
    void notifyRecalculated() { ++m_revision; emit recalculated(); }
    quint64 revision() const { return m_revision; }

    // ---- Inputs held as text, and the controls the logic reads and writes ----
    Control project_name;
    Control N;   // editable drop-down "1".."10", read as a leading number
    Control K;   // text field, read as a leading number
    GridModel tabl[6]; // tabl[1]..tabl[5]; tabl[0] is never used
    Control Data_type_1, Data_type_2;
    Control Etalon[6]; // Etalon[1]..Etalon[5]
    Control koef_n, koef_a, koef_n2, koef_m, koef_B;
    Control mass0_sum;
    Control Setka_check, Log_check, BoundsCheck, AutoCheck;

    // Step 5: one row per component (index 1..10).
    SliderModel SBegunok[MaxComponents + 1];
    Control k_name[MaxComponents + 1];
    Control Pol_label[MaxComponents + 1];
    Control M_lab[MaxComponents + 1];
    Control M_lab_rn[MaxComponents + 1];
    Control MarkerBMin[MaxComponents + 1];
    Control MarkerBMax[MaxComponents + 1];
    Control MPlus[MaxComponents + 1];
    Control MMinus[MaxComponents + 1];
    Control MLock[MaxComponents + 1];
    Control lock_pic[MaxComponents + 1];
    Control IshReset, summa, Label60, CommandBounds;
    // "1" while the manual correction itself moves sliders, "0" otherwise.
    Control SliderMouseChangeStatus;

    // ---- Numeric state ----
    int16_t ComponentCount = 0;
    ComponentFloats GrainDensity;
    ComponentFloats BaseRecipe;
    ComponentFloats CorrectedRecipe;
    ComponentFloats BaseVolumeFraction;
    ComponentFloats CorrectedVolumeFraction;
    ClassFloats SieveSize;
    float MaxSize = 0.0f;
    float MinSize = 0.0f;
    ClassTable<float> EnteredComposition;
    ClassTable<float> CumulativeResidue;
    ClassFloats BaseMixCurve;
    ClassFloats CorrectedMixCurve;
    ClassFloats ReferenceCurve;
    Slots<float, MaxClasses + 2> CurveDeviation; // slots 1..51
    float CurveDivergence = 0.0f;
    ClassFloats ReferenceBandUpper;
    ClassFloats ReferenceBandLower;
    ComponentFloats VariationMin;
    ComponentFloats VariationMax;
    Slots<int16_t, MaxComponents + 1> SliderLastValue;
    int16_t SearchComponent = 0;

signals:
    void recalculated();

private:
    void setDesignDefaults();

    quint64 m_revision = 0;
};
