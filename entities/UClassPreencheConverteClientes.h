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
    // The source table, the columns the walk reads from it (one list for the select and the
    // pre-flight check) and the label prefix of the walk.
    static constexpr const char* kTabelaOrigem = "TBCLIENTES";
    static constexpr const char* kColunasOrigem =
        "CONTROLE, NOME, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, TELEFONE, DATA, CGC, CPF, "
        "RESPONSAVEL, DATACADASTRO, PAI, MAE, IDENTIDADE, FAX, OBSERVACAO, EMPRESATRABALHO, "
        "LIMITECREDITO, PESSOA, ESTADOCIVIL, REFERENCIA, ATIVO";
    static constexpr const char* kPrefixo = "Convertendo Clientes - Registro ";

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
