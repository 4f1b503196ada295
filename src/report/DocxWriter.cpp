#include "report/DocxWriter.h"

#include "files/SafeSave.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QXmlStreamWriter>

#include <zip.h>

#include <cmath>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(DocxWriter)
};

} // namespace

namespace Docx {

namespace {

const QString W = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString R = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString WP = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
const QString A = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString PIC = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");

constexpr int PageWidth = 11906;  // A4, twentieths of a point
constexpr int PageHeight = 16838;

int marginTwips(double cm)
{
    return int(std::lround(cm / 2.54 * 72.0 * 20.0));
}

QString alignValue(Doc::Align a)
{
    switch (a) {
    case Doc::Align::Center:
        return QStringLiteral("center");
    case Doc::Align::Justify:
        return QStringLiteral("both");
    case Doc::Align::Left:
        break;
    }
    return QStringLiteral("left");
}

// Text that XML 1.0 cannot hold (control characters) is left out.
QString xmlSafe(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if (u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u != 0xFFFE && u != 0xFFFF))
            out += c;
    }
    return out;
}

class Writer
{
public:
    Writer(Package &pkg, const Doc::Document &doc)
        : m_pkg(pkg)
        , m_doc(doc)
        , m_textWidth(PageWidth - 2 * marginTwips(doc.margin))
    {
    }

    void write()
    {
        QBuffer buffer(&m_pkg.document);
        buffer.open(QIODevice::WriteOnly);
        QXmlStreamWriter x(&buffer);
        x.writeStartDocument(QStringLiteral("1.0"), true);
        x.writeNamespace(W, QStringLiteral("w"));
        x.writeNamespace(R, QStringLiteral("r"));
        x.writeNamespace(WP, QStringLiteral("wp"));
        x.writeNamespace(A, QStringLiteral("a"));
        x.writeNamespace(PIC, QStringLiteral("pic"));
        x.writeStartElement(W, QStringLiteral("document"));
        x.writeStartElement(W, QStringLiteral("body"));
        for (const Doc::Block &b : m_doc.blocks()) {
            if (const auto *p = std::get_if<Doc::Paragraph>(&b))
                paragraph(x, *p);
            else
                table(x, std::get<Doc::Table>(b));
        }
        // Word needs a paragraph after a table at the end of the body.
        if (!m_doc.blocks().isEmpty() && std::holds_alternative<Doc::Table>(m_doc.blocks().last()))
            paragraph(x, Doc::Paragraph());
        const int m = marginTwips(m_doc.margin);
        x.writeStartElement(W, QStringLiteral("sectPr"));
        x.writeEmptyElement(W, QStringLiteral("pgSz"));
        x.writeAttribute(W, QStringLiteral("w"), QString::number(PageWidth));
        x.writeAttribute(W, QStringLiteral("h"), QString::number(PageHeight));
        x.writeEmptyElement(W, QStringLiteral("pgMar"));
        for (const char *side : {"top", "right", "bottom", "left"})
            x.writeAttribute(W, QString::fromLatin1(side), QString::number(m));
        x.writeAttribute(W, QStringLiteral("header"), QStringLiteral("708"));
        x.writeAttribute(W, QStringLiteral("footer"), QStringLiteral("708"));
        x.writeAttribute(W, QStringLiteral("gutter"), QStringLiteral("0"));
        x.writeEndElement(); // sectPr
        x.writeEndElement(); // body
        x.writeEndElement(); // document
        x.writeEndDocument();
    }

private:
    void runProperties(QXmlStreamWriter &x, const Doc::RunFormat &f)
    {
        x.writeStartElement(W, QStringLiteral("rPr"));
        x.writeEmptyElement(W, QStringLiteral("rFonts"));
        for (const char *a : {"ascii", "hAnsi", "cs", "eastAsia"})
            x.writeAttribute(W, QString::fromLatin1(a), f.font);
        if (f.bold) {
            x.writeEmptyElement(W, QStringLiteral("b"));
            x.writeEmptyElement(W, QStringLiteral("bCs"));
        }
        x.writeEmptyElement(W, QStringLiteral("color"));
        x.writeAttribute(W, QStringLiteral("val"), f.colour.name().mid(1).toUpper());
        const QString half = QString::number(int(std::lround(f.size * 2)));
        x.writeEmptyElement(W, QStringLiteral("sz"));
        x.writeAttribute(W, QStringLiteral("val"), half);
        x.writeEmptyElement(W, QStringLiteral("szCs"));
        x.writeAttribute(W, QStringLiteral("val"), half);
        x.writeEndElement();
    }

