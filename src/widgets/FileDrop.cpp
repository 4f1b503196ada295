#include "widgets/FileDrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

FileDropTarget::FileDropTarget(QWidget *window, Open open)
    : QObject(window)
    , m_window(window)
    , m_open(std::move(open))
{
    // Drags over widgets that take no drops reach the window itself; the filter sees those over
    // the widgets that do (text fields) before they do.
    window->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

QString FileDropTarget::droppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return QString();
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return QString();
    return path;
}

bool FileDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path = droppedFile(drop->mimeData());
    if (path.isEmpty()) {
        // Not a file: text dragged into a field stays the field's business.
        return false;
    }
    // The file is read, never moved: a copy wherever the desktop offers one.
    if (drop->possibleActions() & Qt::CopyAction)
        drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(this, [this, path] { m_open(path); }, Qt::QueuedConnection);
    return true;
}
