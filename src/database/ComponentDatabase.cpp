#include "database/ComponentDatabase.h"

#include "core/Numbers.h"
#include "database/Xlsx.h"
#include "files/Cp1251.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ComponentDatabase)
};

double round3(double x)
{
    return Num::roundHalfEven(x, 3);
}

// A cell's name as Excel writes it ("M2").
QString cellName(int row, int col)
{
    QString letters;
    for (int c = col; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

// A whole number with its thousands apart ("10 000").
QString grouped(qlonglong n)
{
    QString digits = QString::number(n);
    for (qsizetype i = digits.size() - 3; i > 0 && digits[i - 1].isDigit(); i -= 3)
        digits.insert(i, u' ');
    return digits;
}

// A list of rows for a message, at most ten of them named.
QString rowList(const QStringList &rows)
{
    if (rows.size() <= 10)
        return rows.join(QStringLiteral(", "));
    return rows.mid(0, 10).join(QStringLiteral(", ")) + Texts::tr(" и еще %1").arg(rows.size() - 10);
}

} // namespace

QStringList DatabaseSettingsCandidates(const QString &programFolder)
{
    const QString name = QStringLiteral("app_setups.ini");
    QStringList paths;
    auto add = [&](const QString &folder) {
        if (folder.isEmpty())
            return;
        const QString path = QDir::cleanPath(QDir(folder).filePath(name));
        if (!paths.contains(path))
            paths << path;
    };
    add(programFolder);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!config.isEmpty())
        add(QDir(config).filePath(QStringLiteral("palvex")));
    // An installation keeps its data in share/palvex beside bin/, wherever it was installed.
    if (!programFolder.isEmpty())
        add(QDir(programFolder).filePath(QStringLiteral("../share/palvex")));
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        add(QDir(data).filePath(QStringLiteral("palvex")));
    return paths;
}

QStringList DatabaseSettingsCandidates()
{
    return DatabaseSettingsCandidates(QCoreApplication::applicationDirPath());
}

QString DefaultDatabaseSettingsFile(const QString &programFolder)
{
    const QStringList candidates = DatabaseSettingsCandidates(programFolder);
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return candidate;
    return candidates.value(0);
}

QString DefaultDatabaseSettingsFile()
{
    return DefaultDatabaseSettingsFile(QCoreApplication::applicationDirPath());
}

std::optional<DatabaseSettings> ReadDatabaseSettings(const QString &path, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = Texts::tr("Файл настроек «%1» не найден или не читается.").arg(shown);
        return std::nullopt;
    }
    return ReadDatabaseSettingsBytes(file.read(64 * 1024), shown, error);
}

static_assert(Xlsx::MaxRows == 1048576 && Xlsx::MaxColumns == 16384, "the messages name these limits");

std::optional<DatabaseSettings> ReadDatabaseSettingsBytes(const QByteArray &raw, const QString &shown, QString *error)
{
    const QByteArray bytes = raw.startsWith("\xEF\xBB\xBF") ? raw.mid(3) : raw;
    const auto text = Cp1251::decode(bytes);
    if (!text) {
        if (error)
            *error = Texts::tr("Файл настроек «%1» не является текстом в кодировке Windows-1251.").arg(shown);
        return std::nullopt;
    }
    QString body = *text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(u'\r', u'\n');
    const QStringList lines = body.split(u'\n');
    DatabaseSettings s;
    for (int line = 0; line < 2; ++line) {
        const QString l = line < lines.size() ? lines[line].trimmed() : QString();
        auto refuse = [&](const QString &why) {
            const QString quoted = l.size() > 60 ? l.left(60) + u'…' : l;
            if (error)
                *error = Texts::tr("Файл настроек «%1»: строка %2 («%3») %4").arg(shown).arg(line + 1).arg(quoted, why);
            return std::nullopt;
        };
        const QStringList pairs = l.split(u',');
        const QStringList first = pairs.value(0).split(u':');
        const QStringList second = pairs.value(1).split(u':');
        if (pairs.size() != 2 || first.size() != 2 || second.size() != 2)
            return refuse(Texts::tr("должна иметь вид «строка:столбец,строка:столбец»."));
        // Numbers as the leading-number reader gives them, then checked against the sheet's size.
        auto number = [](const QString &t) { return Num::toInt32(std::clamp(Num::Val(t), -1.0, 1e10)).value_or(0); };
        const int row = number(first[0]);
        const int col1 = number(first[1]);
        const int col2 = number(second[1]); // the row of the second pair is not used
        if (row < 1 || row > Xlsx::MaxRows)
            return refuse(Texts::tr("указывает строку листа «%1»; строки листа нумеруются от 1 до 1 048 576.").arg(first[0].trimmed().left(20)));
        for (const auto &[value, t] : {std::pair{col1, first[1]}, std::pair{col2, second[1]}})
            if (value < 1 || value > Xlsx::MaxColumns)
                return refuse(Texts::tr("указывает столбец листа «%1»; столбцы листа нумеруются от 1 до 16 384.").arg(t.trimmed().left(20)));
        if (line == 0) {
            s.R = row;
            s.C1 = col1;
            s.C2 = col2;
        } else {
            s.S = row;
            s.CN = col1;
            s.CQ = col2;
        }
    }
    if (s.C2 < s.C1) {
        if (error)
            *error = Texts::tr("Файл настроек «%1»: в строке 1 последний столбец размеров сит меньше первого.").arg(shown);
        return std::nullopt;
    }
    return s;
}

