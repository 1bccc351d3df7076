#include "app/batch/ProgressoTerminal.h"

ProgressoTerminal::ProgressoTerminal(std::FILE* out, bool terminal) : m_out(out), m_terminal(terminal) {}

void ProgressoTerminal::endLine()
{
    if (m_lineOpen) {
        std::fputc('\n', m_out);
        m_lineOpen = false;
    }
}

void ProgressoTerminal::iniciaGrupo(const QString& nome)
{
    endLine();
    m_group = nome;
    m_walking = false;
}

void ProgressoTerminal::terminaGrupo()
{
    endLine();
    m_group.clear();
    m_walking = false;
}

void ProgressoTerminal::setText(const QString& text)
{
    m_text = text;
    if (m_group.isEmpty())
        return;
    if (text.isEmpty()) {
        if (m_walking) {
            endLine();
            std::fprintf(m_out, "%s: concluído, %d registros em %.1f s\n", m_group.toUtf8().constData(),
                         maximum(), m_groupClock.elapsed() / 1000.0);
            std::fflush(m_out);
            m_walking = false;
        }
        return;
    }
    if (!m_walking) {
        m_walking = true;
        m_groupClock.start();
        m_lastDraw = -1000;
        m_lastTenth = -1;
    }
}

void ProgressoTerminal::processEvents()
{
    if (!m_walking)
        return;
    const int done = position();
    const int total = maximum();
    const qint64 ms = m_groupClock.elapsed();
    // From the elapsed nanoseconds: whole milliseconds make the rate of a fast start jump in
    // steps of a thousand rows per second.
    const qint64 ns = m_groupClock.nsecsElapsed();
    const double rate = ns > 0 ? done * 1e9 / ns : 0;
    if (m_terminal) {
        if (ms - m_lastDraw < 100 && done + 1 < total)
            return;
        m_lastDraw = ms;
        const int left = rate > 0 ? static_cast<int>((total - done) / rate) : 0;
        std::fprintf(m_out, "\r%s: registro %d de %d  %.0f reg/s  restante %d:%02d   ", m_group.toUtf8().constData(),
                     done + 1, total, rate, left / 60, left % 60);
        m_lineOpen = true;
    } else {
        const int tenth = total > 0 ? (10 * (done + 1)) / total : 10;
        if (tenth == m_lastTenth)
            return;
        m_lastTenth = tenth;
        std::fprintf(m_out, "%s: registro %d de %d (%.0f reg/s)\n", m_group.toUtf8().constData(), done + 1, total, rate);
    }
    std::fflush(m_out);
}

namespace {
QString lines(QString text)
{
    text.replace(QChar(13), QChar(10));
    return text;
}
}  // namespace

void ProgressoTerminal::warning(const QString& text)
{
    endLine();
    std::fprintf(stderr, "Aviso: %s\n", lines(text).toUtf8().constData());
}

void ProgressoTerminal::information(const QString& text)
{
    endLine();
    std::fprintf(m_out, "%s\n", lines(text).toUtf8().constData());
    std::fflush(m_out);
}

void ProgressoTerminal::error(const QString& text)
{
    m_ultimoErro = text;
    endLine();
    std::fprintf(stderr, "%s\n", lines(text).toUtf8().constData());
}
