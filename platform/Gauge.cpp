#include "platform/Gauge.h"
#include <algorithm>

int Gauge::percent() const
{
    if (m_maximum <= 0)
        return 0;
    return static_cast<int>((100LL * m_position) / m_maximum);
}

void Gauge::setMaximum(int value)
{
    const int before = percent();
    m_maximum = std::max(0, value);
    m_position = std::clamp(m_position, 0, m_maximum);
    if (percent() != before)
        repaint();
}

void Gauge::setPosition(int value)
{
    const int before = percent();
    m_position = std::clamp(value, 0, m_maximum);
    if (percent() != before)
        repaint();
}

void Gauge::stepBy(int delta)
{
    m_position = std::clamp(m_position + delta, 0, m_maximum);
    repaint();
}
