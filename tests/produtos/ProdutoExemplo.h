#pragma once
// A product record with a distinct value in every field, the insert it must produce column by
// column, and helpers to take statement texts apart.
#include "entities/Produto.h"
#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <ostream>
#include <utility>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace exemplo {

struct Coluna {
    QString nome;     // as the statement writes it
    QString literal;  // the value as the statement writes it
};

inline QDateTime data(int d, int m, int y) { return QDateTime(QDate(y, m, d), QTime(0, 0), Qt::UTC); }

inline void preencheCompleto(TConverteProduto& p)
{
    p.SetCodProd(QStringLiteral("123"));
    p.SetTipoProd(QStringLiteral("X"));
    p.SetAtivado(QStringLiteral("N"));
    p.SetProdBloqueado(QStringLiteral("B"));
    p.SetControleSerie(QStringLiteral("C"));
    p.SetReferencia(QStringLiteral("7891234567890"));
    p.SetRefFabricante(QStringLiteral("RF-01"));
    p.SetDescricao(QStringLiteral("DIPIRONA 500MG"));
    p.SetDescricao2(QStringLiteral("DIPIRONA"));
    p.SetDescricao3(QStringLiteral("ANALGESICO"));
    p.setFFornec_Ult_Ent1(QStringLiteral("000077"));
    p.SetCodGrupo(QStringLiteral("12"));
    p.SetCodSubGrupo(QStringLiteral("4"));
    p.SetPrincipalFornecedor(QStringLiteral("45"));
    p.SetEmbalagem(QStringLiteral("CX 10"));
    p.SetFCodFabric(QStringLiteral("7"));
    p.SetObservacao(QStringLiteral("O'NEIL"));
    p.SetCodLocal(QStringLiteral("PRAT1"));
    p.SetCodClasFis(QStringLiteral("0001"));
    p.SetAliqIcmsReg00(18);
    p.SetBaseicmsReg00(100);
    p.SetBaseIcmsReg02(90.5);
    p.SetCodTribut00(QStringLiteral("60"));
    p.SetCodTribut01(QStringLiteral("10"));
    p.SetAliqIcmsPdv(17);
    p.SetSubsTrib(QStringLiteral("S"));
    p.SetAliqIpi(5.5);
    p.SetAliqIss(2);
    p.SetPeso(0.25);
    p.SetUnidEntrada(QStringLiteral("CX"));
    p.SetUnidSaida(QStringLiteral("UN2"));
    p.SetCodFamilia(QStringLiteral("F1"));
    p.SetCodTipoProduto(QStringLiteral("00"));
    p.setCodVolume(QStringLiteral("V1"));
    p.setTipoEntrega(QStringLiteral("E"));
    p.SetCodGeneroItem(QStringLiteral("30"));
    p.SetPreco(12.5);
    p.SetDescricaoPreco(QStringLiteral("VAREJO"));
    p.SetPreco2(13.75);
    p.SetDescricaoPreco2(QStringLiteral("PRAZO"));
    p.SetPreco3(11);
    p.SetDescricaoPreco3(QStringLiteral("PROMO"));
    p.SetPreco4(10.01);
    p.SetDescricaoPreco4(QStringLiteral("ATACADO"));
    p.SetPrecoAnterior(12);
    p.SetPr_Ult_Ent1(6.4);
    p.SetLucro(95.3);
    p.setLucro2(30);
    p.setLucro3(31);
    p.setLucro4(32);
    p.SetEstMinimo(-5);
    p.SetEstMaximo(500);
    p.SetComissao(1.5);
    p.setPercIva(40.01);
    p.SetFatorConversao(12);
    p.setMultiplicaDivide(QStringLiteral("M"));
    p.SetValorIpi(0.33);
    p.SetPrecoPromo(9.99);
    p.SetDt_Cadastro(QStringLiteral("01/02/2013"));
    p.SetData_Ult_Ent(data(5, 3, 2013));
    p.SetData_Ult_Rea(data(6, 4, 2014));
    p.SetFracionado(QStringLiteral("S"));
    p.SetCampoLivre1(QStringLiteral("MARCA"));
    p.SetCampoLivre2(QStringLiteral("DOR"));
    p.SetCampoLivre3(QStringLiteral("MS123"));
    p.SetCampoLivre4(QStringLiteral("LIVRE4"));
    p.SetMensagem00(QStringLiteral("M00"));
    p.SetAliqIcmsReg01(7);
    p.SetBaseIcmsReg01(71);
    p.SetMensagem01(QStringLiteral("M01"));
    p.SetAliqIcmsReg02(12);
    p.SetCodTribut02(QStringLiteral("20"));
    p.SetMensagem02(QStringLiteral("M02"));
    p.SetAliqIcmsReg03(25);
    p.SetBaseIcmsReg03(73);
    p.SetCodTribut03(QStringLiteral("30"));
    p.SetMensagem03(QStringLiteral("M03"));
    p.SetAliqIcmsDiversos(4);
    p.SetBaseIcmsdiversos(44);
    p.SetCodTributDiversos(QStringLiteral("90"));
    p.SetMensagemDiversos(QStringLiteral("MDIV"));
    p.SetLucroSubStrib(33.3);
    p.SetSubsTribSaida(QStringLiteral("T"));
    p.SetPercBaseSubsTribSaida(80);
    p.SetPercIcmsSubsTribSaida(81);
    p.SetSubsTribSaidaR1(QStringLiteral("1"));
    p.SetPercBaseSubsTribSaidaR1(82);
    p.SetPercIcmsSubsTribSaidaR1(83);
    p.SetSubsTribSaidaR2(QStringLiteral("2"));
    p.SetPercBaseSubsTribSaidaR2(84);
    p.SetPercIcmsSubsTribSaidaR2(85);
    p.SetSubsTribSaidaR3(QStringLiteral("3"));
    p.SetPercBaseSubsTribSaidaR3(86);
    p.SetPercIcmsSubsTribSaidaR3(87);
    p.SetSubsTribSaidaR4(QStringLiteral("4"));
    p.SetPercBaseSubsTribSaidaR4(88);
    p.SetPercIcmsSubsTribSaidaR4(89);
    p.SetControleLote(QStringLiteral("L"));
    p.SetCFOPForaUF(QStringLiteral("6.102"));
    p.SetCFOPDentroUF(QStringLiteral("5.405"));
    p.SetGrade(3);
}

