#pragma once

// The state of one of the window's ordinary controls (a label, a text box, a drop-down, a
// check box, an option button, a button, a picture or a frame) as the program's logic sees it.
// The window mirrors it; the logic never touches a widget.
//
// Geometry is in twips. For check boxes and option buttons `value` is 0 or 1; setting it from
// code raises clicked() at once when it changes, as the classic controls did. Setting the text
// raises textChanged() when it changes.

#include <QObject>
#include <QString>
#include <QStringList>

class Control final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Control)

public:
    explicit Control(QObject *parent = nullptr);

    const QString &text() const { return m_text; }
    int value() const { return m_value; }
    bool isChecked() const { return m_value != 0; }
    bool isVisible() const { return m_visible; }
    bool isEnabled() const { return m_enabled; }
    int left() const { return m_left; }
    int top() const { return m_top; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // A picture: the number of the bitmap it shows (the window draws the bitmaps).
    int picture() const { return m_picture; }
    // The items offered by a drop-down list.
    const QStringList &items() const { return m_items; }

    void setText(const QString &text);
    // The same, allocating only when the text really changes (for the 1 ms timer ticks).
    void setText(QStringView text);
    void setValue(int value);
    void setChecked(bool on) { setValue(on ? 1 : 0); }
    void setVisible(bool on);
    void setEnabled(bool on);
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void setGeometry(int left, int top, int width, int height);
    void setPicture(int number);
    void setItems(const QStringList &items);
    // An option button raises clicked() only when it becomes selected.
    void setOptionButton(bool on) { m_option = on; }

    // The user clicked (a button, or a check box whose value the view has already set).
    void raiseClick() { emit clicked(); }

signals:
    void textChanged();
    void clicked();
    // For the view: any property changed.
    void stateChanged();

private:
    QString m_text;
    QStringList m_items;
    int m_value = 0;
    bool m_visible = true;
    bool m_enabled = true;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    int m_picture = 0;
    bool m_option = false;
};
