#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class Gauge;
class ProgressLabel;

class TClassPreencheDadosFornecedores : public Preenchedor {
public:
    void PreencheConverteFornecedores(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteFornecedores(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
