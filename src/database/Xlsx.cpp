#include "database/Xlsx.h"

#include "core/Numbers.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>

namespace Xlsx {

bool isEmpty(const Value &v)
{
    if (std::holds_alternative<std::monostate>(v))
        return true;
    if (const QString *s = std::get_if<QString>(&v))
        return s->isEmpty();
    return false;
}

QString text(const Value &v)
{
    if (const double *d = std::get_if<double>(&v))
        return Num::formatDouble(*d);
    if (const QString *s = std::get_if<QString>(&v))
        return *s;
    if (const bool *b = std::get_if<bool>(&v))
        return *b ? QStringLiteral("Истина") : QStringLiteral("Ложь");
    return QString();
}

std::optional<double> number(const Value &v)
{
    if (const double *d = std::get_if<double>(&v))
        return *d;
    if (const QString *s = std::get_if<QString>(&v))
        return Num::toDouble(*s);
    if (const bool *b = std::get_if<bool>(&v))
        return *b ? -1.0 : 0.0;
    return std::nullopt;
}

namespace {

quint64 key(int row, int col)
{
    return (quint64(quint32(row)) << 32) | quint32(col);
}

} // namespace

Value Worksheet::cell(int row, int col) const
{
    return m_cells.value(key(row, col));
}

void Worksheet::set(int row, int col, Value v)
{
    m_cells.insert(key(row, col), std::move(v));
    m_maxRow = std::max(m_maxRow, row);
}

std::optional<std::pair<int, int>> ParseCellReference(QStringView ref)
{
    qsizetype i = 0;
    long long col = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 128) {
        col = col * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
        if (col > 16384)
            return std::nullopt;
        ++i;
    }
    if (i == 0 || i == ref.size())
        return std::nullopt;
    long long row = 0;
    for (; i < ref.size(); ++i) {
        if (!ref[i].isDigit())
            return std::nullopt;
        row = row * 10 + (ref[i].unicode() - u'0');
        if (row > 1048576)
            return std::nullopt;
    }
    if (row < 1)
        return std::nullopt;
    return std::make_pair(int(row), int(col));
}

namespace {

struct ZipCloser
{
    void operator()(zip_t *z) const { zip_discard(z); }
};

class Package
{
public:
    bool open(const QString &path, QString *error)
    {
        int code = 0;
        zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
        if (!z) {
            zip_error_t e;
            zip_error_init_with_code(&e, code);
            if (error) {
                if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS)
                    *error = QStringLiteral("это не книга Excel (.xlsx) или файл поврежден");
                else if (code == ZIP_ER_NOENT || code == ZIP_ER_OPEN || code == ZIP_ER_READ)
                    *error = QStringLiteral("файл не удается прочитать");
                else
                    *error = QString::fromUtf8(zip_error_strerror(&e));
            }
            zip_error_fini(&e);
            return false;
        }
        m_zip.reset(z);
        // The total size the parts would unpack to, checked before anything is unpacked.
        qint64 total = 0;
        const zip_int64_t n = zip_get_num_entries(z, 0);
        for (zip_int64_t i = 0; i < n; ++i) {
            zip_stat_t st;
            zip_stat_init(&st);
            if (zip_stat_index(z, zip_uint64_t(i), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE))
                total += qint64(st.size);
            if (total > MaxUnpackedSize) {
                if (error)
                    *error = QStringLiteral("книга распаковывается в слишком большой объем (больше 64 МБ)");
                return false;
            }
        }
        return true;
    }

    // The part's bytes, or nothing when it is missing or damaged.
    std::optional<QByteArray> read(const QString &name, QString *error)
    {
        QString part = name;
        if (part.startsWith(u'/'))
            part.remove(0, 1);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat(m_zip.get(), part.toUtf8().constData(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
            if (error)
                *error = QStringLiteral("в книге нет части %1").arg(part);
            return std::nullopt;
        }
        if (qint64(st.size) > MaxUnpackedSize) {
            if (error)
                *error = QStringLiteral("книга распаковывается в слишком большой объем (больше 64 МБ)");
            return std::nullopt;
        }
        zip_file_t *f = zip_fopen(m_zip.get(), part.toUtf8().constData(), 0);
        if (!f) {
            if (error)
                *error = QStringLiteral("часть %1 книги повреждена").arg(part);
            return std::nullopt;
        }
        QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        if (got != zip_int64_t(st.size)) {
            if (error)
                *error = QStringLiteral("часть %1 книги повреждена").arg(part);
            return std::nullopt;
        }
        return bytes;
    }

private:
    std::unique_ptr<zip_t, ZipCloser> m_zip;
};

// The path of the first worksheet in the workbook's own order.
std::optional<QString> firstSheetPath(Package &pkg, QString *error)
{
    const auto workbook = pkg.read(QStringLiteral("xl/workbook.xml"), error);
    if (!workbook)
        return std::nullopt;
    QString rid;
    QXmlStreamReader xml(*workbook);
    while (!xml.atEnd() && rid.isEmpty()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("sheet")) {
            for (const QXmlStreamAttribute &a : xml.attributes())
                if (a.name() == QLatin1String("id") && a.prefix().size() > 0)
                    rid = a.value().toString();
        }
    }
    if (xml.hasError() || rid.isEmpty()) {
        if (error)
            *error = QStringLiteral("в книге не найден ни один лист");
        return std::nullopt;
    }
    const auto rels = pkg.read(QStringLiteral("xl/_rels/workbook.xml.rels"), error);
    if (!rels)
        return std::nullopt;
    QXmlStreamReader r(*rels);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("Relationship")
            && r.attributes().value(QLatin1String("Id")) == rid) {
            const QString target = r.attributes().value(QLatin1String("Target")).toString();
            if (target.startsWith(u'/'))
                return target.mid(1);
            return QDir::cleanPath(QStringLiteral("xl/") + target);
        }
    }
    if (error)
        *error = QStringLiteral("в книге не найден первый лист");
    return std::nullopt;
}