    void paragraphProperties(QXmlStreamWriter &x, Doc::Align align, bool keepWithNext = false)
    {
        x.writeStartElement(W, QStringLiteral("pPr"));
        if (keepWithNext)
            x.writeEmptyElement(W, QStringLiteral("keepNext"));
        x.writeEmptyElement(W, QStringLiteral("spacing"));
        x.writeAttribute(W, QStringLiteral("after"), QStringLiteral("0"));
        x.writeAttribute(W, QStringLiteral("line"), QStringLiteral("240"));
        x.writeAttribute(W, QStringLiteral("lineRule"), QStringLiteral("auto"));
        x.writeEmptyElement(W, QStringLiteral("jc"));
        x.writeAttribute(W, QStringLiteral("val"), alignValue(align));
        x.writeEndElement();
    }

    void textRun(QXmlStreamWriter &x, const QString &text, const Doc::RunFormat &f)
    {
        x.writeStartElement(W, QStringLiteral("r"));
        runProperties(x, f);
        x.writeStartElement(W, QStringLiteral("t"));
        x.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        x.writeCharacters(xmlSafe(text));
        x.writeEndElement();
        x.writeEndElement();
    }

    void paragraph(QXmlStreamWriter &x, const Doc::Paragraph &p)
    {
        x.writeStartElement(W, QStringLiteral("p"));
        paragraphProperties(x, p.align, p.keepWithNext);
        for (const Doc::Run &r : p.runs)
            textRun(x, r.text, r.format);
        x.writeEndElement();
    }

    void border(QXmlStreamWriter &x, const QString &side, bool on)
    {
        x.writeEmptyElement(W, side);
        x.writeAttribute(W, QStringLiteral("val"), on ? QStringLiteral("single") : QStringLiteral("nil"));
        if (on) {
            x.writeAttribute(W, QStringLiteral("sz"), QStringLiteral("4"));
            x.writeAttribute(W, QStringLiteral("space"), QStringLiteral("0"));
            x.writeAttribute(W, QStringLiteral("color"), QStringLiteral("000000"));
        }
    }

