#include "core/GridModel.h"

#include "core/Numbers.h"

#include <algorithm>

namespace {
constexpr int DefaultColumnWidth = 1000;
}

GridModel::GridModel(QObject *parent)
    : QObject(parent)
    , m_cells(1)
    , m_colWidths(1, DefaultColumnWidth)
{
}

bool GridModel::reshape(int rows, int cols)
{
    if (rows < 1 || cols < 1 || int64_t(rows) * cols > MaxCells)
        return false;
    if (rows == m_rows && cols == m_cols)
        return true;
    std::vector<Cell> cells(size_t(rows) * size_t(cols));
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_cols; ++c) {
            Cell &cell = m_cells[size_t(r) * size_t(m_cols) + size_t(c)];
            if (r < rows && c < cols)
                cells[size_t(r) * size_t(cols) + size_t(c)] = std::move(cell);
            else if (holdsSomething(cell) && int64_t(m_hidden.size()) < MaxCells)
                hide(r, c, std::move(cell));
        }
    }
    // Hidden cells inside the new shape come back where they were.
    for (auto it = m_hidden.begin(); it != m_hidden.end();) {
        const auto [r, c] = it->first;
        if (r < rows && c < cols) {
            cells[size_t(r) * size_t(cols) + size_t(c)] = std::move(it->second);
            it = m_hidden.erase(it);
        } else {
            ++it;
        }
    }
    m_cells = std::move(cells);
    m_colWidths.resize(size_t(cols), DefaultColumnWidth);
    m_rows = rows;
    m_cols = cols;
    m_rowSel = std::min(m_rowSel, rows - 1);
    m_colSel = std::min(m_colSel, cols - 1);
    const int oldTop = m_topRow;
    m_topRow = std::min(std::clamp(m_topRow, std::min(1, rows - 1), rows - 1), lastTopRow());
    emit shapeChanged();
    if (m_topRow != oldTop)
        emit topRowChanged();
    // The count changed: the control leaves and re-enters its (possibly moved) current cell.
    emit cellLeft();
    m_row = std::min(m_row, rows - 1);
    m_col = std::min(m_col, cols - 1);
    emit currentChanged();
    emit cellEntered();
    return true;
}

void GridModel::hide(int row, int col, Cell &&cell)
{
    // The colour marks the cell being entered or edited now; the cell comes back plain.
    cell.background = Cell().background;
    m_hidden[{row, col}] = std::move(cell);
}

bool GridModel::setRows(int rows)
{
    return reshape(rows, m_cols);
}

bool GridModel::setCols(int cols)
{
    return reshape(m_rows, cols);
}

const QString *GridModel::text(int64_t index) const
{
    if (index < 0 || index >= int64_t(m_cells.size()))
        return nullptr;
    return &m_cells[size_t(index)].text;
}

bool GridModel::setText(int64_t index, const QString &text)
{
    if (index < 0 || index >= int64_t(m_cells.size()))
        return false;
    Cell &cell = m_cells[size_t(index)];
    if (cell.text != text) {
        cell.text = text;
        cell.numberState = 0;
        emit cellChanged(int(index / m_cols), int(index % m_cols));
    }
    return true;
}

void GridModel::convert(const Cell &cell)
{
    const auto v = Num::toSingle(cell.text);
    cell.numberState = v ? 2 : 1;
    cell.number = v.value_or(0.0f);
}

const QString *GridModel::text(int row, int col) const
{
    if (!validCell(row, col))
        return nullptr;
    return &m_cells[size_t(row) * size_t(m_cols) + size_t(col)].text;
}

bool GridModel::setText(int row, int col, const QString &text)
{
    if (!validCell(row, col))
        return false;
    return setText(int64_t(row) * m_cols + col, text);
}

void GridModel::clear()
{
    m_hidden.clear();
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_cols; ++c)
            setText(r, c, QString());
}

void GridModel::moveCurrent(int row, int col)
{
    const bool moved = row != m_row || col != m_col;
    if (moved)
        emit cellLeft();
    m_row = row;
    m_col = col;
    m_rowSel = row;
    m_colSel = col;
    emit currentChanged();
    if (moved)
        emit cellEntered();
}

bool GridModel::setRow(int row)
{
    if (row < 0 || row >= m_rows)
        return false;
    moveCurrent(row, m_col);
    return true;
}

bool GridModel::setCol(int col)
{
    if (col < 0 || col >= m_cols)
        return false;
    moveCurrent(m_row, col);
    return true;
}

bool GridModel::setCurrentCell(int row, int col)
{
    if (!validCell(row, col))
        return false;
    // Two statements in the classic code: the row, then the column.
    setRow(row);
    setCol(col);
    return true;
}

bool GridModel::setRowSel(int row)
{
    if (row < 0 || row >= m_rows)
        return false;
    m_rowSel = row;
    emit currentChanged();
    return true;
}

bool GridModel::setColSel(int col)
{
    if (col < 0 || col >= m_cols)
        return false;
    m_colSel = col;
    emit currentChanged();
    return true;
}

