#include "ui/GridView.h"

#include "core/GridModel.h"
#include "ui/Layout.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QWheelEvent>

namespace {
constexpr int TwipsPerPixel = 15;
// Room around a cell's text: the delegate's margins and the grid line.
constexpr int CellPadding = 8;
}

bool IsNumberText(const QString &text)
{
    bool digit = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c != u',' && c != u'.' && c != u'-' && c != u'+' && c != u'e' && c != u'E' && c != u' ')
            return false;
    }
    return digit;
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
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const QString *t = m_grid.text(0, section);
    if (!t)
        return {};
    const QString shown = fitHeaderText ? fitHeaderText(section, *t) : *t;
    if (role == Qt::ToolTipRole) // the whole text of a shortened heading
        return shown != *t ? QVariant(*t) : QVariant();
    return shown;
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
        g->drawText(r.adjusted(3, 0, -3, 0), align, m_view->shownText(index));
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

    m_adapter.fitHeaderText = [this](int col, const QString &text) { return fittedText(text, columnWidth(col), true); };
    connect(&m_grid, &GridModel::currentChanged, this, &GridView::syncCurrent);
    connect(&m_grid, &GridModel::columnWidthChanged, this, &GridView::syncColumnWidth);
    connect(&m_grid, &GridModel::shapeChanged, this, [this] {
        m_needed.assign(size_t(std::max(0, m_grid.cols())), 0);
        for (int c = 0; c < m_grid.cols(); ++c)
            measureColumn(c);
        syncAllWidths();
    });
    connect(&m_grid, &GridModel::cellChanged, this, [this](int, int col) {
        const size_t c = size_t(col);
        if (c >= m_needed.size())
            return;
        const int before = m_needed[c];
        measureColumn(col);
        if (m_needed[c] != before)
            syncAllWidths();
    });
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
    m_needed.assign(size_t(std::max(0, m_grid.cols())), 0);
    for (int c = 0; c < m_grid.cols(); ++c)
        measureColumn(c);
    syncAllWidths();
}

void GridView::followModelGeometry(bool fitRows)
{
    m_followGeometry = true;
    m_fitRows = fitRows;
    connect(&m_grid, &GridModel::geometryChanged, this, &GridView::applyGeometry, Qt::UniqueConnection);
    applyGeometry();
}

void GridView::applyGeometry()
{
    if (!m_followGeometry)
        return;
    QRect r(m_grid.left() / TwipsPerPixel, m_grid.top() / TwipsPerPixel, m_grid.width() / TwipsPerPixel,
            m_grid.height() / TwipsPerPixel);
    if (m_fitRows) {
        // The rows, and under them the scroll bar when the columns are wider than the view.
        int columns = 0;
        for (int c = 0; c < m_grid.cols(); ++c)
            columns += columnWidth(c);
        const bool scrolls = columns > r.width() - 2 * frameWidth();
        const int content = 2 * frameWidth() + horizontalHeader()->height()
            + verticalHeader()->defaultSectionSize() * std::max(0, m_grid.rows() - 1)
            + (scrolls ? horizontalScrollBar()->sizeHint().height() : 0);
        r.setHeight(std::min(r.height(), content));
    }
    if (geometry() != r)
        setGeometry(r);
}

int GridView::neededColumnWidth(int col) const
{
    const QFontMetrics cell = fontMetrics();
    const QFontMetrics head = horizontalHeader()->fontMetrics();
    const int headPadding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader()) + 2; // and the section's edges
    int need = 0;
    for (int row = 0; row < m_grid.rows(); ++row) {
        const QString *t = m_grid.text(row, col);
        if (!t || t->isEmpty())
            continue;
        const QFontMetrics &fm = row == 0 ? head : cell;
        const int padding = row == 0 ? headPadding : CellPadding;
        const int whole = fm.horizontalAdvance(*t) + padding;
        // A number whole; a name at least its first letters and the "…".
        need = std::max(need, IsNumberText(*t) ? whole : std::min(whole, fm.horizontalAdvance(t->left(3) + u'…') + padding));
    }
    return need;
}

QString GridView::shownText(const QModelIndex &index) const
{
    return fittedText(index.data(Qt::DisplayRole).toString(), columnWidth(index.column()), false);
}

QString GridView::fittedText(const QString &text, int width, bool header) const
{
    if (IsNumberText(text))
        return text;
    const QFontMetrics fm = header ? horizontalHeader()->fontMetrics() : fontMetrics();
    const int room = width - (header ? 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader()) + 2 : CellPadding);
    if (fm.horizontalAdvance(text) <= room)
        return text;
    return fm.elidedText(text, Qt::ElideRight, std::max(0, room));
}

void GridView::measureColumn(int col)
{
    if (col >= 0 && size_t(col) < m_needed.size())
        m_needed[size_t(col)] = neededColumnWidth(col);
}

bool GridView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // The whole text of a shortened name.
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex i = indexAt(help->pos());
        const QString text = i.data(Qt::DisplayRole).toString();
        if (i.isValid() && shownText(i) != text)
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(i));
        else
            QToolTip::hideText();
        return true;
    }
    return QTableView::viewportEvent(event);
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

void GridView::syncColumnWidth(int)
{
    syncAllWidths();
}

void GridView::syncAllWidths()
{
    // The widths the logic gives the columns, widened where a number needs more room. The
    // room is taken from columns that have more than they need, as far as they have it;
    // beyond that the table grows wider than the view and scrolls.
    const int cols = m_grid.cols();
    if (m_needed.size() != size_t(std::max(0, cols))) {
        m_needed.assign(size_t(std::max(0, cols)), 0);
        for (int c = 0; c < cols; ++c)
            measureColumn(c);
    }
    std::vector<int> width(size_t(std::max(0, cols)));
    int deficit = 0, surplus = 0;
    for (int c = 0; c < cols; ++c) {
        const size_t i = size_t(c);
        width[i] = std::max(4, m_grid.columnWidth(c) / TwipsPerPixel);
        if (m_needed[i] > width[i])
            deficit += m_needed[i] - width[i];
        else
            surplus += width[i] - m_needed[i];
    }
    if (deficit > 0 && surplus >= deficit) {
        int left = deficit;
        for (int c = 0; c < cols && left > 0; ++c) {
            const size_t i = size_t(c);
            if (width[i] > m_needed[i]) {
                const int take = std::min({left, width[i] - m_needed[i],
                                           int((int64_t(width[i] - m_needed[i]) * deficit + surplus - 1) / surplus)});
                width[i] -= take;
                left -= take;
            }
        }
    }
    for (int c = 0; c < cols; ++c) {
        const size_t i = size_t(c);
        width[i] = std::max(width[i], m_needed[i]);
        if (columnWidth(c) != width[i])
            setColumnWidth(c, width[i]);
    }
    syncCurrent();
    applyGeometry();
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
