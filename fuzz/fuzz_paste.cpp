// Pasted clipboard text and typed characters in the main window's tables: the first bytes pick
// the counts, the table, the cell and whether the rest is pasted or typed; the project is then
// recalculated and validated as the window's timer does.

#include "FuzzSupport.h"

#include "checking/GridEditing.h"
#include "checking/Validation.h"
#include "core/Handlers.h"
#include "core/MixProject.h"
#include "core/Recalculate.h"

namespace {

class Desktop final : public EditingDesktop
{
public:
    QString clipboard;
    QString clipboardText() const override { return clipboard; }
    void setClipboardText(const QString &text) override { clipboard = text; }
    void clearClipboard() override { clipboard.clear(); }
    bool askYesNo(const QString &, const QString &) override { return true; }
    bool ctrlHeld() const override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 6)
        return 0;
    MixProject p;
    Desktop desktop;
    ConnectInputHandlers(p);
    GridEditing::Connect(p, desktop);
    p.startUp();
    p.N.setText(QString::number(1 + data[0] % MaxComponents));
    p.K.setText(QString::number(2 + data[1] % (MaxClasses - 1)));
    Recalculate(p);
    const int table = 1 + data[2] % 5;
    const bool typing = data[2] & 0x80;
    GridModel &grid = p.tabl[table];
    grid.setRow(data[3] % std::max(1, grid.rows()));
    grid.setCol(data[4] % std::max(1, grid.cols()));
    if (data[5] & 1)
        p.selectDataForm(GrainDataForm::Differential);
    if (data[5] & 2)
        p.selectReference(ReferenceKind::ManualReference);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 6), qsizetype(size - 6));
    if (typing) {
        for (const QChar c : text) {
            if (c == u'\b')
                GridEditing::GridKeyDown(p, desktop, table, GridEditing::KeyBackspace);
            else if (c == u'\x7f')
                GridEditing::GridKeyDown(p, desktop, table, GridEditing::KeyDelete);
            else
                GridEditing::GridKeyPress(p, table, c.unicode());
        }
    } else {
        desktop.clipboard = text;
        GridEditing::PasteGrid(p, desktop, grid);
    }
    ValidateTables(p, true);
    Recalculate(p);
    return 0;
}
