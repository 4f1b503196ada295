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
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void syncCurrent();
    void syncColumnWidth(int col);
    void syncAllWidths();
    void syncTopRow();

    GridModel &m_grid;
    GridTableAdapter m_adapter;
    bool m_syncing = false;
};

// Windows virtual-key code of a Qt key, as the grid's key events carry it (0 when none).
int virtualKeyCode(int qtKey);
