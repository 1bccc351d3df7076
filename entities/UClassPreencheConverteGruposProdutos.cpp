#include "entities/UClassPreencheConverteGruposProdutos.h"
#include "conversion/ProgressWalk.h"
#include "db/SourceQuery.h"
#include "entities/GrupoProduto.h"

SourceQuery& TClassPreencheDadosGruposProdutos::BuscaGruposProdutosBDOrigem(SourceQuery& qryBusca)
{
    qryBusca.clearSql();
    qryBusca.setSql(QStringLiteral("SELECT ") + QLatin1String(kColunasOrigem) + QStringLiteral(" FROM ") +
                    QLatin1String(kTabelaOrigem));
    qryBusca.open();
    return qryBusca;
}

void TClassPreencheDadosGruposProdutos::PreencheConverteGruposProdutos(SourceConnection& DbOrigem,
                                                                       TargetDatabase& DbDestino,
                                                                       Gauge& Barra,
                                                                       ProgressLabel& lblInfo)
{
    TConverteGruposProd ConverteGruposProdutos(DbDestino);
    SourceQuery qryBusca(DbOrigem);

    ConverteGruposProdutos.LimpaTabela();
    BuscaGruposProdutosBDOrigem(qryBusca);
    ProgressWalk(Barra, lblInfo, QLatin1String(kPrefixo),
                 QLatin1String(kTabelaOrigem))
        .run(qryBusca, [&](SourceQuery& q) {
            ConverteGruposProdutos.SetCodigo(q.fieldText(QStringLiteral("CONTROLE")));
            ConverteGruposProdutos.SetDescricao(q.fieldText(QStringLiteral("GRUPO")));
            ConverteGruposProdutos.ExecutaSql();
        });
}
