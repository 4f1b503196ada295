#pragma once

// A file dragged from the desktop onto a window: the window takes one local file wherever it is
// dropped over it — over a text field too, which would otherwise take the file's name as text —
// and is handed the file's path once the drop is over, so that a question or a message shown
// for it does not hold up the desktop's drag.

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

class FileDropTarget final : public QObject
{
    Q_OBJECT

public:
    using Open = std::function<void(const QString &path)>;
    // Takes drops on `window` and every widget in it; `open` gets the dropped file's path.
    FileDropTarget(QWidget *window, Open open);

    // The path of the one local file a drag carries; empty when it carries none, several, a
    // folder, or anything but files (text, web addresses).
    static QString droppedFile(const QMimeData *mime);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    Open m_open;
};
