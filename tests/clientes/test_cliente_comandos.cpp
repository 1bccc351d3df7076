// The customer statements: their texts, and what they do to a real target file.
#include "TargetFixture.h"
#include "common/AppError.h"
#include "entities/Cliente.h"
#include <QDate>
#include <gtest/gtest.h>

namespace {
const QString kColunas = QStringLiteral(
    "CODCLIENTE, NOME, NOMEFANTASIA, ENDERECO, BAIRRO, CODCIDADE, ESTADO, CEP, CGCCPF, INSCEST, PESSOA_FJ, "
    "FONE, FAX, PREFIXCELULAR, CELULAR, CAMPOLIVRE1, CAMPOLIVRE2, CAMPOLIVRE3, CAMPOLIVRE4, CAMPOLIVRE5, "
    "CAMPOLIVRE6, CAMPOLIVRE7, CAMPOLIVRE8, CAMPOLIVRE9, CAMPOLIVRE10, OBSERVACAO, EMAIL, HOMEPAGE, "
    "ENDERECOCOB, BAIRROCOB, CEPCOB, CODCIDADECOB, ESTADOCOB, ENDERECOENT, BAIRROENT, CEPENT, CODCIDADEENT, "
    "ESTADOENT, CODFORNEC, CONTATO, CODSEGMENTO, CODCLASCLI, CODVENDEND1, LIMITECREDITO, CODPAIS, NOMESOCIO, "
    "DT_NASCIMENTO, DT_ULTVENDA, DT_CADASTRO, DT_VALCAD, ATIVO, CLIBLOQUEADO, MALADIRETAELETR, PROTESTARCLIENTE");

// A record with a different value in every written field, so a value in the wrong column shows.
void preencheTudo(TConverteCliente& c)
{
    c.SetCodCliente(QStringLiteral("123"));
    c.SetNome(QStringLiteral("D'AVILA"));
    c.SetNomeFantasia(QStringLiteral("FANTASIA"));
    c.SetEndereco(QStringLiteral("RUA A"));
    c.SetBairro(QStringLiteral("BAIRRO"));
    c.SetCodCidade(QStringLiteral("7"));
    c.SetEstado(QStringLiteral("mg"));
    c.SetCep(QStringLiteral("30130-000"));
    c.SetCgcCpf(QStringLiteral("123.456.789-01"));
    c.SetInscEst(QStringLiteral("ISENTO"));
    c.SetPessoa_FJ(QStringLiteral("F"));
    c.SetFone(QStringLiteral("3333-4444"));
    c.SetFax(QStringLiteral("(31) 2222-1111"));
    c.SetPrefixCelular(QStringLiteral("31"));
    c.SetCelular(QStringLiteral("98765-4321"));
    c.SetCampoLivre1(QStringLiteral("L1"));
    c.SetCampoLivre2(QStringLiteral("L2"));
    c.SetCampoLivre3(QStringLiteral("L3"));
    c.SetCampoLivre4(QStringLiteral("L4"));
    c.SetCampoLivre5(QStringLiteral("L5"));
    c.SetCampoLivre6(QStringLiteral("L6"));
    c.SetCampoLivre7(QStringLiteral("L7"));
    c.SetCampoLivre8(QStringLiteral("L8"));
    c.SetCampoLivre9(QStringLiteral("L9"));
    c.SetCampoLivre10(QStringLiteral("L10"));
    c.SetObsercacao(QStringLiteral("OBS"));
    c.SetEmail(QStringLiteral("E@X"));
    c.SetHomePage(QStringLiteral("WWW"));
    c.SetEnderecoCob(QStringLiteral("RUA COB"));
    c.SetBairroCob(QStringLiteral("B COB"));
    c.SetCepCob(QStringLiteral("30000-001"));
    c.SetCodCidadeCob(QStringLiteral("8"));
    c.SetEstadoCob(QStringLiteral("sp"));
    c.SetEnderecoEntr(QStringLiteral("RUA ENT"));
    c.SetBairroEntr(QStringLiteral("B ENT"));
    c.SetCepEntr(QStringLiteral("30000-002"));
    c.SetCodCidadeEntr(QStringLiteral("9"));
    c.SetEstadoEntr(QStringLiteral("rj"));
    c.SetCodFornec(QStringLiteral("000321"));
    c.SetContato(QStringLiteral("CONTATO"));
    c.SetCodSegmento(QStringLiteral("SEG"));
    c.SetCodClasCli(QStringLiteral("CC"));
    c.SetCodVendend1(QStringLiteral("V1"));
    c.SetLimiteCredito(2500.75);
    c.SetCodPais(QStringLiteral("55"));
    c.SetNomeSocio(QStringLiteral("SOCIO"));
    c.SetDT_Nascimento(QStringLiteral("25/03/1970"));
    c.SetDt_Ult_Venda(QStringLiteral("10-01-2013"));
    c.SetDT_Cadastro(QStringLiteral("02/05/2008"));
    c.SetDT_Valcad(QStringLiteral("31.12.2014"));
    c.SetAtivo(QStringLiteral("S"));
    c.SetCliBloqueado(QStringLiteral("S"));
    c.SetMalaDiretaEletr(QStringLiteral("S"));
    c.SetProtestarCliente(QStringLiteral("S"));
}

// The read-back of preencheTudo's record.
const QStringList kLinhaCompleta = {
    "00000123", "D'AVILA", "FANTASIA", "RUA A", "BAIRRO", "00007", "MG", "30130000", "12345678901", "ISENTO",
    "F", "3133334444", "3122221111", "31", "987654321", "L1", "L2", "L3", "L4", "L5", "L6", "L7", "L8", "L9",
    "L10", "OBS", "E@X", "WWW", "RUA COB", "B COB", "30000001", "00008", "SP", "RUA ENT", "B ENT", "30000002",
    "00009", "RJ", "000321", "CONTATO", "SEG", "CC", "V1", "2500,75", "0055", "SOCIO", "25/03/1970",
    "10/01/2013", "02/05/2008", "31/12/2014", "S", "S", "N", "N"};

const QString kColunasInsert = QStringLiteral(
    "Insert Into Cliente ( cliente.codCliente, cliente.nome, cliente.nomefantasia , cliente.endereco, "
    "cliente.bairro, cliente.codcidade, cliente.estado, cliente.cep, cliente.cgccpf, cliente.inscest, "
    "cliente.pessoa_fj, cliente.fone, cliente.fax, cliente.prefixcelular, cliente.celular, cliente.campolivre1, "
    "cliente.campolivre2, cliente.campolivre3, cliente.campolivre4, cliente.campolivre5, cliente.campolivre6, "
    "cliente.campolivre7, cliente.campolivre8, cliente.campolivre9, cliente.campolivre10, cliente.observacao, "
    "cliente.email, cliente.homepage, cliente.enderecocob, cliente.bairrocob, cliente.cepcob, "
    "cliente.codcidadecob, cliente.estadocob, cliente.enderecoent, cliente.bairroent, cliente.cepent, "
    "cliente.codcidadeent, cliente.estadoent, cliente.codfornec, Cliente.contato, Cliente.CodSegmento, "
    "Cliente.CodClasCli, Cliente.CodVendend1, Cliente.LimiteCredito, Cliente.CodPais, cliente.nomesocio, ");

class CustomerStatements : public ::testing::Test {
protected:
    TargetFixture fx;
    TConverteCliente c{fx.db};

