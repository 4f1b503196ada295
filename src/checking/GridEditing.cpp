#include "checking/GridEditing.h"

#include "core/Numbers.h"
#include "core/Recalculate.h"

#include <cmath>

namespace GridEditing {

namespace {

bool typingAllowed(const MixProject &p, int k)
{
    return k != 5 || p.Etalon[5].isChecked();
}

// After each key in the base-recipe table the corrected recipe follows the base recipe, and
// the sliders follow the corrected recipe (slider = fraction x 100).
void followBaseRecipe(MixProject &p)
{
    const int n = p.ComponentCount;
    for (int i = 1; i <= n; ++i) {
        const auto m = p.cellNumber(p.tabl[4], 1, i - 1);
        if (!m)
            continue;
        p.CorrectedRecipe.set(i, *m);
        p.showCorrectedOnSlider(i);
    }
}

// Selects the whole table from the current cell (row, 0) to the last row and column, with the
// first data row scrolled to the top.
void selectFrom(GridModel &grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    grid.setRowSel(grid.rows() - 1);
    grid.setColSel(grid.cols() - 1);
    grid.setTopRow(1);
}

} // namespace

const QString &NameCharacters()
{
    static const QString chars = QStringLiteral(
        "qwertyuiopasdfghjkl;'zxcvbnm/QWERTYUIOPASDFGHJKL:ZXCVBNMЙЦУКЕНГШЩЗХЪ\\ФЫВАПРОЛДЖЭЯЧСМИТЬБЮ"
        "йцукенгшщзхъфывапролджэячсмитьбю{}[]()-*+=,.,.0123456789 ");
    return chars;
}

void Connect(MixProject &p, EditingDesktop &desktop)
{
    for (int k = 1; k <= 5; ++k) {
        GridModel &g = p.tabl[k];
        QObject::connect(&g, &GridModel::cellEntered, &p, [&p, k] { CellEntered(p, k); });
        QObject::connect(&g, &GridModel::cellLeft, &p, [&p, k] { CellLeft(p, k); });
        QObject::connect(&g, &GridModel::keyDown, &p, [&p, &desktop, k](int key) { GridKeyDown(p, desktop, k, key); });
        QObject::connect(&g, &GridModel::keyPress, &p, [&p, k](int ch) { GridKeyPress(p, k, char16_t(ch)); });
    }
}

void CellEntered(MixProject &p, int k)
{
    if (typingAllowed(p, k))
        p.tabl[k].setCellBackground(EnteredColour);
    Recalculate(p);
}

void CellLeft(MixProject &p, int k)
{
    if (typingAllowed(p, k))
        p.tabl[k].setCellBackground(LeftColour);
    Recalculate(p);
}

void GridKeyDown(MixProject &p, EditingDesktop &desktop, int k, int keyCode)
{
    GridModel *grid = p.table(k);
    if (!grid)
        return;
    if (typingAllowed(p, k)) {
        // Characters are typed by the key-press handler, by the character itself; of the keys
        // only Delete edits. Moving keys, Shift, Ctrl and Alt never change a cell.
        if (keyCode == KeyDelete) {
            grid->setCurrentText(QString());
            grid->setCellBackground(EditedColour);
        }
        if (keyCode == KeyEnter) {
            // One row down in the grain compositions, one column right elsewhere.
            if (k == 3)
                grid->setRow(grid->row() + 1);
            else
                grid->setCol(grid->col() + 1);
        }
        if (k == 4)
            followBaseRecipe(p);
    }
    const bool ctrl = desktop.ctrlHeld();
    if (ctrl && keyCode == KeyC)
        CopyGrid(p, desktop, *grid);
    if (ctrl && keyCode == KeyV)
        PasteGrid(p, desktop, *grid);
    Recalculate(p);
}

QString TypedText(int k, const QString &text, char16_t ch)
{
    // A lone zero gives way to the first character typed into it.
    const QString base = text == QStringLiteral("0") ? QString() : text;
    QString typed = base;
    if (k == 1) {
        if (NameCharacters().contains(QChar(ch)))
            typed += QChar(ch);
    } else {
        if (ch == u'.' || ch == u'ю' || ch == u'Ю') {
            if (!typed.contains(u',')) {
                typed += u'.';
                typed.replace(u'.', u',');
            }
        } else if (ch == u',' || ch == u'б' || ch == u'Б') {
            if (!typed.contains(u','))
                typed += u',';
        } else if (ch >= u'0' && ch <= u'9') {
            typed += QChar(ch);
        }
        if (typed.startsWith(u','))
            typed.prepend(u'0');
    }
    return typed == base ? text : typed;
}

void GridKeyPress(MixProject &p, int k, char16_t ch)
{
    GridModel *grid = p.table(k);
    if (!grid)
        return;
    if (typingAllowed(p, k) && ch != 13 && ch != 9 && ch != 17) {
        grid->setCellBackground(EditedColour);
        if (ch == KeyBackspace) {
            // Backspace acts on the cell at the selection corner.
            const QString *t = grid->text(grid->rowSel(), grid->colSel());
            if (t && !t->trimmed().isEmpty()) {
                grid->setText(grid->rowSel(), grid->colSel(), t->left(t->size() - 1));
                // The key-down handler recalculated before the character went; without this
                // the numbers would lag one key behind the text.
                if (k == 4)
                    followBaseRecipe(p);
                Recalculate(p);
                return;
            }
        }
        if (const QString *current = grid->currentText()) {
            const QString typed = TypedText(k, *current, ch);
            grid->setCurrentText(typed);
        }
    }
    if (k == 4 && typingAllowed(p, k))
        followBaseRecipe(p);
    Recalculate(p);
}

void CopyGrid(MixProject &, EditingDesktop &desktop, GridModel &grid)
{
    desktop.clearClipboard();
    if (grid.rowSel() == grid.row() && grid.colSel() == grid.col()) {
        selectFrom(grid, 0, 0);
        desktop.setClipboardText(grid.clip());
        grid.setRow(1);
        grid.setCol(0);
    } else {
        desktop.setClipboardText(grid.clip());
    }
}

QString WithoutOwnHeader(const GridModel &grid, const QString &block)
{
    QString text = block;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(u'\n', u'\r');
    // A copy of a whole table holds the header row and at least one row of data; a single row
    // is data, whatever it holds.
    const qsizetype end = text.indexOf(u'\r');
    if (end < 0)
        return block;
    const QStringView first = QStringView(text).left(end);
    QString header;
    for (int c = 0; c < grid.cols(); ++c) {
        if (c > 0)
            header += u'\t';
        if (const QString *t = grid.text(0, c))
            header += *t;
    }
    // Also a copy taken before the names changed, or from another project: the header row of
    // the grain compositions and of the reference starts with the caption "Dj", never data.
    const QString caption = QStringLiteral("Dj");
    const bool captioned = grid.text(0, 0) && *grid.text(0, 0) == caption && first.split(u'\t').constFirst() == caption;
    if (first != header && !captioned)
        return block;
    return text.mid(end + 1);
}

void PasteGrid(MixProject &p, EditingDesktop &desktop, GridModel &grid)
{
    selectFrom(grid, 1, 0);
    // A copy of a whole table carries its header row; the data go back under the header.
    const QString text = WithoutOwnHeader(grid, desktop.clipboardText());
    if (!text.isEmpty()) {
        if (&grid == &p.tabl[1]) {
            grid.setClip(text);
        } else {
            QString cleaned = text;
            cleaned.replace(u'.', u',');
            cleaned.remove(u' ');
            cleaned.remove(u'-');
            cleaned.remove(u'+');
            grid.setClip(cleaned);
        }
    }
    grid.setRow(1);
    grid.setCol(0);
    if (&grid == &p.tabl[3])
        AlignSizeColumn(p);
    Recalculate(p);
}

void AlignSizeColumn(MixProject &p)
{
    if (const auto k = Num::toInt16(Num::Val(p.K.text())))
        for (int j = 1; j <= *k; ++j)
            p.tabl[3].setCellAlignment(j, 0, GridModel::Align::RightCenter);
}

void ClearGrainTable(MixProject &p, EditingDesktop &desktop)
{
    if (!desktop.askYesNo(QStringLiteral("Подтверждение очистки таблицы"),
                          QStringLiteral("Вы уверены, что хотите очистить таблицу?")))
        return;
    GridModel &g = p.tabl[3];
    selectFrom(g, 1, 1);
    g.clear();
    g.setRow(1);
    g.setCol(1);
    Recalculate(p);
}

} // namespace GridEditing
