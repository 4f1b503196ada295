#pragma once

// The pictures the program draws itself: the step buttons in their three states, the padlocks,
// the logo, the strip along the bottom and the reference equations. Each is drawn for a size in
// logical pixels at `ratio` device pixels per logical pixel, so that it stays sharp on a
// high-density screen.

#include "core/Storage.h"

#include <QImage>
#include <QSize>

namespace Pictures {

enum class StepButtonState { Normal, Hover, Selected };

QImage stepButton(int step, StepButtonState state, QSize size, qreal ratio = 1.0);
QImage padlock(bool closed, QSize size, qreal ratio = 1.0);
QImage logo(QSize size, qreal ratio = 1.0);
QImage gradient(QSize size, qreal ratio = 1.0);
// The equations of the four reference kinds (nothing for the manual reference).
QImage formula(ReferenceKind kind, QSize size, qreal ratio = 1.0);

} // namespace Pictures
