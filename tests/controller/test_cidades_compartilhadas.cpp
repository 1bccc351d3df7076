// Customers and suppliers converted in one run share the city table: a city created for a
// customer is found again, under its state, by the suppliers that name it.
#include "Recorders.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "db/SourceConnection.h"
#include <algorithm>
#include <map>
#include <set>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

TEST(SharedCities, SuppliersReuseTheCitiesOfTheCustomersOfTheSameRun)
{
    SourceFixture src;
    TargetFixture fx;
    RecordingLabel label;
    RecordingGauge barra;
    RecordingEvents eventos{&label, &barra};
    RecordingMessages mensagens;

    src.exec("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO) VALUES "
             "('1', 'Ana', 'Belo Horizonte', 'MG'), ('2', 'Beto', 'Contagem', 'MG'), "
             "('3', 'Caio', 'Betim', 'MG')");
    src.exec("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, "
             "TELEFONE, CGC, INSCRICAO, FAX, EMAIL, OBSERVACAO, PESSOA) VALUES "
             "(1, ' Distribuidora D''Ávila ', 'Av. Amazonas, 10', ' Centro ', 'belo horizonte', 'mg', "
             "'30.180-001', '(031) 3222-1111', '12.345.678/0001-90', '062.307.904/0081', "
             "'000000000000', 'vendas@davila.com.br', 'Prazo ''30'' dias', 'Juridica'), "
             "(2, 'Atacado Contagem', NULL, NULL, 'Contagem', 'MG', NULL, '3391-2222', NULL, 'isento', "
             "'   ', NULL, NULL, 'J'), "
             "(3, 'Sabara Farma', NULL, NULL, 'Sabara', 'MG', NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
             "NULL), "
             "(4, 'Contagem Paulista', NULL, NULL, 'Contagem', 'SP', NULL, NULL, '123.456.789-01', NULL, "
             "NULL, NULL, NULL, 'Fisica')");

    ListaParametros params;
    params.add("FORNECEDORES=S");  // the order of the lines does not matter: customers run first
    params.add("CLIENTES=S");
    SourceConnection origem(src.settings());
    TClassesConversaoController controller;
    ASSERT_TRUE(controller.FEfetuaConversao(params, origem, fx.db, fx.tr, barra, label));
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].text, "Conversão concluída com sucesso!");

    EXPECT_EQ(fx.rows("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"),
              (std::vector<QStringList>{{"00001", "BELO HORIZONTE", "MG"},
                                        {"00002", "CONTAGEM", "MG"},
                                        {"00003", "BETIM", "MG"},
                                        {"00004", "SABARA", "MG"},
                                        {"00005", "CONTAGEM", "SP"}}));
    EXPECT_EQ(fx.rows("SELECT CODCLIENTE, CODCIDADE FROM CLIENTE ORDER BY CODCLIENTE"),
              (std::vector<QStringList>{{"00000001", "00001"}, {"00000002", "00002"}, {"00000003", "00003"}}));

    const auto fornece = fx.rows(
        "SELECT CODFORNEC, NOME, NOMEFANTASIA, CONTATO, ENDERECO, BAIRRO, CEP, CODCIDADE, NUMERO, "
        "COMPLEMENTO, ESTADO, INSCMUNICIPAL, PESSOA_FJ, CGCCPF, INSCEST, OBSERVACAO, FONE, FAX, "
        "CELULAR, EMAIL, HOMEPAGE, CAMPOLIVRE1, CAMPOLIVRE2, CODCLIENTE, ATIVO, TIPOFORNECE, CONTACX, "
        "CTCTBRED FROM FORNECE ORDER BY CODFORNEC");
    const std::vector<QStringList> esperado = {
        {"000001", "Distribuidora DÁvila", "", "", "Av. Amazonas, 10", "Centro", "30180001", "00001",
         "", "", "mg", "", "J", "12345678000190", "0623079040081", "Prazo 30 dias", "3132221111", "",
         "", "vendas@davila.com.br", "", "", "", "", "S", "", "", ""},
        {"000002", "Atacado Contagem", "", "", "", "", "", "00002", "", "", "MG", "", "J", "",
         "ISENTO", "", "3133912222", "", "", "", "", "", "", "", "S", "", "", ""},
        {"000003", "Sabara Farma", "", "", "", "", "", "00004", "", "", "MG", "", "", "", "", "", "",
         "", "", "", "", "", "", "", "S", "", "", ""},
        {"000004", "Contagem Paulista", "", "", "", "", "", "00005", "", "", "SP", "", "F",
         "12345678901", "", "", "", "", "", "", "", "", "", "", "S", "", "", ""},
    };
    ASSERT_EQ(fornece.size(), esperado.size());
    for (size_t i = 0; i < esperado.size(); ++i)
        EXPECT_EQ(fornece[i], esperado[i]) << "supplier " << i + 1;

    // Both walks were shown, customers first.
    ASSERT_FALSE(eventos.snapshots.empty());
    const auto primeiroFornecedor =
        std::find_if(eventos.snapshots.begin(), eventos.snapshots.end(), [](const ProgressSnapshot& s) {
            return s.label.startsWith("Convertendo Fornecedores");
        });
    ASSERT_NE(primeiroFornecedor, eventos.snapshots.end());
    EXPECT_EQ(primeiroFornecedor->label, "Convertendo Fornecedores - Registro 1 de 4");
    for (auto it = eventos.snapshots.begin(); it != primeiroFornecedor; ++it)
        EXPECT_FALSE(it->label.startsWith("Convertendo Fornecedores")) << it->label.toStdString();
    EXPECT_TRUE(std::any_of(eventos.snapshots.begin(), primeiroFornecedor, [](const ProgressSnapshot& s) {
        return s.label == "Convertendo Clientes - Registro 3 de 3";
    }));
}

