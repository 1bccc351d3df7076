#pragma once
#include <QString>

// Modal message boxes with a single OK button; a carriage return in a text is a line break.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void warning(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // A yes/no question; true only when the operator answers yes. Where nobody can answer, the
    // answer is no.
    virtual bool question(const QString& text) { return false; }
};

// Lets the window repaint and react from inside a long operation.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
};

// The process-wide message boxes and event pump. Until the program installs its own, messages
// go to standard error and there are no events to process.
class Platform {
public:
    static MessageBoxes& messages();
    static EventPump& events();
    static void setMessages(MessageBoxes* boxes);  // nullptr restores the default
    static void setEvents(EventPump* pump);
    static void processEvents() { events().processEvents(); }
};
