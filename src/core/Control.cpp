#include "core/Control.h"

Control::Control(QObject *parent)
    : QObject(parent)
{
}

void Control::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    emit stateChanged();
    emit textChanged();
}

void Control::setText(QStringView text)
{
    if (QStringView(m_text) == text)
        return;
    setText(text.toString());
}

void Control::setValue(int value)
{
    if (m_value == value)
        return;
    m_value = value;
    emit stateChanged();
    if (!m_option || value != 0)
        emit clicked();
}

void Control::setVisible(bool on)
{
    if (m_visible != on) {
        m_visible = on;
        emit stateChanged();
    }
}

void Control::setEnabled(bool on)
{
    if (m_enabled != on) {
        m_enabled = on;
        emit stateChanged();
    }
}

void Control::setLeft(int twips)
{
    if (m_left != twips) {
        m_left = twips;
        emit stateChanged();
    }
}

void Control::setTop(int twips)
{
    if (m_top != twips) {
        m_top = twips;
        emit stateChanged();
    }
}

void Control::setWidth(int twips)
{
    if (twips < 0)
        return; // a negative size fails; the control keeps its width
    if (m_width != twips) {
        m_width = twips;
        emit stateChanged();
    }
}

void Control::setHeight(int twips)
{
    if (twips < 0)
        return;
    if (m_height != twips) {
        m_height = twips;
        emit stateChanged();
    }
}

void Control::setGeometry(int left, int top, int width, int height)
{
    setLeft(left);
    setTop(top);
    setWidth(width);
    setHeight(height);
}

void Control::setPicture(int number)
{
    if (m_picture != number) {
        m_picture = number;
        emit stateChanged();
    }
}

void Control::setItems(const QStringList &items)
{
    if (m_items != items) {
        m_items = items;
        emit stateChanged();
    }
}
