#include "entities/UClassPreencheConverteProdutos.h"
#include "conversion/ProgressWalk.h"
#include "conversion/TextRules.h"
#include "conversion/classConversao.h"
#include "db/SourceQuery.h"
#include "entities/CompProd.h"
#include "entities/Produto.h"

namespace {
// An empty or blank column is 0; anything else must read as a number.
double numeroOuZero(const SourceQuery& q, const QString& coluna)
{
    if (TextRules::trim(q.fieldText(coluna)).isEmpty())
        return 0;
    return q.fieldFloat(coluna);
}
}  // namespace

SourceQuery& TClassPreencheDadosProdutos::BuscaProdutosBDOrigem(SourceQuery& qryBusca)
{
    qryBusca.clearSql();
    qryBusca.setSql(QStringLiteral("SELECT ") + QLatin1String(kColunasOrigem) + QStringLiteral(" FROM ") +
                    QLatin1String(kTabelaOrigem));
    qryBusca.open();
    return qryBusca;
}

void TClassPreencheDadosProdutos::PreencheConverteProdutos(SourceConnection& DbOrigem,
                                                           TargetDatabase& DbDestino, Gauge& Barra,
                                                           ProgressLabel& lblInfo)
{
    // The lookups run on a converter of their own, so that they leave the product
    // converter's queries alone.
    TConverteProduto ConverteProdutos(DbDestino);
    TConverteCompProd ConverteCompProdutos(DbDestino);
    TConversao FConversao(DbDestino);
    SourceQuery qryBusca(DbOrigem);

    ConverteProdutos.LimpaTabela();
    ConverteCompProdutos.LimpaTabela();
    BuscaProdutosBDOrigem(qryBusca);

    ProgressWalk(Barra, lblInfo, QLatin1String(kPrefixo),
                 QLatin1String(kTabelaOrigem))
        .run(qryBusca, [&](SourceQuery& q) {
            ConverteProdutos.SetCodProd(q.fieldText(QStringLiteral("CONTROLE")));
            ConverteProdutos.SetReferencia(q.fieldText(QStringLiteral("CODIGOBARRA")));
            ConverteProdutos.SetDescricao(q.fieldText(QStringLiteral("PRODUTO")));
            ConverteProdutos.SetCodGrupo(q.fieldText(QStringLiteral("GRUPO")));
            ConverteProdutos.SetFCodFabric(
                FConversao.FFabricante(q.fieldText(QStringLiteral("FABRICANTE"))));
            ConverteCompProdutos.SetCodProd(ConverteProdutos.CodProd());
            ConverteCompProdutos.SetPrecoCusto(numeroOuZero(q, QStringLiteral("PRECOCUSTO")));
            ConverteCompProdutos.setPrecoMedio(numeroOuZero(q, QStringLiteral("CUSTOMEDIO")));
            ConverteProdutos.SetPreco(numeroOuZero(q, QStringLiteral("PRECOVENDA")));
            ConverteCompProdutos.SetEstMinimo(numeroOuZero(q, QStringLiteral("ESTMINIMO")));
            ConverteProdutos.SetUnidEntrada(q.fieldText(QStringLiteral("UNIDADE")));
            ConverteProdutos.SetUnidSaida(ConverteProdutos.UnidEntrada());
            ConverteProdutos.SetLucro(numeroOuZero(q, QStringLiteral("LUCRO")));
            ConverteCompProdutos.SetEstMaximo(numeroOuZero(q, QStringLiteral("ESTMAXIMO")));

            // A short value is taken as a class code; a longer one is an NCM to look up, unless
            // it holds nothing but mask and blanks, which is no NCM at all.
            const QString ncm = q.fieldText(QStringLiteral("CODNCM"));
            if (ncm.size() < 5)
                ConverteProdutos.SetCodClasFis(ncm);
            else if (FConversao.FNormalizaNCM(ncm).isEmpty())
                ConverteProdutos.SetCodClasFis(QString());
            else
                ConverteProdutos.SetCodClasFis(FConversao.FRetornaCodClasFis(ncm));

            ConverteProdutos.SetCampoLivre1(q.fieldText(QStringLiteral("MARCA")));
            const QString fornecedor = q.fieldText(QStringLiteral("CODFORNECEDOR"));
            const QString fornecedorLimpo = TextRules::trim(fornecedor);
            if (!fornecedorLimpo.isEmpty() && fornecedorLimpo != QLatin1String("0"))
                ConverteProdutos.SetPrincipalFornecedor(fornecedor);
            ConverteProdutos.SetPeso(numeroOuZero(q, QStringLiteral("PESO")));
            ConverteProdutos.SetDescricao2(q.fieldText(QStringLiteral("DESCRICAOSIMPLES")));
            ConverteProdutos.SetAtivado(
                q.fieldText(QStringLiteral("ATIVO")) == QLatin1String("0") ? QStringLiteral("N")
                                                                          : QStringLiteral("S"));
            ConverteProdutos.SetCodTribut00(q.fieldText(QStringLiteral("CST")));
            ConverteProdutos.SetCampoLivre2(q.fieldText(QStringLiteral("APLICACAO")));
            ConverteProdutos.SetCFOPForaUF(q.fieldText(QStringLiteral("CFOP")));
            ConverteProdutos.SetFracionado(
                TextRules::upper(q.fieldText(QStringLiteral("FRACIONADO"))) == QLatin1String("FALSE")
                    ? QStringLiteral("N")
                    : QStringLiteral("S"));
            ConverteProdutos.SetPreco2(numeroOuZero(q, QStringLiteral("PRECOPRAZO")));
            ConverteProdutos.SetPreco3(numeroOuZero(q, QStringLiteral("PRECOPROMOCAO")));
            ConverteProdutos.SetPreco4(numeroOuZero(q, QStringLiteral("PRECOCINCO")));
            ConverteProdutos.SetCampoLivre3(q.fieldText(QStringLiteral("REGISTROMS")));
            ConverteProdutos.SetCodTipoProduto(QStringLiteral("00"));
            ConverteProdutos.SetTipoProd(QStringLiteral("R"));

            ConverteProdutos.ExecutaSql();
            ConverteCompProdutos.ExecutaSql();
        });
}
