#pragma once
#include "conversion/Preenchedor.h"

class TargetDatabase;
class SourceConnection;
class SourceQuery;
class Gauge;
class ProgressLabel;

// TBFORNECEDOR to FORNECE: empties FORNECE, then inserts one supplier per source row, creating
// the suppliers' cities in CIDADES on the way.
class TClassPreencheDadosFornecedores : public Preenchedor {
public:
    // The source table, the columns the walk reads from it (one list for the select and the
    // pre-flight check) and the label prefix of the walk.
    static constexpr const char* kTabelaOrigem = "TBFORNECEDOR";
    static constexpr const char* kColunasOrigem =
        "CONTROLE, EMPRESA, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, TELEFONE, CGC, INSCRICAO, "
        "FAX, EMAIL, OBSERVACAO, PESSOA";
    static constexpr const char* kPrefixo = "Convertendo Fornecedores - Registro ";

    // Sets qryBusca to the suppliers' select, opens it and returns it.
    SourceQuery& BuscaFornecedoresBDOrigem(SourceQuery& qryBusca);
    void PreencheConverteFornecedores(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteFornecedores(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
