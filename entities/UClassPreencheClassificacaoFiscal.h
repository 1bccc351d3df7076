#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class SourceQuery;
class Gauge;
class ProgressLabel;

// Fiscal classifications: TB_CODIGO_NCM (source) to CLASFISC (target), one row per source row.
class TClassPreencheDadosClassificacaoFiscal : public Preenchedor {
public:
    SourceQuery& BuscaClassificacaoFiscalBDOrigem(SourceQuery& qryBusca);
    void PreencheConverteClassificacaoFiscal(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteClassificacaoFiscal(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
