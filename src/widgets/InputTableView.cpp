#include "widgets/InputTableView.h"

#include "session/ProjectSession.h"
#include "widgets/Desktop.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

const QColor EnteredColour(128, 255, 128);
const QColor EditedColour(255, 244, 234);
const QColor HeaderCellColour(240, 240, 240);

quint64 key(int row, int col)
{
    return (quint64(quint32(row)) << 32) | quint32(col);
}

// The first column of the reference and envelope tables names their rows: a header, not an
// input.
bool headerColumn(InputTable table, int col)
{
    return (table == InputTable::Reference || table == InputTable::Envelope) && col == 0;
}

// Cells keep their own background (green while entered, light orange once edited); a selected
// block is tinted over it, and the current cell has a dotted frame.
class CellDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        painter->fillRect(o.rect, index.data(Qt::BackgroundRole).value<QColor>());
        const auto *view = qobject_cast<const QAbstractItemView *>(o.widget);
        const bool block = view && view->selectionModel() && view->selectionModel()->selectedIndexes().size() > 1;
        if ((o.state & QStyle::State_Selected) && block)
            painter->fillRect(o.rect, QColor(0, 120, 215, 60));
        painter->setPen(o.palette.color(QPalette::Text));
        painter->drawText(o.rect.adjusted(3, 0, -3, 0), int(o.displayAlignment), o.text);
        if (o.state & QStyle::State_HasFocus) {
            QPen pen(QColor(0, 0, 0), 1, Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(o.rect.adjusted(0, 0, -1, -1));
        }
    }
};

} // namespace

InputTableModel::InputTableModel(const ProjectSession &session, InputTable table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
    , m_table(table)
    , m_rows(session.tableRows(table) - 1)
    , m_cols(session.tableColumns(table))
{
}

int InputTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int InputTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant InputTableModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row() + 1;
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_session.tableText(m_table, row, col);
    case Qt::ToolTipRole: {
        // A long text (a name) shows whole in its tooltip.
        const QString text = m_session.tableText(m_table, row, col);
        return text.size() > 12 ? QVariant(text) : QVariant();
    }
    case Qt::BackgroundRole:
        if (headerColumn(m_table, col))
            return HeaderCellColour;
        return cellColour(index.row(), col);
    case Qt::TextAlignmentRole:
        if (m_table == InputTable::Compositions && col == 0 && m_sizesRight)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant InputTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return m_session.tableText(m_table, 0, section);
    if (role == Qt::ToolTipRole) {
        const QString text = m_session.tableText(m_table, 0, section);
        return text.size() > 12 ? QVariant(text) : QVariant();
    }
    return {};
}

void InputTableModel::refresh()
{
    const int rows = m_session.tableRows(m_table) - 1;
    const int cols = m_session.tableColumns(m_table);
    if (rows != m_rows || cols != m_cols) {
        beginResetModel();
        m_rows = rows;
        m_cols = cols;
        // A cell that is gone takes its colour with it: when its row or column comes back, it
        // comes back white.
        for (auto it = m_colours.begin(); it != m_colours.end();) {
            if (int(it.key() >> 32) >= rows || int(quint32(it.key())) >= cols)
                it = m_colours.erase(it);
            else
                ++it;
        }
        endResetModel();
        return;
    }
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1), {Qt::DisplayRole, Qt::ToolTipRole});
    if (m_cols > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
}

void InputTableModel::setCellColour(int row, int col, QColor colour)
{
    if (row < 0 || col < 0 || row >= m_rows || col >= m_cols)
        return;
    if (cellColour(row, col) == colour)
        return;
    if (colour == Qt::white)
        m_colours.remove(key(row, col));
    else
        m_colours.insert(key(row, col), colour.rgb());
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::BackgroundRole});
}

QColor InputTableModel::cellColour(int row, int col) const
{
    const auto it = m_colours.constFind(key(row, col));
    return it == m_colours.constEnd() ? QColor(Qt::white) : QColor::fromRgb(*it);
}

void InputTableModel::setSizesRightAligned(bool on)
{
    if (m_sizesRight == on)
        return;
    m_sizesRight = on;
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, 0), {Qt::TextAlignmentRole});
}

