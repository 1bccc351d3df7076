#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class Gauge;
class ProgressLabel;

class TClassPreencheDadosClassificacaoFiscal : public Preenchedor {
public:
    void PreencheConverteClassificacaoFiscal(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteClassificacaoFiscal(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
