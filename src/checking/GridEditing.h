#pragma once

// Typing into the five tables of the main window, and copying, pasting and clearing them.
// The grids have no editor of their own: characters are appended to the current cell under a
// per-table filter, the decimal separator becomes a comma, and every edit ends in Recalculate().

#include "core/MixProject.h"

#include <QString>

// What the editing needs from the desktop: the clipboard's text and a Yes/No question.
class EditingDesktop
{
public:
    virtual ~EditingDesktop() = default;
    virtual QString clipboardText() const = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual void clearClipboard() = 0;
    // A Yes/No question box with a question icon; true for Yes.
    virtual bool askYesNo(const QString &title, const QString &text) = 0;
    // The live state of the Ctrl key.
    virtual bool ctrlHeld() const = 0;
};

namespace GridEditing {

// Key codes (Windows virtual keys) and character codes the handlers tell apart.
inline constexpr int KeyBackspace = 8;
inline constexpr int KeyTab = 9;
inline constexpr int KeyEnter = 13;
inline constexpr int KeyCtrl = 17;
inline constexpr int KeyDelete = 46;
inline constexpr int KeyC = 67;
inline constexpr int KeyV = 86;

inline constexpr QRgb EnteredColour = 0xFF80FF80; // RGB(128, 255, 128)
inline constexpr QRgb EditedColour = 0xFFFFF4EA;  // RGB(255, 244, 234)
inline constexpr QRgb LeftColour = 0xFFFFFFFF;

// The characters the names table takes.
const QString &NameCharacters();

// Connects the grids' events of tabl(1)..tabl(5) to the handlers below.
void Connect(MixProject &project, EditingDesktop &desktop);

// Key down in table k (Windows virtual-key code): Delete empties the cell, Enter moves on,
// Ctrl+C and Ctrl+V copy and paste; no other key changes a cell.
void GridKeyDown(MixProject &project, EditingDesktop &desktop, int k, int keyCode);
// A character typed into table k (Unicode code). Decided by the character alone, whatever key
// (and keyboard layout) gave it.
void GridKeyPress(MixProject &project, int k, char16_t ch);
// The text of a cell of table k after typing `ch` into it: the per-table filter, the decimal
// comma, and a lone "0" replaced by the character. A character the table refuses leaves the
// text as it is.
QString TypedText(int k, const QString &text, char16_t ch);
void CellEntered(MixProject &project, int k);
void CellLeft(MixProject &project, int k);

void CopyGrid(MixProject &project, EditingDesktop &desktop, GridModel &grid);
// A block of several rows whose first row is the grid's own header row, as CopyGrid puts it on
// the clipboard with the whole table (or begins with the caption "Dj"), without that row; any
// other block as it is.
QString WithoutOwnHeader(const GridModel &grid, const QString &block);
void PasteGrid(MixProject &project, EditingDesktop &desktop, GridModel &grid);
void AlignSizeColumn(MixProject &project);
// "Очистить таблицу": asks, then clears tabl(3).
void ClearGrainTable(MixProject &project, EditingDesktop &desktop);

} // namespace GridEditing
