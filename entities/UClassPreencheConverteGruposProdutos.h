#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class SourceQuery;
class Gauge;
class ProgressLabel;

// Product groups: TBGRUPO (source) to GRUPROD (target).
class TClassPreencheDadosGruposProdutos : public Preenchedor {
public:
    // The source table, the columns the walk reads from it (one list for the select and the
    // pre-flight check) and the label prefix of the walk.
    static constexpr const char* kTabelaOrigem = "TBGRUPO";
    static constexpr const char* kColunasOrigem =
        "CONTROLE, GRUPO";
    static constexpr const char* kPrefixo = "Convertendo Grupos de produtos - Registro ";

    SourceQuery& BuscaGruposProdutosBDOrigem(SourceQuery& qryBusca);
    void PreencheConverteGruposProdutos(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteGruposProdutos(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
