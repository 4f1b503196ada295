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
    // Saves the picture (at the widget's size) as PNG or BMP under the name chosen in the save
    // dialog, with the extension of the format chosen (`filter`, an entry of the dialog's filter)
    // unless the name already ends with .png or .bmp. The file it would replace stays intact
    // when the writing fails. Returns false with `error` set on failure.
    bool savePicture(const QString &chosen, const QString &filter, QString *error);

    // The save dialog of the context menu: the name chosen (empty when cancelled) and the filter
    // entry chosen (tests replace the dialog).
    std::function<QString(QString *filter)> chooseFile;
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
