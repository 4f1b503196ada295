#include "database/Xlsx.h"

#include "core/Numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Xlsx)
};

} // namespace

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
        return *b ? Texts::tr("Истина") : Texts::tr("Ложь");
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
    const auto it = m_cells.find(key(row, col));
    return it == m_cells.end() ? Value() : it->second;
}

void Worksheet::set(int row, int col, Value v)
{
    m_cells.insert_or_assign(key(row, col), std::move(v));
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

QString zipOpenProblem(int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
        return Texts::tr("это не книга Excel (.xlsx) или файл поврежден");
    case ZIP_ER_NOENT:
        return Texts::tr("файл не найден");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return Texts::tr("файл не удается прочитать");
    case ZIP_ER_MEMORY:
        return Texts::tr("не хватает памяти");
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
        return Texts::tr("книга сжата или зашифрована способом, который программа не читает");
    default:
        return Texts::tr("архив книги не читается (ошибка архива № %1)").arg(code);
    }
}

static_assert(MaxUnpackedSize == 24 * 1024 * 1024, "the message names the limit");

QString tooLarge()
{
    return Texts::tr("книга распаковывается в слишком большой объем (больше 24 МБ)");
}

class Package
{
public:
    bool open(const QString &path, QString *error)
    {
#ifdef Q_OS_WIN
        // Windows opens the file by its Unicode name; the 8-bit one would lose Cyrillic folders.
        zip_error_t e;
        zip_error_init(&e);
        const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
        zip_source_t *src = zip_source_win32w_create(name.c_str(), 0, -1, &e);
        zip_t *z = src ? zip_open_from_source(src, ZIP_RDONLY, &e) : nullptr;
        const int code = zip_error_code_zip(&e);
        if (!z && src)
            zip_source_free(src);
        zip_error_fini(&e);
#else
        int code = 0;
        zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
#endif
        if (!z) {
            if (error)
                *error = zipOpenProblem(code);
            return false;
        }
        return adopt(z, error);
    }

