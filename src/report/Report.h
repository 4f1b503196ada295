#pragma once

// The report of a mix design: the title, the sections chosen in step 6 with their tables and
// the two charts, and the closing note, in a word-processing document.

#include "report/Document.h"

#include <QImage>
#include <QSize>
#include <QString>

class ProjectSession;

namespace Report {

// The closing note that follows "Примечание: ".
QString note();

// Builds the document from the session; `graph` and `diagram` are the two pictures.
Doc::Document build(const ProjectSession &session, const QImage &graph, const QImage &diagram);

// The two charts drawn for the report, at a size in pixels of the screen and `scale` image
// pixels per screen pixel.
QImage renderGraph(const ProjectSession &session, QSize size, double scale);
QImage renderDiagram(const ProjectSession &session, QSize size, double scale);

// "Отчет — <project name>.docx", with the characters a file name cannot hold replaced.
QString fileName(const ProjectSession &session);

// The sizes of the two charts in the report, in pixels of the screen.
struct Pictures
{
    QSize graph{491, 524};
    QSize diagram{640, 340};
};

// Builds and writes the report; on failure `error` names the file and the reason.
bool write(const ProjectSession &session, const QString &path, const Pictures &pictures, QString *error);

} // namespace Report
