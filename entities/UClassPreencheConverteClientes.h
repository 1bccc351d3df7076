#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class Gauge;
class ProgressLabel;

class TClassPreencheDadosClientes : public Preenchedor {
public:
    void PreencheConverteClientes(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteClientes(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
