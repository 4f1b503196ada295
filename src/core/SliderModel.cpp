#include "core/SliderModel.h"

#include <algorithm>

SliderModel::SliderModel(QObject *parent)
    : QObject(parent)
{
}

void SliderModel::setMin(int v)
{
    m_min = v;
    m_max = std::max(m_max, m_min);
    emit stateChanged();
    setValue(m_value);
}

void SliderModel::setMax(int v)
{
    m_max = v;
    m_min = std::min(m_min, m_max);
    emit stateChanged();
    setValue(m_value);
}

void SliderModel::setLargeChange(int v)
{
    m_largeChange = v;
}

void SliderModel::setSmallChange(int v)
{
    m_smallChange = v;
}

void SliderModel::setValue(int v)
{
    v = std::clamp(v, m_min, m_max);
    if (v == m_value)
        return;
    m_value = v;
    emit stateChanged();
    emit changed();
}

void SliderModel::setEnabled(bool on)
{
    if (m_enabled != on) {
        m_enabled = on;
        emit stateChanged();
    }
}

void SliderModel::setVisible(bool on)
{
    if (m_visible != on) {
        m_visible = on;
        emit stateChanged();
    }
}

void SliderModel::setTop(int twips)
{
    if (m_top != twips) {
        m_top = twips;
        emit stateChanged();
    }
}

void SliderModel::userScroll(int v)
{
    v = std::clamp(v, m_min, m_max);
    if (v == m_value)
        return;
    m_value = v;
    emit stateChanged();
    emit scrolled();
    emit changed();
}
