#pragma once
#include <QByteArray>
#include <QString>

// Text in the target's connection character set. Encoding refuses characters it cannot hold
// instead of replacing them, so no value is ever stored altered.
class Win1252 {
public:
    // Raises AppError naming the first character that has no code in the set; with substitui
    // (the pre-flight check's trial on a scratch copy only) such a character becomes "?".
    static QByteArray encode(const QString& text, bool substitui = false);
    static bool canEncode(QChar c);
    // "U+XXXX" of the character at pos: the whole code point when pos starts a surrogate pair
    // (an emoji is U+1F600, not its first half).
    static QString codePoint(const QString& text, int pos);
    static QString decode(const char* data, int length);
};