// Every spelling of a city, typed by customers and suppliers, ends in one row per city and state,
// and what each record points at does not depend on the order in which the rows arrive.
TEST(SharedCities, OneRowPerCityAndStateWhateverTheSpellingAndTheOrder)
{
    struct Caso {
        const char* descricao;
        const char* cidade;  // nullptr: NULL
        const char* estado;
        bool fornecedor;     // a supplier row, else a customer row
        const char* nome;    // the city the row points at, empty for none
        const char* uf;
    };
    const std::vector<Caso> casos = {
        {"mixed-case accents", "São João del-Rei", "MG", false, "SÃO JOÃO DEL-REI", "MG"},
        {"upper-case accents", "SÃO JOÃO DEL-REI", "MG", false, "SÃO JOÃO DEL-REI", "MG"},
        {"lower-case accents, padded state", "são joão del-rei", " mg ", false, "SÃO JOÃO DEL-REI", "MG"},
        {"supplier, accents", "São João Del-Rei", "mg", true, "SÃO JOÃO DEL-REI", "MG"},
        {"accented, other state", "São Paulo", "SP", false, "SÃO PAULO", "SP"},
        {"every accented letter", "Uberlândia", "MG", true, "UBERLÂNDIA", "MG"},
        {"cedilla", "Viçosa", "mg", false, "VIÇOSA", "MG"},
        {"padded name", "BELO HORIZONTE ", "MG", false, "BELO HORIZONTE", "MG"},
        {"padded name, lower case", "  belo horizonte", "mg", true, "BELO HORIZONTE", "MG"},
        {"abbreviation of the capital", "BHTE", "MG", false, "BELO HORIZONTE", "MG"},
        {"abbreviation, supplier of another state", "BHTE", "SP", true, "BELO HORIZONTE", "MG"},
        {"lower-case abbreviation: a city of its own", "bhte", "MG", false, "BHTE", "MG"},
        {"blank customer city", "   ", "MG", false, "", ""},
        {"blank supplier city", "   ", "MG", true, "", ""},
        {"empty supplier city", "", "SP", true, "", ""},
        {"NULL customer city", nullptr, "MG", false, "", ""},
    };
    // Delivered in the table's order, then reversed: the abbreviation comes before and after the
    // full name of the capital.
    for (const bool invertido : {false, true}) {
        SCOPED_TRACE(invertido ? "reversed" : "in order");
        SourceFixture src;
        TargetFixture fx;
        RecordingLabel label;
        RecordingGauge barra;
        RecordingMessages mensagens;
        for (size_t i = 0; i < casos.size(); ++i) {
            const Caso& k = casos[i];
            const int chave = static_cast<int>(invertido ? casos.size() - i : i + 1);
            const QString cidade = k.cidade ? QLatin1Char('\'') + QString::fromUtf8(k.cidade) + QLatin1Char('\'')
                                            : QStringLiteral("NULL");
            if (k.fornecedor)
                src.exec(QStringLiteral("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, CIDADE, ESTADO) VALUES "
                                        "(%1, 'F%1', %2, '%3')")
                             .arg(chave)
                             .arg(cidade, QString::fromUtf8(k.estado)));
            else
                src.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO) VALUES "
                                        "('%1', 'C%1', %2, '%3')")
                             .arg(QString::number(chave).rightJustified(2, QLatin1Char('0')))
                             .arg(cidade, QString::fromUtf8(k.estado)));
        }
        ListaParametros params;
        params.add("CLIENTES=S");
        params.add("FORNECEDORES=S");
        SourceConnection origem(src.settings());
        TClassesConversaoController controller;
        ASSERT_TRUE(controller.FEfetuaConversao(params, origem, fx.db, fx.tr, barra, label));

        // What each record points at, by the key the case was given.
        const auto aponta = [&](const QString& select) {
            std::map<int, QStringList> r;
            for (const QStringList& l : fx.rows(select))
                r[l[0].toInt()] = QStringList{l[1], l[2]};
            return r;
        };
        const auto clientes = aponta(
            "SELECT CLIENTE.CODCLIENTE, CIDADES.CIDADE, CIDADES.ESTADO FROM CLIENTE "
            "LEFT JOIN CIDADES ON CIDADES.CODCIDADE = CLIENTE.CODCIDADE");
        const auto fornecedores = aponta(
            "SELECT FORNECE.CODFORNEC, CIDADES.CIDADE, CIDADES.ESTADO FROM FORNECE "
            "LEFT JOIN CIDADES ON CIDADES.CODCIDADE = FORNECE.CODCIDADE");
        std::set<QStringList> esperadas;
        for (size_t i = 0; i < casos.size(); ++i) {
            const Caso& k = casos[i];
            SCOPED_TRACE(k.descricao);
            const int chave = static_cast<int>(invertido ? casos.size() - i : i + 1);
            const auto& lidos = k.fornecedor ? fornecedores : clientes;
            ASSERT_EQ(lidos.count(chave), 1u);
            const QString nome = QString::fromUtf8(k.nome);
            EXPECT_EQ(lidos.at(chave), nome.isEmpty() ? (QStringList{"<NULL>", "<NULL>"})
                                                      : (QStringList{nome, QString::fromUtf8(k.uf)}));
            if (!nome.isEmpty())
                esperadas.insert({nome, QString::fromUtf8(k.uf)});
        }
        const auto cidades = fx.rows("SELECT CIDADE, ESTADO FROM CIDADES");
        EXPECT_EQ(std::set<QStringList>(cidades.begin(), cidades.end()), esperadas);
        EXPECT_EQ(cidades.size(), esperadas.size()) << "one row per city and state";
    }
}

}  // namespace
