#pragma once
#include "platform/Platform.h"
#include <QElapsedTimer>

// The Qt event loop as the converters' event pump. They ask for a pass once per source row;
// the screen needs far fewer, and on a large table a pass per row (each a poll of the system
// and, in the window, a repaint of the label) would cost a share of the run. So a pass runs on
// the first call and then whenever the previous one is at least the interval old: what the
// window shows is never more than that behind, and a click waits no longer.
class QtEventPump : public EventPump {
public:
    static constexpr int kIntervaloMs = 20;
    void processEvents() override;

private:
    QElapsedTimer m_ultima;
};
