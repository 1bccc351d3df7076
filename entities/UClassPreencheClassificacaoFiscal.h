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
    // The source table, the columns the walk reads from it (one list for the select and the
    // pre-flight check) and the label prefix of the walk.
    static constexpr const char* kTabelaOrigem = "TB_CODIGO_NCM";
    static constexpr const char* kColunasOrigem =
        "CONTROLE, NCM";
    static constexpr const char* kPrefixo = "Convertendo Classificacao Fiscal - Registro ";

    SourceQuery& BuscaClassificacaoFiscalBDOrigem(SourceQuery& qryBusca);
    void PreencheConverteClassificacaoFiscal(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteClassificacaoFiscal(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