    bool open(const QByteArray &bytes, QString *error)
    {
        m_bytes = bytes;
        zip_error_t e;
        zip_error_init(&e);
        zip_source_t *src = zip_source_buffer_create(m_bytes.constData(), zip_uint64_t(m_bytes.size()), 0, &e);
        zip_t *z = src ? zip_open_from_source(src, ZIP_RDONLY, &e) : nullptr;
        if (!z) {
            if (error)
                *error = zipOpenProblem(zip_error_code_zip(&e));
            if (src)
                zip_source_free(src);
            zip_error_fini(&e);
            return false;
        }
        zip_error_fini(&e);
        return adopt(z, error);
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
                *error = Texts::tr("в книге нет части %1").arg(part);
            return std::nullopt;
        }
        if (st.size > m_budget) {
            if (error)
                *error = tooLarge();
            return std::nullopt;
        }
        m_budget -= st.size;
        zip_file_t *f = zip_fopen(m_zip.get(), part.toUtf8().constData(), 0);
        if (!f) {
            if (error)
                *error = Texts::tr("часть %1 книги повреждена").arg(part);
            return std::nullopt;
        }
        QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t got = st.size > 0 ? zip_fread(f, bytes.data(), st.size) : 0;
        zip_fclose(f);
        if (got != zip_int64_t(st.size)) {
            if (error)
                *error = Texts::tr("часть %1 книги повреждена").arg(part);
            return std::nullopt;
        }
        return bytes;
    }

    // The part read piece by piece, so that a large sheet never sits in memory whole.
    // Bytes read; 0 at the end; Damaged, or TooLarge once the parts read exceed the limit.
    using Pull = std::function<qint64(char *, qint64)>;
    static constexpr qint64 Damaged = -1;
    static constexpr qint64 TooLarge = -2;
    std::optional<Pull> stream(const QString &name, QString *error)
    {
        zip_stat_t st;
        zip_stat_init(&st);
        const QByteArray part = name.toUtf8();
        if (zip_stat(m_zip.get(), part.constData(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
            if (error)
                *error = Texts::tr("в книге нет части %1").arg(name);
            return std::nullopt;
        }
        zip_file_t *f = zip_fopen(m_zip.get(), part.constData(), 0);
        if (!f) {
            if (error)
                *error = Texts::tr("часть %1 книги повреждена").arg(name);
            return std::nullopt;
        }
        m_open.emplace_back(f);
        auto left = std::make_shared<zip_uint64_t>(st.size);
        return Pull([this, f, left](char *buf, qint64 cap) -> qint64 {
            const zip_uint64_t want = std::min<zip_uint64_t>(*left, zip_uint64_t(cap));
            if (want == 0)
                return 0;
            if (want > m_budget)
                return TooLarge; // checked as it goes: reading stops where the limit is reached
            const zip_int64_t got = zip_fread(f, buf, want);
            if (got <= 0)
                return Damaged; // the part ends before its stated size, or does not unpack
            *left -= zip_uint64_t(got);
            m_budget -= zip_uint64_t(got);
            return got;
        });
    }

private:
    struct FileCloser
    {
        void operator()(zip_file_t *f) const { zip_fclose(f); }
    };

    bool adopt(zip_t *z, QString *)
    {
        m_zip.reset(z);
        return true;
    }

    zip_uint64_t m_budget = zip_uint64_t(MaxUnpackedSize); // what the parts read may still unpack to
    QByteArray m_bytes; // the archive, when it was opened from memory
    std::unique_ptr<zip_t, ZipCloser> m_zip;
    std::vector<std::unique_ptr<zip_file_t, FileCloser>> m_open; // closed before the archive
};

// Reads one XML part token by token and refuses what no real workbook holds: a DTD (the door
// to entity bombs) and nesting deeper than MaxDepth. Problems are worded in Russian.
class PartReader
{
public:
    // `tokens` is what the reading of the whole workbook may still take; shared by its parts.
    PartReader(const QByteArray &xml, const QString &part, qint64 &tokens)
        : m_xml(xml)
        , m_part(part)
        , m_tokens(tokens)
    {
        m_xml.setEntityExpansionLimit(0);
    }
    // The part handed over piece by piece by `pull`.
    PartReader(Package::Pull pull, const QString &part, qint64 &tokens)
        : m_part(part)
        , m_pull(std::move(pull))
        , m_tokens(tokens)
    {
        m_xml.setEntityExpansionLimit(0);
    }

    // The next token; Invalid at the end of the part or on a failure (see failed()).
    QXmlStreamReader::TokenType next()
    {
        if (!m_problem.isEmpty())
            return QXmlStreamReader::Invalid;
        auto token = m_xml.readNext();
        while (token == QXmlStreamReader::Invalid && m_pull && m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
            QByteArray chunk(256 * 1024, Qt::Uninitialized);
            const qint64 got = m_pull(chunk.data(), chunk.size());
            if (got == Package::TooLarge) {
                m_problem = tooLarge();
                return QXmlStreamReader::Invalid;
            }
            if (got < 0) {
                m_problem = Texts::tr("часть %1 книги повреждена: она не распаковывается").arg(m_part);
                return QXmlStreamReader::Invalid;
            }
            if (got == 0) {
                m_pull = nullptr; // everything was read: the part really ends early
                break;
            }
            chunk.truncate(got);
            m_xml.addData(chunk);
            token = m_xml.readNext();
        }
        if (--m_tokens < 0) {
            m_problem = Texts::tr("в книге больше 4 000 000 элементов XML; столько не бывает даже в базе из 10 000 компонентов");
            return QXmlStreamReader::Invalid;
        }
        switch (token) {
        case QXmlStreamReader::DTD:
            m_problem = Texts::tr("часть %1 объявляет DTD, чего в книгах Excel не бывает; такая книга не читается").arg(m_part);
            return QXmlStreamReader::Invalid;
        case QXmlStreamReader::StartElement:
            if (++m_depth > MaxDepth) {
                m_problem = Texts::tr("в части %1 элементы вложены глубже %2 уровней, чего в книгах Excel не бывает")
                                .arg(m_part)
                                .arg(MaxDepth);
                return QXmlStreamReader::Invalid;
            }
            break;
        case QXmlStreamReader::EndElement:
            --m_depth;
            break;
        case QXmlStreamReader::Invalid:
            if (m_xml.hasError())
                m_problem = Texts::tr("часть %1 книги повреждена: %2").arg(m_part, xmlProblem());
            break;
        default:
            break;
        }
        return token;
    }

    bool atEnd() const
    {
        if (!m_problem.isEmpty())
            return true;
        // Out of data so far is not the end while more of the part is still to come.
        return m_xml.atEnd() && !(m_pull && m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError);
    }
    bool failed() const { return !m_problem.isEmpty(); }
    void fail(const QString &problem)
    {
        if (m_problem.isEmpty())
            m_problem = problem;
    }
    const QString &problem() const { return m_problem; }
    const QXmlStreamReader &xml() const { return m_xml; }
    const QString &part() const { return m_part; }

private:
    QString xmlProblem() const
    {
        switch (m_xml.error()) {
        case QXmlStreamReader::PrematureEndOfDocumentError:
            return Texts::tr("она обрывается раньше своего конца");
        case QXmlStreamReader::NotWellFormedError:
            return Texts::tr("нарушена разметка XML (строка %1, позиция %2)").arg(m_xml.lineNumber()).arg(m_xml.columnNumber());
        case QXmlStreamReader::UnexpectedElementError:
            return Texts::tr("неожиданный элемент XML (строка %1)").arg(m_xml.lineNumber());
        default:
            return Texts::tr("разметка XML не читается (строка %1)").arg(m_xml.lineNumber());
        }
    }

    QXmlStreamReader m_xml;
    QString m_part;
    Package::Pull m_pull;
    qint64 &m_tokens;
    QString m_problem;
    int m_depth = 0;
};

// The text inside an element, child elements included, read without recursion: Begin() when
// the element starts, then every token goes through take() until it returns false.
class ElementText
{
public:
    void begin(QString *target)
    {
        m_target = target;
        m_depth = 1;
    }
    bool active() const { return m_depth > 0; }
    // Takes one token of the element; false once the element has ended.
    bool take(QXmlStreamReader::TokenType token, const QXmlStreamReader &xml)
    {
        if (token == QXmlStreamReader::StartElement)
            ++m_depth;
        else if (token == QXmlStreamReader::EndElement)
            --m_depth;
        else if (token == QXmlStreamReader::Characters && m_target)
            *m_target += xml.text();
        return m_depth > 0;
    }

private:
    QString *m_target = nullptr;
    int m_depth = 0;
};

// The path of the first worksheet in the workbook's own order.
std::optional<QString> firstSheetPath(Package &pkg, qint64 &tokens, QString *error)
{
    const auto workbook = pkg.read(QStringLiteral("xl/workbook.xml"), error);
    if (!workbook)
        return std::nullopt;
    QString rid;
    PartReader xml(*workbook, QStringLiteral("xl/workbook.xml"), tokens);
    while (!xml.atEnd() && rid.isEmpty()) {
        if (xml.next() == QXmlStreamReader::StartElement && xml.xml().name() == QLatin1String("sheet")) {
            for (const QXmlStreamAttribute &a : xml.xml().attributes())
                if (a.name() == QLatin1String("id") && a.prefix().size() > 0)
                    rid = a.value().toString();
        }
    }
    if (xml.failed()) {
        if (error)
            *error = xml.problem();
        return std::nullopt;
    }
    if (rid.isEmpty()) {
        if (error)
            *error = Texts::tr("в книге не найден ни один лист");
        return std::nullopt;
    }
    const auto rels = pkg.read(QStringLiteral("xl/_rels/workbook.xml.rels"), error);
    if (!rels)
        return std::nullopt;
    PartReader r(*rels, QStringLiteral("xl/_rels/workbook.xml.rels"), tokens);
    while (!r.atEnd()) {
        if (r.next() == QXmlStreamReader::StartElement && r.xml().name() == QLatin1String("Relationship")
            && r.xml().attributes().value(QLatin1String("Id")) == rid) {
            const QString target = r.xml().attributes().value(QLatin1String("Target")).toString();
            if (target.startsWith(u'/'))
                return target.mid(1);
            return QDir::cleanPath(QStringLiteral("xl/") + target);
        }
    }
    if (error)
        *error = r.failed() ? r.problem() : Texts::tr("в книге не найден первый лист");
    return std::nullopt;
}

static_assert(MaxSharedStrings == 1000000 && MaxStoredCells == 2000000 && MaxTokens == 4000000, "the messages name these limits");

bool readSharedStrings(PartReader &xml, QStringList &strings, QString *error)
{
    const QString &part = xml.part();
    ElementText text;
    QString current;
    bool inSi = false;
    int phonetic = 0;
    while (!xml.atEnd()) {
        const auto token = xml.next();
        if (text.active()) {
            text.take(token, xml.xml());
            continue;
        }
        if (token == QXmlStreamReader::StartElement) {
            const auto name = xml.xml().name();
            if (name == QLatin1String("si")) {
                inSi = true;
                current.clear();
            } else if (name == QLatin1String("rPh")) {
                ++phonetic;
            } else if (name == QLatin1String("t") && inSi && phonetic == 0) {
                text.begin(&current);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            const auto name = xml.xml().name();
            if (name == QLatin1String("si")) {
                if (strings.size() >= MaxSharedStrings) {
                    xml.fail(Texts::tr("в части %1 больше 1 000 000 строк; столько книга с базой компонентов не содержит").arg(part));
                    break;
                }
                strings << current;
                inSi = false;
            } else if (name == QLatin1String("rPh")) {
                --phonetic;
            }
        }
    }
    if (xml.failed()) {
        if (error)
            *error = xml.problem();
        strings.clear();
        return false;
    }
    return true;
}

bool readSheet(PartReader &xml, const QStringList &strings, const CellSink &sink, QString *error)
{
    const QString &part = xml.part();
    ElementText text;
    int row = 0, col = 0;
    enum class Type { Number, Shared, Inline, Formula, Boolean, Error, Other } type = Type::Number;
    QString valueText;
    QString inlineText;
    bool haveValue = false, haveInline = false;
    int nextRow = 1, nextCol = 1;
    auto outside = [&](int r, int c) {
        xml.fail(Texts::tr("в части %1 есть ячейка за пределами листа (строка %2, столбец %3)").arg(part).arg(r).arg(c));
    };
    while (!xml.atEnd()) {
        const auto token = xml.next();
        if (text.active()) {
            text.take(token, xml.xml());
            continue;
        }
        if (token == QXmlStreamReader::StartElement) {
            const auto name = xml.xml().name();
            if (name == QLatin1String("row")) {
                const auto r = xml.xml().attributes().value(QLatin1String("r"));
                bool ok = false;
                const qlonglong rr = r.toLongLong(&ok);
                row = ok ? int(std::clamp<qlonglong>(rr, 0, qlonglong(MaxRows) + 1)) : nextRow;
                if (row < 1 || row > MaxRows) {
                    outside(row, 1);
                    break;
                }
                nextRow = row + 1;
                nextCol = 1;
            } else if (name == QLatin1String("c")) {
                const QXmlStreamAttributes attributes = xml.xml().attributes();
                const auto ref = ParseCellReference(attributes.value(QLatin1String("r")));
                if (ref) {
                    row = ref->first;
                    col = ref->second;
                } else {
                    col = nextCol;
                }
                if (row < 1 || col > MaxColumns) {
                    outside(row, col);
                    break;
                }
                nextCol = col + 1;
                const QStringView t = attributes.value(QLatin1String("t"));
                type = t.isEmpty() || t == QLatin1String("n") ? Type::Number
                       : t == QLatin1String("s")              ? Type::Shared
                       : t == QLatin1String("inlineStr")      ? Type::Inline
                       : t == QLatin1String("str")            ? Type::Formula
                       : t == QLatin1String("b")              ? Type::Boolean
                       : t == QLatin1String("e")              ? Type::Error
                                                              : Type::Other;
                valueText.clear();
                inlineText.clear();
                haveValue = haveInline = false;
            } else if (name == QLatin1String("v")) {
                valueText.clear();
                text.begin(&valueText);
                haveValue = true;
            } else if (name == QLatin1String("is")) {
                haveInline = true;
            } else if (name == QLatin1String("t") && haveInline) {
                text.begin(&inlineText);
            }
        } else if (token == QXmlStreamReader::EndElement && xml.xml().name() == QLatin1String("c")) {
            Value v;
            const QStringView value = QStringView(valueText).trimmed();
            switch (type) {
            case Type::Inline:
                v = inlineText;
                break;
            case Type::Shared: {
                bool ok = false;
                const int i = value.toInt(&ok);
                if (ok && i >= 0 && i < strings.size())
                    v = strings.at(i);
                break;
            }
            case Type::Formula:
                v = valueText;
                break;
            case Type::Boolean:
                if (haveValue)
                    v = value == QLatin1String("1");
                break;
            case Type::Error: // an error value (#DIV/0! and the like) reads as empty
                break;
            case Type::Number:
            case Type::Other:
                if (haveValue) {
                    bool ok = false;
                    const double d = value.toDouble(&ok);
                    if (ok && std::isfinite(d))
                        v = d;
                }
                break;
            }
            if (row >= 1 && col >= 1 && !isEmpty(v)) {
                const Next next = sink(row, col, std::move(v), error);
                if (next == Next::Stop)
                    return true;
                if (next == Next::Fail)
                    return false;
            }
        }
    }
    if (xml.failed()) {
        if (error)
            *error = xml.problem();
        return false;
    }
    return true;
}

bool readPackage(Package &pkg, const CellSink &sink, QString *error)
{
    qint64 tokens = MaxTokens;
    const auto sheetPath = firstSheetPath(pkg, tokens, error);
    if (!sheetPath)
        return false;

    QStringList strings;
    if (auto shared = pkg.stream(QStringLiteral("xl/sharedStrings.xml"), nullptr)) {
        PartReader xml(std::move(*shared), QStringLiteral("xl/sharedStrings.xml"), tokens);
        if (!readSharedStrings(xml, strings, error))
            return false;
    }
    auto sheet = pkg.stream(*sheetPath, error);
    if (!sheet)
        return false;
    PartReader xml(std::move(*sheet), *sheetPath, tokens);
    return readSheet(xml, strings, sink, error);
}

} // namespace

bool ReadSharedStrings(const QByteArray &bytes, QStringList &strings, QString *error)
{
    qint64 tokens = MaxTokens;
    PartReader xml(bytes, QStringLiteral("xl/sharedStrings.xml"), tokens);
    return readSharedStrings(xml, strings, error);
}

bool ReadSheetXml(const QByteArray &bytes, const QStringList &sharedStrings, const CellSink &sink, QString *error)
{
    qint64 tokens = MaxTokens;
    PartReader xml(bytes, QStringLiteral("xl/worksheets/sheet1.xml"), tokens);
    return readSheet(xml, sharedStrings, sink, error);
}

bool ReadFirstWorksheet(const QString &path, const CellSink &sink, QString *error)
{
    Package pkg;
    return pkg.open(path, error) && readPackage(pkg, sink, error);
}

bool ReadFirstWorksheetBytes(const QByteArray &bytes, const CellSink &sink, QString *error)
{
    Package pkg;
    return pkg.open(bytes, error) && readPackage(pkg, sink, error);
}

std::optional<Worksheet> ReadFirstWorksheet(const QString &path, QString *error)
{
    Worksheet sheet;
    const auto keep = [&sheet](int row, int col, Value &&v, QString *why) {
        if (sheet.size() >= MaxStoredCells) {
            if (why)
                *why = Texts::tr("в листе больше 2 000 000 заполненных ячеек");
            return Next::Fail;
        }
        sheet.set(row, col, std::move(v));
        return Next::Continue;
    };
    if (!ReadFirstWorksheet(path, keep, error))
        return std::nullopt;
    return sheet;
}

} // namespace Xlsx
