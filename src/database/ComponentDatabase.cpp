#include "database/ComponentDatabase.h"

#include "core/Numbers.h"
#include "database/Xlsx.h"
#include "files/Cp1251.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cmath>

namespace {

double round3(double x)
{
    return Num::roundHalfEven(x, 3);
}

// One "row:column" pair of a settings line.
bool readPair(const QString &text, int &row, int &col)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 2)
        return false;
    const auto r = Num::toInt32(Num::Val(parts[0]));
    const auto c = Num::toInt32(Num::Val(parts[1]));
    if (!r || !c || *r < 1 || *c < 1)
        return false;
    row = *r;
    col = *c;
    return true;
}

} // namespace

QStringList DatabaseSettingsCandidates()
{
    QStringList paths;
    const QString appDir = QCoreApplication::applicationDirPath();
    if (!appDir.isEmpty()) {
        paths << QDir(appDir).filePath(QStringLiteral("app_setups.ini"));
        paths << QDir(appDir).filePath(QStringLiteral("../share/palvex/app_setups.ini"));
    }
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        paths << QDir(dir).filePath(QStringLiteral("app_setups.ini"));
    return paths;
}

std::optional<DatabaseSettings> ReadDatabaseSettings(const QString &path, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Файл настроек «%1» не найден или не читается.").arg(shown);
        return std::nullopt;
    }
    const QByteArray bytes = file.read(64 * 1024);
    const auto text = Cp1251::decode(bytes);
    if (!text) {
        if (error)
            *error = QStringLiteral("Файл настроек «%1» не является текстом в кодировке Windows-1251.").arg(shown);
        return std::nullopt;
    }
    QString body = *text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = body.split(u'\n');
    DatabaseSettings s;
    for (int line = 0; line < 2; ++line) {
        const QString l = line < lines.size() ? lines[line].trimmed() : QString();
        const QStringList pairs = l.split(u',');
        int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
        if (pairs.size() != 2 || !readPair(pairs[0], r1, c1) || !readPair(pairs[1], r2, c2)) {
            if (error)
                *error = QStringLiteral("Файл настроек «%1»: строка %2 («%3») должна иметь вид «строка:столбец,строка:столбец».")
                             .arg(shown).arg(line + 1).arg(l);
            return std::nullopt;
        }
        if (line == 0) {
            s.R = r1;
            s.C1 = c1;
            s.C2 = c2;
        } else {
            s.S = r1;
            s.CN = c1;
            s.CQ = c2;
        }
    }
    if (s.C2 < s.C1) {
        if (error)
            *error = QStringLiteral("Файл настроек «%1»: в строке 1 последний столбец размеров сит меньше первого.").arg(shown);
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

std::optional<ComponentDatabase> ReadComponentDatabase(const QString &path, const DatabaseSettings &s, QString *error)
{
    QString why;
    const auto sheet = Xlsx::ReadFirstWorksheet(path, &why);
    if (!sheet) {
        if (error)
            *error = QStringLiteral("Не удалось прочитать базу данных «%1»: %2.").arg(QDir::toNativeSeparators(path), why);
        return std::nullopt;
    }
    ComponentDatabase db;
    db.sizeCount = std::min(s.C2 - s.C1 + 1, MaxDbSizes);
    bool anySize = false;
    for (int k = 1; k <= db.sizeCount; ++k) {
        db.sizes[size_t(k)] = Xlsx::number(sheet->cell(s.R, s.C1 + k - 1));
        if (const auto d = db.sizes[size_t(k)]) {
            db.maxSize = anySize ? std::max(db.maxSize, *d) : *d;
            db.minSize = anySize ? std::min(db.minSize, *d) : *d;
            anySize = true;
        }
    }
    if (!anySize) {
        if (error)
            *error = QStringLiteral("В базе данных «%1» в строке %2 (столбцы %3–%4) нет размеров сит; проверьте файл настроек app_setups.ini.")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(s.R)
                         .arg(s.C1)
                         .arg(s.C2);
        return std::nullopt;
    }
    const int K = db.sizeCount;
    const int totalCol = s.C2 + 1;
    // Two consecutive empty name cells end the list; single empty rows are passed over.
    for (int r = s.S; r <= sheet->maxRow() + 1; ++r) {
        const bool empty = Xlsx::isEmpty(sheet->cell(r, s.CN));
        if (empty && Xlsx::isEmpty(sheet->cell(r + 1, s.CN)))
            break;
        if (empty)
            continue;
        DbComponent c;
        c.name = Xlsx::text(sheet->cell(r, s.CN)) + QStringLiteral(" [") + Xlsx::text(sheet->cell(r, s.CQ)) + u']';
        c.totalMass = Xlsx::number(sheet->cell(r, totalCol));
        const double T = c.totalMass.value_or(0.0);
        double fullResidue = 0.0;
        std::array<double, MaxDbSizes + 1> fr{};
        for (int k = K; k >= 1; --k) {
            fullResidue += Xlsx::number(sheet->cell(r, s.C1 + k - 1)).value_or(0.0);
            fr[size_t(k)] = fullResidue;
        }
        for (int k = 1; k <= K; ++k) {
            auto &f = c.composition[size_t(k)];
            f[1] = Xlsx::number(sheet->cell(r, s.C1 + k - 1));
            const float t = float(T);
            if (t != 0.0f) {
                const float pr = float(f[1].value_or(0.0));
                const float q2 = (pr * 100.0f) / t;
                if (std::isfinite(q2))
                    f[2] = round3(double(q2));
                const float q4 = (float(fr[size_t(k)]) * 100.0f) / t;
                if (std::isfinite(q4))
                    f[4] = round3(double(q4));
            }
            f[3] = fr[size_t(k)];
            f[5] = round3(T - fr[size_t(k)]);
            f[6] = round3(100.0 - f[4].value_or(0.0));
        }
        db.maxTotalMass = db.components.isEmpty() ? T : std::max(db.maxTotalMass, T);
        db.components << c;
    }
    return db;
}
