#include "db/SqlText.h"
#include <algorithm>

namespace SqlText {

bool isIdentStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

int literalEnd(const QString& text, int i)
{
    const QChar q = text[i];
    const int n = text.size();
    int j = i + 1;
    while (j < n && !(text[j] == q && !(j + 1 < n && text[j + 1] == q)))
        j += text[j] == q ? 2 : 1;
    return std::min(j + 1, n);
}

namespace {
bool startsSomething(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('-') || c == QLatin1Char('/') ||
           c == QLatin1Char(':');
}
}  // namespace

QString parseParams(const QString& text, QStringList& names)
{
    // Without a colon there is no parameter, and the text stays as it is (most statements
    // carry their values as literals).
    if (!text.contains(QLatin1Char(':')))
        return text;
    QString out;
    out.reserve(text.size());
    const int n = text.size();
    for (int i = 0; i < n;) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int j = literalEnd(text, i);
            out += QStringView(text).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && text[i + 1] == QLatin1Char('-')) {
            int j = text.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
            out += QStringView(text).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < n && text[i + 1] == QLatin1Char('*')) {
            int j = text.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out += QStringView(text).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n && isIdentStart(text[i + 1])) {
            int j = i + 1;
            while (j < n && isIdentChar(text[j]))
                ++j;
            names.append(text.mid(i + 1, j - i - 1).toUpper());
            out += QLatin1Char('?');
            i = j;
        } else {
            // Up to the next character that may start a literal, a comment or a parameter.
            int j = i + 1;
            while (j < n && !startsSomething(text[j]))
                ++j;
            out += QStringView(text).mid(i, j - i);
            i = j;
        }
    }
    return out;
}

QString literalValue(const QString& text, Span s)
{
    if (s.end - s.start < 2)
        return QString();
    const QChar q = text[s.start];
    QString v = text.mid(s.start + 1, s.end - s.start - 2);
    v.replace(QString(2, q), QString(q));
    return v;
}

std::vector<std::vector<Span>> topLevelLists(const QString& text)
{
    std::vector<std::vector<Span>> lists;
    int depth = 0, itemStart = -1;
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            i = literalEnd(text, i) - 1;
        } else if (c == QLatin1Char('(')) {
            if (++depth == 1) {
                lists.emplace_back();
                itemStart = i + 1;
            }
        } else if (c == QLatin1Char(')') && depth > 0) {
            if (--depth == 0)
                lists.back().push_back({itemStart, i});
        } else if (c == QLatin1Char(',') && depth == 1) {
            lists.back().push_back({itemStart, i});
            itemStart = i + 1;
        }
    }
    return lists;
}

Span literalAt(const QString& text, int pos)
{
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\'') && c != QLatin1Char('"'))
            continue;
        const int end = literalEnd(text, i);
        if (pos >= i && pos < end)
            return {i, end};
        i = end - 1;
    }
    return {};
}

QString columnOf(const QString& text, Span lit)
{
    if (lit.start < 0)
        return QString();
    if (text.trimmed().startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive)) {
        const auto lists = topLevelLists(text);
        if (lists.size() >= 2) {
            const auto& columns = lists[0];
            const auto& values = lists[1];
            for (size_t k = 0; k < values.size() && k < columns.size(); ++k)
                if (lit.start >= values[k].start && lit.end <= values[k].end)
                    return text.mid(columns[k].start, columns[k].end - columns[k].start).trimmed();
        }
        return QString();
    }
    int i = lit.start - 1;
    while (i >= 0 && text[i].isSpace())
        --i;
    if (i < 0 || text[i] != QLatin1Char('='))
        return QString();
    --i;
    while (i >= 0 && text[i].isSpace())
        --i;
    const int end = i + 1;
    while (i >= 0 && (isIdentChar(text[i]) || text[i] == QLatin1Char('.')))
        --i;
    return text.mid(i + 1, end - i - 1);
}

}  // namespace SqlText
