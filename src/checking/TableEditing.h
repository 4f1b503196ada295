#pragma once

// Typing into the input tables, and the text of copied and pasted blocks. The tables have no
// editor of their own: each character typed is appended to the current cell under the table's
// character filter, and the decimal separator becomes a comma.

#include "core/ProjectDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace TableEditing {

// The characters the names table takes (Latin and Cyrillic letters without Ё/ё, some
// punctuation, digits and the blank).
const QString &nameCharacters();

// The text of a cell after one character is typed into it. A lone "0" gives way to a character
// the table takes, so that typing replaces it. In the names table a character of its set is appended. In
// the numeric tables digits are appended; the period (and «ю», «Ю» of the Russian layout) and the
// comma (and «б», «Б») put in the one decimal comma; anything else is ignored; a text never
// starts with the comma ("," becomes "0,").
QString typed(InputTable table, const QString &text, QChar ch);

// The text of the cell Backspace acts on, one character shorter; nothing when it holds only
// blanks (then Backspace changes nothing).
std::optional<QString> backspaced(const QString &text);

// A clipboard block: rows ended by CR LF, CR or LF (a trailing line end is no row), cells
// separated by tabs.
QList<QStringList> blockRows(const QString &text);
// The clipboard text of a block: cells separated by a tab, rows by a carriage return.
QString blockText(const QList<QStringList> &rows);

// A block copied from a whole table starts with the table's header row: the rest of the block,
// or nothing when its first row is data. `header` holds the table's header cells as shown.
std::optional<QString> withoutHeaderRow(const QString &block, const QStringList &header);

// A pasted text as a table takes it: the names table takes it unchanged; the numeric tables
// take periods as commas and drop blanks, minus and plus signs.
QString cleanedForTable(InputTable table, const QString &text);

} // namespace TableEditing
