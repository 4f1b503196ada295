#pragma once

// A horizontal slider of the correction step: integer Min, Max, LargeChange, SmallChange and
// Value with Min <= Value <= Max. Setting Value from code raises changed() at once, inside the
// setter, before it returns; the manual correction relies on that nesting.

#include <QObject>

class SliderModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SliderModel)

public:
    explicit SliderModel(QObject *parent = nullptr);

    int min() const { return m_min; }
    int max() const { return m_max; }
    int largeChange() const { return m_largeChange; }
    int smallChange() const { return m_smallChange; }
    int value() const { return m_value; }
    bool isEnabled() const { return m_enabled; }
    bool isVisible() const { return m_visible; }
    int top() const { return m_top; }

    void setMin(int v);
    void setMax(int v);
    void setLargeChange(int v);
    void setSmallChange(int v);
    // Clamped to Min..Max; raises changed() when the value changes.
    void setValue(int v);
    void setEnabled(bool on);
    void setVisible(bool on);
    void setTop(int twips);

    // The user drags the thumb: the value follows, then scroll() and changed() are raised.
    void userScroll(int v);

signals:
    void scrolled();
    void changed();
    // For the view: any property changed.
    void stateChanged();

private:
    int m_min = 0;
    int m_max = 10;
    int m_largeChange = 5;
    int m_smallChange = 1;
    int m_value = 0;
    bool m_enabled = true;
    bool m_visible = true;
    int m_top = 0;
};
