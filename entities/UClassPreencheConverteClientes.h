#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class SourceQuery;
class Gauge;
class ProgressLabel;

// TBCLIENTES of the legacy database into CLIENTE, creating the customers' cities on the way.
class TClassPreencheDadosClientes : public Preenchedor {
public:
    // Opens the customers' select on qryBusca (already bound to the source connection).
    SourceQuery& BuscaClientesBDOrigem(SourceConnection& DBOrigem, SourceQuery& qryBusca);
    void PreencheConverteClientes(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteClientes(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
