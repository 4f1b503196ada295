#pragma once

// The main window's own handlers that need no widget: step selection and the step buttons'
// pictures, the "+"/"-" of the size-class count, the confirmations, and the order of the work
// done on each timer tick.

#include "core/MixProject.h"

#include <QString>

// Short titles drawn on the step buttons, and the titles shown in Head.
QString StepTitle(int step);
QString StepButtonTitle(int step);

// Bitmap numbers of step button i: normal 3i + 98, hover 3i + 99, selected 3i + 100.
inline int NormalPicture(int i) { return 3 * i + 98; }
inline int HoverPicture(int i) { return 3 * i + 99; }
inline int SelectedPicture(int i) { return 3 * i + 100; }

// A click on But(i): shows panel i, its title, places the grids' current cells, stops the
// automatic search, closes the error list, enables component 1's controls for N > 1, and
// recalculates.
void SelectStep(MixProject &project, int step);
int CurrentStep(const MixProject &project);

// After a project was opened (or the open dialog cancelled): step 1 when no step was shown
// yet; otherwise the shown step stays, the automatic search goes on as it was, and the
// correction controls follow the new component count.
void ShowOpenedProject(MixProject &project);

// The pointer over But(j) (j = 1..7), or over the window background or a panel (j = 0).
void HoverStep(MixProject &project, int j);

// Command1 "+" and Command2 "-" of the size-class count K.
void IncreaseK(MixProject &project);
void DecreaseK(MixProject &project);

// The question asked before closing or opening another project, when the grain-composition
// table has three rows or more; nothing to ask otherwise.
struct Question
{
    QString title;
    QString text;
};
std::optional<Question> CloseQuestion(const MixProject &project);
std::optional<Question> OpenQuestion(const MixProject &project);

class SearchRandom;

// What one Timer1 tick does, in order; `clipboardHasText` as the window last saw it. The
// search's generator is re-seeded from `clockSeconds` (seconds since midnight) when given.
// Returns true when the tick's search step adopted its trial.
bool Timer1Tick(MixProject &project, bool clipboardHasText, SearchRandom &random,
                std::optional<double> clockSeconds = std::nullopt);
void Timer2Tick(MixProject &project);

// Connects the window's input handlers that react to the model's own events (counts,
// coefficients, options, the error-list box).
void ConnectWindowHandlers(MixProject &project);
