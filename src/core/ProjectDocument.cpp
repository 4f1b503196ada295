#include "core/ProjectDocument.h"

#include "core/Numbers.h"

#include <algorithm>

namespace {

const CellText &emptyCell()
{
    static const CellText empty;
    return empty;
}

// Trailing empty cells carry nothing: two documents that differ only by them are the same.
template <typename Cells>
size_t usedLength(const std::vector<Cells> &v, bool (*isEmpty)(const Cells &))
{
    size_t n = v.size();
    while (n > 0 && isEmpty(v[n - 1]))
        --n;
    return n;
}

bool emptyCellText(const CellText &c)
{
    return c.isEmpty();
}

bool emptyRow(const std::array<CellText, MaxComponents> &row)
{
    return std::all_of(row.begin(), row.end(), [](const CellText &c) { return c.isEmpty(); });
}

template <typename Cells>
bool sameCells(const std::vector<Cells> &a, const std::vector<Cells> &b, bool (*isEmpty)(const Cells &))
{
    const size_t n = usedLength(a, isEmpty);
    if (n != usedLength(b, isEmpty))
        return false;
    return std::equal(a.begin(), a.begin() + ptrdiff_t(n), b.begin());
}

bool componentIndex(int i)
{
    return i >= 1 && i <= MaxComponents;
}

bool classIndex(int j)
{
    return j >= 1 && j <= ProjectDocument::MaxTableClasses;
}

template <typename T>
T &grownTo(std::vector<T> &v, int j)
{
    if (v.size() < size_t(j))
        v.resize(size_t(j));
    return v[size_t(j - 1)];
}

} // namespace

CellText::CellText(const QString &text)
    : m_text(text)
{
    if (const auto v = Num::toSingle(text)) {
        m_number = *v;
        m_numeric = true;
    }
}

QString defaultCoefficientText(Coefficient c)
{
    switch (c) {
    case Coefficient::FunkDingerN:
    case Coefficient::FullerN:
        return QStringLiteral("0,5");
    case Coefficient::FunkDingerA:
        return QStringLiteral("0");
    case Coefficient::HummelM:
        return QStringLiteral("0,1");
    case Coefficient::BolomeyB:
        return QStringLiteral("10");
    }
    return QString();
}

ProjectDocument::ProjectDocument()
{
    for (int c = 0; c < CoefficientCount; ++c)
        coefficients[size_t(c)] = defaultCoefficientText(Coefficient(c));
}

int ProjectDocument::classCount() const
{
    return Num::toInt16(Num::Val(classCountText)).value_or(0);
}

int ProjectDocument::shownClassCount() const
{
    return std::clamp(classCount(), 0, MaxTableClasses);
}

const CellText &ProjectDocument::componentName(int i) const
{
    return componentIndex(i) ? m_names[size_t(i - 1)] : emptyCell();
}

const CellText &ProjectDocument::density(int i) const
{
    return componentIndex(i) ? m_densities[size_t(i - 1)] : emptyCell();
}

const CellText &ProjectDocument::baseRecipe(int i) const
{
    return componentIndex(i) ? m_baseRecipe[size_t(i - 1)] : emptyCell();
}

const CellText &ProjectDocument::size(int j) const
{
    return classIndex(j) && size_t(j) <= m_sizes.size() ? m_sizes[size_t(j - 1)] : emptyCell();
}

const CellText &ProjectDocument::composition(int j, int i) const
{
    if (!classIndex(j) || !componentIndex(i) || size_t(j) > m_compositions.size())
        return emptyCell();
    return m_compositions[size_t(j - 1)][size_t(i - 1)];
}

const CellText &ProjectDocument::manualReference(int j) const
{
    return classIndex(j) && size_t(j) <= m_manualReference.size() ? m_manualReference[size_t(j - 1)] : emptyCell();
}

const CellText &ProjectDocument::price(int i) const
{
    return componentIndex(i) ? m_prices[size_t(i - 1)] : emptyCell();
}

const CellText &ProjectDocument::envelopeLower(int j) const
{
    return classIndex(j) && size_t(j) <= m_envelopeLower.size() ? m_envelopeLower[size_t(j - 1)] : emptyCell();
}

const CellText &ProjectDocument::envelopeUpper(int j) const
{
    return classIndex(j) && size_t(j) <= m_envelopeUpper.size() ? m_envelopeUpper[size_t(j - 1)] : emptyCell();
}

bool ProjectDocument::hasPrices() const
{
    for (int i = 1; i <= componentCount; ++i)
        if (!price(i).isEmpty())
            return true;
    return false;
}

