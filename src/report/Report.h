#pragma once

// The report of a mix design: the title, the sections chosen in step 6 with their tables and
// the two charts, and the closing note, in a word-processing document.

#include "core/MixProject.h"
#include "report/Document.h"

#include <QImage>
#include <QString>

// The closing note that follows "Примечание: ".
QString ReportNote();

// Builds the document from the project as the window shows it; `graph` and `diagram` are the
// two pictures.
Doc::Document BuildReport(const MixProject &project, const QImage &graph, const QImage &diagram);

// The pictures as the window would show them, drawn at the given sizes (pixels) with
// `pixelRatio` device pixels per pixel: the same look at a finer resolution.
QImage RenderGraph(MixProject &project, QSize size, double pixelRatio = 1.0);
QImage RenderDiagram(const MixProject &project, QSize size, double pixelRatio = 1.0);

// The charts print ReportPictureWidth centimetres wide at ReportPictureDpi dots per inch.
inline constexpr double ReportPictureWidth = 15.0;
inline constexpr double ReportPictureDpi = 300.0;
// The size the report draws the graph at, whatever the window's size.
QSize ReportGraphSize();
// Device pixels per pixel that give ReportPictureDpi for a picture `width` pixels wide
// printed ReportPictureWidth wide.
double ReportPixelRatio(int width);

// "Отчет — <project name>.docx", with the characters a file name cannot hold replaced.
QString ReportFileName(const MixProject &project);

// Builds and writes the report; on failure `error` names the file and the reason.
bool WriteReport(MixProject &project, const QString &path, QString *error);

// The path of the n-th report of the project in `folder`: "Отчет — <name>.docx" for n = 1,
// "Отчет — <name> (n).docx" after it.
QString ReportPath(const QString &folder, const MixProject &project, int n);

// Writes the report into `folder` under the first of those names that no file holds yet, so a
// report the user kept (and perhaps edited) is never written over. Returns the path, or an
// empty string with `error` set.
QString WriteNewReport(MixProject &project, const QString &folder, QString *error);
