#pragma once

// Saving a chart's picture as a PNG or BMP file, from its context menu.

#include <QImage>
#include <QString>

namespace PictureFile {

// The file filter of the save dialog; its entries name the two formats.
QString DialogFilter();

// The name a picture is saved under: the name chosen in the dialog, with the extension of the
// format chosen (`filter`, one entry of DialogFilter()) added unless the name already ends
// with .png or .bmp. A dot elsewhere in the name or the folder ("Смесь М1.5", "out.v2/graph")
// is part of the name.
QString FileName(const QString &chosen, const QString &filter);

// Writes the picture in the format its extension names (.bmp, anything else PNG) without ever
// damaging the file it replaces. On failure `error` names the file and the reason in Russian.
bool Save(const QImage &image, const QString &path, QString *error);

} // namespace PictureFile
