#pragma once

// Builds small .xlsx workbooks for the tests: a workbook with one (or two) worksheets from
// cell lists, written with libzip.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <zip.h>

namespace TestXlsx {

// Columns as letters: 1 -> "A", 28 -> "AB".
inline QString column(int c)
{
    QString s;
    while (c > 0) {
        const int r = (c - 1) % 26;
        s.prepend(QChar(u'A' + r));
        c = (c - 1) / 26;
    }
    return s;
}

struct Cell
{
    int row, col;
    QString xml; // the inner part of <c>: type attribute and children, e.g. t="n"><v>5</v>
};

inline QByteArray sheetXml(const QList<Cell> &cells)
{
    QByteArray out = "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    int row = -1;
    for (const Cell &c : cells) {
        if (c.row != row) {
            if (row != -1)
                out += "</row>";
            row = c.row;
            out += "<row r=\"" + QByteArray::number(row) + "\">";
        }
        out += "<c r=\"" + (column(c.col) + QString::number(c.row)).toUtf8() + "\" " + c.xml.toUtf8() + "</c>";
    }
    if (row != -1)
        out += "</row>";
    out += "</sheetData></worksheet>";
    return out;
}

inline QString num(double v)
{
    return QStringLiteral("t=\"n\"><v>%1</v>").arg(v, 0, 'g', 17);
}

inline QString str(const QString &s)
{
    return QStringLiteral("t=\"inlineStr\"><is><t>%1</t></is>").arg(s.toHtmlEscaped());
}

inline bool write(const QString &path, const QList<std::pair<QString, QByteArray>> &parts)
{
    int err = 0;
    zip_t *z = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        return false;
    QList<QByteArray> keep;
    for (const auto &[name, data] : parts) {
        keep << data;
        zip_source_t *src = zip_source_buffer(z, keep.last().constData(), zip_uint64_t(keep.last().size()), 0);
        if (!src || zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_OVERWRITE) < 0)
            return false;
    }
    return zip_close(z) == 0;
}

// A workbook whose first sheet (in the workbook's order) is `sheet`; `second` is a sheet
// listed after it that must not be read.
inline bool writeWorkbook(const QString &path, const QByteArray &sheet, const QByteArray &sharedStrings = {},
                          const QByteArray &second = {})
{
    QByteArray workbook = "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
                          "<sheet name=\"Data\" sheetId=\"2\" r:id=\"rId7\"/>";
    if (!second.isEmpty())
        workbook += "<sheet name=\"Other\" sheetId=\"1\" r:id=\"rId3\"/>";
    workbook += "</sheets></workbook>";
    const QByteArray rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                            "<Relationship Id=\"rId3\" Type=\"worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                            "<Relationship Id=\"rId7\" Type=\"worksheet\" Target=\"worksheets/sheet2.xml\"/></Relationships>";
    QList<std::pair<QString, QByteArray>> parts{{QStringLiteral("xl/workbook.xml"), workbook},
                                                {QStringLiteral("xl/_rels/workbook.xml.rels"), rels},
                                                {QStringLiteral("xl/worksheets/sheet2.xml"), sheet}};
    if (!second.isEmpty())
        parts << std::make_pair(QStringLiteral("xl/worksheets/sheet1.xml"), second);
    if (!sharedStrings.isEmpty())
        parts << std::make_pair(QStringLiteral("xl/sharedStrings.xml"), sharedStrings);
    return write(path, parts);
}

} // namespace TestXlsx
