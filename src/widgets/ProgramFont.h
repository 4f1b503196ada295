#pragma once

// The program's font: Liberation Sans 9 pt (metric-compatible with Arial), the one its layout
// is measured for.

class QApplication;

void applyProgramFont(QApplication &app);
