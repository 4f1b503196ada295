#pragma once

// The view of a GridModel: row 0 (the fixed header row) is shown as the horizontal header so
// that it never scrolls; rows 1.. are the table's body. The view has no editor: keys and cell
// changes go to the model, which raises the grid's events.

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>
#include <vector>

class GridModel;

// A text the grids treat as a number: digits with separators, a sign or an exponent. Numbers
// are never cut by their column; other texts (names) are shortened with "…".
bool IsNumberText(const QString &text);

class GridTableAdapter final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit GridTableAdapter(GridModel &grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The header text as it fits its column (a name shortened with "…"); set by the view.
    std::function<QString(int col, const QString &text)> fitHeaderText;

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

    // Takes the model's position and size (twips); with `fitRows` the view is no taller than
    // its rows (and the horizontal scroll bar, when the columns need one), up to that size.
    void followModelGeometry(bool fitRows);

    // The width a column needs so that no number in it (header included) is cut, in pixels;
    // a column of names needs only a few characters.
    int neededColumnWidth(int col) const;
    // A cell's or header's text as painted in a column `width` pixels wide.
    QString fittedText(const QString &text, int width, bool header) const;
    // The text a body cell shows.
    QString shownText(const QModelIndex &index) const;

protected:
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void syncCurrent();
    void syncColumnWidth(int col);
    void syncAllWidths();
    void syncTopRow();
    void measureColumn(int col);
    void applyGeometry();

    std::vector<int> m_needed; // neededColumnWidth of each column, kept up to date
    bool m_followGeometry = false;
    bool m_fitRows = false;

    GridModel &m_grid;
    GridTableAdapter m_adapter;
    bool m_syncing = false;
};

// Windows virtual-key code of a Qt key, as the grid's key events carry it (0 when none).
int virtualKeyCode(int qtKey);
