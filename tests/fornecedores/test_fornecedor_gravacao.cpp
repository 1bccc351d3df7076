// The supplier converter writing into a real target file.
#include "TargetFixture.h"
#include "common/AppError.h"
#include "db/TargetQuery.h"
#include "entities/Fornecedor.h"
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString colunas = QStringLiteral(
    "CODFORNEC, NOME, NOMEFANTASIA, CONTATO, ENDERECO, BAIRRO, CEP, CODCIDADE, NUMERO, COMPLEMENTO, "
    "ESTADO, INSCMUNICIPAL, PESSOA_FJ, CGCCPF, INSCEST, OBSERVACAO, FONE, FAX, CELULAR, EMAIL, "
    "HOMEPAGE, CAMPOLIVRE1, CAMPOLIVRE2, CODCLIENTE, ATIVO, TIPOFORNECE, CONTACX, CTCTBRED");

class SupplierWrite : public ::testing::Test {
protected:
    void commitIfActive()
    {
        if (fx.tr.active())
            fx.tr.commit();
    }
    // Rows that fx.exec committed are invisible to the snapshot of a transaction started before.
    void novaTransacao()
    {
        fx.tr.commit();
        fx.tr.start();
    }
    TargetFixture fx;
};

TEST_F(SupplierWrite, EveryColumnIsStoredAsSetAndTheRecordIsReset)
{
    TConverteFornece f(fx.db);
    f.SetCodFornec("12");
    f.SetNome("D'Ávila Ltda");
    f.SetNomeFantasia("Drogas São José");
    f.SetContato("Mário");
    f.SetEndereco("  Rua Ção, 1");
    f.SetBairro("Centro");
    f.SetCep("30.130-000");
    f.SetCodCidade("7");
    f.SetNumero("100");
    f.SetComplemento("sala 2");
    f.SetEstado("MG");
    f.SetInscMunicipal("12.345");
    f.SetPessoa_FJ("Juridica");
    f.SetCgcCpf("12.345.678/0001-90");
    f.SetInscEst("isento");
    f.Setobservacao("Paga \"à vista\"");
    f.SetFone("(031) 3333-4444");
    f.SetFax("3333-5555");
    f.SetCelular("(31) 9 8888-7777");
    f.SetEmail(" compras@davila.com.br ");
    f.SetHomePage("www.davila.com.br");
    f.SetCampoLivre1("livre 1");
    f.SetCampoLivre2("livre 2");
    f.SetCodcliente("55");
    f.SetAtivo("'");
    f.SetTipoFornece("Distribuidora");
    f.SetContaCx("1.1.01");
    f.SetCTCTbred("2.1.01");
    f.GravaFornecedor();
    EXPECT_EQ(f.CodFornec(), "000000") << "reset after the insert";
    EXPECT_EQ(f.Nome(), QString());
    commitIfActive();

    const auto linhas = fx.rows("SELECT " + colunas + " FROM FORNECE");
    ASSERT_EQ(linhas.size(), 1u);
    const QStringList esperado = {
        "000012", "DÁvila Ltda", "Drogas São José", "Mário", "  Rua Ção, 1", "Centro", "30130000",
        "00007", "100", "sala 2", "MG", "12345", "J", "12345678000190", "ISENTO", "Paga \"à vista\"",
        "3133334444", "3133335555", "31988887777", "compras@davila.com.br", "www.davila.com.br",
        "livre 1", "livre 2", "00000055", "'", "Distribuidora", "1.1.01", "2.1.01"};
    EXPECT_EQ(linhas[0], esperado);
}

TEST_F(SupplierWrite, FieldsTheResetLeavesAloneReachTheNextSupplier)
{
    TConverteFornece f(fx.db);
    f.SetCodFornec("1");
    f.SetNome("Primeiro");
    f.SetCodcliente("9");
    f.SetAtivo("s");
    f.SetContaCx("1.1");
    f.SetCTCTbred("2.2");
    f.SetFone("3333-4444");
    f.GravaFornecedor();
    f.SetCodFornec("2");
    f.GravaFornecedor();
    commitIfActive();
    const auto linhas = fx.rows("SELECT CODFORNEC, NOME, FONE, CODCLIENTE, ATIVO, CONTACX, CTCTBRED "
                                "FROM FORNECE ORDER BY CODFORNEC");
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0], QStringList({"000001", "Primeiro", "3133334444", "00000009", "S", "1.1", "2.2"}));
    EXPECT_EQ(linhas[1], QStringList({"000002", "", "", "00000009", "S", "1.1", "2.2"}));
}

TEST_F(SupplierWrite, LimpaTabelaEmptiesFornecesAndCommitsTheWorkBeforeIt)
{
    fx.exec("INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'ANTIGO')");
    novaTransacao();
    {
        TargetQuery q(fx.db);
        q.setSql("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00001', 'CONTAGEM', 'MG')");
        q.execSql();
    }
    TConverteFornece f(fx.db);
    f.LimpaTabela();
    EXPECT_FALSE(fx.tr.active()) << "the clearing ends the transaction";
    EXPECT_EQ(fx.count("FORNECE"), 0);
    EXPECT_EQ(fx.count("CIDADES"), 1) << "work done before the clearing is committed with it";

    // The next insert runs in a new transaction that a rollback undoes.
    f.SetCodFornec("2");
    f.GravaFornecedor();
    EXPECT_TRUE(fx.tr.active());
    fx.tr.rollback();
    EXPECT_EQ(fx.count("FORNECE"), 0);
}

TEST_F(SupplierWrite, RejectedInsertRaisesAndKeepsTheRecord)
{
    struct Caso {
        const char* motivo;
        QString nome;
        QString email;
    };
    const std::vector<Caso> casos = {
        // Characters the target's character set cannot hold are refused, never replaced.
        {"unencodable name", QStringLiteral("Farmácia Ω"), QString()},
        // The e-mail is never cut by the converter: a longer one than the column is refused.
        {"e-mail longer than its column", QStringLiteral("Longo"), QString(250, QLatin1Char('m'))},
    };
    for (const Caso& c : casos) {
        TConverteFornece f(fx.db);
        f.SetCodFornec("77");
        f.SetNome(c.nome);
        f.SetEmail(c.email);
        EXPECT_THROW(f.GravaFornecedor(), AppError) << c.motivo;
        EXPECT_EQ(f.CodFornec(), "000077") << c.motivo;
        EXPECT_EQ(f.Nome(), c.nome) << c.motivo;
        if (fx.tr.active())
            fx.tr.rollback();
        EXPECT_EQ(fx.count("FORNECE"), 0) << c.motivo;
    }
}

}  // namespace
