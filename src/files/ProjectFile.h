#pragma once

// The project file: Windows-1251 text, one value per line, CR LF after every line, no keys.
// Its meaning follows from the position of each line and the two counts N (line 2) and K:
//
//   1 name | 2 N | N names | N densities | 1 data form | 1 K | K sizes | K*N values (class by
//   class) | N base recipe | 1 reference kind | 5 coefficients | K manual reference values
//
// 10 + 3N + 2K + K*N lines in all.

#include "core/MixProject.h"

#include <QString>

namespace ProjectFile {

// Largest file opening accepts.
inline constexpr qint64 MaxFileSize = 1024 * 1024;

// Writes the project to `path` through a temporary file in the same folder, renamed over the
// target only when every write, the flush and the closing succeeded (SafeSave). Refuses
// (writing nothing) a text that Windows-1251 cannot hold. On failure `error` names the file and
// the reason, the target is untouched and no temporary file is left.
bool SaveProject(const MixProject &project, const QString &path, QString *error);

// The file's bytes as SaveProject writes them.
std::optional<QByteArray> ProjectBytes(const MixProject &project, QString *error);

// How a file's bytes are read: Windows-1251, as the program writes, or UTF-8 when a text editor
// saved it so (a UTF-8 byte-order mark, or valid UTF-8 with non-ASCII characters).
enum class Encoding { Cp1251, Utf8, BrokenUtf8 };
Encoding DetectEncoding(const QByteArray &bytes);

// Reads and checks the whole file, then loads it into the project as the window does and runs
// the closing steps (corrected recipe := base recipe, sliders following, locks released,
// Recalculate). Lines may end with CR LF, LF or CR. A file that cannot be read, is neither
// Windows-1251 nor UTF-8 text, is larger than 1 MiB, ends before the lines its counts announce,
// or announces N or K that are not whole numbers in 1..10 and 2..50 is refused with `error`
// set, and the project is left untouched.
bool LoadProject(MixProject &project, const QString &path, QString *error);

// The same from bytes already read (`name` is used in messages).
bool LoadProjectBytes(MixProject &project, const QByteArray &bytes, const QString &name, QString *error);

// Why a file cannot be opened for reading, in Russian ("файл не найден").
QString OpenFailureReason(const QString &path);

// The closing steps of opening, also run after a cancelled open dialog.
void LoadClosingSteps(MixProject &project);

} // namespace ProjectFile
