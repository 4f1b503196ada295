#include "widgets/ChartView.h"

#include "charts/PictureFile.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QToolTip>

ChartView::ChartView(QWidget *parent)
    : QWidget(parent)
{
    chooseFile = [this](QString *filter) {
        return QFileDialog::getSaveFileName(this, tr("Сохранить изображение"), QString(), PictureFile::DialogFilter(),
                                            filter);
    };
}

void ChartView::setRenderer(Renderer renderer)
{
    m_renderer = std::move(renderer);
    markDirty();
}

void ChartView::markDirty()
{
    m_dirty = true;
    update();
}

const QImage &ChartView::image()
{
    render();
    return m_image;
}

void ChartView::render()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size().expandedTo(QSize(1, 1))) * ratio).toSize();
    if (!m_dirty && m_image.size() == pixels && m_image.devicePixelRatio() == ratio)
        return;
    if (m_image.size() != pixels)
        m_image = QImage(pixels, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    if (m_renderer)
        m_renderer(m_image);
    else
        m_image.fill(Qt::white);
    m_dirty = false;
}

bool ChartView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && toolTipAt) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void ChartView::paintEvent(QPaintEvent *)
{
    render();
    QPainter g(this);
    g.drawImage(QPointF(0, 0), m_image);
}

bool ChartView::savePicture(const QString &chosen, const QString &filter, QString *error)
{
    QImage picture(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (m_renderer)
        m_renderer(picture);
    else
        picture.fill(Qt::white);
    return PictureFile::Save(picture, PictureFile::FileName(chosen, filter), error);
}

void ChartView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *save = menu.addAction(tr("Сохранить изображение…"));
    if (menu.exec(event->globalPos()) != save)
        return;
    QString filter;
    const QString chosen = chooseFile(&filter);
    if (chosen.isEmpty())
        return;
    QString error;
    if (!savePicture(chosen, filter, &error))
        QMessageBox::warning(this, tr("Сохранить изображение"), error);
}
