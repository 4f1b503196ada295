#pragma once

// A label for a name: shortened with "…" where its width ends (a number the program put after
// a repeated name, " (2)", stays in view), and shown whole in its tool tip.

#include <QLabel>

class ElidedLabel final : public QLabel
{
public:
    explicit ElidedLabel(QWidget *parent = nullptr);
    void setFullText(const QString &text);
    const QString &fullText() const { return m_full; }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refit();
    QString m_full;
    bool m_set = false;
};
