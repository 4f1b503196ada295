#pragma once

// A display grid of text cells: the tables of the main window and of the component selection
// window. It has no editor of its own; the key handlers of the checking subsystem type into it.
//
// Cells are addressed by (row, column) from 0, or by the flat index row * Cols + column. Row 0
// is a fixed header row. Reading or writing a cell outside Rows x Cols fails (returns false or
// nullptr) and the caller skips its statement. Sizes (widths, heights) are in twips.
//
// Setting the current cell, Rows or Cols from code raises cellLeft() and cellEntered() at once,
// inside the setter, when the current cell or the count actually changes.
//
// Lowering Rows or Cols hides the cells beyond the new shape without losing them: their texts
// (and alignment) are kept aside, are neither read nor written through the grid,
// and come back at the same (row, column) when the shape grows again. clear() forgets them.

#include <QColor>
#include <QObject>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

class GridModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridModel)

public:
    enum class Align : uint8_t { General, RightCenter, CenterCenter, LeftCenter };

    // A grid holds at most this many cells; a larger shape fails (as the classic control did).
    static constexpr int64_t MaxCells = 350000;

    explicit GridModel(QObject *parent = nullptr);

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // Changing a count keeps the texts of cells that still exist at the same (row, column);
    // cells that drop out are kept hidden until the count grows again.
    bool setRows(int rows);
    bool setCols(int cols);

    // Flat index access.
    const QString *text(int64_t index) const;
    bool setText(int64_t index, const QString &text);
    // A cell's text converted as a table number (decimal comma), or nullopt. The conversion of
    // each text is remembered until the text changes.
    std::optional<float> number(int64_t index) const
    {
        if (index < 0 || index >= int64_t(m_cells.size()))
            return std::nullopt;
        const Cell &cell = m_cells[size_t(index)];
        if (cell.numberState == 0)
            convert(cell);
        if (cell.numberState == 1)
            return std::nullopt;
        return cell.number;
    }

    // (row, column) access.
    const QString *text(int row, int col) const;
    bool setText(int row, int col, const QString &text);
    bool validCell(int row, int col) const { return row >= 0 && col >= 0 && row < m_rows && col < m_cols; }

    // Clears the texts of all cells, headers included, and forgets the hidden ones.
    void clear();

    // Current cell and selection corner.
    int row() const { return m_row; }
    int col() const { return m_col; }
    int rowSel() const { return m_rowSel; }
    int colSel() const { return m_colSel; }
    // Moving the current cell collapses the selection onto it.
    bool setRow(int row);
    bool setCol(int col);
    bool setCurrentCell(int row, int col);
    bool setRowSel(int row);
    bool setColSel(int col);
    const QString *currentText() const { return text(m_row, m_col); }
    bool setCurrentText(const QString &text) { return setText(m_row, m_col, text); }

    // The first data row shown under the fixed header. Setting it fails outside the rows and
    // is held at lastTopRow(): the view cannot show a top row beyond that.
    int topRow() const { return m_topRow; }
    bool setTopRow(int row);
    // The largest top row: the one that puts the last row at the bottom of the view.
    int lastTopRow() const;

    // Background colour and alignment of a cell (of the current cell for the setters below).
    QRgb cellBackground(int row, int col) const;
    Align cellAlignment(int row, int col) const;
    bool setCellBackground(QRgb colour);
    bool setCellAlignment(Align align);
    bool setCellBackground(int row, int col, QRgb colour);
    bool setCellAlignment(int row, int col, Align align);

    // Block text of the selection: cells separated by a tab, rows by a carriage return.
    QString clip() const;
    // Fills the selected cells from the current cell on; what does not fit is dropped.
    void setClip(const QString &text);

    // Geometry, in twips. The window sets the size; column widths are set by the logic.
    int left() const { return m_left; }
    int top() const { return m_top; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);
    void setSize(int width, int height);
    // Whether data row `row` is wholly inside the grid's frame with `topRow` at the top.
    bool rowFullyVisible(int row) const;
    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int height);
    // The part of the height the rows cannot use: the frame above and below, and a horizontal
    // scroll bar while one is shown. The view sets it.
    int frameHeight() const { return m_frameHeight; }
    void setFrameHeight(int height);
    int columnWidth(int col) const;
    bool setColumnWidth(int col, int width);

    // Events the view forwards from the user (key code, character code).
    void raiseKeyDown(int keyCode) { emit keyDown(keyCode); }
    void raiseKeyPress(int charCode) { emit keyPress(charCode); }

signals:
    void keyDown(int keyCode);
    void keyPress(int charCode);
    void cellEntered();
    void cellLeft();
    // For the view: the shape, a cell, or the current cell changed.
    void shapeChanged();
    void cellChanged(int row, int col);
    void currentChanged();
    void columnWidthChanged(int col);
    void topRowChanged();
    void geometryChanged();

private:
    struct Cell
    {
        QString text;
        QRgb background = 0xFFFFFFFF;
        Align align = Align::General;
        // The remembered conversion of `text`: 0 not yet converted, 1 not a number, 2 `number`.
        mutable uint8_t numberState = 0;
        mutable float number = 0.0f;
    };

    static void convert(const Cell &cell);
    bool reshape(int rows, int cols);
    void moveCurrent(int row, int col);
    // Data rows wholly inside the frame under the header (at least 1).
    int rowsInView() const;
    void keepTopRowInView();

    // Cells outside the current shape are kept by (row, column), those that hold something.
    static bool holdsSomething(const Cell &cell) { return !cell.text.isEmpty() || cell.align != Align::General; }
    void hide(int row, int col, Cell &&cell);

    std::vector<Cell> m_cells;
    std::map<std::pair<int, int>, Cell> m_hidden;
    std::vector<int> m_colWidths;
    int m_rows = 1;
    int m_cols = 1;
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    int m_colSel = 0;
    int m_topRow = 1;
    int m_left = 0;
    int m_top = 0;
    int m_width = 6000;
    int m_height = 1500;
    int m_rowHeight = 240;
    int m_frameHeight = 0;
};
