#include "db/Win1252.h"
#include "common/AppError.h"

namespace {
// Codes 0x80 to 0x9F; 0 marks the five codes that the set leaves undefined.
const char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int codeOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] && kHigh[i] == u)
            return 0x80 + i;
    return -1;
}
}  // namespace

bool Win1252::canEncode(QChar c) { return codeOf(c) >= 0; }

QByteArray Win1252::encode(const QString& text, bool substitui)
{
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char* o = out.data();
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype i = 0; i < n; ++i) {
        const int code = codeOf(QChar(p[i]));
        if (code < 0 && substitui) {
            o[i] = '?';
            continue;
        }
        if (code < 0) {
            throw AppError(QStringLiteral("O caractere %1 na posição %2 não pode ser gravado no banco de destino (conjunto de caracteres WIN1252): \"%3\"")
                               .arg(codePoint(text, static_cast<int>(i)))
                               .arg(i + 1)
                               .arg(text.left(200)));
        }
        o[i] = static_cast<char>(code);
    }
    return out;
}

QString Win1252::decode(const char* data, int length)
{
    QString out;
    out.reserve(length);
    for (int i = 0; i < length; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80])
            out.append(QChar(kHigh[b - 0x80]));
        else
            out.append(QChar(b));
    }
    return out;
}

QString Win1252::codePoint(const QString& text, int pos)
{
    char32_t code = text[pos].unicode();
    if (text[pos].isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate())
        code = QChar::surrogateToUcs4(text[pos], text[pos + 1]);
    return QStringLiteral("U+") + QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}