    void table(QXmlStreamWriter &x, const Doc::Table &t)
    {
        const int colWidth = std::max(1, m_textWidth / std::max(1, t.cols));
        x.writeStartElement(W, QStringLiteral("tbl"));
        x.writeStartElement(W, QStringLiteral("tblPr"));
        if (t.grid) {
            x.writeEmptyElement(W, QStringLiteral("tblStyle"));
            x.writeAttribute(W, QStringLiteral("val"), QStringLiteral("TableGrid"));
        }
        x.writeEmptyElement(W, QStringLiteral("tblW"));
        x.writeAttribute(W, QStringLiteral("w"), QString::number(colWidth * t.cols));
        x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("dxa"));
        if (!t.grid) {
            x.writeEmptyElement(W, QStringLiteral("jc"));
            x.writeAttribute(W, QStringLiteral("val"), QStringLiteral("center"));
        }
        x.writeStartElement(W, QStringLiteral("tblBorders"));
        for (const char *side : {"top", "left", "bottom", "right", "insideH", "insideV"})
            border(x, QString::fromLatin1(side), t.grid);
        x.writeEndElement();
        x.writeEmptyElement(W, QStringLiteral("tblLayout"));
        x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("fixed"));
        x.writeEmptyElement(W, QStringLiteral("tblLook"));
        x.writeAttribute(W, QStringLiteral("val"), QStringLiteral("04A0"));
        x.writeEndElement(); // tblPr
        x.writeStartElement(W, QStringLiteral("tblGrid"));
        for (int c = 0; c < t.cols; ++c) {
            x.writeEmptyElement(W, QStringLiteral("gridCol"));
            x.writeAttribute(W, QStringLiteral("w"), QString::number(colWidth));
        }
        x.writeEndElement();
        for (int r = 1; r <= t.rows; ++r) {
            x.writeStartElement(W, QStringLiteral("tr"));
            if (t.keepWithNext) {
                x.writeStartElement(W, QStringLiteral("trPr"));
                x.writeEmptyElement(W, QStringLiteral("cantSplit"));
                x.writeEndElement();
            }
            for (int c = 1; c <= t.cols; ++c) {
                const Doc::Cell &cell = t.cell(r, c);
                x.writeStartElement(W, QStringLiteral("tc"));
                x.writeStartElement(W, QStringLiteral("tcPr"));
                x.writeEmptyElement(W, QStringLiteral("tcW"));
                x.writeAttribute(W, QStringLiteral("w"), QString::number(colWidth));
                x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("dxa"));
                x.writeEndElement();
                x.writeStartElement(W, QStringLiteral("p"));
                paragraphProperties(x, cell.align, t.keepWithNext);
                Doc::RunFormat f;
                f.size = cell.size;
                if (cell.picture)
                    picture(x, *cell.picture, cell.pictureWidth, colWidth);
                else if (!cell.text.isEmpty())
                    textRun(x, cell.text, f);
                x.writeEndElement(); // p
                x.writeEndElement(); // tc
            }
            x.writeEndElement(); // tr
        }
        x.writeEndElement(); // tbl
    }

    void picture(QXmlStreamWriter &x, const QImage &image, double widthCm, int cellWidthTwips)
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const int index = int(m_pkg.media.size()) + 1;
        const QString name = QStringLiteral("media/image%1.png").arg(index);
        m_pkg.media << std::make_pair(name, png);
        const QString rid = QStringLiteral("rIdImage%1").arg(index);
        // The printed width when given, else 96 pixels per inch (of the device-independent
        // size); never wider than the cell.
        const QSizeF size = image.deviceIndependentSize();
        qint64 cx = qint64(std::llround(size.width() * 9525)), cy = qint64(std::llround(size.height() * 9525));
        if (widthCm > 0 && image.width() > 0) {
            cx = qint64(std::llround(widthCm * 360000));
            cy = cx * image.height() / image.width();
        }
        const qint64 maxCx = qint64(cellWidthTwips - 200) * 635;
        if (cx > maxCx && cx > 0) {
            cy = cy * maxCx / cx;
            cx = maxCx;
        }
        x.writeStartElement(W, QStringLiteral("r"));
        x.writeStartElement(W, QStringLiteral("drawing"));
        x.writeStartElement(WP, QStringLiteral("inline"));
        for (const char *d : {"distT", "distB", "distL", "distR"})
            x.writeAttribute(QString::fromLatin1(d), QStringLiteral("0"));
        x.writeEmptyElement(WP, QStringLiteral("extent"));
        x.writeAttribute(QStringLiteral("cx"), QString::number(cx));
        x.writeAttribute(QStringLiteral("cy"), QString::number(cy));
        x.writeEmptyElement(WP, QStringLiteral("docPr"));
        x.writeAttribute(QStringLiteral("id"), QString::number(index));
        x.writeAttribute(QStringLiteral("name"), Texts::tr("Рисунок %1").arg(index));
        x.writeStartElement(A, QStringLiteral("graphic"));
        x.writeStartElement(A, QStringLiteral("graphicData"));
        x.writeAttribute(QStringLiteral("uri"), PIC);
        x.writeStartElement(PIC, QStringLiteral("pic"));
        x.writeStartElement(PIC, QStringLiteral("nvPicPr"));
        x.writeEmptyElement(PIC, QStringLiteral("cNvPr"));
        x.writeAttribute(QStringLiteral("id"), QString::number(index));
        x.writeAttribute(QStringLiteral("name"), QStringLiteral("image%1.png").arg(index));
        x.writeEmptyElement(PIC, QStringLiteral("cNvPicPr"));
        x.writeEndElement();
        x.writeStartElement(PIC, QStringLiteral("blipFill"));
        x.writeEmptyElement(A, QStringLiteral("blip"));
        x.writeAttribute(R, QStringLiteral("embed"), rid);
        x.writeStartElement(A, QStringLiteral("stretch"));
        x.writeEmptyElement(A, QStringLiteral("fillRect"));
        x.writeEndElement();
        x.writeEndElement(); // blipFill
        x.writeStartElement(PIC, QStringLiteral("spPr"));
        x.writeStartElement(A, QStringLiteral("xfrm"));
        x.writeEmptyElement(A, QStringLiteral("off"));
        x.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
        x.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
        x.writeEmptyElement(A, QStringLiteral("ext"));
        x.writeAttribute(QStringLiteral("cx"), QString::number(cx));
        x.writeAttribute(QStringLiteral("cy"), QString::number(cy));
        x.writeEndElement(); // xfrm
        x.writeStartElement(A, QStringLiteral("prstGeom"));
        x.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
        x.writeEmptyElement(A, QStringLiteral("avLst"));
        x.writeEndElement();
        x.writeEndElement(); // spPr
        x.writeEndElement(); // pic
        x.writeEndElement(); // graphicData
        x.writeEndElement(); // graphic
        x.writeEndElement(); // inline
        x.writeEndElement(); // drawing
        x.writeEndElement(); // r
    }

    Package &m_pkg;
    const Doc::Document &m_doc;
    int m_textWidth;
};

} // namespace

