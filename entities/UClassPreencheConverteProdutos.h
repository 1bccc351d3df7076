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
    // The source table, the columns the walk reads from it (one list for the select and the
    // pre-flight check) and the label prefix of the walk.
    static constexpr const char* kTabelaOrigem = "TBESTOQUE";
    static constexpr const char* kColunasOrigem =
        "CONTROLE, CODIGOBARRA, PRODUTO, GRUPO, FABRICANTE, PRECOCUSTO, CUSTOMEDIO, "
        "PRECOVENDA, ESTMINIMO, UNIDADE, LUCRO, ESTMAXIMO, CODNCM, MARCA, CODFORNECEDOR, "
        "PESO, DESCRICAOSIMPLES, ATIVO, CST, APLICACAO, CFOP, FRACIONADO, PRECOPRAZO, "
        "PRECOPROMOCAO, PRECOCINCO, REGISTROMS";
    static constexpr const char* kPrefixo = "Convertendo Produtos - Registro ";

    SourceQuery& BuscaProdutosBDOrigem(SourceQuery& qryBusca);
    void PreencheConverteProdutos(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
            ProgressLabel& lblInfo);
    void preenche(SourceConnection& DbOrigem, TargetDatabase& DbDestino, Gauge& Barra,
                  ProgressLabel& lblInfo) override
    {
        PreencheConverteProdutos(DbOrigem, DbDestino, Barra, lblInfo);
    }
};
