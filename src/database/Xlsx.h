#pragma once

// A reader of the first worksheet of an .xlsx workbook (Office Open XML spreadsheet): the
// workbook's own sheet order through workbook.xml and its relationships, shared and inline
// strings, numbers, booleans, and formulas through their cached values. Cells and rows that
// the file leaves out read as empty.
//
// The reader expects hostile files: parts that would unpack to more than 24 MB, a part that declares a
// DTD (entity bombs; real workbooks never have one), nests elements deeper than any real
// workbook, names a cell outside the sheet's 1 048 576 rows and 16 384 columns, or is not
// well-formed XML is refused with a Russian message, before memory or time run out.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <unordered_map>
#include <variant>

namespace Xlsx {

// The parts read (workbook, its relationships, shared strings, first sheet) may unpack to this
// much together; more is refused, before unpacking when a part says its size, else where the
// reading reaches the limit. A sheet of 10 000 components with 50 sizes is about 20 MB, and
// reading 24 MB of XML takes about a second and a half.
inline constexpr qint64 MaxUnpackedSize = 24 * 1024 * 1024;
// The size of a worksheet.
inline constexpr int MaxRows = 1048576;
inline constexpr int MaxColumns = 16384;
// Deeper element nesting than this is refused (a real sheet nests about eight levels).
inline constexpr int MaxDepth = 100;
// More shared strings than this are refused.
inline constexpr qsizetype MaxSharedStrings = 1000000;
// The XML tokens (elements, texts) of all parts read together may number this many: the time a
// reading takes grows with them. A database of 10 000 components with 50 sizes has about 2.7
// million.
inline constexpr qint64 MaxTokens = 4000000;
// A reading that keeps every cell refuses a sheet with more non-empty cells than this.
inline constexpr qsizetype MaxStoredCells = 2000000;

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
    qsizetype size() const { return qsizetype(m_cells.size()); }

private:
    std::unordered_map<quint64, Value> m_cells;
    int m_maxRow = 0;
};

// What a reader of the cells wants next.
enum class Next { Continue, Stop, Fail };
// Receives the non-empty cells of the first worksheet in the order of the file (rows 1..,
// columns 1..). Returning Stop ends the reading successfully; Fail ends it with `error` set.
using CellSink = std::function<Next(int row, int col, Value &&value, QString *error)>;

// Reads the first worksheet, every non-empty cell kept; on failure `error` says what is wrong
// with the file (a phrase in Russian, without the file's name).
std::optional<Worksheet> ReadFirstWorksheet(const QString &path, QString *error);
// The same, each cell handed to `sink`, from a file or from the file's bytes.
bool ReadFirstWorksheet(const QString &path, const CellSink &sink, QString *error);
bool ReadFirstWorksheetBytes(const QByteArray &bytes, const CellSink &sink, QString *error);

// The parts of a worksheet read directly (the workbook's XML, without the package around it).
bool ReadSharedStrings(const QByteArray &xml, QStringList &strings, QString *error);
bool ReadSheetXml(const QByteArray &xml, const QStringList &sharedStrings, const CellSink &sink, QString *error);

// "AB12" -> row 12, column 28; nothing for a malformed reference.
std::optional<std::pair<int, int>> ParseCellReference(QStringView ref);

} // namespace Xlsx