// The insert of the complete record: all 101 columns, in statement order.
inline std::vector<Coluna> insercaoCompleta()
{
    return {
        {"Produto.CODPROD", "'000123'"},
        {"Produto.TIPOPROD", "'X'"},
        {"Produto.ATIVO", "'N'"},
        {"Produto.PRODBLOQUEADO", "'B'"},
        {"Produto.CONTROLESERIE", "'C'"},
        {"Produto.REFERENCIA", "'7891234567890'"},
        {"Produto.REFFABRICANTE", "'RF-01'"},
        {"Produto.DESCRICAO", "'DIPIRONA 500MG'"},
        {"Produto.DESCRICAO2", "'DIPIRONA'"},
        {"Produto.DESCRICAO3", "'ANALGESICO'"},
        {"Produto.FORNEC_ULT_ENT1", "'000077'"},
        {"Produto.CODGRUPO", "'012'"},
        {"Produto.CODSUBGRUPO", "'004'"},
        {"Produto.PRINCIPALFORNEC", "'000045'"},
        {"Produto.EMBALAGEM", "'CX 10'"},
        {"Produto.CODFABRIC", "'00007'"},
        {"Produto.OBSERVACAO", "'O''NEIL'"},
        {"Produto.CODLOCAL", "'PRAT1'"},
        {"Produto.CODCLASFIS", "'0001'"},
        {"Produto.ALIQICMSREG00", "18"},
        {"Produto.BASEICMSREG00", "100"},
        {"Produto.BASEICMSREG02", "90.5"},
        {"Produto.CODTRIBUT00", "'060'"},
        {"Produto.CODTRIBUT01", "'010'"},
        {"Produto.ALIQICMSPDV", "17"},
        {"Produto.SUBSTRIB", "'S'"},
        {"Produto.AliqIpi", "5.5"},
        {"Produto.AliqISS", "2"},
        {"Produto.PESO", "0.25"},
        {"Produto.UNIDADEENT", "'CX'"},
        {"Produto.UNIDADESAIDA", "'UN2'"},
        {"Produto.CodFamilia", "'F1'"},
        {"Produto.CodTipoProduto", "'00'"},
        {"Produto.CodVolume", "'V1'"},
        {"Produto.TipoEntrega", "'E'"},
        {"Produto.CodGeneroItem", "'30'"},
        {"Produto.PRECO", "12.5"},
        {"Produto.DESCRICAOPRECO", "'VAREJO'"},
        {"Produto.PRECO2", "13.75"},
        {"Produto.DESCRICAOPRECO2", "'PRAZO'"},
        {"Produto.PRECO3", "11"},
        {"Produto.DESCRICAOPRECO3", "'PROMO'"},
        {"Produto.PRECO4", "10.01"},
        {"Produto.DESCRICAOPRECO4", "'ATACADO'"},
        {"Produto.PRECO_ANTERIOR", "12"},
        {"Produto.Pr_Ult_Ent1", "6.4"},
        {"Produto.Lucro", "95.3"},
        {"Produto.Lucro2", "30"},
        {"Produto.Lucro3", "31"},
        {"Produto.Lucro4", "32"},
        {"Produto.EstMinimo", "-5"},
        {"Produto.EstMaximo", "500"},
        {"Produto.Comissao", "1.5"},
        {"Produto.Perc_Iva", "40.01"},
        {"Produto.FatorConversao", "12"},
        {"Produto.MultDivide", "'M'"},
        {"Produto.ValorIpi", "0.33"},
        {"Produto.PrecoPromo", "9.99"},
        {"Produto.DT_CADASTRO", "'01/02/2013'"},
        {"Produto.Data_Ult_Ent1", "'05.03.2013'"},
        {"Produto.Data_Ult_Reajuste", "'06.04.2014'"},
        {"Produto.Fracionado", "'S'"},
        {"Produto.CAMPOLIVRE1", "'MARCA'"},
        {"Produto.CAMPOLIVRE2", "'DOR'"},
        {"Produto.CAMPOLIVRE3", "'MS123'"},
        {"Produto.CAMPOLIVRE4", "'LIVRE4'"},
        {"produto.mensagem00", "'M00'"},
        {"produto.aliqicmsreg01", "7"},
        {"produto.BaseIcmsReg01", "71"},
        {"produto.mensagem01", "'M01'"},
        {"produto.aliqicmsreg02", "12"},
        {"Produto.CODTRIBUT02", "'020'"},
        {"produto.mensagem02", "'M02'"},
        {"produto.aliqicmsreg03", "25"},
        {"produto.BaseIcmsReg03", "73"},
        {"Produto.CODTRIBUT03", "'030'"},
        {"produto.mensagem03", "'M03'"},
        {"produto.AliqIcmsDiversos", "4"},
        {"produto.BaseIcmsdiversos", "44"},
        {"Produto.CodTributDiversos", "'090'"},
        {"produto.MensagemDiversos", "'MDIV'"},
        {"produto.lucrosubstrib", "33.3"},
        {"produto.substribsaida", "'T'"},
        {"produto.percbasesubstribsaida", "80"},
        {"produto.PercIcmsSubsTribSaida", "81"},
        {"produto.substribsaidaR1", "'1'"},
        {"produto.percbasesubstribsaidaR1", "82"},
        {"produto.PercIcmsSubsTribSaidaR1", "83"},
        {"produto.substribsaidaR2", "'2'"},
        {"produto.percbasesubstribsaidaR2", "84"},
        {"produto.PercIcmsSubsTribSaidaR2", "85"},
        {"produto.substribsaidaR3", "'3'"},
        {"produto.percbasesubstribsaidaR3", "86"},
        {"produto.PercIcmsSubsTribSaidaR3", "87"},
        {"produto.substribsaidaR4", "'4'"},
        {"produto.percbasesubstribsaidaR4", "88"},
        {"Produto.ControleLote", "'L'"},
        {"produto.PercIcmsSubsTribSaidaR4", "89"},
        {"Produto.CFOPFORAUF", "'6102'"},
        {"Produto.CFOPDENTROUF", "'5405'"},
        {"produto.grade", "3"},
    };
}

