#pragma once
#include <QDate>
#include <QString>

// Text rules shared by the converters: positions count from 1, trimming removes every
// character of code 32 or less at both ends, upper-casing touches only a to z, quoting wraps a
// text in single quotes and doubles the single quotes inside.
class TextRules {
public:
    static QString copy(const QString& text, int start, int count);  // part (start, count)
    static QString left(const QString& text, int count);  // the first count characters
    static QString trim(const QString& text);
    static QString upper(const QString& text);
    // Every lower-case letter of the target's character set (WIN1252) to its upper-case form
    // there: á to Á, ç to Ç, ÿ to Ÿ, š to Š and so on. ß and µ have no upper-case form in the
    // set and stay; characters outside it are left as they are.
    static QString upperWin1252(const QString& text);
    static QString quoted(const QString& text);
    static void appendQuoted(QString& out, QStringView text);  // out += quoted(text)
    static QString removeChar(const QString& text, QChar c);
    static QString right(const QString& text, int count);  // the last count characters
    static QString numberLiteral(double value);  // general form, "." decimal, unquoted
    static QString dateLiteral(const QDate& date);  // 'DD.MM.YYYY'
};
