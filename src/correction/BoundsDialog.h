#pragma once

// The variation-bounds dialog Form6 ("Настройка границ случайного варьирования массовых долей")
// as the logic sees it, and the bound markers of the main window.

#include "core/MixProject.h"

#include <QObject>

class BoundsDialogModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoundsDialogModel)

public:
    explicit BoundsDialogModel(QObject *parent = nullptr);

    Control CompFrame[MaxComponents + 1];
    Control CompName[MaxComponents + 1];
    Control BMin[MaxComponents + 1];
    Control BMinVal[MaxComponents + 1];
    Control BMax[MaxComponents + 1];
    Control BMaxVal[MaxComponents + 1];
    Control ErrBorder[MaxComponents + 1];
    Control CommandApply;
    Control CommandCancel;
    Control Form6; // the dialog itself: visible while shown

    static QString title() { return QStringLiteral("Настройка границ случайного варьирования массовых долей"); }
};

// Only digits and Backspace may be typed into the bound boxes.
bool BoundsKeyAllowed(char16_t ch);
// What a text pasted into a bound box leaves there: its digits, up to a decimal separator after
// the first digit (the bounds are whole percents: "12,5 %" gives "12", as the bound would read).
QString BoundsPastedText(const QString &text);

// CommandBounds: refills the boxes from VariationMin/VariationMax and shows the dialog.
void OpenBoundsDialog(MixProject &project, BoundsDialogModel &dialog);
// The dialog's own 1 ms tick: red frames on the wrong pairs, "Применить" enabled when none.
void ValidateBounds(const MixProject &project, BoundsDialogModel &dialog);
// "Применить": stores the bounds of components 1..N and hides the dialog.
void ApplyBounds(MixProject &project, BoundsDialogModel &dialog);
// "Отмена": hides the dialog, nothing changes.
void CancelBounds(BoundsDialogModel &dialog);

// The last part of the main window's Timer1 tick: the enabled state of BoundsCheck and
// CommandBounds, and the markers' positions on the slider rows.
void UpdateBoundsControls(MixProject &project);
// The marker position of a bound in percent: 2040 twips at 0 %, 3880 at 100 %.
float MarkerPosition(float percent);