    std::vector<QStringList> clientes()
    {
        return fx.rows(QStringLiteral("SELECT ") + kColunas + QStringLiteral(" FROM CLIENTE ORDER BY CODCLIENTE"));
    }
};

TEST_F(CustomerStatements, InsertTextWithEveryDate)
{
    preencheTudo(c);
    const QString esperado =
        kColunasInsert +
        "cliente.dt_nascimento, cliente.dt_ultvenda, cliente.dt_cadastro, cliente.DT_ValCad, cliente.Ativo, "
        "cliente.CliBloqueado, cliente.maladiretaeletr, cliente.protestarcliente) Values ( '00000123', "
        "'D''AVILA', 'FANTASIA', 'RUA A', 'BAIRRO', '00007', 'MG', '30130000', '12345678901', 'ISENTO', 'F', "
        "'3133334444', '3122221111', '31', '987654321', 'L1', 'L2', 'L3', 'L4', 'L5', 'L6', 'L7', 'L8', 'L9', "
        "'L10', 'OBS', 'E@X', 'WWW', 'RUA COB', 'B COB', '30000001', '00008', 'SP', 'RUA ENT', 'B ENT', "
        "'30000002', '00009', 'RJ', '000321', 'CONTATO', 'SEG', 'CC', 'V1', 2500.75, '0055', 'SOCIO', "
        "'25.03.1970', '10.01.2013', '02.05.2008', '31.12.2014', 'S','S',\"N\", \"N\")";
    EXPECT_EQ(c.MontaSqlInsere().simplified(), esperado);
}

TEST_F(CustomerStatements, InsertTextLeavesOutTheEmptyDates)
{
    // A fresh record: only the registration date (today, from the reset) is filled.
    c.SetCodCliente(QStringLiteral("9"));
    c.SetNomeSocio(QStringLiteral("SOCIO"));
    c.SetDT_Cadastro(QStringLiteral("02/05/2008"));
    const QString vazios = QStringLiteral("'', ").repeated(41);
    const QString esperado = kColunasInsert +
                             "cliente.dt_cadastro, cliente.Ativo, cliente.CliBloqueado, cliente.maladiretaeletr, "
                             "cliente.protestarcliente) Values ( '00000009', " +
                             vazios.left(9 * 4) + "'F', " + vazios.left(32 * 4) + "0, '', 'SOCIO', " +
                             "'02.05.2008', 'S','N',\"N\", \"N\")";
    EXPECT_EQ(c.MontaSqlInsere().simplified(), esperado);
}

TEST_F(CustomerStatements, InsertWritesEveryColumnAndResetsTheRecord)
{
    preencheTudo(c);
    EXPECT_TRUE(c.ExecutaSql(1));
    EXPECT_EQ(c.CodCliente(), "00000000");
    EXPECT_EQ(c.Nome(), "");
    fx.tr.commit();
    const auto linhas = clientes();
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0], kLinhaCompleta);
}

