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

// The main window's design size (inner, twips) and the slider rows of step 5.
inline constexpr int DesignWidth = 15000;
inline constexpr int DesignHeight = 11250;
inline constexpr int SliderRowTop = 500;
inline constexpr int SliderRowStep = 560;
inline constexpr int SliderLeft = 1900;
inline constexpr int SliderWidth = 2120;
// The width of the caption "Логарифмический масштаб оси абсцисс" on one line; narrower, it
// takes two lines.
inline constexpr int LogCheckOneLine = 3900;
// The slider's track: 0 % at 2040 twips, 100 % at 3880 (the bound markers are placed on it).
inline constexpr int SliderTrackLeft = 2040;
inline constexpr int SliderTrackRight = 3880;

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
    std::optional<float> cellNumber(const GridModel &grid, int row, int col) const
    {
        const auto index = CellIndex(grid, row, col);
        if (!index)
            return std::nullopt;
        return grid.number(int64_t(*index));
    }
    const QString *cellText(const GridModel &grid, int row, int col) const;
    bool setCellText(GridModel &grid, int row, int col, const QString &text);

    // Slider i shows the corrected fraction: floor(fraction x 100), set with the guard
    // SliderMouseChangeStatus on so that no adjustment of the other sliders follows.
    void showCorrectedOnSlider(int i);

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
    void notifyRecalculated()
    {
        ++m_revision;
        emit recalculated();
        emit chartsChanged();
    }
    quint64 revision() const { return m_revision; }
    // The charts show something else (new numbers, or validity flags that changed).
    void notifyChartsChanged() { emit chartsChanged(); }

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
    // "Найти оптимальный состав" and the divergence it reached.
    Control CommandOptimum, LabelOptimum;
    // "1" while the manual correction itself moves sliders, "0" otherwise.
    Control SliderMouseChangeStatus;

    // ---- The rest of the main window (geometry in twips, relative to the control's panel) ----
    Control Foc;               // caption: the current step, "0" before one is chosen
    Control Head;              // title of the shown step
    Control logo;
    Control Gradient;          // decorative strip along the bottom
    Control But[8];            // step buttons 1..7; picture = bitmap number 101..121
    Control Line_v[9];         // rule 1..8 under the buttons: value 1 = white; left..left+width at top
    Control Forma[8];          // step panels 1..7
    Control Command3;          // "Использовать модуль загрузки данных из базы"
    Control ButOpen, ButSave, Shape5, Shape6;
    // Step 1
    Control Label_name, Label_N, Label_names, Label_density, Hint_name, Hint_names;
    Control ErrTab1;
    // Step 2
    Control Label_form, Label7, Label8, Label_K, Command1, Command2, Label_grain, Label14;
    Control ComCopy, ComPaste, ComDelete, ComErrView, ErrBorder;
    Control PoleError, PoleErrorHead, PErr1, PErrA[MaxComponents + 1];
    // Step 3
    Control Label_recipe, Label_sum, Label_diagram, ErrTab4, ErrBorder4, Diagramma1;
    // Step 4
    Control Label_reference, formula[5], ErrTab5, Label_manual, Label_note;
    Control Label_koef_n, Label_koef_a, Label_koef_n2, Label_koef_m, Label_koef_B;
    Control Label_expl[9];
    // Step 5
    Control Label_manualCorrection, Label_graph, Graph, Legenda, Pogreshnost, Koords, GrVL, GrGL;
    // Step 6
    Control Label_report, Otch_el[12], ButOtchet;
    // Step 7
    Control Label_info[13]; // 1..5 the description, 11 the words before the link, 12 the link

    // ---- Table validation (recomputed on every tick) ----
    bool DensityRowValid = false;
    bool GrainTableValid = false;
    bool BaseRecipeValid = false;
    bool ReferenceTableValid = false;
    bool TablesValid = false;
    struct ValidationResults
    {
        std::array<uint8_t, MaxClasses + 1> sizeError{};
        std::array<std::array<uint8_t, MaxClasses + 1>, MaxComponents + 1> fractionError{};
        std::array<int16_t, MaxComponents + 1> componentErrors{};
        int16_t sizeErrors = 0;
        std::array<uint8_t, MaxComponents + 1> densityError{};
        int16_t densityErrors = 0;
        std::array<uint8_t, MaxComponents + 1> recipeError{};
        int16_t recipeErrors = 0;
        std::array<uint8_t, MaxClasses + 1> referenceError{};
        int16_t referenceErrors = 0;
    } validation;

    // ---- Correction bookkeeping ----
    ComponentFloats LockedFraction;
    int16_t LockedSliderTotal = 0;
    // The automatic search's random walk.
    ComponentFloats TrialRecipe;
    ComponentFloats PreviousTrial;
    ComponentFloats TrialVolumeFraction;
    ClassFloats TrialMixCurve;
    Slots<float, MaxClasses + 2> TrialDeviation;
    float TrialDivergence = 0.0f;

    // ---- The graph's plot rectangle, set by the window layout (twips of the graph) ----
    float PlotLeft = 500.0f;
    float PlotTop = 500.0f;
    float PlotRight = 0.0f;
    float PlotBottom = 0.0f;
    // The logarithmic axis range of the last redraw with MaxSize > MinSize.
    float LogAxisMax = 0.0f;
    float LogAxisMin = 0.0f;

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
    // The digest of the numbers the shown best divergence (LabelOptimum) was found for.
    std::optional<quint64> OptimumFoundFor;

signals:
    void recalculated();
    void chartsChanged();

private:
    void setDesignDefaults();
    void applyWindowDesign();
    void nameControls();

    quint64 m_revision = 0;
};
