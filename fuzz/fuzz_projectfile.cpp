// The project file reader: any bytes are opened or refused with a message, never a crash, and
// a project that opened saves to a file that opens again to the same bytes (unless those bytes
// read as UTF-8, see below).

#include "FuzzSupport.h"

#include "files/ProjectFile.h"
#include "session/ProjectSession.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    ProjectSession p;
    QString error;
    const auto document = ProjectFile::parseProject(input, QStringLiteral("fuzz.txt"), p.document(), &error);
    if (!document) {
        Fuzz::require(error.contains(QStringLiteral("fuzz.txt")), "a refused file gets a message naming it");
        return 0;
    }
    p.openDocument(*document);
    // A text Windows-1251 cannot hold (from a UTF-8 file) is refused by saving, with a message.
    const auto saved = ProjectFile::projectBytes(p.document(), p.numbers(), &error);
    if (!saved) {
        Fuzz::require(!error.isEmpty(), "a refused save gets a message");
        return 0;
    }
    // Windows-1251 bytes that happen to be valid UTF-8 are read as UTF-8, as an editor's file
    // would be: such a file cannot come back the same, by the rule itself.
    if (ProjectFile::detectEncoding(*saved) != ProjectFile::Encoding::Cp1251)
        return 0;
    ProjectSession q;
    const auto reopened = ProjectFile::parseProject(*saved, QStringLiteral("saved.txt"), q.document(), &error);
    Fuzz::require(bool(reopened), "a saved project opens");
    q.openDocument(*reopened);
    const auto again = ProjectFile::projectBytes(q.document(), q.numbers(), &error);
    Fuzz::require(again && *again == *saved, "a saved project saves to the same bytes");
    return 0;
}
