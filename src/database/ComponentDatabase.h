#pragma once

// The component database: sieve analyses read from the first worksheet of a workbook, one
// component per row, turned into six forms of grain composition. Where the data lie in the
// worksheet comes from the settings file "app_setups.ini".

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The six forms of grain composition, in the order of the preview's form list.
enum class CompositionForm : int {
    PartialResidueGrams = 1,
    PartialResiduePercent = 2,
    FullResidueGrams = 3,
    FullResiduePercent = 4,
    FullPassingGrams = 5,
    FullPassingPercent = 6,
};

inline constexpr int MaxDbSizes = 50;
// A database with more component rows than this is refused before they are read.
inline constexpr int MaxDbComponents = 10000;

// "app_setups.ini": line 1 "R:C1,any:C2" (sizes in row R, columns C1..C2), line 2 "S:CN,any:CQ"
// (components from row S on, names in column CN, bracket texts in column CQ).
struct DatabaseSettings
{
    int R = 0, C1 = 0, C2 = 0;
    int S = 0, CN = 0, CQ = 0;
};

// Reads the settings; on failure `error` names the file and the line that is wrong. Rows run
// 1..1 048 576 and columns 1..16 384, as in a worksheet; the row of each line's second pair is
// not used and may be anything. A UTF-8 byte-order mark at the start is skipped.
std::optional<DatabaseSettings> ReadDatabaseSettings(const QString &path, QString *error);
// The same from the file's bytes (`shown` names the file in messages).
std::optional<DatabaseSettings> ReadDatabaseSettingsBytes(const QByteArray &bytes, const QString &shown, QString *error);
// Where the settings file is looked up, in order: beside the program; in the user's
// configuration folder ("palvex" in ~/.config, %LOCALAPPDATA%, ~/Library/Preferences); in the
// installation's data folder (share/palvex beside the program's bin/), then in the system's
// data folders (/usr/local/share/palvex, /usr/share/palvex).
QStringList DatabaseSettingsCandidates(const QString &programFolder);
QStringList DatabaseSettingsCandidates(); // for the running program's folder
// The first of them that exists (the first of them when none does).
QString DefaultDatabaseSettingsFile(const QString &programFolder);
QString DefaultDatabaseSettingsFile();

struct DbComponent
{
    QString name;                       // "Name [bracket]"
    std::optional<double> totalMass;
    int row = 0;                        // the worksheet row it was read from
    // composition[k][f]: size class k = 1..K_db, form f = 1..6; empty where not computable
    // (forms 2, 4, 5 and 6 without a total mass above zero).
    std::array<std::array<std::optional<double>, 7>, MaxDbSizes + 1> composition{};
};

struct ComponentDatabase
{
    int sizeCount = 0;                                      // DbSizeCount
    std::array<std::optional<double>, MaxDbSizes + 1> sizes{}; // DbSizes, ascending as read
    double maxSize = 0, minSize = 0;                        // DbMaxSize, DbMinSize
    double maxTotalMass = 0;                                // DbMaxTotalMass
    QList<DbComponent> components;                          // DbComponentCount = size()

    QStringList names() const;
    std::optional<double> value(int m, int k, CompositionForm f) const; // m = 1..M
};

// Reads the workbook at `path` with the given settings. On failure `error` says why and no
// database is returned. A database that reads but looks wrong (sizes that are not numbers,
// components without a total mass, whose percentages and passings stay empty) adds its
// messages to `warnings`, each naming the rows concerned.
std::optional<ComponentDatabase> ReadComponentDatabase(const QString &path, const DatabaseSettings &settings, QString *error,
                                                       QStringList *warnings = nullptr);
// The same from the workbook's bytes (`shown` names the file in messages).
std::optional<ComponentDatabase> ReadComponentDatabaseBytes(const QByteArray &bytes, const QString &shown,
                                                            const DatabaseSettings &settings, QString *error,
                                                            QStringList *warnings = nullptr);