TEST_F(CustomerStatements, InsertOfACleanRecordWritesEmptyTextsNotNulls)
{
    c.SetCodCliente(QStringLiteral("1"));
    c.SetNome(QStringLiteral("José da Conceição € Ñandú"));
    c.ExecutaSql(1);
    fx.tr.commit();
    const auto linhas = clientes();
    ASSERT_EQ(linhas.size(), 1u);
    QStringList esperado = {"00000001", "José da Conceição € Ñandú"};
    for (int i = 0; i < 8; ++i)
        esperado << "";
    esperado << "F";
    for (int i = 0; i < 32; ++i)
        esperado << "";
    esperado << "0"
             << ""
             << ""
             << "<NULL>"
             << "<NULL>" << QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")) << "<NULL>"
             << "S"
             << "N"
             << "N"
             << "N";
    EXPECT_EQ(linhas[0], esperado);
}

TEST_F(CustomerStatements, UpdateRewritesEverythingButTheCode)
{
    preencheTudo(c);
    c.ExecutaSql(1);

    // Same customer, new values; the two dates left empty clear their columns.
    c.SetCodCliente(QStringLiteral("123"));
    c.SetNome(QStringLiteral("NOVO NOME"));
    c.SetCodCidade(QStringLiteral("12"));
    c.SetLimiteCredito(0);
    c.SetDT_Nascimento(QString());
    c.SetDT_Cadastro(QStringLiteral("01/02/2020"));
    c.SetCliBloqueado(QStringLiteral("S"));
    c.SetAtivo(QStringLiteral("N"));
    const QString texto = c.AtualizaCliente().simplified();
    EXPECT_TRUE(texto.startsWith(QStringLiteral("Update Cliente set cliente.Nome = 'NOVO NOME', "
                                                 "cliente.nomefantasia = '', cliente.endereco = '', ")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Cliente.LimiteCredito = 0, Cliente.CodPais = '0055', "
                                              "cliente.nomesocio = 'SOCIO', ")));
    EXPECT_TRUE(texto.endsWith(QStringLiteral(
        "cliente.nomesocio = 'SOCIO', cliente.dt_nascimento = NULL , cliente.dt_ultvenda = '10.01.2013', "
        "cliente.dt_cadastro = '01.02.2020', cliente.DT_ValCad = '31.12.2014', cliente.Ativo = 'N', "
        "cliente.CliBloqueado = \"N\", cliente.maladiretaeletr = \"N\", cliente.protestarcliente = \"N\" "
        "where cliente.codcliente = '00000123'")))
        << texto.toStdString();

    EXPECT_TRUE(c.ExecutaSql(2));
    EXPECT_EQ(c.Nome(), "");
    fx.tr.commit();

    QStringList esperado = {"00000123", "NOVO NOME"};
    for (int i = 0; i < 3; ++i)
        esperado << "";
    esperado << "00012";
    for (int i = 0; i < 4; ++i)
        esperado << "";
    esperado << "F";
    for (int i = 0; i < 27; ++i)
        esperado << "";
    // Fields the reset leaves alone keep the earlier customer's values.
    esperado << "000321"
             << "CONTATO"
             << "SEG"
             << "CC"
             << "V1"
             << "0"
             << "0055"
             << "SOCIO"
             << "<NULL>"
             << "10/01/2013"
             << "01/02/2020"
             << "31/12/2014"
             << "N"
             << "N"
             << "N"
             << "N";
    const auto linhas = clientes();
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0], esperado);
}

