#pragma once
// Recording stand-ins for the window's progress display, message boxes and event loop.
#include "platform/Gauge.h"
#include "platform/Platform.h"
#include "platform/ProgressLabel.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class RecordingLabel : public ProgressLabel {
public:
    void setText(const QString& t) override { m_text = t; history.append(t); }
    QString text() const override { return m_text; }
    QStringList history;

private:
    QString m_text;
};

class RecordingGauge : public Gauge {
public:
    int repaints = 0;

protected:
    void repaint() override { ++repaints; }
};

struct RecordedMessage {
    QString kind;  // "warning", "information" or "error"
    QString text;
};

// Installs itself as the process's message boxes while it lives.
class RecordingMessages : public MessageBoxes {
public:
    RecordingMessages() { Platform::setMessages(this); }
    ~RecordingMessages() override { Platform::setMessages(nullptr); }
    void warning(const QString& t) override { list.push_back({QStringLiteral("warning"), t}); }
    void information(const QString& t) override { list.push_back({QStringLiteral("information"), t}); }
    void error(const QString& t) override { list.push_back({QStringLiteral("error"), t}); }
    std::vector<RecordedMessage> list;
};

// One snapshot of the progress display each time the pending events are processed.
struct ProgressSnapshot {
    QString label;
    int position;
    int maximum;
};

class RecordingEvents : public EventPump {
public:
    RecordingEvents(const ProgressLabel* label = nullptr, const Gauge* gauge = nullptr)
        : m_label(label), m_gauge(gauge)
    {
        Platform::setEvents(this);
    }
    ~RecordingEvents() override { Platform::setEvents(nullptr); }
    void processEvents() override
    {
        ++calls;
        snapshots.push_back({m_label ? m_label->text() : QString(), m_gauge ? m_gauge->position() : 0,
                             m_gauge ? m_gauge->maximum() : 0});
        if (onEvents)
            onEvents();
    }
    int calls = 0;
    std::vector<ProgressSnapshot> snapshots;
    std::function<void()> onEvents;  // e.g. to fail or stop a server in the middle of a walk

private:
    const ProgressLabel* m_label;
    const Gauge* m_gauge;
};
