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
        if (keyCode != KeyEnter && keyCode != KeyTab && keyCode != KeyCtrl && keyCode != KeyC) {
            if (const QString *t = grid->currentText(); t && *t == QStringLiteral("0"))
                grid->setCurrentText(QString());
            if (keyCode == KeyDelete)
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

void GridKeyPress(MixProject &p, int k, char16_t ch)
{
    GridModel *grid = p.table(k);
    if (!grid)
        return;
    if (typingAllowed(p, k) && ch != 13 && ch != 9 && ch != 17) {
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
        const QString *current = grid->currentText();
        if (current) {
            QString text = *current;
            if (k == 1) {
                if (NameCharacters().contains(QChar(ch)))
                    text += QChar(ch);
            } else {
                if (ch == u'.' || ch == u'ю' || ch == u'Ю') {
                    if (!text.contains(u',')) {
                        text += u'.';
                        text.replace(u'.', u',');
                    }
                } else if (ch == u',' || ch == u'б' || ch == u'Б') {
                    if (!text.contains(u','))
                        text += u',';
                } else if (ch >= u'0' && ch <= u'9') {
                    text += QChar(ch);
                }
                if (text.startsWith(u','))
                    text.prepend(u'0');
            }
            grid->setCurrentText(text);
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

void PasteGrid(MixProject &p, EditingDesktop &desktop, GridModel &grid)
{
    selectFrom(grid, 1, 0);
    const QString text = desktop.clipboardText();
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
