#pragma once
#include <QString>

// The one-line progress text under the gauge.
class ProgressLabel {
public:
    virtual ~ProgressLabel() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
};
