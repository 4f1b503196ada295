#include "ui/GridView.h"

#include "core/GridModel.h"
#include "ui/Layout.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace {
constexpr int TwipsPerPixel = 15;
}

GridTableAdapter::GridTableAdapter(GridModel &grid, QObject *parent)
    : QAbstractTableModel(parent)
    , m_grid(grid)
    , m_rows(grid.rows())
    , m_cols(grid.cols())
{
    connect(&m_grid, &GridModel::shapeChanged, this, &GridTableAdapter::onShapeChanged);
    connect(&m_grid, &GridModel::cellChanged, this, &GridTableAdapter::onCellChanged);
}

int GridTableAdapter::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows - 1;
}

int GridTableAdapter::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridTableAdapter::data(const QModelIndex &index, int role) const
{
    const int row = index.row() + 1;
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (const QString *t = m_grid.text(row, col))
            return *t;
        return {};
    case Qt::BackgroundRole:
        return QColor::fromRgb(m_grid.cellBackground(row, col));
    case Qt::TextAlignmentRole:
        switch (m_grid.cellAlignment(row, col)) {
        case GridModel::Align::RightCenter:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        case GridModel::Align::CenterCenter:
            return int(Qt::AlignCenter);
        case GridModel::Align::LeftCenter:
        case GridModel::Align::General:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return {};
    default:
        return {};
    }
}

QVariant GridTableAdapter::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (const QString *t = m_grid.text(0, section))
        return *t;
    return {};
}

void GridTableAdapter::onShapeChanged()
{
    beginResetModel();
    m_rows = m_grid.rows();
    m_cols = m_grid.cols();
    endResetModel();
}

void GridTableAdapter::onCellChanged(int row, int col)
{
    if (row >= m_rows || col >= m_cols)
        return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const QModelIndex i = index(row - 1, col);
    emit dataChanged(i, i);
}

namespace {

// Cells are painted in the colours the table handlers give them; the current cell gets a thin
// frame and a selected block a light tint, so the editing colours stay visible.
class CellDelegate final : public QStyledItemDelegate
{
public:
    explicit CellDelegate(GridView *view)
        : QStyledItemDelegate(view)
        , m_view(view)
    {
    }
    void paint(QPainter *g, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect r = option.rect;
        g->fillRect(r, index.data(Qt::BackgroundRole).value<QColor>());
        const GridModel &grid = m_view->grid();
        const bool block = grid.rowSel() != grid.row() || grid.colSel() != grid.col();
        if (block && (option.state & QStyle::State_Selected))
            g->fillRect(r, QColor(51, 153, 255, 70));
        g->setPen(option.palette.color(QPalette::Text));
        const int align = index.data(Qt::TextAlignmentRole).toInt();
        g->drawText(r.adjusted(3, 0, -3, 0), align, index.data(Qt::DisplayRole).toString());
        if (index.row() + 1 == grid.row() && index.column() == grid.col()) {
            g->setPen(QPen(QColor(40, 40, 40), 1, Qt::DotLine));
            g->drawRect(r.adjusted(0, 0, -1, -1));
        }
    }

private:
    GridView *m_view;
};

} // namespace

GridView::GridView(GridModel &grid, QWidget *parent)
    : QTableView(parent)
    , m_grid(grid)
    , m_adapter(grid)
{
    setObjectName(grid.objectName());
    setModel(&m_adapter);
    setItemDelegate(new CellDelegate(this));
    verticalHeader()->hide();
    const int rowPx = fontMetrics().height() + 6;
    verticalHeader()->setDefaultSectionSize(rowPx);
    horizontalHeader()->setFixedHeight(rowPx);
    m_grid.setRowHeight(rowPx * TwipsPerPixel);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    connect(&m_grid, &GridModel::currentChanged, this, &GridView::syncCurrent);
    connect(&m_grid, &GridModel::columnWidthChanged, this, &GridView::syncColumnWidth);
    connect(&m_grid, &GridModel::shapeChanged, this, &GridView::syncAllWidths);
    connect(&m_grid, &GridModel::topRowChanged, this, &GridView::syncTopRow);
    // A block selected with the mouse: its far corner becomes the grid's selection corner.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_syncing)
            return;
        const QModelIndexList cells = selectionModel()->selectedIndexes();
        if (cells.isEmpty())
            return;
        int r0 = cells.first().row(), r1 = r0, c0 = cells.first().column(), c1 = c0;
        for (const QModelIndex &i : cells) {
            r0 = std::min(r0, i.row());
            r1 = std::max(r1, i.row());
            c0 = std::min(c0, i.column());
            c1 = std::max(c1, i.column());
        }
        const int row = m_grid.row() - 1, col = m_grid.col();
        m_syncing = true;
        m_grid.setRowSel((row == r0 ? r1 : r0) + 1);
        m_grid.setColSel(col == c0 ? c1 : c0);
        m_syncing = false;
        viewport()->update();
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_syncing)
            m_grid.setTopRow(v + 1);
    });
    syncAllWidths();
}

void GridView::syncCurrent()
{
    if (m_syncing)
        return;
    m_syncing = true;
    const int r = m_grid.row() - 1;
    const int c = m_grid.col();
    if (r >= 0 && r < m_adapter.rowCount() && c >= 0 && c < m_adapter.columnCount()) {
        const QModelIndex i = m_adapter.index(r, c);
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
        const int r2 = m_grid.rowSel() - 1;
        const int c2 = m_grid.colSel();
        if (r2 >= 0 && (r2 != r || c2 != c)) {
            selectionModel()->select(QItemSelection(i, m_adapter.index(r2, c2)), QItemSelectionModel::ClearAndSelect);
        } else {
            selectionModel()->select(i, QItemSelectionModel::ClearAndSelect);
        }
    } else {
        selectionModel()->clearSelection();
    }
    viewport()->update();
    m_syncing = false;
}

void GridView::syncColumnWidth(int col)
{
    setColumnWidth(col, std::max(4, m_grid.columnWidth(col) / TwipsPerPixel));
}

void GridView::syncAllWidths()
{
    for (int c = 0; c < m_grid.cols(); ++c)
        syncColumnWidth(c);
    syncCurrent();
}

void GridView::syncTopRow()
{
    const int r = m_grid.topRow() - 1;
    if (r >= 0 && verticalScrollBar()->value() != r) {
        m_syncing = true;
        verticalScrollBar()->setValue(r);
        m_syncing = false;
    }
}

void GridView::wheelEvent(QWheelEvent *event)
{
    // A page of fully visible rows per notch, as the program has always scrolled its tables.
    const int delta = event->angleDelta().y();
    if (delta != 0)
        ScrollGridByWheel(m_grid, delta);
    event->accept();
}

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_syncing || !current.isValid())
        return;
    m_syncing = true;
    const int row = current.row() + 1;
    const int col = current.column();
    if (row != m_grid.row() || col != m_grid.col())
        m_grid.setCurrentCell(row, col);
    m_syncing = false;
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const int vk = virtualKeyCode(event->key());
    if (vk != 0)
        m_grid.raiseKeyDown(vk);
    const QString text = event->text();
    if (!text.isEmpty() && !(event->modifiers() & Qt::ControlModifier))
        m_grid.raiseKeyPress(text.at(0).unicode());
    else if (event->key() == Qt::Key_Backspace)
        m_grid.raiseKeyPress(8);
    // Arrow keys still move the current cell as the grid itself does.
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        QTableView::keyPressEvent(event);
        break;
    default:
        event->accept();
        break;
    }
}

int virtualKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Period: return 190;
    case Qt::Key_Minus: return 189;
    default: return 0;
    }
}
