#include "report/Document.h"

#include <functional>

namespace Doc {

QString Paragraph::text() const
{
    QString t;
    for (const Run &r : runs)
        t += r.text;
    return t;
}

Document::Document()
{
    m_blocks << Paragraph();
}

Paragraph &Document::current()
{
    if (!std::holds_alternative<Paragraph>(m_blocks.last()))
        m_blocks << Paragraph();
    return std::get<Paragraph>(m_blocks.last());
}

void Document::forSelectedRuns(const std::function<void(Run &)> &f)
{
    if (m_collapsed)
        return;
    for (int b = m_selBlock; b < m_blocks.size(); ++b) {
        if (auto *p = std::get_if<Paragraph>(&m_blocks[b])) {
            for (int r = (b == m_selBlock ? m_selRun : 0); r < p->runs.size(); ++r)
                f(p->runs[r]);
        }
    }
}

void Document::insertAfter(const QString &text)
{
    // A carriage return in the text starts a new paragraph; a line feed after it is dropped.
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    t.replace(u'\n', u'\r');
    const QStringList parts = t.split(u'\r');
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            Paragraph next;
            next.align = current().align;
            m_blocks << next;
        }
        Paragraph &p = current();
        if (m_collapsed) {
            m_selBlock = int(m_blocks.size()) - 1;
            m_selRun = int(p.runs.size());
            m_collapsed = false;
        }
        if (!parts[i].isEmpty())
            p.runs << Run{parts[i], m_format};
    }
}

void Document::insertParagraphAfter()
{
    Paragraph &p = current();
    if (m_collapsed) {
        m_selBlock = int(m_blocks.size()) - 1;
        m_selRun = int(p.runs.size());
        m_collapsed = false;
    }
    Paragraph next;
    next.align = p.align;
    m_blocks << next;
}

void Document::endOf()
{
    m_collapsed = true;
}

void Document::setBold(bool on)
{
    m_format.bold = on;
    forSelectedRuns([on](Run &r) { r.format.bold = on; });
}

void Document::setSize(double points)
{
    m_format.size = points;
    forSelectedRuns([points](Run &r) { r.format.size = points; });
}

void Document::setColour(const QColor &colour)
{
    m_format.colour = colour;
    forSelectedRuns([colour](Run &r) { r.format.colour = colour; });
}

void Document::setFont(const QString &name)
{
    m_format.font = name;
    forSelectedRuns([name](Run &r) { r.format.font = name; });
}

void Document::setAlignment(Align align)
{
    // The paragraphs the selection touches, or the insertion point's paragraph.
    const int from = m_collapsed ? int(m_blocks.size()) - 1 : m_selBlock;
    for (int b = from; b < m_blocks.size(); ++b)
        if (auto *p = std::get_if<Paragraph>(&m_blocks[b]))
            p->align = align;
}

void Document::setKeepWithNext(bool on)
{
    const int from = m_collapsed ? int(m_blocks.size()) - 1 : m_selBlock;
    for (int b = from; b < m_blocks.size(); ++b)
        if (auto *p = std::get_if<Paragraph>(&m_blocks[b]))
            p->keepWithNext = on;
}

Table &Document::addTable(int rows, int cols)
{
    Table t;
    t.rows = std::max(rows, 1);
    t.cols = std::max(cols, 1);
    t.cells.resize(qsizetype(t.rows) * t.cols);
    Paragraph &p = current();
    const Align align = p.align;
    if (p.runs.isEmpty()) {
        // An empty paragraph: the table goes before it, and the paragraph follows the table.
        p.keepWithNext = false;
        m_blocks.insert(m_blocks.size() - 1, t);
        m_lastTable = int(m_blocks.size()) - 2;
    } else {
        m_blocks << t;
        m_lastTable = int(m_blocks.size()) - 1;
        Paragraph after;
        after.align = align;
        m_blocks << after;
    }
    m_collapsed = true;
    return std::get<Table>(m_blocks[m_lastTable]);
}

void Document::selectLastCellAndCollapse()
{
    // The insertion point is now the paragraph after the table.
    current();
    m_collapsed = true;
}

} // namespace Doc
