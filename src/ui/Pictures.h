#pragma once

// The pictures of the main window that the program draws itself: the step buttons in their
// three states, the logo, the bottom strip, the formula pictures of the reference equations and
// the padlocks.

#include <QImage>
#include <QSize>

// A bitmap of the program's resources by number: 101..121 the step buttons (3 per step:
// normal, hover, selected), 122 the closed padlock, 123 the open padlock.
QImage ResourcePicture(int number, QSize size);

QImage LogoPicture(QSize size);
QImage GradientPicture(QSize size);
// The equations of Funk-Dinger (1), Fuller (2), Hummel (3) and Bolomey (4).
QImage FormulaPicture(int kind, QSize size);
