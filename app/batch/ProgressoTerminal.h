#pragma once
#include "platform/Gauge.h"
#include "platform/Platform.h"
#include "platform/ProgressLabel.h"
#include <QElapsedTimer>
#include <QString>
#include <cstdio>

// The progress display of the batch runner. On a terminal one line is rewritten in place
// (row N of M, rows per second, time left); otherwise a plain line is written at every tenth
// of a group and at its end. Also serves as the runner's message boxes.
class ProgressoTerminal : public Gauge, public ProgressLabel, public MessageBoxes, public EventPump {
public:
    explicit ProgressoTerminal(std::FILE* out, bool terminal);
    // The run says which group it converts; the rows shown are those of its walk, from the
    // first row's label to the label emptied at its end.
    void iniciaGrupo(const QString& nome);
    void terminaGrupo();
    void setText(const QString& text) override;
    QString text() const override { return m_text; }
    void processEvents() override;
    void warning(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    const QString& ultimoErro() const { return m_ultimoErro; }

private:
    void endLine();
    std::FILE* m_out;
    bool m_terminal;
    QString m_text;
    QString m_group;
    bool m_walking = false;
    QElapsedTimer m_groupClock;
    qint64 m_lastDraw = -1000;
    int m_lastTenth = -1;
    bool m_lineOpen = false;
    QString m_ultimoErro;
};
