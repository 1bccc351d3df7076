// The customer filler end to end: messy TBCLIENTES rows on the sandbox MariaDB into CLIENTE of a
// real target file, with the cities found or created on the way and the progress display.
#include "PreenchimentoFixture.h"
#include "common/AppError.h"
#include "db/SourceQuery.h"
#include "entities/UClassPreencheConverteClientes.h"
#include <gtest/gtest.h>
#include <map>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString kColunas = QStringLiteral(
    "CODCLIENTE, NOME, NOMEFANTASIA, ENDERECO, BAIRRO, CODCIDADE, ESTADO, CEP, CGCCPF, INSCEST, PESSOA_FJ, "
    "FONE, FAX, PREFIXCELULAR, CELULAR, CAMPOLIVRE1, CAMPOLIVRE2, CAMPOLIVRE3, CAMPOLIVRE4, CAMPOLIVRE5, "
    "CAMPOLIVRE6, CAMPOLIVRE7, CAMPOLIVRE8, CAMPOLIVRE9, CAMPOLIVRE10, OBSERVACAO, EMAIL, HOMEPAGE, "
    "ENDERECOCOB, BAIRROCOB, CEPCOB, CODCIDADECOB, ESTADOCOB, ENDERECOENT, BAIRROENT, CEPENT, CODCIDADEENT, "
    "ESTADOENT, CODFORNEC, CONTATO, CODSEGMENTO, CODCLASCLI, CODVENDEND1, LIMITECREDITO, CODPAIS, NOMESOCIO, "
    "DT_NASCIMENTO, DT_ULTVENDA, DT_CADASTRO, DT_VALCAD, ATIVO, CLIBLOQUEADO, MALADIRETAELETR, PROTESTARCLIENTE");

// One CLIENTE row as read back: what a conversion run leaves in the columns the source does not
// feed, overridden by the given columns.
QStringList cliente(const std::map<QString, QString>& valores)
{
    std::map<QString, QString> resto = valores;
    QStringList linha;
    for (const QString& coluna : kColunas.split(QStringLiteral(", "))) {
        QString v;
        if (coluna == QLatin1String("LIMITECREDITO"))
            v = QStringLiteral("0");
        else if (coluna == QLatin1String("DT_ULTVENDA") || coluna == QLatin1String("DT_VALCAD"))
            v = QStringLiteral("<NULL>");
        else if (coluna == QLatin1String("CLIBLOQUEADO") || coluna == QLatin1String("MALADIRETAELETR") ||
                 coluna == QLatin1String("PROTESTARCLIENTE"))
            v = QStringLiteral("N");
        else if (coluna == QLatin1String("DT_NASCIMENTO") || coluna == QLatin1String("DT_CADASTRO"))
            v = QStringLiteral("30/12/1899");  // NULL source dates
        if (const auto it = resto.find(coluna); it != resto.end()) {
            v = it->second;
            resto.erase(it);
        }
        linha << v;
    }
    EXPECT_TRUE(resto.empty()) << "unknown column " << resto.begin()->first.toStdString();
    return linha;
}

const QString kPrefixo = QStringLiteral("Convertendo Clientes - Registro ");

class CustomerFiller : public PreenchimentoFixture {
protected:
    CustomerFiller()
    {
        // The legacy server stored impossible and zero dates.
        s.exec(QStringLiteral("SET SESSION sql_mode = 'ALLOW_INVALID_DATES'"));
    }
    void converte() { TClassPreencheDadosClientes().PreencheConverteClientes(origem, t.db, gauge, label); }
    QString prefixo(int n, int total) const { return rotulo(kPrefixo, n, total); }
    std::vector<QStringList> clientes()
    {
        return t.rows(QStringLiteral("SELECT ") + kColunas + QStringLiteral(" FROM CLIENTE ORDER BY CODCLIENTE"));
    }
};

