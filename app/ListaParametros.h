#pragma once
#include <QString>
#include <QStringList>

// The run parameters: text lines, bare names or name=value. A line matches a name when it holds
// "=" and the text before its first "=" equals the name without regard to letter case.
class ListaParametros {
public:
    void add(const QString& line) { m_lines.append(line); }
    QString value(const QString& name) const;  // "" when no line matches
    // A non-empty value replaces the first matching line or is appended; an empty one deletes it.
    void setValue(const QString& name, const QString& value);
    const QStringList& lines() const { return m_lines; }
    int count() const { return m_lines.size(); }
    void clear() { m_lines.clear(); }

private:
    int indexOf(const QString& name) const;
    QStringList m_lines;
};
