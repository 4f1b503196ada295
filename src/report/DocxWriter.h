#pragma once

// Writes a Doc::Document as an Office Open XML word-processing file (.docx): A4 pages with
// the document's margins, runs with font, size, bold and colour, paragraphs aligned left,
// centred or justified, tables with grid borders, pictures embedded as PNG.

#include "report/Document.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace Docx {

// The parts of the package, in memory (tests look into them).
struct Package
{
    QByteArray contentTypes, rels, document, documentRels, styles, settings;
    QList<std::pair<QString, QByteArray>> media; // "media/image1.png" and its bytes
};

Package Build(const Doc::Document &document);
// Writes the package to `path`; on failure `error` says why.
bool Write(const Doc::Document &document, const QString &path, QString *error);

} // namespace Docx
