// The value functions of the converter base, the shared text rules, the number literal form and
// the reading of source values: each must keep the property it documents for every input.
#include "Entrada.h"
#include "Sql.h"
#include "conversion/TextRules.h"
#include "conversion/classConversao.h"
#include "common/RegionalFormat.h"
#include "db/TargetDatabase.h"
#include "db/Win1252.h"
#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace {

const TConversao& conversao()
{
    static TargetDatabase db;  // the value functions read no database
    static TConversao c(db);
    return c;
}

bool soDigitos(const QString& t)
{
    for (const QChar c : t)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    return true;
}

QString digitos(const QString& t)
{
    QString r;
    for (const QChar c : t)
        if (c.unicode() >= '0' && c.unicode() <= '9')
            r.append(c);
    return r;
}

QString semBrancos(const QString& t)  // every character of code 32 or less removed
{
    QString r;
    for (const QChar c : t)
        if (c.unicode() > 32)
            r.append(c);
    return r;
}

QString sem(const QString& t, const QString& caracteres)
{
    QString r;
    for (const QChar c : t)
        if (!caracteres.contains(c))
            r.append(c);
    return r;
}

bool dataComBarras(const QString& t)
{
    static const QRegularExpression forma(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d\\d\\d$"));
    return forma.match(t).hasMatch() && QDate::fromString(t, QStringLiteral("dd/MM/yyyy")).isValid();
}

// A number literal is one number token and reads back as the value within the 15 significant
// digits it keeps.
void confereLiteralNumerico(double v)
{
    const QString lit = TextRules::numberLiteral(v);
    static const QRegularExpression forma(QStringLiteral("^-?\\d+(\\.\\d+)?(E-?\\d+)?$"));
    FUZZ_CHECK(forma.match(lit).hasMatch());
    // Read where the statements put it, after "(", "," or "=": a sign belongs to the number there.
    const QString emLista = QStringLiteral("(") + lit + QStringLiteral(")");
    const auto ts = sql::tokens(emLista);
    FUZZ_CHECK(ts.size() == 3 && ts[1].kind == sql::Token::Numero && sql::textoDe(emLista, ts[1]) == lit);
    const std::optional<double> lido = sql::numero(emLista, ts[1]);
    FUZZ_CHECK(lido.has_value());
    if (std::isinf(*lido)) {
        // Fifteen digits of the very largest doubles round beyond the range: the target refuses
        // that literal and the run stops naming the field, so no other value is stored.
        FUZZ_CHECK(std::fabs(v) > 1.79769313486231e308);
    } else {
        const double erro = std::fabs(*lido - v);
        FUZZ_CHECK(erro <= std::fabs(v) * 1e-14 || erro <= 2 * std::numeric_limits<double>::denorm_min());
        // The regional form is read back by the source reader as the same number.
        double regional = 0;
        FUZZ_CHECK(RegionalFormat::strToFloat(RegionalFormat::floatToStr(v), &regional));
        FUZZ_CHECK(regional == *lido);
    }
    const QString mantissa = lit.section(QLatin1Char('E'), 0, 0);
    int significativos = 0;
    for (const QChar c : mantissa)
        if (c.isDigit())
            ++significativos;
    // Leading zeros of "0.000123" are no significant digits.
    int zeros = 0;
    for (const QChar c : mantissa) {
        if (c == QLatin1Char('-') || c == QLatin1Char('.'))
            continue;
        if (c != QLatin1Char('0'))
            break;
        ++zeros;
    }
    FUZZ_CHECK(significativos - zeros <= 15);
}

void confereTexto(const TConversao& c, const QString& v, int largura)
{
    // StrZero: zeros on the left up to the width, the value itself never cut.
    {
        const QString r = c.StrZero(v, largura);
        FUZZ_CHECK(r.size() == std::max<qsizetype>(largura, v.size()));
        FUZZ_CHECK(v.isEmpty() || r.endsWith(v));
        FUZZ_CHECK(r.left(r.size() - v.size()) == QString(r.size() - v.size(), QLatin1Char('0')));
    }
    const QString maiusculo = TextRules::upper(v);
    // TiraMascara: the digits in their order, or the exemption word as typed, or nothing.
    {
        const QString r = c.TiraMascara(v);
        if (TextRules::trim(maiusculo) == QLatin1String("ISENTO"))
            FUZZ_CHECK(r == maiusculo);
        else if (maiusculo.contains(QLatin1String("ISEN")))
            FUZZ_CHECK(r.isEmpty());
        else
            FUZZ_CHECK(soDigitos(r) && r == digitos(v));
    }
    // FValidaData rewrites the caller's text and returns it.
    {
        QString d = v;
        const QString r = c.FValidaData(d);
        FUZZ_CHECK(r == d);
        if (v.isEmpty() || v == QLatin1String("  -   -")) {
            FUZZ_CHECK(dataComBarras(r));
        } else if (v.contains(QLatin1Char('/'))) {
            FUZZ_CHECK(r == QString(v).replace(QLatin1Char('/'), QLatin1Char('.')));
        } else if (v.contains(QLatin1Char('-'))) {
            FUZZ_CHECK(r == QString(v).replace(QLatin1Char('-'), QLatin1Char('.')));
        } else if (v.contains(QLatin1Char('.'))) {
            FUZZ_CHECK(r == v);
        } else {
            double dias = 0;
            const bool numero = RegionalFormat::strToFloat(v, &dias);
            if (!numero || dias < -657434.0 || dias >= 2958466.0) {
                FUZZ_CHECK(r.isEmpty());
            } else {
                // A day count from 30 December 1899; the fraction (a time of day) is dropped.
                FUZZ_CHECK(dataComBarras(r));
                const QDate dia = QDate::fromString(r, QStringLiteral("dd/MM/yyyy"));
                FUZZ_CHECK(FieldValue::zeroDate().date().daysTo(dia) == static_cast<qint64>(std::trunc(dias)));
            }
        }
    }
    const QString sinais = QStringLiteral("()-./'");
    // FRemoveCaracter: none of the six left, nothing else lost but blanks at the ends.
    {
        const QString r = c.FRemoveCaracter(v);
        FUZZ_CHECK(sem(r, sinais) == r);
        if (sem(v, sinais) == v)
            FUZZ_CHECK(r == v);
        else
            FUZZ_CHECK(semBrancos(r) == semBrancos(sem(v, sinais)));
    }
    // FValidaTelefone: no punctuation, no blank, never longer than the digits plus an area code.
    {
        const QString r = c.FValidaTelefone(v);
        FUZZ_CHECK(sem(r, sinais + QLatin1Char(' ')) == r);
        FUZZ_CHECK(r.size() <= c.FRemoveCaracter(TextRules::trim(v)).size() + 2);
    }
    // FVirgulaPonto: decimal commas become points; a text without a comma stays as it is.
    {
        const QString r = c.FVirgulaPonto(v);
        if (v.isEmpty())
            FUZZ_CHECK(r == QLatin1String("0.00"));
        else if (!v.contains(QLatin1Char(',')))
            FUZZ_CHECK(r == v);
        else
            FUZZ_CHECK(r == TextRules::trim(QString(v).replace(QLatin1Char(','), QLatin1Char('.'))));
    }
    // FRetiraAcento: same length, upper case, the listed accents and ":" ";" mapped, the rest kept.
    {
        const QString r = c.FRetiraAcento(v);
        FUZZ_CHECK(r.size() == v.size());
        for (qsizetype i = 0; i < r.size(); ++i) {
            const char16_t a = maiusculo[i].unicode(), b = r[i].unicode();
            FUZZ_CHECK(!(b >= 'a' && b <= 'z') && b != ':' && b != ';');
            const bool mapeado = (a >= 0xC0 && a <= 0xC4) || (a >= 0xE0 && a <= 0xE4) || (a >= 0xC8 && a <= 0xCA) ||
                                 (a >= 0xCC && a <= 0xCE) || (a >= 0xD2 && a <= 0xD6) || a == 0xD9 || a == 0xDA ||
                                 a == 0xDC || a == 0xC7 || a == 0xE7 || a == ':' || a == ';';
            if (mapeado)
                FUZZ_CHECK(QStringLiteral("AEIOUC.").contains(r[i]));
            else
                FUZZ_CHECK(a == b);
        }
    }
    {
        const QString r = c.FRetiraTraco(v);
        FUZZ_CHECK(r == sem(v, QStringLiteral("-")));
    }
    FUZZ_CHECK(c.FRetornaFJ(v) == (v.size() <= 11 ? QLatin1String("F") : QLatin1String("J")));
    // FNormalizaNCM: at most 8 characters, no mask punctuation, no blanks or control characters.
    {
        const QString r = c.FNormalizaNCM(v);
        FUZZ_CHECK(r.size() <= 8);
        FUZZ_CHECK(r == sem(semBrancos(r), QStringLiteral("()-./'")));
        // (A null text does not start with an empty one in Qt, hence the first test.)
        FUZZ_CHECK(r.isEmpty() || sem(semBrancos(v), QStringLiteral("()-./'")).startsWith(r));
        // The fiscal classes' CODNBM form starts with the lookup's form.
        FUZZ_CHECK(r.isEmpty() || c.FNormalizaNCM(v, 20).startsWith(r));
        FUZZ_CHECK(c.FNormalizaNCM(c.FNormalizaNCM(v, 20)) == r);
    }
    // Shared text rules.
    {
        const QString t = TextRules::trim(v);
        FUZZ_CHECK(t.isEmpty() || (t.front().unicode() > 32 && t.back().unicode() > 32));
        FUZZ_CHECK(t.isEmpty() || v.contains(t));
        FUZZ_CHECK(semBrancos(t) == semBrancos(v));
        FUZZ_CHECK(maiusculo.size() == v.size());
        for (qsizetype i = 0; i < v.size(); ++i) {
            const char16_t a = v[i].unicode();
            FUZZ_CHECK(maiusculo[i].unicode() == (a >= 'a' && a <= 'z' ? a - 32 : a));
        }
        // The set-wide upper-casing: same length, a character the set holds stays in the set,
        // and a second pass changes nothing.
        const QString todas = TextRules::upperWin1252(v);
        FUZZ_CHECK(todas.size() == v.size() && TextRules::upperWin1252(todas) == todas);
        for (qsizetype i = 0; i < v.size(); ++i)
            FUZZ_CHECK(!Win1252::canEncode(v[i]) || Win1252::canEncode(todas[i]));
        const int inicio = largura - 8;  // below 1 too
        const QString parte = TextRules::copy(v, inicio, largura);
        FUZZ_CHECK(parte.size() <= std::max(0, largura));
        FUZZ_CHECK(parte == (largura <= 0 ? QString() : v.mid(std::max(1, inicio) - 1, largura)));
        FUZZ_CHECK(TextRules::right(v, std::max(0, largura)) == v.right(std::max(0, largura)));
    }
}

// Source values: a text read as a number, whole number or date either gives one or is refused
// with an error; it never hands a non-finite number or an invalid date on.
void confereLeitura(const entrada::Campo& campo)
{
    const FieldValue f = FieldValue::text(campo.texto);
    const std::optional<double> lido = entrada::numeroDoTexto(campo.texto);  // finite, or refused
    if (lido)
        confereLiteralNumerico(*lido);
    // The fillers' reading raises exactly where toFloat gives none, with the same number otherwise.
    try {
        const double v = f.asFloat();
        FUZZ_CHECK(lido && v == *lido);
    } catch (const AppError&) {
        FUZZ_CHECK(!lido);
    }
    try {
        (void)f.asInteger();
    } catch (const AppError&) {
    }
    try {
        FUZZ_CHECK(f.asDateTime().isValid());
    } catch (const AppError&) {
    }
    const double bruto = entrada::numero(campo, lido);
    if (!lido)  // otherwise the same number, checked above
        confereLiteralNumerico(bruto);
    const FieldValue real = FieldValue::real(bruto);
    FUZZ_CHECK(real.asFloat() == bruto);
    try {
        (void)real.asInteger();
    } catch (const AppError&) {
    }
    (void)real.asDateTime();
    (void)real.asString();
}

}  // namespace

// Input: the first byte picks the reading (see leituraPedida), each further line is one value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const TConversao& c = conversao();
    const std::vector<entrada::Campo> campos = entrada::campos(data + 1, size - 1, entrada::leituraPedida(data[0]), 17);
    std::vector<std::pair<QByteArray, int>> feitos;  // a field repeated with the same width: checked already
    for (size_t i = 0; i < campos.size() && i < 16; ++i) {
        // The width comes from the next field's length, so widths below, at and above the
        // value's length (and negative ones) all occur.
        const int largura = (i + 1 < campos.size() ? static_cast<int>(campos[i + 1].bytes.size()) : 0) % 40 - 4;
        const std::pair<QByteArray, int> este(campos[i].bytes, largura);
        if (std::find(feitos.begin(), feitos.end(), este) != feitos.end())
            continue;
        feitos.push_back(este);
        confereTexto(c, campos[i].texto, largura);
        confereLeitura(campos[i]);
    }
    return 0;
}
