#pragma once
// Turns the fuzzer's bytes into the texts a source row could carry. Bytes are read three ways,
// so inputs reach plain accented text (UTF-8, as the source connection decodes it), every code
// from 0 to 255 (Latin-1) and any 16-bit unit, lone surrogates included (UTF-16): all three for
// each input where an execution is cheap, the one the input picks (leituraPedida) where it is
// not. Fields are separated by a newline.
#include "common/AppError.h"
#include "db/FieldValue.h"
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

// A broken invariant: abort, so that libFuzzer keeps the input and prints the reason.
#define FUZZ_CHECK(cond)                                                                       \
    do {                                                                                       \
        if (!(cond)) {                                                                         \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace entrada {

enum class Leitura { Utf8, Latin1, Utf16 };
constexpr Leitura kLeituras[] = {Leitura::Utf8, Leitura::Latin1, Leitura::Utf16};

// One field: its text and the raw bytes it came from (numbers are also taken from the bytes).
struct Campo {
    QString texto;
    QByteArray bytes;
};

inline QString decodifica(const QByteArray& b, Leitura l)
{
    switch (l) {
    case Leitura::Utf8:
        return QString::fromUtf8(b);
    case Leitura::Latin1:
        return QString::fromLatin1(b);
    case Leitura::Utf16: {
        QString s(b.size() / 2, Qt::Uninitialized);
        for (int i = 0; i + 1 < b.size(); i += 2)
            s[i / 2] = QChar(static_cast<char16_t>(static_cast<unsigned char>(b[i]) |
                                                   (static_cast<unsigned char>(b[i + 1]) << 8)));
        return s;
    }
    }
    return QString();
}

// The reading an input asks for with its first byte, the fields being the bytes after it: the
// byte's value modulo 3, so "0" reads UTF-8, "1" Latin-1, "2" UTF-16. One reading per input,
// where an execution costs much: the readings of the same bytes are unrelated texts anyway, and
// the fuzzer reaches each by changing that byte.
inline Leitura leituraPedida(uint8_t primeiro) { return kLeituras[primeiro % 3]; }

// Bytes below 0x80 read the same in Latin-1 as in UTF-8 (fields and their bytes alike): that
// reading would only repeat the checks just made.
inline bool repete(Leitura l, const uint8_t* data, size_t size)
{
    if (l != Leitura::Latin1)
        return false;
    for (size_t i = 0; i < size; ++i)
        if (data[i] >= 0x80)
            return false;
    return true;
}

// Each reading of the whole input that is not a repetition, handed to confere as one text (the
// scanners' targets, cheap enough to check every reading of every input).
template <typename Confere>
void cadaLeitura(const uint8_t* data, size_t size, Confere&& confere)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const Leitura l : kLeituras)
        if (!repete(l, data, size))
            confere(decodifica(bytes, l));
}

// The fields of an input, at most "maximo" of them (the rest of the input is not read). A
// field's bytes are the input's own, not a copy: the input outlives the execution's fields.
inline std::vector<Campo> campos(const uint8_t* data, size_t size, Leitura l, size_t maximo = SIZE_MAX)
{
    std::vector<Campo> out;
    // Split by units of the reading: in UTF-16 a newline is the unit 0x000A (low byte first, as
    // decodifica reads), and a newline byte inside another unit is no separator. A field's bytes
    // are its units' bytes.
    const size_t unidade = l == Leitura::Utf16 ? 2 : 1;
    const size_t n = size / unidade;
    size_t inicio = 0;
    for (size_t i = 0; i <= n && out.size() < maximo; ++i) {
        if (i == n || (data[unidade * i] == '\n' && (unidade == 1 || data[unidade * i + 1] == 0))) {
            const QByteArray b = QByteArray::fromRawData(reinterpret_cast<const char*>(data) + unidade * inicio,
                                                         static_cast<qsizetype>(unidade * (i - inicio)));
            out.push_back({decodifica(b, l), b});
            inicio = i + 1;
        }
    }
    return out;
}

// A number as the fillers read one: the text through FieldValue (regional or database form);
// a text that is no number gives the number held in its first eight bytes instead, so raw
// bit patterns (huge, tiny, negative zero) reach the setters too. Source columns deliver
// finite numbers only, so NaN and infinity become 0.
inline std::optional<double> numeroDoTexto(const QString& t)
{
    // toFloat, not asFloat: the same reading without an exception for every field that is no
    // number, which most fuzzed fields are (the throw cost more than the rest of the reading).
    const std::optional<double> v = FieldValue::text(t).toFloat();
    FUZZ_CHECK(!v || std::isfinite(*v));  // the reader never hands out a non-finite number
    return v;
}

// doTexto: what numeroDoTexto gave for the field's text, for a caller that has it already.
inline double numero(const Campo& c, std::optional<double> doTexto)
{
    if (doTexto)
        return *doTexto;
    double v = 0;
    if (c.bytes.size() >= static_cast<qsizetype>(sizeof v))
        std::memcpy(&v, c.bytes.constData(), sizeof v);
    return std::isfinite(v) ? v : 0.0;
}

inline double numero(const Campo& c) { return numero(c, numeroDoTexto(c.texto)); }

inline int inteiro(const Campo& c)
{
    const double v = numero(c);
    return v >= -2147483648.0 && v <= 2147483647.0 ? static_cast<int>(v) : 0;
}

// A date the way the source connection decodes a DATE column: invalid (0000-00-00) is no date.
inline QDateTime data(const Campo& c, const QDateTime& semData)
{
    const QDate d = QDate::fromString(c.texto.left(10), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? QDateTime(d, QTime(0, 0), Qt::UTC) : semData;
}

}  // namespace entrada