// Splits a list at the commas that stand outside quoted texts; each part trimmed.
inline QStringList partes(const QString& lista)
{
    QStringList out;
    QString atual;
    bool aspas = false;
    for (const QChar c : lista) {
        if (c == QLatin1Char('\''))
            aspas = !aspas;  // a doubled quote toggles twice and stays inside
        if (c == QLatin1Char(',') && !aspas) {
            out.append(atual.trimmed());
            atual.clear();
        } else {
            atual += c;
        }
    }
    out.append(atual.trimmed());
    return out;
}

// The (column, value) pairs of an insert text " Insert Into Produto ( ... ) Values ( ... ) ".
inline std::vector<Coluna> colunasDoInsert(const QString& sql, const QString& tabela = QStringLiteral("Produto"))
{
    const QString abre = QStringLiteral("Insert Into ") + tabela + QStringLiteral(" (");
    const int a = sql.indexOf(abre);
    const int v = sql.indexOf(QStringLiteral(") Values ("), Qt::CaseInsensitive);
    if (a < 0 || v < 0 || !sql.trimmed().endsWith(QLatin1Char(')')))
        return {};
    const QStringList nomes = partes(sql.mid(a + abre.size(), v - a - abre.size()));
    const int ini = v + QStringLiteral(") Values (").size();
    const QStringList valores = partes(sql.mid(ini, sql.lastIndexOf(QLatin1Char(')')) - ini));
    std::vector<Coluna> out;
    for (int i = 0; i < nomes.size(); ++i)
        out.push_back({nomes[i], i < valores.size() ? valores[i] : QStringLiteral("<falta>")});
    if (valores.size() > nomes.size())
        out.push_back({QStringLiteral("<sobra>"), valores.mid(nomes.size()).join(QLatin1Char('|'))});
    return out;
}

