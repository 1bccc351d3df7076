#pragma once

// The progress gauge: minimum 0, a maximum (100 at first) and a position, shown as
// trunc(100 * position / maximum) percent (0 % for a maximum of 0). A widget derives from it
// and repaints when told to.
class Gauge {
public:
    virtual ~Gauge() = default;
    int maximum() const { return m_maximum; }
    int position() const { return m_position; }
    int percent() const;
    // Clamps the position into 0..maximum; a maximum below the position lowers the position.
    void setMaximum(int value);
    void setPosition(int value);  // repaints only when the shown percentage changes
    void stepBy(int delta = 1);   // always repaints

protected:
    virtual void repaint() {}

private:
    int m_maximum = 100;
    int m_position = 0;
};
