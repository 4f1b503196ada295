#include "files/ProjectFile.h"

#include "core/Numbers.h"
#include "checking/Validation.h"
#include "core/MixNumbers.h"
#include "files/Cp1251.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>

namespace ProjectFile {

namespace {

// The text of the number a count line starts with ("3,0" -> "3", " 12" -> "12").
QString countText(const QString &line)
{
    return Num::formatDouble(Num::Val(line));
}

} // namespace

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

    QByteArray bytes;
    for (const QString &line : lines) {
        const auto encoded = Cp1251::encode(line);
        if (!encoded) {
            if (error)
                *error = QStringLiteral("Текст «%1» содержит символы, которые нельзя сохранить в кодировке Windows-1251. "
                                        "Исправьте его и сохраните проект снова.").arg(line);
            return std::nullopt;
        }
        // A value never spans lines: a line break inside a text would shift every later line.
        if (encoded->contains('\r') || encoded->contains('\n')) {
            if (error)
                *error = QStringLiteral("Текст «%1» содержит перевод строки; такой текст нельзя сохранить в файле проекта.")
                             .arg(line.simplified());
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Не удалось сохранить файл «%1»: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    if (file.write(*bytes) != bytes->size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Не удалось сохранить файл «%1»: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        file.cancelWriting();
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
            *error = QStringLiteral("Не удалось открыть файл «%1»: %2").arg(shown, file.errorString());
        return std::nullopt;
    }
    if (file.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("Файл «%1» слишком велик для файла проекта (больше 1 МБ).").arg(shown);
        return std::nullopt;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("Файл «%1» слишком велик для файла проекта (больше 1 МБ).").arg(shown);
        return std::nullopt;
    }
    return parseProject(bytes, shown, current, error);
}

std::optional<ProjectDocument> parseProject(const QByteArray &bytes, const QString &shown, const ProjectDocument &current,
                                            QString *error)
{
    auto refuse = [&](const QString &why) -> std::optional<ProjectDocument> {
        if (error)
            *error = QStringLiteral("Файл «%1» не открыт: %2").arg(shown, why);
        return std::nullopt;
    };
    if (bytes.size() > MaxFileSize)
        return refuse(QStringLiteral("он больше 1 МБ."));
    if (bytes.contains('\0'))
        return refuse(QStringLiteral("это не текстовый файл."));
    const auto text = Cp1251::decode(bytes);
    if (!text)
        return refuse(QStringLiteral("это не текст в кодировке Windows-1251."));

    // Lines end with CR LF; a file edited elsewhere may end them with LF alone.
    QString body = *text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = body.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    // Check the whole file before anything changes.
    if (lines.size() < 2)
        return refuse(QStringLiteral("файл кончается раньше, чем указано число компонентов."));
    const double nValue = Num::Val(lines[1]);
    if (nValue != std::floor(nValue) || nValue < 1 || nValue > MaxComponents)
        return refuse(QStringLiteral("число компонентов (строка 2: «%1») должно быть от 1 до 10.").arg(lines[1]));
    const int n = int(nValue);
    const int kLine = 2 + 2 * n + 1; // 0-based index of the K line
    if (lines.size() <= kLine)
        return refuse(QStringLiteral("файл кончается раньше, чем указано число типоразмеров частиц."));
    const double kValue = Num::Val(lines[kLine]);
    if (kValue != std::floor(kValue) || kValue < 2 || kValue > MaxClasses)
        return refuse(QStringLiteral("число типоразмеров частиц (строка %1: «%2») должно быть от 2 до 50.")
                          .arg(kLine + 1).arg(lines[kLine]));
    const int k = int(kValue);
    const int kindLine = kLine + 1 + k + k * n + n;
    const int needed = 10 + 3 * n + 2 * k + k * n;
    if (lines.size() <= kindLine)
        return refuse(QStringLiteral("в файле %1 строк, а для N = %2 и K = %3 нужно %4.")
                          .arg(lines.size()).arg(n).arg(k).arg(needed));
    const bool manual = Num::Val(lines[kindLine]) == 5.0;
    const int lastRead = manual ? needed : needed - k;
    if (lines.size() < lastRead)
        return refuse(QStringLiteral("в файле %1 строк, а для N = %2 и K = %3 нужно %4.")
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
    return d;
}

} // namespace ProjectFile
