#pragma once

// The project file: Windows-1251 text, one value per line, CR LF after every line, no keys.
// Its meaning follows from the position of each line and the two counts N (line 2) and K:
//
//   1 name | 2 N | N names | N densities | 1 data form | 1 K | K sizes | K*N values (class by
//   class) | N base recipe | 1 reference kind | 5 coefficients | K manual reference values
//
// 10 + 3N + 2K + K*N lines in all.

#include "core/ProjectDocument.h"

#include <QByteArray>

#include <QString>

struct MixNumbers;

namespace ProjectFile {

// Largest file opening accepts.
inline constexpr qint64 MaxFileSize = 1024 * 1024;

// The file's bytes: the document's texts, and for an equation reference the values its table
// shows. Refuses (returning nothing, `error` set) a text that Windows-1251 cannot hold or that
// holds a line break.
std::optional<QByteArray> projectBytes(const ProjectDocument &document, const MixNumbers &numbers, QString *error);

// Writes the project to `path` through a temporary file in the same folder, which replaces the
// target only when everything was written. On failure `error` says what went wrong and the
// target is untouched.
bool saveProject(const ProjectDocument &document, const MixNumbers &numbers, const QString &path, QString *error);

// Reads and checks the whole file. A file that cannot be read, is not Windows-1251 text, is
// larger than 1 MiB, ends before the lines its counts announce, or announces N outside 1..10 or
// K outside 2..50 is refused with `error` set. A data-form or reference code the file does not
// know leaves the one of `current`.
std::optional<ProjectDocument> readProject(const QString &path, const ProjectDocument &current, QString *error);

// The same from bytes already read (`name` is used in messages).
std::optional<ProjectDocument> parseProject(const QByteArray &bytes, const QString &name, const ProjectDocument &current,
                                            QString *error);

} // namespace ProjectFile
