#pragma once

// Why a file could not be read or written, in the user's words (Russian), whatever language the
// operating system speaks.

#include <QFileDevice>
#include <QString>

// The reason of the last failure of `file` (at `path`), e.g. "нет прав на запись в папку";
// `writing` tells whether the file was opened to be written.
QString FileErrorText(const QFileDevice &file, const QString &path, bool writing = true);