bool GridModel::setTopRow(int row)
{
    if (row < 0 || row >= m_rows)
        return false;
    row = std::min(row, lastTopRow());
    if (m_topRow != row) {
        m_topRow = row;
        emit topRowChanged();
    }
    return true;
}

QRgb GridModel::cellBackground(int row, int col) const
{
    if (!validCell(row, col))
        return 0xFFFFFFFF;
    return m_cells[size_t(row) * size_t(m_cols) + size_t(col)].background;
}

GridModel::Align GridModel::cellAlignment(int row, int col) const
{
    if (!validCell(row, col))
        return Align::General;
    return m_cells[size_t(row) * size_t(m_cols) + size_t(col)].align;
}

bool GridModel::setCellBackground(QRgb colour)
{
    return setCellBackground(m_row, m_col, colour);
}

bool GridModel::setCellAlignment(Align align)
{
    return setCellAlignment(m_row, m_col, align);
}

bool GridModel::setCellBackground(int row, int col, QRgb colour)
{
    if (!validCell(row, col))
        return false;
    Cell &cell = m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
    if (cell.background != colour) {
        cell.background = colour;
        emit cellChanged(row, col);
    }
    return true;
}

bool GridModel::setCellAlignment(int row, int col, Align align)
{
    if (!validCell(row, col))
        return false;
    Cell &cell = m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
    if (cell.align != align) {
        cell.align = align;
        emit cellChanged(row, col);
    }
    return true;
}

QString GridModel::clip() const
{
    const int r0 = std::min(m_row, m_rowSel), r1 = std::max(m_row, m_rowSel);
    const int c0 = std::min(m_col, m_colSel), c1 = std::max(m_col, m_colSel);
    QString out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0)
            out += u'\r';
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                out += u'\t';
            out += *text(r, c);
        }
    }
    return out;
}

void GridModel::setClip(const QString &block)
{
    const int r0 = std::min(m_row, m_rowSel), r1 = std::max(m_row, m_rowSel);
    const int c0 = std::min(m_col, m_colSel), c1 = std::max(m_col, m_colSel);
    QString normalised = block;
    // Text from other programs ends rows with CR LF or LF.
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    normalised.replace(u'\n', u'\r');
    if (normalised.endsWith(u'\r'))
        normalised.chop(1);
    const QList<QStringView> lines = QStringView(normalised).split(u'\r');
    int r = r0;
    for (const QStringView line : lines) {
        if (r > r1)
            break;
        int c = c0;
        for (const QStringView cell : line.split(u'\t')) {
            if (c > c1)
                break;
            setText(r, c, cell.toString());
            ++c;
        }
        ++r;
    }
}

void GridModel::setLeft(int left)
{
    if (m_left != left) {
        m_left = left;
        emit geometryChanged();
    }
}

void GridModel::setTop(int top)
{
    if (m_top != top) {
        m_top = top;
        emit geometryChanged();
    }
}

void GridModel::setWidth(int width)
{
    if (width < 0)
        return; // a negative size fails; the grid keeps its width
    if (m_width != width) {
        m_width = width;
        emit geometryChanged();
    }
}

void GridModel::setHeight(int height)
{
    if (height < 0)
        return;
    if (m_height != height) {
        m_height = height;
        emit geometryChanged();
        keepTopRowInView();
    }
}

void GridModel::setSize(int width, int height)
{
    setWidth(width);
    setHeight(height);
}

void GridModel::setRowHeight(int height)
{
    if (height > 0 && height != m_rowHeight) {
        m_rowHeight = height;
        keepTopRowInView();
    }
}

void GridModel::setFrameHeight(int height)
{
    if (height >= 0 && height != m_frameHeight) {
        m_frameHeight = height;
        keepTopRowInView();
    }
}

bool GridModel::rowFullyVisible(int row) const
{
    if (row < m_topRow || row >= m_rows)
        return row == 0 && m_rows > 0;
    // Row 0 is fixed at the top; the data rows follow from the top row on, inside the frame.
    const int64_t bottom = int64_t(row - m_topRow + 2) * m_rowHeight;
    return bottom <= int64_t(m_height) - m_frameHeight;
}

int GridModel::rowsInView() const
{
    const int64_t room = int64_t(m_height) - m_frameHeight - m_rowHeight;
    return int(std::max<int64_t>(1, room / m_rowHeight));
}

int GridModel::lastTopRow() const
{
    return std::max(std::min(1, m_rows - 1), m_rows - rowsInView());
}

void GridModel::keepTopRowInView()
{
    const int last = lastTopRow();
    if (m_topRow > last) {
        m_topRow = last;
        emit topRowChanged();
    }
}

int GridModel::columnWidth(int col) const
{
    if (col < 0 || col >= m_cols)
        return 0;
    return m_colWidths[size_t(col)];
}

bool GridModel::setColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_cols || width < 0)
        return false;
    if (m_colWidths[size_t(col)] != width) {
        m_colWidths[size_t(col)] = width;
        emit columnWidthChanged(col);
    }
    return true;
}
