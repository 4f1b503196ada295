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

// The two charts as the window shows them, drawn at a size in pixels with `pixelRatio` device
// pixels per pixel: the same look at a finer resolution.
QImage renderGraph(const ProjectSession &session, QSize size, double pixelRatio = 1.0);
QImage renderDiagram(const ProjectSession &session, QSize size, double pixelRatio = 1.0);

// The charts print PictureWidth centimetres wide at PictureDpi dots per inch.
inline constexpr double PictureWidth = 15.0;
inline constexpr double PictureDpi = 300.0;
// Device pixels per pixel that give PictureDpi for a picture `width` pixels wide printed
// PictureWidth wide.
double pixelRatioFor(int width);

// The sizes the report draws the two charts at, in pixels of the screen, whatever the window's
// size (15 cm at 96 pixels per inch for the graph: its texts print as the window shows them).
struct Pictures
{
    QSize graph{567, 400};
    QSize diagram{640, 340};
};

// "Отчет — <project name>.docx", with the characters a file name cannot hold replaced.
QString fileName(const ProjectSession &session);
// The path of the n-th report of the project in `folder`: "Отчет — <name>.docx" for n = 1,
// "Отчет — <name> (n).docx" after it.
QString path(const QString &folder, const ProjectSession &session, int n);

// Builds and writes the report; on failure `error` names the file and the reason.
bool write(const ProjectSession &session, const QString &path, const Pictures &pictures, QString *error);

// Writes the report into `folder` under the first of those names that no file holds yet, so a
// report the user kept (and perhaps edited) is never written over. Returns the path, or an empty
// string with `error` set.
QString writeNew(const ProjectSession &session, const QString &folder, const Pictures &pictures, QString *error);

} // namespace Report
