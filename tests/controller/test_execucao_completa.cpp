// A full run of the five groups through the controller with the real fillers: every source row
// arrives, and the reference tables hold exactly the rows the run needed.
#include "Recorders.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Linhas = std::vector<QStringList>;

void semeiaOrigem(SourceFixture& src)
{
    src.exec("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO) VALUES "
             "('1', 'Ana', 'Juiz de Fora', 'MG'), ('2', 'Beto', 'Contagem', 'MG'), "
             "('3', 'Caio', 'juiz de fora', 'mg'), ('4', 'Dora', NULL, NULL)");
    src.exec("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, CIDADE, ESTADO) VALUES "
             "(1, 'Distribuidora Sul', 'Contagem', 'MG'), (2, 'Atacado Norte', 'Montes Claros', 'MG')");
    src.exec("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (1, 'Medicamentos'), (2, 'Perfumaria'), "
             "(12, 'Higiene')");
    src.exec("INSERT INTO TB_CODIGO_NCM (CONTROLE, NCM) VALUES (1, '3004.90.69'), (2, '21069030')");
    const QString colunas = QStringLiteral(
        "INSERT INTO TBESTOQUE (CONTROLE, CODIGOBARRA, PRODUTO, GRUPO, FABRICANTE, PRECOCUSTO, PRECOVENDA, "
        "UNIDADE, CODNCM, CODFORNECEDOR, ATIVO, FRACIONADO) VALUES ");
    src.exec(colunas +
             "(1, '789001', 'DIPIRONA 500MG', '1', 'EMS', 3.75, '12,50', 'CX', '3004.90.69', '1', '1', 'false'), "
             "(2, '789002', 'POLIVITAMINICO', '12', 'EMS', 10, '19.90', 'FR', '21069030', '2', '1', 'true'), "
             "(3, '789003', 'SABONETE', '2', 'Medley', NULL, '2,5', 'UN', '9999.99.99', '0', '0', NULL), "
             "(4, NULL, 'ALGODAO', '', NULL, 1, NULL, 'PC', '12', NULL, NULL, NULL)");
}

int contaOrigem(SourceConnection& origem, const char* tabela)
{
    SourceQuery q(origem);
    q.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM ") + QLatin1String(tabela));
    q.open();
    return static_cast<int>(q.fieldInteger(QStringLiteral("N")));
}

