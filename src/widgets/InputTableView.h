#pragma once

// One of the five input tables of the main window. It shows the session's table (its header
// row as the view's header, so that it never scrolls) and forwards what the user types to the
// session; it has no cell editor of its own. The current cell is green while it is entered and
// light orange once it is edited; copying and pasting go through the clipboard as blocks of
// tab-separated cells.
//
// The mouse wheel scrolls the table by a page of fully visible rows per notch, the last of them
// staying in view. The columns share the width evenly but are never narrower than their texts;
// a scroll bar appears where they do not fit.

#include "core/ProjectDocument.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QTableView>

class Desktop;
class ProjectSession;

class InputTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    InputTableModel(const ProjectSession &session, InputTable table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Brings the model up to the session's table.
    void refresh();
    // Background of a cell (model coordinates); white unless set.
    void setCellColour(int row, int col, QColor colour);
    QColor cellColour(int row, int col) const;
    // The size column of the compositions, right-aligned once a block was pasted.
    void setSizesRightAligned(bool on);

private:
    const ProjectSession &m_session;
    InputTable m_table;
    int m_rows = 0;
    int m_cols = 0;
    QHash<quint64, QRgb> m_colours;
    bool m_sizesRight = false;
};

class InputTableView final : public QTableView
{
    Q_OBJECT

public:
    InputTableView(ProjectSession &session, InputTable table, Desktop &desktop, QWidget *parent = nullptr);

    InputTable table() const { return m_table; }
    InputTableModel &tableModel() { return m_model; }

    // Follows the session (after a change of its document).
    void refresh();
    // Makes (row, col) of the table (row 1 = first data row) the current cell.
    void setCurrentCell(int row, int col);
    // The current cell and the selection's corner, in the table's coordinates.
    QPoint currentCell() const;

    // Ctrl+C and the step's copy button: the selected block, or the whole table with its
    // headers when no block is selected.
    void copyToClipboard();
    // Ctrl+V and the step's paste button: the clipboard's block over the data area.
    void pasteFromClipboard();

    // Shares the columns with `partner`, a table shown right above or below with the same columns
    // (the envelope under the reference): each column takes the width the wider of the two
    // needs, and scrolling one sideways scrolls the other.
    void alignColumnsWith(InputTableView *partner);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QModelIndex anchorIndex() const;
    bool blockSelected() const;
    void spreadColumns();
    // The width column c needs for its texts.
    int neededWidth(int c) const;
    void markEdited();
    int fullyVisibleRows() const;

    ProjectSession &m_session;
    InputTable m_table;
    Desktop &m_desktop;
    InputTableModel m_model;
    int m_wheelRemainder = 0;
    InputTableView *m_partner = nullptr;
};
