#pragma once

// The pictures the program draws itself: the step buttons in their three states, the padlocks,
// the logo, the strip along the bottom, the reference equations, the icons of the table buttons
// and the graph's legend. Each is drawn for a size in logical pixels at `ratio` device pixels per
// logical pixel, so that it stays sharp on a high-density screen.

#include "core/Storage.h"

#include <QFont>
#include <QImage>
#include <QStringList>
#include <QSize>

namespace Pictures {

enum class StepButtonState { Normal, Hover, Selected };

QImage stepButton(int step, StepButtonState state, QSize size, qreal ratio = 1.0);
QImage padlock(bool closed, QSize size, qreal ratio = 1.0);
QImage logo(QSize size, qreal ratio = 1.0);
QImage gradient(QSize size, qreal ratio = 1.0);
// The equations of the four reference kinds (nothing for the manual reference).
QImage formula(ReferenceKind kind, QSize size, qreal ratio = 1.0);

enum class TableAction { Copy, Paste, Clear };
// The icons of the table's copy, paste and clear buttons, drawn to fill `size`.
QImage tableAction(TableAction action, QSize size, qreal ratio = 1.0);
// The legend beside the granulometric graph: each curve's line and name, one row each, in `font`;
// with `envelope`, the dashed envelope's too.
QImage graphLegend(QSize size, const QFont &font, qreal ratio = 1.0, bool envelope = false);
// The legend's names, top to bottom; with `envelope`, the envelope's last.
QStringList graphLegendNames(bool envelope = false);

} // namespace Pictures