bool ProjectDocument::hasEnvelope() const
{
    const int k = std::min(shownClassCount(), MaxClasses);
    for (int j = 1; j <= k; ++j)
        if (!envelopeLower(j).isEmpty() || !envelopeUpper(j).isEmpty())
            return true;
    return false;
}

const CellText &ProjectDocument::cell(InputTable table, int row, int col) const
{
    switch (table) {
    case InputTable::Names:
        return row == 1 ? componentName(col + 1) : emptyCell();
    case InputTable::Densities:
        return row == 1 ? density(col + 1) : emptyCell();
    case InputTable::BaseRecipe:
        return row == 1 ? baseRecipe(col + 1) : emptyCell();
    case InputTable::Compositions:
        if (row < 1)
            return emptyCell();
        return col == 0 ? size(row) : composition(row, col);
    case InputTable::Reference:
        return row == 1 && col >= 1 ? manualReference(col) : emptyCell();
    case InputTable::Prices:
        return row == 1 ? price(col + 1) : emptyCell();
    case InputTable::Envelope:
        if (col < 1)
            return emptyCell();
        return row == 1 ? envelopeLower(col) : row == 2 ? envelopeUpper(col) : emptyCell();
    }
    return emptyCell();
}

bool ProjectDocument::setCell(InputTable table, int row, int col, const QString &text)
{
    switch (table) {
    case InputTable::Names:
    case InputTable::Densities:
    case InputTable::BaseRecipe:
    case InputTable::Prices: {
        if (row != 1 || !componentIndex(col + 1))
            return false;
        auto &cells = table == InputTable::Names       ? m_names
                      : table == InputTable::Densities ? m_densities
                      : table == InputTable::Prices    ? m_prices
                                                       : m_baseRecipe;
        cells[size_t(col)] = text;
        return true;
    }
    case InputTable::Compositions:
        if (!classIndex(row) || col < 0 || col > MaxComponents)
            return false;
        if (col == 0)
            grownTo(m_sizes, row) = text;
        else
            grownTo(m_compositions, row)[size_t(col - 1)] = text;
        return true;
    case InputTable::Reference:
        if (row != 1 || !classIndex(col))
            return false;
        grownTo(m_manualReference, col) = text;
        return true;
    case InputTable::Envelope:
        if ((row != 1 && row != 2) || !classIndex(col))
            return false;
        grownTo(row == 1 ? m_envelopeLower : m_envelopeUpper, col) = text;
        return true;
    }
    return false;
}

bool ProjectDocument::isInputCell(InputTable table, int row, int col) const
{
    switch (table) {
    case InputTable::Names:
    case InputTable::Densities:
    case InputTable::BaseRecipe:
    case InputTable::Prices:
        return row == 1 && col >= 0 && col < componentCount;
    case InputTable::Compositions:
        return row >= 1 && row <= shownClassCount() && col >= 0 && col <= componentCount;
    case InputTable::Reference:
        return row == 1 && col >= 1 && col <= shownClassCount();
    case InputTable::Envelope:
        return (row == 1 || row == 2) && col >= 1 && col <= shownClassCount();
    }
    return false;
}

void ProjectDocument::clearTable(InputTable table)
{
    switch (table) {
    case InputTable::Names:
        m_names = {};
        break;
    case InputTable::Densities:
        m_densities = {};
        break;
    case InputTable::BaseRecipe:
        m_baseRecipe = {};
        break;
    case InputTable::Compositions:
        m_sizes.clear();
        m_compositions.clear();
        break;
    case InputTable::Reference:
        m_manualReference.clear();
        break;
    case InputTable::Prices:
        m_prices = {};
        break;
    case InputTable::Envelope:
        m_envelopeLower.clear();
        m_envelopeUpper.clear();
        break;
    }
}

bool ProjectDocument::operator==(const ProjectDocument &o) const
{
    return name == o.name && componentCount == o.componentCount && classCountText == o.classCountText
        && dataForm == o.dataForm && referenceKind == o.referenceKind && coefficients == o.coefficients
        && m_names == o.m_names && m_densities == o.m_densities && m_baseRecipe == o.m_baseRecipe
        && sameCells(m_sizes, o.m_sizes, emptyCellText) && sameCells(m_compositions, o.m_compositions, emptyRow)
        && sameCells(m_manualReference, o.m_manualReference, emptyCellText) && m_prices == o.m_prices
        && sameCells(m_envelopeLower, o.m_envelopeLower, emptyCellText)
        && sameCells(m_envelopeUpper, o.m_envelopeUpper, emptyCellText) && unknownSectionLines == o.unknownSectionLines;
}