QStringList ComponentDatabase::names() const
{
    QStringList n;
    for (const DbComponent &c : components)
        n << c.name;
    return n;
}

std::optional<double> ComponentDatabase::value(int m, int k, CompositionForm f) const
{
    if (m < 1 || m > components.size() || k < 1 || k > MaxDbSizes)
        return std::nullopt;
    return components[m - 1].composition[size_t(k)][size_t(f)];
}

namespace {

// Reads the cells the settings point at, and only those: the size row, and from row S on the
// name, bracket, size and total columns, until the list ends (two empty name cells) or holds
// more components than the program reads.
using SheetReader = std::function<bool(const Xlsx::CellSink &, QString *)>;

std::optional<ComponentDatabase> readDatabase(const SheetReader &read, const QString &shown, const DatabaseSettings &s,
                                              QString *error, QStringList *warnings)
{
    const int K = std::min(s.C2 - s.C1 + 1, MaxDbSizes);
    const int lastSizeCol = s.C1 + K - 1;
    const int totalCol = s.C2 + 1;
    auto componentColumn = [&](int c) { return c == s.CN || c == s.CQ || (c >= s.C1 && c <= lastSizeCol) || c == totalCol; };
    const QString tooMany = Texts::tr("В базе данных «%1» больше %2 строк компонентов (начиная со строки %3); столько программа не читает.")
                                .arg(shown, grouped(MaxDbComponents))
                                .arg(s.S);
    const qsizetype maxCells = qsizetype(MaxDbComponents + 1) * (MaxDbSizes + 3) * 2;

    Xlsx::Worksheet sheet;
    int names = 0;
    int previousName = s.S - 1; // the last row of the list that holds a name
    int lastRow = 0;
    bool ordered = true;
    bool refused = false; // by the limit, with a message of its own
    const Xlsx::CellSink keep = [&](int row, int col, Xlsx::Value &&v, QString *) {
        ordered = ordered && row >= lastRow;
        lastRow = row;
        // Rows come in order in every real sheet: once two name cells in a row were empty and
        // the size row is behind us, nothing further is read.
        if (ordered && row >= s.S && row > s.R && row - previousName >= 3)
            return Xlsx::Next::Stop;
        const bool wanted = (row == s.R && col >= s.C1 && col <= lastSizeCol) || (row >= s.S && componentColumn(col));
        if (!wanted)
            return Xlsx::Next::Continue;
        if (row >= s.S && col == s.CN && !Xlsx::isEmpty(v)) {
            previousName = std::max(previousName, row);
            if (++names > MaxDbComponents) {
                refused = true;
                return Xlsx::Next::Fail;
            }
        }
        if (sheet.size() >= maxCells) {
            refused = true;
            return Xlsx::Next::Fail;
        }
        sheet.set(row, col, std::move(v));
        return Xlsx::Next::Continue;
    };
    QString why;
    if (!read(keep, &why)) {
        if (error)
            *error = refused ? tooMany : Texts::tr("Не удалось прочитать базу данных «%1»: %2.").arg(shown, why);
        return std::nullopt;
    }

    ComponentDatabase db;
    db.sizeCount = K;
    bool anySize = false;
    QStringList badSizes;
    for (int k = 1; k <= db.sizeCount; ++k) {
        db.sizes[size_t(k)] = Xlsx::number(sheet.cell(s.R, s.C1 + k - 1));
        if (const auto d = db.sizes[size_t(k)]) {
            db.maxSize = anySize ? std::max(db.maxSize, *d) : *d;
            db.minSize = anySize ? std::min(db.minSize, *d) : *d;
            anySize = true;
        } else {
            badSizes << cellName(s.R, s.C1 + k - 1);
        }
    }
    if (!anySize) {
        if (error)
            *error = Texts::tr("В базе данных «%1» в строке %2 (столбцы %3–%4) нет размеров сит; проверьте файл настроек app_setups.ini.")
                         .arg(shown)
                         .arg(s.R)
                         .arg(s.C1)
                         .arg(s.C2);
        return std::nullopt;
    }
    QStringList noTotal;
    // Two consecutive empty name cells end the list; single empty rows are passed over.
    for (int r = s.S; r <= sheet.maxRow() + 1; ++r) {
        const bool empty = Xlsx::isEmpty(sheet.cell(r, s.CN));
        if (empty && Xlsx::isEmpty(sheet.cell(r + 1, s.CN)))
            break;
        if (empty)
            continue;
        DbComponent c;
        c.row = r;
        c.name = Xlsx::text(sheet.cell(r, s.CN)) + QStringLiteral(" [") + Xlsx::text(sheet.cell(r, s.CQ)) + u']';
        c.totalMass = Xlsx::number(sheet.cell(r, totalCol));
        const double T = c.totalMass.value_or(0.0);
        // Percentages and passings need a total mass; without one they stay empty.
        const bool total = T != 0.0 && std::isfinite(T);
        if (!total)
            noTotal << QStringLiteral("%1 («%2»)").arg(r).arg(Xlsx::text(sheet.cell(r, s.CN)));
        double fullResidue = 0.0;
        std::array<double, MaxDbSizes + 1> fr{};
        for (int k = K; k >= 1; --k) {
            fullResidue += Xlsx::number(sheet.cell(r, s.C1 + k - 1)).value_or(0.0);
            fr[size_t(k)] = fullResidue;
        }
        for (int k = 1; k <= K; ++k) {
            auto &f = c.composition[size_t(k)];
            f[1] = Xlsx::number(sheet.cell(r, s.C1 + k - 1));
            f[3] = fr[size_t(k)];
            if (!total)
                continue;
            const float t = float(T);
            const float pr = float(f[1].value_or(0.0));
            const float q2 = (pr * 100.0f) / t;
            if (std::isfinite(q2))
                f[2] = round3(double(q2));
            const float q4 = (float(fr[size_t(k)]) * 100.0f) / t;
            if (std::isfinite(q4))
                f[4] = round3(double(q4));
            if (std::isfinite(T - fr[size_t(k)]))
                f[5] = round3(T - fr[size_t(k)]);
            if (f[4])
                f[6] = round3(100.0 - *f[4]);
        }
        db.maxTotalMass = db.components.isEmpty() ? T : std::max(db.maxTotalMass, T);
        db.components << c;
    }
    if (warnings) {
        if (badSizes.size() == 1)
            *warnings << Texts::tr("В базе данных «%1» размер сита в ячейке %2 пуст или не является числом; проверьте файл настроек app_setups.ini.")
                             .arg(shown, badSizes[0]);
        else if (!badSizes.isEmpty())
            *warnings << Texts::tr("В базе данных «%1» размеры сит в ячейках %2 пусты или не являются числами; проверьте файл настроек app_setups.ini.")
                             .arg(shown, rowList(badSizes));
        if (noTotal.size() == 1)
            *warnings << Texts::tr("В базе данных «%1» у компонента в строке %2 нет общей массы пробы (ячейка в столбце %3 пуста, не число или 0): "
                                   "его проценты и проходы не рассчитаны. Проверьте базу данных и файл настроек app_setups.ini.")
                             .arg(shown, noTotal[0])
                             .arg(totalCol);
        else if (!noTotal.isEmpty())
            *warnings << Texts::tr("В базе данных «%1» у компонентов в строках %2 нет общей массы пробы (столбец %3 пуст, не число или 0): "
                                   "их проценты и проходы не рассчитаны. Проверьте базу данных и файл настроек app_setups.ini.")
                             .arg(shown, rowList(noTotal))
                             .arg(totalCol);
    }
    return db;
}

} // namespace

std::optional<ComponentDatabase> ReadComponentDatabase(const QString &path, const DatabaseSettings &s, QString *error,
                                                       QStringList *warnings)
{
    const SheetReader read = [&path](const Xlsx::CellSink &sink, QString *why) { return Xlsx::ReadFirstWorksheet(path, sink, why); };
    return readDatabase(read, QDir::toNativeSeparators(path), s, error, warnings);
}

std::optional<ComponentDatabase> ReadComponentDatabaseBytes(const QByteArray &bytes, const QString &shown,
                                                            const DatabaseSettings &s, QString *error, QStringList *warnings)
{
    const SheetReader read = [&bytes](const Xlsx::CellSink &sink, QString *why) { return Xlsx::ReadFirstWorksheetBytes(bytes, sink, why); };
    return readDatabase(read, shown, s, error, warnings);
}
