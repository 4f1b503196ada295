#include "widgets/ChartView.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QToolTip>

ChartView::ChartView(QWidget *parent)
    : QWidget(parent)
{
    chooseFile = [this](QString *format) {
        QString filter;
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить изображение"), QString(),
                                                          QStringLiteral("Изображение PNG (*.png);;Рисунок BMP (*.bmp)"), &filter);
        *format = filter.contains(QStringLiteral("bmp")) ? QStringLiteral("bmp") : QStringLiteral("png");
        return path;
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

bool ChartView::savePicture(QString path, const QString &format, QString *error)
{
    const QString lower = path.toLower();
    if (!lower.endsWith(QStringLiteral(".png")) && !lower.endsWith(QStringLiteral(".bmp")))
        path += u'.' + format;
    QImage picture(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (m_renderer)
        m_renderer(picture);
    const QByteArray fileFormat = (path.toLower().endsWith(QStringLiteral(".bmp")) ? "BMP" : "PNG");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, fileFormat.constData()) || !file.commit()) {
        if (error)
            *error = QStringLiteral("Не удалось записать файл «%1»: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

void ChartView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *save = menu.addAction(QStringLiteral("Сохранить изображение…"));
    if (menu.exec(event->globalPos()) != save)
        return;
    QString format;
    const QString path = chooseFile(&format);
    if (path.isEmpty())
        return;
    QString error;
    if (!savePicture(path, format, &error))
        QMessageBox::warning(this, QStringLiteral("Сохранить изображение"), error);
}
