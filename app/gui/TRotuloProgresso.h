#pragma once
#include "platform/ProgressLabel.h"
#include <QLabel>

// The one-line progress text of the window; it grows with its text.
class TRotuloProgresso : public QLabel, public ProgressLabel {
    Q_OBJECT
public:
    explicit TRotuloProgresso(QWidget* parent = nullptr);
    void setText(const QString& text) override;
    QString text() const override { return QLabel::text(); }
};
