#include "files/ProjectFile.h"

#include "core/Numbers.h"
#include "checking/Validation.h"
#include "core/MixNumbers.h"
#include "files/Cp1251.h"
#include "files/SafeSave.h"

#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ProjectFile)
};

} // namespace

namespace ProjectFile {

namespace {

// The text of the number a count line starts with ("3,0" -> "3", " 12" -> "12").
QString countText(const QString &line)
{
    return Num::formatDouble(Num::Val(line));
}

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// A line as a message quotes it: a long one is cut.
QString quoted(const QString &line)
{
    return line.size() > 40 ? line.left(40) + u'…' : line;
}

const QString PricePrefix = QStringLiteral("price.");
const QString LowerPrefix = QStringLiteral("envelope.lower.");
const QString UpperPrefix = QStringLiteral("envelope.upper.");

// The section after the last block: the marker, then a line per cell of the optional inputs that
// holds a text, then the lines this version did not know. Nothing when all of it is empty.
QStringList sectionLines(const ProjectDocument &d)
{
    QStringList lines;
    const int n = d.componentCount;
    const int k = std::clamp(d.classCount(), 0, ProjectDocument::MaxTableClasses);
    for (int i = 1; i <= n; ++i)
        if (!d.price(i).isEmpty())
            lines << PricePrefix + Num::formatInt(i) + u'=' + d.price(i).text();
    for (int j = 1; j <= k; ++j) {
        if (!d.envelopeLower(j).isEmpty())
            lines << LowerPrefix + Num::formatInt(j) + u'=' + d.envelopeLower(j).text();
        if (!d.envelopeUpper(j).isEmpty())
            lines << UpperPrefix + Num::formatInt(j) + u'=' + d.envelopeUpper(j).text();
    }
    lines << d.unknownSectionLines;
    if (lines.isEmpty())
        return lines;
    lines.prepend(QString::fromLatin1(SectionMarker));
    return lines;
}

// The index of a "<prefix><index>=" line within 1..last, and its value.
std::optional<std::pair<int, QString>> keyedLine(const QString &line, const QString &prefix, int last)
{
    if (!line.startsWith(prefix))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=', prefix.size());
    if (equals < 0)
        return std::nullopt;
    const QStringView digits = QStringView(line).mid(prefix.size(), equals - prefix.size());
    if (digits.isEmpty() || digits.size() > 3 || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const int index = digits.toInt();
    if (index < 1 || index > last || (digits.size() > 1 && digits.front() == u'0'))
        return std::nullopt;
    return std::make_pair(index, line.mid(equals + 1));
}

// Reads the section's lines into the document.
void readSection(const QStringList &lines, qsizetype from, int n, int k, ProjectDocument &d)
{
    std::array<bool, MaxComponents + 1> price{};
    std::array<bool, MaxClasses + 1> lower{}, upper{};
    for (qsizetype at = from; at < lines.size(); ++at) {
        const QString &line = lines[at];
        // A known cell with an empty value says what its absence says (no price, no limit) and is
        // not written back; it claims nothing, so that a later line for the same cell is read
        // now as it will be read after saving.
        const auto empty = [&](const QString &prefix, int last) {
            const auto keyed = keyedLine(line, prefix, last);
            return keyed && keyed->second.isEmpty();
        };
        if (empty(PricePrefix, n) || empty(LowerPrefix, k) || empty(UpperPrefix, k))
            continue;
        if (const auto p = keyedLine(line, PricePrefix, n); p && !price[size_t(p->first)]) {
            price[size_t(p->first)] = true;
            d.setCell(InputTable::Prices, 1, p->first - 1, p->second);
        } else if (const auto lo = keyedLine(line, LowerPrefix, k); lo && !lower[size_t(lo->first)]) {
            lower[size_t(lo->first)] = true;
            d.setCell(InputTable::Envelope, 1, lo->first, lo->second);
        } else if (const auto hi = keyedLine(line, UpperPrefix, k); hi && !upper[size_t(hi->first)]) {
            upper[size_t(hi->first)] = true;
            d.setCell(InputTable::Envelope, 2, hi->first, hi->second);
        } else {
            d.unknownSectionLines << line;
        }
    }
}

} // namespace

Encoding detectEncoding(const QByteArray &bytes)
{
    const bool bom = bytes.startsWith(Utf8Bom);
    bool nonAscii = false;
    for (const char c : bytes)
        if (uchar(c) >= 0x80) {
            nonAscii = true;
            break;
        }
    if (!bom && !nonAscii)
        return Encoding::Cp1251; // plain ASCII reads the same either way
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bom ? bytes.mid(3) : bytes);
    if (!utf8.hasError())
        return Encoding::Utf8;
    return bom ? Encoding::BrokenUtf8 : Encoding::Cp1251;
}

std::optional<QByteArray> projectBytes(const ProjectDocument &d, const MixNumbers &x, QString *error)
{
    const int n = d.componentCount;
    const int k = d.classCount();
    QStringList lines;
    lines << d.name << Num::formatInt(n);
    for (int i = 1; i <= n; ++i)
        lines << d.componentName(i).text();
    for (int i = 1; i <= n; ++i)
        lines << d.density(i).text();
    lines << Num::formatInt(int(d.dataForm));
    lines << d.classCountText;
    for (int j = 1; j <= k; ++j)
        lines << d.size(j).text();
    for (int j = 1; j <= k; ++j)
        for (int i = 1; i <= n; ++i)
            lines << d.composition(j, i).text();
    for (int i = 1; i <= n; ++i)
        lines << d.baseRecipe(i).text();
    lines << Num::formatInt(int(d.referenceKind));
    for (int c = 0; c < CoefficientCount; ++c)
        lines << d.coefficients[size_t(c)].text();
    // The reference as its table shows it: typed by hand, or the equation's values.
    for (int j = 1; j <= k; ++j)
        lines << Validation::referenceCellText(d, x, j);
    lines << sectionLines(d);

    QByteArray bytes;
    for (const QString &line : lines) {
        const auto encoded = Cp1251::encode(line);
        if (!encoded) {
            if (error)
                *error = Texts::tr("Текст «%1» содержит символы, которые нельзя сохранить в кодировке Windows-1251. "
                                   "Исправьте его и сохраните проект снова.").arg(quoted(line));
            return std::nullopt;
        }
        // A value never spans lines: a line break inside a text would shift every later line.
        if (encoded->contains('\r') || encoded->contains('\n')) {
            if (error)
                *error = Texts::tr("Текст «%1» содержит перевод строки; такой текст нельзя сохранить в файле проекта.")
                             .arg(quoted(line.simplified()));
            return std::nullopt;
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

bool saveProject(const ProjectDocument &d, const MixNumbers &x, const QString &path, QString *error)
{
    const auto bytes = projectBytes(d, x, error);
    if (!bytes)
        return false;
    const bool existed = QFileInfo::exists(path);
    QString why;
    if (!SafeSave::WriteFile(path, *bytes, &why)) {
        if (error)
            *error = Texts::tr("Не удалось сохранить файл «%1»: %2.%3")
                         .arg(QDir::toNativeSeparators(path), why,
                              existed ? Texts::tr(" Прежнее содержимое файла не изменено.") : QString());
        return false;
    }
    return true;
}

std::optional<ProjectDocument> readProject(const QString &path, const ProjectDocument &current, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = Texts::tr("Не удалось открыть файл «%1»: %2.").arg(shown, openFailureReason(path));
        return std::nullopt;
    }
    if (file.size() > MaxFileSize) {
        if (error)
            *error = Texts::tr("Файл «%1» слишком велик для файла проекта (больше 1 МБ).").arg(shown);
        return std::nullopt;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        if (error)
            *error = Texts::tr("Файл «%1» слишком велик для файла проекта (больше 1 МБ).").arg(shown);
        return std::nullopt;
    }
    return parseProject(bytes, shown, current, error);
}

std::optional<ProjectDocument> parseProject(const QByteArray &bytes, const QString &shown, const ProjectDocument &current,
                                            QString *error)
{
    auto refuse = [&](const QString &why) -> std::optional<ProjectDocument> {
        if (error)
            *error = Texts::tr("Файл «%1» не открыт: %2").arg(shown, why);
        return std::nullopt;
    };
    if (bytes.size() > MaxFileSize)
        return refuse(Texts::tr("он больше 1 МБ."));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return refuse(Texts::tr("он сохранен в кодировке UTF-16; сохраните его в кодировке Windows-1251 или UTF-8."));
    if (bytes.contains('\0'))
        return refuse(Texts::tr("это не текстовый файл."));
    QString body;
    switch (detectEncoding(bytes)) {
    case Encoding::Utf8:
        body = QString::fromUtf8(bytes.startsWith(Utf8Bom) ? bytes.mid(3) : bytes);
        break;
    case Encoding::BrokenUtf8:
        return refuse(Texts::tr("он начинается с метки UTF-8, но дальше не является текстом UTF-8."));
    case Encoding::Cp1251:
        if (const auto text = Cp1251::decode(bytes))
            body = *text;
        else
            return refuse(Texts::tr("это не текст в кодировке Windows-1251."));
        break;
    }

    // Lines end with CR LF; a file edited elsewhere may end them with LF or CR alone. No value
    // holds a line break (saving refuses one), so every CR and LF ends a line.
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(u'\r', u'\n');
    QStringList lines = body.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    // Check the whole file before anything changes.
    if (lines.size() < 2)
        return refuse(Texts::tr("файл кончается раньше, чем указано число компонентов."));
    const double nValue = Num::Val(lines[1]);
    if (nValue != std::floor(nValue))
        return refuse(Texts::tr("число компонентов (строка 2: «%1») должно быть целым.").arg(quoted(lines[1])));
    if (nValue < 1 || nValue > MaxComponents)
        return refuse(Texts::tr("число компонентов (строка 2: «%1») должно быть от 1 до 10.").arg(quoted(lines[1])));
    const int n = int(nValue);
    const int kLine = 2 + 2 * n + 1; // 0-based index of the K line
    if (lines.size() <= kLine)
        return refuse(Texts::tr("файл кончается раньше, чем указано число типоразмеров частиц."));
    const double kValue = Num::Val(lines[kLine]);
    if (kValue != std::floor(kValue))
        return refuse(Texts::tr("число типоразмеров частиц (строка %1: «%2») должно быть целым.")
                          .arg(kLine + 1).arg(quoted(lines[kLine])));
    if (kValue < 2 || kValue > MaxClasses)
        return refuse(Texts::tr("число типоразмеров частиц (строка %1: «%2») должно быть от 2 до 50.")
                          .arg(kLine + 1).arg(quoted(lines[kLine])));
    const int k = int(kValue);
    const int kindLine = kLine + 1 + k + k * n + n;
    const int needed = 10 + 3 * n + 2 * k + k * n;
    if (lines.size() <= kindLine)
        return refuse(Texts::tr("в файле %1 строк, а для N = %2 и K = %3 нужно %4.")
                          .arg(lines.size()).arg(n).arg(k).arg(needed));
    const bool manual = Num::Val(lines[kindLine]) == 5.0;
    const int lastRead = manual ? needed : needed - k;
    if (lines.size() < lastRead)
        return refuse(Texts::tr("в файле %1 строк, а для N = %2 и K = %3 нужно %4.")
                          .arg(lines.size()).arg(n).arg(k).arg(lastRead));

    // The project, line by line. An unknown data-form or reference code keeps the current one.
    ProjectDocument d;
    d.dataForm = current.dataForm;
    d.referenceKind = current.referenceKind;
    int at = 0;
    auto next = [&]() -> const QString & { return lines[at++]; };
    d.name = next();
    d.componentCount = int16_t(Num::Val(next()));
    for (int i = 1; i <= n; ++i)
        d.setCell(InputTable::Names, 1, i - 1, next());
    for (int i = 1; i <= n; ++i)
        d.setCell(InputTable::Densities, 1, i - 1, next());
    const double form = Num::Val(next());
    if (form == 1.0)
        d.dataForm = GrainDataForm::Integral;
    else if (form == 2.0)
        d.dataForm = GrainDataForm::Differential;
    d.classCountText = countText(next());
    for (int j = 1; j <= k; ++j)
        d.setCell(InputTable::Compositions, j, 0, next());
    for (int j = 1; j <= k; ++j)
        for (int i = 1; i <= n; ++i)
            d.setCell(InputTable::Compositions, j, i, next());
    for (int i = 1; i <= n; ++i)
        d.setCell(InputTable::BaseRecipe, 1, i - 1, next());
    const double kind = Num::Val(next());
    if (kind >= 1 && kind <= 5 && kind == std::floor(kind))
        d.referenceKind = ReferenceKind(int(kind));
    for (int c = 0; c < CoefficientCount; ++c)
        d.coefficients[size_t(c)] = next();
    if (kind == 5.0)
        for (int j = 1; j <= k; ++j)
            d.setCell(InputTable::Reference, 1, j, next());
    // The optional section follows the last block; its marker is looked for from the first line
    // the layout does not need (an equation's reference values may be missing).
    const qsizetype marker = lines.indexOf(QString::fromLatin1(SectionMarker), lastRead);
    if (marker >= 0)
        readSection(lines, marker + 1, n, k, d);
    return d;
}

QString openFailureReason(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Texts::tr("файл не найден");
    if (info.isDir())
        return Texts::tr("это папка, а не файл");
    if (!info.isReadable())
        return Texts::tr("нет прав на чтение файла");
    return Texts::tr("файл не удается прочитать");
}

} // namespace ProjectFile
