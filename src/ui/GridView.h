#pragma once

// The view of a GridModel: row 0 (the fixed header row) is shown as the horizontal header so
// that it never scrolls; rows 1.. are the table's body. The view has no editor: keys and cell
// changes go to the model, which raises the grid's events.

#include <QAbstractTableModel>
#include <QTableView>

class GridModel;

class GridTableAdapter final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit GridTableAdapter(GridModel &grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void onShapeChanged();
    void onCellChanged(int row, int col);

    GridModel &m_grid;
    int m_rows = 0;
    int m_cols = 0;
};

class GridView final : public QTableView
{
    Q_OBJECT

public:
    explicit GridView(GridModel &grid, QWidget *parent = nullptr);

    GridModel &grid() { return m_grid; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    // The mouse works on the grid's own current cell and selection corner: a press makes the
    // cell under it current, Shift+press and dragging move the selection corner, so that the
    // block between them is selected (and is what Ctrl+C copies).
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void updateGeometries() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void syncCurrent();
    void syncColumnWidth(int col);
    void syncAllWidths();
    void syncTopRow();
    void syncFrame();
    // The grid cell (row from 1) under a point of the viewport, the nearest one when the
    // point lies beyond the cells; row -1 when the table has no data cells.
    QPoint cellNear(QPoint pos) const;

    GridModel &m_grid;
    GridTableAdapter m_adapter;
    bool m_syncing = false;
    bool m_dragging = false;
    // The grid may go before its view (a window's members go before its child widgets).
    bool m_gridGone = false;
};

// Windows virtual-key code of a Qt key, as the grid's key events carry it (0 when none).
int virtualKeyCode(int qtKey);