InputTableView::InputTableView(ProjectSession &session, InputTable table, Desktop &desktop, QWidget *parent)
    : QTableView(parent)
    , m_session(session)
    , m_table(table)
    , m_desktop(desktop)
    , m_model(session, table)
{
    setModel(&m_model);
    setItemDelegate(new CellDelegate(this));
    setObjectName(QStringLiteral("table%1").arg(int(table)));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    const bool oneRow = table != InputTable::Compositions;
    setSizePolicy(QSizePolicy::Expanding, oneRow ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    if (oneRow)
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { updateGeometry(); });
    // The wheel over the scroll bar pages as over the cells.
    verticalScrollBar()->installEventFilter(this);
    refresh();
}

void InputTableView::refresh()
{
    const QPoint current = currentCell();
    m_model.refresh();
    // A reshaped table keeps its current cell where it still exists.
    if (!currentIndex().isValid() && m_model.rowCount() > 0 && m_model.columnCount() > 0) {
        const int row = std::clamp(current.y(), 1, m_model.rowCount());
        const int col = std::clamp(current.x(), 0, m_model.columnCount() - 1);
        selectionModel()->setCurrentIndex(m_model.index(row - 1, col), QItemSelectionModel::ClearAndSelect);
    }
    spreadColumns();
    updateGeometry();
}

void InputTableView::setCurrentCell(int row, int col)
{
    const QModelIndex i = m_model.index(row - 1, col);
    if (i.isValid())
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
}

QPoint InputTableView::currentCell() const
{
    const QModelIndex i = anchorIndex();
    return i.isValid() ? QPoint(i.column(), i.row() + 1) : QPoint(0, 1);
}

QModelIndex InputTableView::anchorIndex() const
{
    // The cell typed into is where the selection began; the current index is its moving corner.
    const QModelIndex cur = currentIndex();
    if (!cur.isValid() || !selectionModel())
        return cur;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        if (range.contains(cur)) {
            const int row = cur.row() == range.top() ? range.bottom() : range.top();
            const int col = cur.column() == range.left() ? range.right() : range.left();
            return m_model.index(row, col);
        }
    }
    return cur;
}

bool InputTableView::blockSelected() const
{
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    return selected.size() > 1;
}

void InputTableView::copyToClipboard()
{
    if (!blockSelected()) {
        m_desktop.setClipboardText(m_session.tableCopyText(m_table));
        scrollToTop();
        setCurrentCell(1, 0);
        return;
    }
    const QItemSelectionRange range = selectionModel()->selection().value(0);
    m_desktop.setClipboardText(m_session.blockText(m_table, range.top() + 1, range.left(), range.bottom() + 1, range.right()));
}

void InputTableView::pasteFromClipboard()
{
    m_session.paste(m_table, m_desktop.clipboardText());
    refresh();
    scrollToTop();
    setCurrentCell(1, 0);
    if (m_table == InputTable::Compositions)
        m_model.setSizesRightAligned(true);
}

void InputTableView::markEdited()
{
    const QModelIndex i = anchorIndex();
    if (i.isValid() && m_session.typingAllowed(m_table))
        m_model.setCellColour(i.row(), i.column(), EditedColour);
}

void InputTableView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
        return;
    }
    const QPoint cell = currentCell();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // One row down in the compositions, one column right elsewhere.
        if (m_session.typingAllowed(m_table)) {
            if (m_table == InputTable::Compositions)
                setCurrentCell(cell.y() + 1, cell.x());
            else
                setCurrentCell(cell.y(), cell.x() + 1);
        }
        return;
    case Qt::Key_Delete:
        if (m_session.typingAllowed(m_table)) {
            m_session.deleteCell(m_table, cell.y(), cell.x());
            markEdited();
        }
        return;
    case Qt::Key_Backspace: {
        if (m_session.typingAllowed(m_table)) {
            const QModelIndex corner = currentIndex();
            m_session.backspace(m_table, corner.row() + 1, corner.column());
            markEdited();
        }
        return;
    }
    default:
        break;
    }
    // A key that types characters types them; every other key (arrows, Tab, Home, End, the page
    // keys, the modifiers) only moves, and never changes a cell.
    const QString text = event->text();
    const bool typing = !text.isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    if (typing) {
        if (m_session.typingAllowed(m_table)) {
            for (const QChar ch : text)
                m_session.typeCharacter(m_table, cell.y(), cell.x(), ch);
            markEdited();
        }
        return;
    }
    QTableView::keyPressEvent(event);
}

