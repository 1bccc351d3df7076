#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class SourceQuery;
class Gauge;
class ProgressLabel;

// TBESTOQUE to PRODUTO and COMPPROD; manufacturers and fiscal classes are created on the way.
class TClassPreencheDadosProdutos : public Preenchedor {
public:
    SourceQuery& BuscaProdutosBDOrigem(SourceQuery& qryBusca);
    void PreencheConverteProdutos(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteProdutos(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
