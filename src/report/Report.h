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

// The pictures as the window would show them, drawn at the given sizes (pixels).
QImage RenderGraph(MixProject &project, QSize size);
QImage RenderDiagram(const MixProject &project, QSize size);

// "Отчет — <project name>.docx", with the characters a file name cannot hold replaced.
QString ReportFileName(const MixProject &project);

// Builds and writes the report; on failure `error` names the file and the reason.
bool WriteReport(MixProject &project, const QString &path, QString *error);
