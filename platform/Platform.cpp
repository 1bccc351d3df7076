#include "platform/Platform.h"
#include <cstdio>

namespace {
class StderrMessages : public MessageBoxes {
    static void put(const char* kind, const QString& text)
    {
        QString shown = text;
        shown.replace(QChar(13), QChar(10));
        std::fprintf(stderr, "%s: %s\n", kind, shown.toUtf8().constData());
    }

public:
    void warning(const QString& text) override { put("Warning", text); }
    void information(const QString& text) override { put("Information", text); }
    void error(const QString& text) override { put("Error", text); }
};

class NoEvents : public EventPump {
public:
    void processEvents() override {}
};

StderrMessages g_defaultMessages;
NoEvents g_defaultEvents;
MessageBoxes* g_messages = &g_defaultMessages;
EventPump* g_events = &g_defaultEvents;
}  // namespace

MessageBoxes& Platform::messages() { return *g_messages; }
EventPump& Platform::events() { return *g_events; }
void Platform::setMessages(MessageBoxes* boxes) { g_messages = boxes ? boxes : &g_defaultMessages; }
void Platform::setEvents(EventPump* pump) { g_events = pump ? pump : &g_defaultEvents; }
