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
    QString text = current == QStringLiteral("0") ? QString() : current;
    if (table == InputTable::Names) {
        if (nameCharacters().contains(ch))
            text += ch;
        return text;
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
    return text;
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
