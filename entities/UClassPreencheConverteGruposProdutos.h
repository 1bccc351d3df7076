#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class Gauge;
class ProgressLabel;

class TClassPreencheDadosGruposProdutos : public Preenchedor {
public:
    void PreencheConverteGruposProdutos(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteGruposProdutos(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
