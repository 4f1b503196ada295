#pragma once

// The project file: Windows-1251 text, one value per line, CR LF after every line, no keys.
// Its meaning follows from the position of each line and the two counts N (line 2) and K:
//
//   1 name | 2 N | N names | N densities | 1 data form | 1 K | K sizes | K*N values (class by
//   class) | N base recipe | 1 reference kind | 5 coefficients | K manual reference values
//
// 10 + 3N + 2K + K*N lines in all. Saving and opening are a plain mapping of the project
// document.
//
// The optional inputs this layout has no place for (the prices of the components and the grading
// envelope) follow after the last block, in a section of their own introduced by the line
// SectionMarker, one "key=value" line per cell that holds a text:
//
//   price.<i>=<text>           the price of a tonne of component i (1..N)
//   envelope.lower.<j>=<text>  the lower limit of the passing at class j (1..K), percent
//   envelope.upper.<j>=<text>  the upper limit
//
// A reader of the original layout reads its counted lines and stops before the section, so the
// file stays readable there; a file without the section opens as always, and a project without
// prices or an envelope is saved without it. Lines of the section that this version does not
// know (another key, an index beyond N or K, a second line for the same cell) are kept in the
// document and written back unchanged after the known ones.

#include "core/ProjectDocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct MixNumbers;

namespace ProjectFile {

// The line that opens the section of the optional inputs.
inline constexpr char SectionMarker[] = "[Palvex: additional data]";

// Largest file opening accepts.
inline constexpr qint64 MaxFileSize = 1024 * 1024;

// The file's bytes: the document's texts, and for an equation reference the values its table
// shows. Refuses (returning nothing, `error` set) a text that Windows-1251 cannot hold or that
// holds a line break.
std::optional<QByteArray> projectBytes(const ProjectDocument &document, const MixNumbers &numbers, QString *error);

// Writes the project to `path` through a temporary file in the same folder, renamed over the
// target only when every write, the flush and the closing succeeded. On failure `error` names
// the file and the reason in Russian, the target is untouched and no temporary file is left.
bool saveProject(const ProjectDocument &document, const MixNumbers &numbers, const QString &path, QString *error);

// How a file's bytes are read: Windows-1251, as the program writes, or UTF-8 when a text editor
// saved it so (a UTF-8 byte-order mark, or valid UTF-8 with non-ASCII characters).
enum class Encoding { Cp1251, Utf8, BrokenUtf8 };
Encoding detectEncoding(const QByteArray &bytes);

// Reads and checks the whole file. Lines may end with CR LF, LF or CR. A file that cannot be
// read, is neither Windows-1251 nor UTF-8 text, is larger than 1 MiB, ends before the lines its
// counts announce, or announces N or K that are not whole numbers in 1..10 and 2..50 is refused
// with `error` set. A data-form or reference code the file does not know leaves the one of
// `current`.
std::optional<ProjectDocument> readProject(const QString &path, const ProjectDocument &current, QString *error);

// The same from bytes already read (`name` is used in messages).
std::optional<ProjectDocument> parseProject(const QByteArray &bytes, const QString &name, const ProjectDocument &current,
                                            QString *error);

// Why a file cannot be opened for reading, in Russian ("файл не найден").
QString openFailureReason(const QString &path);

} // namespace ProjectFile