TEST_F(CustomerStatements, UpdateOfEmptyDatesWritesNull)
{
    c.SetCodCliente(QStringLiteral("5"));
    c.SetDT_Nascimento(QStringLiteral("25/03/1970"));
    c.ExecutaSql(1);
    c.SetCodCliente(QStringLiteral("5"));
    EXPECT_TRUE(c.AtualizaCliente().contains(QStringLiteral(" cliente.dt_nascimento = NULL , ")));
    c.ExecutaSql(2);
    fx.tr.commit();
    EXPECT_EQ(fx.value(QStringLiteral("SELECT DT_NASCIMENTO FROM CLIENTE")), "<NULL>");
}

TEST_F(CustomerStatements, CustomerCountIsWrittenForTheCompany)
{
    c.GravaNCliente(340);
    fx.tr.commit();
    const auto linhas = fx.rows(QStringLiteral("SELECT CODEMPRESA, NUMEROCLIENTES FROM NCLIENTE"));
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0], (QStringList{"00", "340"}));
}

TEST_F(CustomerStatements, LimpaTabelaEmptiesTheTableAndCommitsTheWorkBeforeIt)
{
    fx.exec(QStringLiteral("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'ANTIGO')"));
    fx.tr.commit();  // the run's transaction starts after the row exists, as it does in real use
    fx.tr.start();
    c.GravaNCliente(1);  // uncommitted work of the run so far
    c.LimpaTabela();
    EXPECT_FALSE(fx.tr.active());
    EXPECT_EQ(fx.count(QStringLiteral("CLIENTE")), 0);
    EXPECT_EQ(fx.count(QStringLiteral("NCLIENTE")), 1);  // committed with the clearing
    // The next statement starts the transaction again.
    c.SetCodCliente(QStringLiteral("2"));
    c.ExecutaSql(1);
    EXPECT_TRUE(fx.tr.active());
}

TEST_F(CustomerStatements, RefusedInsertFailsWithTheServersMessageAndDoesNotReset)
{
    c.SetCodCliente(QStringLiteral("123"));
    c.ExecutaSql(1);
    c.SetCodCliente(QStringLiteral("00000123"));
    c.SetNome(QStringLiteral("REPETIDO"));
    try {
        c.ExecutaSql(1);
        FAIL() << "duplicate code accepted";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("PK_CLIENTE"))) << e.message().toStdString();
    }
    EXPECT_EQ(c.CodCliente(), "00000123");
    EXPECT_EQ(c.Nome(), "REPETIDO");
}

TEST_F(CustomerStatements, CharacterOutsideTheTargetsSetFailsAndWritesNothing)
{
    c.SetCodCliente(QStringLiteral("1"));
    c.SetNome(QStringLiteral("Łukasz"));
    EXPECT_THROW(c.ExecutaSql(1), AppError);
    EXPECT_EQ(c.Nome(), "Łukasz");
    fx.tr.commit();
    EXPECT_EQ(fx.count(QStringLiteral("CLIENTE")), 0);
}

TEST_F(CustomerStatements, UnknownActionFails)
{
    EXPECT_THROW(c.ExecutaSql(3), AppError);
}
}  // namespace
