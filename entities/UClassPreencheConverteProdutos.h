#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class Gauge;
class ProgressLabel;

class TClassPreencheDadosProdutos : public Preenchedor {
public:
    void PreencheConverteProdutos(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteProdutos(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
