// Pasted clipboard text and typed characters in the main window's tables: the first bytes pick
// the counts, the table, the cell and whether the rest is pasted or typed; the session then
// recalculates and checks the tables, as after the user's keys.

#include "FuzzSupport.h"

#include "session/ProjectSession.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 6)
        return 0;
    ProjectSession s;
    s.setComponentCount(1 + data[0] % MaxComponents);
    s.setClassCountText(QString::number(2 + data[1] % (MaxClasses - 1)));
    const InputTable table = InputTable(1 + data[2] % 5);
    const bool typing = data[2] & 0x80;
    const int row = 1 + data[3] % std::max(1, s.tableRows(table) - 1);
    const int col = data[4] % std::max(1, s.tableColumns(table));
    if (data[5] & 1)
        s.setDataForm(GrainDataForm::Differential);
    if (data[5] & 2)
        s.setReferenceKind(ReferenceKind::ManualReference);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 6), qsizetype(size - 6));
    if (typing) {
        for (const QChar c : text) {
            if (c == u'\b')
                s.backspace(table, row, col);
            else if (c == u'\x7f')
                s.deleteCell(table, row, col);
            else
                s.typeCharacter(table, row, col, c);
        }
    } else {
        s.paste(table, text);
    }
    // Whatever was typed, the tables keep their shape and every cell shown reads back.
    Fuzz::require(s.tableRows(table) >= 1 && s.tableColumns(table) >= 1, "a table keeps a shape");
    for (int r = 0; r < s.tableRows(table); ++r)
        for (int c = 0; c < s.tableColumns(table); ++c)
            (void)s.tableText(table, r, c);
    return 0;
}