int InputTableView::fullyVisibleRows() const
{
    int top = rowAt(0);
    if (top < 0)
        return 0;
    // A row cut by the top edge (the last page is shown flush with the bottom) is not fully
    // visible.
    if (rowViewportPosition(top) < 0)
        ++top;
    int count = 0;
    const int height = viewport()->height();
    for (int r = top; r < m_model.rowCount(); ++r) {
        if (rowViewportPosition(r) + rowHeight(r) > height)
            break;
        ++count;
    }
    return count;
}

void InputTableView::wheelEvent(QWheelEvent *event)
{
    event->accept();
    QScrollBar *bar = verticalScrollBar();
    if (bar->maximum() <= 0)
        return; // every row fits
    m_wheelRemainder += event->angleDelta().y();
    while (std::abs(m_wheelRemainder) >= 120) {
        const bool away = m_wheelRemainder > 0;
        m_wheelRemainder += away ? -120 : 120;
        // A page is the rows fully in view; its last row becomes the new top row.
        const int page = std::max(1, fullyVisibleRows() - 1);
        bar->setValue(std::clamp(bar->value() + (away ? -page : page), 0, bar->maximum()));
    }
}

bool InputTableView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void InputTableView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_session.typingAllowed(m_table))
        return;
    if (previous.isValid())
        m_model.setCellColour(previous.row(), previous.column(), Qt::white);
    if (current.isValid())
        m_model.setCellColour(current.row(), current.column(), EnteredColour);
}

void InputTableView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    spreadColumns();
    if (m_partner)
        m_partner->spreadColumns();
}

int InputTableView::neededWidth(int c) const
{
    const QFontMetrics cellMetrics(font());
    const QFontMetrics headerMetrics(horizontalHeader()->font());
    const int padding = 14;
    int needed = headerMetrics.horizontalAdvance(m_session.tableText(m_table, 0, c)) + padding;
    for (int r = 1; r <= m_model.rowCount(); ++r)
        needed = std::max(needed, cellMetrics.horizontalAdvance(m_session.tableText(m_table, r, c)) + padding);
    return needed;
}

void InputTableView::spreadColumns()
{
    const int cols = m_model.columnCount();
    if (cols <= 0)
        return;
    const bool shared = m_partner && m_partner->m_model.columnCount() == cols;
    // Partners spread over the narrower of their two widths, so that their columns line up.
    const int available = shared ? std::min(viewport()->width(), m_partner->viewport()->width()) : viewport()->width();
    QList<int> needed(cols);
    for (int c = 0; c < cols; ++c)
        needed[c] = shared ? std::max(neededWidth(c), m_partner->neededWidth(c)) : neededWidth(c);
    // The columns that need more than an even share take what they need; the others share the
    // rest evenly. Only when the texts need more than the whole width does the table scroll.
    QList<bool> wide(cols, false);
    int share = 0;
    for (;;) {
        int rest = available, narrow = 0;
        for (int c = 0; c < cols; ++c) {
            if (wide[c])
                rest -= needed[c];
            else
                ++narrow;
        }
        share = narrow > 0 ? std::max(0, rest) / narrow : 0;
        bool grew = false;
        for (int c = 0; c < cols; ++c) {
            if (!wide[c] && needed[c] > share) {
                wide[c] = true;
                grew = true;
            }
        }
        if (!grew)
            break;
    }
    for (int c = 0; c < cols; ++c)
        setColumnWidth(c, wide[c] ? needed[c] : share);
}

void InputTableView::alignColumnsWith(InputTableView *partner)
{
    m_partner = partner;
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, partner->horizontalScrollBar(), &QScrollBar::setValue);
    if (partner->m_partner != this)
        partner->alignColumnsWith(this);
    spreadColumns();
}

QSize InputTableView::sizeHint() const
{
    QSize hint = QTableView::sizeHint();
    if (m_table == InputTable::Compositions)
        return hint;
    int height = horizontalHeader()->sizeHint().height() + verticalHeader()->defaultSectionSize() * m_model.rowCount()
        + 2 * frameWidth();
    if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && horizontalScrollBar()->maximum() > 0)
        height += horizontalScrollBar()->sizeHint().height();
    hint.setHeight(height);
    return hint;
}

QSize InputTableView::minimumSizeHint() const
{
    QSize hint = QTableView::minimumSizeHint();
    if (m_table != InputTable::Compositions)
        hint.setHeight(sizeHint().height());
    return hint;
}
