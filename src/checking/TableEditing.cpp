#include "checking/TableEditing.h"

namespace TableEditing {

const QString &nameCharacters()
{
    static const QString chars = QStringLiteral(
        "qwertyuiopasdfghjkl;'zxcvbnm/QWERTYUIOPASDFGHJKL:ZXCVBNMЙЦУКЕНГШЩЗХЪ\\ФЫВАПРОЛДЖЭЯЧСМИТЬБЮ"
        "йцукенгшщзхъфывапролджэячсмитьбю{}[]()-*+=,.,.0123456789 ");
    return chars;
}

QString typed(InputTable table, const QString &current, QChar ch)
{
    // A lone zero gives way to the first character typed into it; a character the table refuses
    // leaves it standing.
    const QString base = current == QStringLiteral("0") ? QString() : current;
    QString text = base;
    if (table == InputTable::Names) {
        if (nameCharacters().contains(ch))
            text += ch;
        return text == base ? current : text;
    }
    const char16_t c = ch.unicode();
    if (c == u'.' || c == u'ю' || c == u'Ю') {
        if (!text.contains(u',')) {
            text += u'.';
            text.replace(u'.', u',');
        }
    } else if (c == u',' || c == u'б' || c == u'Б') {
        if (!text.contains(u','))
            text += u',';
    } else if (c >= u'0' && c <= u'9') {
        text += ch;
    }
    if (text.startsWith(u','))
        text.prepend(u'0');
    return text == base ? current : text;
}

std::optional<QString> backspaced(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return text.left(text.size() - 1);
}

QList<QStringList> blockRows(const QString &text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    normalised.replace(u'\n', u'\r');
    if (normalised.endsWith(u'\r'))
        normalised.chop(1);
    QList<QStringList> rows;
    for (const QString &line : normalised.split(u'\r'))
        rows << line.split(u'\t');
    return rows;
}

QString blockText(const QList<QStringList> &rows)
{
    QStringList lines;
    for (const QStringList &row : rows)
        lines << row.join(u'\t');
    return lines.join(u'\r');
}

std::optional<QString> withoutHeaderRow(const QString &block, const QStringList &header)
{
    QString text = block;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(u'\n', u'\r');
    // A copy of a whole table holds the header row and at least one row of data; a single row
    // is data, whatever it holds.
    const qsizetype end = text.indexOf(u'\r');
    if (end < 0)
        return std::nullopt;
    const QString first = text.left(end);
    // Also a copy taken before the names changed, or from another project: the header row of the
    // grain compositions and of the reference starts with the caption "Dj", never data.
    const QString caption = QStringLiteral("Dj");
    const bool captioned = header.value(0) == caption && first.split(u'\t').constFirst() == caption;
    if (first != header.join(u'\t') && !captioned)
        return std::nullopt;
    return text.mid(end + 1);
}

QString cleanedForTable(InputTable table, const QString &text)
{
    if (table == InputTable::Names)
        return text;
    QString cleaned = text;
    cleaned.replace(u'.', u',');
    cleaned.remove(u' ');
    cleaned.remove(u'-');
    cleaned.remove(u'+');
    return cleaned;
}

} // namespace TableEditing
