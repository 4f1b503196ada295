#pragma once

// The project document: everything a mix design consists of, as the user typed it — the mix
// name, the counts, the five input tables as texts, the data form, the reference kind and the
// coefficient texts. It is a value: copy it, compare it, save it. Saving and opening a project
// file are a plain mapping of it (files/ProjectFile.h).
//
// The tables keep cells beyond the current N and K: lowering a count hides columns or rows
// without losing what they held, and raising it again brings them back. Hidden cells are
// neither shown, computed nor saved; opening a project or clearing a table clears them.
//
// The numbers of the mix are computed from a document by recalculate() (core/Recalculate.h).

#include "core/Storage.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// A cell of an input table (or a coefficient field): its text, and the number the text
// converts to, worked out once when the text is set. An empty or non-numeric text has no
// number; it never counts as 0.
class CellText
{
public:
    CellText() = default;
    CellText(const QString &text); // NOLINT: a cell is its text
    const QString &text() const { return m_text; }
    std::optional<float> number() const
    {
        if (!m_numeric)
            return std::nullopt;
        return m_number;
    }
    bool isEmpty() const { return m_text.isEmpty(); }
    bool operator==(const CellText &other) const { return m_text == other.m_text; }

private:
    QString m_text;
    float m_number = 0.0f;
    bool m_numeric = false;
};

// The input tables, numbered as the steps show them: the five of the original layout, then the
// optional prices (step 1) and grading envelope (step 4), which the file keeps in its own section.
enum class InputTable : uint8_t {
    Names = 1,        // row 1, column i-1: the name of component i
    Densities = 2,    // row 1, column i-1: its grain density
    Compositions = 3, // row j, column 0: the size D_j; row j, column i: component i's value at D_j
    BaseRecipe = 4,   // row 1, column i-1: the mass fraction of component i
    Reference = 5,    // row 1, column j: the reference passing A'_j typed by hand
    Prices = 6,       // row 1, column i-1: the price of a tonne of component i
    Envelope = 7,     // row 1 / row 2, column j: the lower / upper limit of the mix's passing at D_j
};
inline constexpr int InputTableCount = 7;

// The coefficients of the reference equations.
enum class Coefficient : uint8_t {
    FunkDingerN = 0, // n of Funk-Dinger
    FunkDingerA,     // a of Funk-Dinger
    FullerN,         // n of Fuller
    HummelM,         // m of Hummel
    BolomeyB,        // B of Bolomey
};
inline constexpr int CoefficientCount = 5;

class ProjectDocument
{
public:
    // The most size classes a table holds; a larger K shows no more rows.
    static constexpr int MaxTableClasses = 10000;

    ProjectDocument();

    QString name;
    // N, 1..10: the component count is chosen from a list.
    int16_t componentCount = 1;
    // K as typed; read by the leading-number reader (classCount()).
    QString classCountText = QStringLiteral("2");
    GrainDataForm dataForm = GrainDataForm::Integral;
    ReferenceKind referenceKind = ReferenceKind::FunkDinger;
    std::array<CellText, CoefficientCount> coefficients;

    // K: the leading number of the K text as a whole number (halves to even); 0 when the text
    // does not start with a number or the number does not fit a 16-bit count.
    int classCount() const;
    // The size classes the tables show: K, within 0..MaxTableClasses.
    int shownClassCount() const;

    const CellText &coefficient(Coefficient c) const { return coefficients[size_t(c)]; }
    void setCoefficient(Coefficient c, const QString &text) { coefficients[size_t(c)] = text; }

    // The cells by component i = 1..10 and class j = 1..MaxTableClasses. Outside, an empty cell
    // is read and nothing is written.
    const CellText &componentName(int i) const;
    const CellText &density(int i) const;
    const CellText &baseRecipe(int i) const;
    const CellText &size(int j) const;
    const CellText &composition(int j, int i) const;
    const CellText &manualReference(int j) const;
    // The optional inputs: the price of a tonne of component i, and the grading envelope (the
    // lower and upper limits of the passing at D_j, percent). An empty cell sets no limit.
    const CellText &price(int i) const;
    const CellText &envelopeLower(int j) const;
    const CellText &envelopeUpper(int j) const;
    // Whether any price of components 1..N, or any limit of classes 1..K, is typed.
    bool hasPrices() const;
    bool hasEnvelope() const;

    // Lines of the project file's own section that this version does not know: kept as they
    // were read and written back unchanged.
    QStringList unknownSectionLines;

    // A cell by its place in the window's table (row 0 and the reference table's column 0 are
    // headers made from other cells; they are read empty and never written). Returns false when
    // the place holds no input.
    const CellText &cell(InputTable table, int row, int col) const;
    bool setCell(InputTable table, int row, int col, const QString &text);
    // Whether (row, col) of the table holds an input cell within the current N and K.
    bool isInputCell(InputTable table, int row, int col) const;

    // Clears every cell of a table, hidden ones included.
    void clearTable(InputTable table);

    bool operator==(const ProjectDocument &other) const;
    bool operator!=(const ProjectDocument &other) const { return !(*this == other); }

private:
    std::array<CellText, MaxComponents> m_names;
    std::array<CellText, MaxComponents> m_densities;
    std::array<CellText, MaxComponents> m_baseRecipe;
    std::array<CellText, MaxComponents> m_prices;
    // Class j at index j - 1; the vectors grow as cells are written.
    std::vector<CellText> m_sizes;
    std::vector<std::array<CellText, MaxComponents>> m_compositions;
    std::vector<CellText> m_manualReference;
    std::vector<CellText> m_envelopeLower;
    std::vector<CellText> m_envelopeUpper;
};

// The texts the coefficient fields offer and hold in a new project.
QString defaultCoefficientText(Coefficient c);
