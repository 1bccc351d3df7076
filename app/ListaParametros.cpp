#include "app/ListaParametros.h"

int ListaParametros::indexOf(const QString& name) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const int eq = m_lines[i].indexOf(QLatin1Char('='));
        if (eq >= 0 && m_lines[i].left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString ListaParametros::value(const QString& name) const
{
    const int i = indexOf(name);
    if (i < 0)
        return QString();
    return m_lines[i].mid(m_lines[i].indexOf(QLatin1Char('=')) + 1);
}

void ListaParametros::setValue(const QString& name, const QString& value)
{
    const int i = indexOf(name);
    if (value.isEmpty()) {
        if (i >= 0)
            m_lines.removeAt(i);
        return;
    }
    const QString line = name + QLatin1Char('=') + value;
    if (i >= 0)
        m_lines[i] = line;
    else
        m_lines.append(line);
}
