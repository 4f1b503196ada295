#pragma once

// A reader of the first worksheet of an .xlsx workbook (Office Open XML spreadsheet): the
// workbook's own sheet order through workbook.xml and its relationships, shared and inline
// strings, numbers, booleans, and formulas through their cached values. Cells and rows that
// the file leaves out read as empty.

#include <QHash>
#include <QString>

#include <optional>
#include <variant>

namespace Xlsx {

// Parts of a workbook that would unpack to more than this are refused before unpacking.
inline constexpr qint64 MaxUnpackedSize = 64 * 1024 * 1024;

// An empty cell, a number, a text or a boolean.
using Value = std::variant<std::monostate, double, QString, bool>;

bool isEmpty(const Value &v);
// The cell as text: numbers in general format with the decimal comma ("0,071", "2,1").
QString text(const Value &v);
// The cell as a number: numbers as they are, texts that convert (decimal comma or point),
// booleans as 0/-1; empty and other texts give nothing.
std::optional<double> number(const Value &v);

class Worksheet
{
public:
    Value cell(int row, int col) const;
    void set(int row, int col, Value v);
    int maxRow() const { return m_maxRow; }

private:
    QHash<quint64, Value> m_cells;
    int m_maxRow = 0;
};

// Reads the first worksheet; on failure `error` says what is wrong with the file.
std::optional<Worksheet> ReadFirstWorksheet(const QString &path, QString *error);

// "AB12" -> row 12, column 28; nothing for a malformed reference.
std::optional<std::pair<int, int>> ParseCellReference(QStringView ref);

} // namespace Xlsx