TEST_F(CustomerFiller, MessyCustomersArriveNormalizedWithTheirCities)
{
    anterior(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('99999999', 'DE UMA CONVERSÃO ANTERIOR')"));
    anterior(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00001', 'BELO HORIZONTE', 'MG')"));
    anterior(QStringLiteral(
        "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00003', 'SANTA BARBARA D''OESTE', 'SP')"));
    anterior(QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00007', 'JUIZ DE FORA', 'MG')"));

    s.exec(QStringLiteral(
        "INSERT INTO TBCLIENTES (CONTROLE, NOME, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, TELEFONE, DATA, CGC, "
        "CPF, RESPONSAVEL, DATACADASTRO, PAI, MAE, IDENTIDADE, FAX, OBSERVACAO, EMPRESATRABALHO, LIMITECREDITO, "
        "PESSOA, ESTADOCIVIL, REFERENCIA, ATIVO) VALUES ('123', 'Maria D''Ávila \"Mariinha\"', "
        "'Rua das Flores, 12', 'Centro', 'Juiz de Fora', 'mg', '36.010-000', '(32) 3215-1234', '1970-03-25', "
        "'   ', '123.456.789-01', 'João', '2008-05-02', 'José', 'Ana', 'MG-12.345.678', '(32) 3215-9999', "
        "'Cliente antigo', 'Hospital São João', 1500.50, 'Fisica', 'Casada', 'Vizinha', 'S')"));
    s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE) VALUES ('4.567-8')"));  // all the rest NULL
    s.exec(QStringLiteral(
        "INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO, TELEFONE, DATA, DATACADASTRO, CGC, CPF, FAX, "
        "LIMITECREDITO, PESSOA, ATIVO) VALUES ('777', 'Drogaria \"Boa Saúde\" Ltda', 'BHTE', 'MG', "
        "'000000000000', '0000-00-00', '2012-02-30', '12.345.678/0001-90', '999.999.999-99', '0', 2500.75, "
        "'Juridica', 'N')"));
    s.exec(QStringLiteral(
        "INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO, TELEFONE, DATA, DATACADASTRO) VALUES "
        "('8', 'Conceição Aparecida', 'Contagem', 'mg', ' 000000000000', '1985-12-31', '2010-07-01')"));
    const QString nomeLongo = QStringLiteral("   ") + QStringLiteral("Nome Comprido ").repeated(6);  // 84
    const QString observacao = QStringLiteral("obs ").repeated(40);
    s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO, CEP, TELEFONE, OBSERVACAO) "
                          "VALUES ('9', '") +
           nomeLongo + QStringLiteral("', 'contagem', 'MG', '30130-0001', '3333-4444', '") + observacao +
           QStringLiteral("')"));
    s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, CIDADE, ESTADO, CGC, RESPONSAVEL) VALUES "
                          "('\"55\"', '   ', 'Minas Gerais', '   ', '  Pedro \"Pepe\"')"));
    s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, CIDADE, ESTADO, CPF) VALUES "
                          "('56', 'Santa Barbara D''Oeste', 'sp', '  123.456.789-09 ')"));

    converte();
    t.tr.commit();

    const std::vector<QStringList> esperado = {
        cliente({{"CODCLIENTE", "00000008"}, {"NOME", "Conceição Aparecida"}, {"CODCIDADE", "00008"},
                 {"ESTADO", "MG"}, {"FONE", "0"}, {"DT_NASCIMENTO", "31/12/1985"}, {"DT_CADASTRO", "01/07/2010"}}),
        cliente({{"CODCLIENTE", "00000009"}, {"NOME", nomeLongo.trimmed().left(60)}, {"CODCIDADE", "00008"},
                 {"ESTADO", "MG"}, {"CEP", "30130000"}, {"FONE", "3133334444"}, {"OBSERVACAO", observacao.left(100)}}),
        cliente({{"CODCLIENTE", "00000055"}, {"ESTADO", "MI"}, {"CONTATO", "Pedro Pepe"}}),
        cliente({{"CODCLIENTE", "00000056"}, {"CODCIDADE", "00003"}, {"ESTADO", "SP"}, {"CGCCPF", "12345678909"}}),
        cliente({{"CODCLIENTE", "00000123"}, {"NOME", "Maria D'Ávila Mariinha"}, {"ENDERECO", "Rua das Flores, 12"},
                 {"BAIRRO", "Centro"}, {"CODCIDADE", "00007"}, {"ESTADO", "MG"}, {"CEP", "36010000"},
                 {"FONE", "3232151234"}, {"DT_NASCIMENTO", "25/03/1970"}, {"CGCCPF", "12345678901"},
                 {"CONTATO", "João"}, {"DT_CADASTRO", "02/05/2008"}, {"CAMPOLIVRE3", "José"},
                 {"CAMPOLIVRE4", "Ana"}, {"CAMPOLIVRE1", "MG-12.345.678"}, {"FAX", "3232159999"},
                 {"OBSERVACAO", "Cliente antigo"}, {"CAMPOLIVRE5", "Hospital São João"},
                 {"LIMITECREDITO", "1500,5"}, {"PESSOA_FJ", "F"}, {"CAMPOLIVRE2", "Casada"},
                 {"CAMPOLIVRE6", "Vizinha"}, {"ATIVO", "S"}}),
        cliente({{"CODCLIENTE", "00000777"}, {"NOME", "Drogaria Boa Saúde Ltda"}, {"CODCIDADE", "00001"},
                 {"ESTADO", "MG"}, {"CGCCPF", "12345678000190"}, {"LIMITECREDITO", "2500,75"},
                 {"PESSOA_FJ", "J"}, {"ATIVO", "N"}}),
        cliente({{"CODCLIENTE", "00045678"}}),
    };
    const auto lidos = clientes();
    ASSERT_EQ(lidos.size(), esperado.size());
    for (size_t i = 0; i < esperado.size(); ++i)
        EXPECT_EQ(lidos[i], esperado[i]) << "row " << i;

    // One new city, created by whichever Contagem row came first and found by the other.
    const auto cidades = t.rows(QStringLiteral("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"));
    const std::vector<QStringList> cidadesEsperadas = {{"00001", "BELO HORIZONTE", "MG"},
                                                      {"00003", "SANTA BARBARA D'OESTE", "SP"},
                                                      {"00007", "JUIZ DE FORA", "MG"},
                                                      {"00008", "CONTAGEM", "MG"}};
    EXPECT_EQ(cidades, cidadesEsperadas);

    // Progress: pending events once before anything, then once per row right after its label.
    EXPECT_EQ(label.history, rotulos(kPrefixo, 7) + QStringList{QString()});
    ASSERT_EQ(events.snapshots.size(), 8u);
    EXPECT_EQ(events.snapshots[0].label, QString());
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(events.snapshots[i].label, prefixo(i, 7));
        EXPECT_EQ(events.snapshots[i].position, i - 1);
        EXPECT_EQ(events.snapshots[i].maximum, 7);
    }
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(CustomerFiller, EmptySourceTableStillEmptiesTheCustomers)
{
    anterior(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'ANTIGO')"));
    gauge.setPosition(40);

    converte();

    EXPECT_FALSE(t.tr.active());  // the clearing committed and nothing ran after it
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 0);
    EXPECT_EQ(label.history, QStringList{QString()});  // no row label, only the final clearing
    EXPECT_EQ(events.calls, 1);
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(CustomerFiller, RefusedCustomerEndsTheConversionWithTheReasonsMessage)
{
    struct Caso {
        const char* nome;
        QStringList controles;
        QString mensagem;  // part of the error's message
        int linhaQueFalha;
    };
    const std::vector<Caso> casos = {
        // Both give 00000123: the target refuses the second one.
        {"código repetido", {"123", "00000123"}, "PK_CLIENTE", 2},
        // Cutting it to 8 would have merged it with customer 12345678.
        {"código longo demais", {"123456789"}, "Código do cliente '123456789' tem mais de 8 caracteres.", 1},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        s.exec(QStringLiteral("DELETE FROM TBCLIENTES"));
        for (const QString& controle : k.controles)
            s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME) VALUES ('%1', 'X')").arg(controle));
        anterior(QStringLiteral("DELETE FROM CLIENTE"));
        anterior(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'ANTIGO')"));
        label.history.clear();

        try {
            converte();
            ADD_FAILURE() << "the run went on";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains(k.mensagem)) << e.message().toStdString();
        }
        // The label stays on the failed row; the gauge is the controller's to reset.
        const int total = static_cast<int>(k.controles.size());
        EXPECT_EQ(label.text(), prefixo(k.linhaQueFalha, total));
        EXPECT_EQ(gauge.maximum(), total);
        // The clearing was committed; the customers written after it go with the rollback.
        descarta();
        EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 0);
        t.tr.start();
    }
}

TEST_F(CustomerFiller, SourceSelectReadsEveryCustomerColumn)
{
    s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE) VALUES ('1')"));
    SourceQuery q(origem);
    TClassPreencheDadosClientes filler;
    SourceQuery& aberta = filler.BuscaClientesBDOrigem(origem, q);
    EXPECT_EQ(&aberta, &q);
    EXPECT_EQ(q.sql(), QStringLiteral(
                           "SELECT CONTROLE, NOME, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, TELEFONE, DATA, CGC, CPF, "
                           "RESPONSAVEL, DATACADASTRO, PAI, MAE, IDENTIDADE, FAX, OBSERVACAO, EMPRESATRABALHO, "
                           "LIMITECREDITO, PESSOA, ESTADOCIVIL, REFERENCIA, ATIVO FROM TBCLIENTES "));
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_FALSE(q.eof());
}
}  // namespace
