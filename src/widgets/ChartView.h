#pragma once

// A chart of the window: a retained image drawn by the charts module, drawn again only when
// what it shows has changed (or its size or the screen's pixel density). Its context menu saves
// the picture as PNG or BMP.

#include <QWidget>

#include <functional>

class ChartView : public QWidget
{
    Q_OBJECT

public:
    // Draws the chart into an image of the widget's size in logical pixels (with the screen's
    // device pixel ratio).
    using Renderer = std::function<void(QImage &image)>;

    explicit ChartView(QWidget *parent = nullptr);
    void setRenderer(Renderer renderer);
    // What the chart shows has changed.
    void markDirty();
    // The picture as it is shown now, at the screen's pixel density.
    const QImage &image();
    // Saves the picture (at the widget's size) as PNG or BMP: `format` "png" or "bmp". The
    // extension is added unless the name already ends with .png or .bmp; the file it would
    // replace stays intact when the writing fails. Returns false with `error` set on failure.
    bool savePicture(QString path, const QString &format, QString *error);

    // Where a picture chosen from the context menu is saved (tests replace the dialog).
    std::function<QString(QString *format)> chooseFile;
    // The whole text of what the chart shortened at a point (a name in a legend), shown in a
    // tool tip; empty where nothing is shortened.
    std::function<QString(QPointF)> toolTipAt;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void render();
    Renderer m_renderer;
    QImage m_image;
    bool m_dirty = true;
};
