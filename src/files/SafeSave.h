#pragma once

// Replacing a file without ever damaging it: the new contents go to a temporary file in the
// same folder, every write, the flush to disk and the closing are checked, and only then is
// the temporary file renamed over the target. Whatever fails, the old file stays byte for
// byte and the temporary file is removed.

#include <QByteArray>
#include <QString>

namespace SafeSave {

// Writes `bytes` as the file `path` (created or replaced). On failure `reason` says why, in
// Russian ("на диске недостаточно места"), without the file name.
bool WriteFile(const QString &path, const QByteArray &bytes, QString *reason);

// The Russian wording of a system error code (errno).
QString SystemReason(int code);

// For tests: the steps of a save, and a failure injected into one of them.
enum class Step { None, Create, Write, Flush, Close, Rename };
// Every later save fails at `step` with the error `code`; a failing write first writes
// `bytesBefore` bytes. Step::None switches the injection off.
void InjectFailure(Step step, int code, qint64 bytesBefore = 0);

} // namespace SafeSave
