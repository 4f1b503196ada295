#pragma once

// Guards against changing a value by accident: the wheel over a list or a slider, and the keys
// that step or search through a closed list. The wheel scrolls the grids only.

class QComboBox;
class QWidget;

namespace InputGuards {

// A drop-down whose value is chosen from its list only (the count N): no wheel, and none of the
// keys that step or search through the closed list. F4, Alt+Down and the space bar open the
// list, which is chosen from with the mouse or with the arrows and Enter.
void listChoicesOnly(QComboBox *box);

// An editable drop-down (a coefficient): its text is typed, or chosen from its list. No wheel,
// no arrow keys stepping through the closed list, no completion of a typed text from the list,
// and Enter adds nothing to the list.
void typedOrChosen(QComboBox *box);

// A control the wheel leaves alone (a slider).
void noWheel(QWidget *widget);

} // namespace InputGuards