Package Build(const Doc::Document &document)
{
    Package pkg;
    Writer(pkg, document).write();
    pkg.contentTypes =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Default Extension=\"png\" ContentType=\"image/png\"/>"
        "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "<Override PartName=\"/word/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
        "<Override PartName=\"/word/settings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
        "</Types>";
    pkg.rels = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
               "</Relationships>";
    QByteArray rels = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rIdStyles\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                      "<Relationship Id=\"rIdSettings\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" Target=\"settings.xml\"/>";
    for (int i = 1; i <= pkg.media.size(); ++i)
        rels += QStringLiteral("<Relationship Id=\"rIdImage%1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" Target=\"media/image%1.png\"/>")
                    .arg(i)
                    .toUtf8();
    rels += "</Relationships>";
    pkg.documentRels = rels;
    pkg.styles =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Times New Roman\" w:hAnsi=\"Times New Roman\" w:cs=\"Times New Roman\" w:eastAsia=\"Times New Roman\"/>"
        "<w:sz w:val=\"24\"/><w:szCs w:val=\"24\"/><w:lang w:val=\"ru-RU\"/></w:rPr></w:rPrDefault>"
        "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
        "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name w:val=\"Normal Table\"/><w:uiPriority w:val=\"99\"/><w:semiHidden/>"
        "<w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
        "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr></w:style>"
        "<w:style w:type=\"table\" w:styleId=\"TableGrid\"><w:name w:val=\"Table Grid\"/><w:basedOn w:val=\"TableNormal\"/><w:uiPriority w:val=\"39\"/>"
        "<w:tblPr><w:tblBorders><w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/><w:left w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/><w:right w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/><w:insideV w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/></w:tblBorders></w:tblPr></w:style>"
        "</w:styles>";
    pkg.settings = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                   "<w:settings xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                   "<w:defaultTabStop w:val=\"708\"/><w:compat><w:compatSetting w:name=\"compatibilityMode\" "
                   "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/></w:compat></w:settings>";
    return pkg;
}

bool Write(const Doc::Document &document, const QString &path, QString *error)
{
    const Package pkg = Build(document);
    // The archive is built in memory, then written in one go through a temporary file.
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t *memory = zip_source_buffer_create(nullptr, 0, 0, &zerr);
    zip_t *z = memory ? zip_open_from_source(memory, ZIP_TRUNCATE, &zerr) : nullptr;
    if (!z) {
        if (error)
            *error = Texts::tr("не удалось собрать документ в памяти");
        zip_error_fini(&zerr);
        if (memory)
            zip_source_free(memory);
        return false;
    }
    zip_source_keep(memory);
    QList<std::pair<QString, QByteArray>> parts{{QStringLiteral("[Content_Types].xml"), pkg.contentTypes},
                                                {QStringLiteral("_rels/.rels"), pkg.rels},
                                                {QStringLiteral("word/document.xml"), pkg.document},
                                                {QStringLiteral("word/_rels/document.xml.rels"), pkg.documentRels},
                                                {QStringLiteral("word/styles.xml"), pkg.styles},
                                                {QStringLiteral("word/settings.xml"), pkg.settings}};
    for (const auto &[name, bytes] : pkg.media)
        parts << std::make_pair(QStringLiteral("word/") + name, bytes);
    bool ok = true;
    for (const auto &[name, bytes] : parts) {
        zip_source_t *src = zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index = src ? zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (src)
                zip_source_free(src);
            ok = false;
            break;
        }
        // The pictures are compressed already (PNG): stored as they are.
        if (name.endsWith(QStringLiteral(".png")))
            zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    if (!ok || zip_close(z) != 0) {
        if (error)
            *error = Texts::tr("не удалось собрать документ в памяти");
        zip_discard(z);
        zip_source_free(memory);
        return false;
    }
    QByteArray archive;
    zip_stat_t st;
    if (zip_source_stat(memory, &st) == 0 && zip_source_open(memory) == 0) {
        archive.resize(qsizetype(st.size));
        const zip_int64_t got = zip_source_read(memory, archive.data(), st.size);
        zip_source_close(memory);
        if (got != zip_int64_t(st.size))
            archive.clear();
    }
    zip_source_free(memory);
    if (archive.isEmpty()) {
        if (error)
            *error = Texts::tr("не удалось собрать документ в памяти");
        return false;
    }
    return SafeSave::WriteFile(path, archive, error);
}

} // namespace Docx
