#include "entities/UClassPreencheClassificacaoFiscal.h"
#include "conversion/ProgressWalk.h"
#include "conversion/classConversao.h"
#include "db/SourceQuery.h"
#include "entities/ClassificacaoFiscal.h"

SourceQuery& TClassPreencheDadosClassificacaoFiscal::BuscaClassificacaoFiscalBDOrigem(SourceQuery& qryBusca)
{
    qryBusca.clearSql();
    qryBusca.setSql(QStringLiteral("SELECT ") + QLatin1String(kColunasOrigem) + QStringLiteral(" FROM ") +
                    QLatin1String(kTabelaOrigem));
    qryBusca.open();
    return qryBusca;
}

void TClassPreencheDadosClassificacaoFiscal::PreencheConverteClassificacaoFiscal(
    SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra, ProgressLabel& lblInfo)
{
    TConverteClassificacaoFiscal ConverteClassificacaoFiscal(DbDestino);
    SourceQuery qryBusca(DbOrigem);
    TConversao FConversao(DbDestino);

    ConverteClassificacaoFiscal.LimpaTabela();
    BuscaClassificacaoFiscalBDOrigem(qryBusca);
    ProgressWalk(Barra, lblInfo, QLatin1String(kPrefixo),
                 QLatin1String(kTabelaOrigem))
        .run(qryBusca, [&](SourceQuery& q) {
            ConverteClassificacaoFiscal.SetCodClasFis(q.fieldText(QStringLiteral("CONTROLE")));
            ConverteClassificacaoFiscal.SetCodNBM(FConversao.FRemoveCaracter(q.fieldText(QStringLiteral("NCM"))));
            ConverteClassificacaoFiscal.SetCodigoNCM(ConverteClassificacaoFiscal.CodNBM());
            ConverteClassificacaoFiscal.GravaClassificacaoFiscal(DbDestino);
        });
}
