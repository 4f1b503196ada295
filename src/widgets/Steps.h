#pragma once

// The steps of the main window: their titles, and the short titles on their buttons.

#include <QString>

inline constexpr int StepCount = 7;

// "1.Параметры сырьевой смеси" ... "Информация о программе"; empty outside 1..7.
QString stepTitle(int step);
// "1. Параметры смеси" ... "О программе".
QString stepButtonTitle(int step);