// The assignments of an update text " Update Produto SET a = x, b = y Where Produto.CODPROD = 'k'".
inline std::pair<std::vector<Coluna>, QString> atribuicoesDoUpdate(const QString& sql)
{
    const QString abre = QStringLiteral(" Update Produto SET ");
    const QString onde = QStringLiteral(" Where Produto.CODPROD = ");
    const int w = sql.lastIndexOf(onde);
    if (!sql.startsWith(abre) || w < 0)
        return {};
    std::vector<Coluna> out;
    for (const QString& p : partes(sql.mid(abre.size(), w - abre.size()))) {
        const int eq = p.indexOf(QStringLiteral(" = "));
        out.push_back({p.left(eq).trimmed(), p.mid(eq + 3).trimmed()});
    }
    return {out, sql.mid(w + onde.size()).trimmed()};
}

// How the fixture reads back a value written as this literal: quotes removed, "." decimals
// shown with a comma, DD.MM.YYYY dates as DD/MM/YYYY.
inline QString comoLido(const QString& literal)
{
    if (literal.startsWith(QLatin1Char('\''))) {
        QString t = literal.mid(1, literal.size() - 2);
        t.replace(QStringLiteral("''"), QStringLiteral("'"));
        static const QRegularExpression dataForma(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d\\d\\d$"));
        if (dataForma.match(t).hasMatch())
            t.replace(QLatin1Char('.'), QLatin1Char('/'));
        return t;
    }
    QString n = literal;
    n.replace(QLatin1Char('.'), QLatin1Char(','));
    return n;
}

// Unqualified column name, as a select names it.
inline QString semTabela(const QString& coluna) { return coluna.mid(coluna.indexOf(QLatin1Char('.')) + 1); }

}  // namespace exemplo