TEST(FullRun, FiveGroupsWithTheRealFillers)
{
    SourceFixture src;
    semeiaOrigem(src);
    TargetFixture fx;
    RecordingLabel label;
    RecordingGauge barra;
    RecordingEvents eventos{&label, &barra};
    RecordingMessages mensagens;

    ListaParametros params;
    for (const char* chave : {"PRODUTOS", "CLASSIFICACAOFISCAL", "GRUPOSPRODUTOS", "FORNECEDORES", "CLIENTES"})
        params.add(QLatin1String(chave) + QStringLiteral("=S"));
    SourceConnection origem(src.settings());
    TClassesConversaoController controller;
    const bool ok = controller.FEfetuaConversao(params, origem, fx.db, fx.tr, barra, label);
    ASSERT_EQ(mensagens.list.size(), 1u);
    ASSERT_TRUE(ok) << mensagens.list[0].text.toStdString();
    EXPECT_EQ(mensagens.list[0].kind, "information");
    EXPECT_EQ(mensagens.list[0].text, "Conversão concluída com sucesso!");
    EXPECT_FALSE(fx.tr.active());

    // Every source row became one target row.
    const std::vector<std::pair<const char*, const char*>> tabelas = {
        {"TBCLIENTES", "CLIENTE"}, {"TBFORNECEDOR", "FORNECE"}, {"TBGRUPO", "GRUPROD"},
        {"TBESTOQUE", "PRODUTO"},  {"TBESTOQUE", "COMPPROD"}};
    for (const auto& [de, para] : tabelas)
        EXPECT_EQ(fx.count(QLatin1String(para)), contaOrigem(origem, de)) << de << " -> " << para;

    // Cities: one per city and state named by a customer or a supplier, shared between them.
    EXPECT_EQ(fx.rows("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"),
              (Linhas{{"00001", "JUIZ DE FORA", "MG"}, {"00002", "CONTAGEM", "MG"}, {"00003", "MONTES CLAROS", "MG"}}));
    // Manufacturers: the distinct names of the products, none for the product without one.
    EXPECT_EQ(fx.rows("SELECT CODFABRIC, DESCRICAO FROM CADFABR ORDER BY CODFABRIC"),
              (Linhas{{"00001", "EMS"}, {"00002", "Medley"}}));
    // Fiscal classes: the converted ones, found again by the products whatever their mask, and
    // one more for the NCM that only a product names.
    EXPECT_EQ(fx.rows("SELECT CODCLASFIS, CODIGONCM FROM CLASFISC ORDER BY CODCLASFIS"),
              (Linhas{{"0001", "30049069"}, {"0002", "21069030"}, {"0003", "99999999"}}));
    EXPECT_EQ(fx.count("CLASFISC"), contaOrigem(origem, "TB_CODIGO_NCM") + 1);

    EXPECT_EQ(fx.rows("SELECT CODPROD, CODGRUPO, CODFABRIC, CODCLASFIS, PRINCIPALFORNEC, PRECO FROM PRODUTO "
                      "ORDER BY CODPROD"),
              (Linhas{{"000001", "001", "00001", "0001", "000001", "12,5"},
                      {"000002", "012", "00001", "0002", "000002", "19,9"},
                      {"000003", "002", "00002", "0003", "", "2,5"},
                      {"000004", "", "", "0012", "", "0"}}));
    // The products point at the groups, classes and suppliers of the same run.
    EXPECT_EQ(fx.value("SELECT COUNT(*) FROM PRODUTO P WHERE P.CODGRUPO <> '' AND NOT EXISTS "
                       "(SELECT 1 FROM GRUPROD G WHERE G.CODGRUPO = P.CODGRUPO)"),
              "0");
    EXPECT_EQ(fx.value("SELECT COUNT(*) FROM PRODUTO P WHERE P.CODPROD <> '000004' AND NOT EXISTS "
                       "(SELECT 1 FROM CLASFISC C WHERE C.CODCLASFIS = P.CODCLASFIS)"),
              "0");
    EXPECT_EQ(fx.value("SELECT COUNT(*) FROM PRODUTO P WHERE P.PRINCIPALFORNEC <> '' AND NOT EXISTS "
                       "(SELECT 1 FROM FORNECE F WHERE F.CODFORNEC = P.PRINCIPALFORNEC)"),
              "0");
    EXPECT_EQ(fx.value("SELECT COUNT(*) FROM COMPPROD C WHERE NOT EXISTS "
                       "(SELECT 1 FROM PRODUTO P WHERE P.CODPROD = C.CODPROD)"),
              "0");

    // The five walks were shown in the fixed order, the products last (the customers' filler
    // processes events once before its walk, with the label still empty).
    QStringList prefixos;
    for (const ProgressSnapshot& s : eventos.snapshots) {
        if (s.label.isEmpty())
            continue;
        const QString p = s.label.section(QStringLiteral(" - "), 0, 0);
        if (prefixos.isEmpty() || prefixos.last() != p)
            prefixos.append(p);
    }
    EXPECT_EQ(prefixos, (QStringList{"Convertendo Clientes", "Convertendo Fornecedores",
                                     "Convertendo Grupos de produtos", "Convertendo Classificacao Fiscal",
                                     "Convertendo Produtos"}));
    ASSERT_FALSE(eventos.snapshots.empty());
    EXPECT_EQ(eventos.snapshots.back().label, "Convertendo Produtos - Registro 4 de 4");
    EXPECT_EQ(label.text(), QString());
    EXPECT_EQ(barra.position(), 0);
}

}  // namespace