QStringList sharedStrings(Package &pkg)
{
    QStringList strings;
    const auto bytes = pkg.read(QStringLiteral("xl/sharedStrings.xml"), nullptr);
    if (!bytes)
        return strings;
    QXmlStreamReader xml(*bytes);
    QString current;
    bool inSi = false;
    int phonetic = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("si")) {
                inSi = true;
                current.clear();
            } else if (xml.name() == QLatin1String("rPh")) {
                ++phonetic;
            } else if (xml.name() == QLatin1String("t") && inSi && phonetic == 0) {
                current += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == QLatin1String("si")) {
                strings << current;
                inSi = false;
            } else if (xml.name() == QLatin1String("rPh")) {
                --phonetic;
            }
        }
    }
    return strings;
}

} // namespace

std::optional<Worksheet> ReadFirstWorksheet(const QString &path, QString *error)
{
    Package pkg;
    if (!pkg.open(path, error))
        return std::nullopt;
    const auto sheetPath = firstSheetPath(pkg, error);
    if (!sheetPath)
        return std::nullopt;
    const auto bytes = pkg.read(*sheetPath, error);
    if (!bytes)
        return std::nullopt;
    const QStringList strings = sharedStrings(pkg);

    Worksheet sheet;
    QXmlStreamReader xml(*bytes);
    int row = 0, col = 0;
    QString type;
    QString valueText;
    QString inlineText;
    bool haveValue = false, haveInline = false;
    int nextRow = 1, nextCol = 1;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const auto name = xml.name();
            if (name == QLatin1String("row")) {
                const auto r = xml.attributes().value(QLatin1String("r"));
                bool ok = false;
                const int rr = r.toInt(&ok);
                row = ok && rr >= 1 ? rr : nextRow;
                nextRow = row + 1;
                nextCol = 1;
            } else if (name == QLatin1String("c")) {
                const auto ref = ParseCellReference(xml.attributes().value(QLatin1String("r")));
                if (ref) {
                    row = ref->first;
                    col = ref->second;
                } else {
                    col = nextCol;
                }
                nextCol = col + 1;
                type = xml.attributes().value(QLatin1String("t")).toString();
                valueText.clear();
                inlineText.clear();
                haveValue = haveInline = false;
            } else if (name == QLatin1String("v")) {
                valueText = xml.readElementText();
                haveValue = true;
            } else if (name == QLatin1String("is")) {
                haveInline = true;
            } else if (name == QLatin1String("t") && haveInline) {
                inlineText += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("c")) {
            Value v;
            if (type == QLatin1String("inlineStr")) {
                v = inlineText;
            } else if (type == QLatin1String("s")) {
                bool ok = false;
                const int i = valueText.toInt(&ok);
                if (ok && i >= 0 && i < strings.size())
                    v = strings.at(i);
            } else if (type == QLatin1String("str")) {
                v = valueText;
            } else if (type == QLatin1String("b")) {
                if (haveValue)
                    v = valueText.trimmed() == QLatin1String("1");
            } else if (type == QLatin1String("e")) {
                v = std::monostate(); // an error value (#DIV/0! and the like) reads as empty
            } else if (haveValue) {
                bool ok = false;
                const double d = valueText.trimmed().toDouble(&ok);
                if (ok)
                    v = d;
            }
            if (row >= 1 && col >= 1 && !isEmpty(v))
                sheet.set(row, col, std::move(v));
        }
    }
    if (xml.hasError()) {
        if (error)
            *error = QStringLiteral("лист книги поврежден (%1)").arg(xml.errorString());
        return std::nullopt;
    }
    return sheet;
}

} // namespace Xlsx
