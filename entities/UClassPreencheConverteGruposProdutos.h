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
    SourceQuery& BuscaGruposProdutosBDOrigem(SourceQuery& qryBusca);
    void PreencheConverteGruposProdutos(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteGruposProdutos(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
