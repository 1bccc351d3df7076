// Value normalization of TConversao (pure text functions).
#include "conversion/TextRules.h"
#include "conversion/classConversao.h"
#include "common/AppError.h"
#include "db/FieldValue.h"
#include "common/RegionalFormat.h"
#include <algorithm>
#include <cmath>
#include <iterator>

QString TConversao::codigoZerado(const QString& limpo, int largura, const QString& campo, const QString& lido) const
{
    if (limpo.size() > largura)
        throw AppError(QStringLiteral("%1 '%2'%3 tem mais de %4 caracteres.")
                           .arg(campo, limpo,
                                lido == limpo ? QString() : QStringLiteral(" (na origem: '%1')").arg(lido))
                           .arg(largura));
    return StrZero(limpo, largura);
}

QString TConversao::StrZero(const QString& Valor, int Qtd) const
{
    if (Qtd > Valor.size())
        return QString(Qtd - Valor.size(), QLatin1Char('0')) + Valor;
    return Valor;
}

QString TConversao::TiraMascara(const QString& Valor) const
{
    const QString maiusculo = TextRules::upper(Valor);
    // The exemption word is kept as typed (blanks included): document columns accept it.
    if (TextRules::trim(maiusculo) == QLatin1String("ISENTO"))
        return maiusculo;
    if (maiusculo.contains(QLatin1String("ISEN")))
        return QString();
    QString digitos;
    digitos.reserve(maiusculo.size());
    for (const QChar c : maiusculo)
        if (c.unicode() >= '0' && c.unicode() <= '9')
            digitos.append(c);
    return digitos;
}

QString TConversao::FValidaData(QString& Data) const
{
    if (Data.isEmpty() || Data == QLatin1String("  -   -")) {
        Data = RegionalFormat::dateToStr(QDate::currentDate());
    } else if (Data.contains(QLatin1Char('/'))) {
        Data.replace(QLatin1Char('/'), QLatin1Char('.'));
    } else if (Data.contains(QLatin1Char('-'))) {
        Data.replace(QLatin1Char('-'), QLatin1Char('.'));
    } else if (Data.contains(QLatin1Char('.'))) {
        // already in the target's form
    } else {
        // A bare number is a day count from 30-12-1899; its fraction (a time of day) is ignored.
        double dias = 0;
        if (!RegionalFormat::strToFloat(Data, &dias) || !(dias >= -657434.0 && dias < 2958466.0)) {
            Data = QString();
        } else {
            const QDate dia = FieldValue::zeroDate().date().addDays(static_cast<qint64>(std::trunc(dias)));
            const QString sep(RegionalFormat::dateSeparator());
            Data = dia.toString(QStringLiteral("dd") + sep + QStringLiteral("MM") + sep +
                                QStringLiteral("yyyy"));
        }
    }
    return Data;
}

QString TConversao::FValidaTelefone(const QString& Tel) const
{
    QString t = FRemoveCaracter(TextRules::trim(Tel));
    if (!t.isEmpty()) {
        // Each pass looks one position further into the shortened text: "0031..." loses one
        // leading zero here and the second one below.
        int i = 1;
        while (i <= t.size() && t[i - 1] == QLatin1Char('0')) {
            t = TextRules::copy(t, i, t.size());
            ++i;
        }
    }
    t.remove(QLatin1Char(' '));
    if (t.size() == 8)
        t.prepend(QStringLiteral("31"));
    if (t.startsWith(QLatin1Char('0')))
        t.remove(0, 1);
    return t;
}

QString TConversao::FVirgulaPonto(const QString& Valor) const
{
    QString t = Valor.isEmpty() ? QStringLiteral("0,00") : Valor;
    // The rest of the text is kept whole: a cut value would be written as if complete.
    int p;
    while ((p = t.indexOf(QLatin1Char(','))) >= 0)
        t = TextRules::trim(t.left(p) + QLatin1Char('.') + t.mid(p + 1));
    return t;
}

namespace {
// The punctuation FRemoveCaracter removes, in its order; the classification number loses the same.
const QChar kSinais[] = {QLatin1Char('('), QLatin1Char(')'), QLatin1Char('-'),
                         QLatin1Char('.'), QLatin1Char('/'), QLatin1Char('\'')};
}  // namespace

QString TConversao::FRemoveCaracter(const QString& Valor) const
{
    QString t = Valor;
    for (const QChar s : kSinais) {
        int p;
        while ((p = t.indexOf(s)) >= 0)
            t = TextRules::trim(t.left(p) + t.mid(p + 1));
    }
    return t;
}

QString TConversao::FRetiraAcento(const QString& Valor) const
{
    QString t = TextRules::upper(Valor);
    for (QChar& c : t) {
        const char16_t u = c.unicode();
        if ((u >= 0xC0 && u <= 0xC4) || (u >= 0xE0 && u <= 0xE4))
            c = QLatin1Char('A');
        else if (u >= 0xC8 && u <= 0xCA)
            c = QLatin1Char('E');
        else if (u >= 0xCC && u <= 0xCE)
            c = QLatin1Char('I');
        else if (u >= 0xD2 && u <= 0xD6)
            c = QLatin1Char('O');
        else if (u == 0xD9 || u == 0xDA || u == 0xDC)
            c = QLatin1Char('U');
        else if (u == 0xC7 || u == 0xE7)
            c = QLatin1Char('C');
        else if (u == ':' || u == ';')
            c = QLatin1Char('.');
    }
    return t;
}

QString TConversao::FRetiraTraco(const QString& Valor) const
{
    QString t = Valor;
    t.remove(QLatin1Char('-'));
    return t;
}

QString TConversao::FRetornaFJ(const QString& sCNPJ_CPF) const
{
    return sCNPJ_CPF.size() <= 11 ? QStringLiteral("F") : QStringLiteral("J");
}

QString TConversao::FNormalizaNCM(const QString& ClasFis, int Largura) const
{
    QString n;
    n.reserve(ClasFis.size());
    for (const QChar c : ClasFis) {
        if (c.unicode() <= 32 || std::find(std::begin(kSinais), std::end(kSinais), c) != std::end(kSinais))
            continue;
        n.append(c);
    }
    return n.left(Largura);
}
