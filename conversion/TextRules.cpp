#include "conversion/TextRules.h"
#include "common/RegionalFormat.h"

QString TextRules::copy(const QString& text, int start, int count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || start > text.size())
        return QString();
    return text.mid(start - 1, count);
}

QString TextRules::left(const QString& text, int count) { return copy(text, 1, count); }

QString TextRules::trim(const QString& text)
{
    int b = 0, e = text.size();
    while (b < e && text[b].unicode() <= 32)
        ++b;
    while (e > b && text[e - 1].unicode() <= 32)
        --e;
    return text.mid(b, e - b);
}

QString TextRules::upper(const QString& text)
{
    QString r = text;
    for (QChar& c : r)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 32);
    return r;
}

QString TextRules::upperWin1252(const QString& text)
{
    QString r = text;
    for (QChar& c : r) {
        const char16_t u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))  // 0xF7 is the sign ÷
            c = QChar(static_cast<char16_t>(u - 32));
        else if (u == 0x0161 || u == 0x0153 || u == 0x017E)  // š œ ž
            c = QChar(static_cast<char16_t>(u - 1));
        else if (u == 0x00FF)  // ÿ
            c = QChar(static_cast<char16_t>(0x0178));
    }
    return r;
}

QString TextRules::quoted(const QString& text)
{
    QString r;
    r.reserve(text.size() + 2);
    appendQuoted(r, text);
    return r;
}

void TextRules::appendQuoted(QString& out, QStringView text)
{
    // Straight into the caller's buffer: every value of every statement passes here.
    const QChar q = QLatin1Char('\'');
    out += q;
    qsizetype from = 0;
    for (qsizetype p = text.indexOf(q); p >= 0; p = text.indexOf(q, from)) {
        out += text.mid(from, p + 1 - from);
        out += q;
        from = p + 1;
    }
    out += text.mid(from);
    out += q;
}

QString TextRules::removeChar(const QString& text, QChar c)
{
    QString r = text;
    r.remove(c);
    return r;
}

QString TextRules::right(const QString& text, int count)
{
    return count >= text.size() ? text : text.right(count);
}

QString TextRules::numberLiteral(double value)
{
    return RegionalFormat::floatToStr(value).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString TextRules::dateLiteral(const QDate& date)
{
    return QLatin1Char('\'') + date.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char('\'');
}
