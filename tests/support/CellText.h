#pragma once

// The text of a table cell as the window shows it, for comparisons: the cell's text, or
// "<no cell>" outside the table's shape (so that a missing cell never compares equal to an
// empty one).

#include "session/ProjectSession.h"

#include <QString>

inline QString txt(const ProjectSession &session, InputTable table, int row, int col)
{
    if (row < 0 || col < 0 || row >= session.tableRows(table) || col >= session.tableColumns(table))
        return QStringLiteral("<no cell>");
    return session.tableText(table, row, col);
}
