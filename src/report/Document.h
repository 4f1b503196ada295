#pragma once

// A small word-processing document built the way the report is written: through an insertion
// point that text is inserted after, that collapses to its end, that gains paragraph marks, and
// at which tables are added. The document is always extended at its end.

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace Doc {

enum class Align { Left = 0, Center = 1, Justify = 3 };

struct RunFormat
{
    bool bold = false;
    double size = 12;          // points
    QColor colour = Qt::black;
    QString font = QStringLiteral("Times New Roman");
};

struct Run
{
    QString text;
    RunFormat format;
};

struct Paragraph
{
    QList<Run> runs;
    Align align = Align::Left;
    bool keepWithNext = false; // on the same page as what follows (a heading and its table)
    QString text() const;
};

struct Cell
{
    QString text;
    double size = 12;
    Align align = Align::Left;
    std::optional<QImage> picture;
    double pictureWidth = 0; // printed width of the picture, cm; 0: its size at 96 pixels per inch
};

struct Table
{
    int rows = 0, cols = 0;
    bool grid = false; // the look of a table of values (borders on every cell)
    bool keepWithNext = false; // the table stays on the page of the paragraph after it
    QList<Cell> cells; // rows x cols, row by row
    Cell &cell(int row, int col) { return cells[(row - 1) * cols + (col - 1)]; } // 1-based
    const Cell &cell(int row, int col) const { return cells[(row - 1) * cols + (col - 1)]; }
};

using Block = std::variant<Paragraph, Table>;

// The document and its insertion point.
class Document
{
public:
    Document();

    const QList<Block> &blocks() const { return m_blocks; }

    // The insertion point and its selection.
    void insertAfter(const QString &text);
    void insertParagraphAfter();
    void endOf();
    void setBold(bool on);
    void setSize(double points);
    void setColour(const QColor &colour);
    void setFont(const QString &name);
    void setAlignment(Align align);
    // The paragraphs the selection touches (or the insertion point's) stay with what follows.
    void setKeepWithNext(bool on);

    // A table at the insertion point; the text before it stays above it.
    Table &addTable(int rows, int cols);
    // Selecting a table's last cell and collapsing: the insertion point moves after the table.
    void selectLastCellAndCollapse();

    // Page margins in centimetres.
    double margin = 2.5;

private:
    Paragraph &current();
    void forSelectedRuns(const std::function<void(Run &)> &f);

    QList<Block> m_blocks;
    RunFormat m_format;
    // The selection: from (block, run) to the end of the document; empty when collapsed.
    int m_selBlock = 0;
    int m_selRun = 0;
    bool m_collapsed = true;
    int m_lastTable = -1;
};

} // namespace Doc
