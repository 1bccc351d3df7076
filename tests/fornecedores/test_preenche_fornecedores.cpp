// The supplier filler end to end: messy TBFORNECEDOR rows on the sandbox MariaDB into FORNECE
// of a real target file, with the cities created on the way and the progress display.
#include "PreenchimentoFixture.h"
#include "Recorders.h"
#include "common/AppError.h"
#include "db/SourceQuery.h"
#include "entities/UClassPreencheConverteFornecedores.h"
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString colunas = QStringLiteral(
    "CODFORNEC, NOME, NOMEFANTASIA, CONTATO, ENDERECO, BAIRRO, CEP, CODCIDADE, NUMERO, COMPLEMENTO, "
    "ESTADO, INSCMUNICIPAL, PESSOA_FJ, CGCCPF, INSCEST, OBSERVACAO, FONE, FAX, CELULAR, EMAIL, "
    "HOMEPAGE, CAMPOLIVRE1, CAMPOLIVRE2, CODCLIENTE, ATIVO, TIPOFORNECE, CONTACX, CTCTBRED");

// One FORNECE row as read back, NULL as "<NULL>"; only the columns a supplier row fills vary.
QStringList fornece(const QString& cod, const QString& nome, const QString& endereco,
                    const QString& bairro, const QString& cep, const QString& codCidade,
                    const QString& estado, const QString& pessoa, const QString& cgc,
                    const QString& inscEst, const QString& obs, const QString& fone,
                    const QString& fax, const QString& email)
{
    return {cod, nome, "", "", endereco, bairro, cep, codCidade, "", "", estado, "", pessoa, cgc,
            inscEst, obs, fone, fax, "", email, "", "", "", "", "S", "", "", ""};
}

class SupplierFiller : public PreenchimentoFixture {
protected:
    void converte()
    {
        TClassPreencheDadosFornecedores().PreencheConverteFornecedores(origem, t.db, gauge, label);
    }
    RecordingMessages mensagens;
};

TEST_F(SupplierFiller, MessySuppliersArriveNormalizedWithTheirCities)
{
    anterior("INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('999999', 'DE UMA CONVERSÃO ANTERIOR')");
    anterior("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00007', 'BELO HORIZONTE', 'MG')");
    s.exec("INSERT INTO TBFORNECEDOR (CONTROLE) VALUES (7)");  // every other column NULL
    s.exec("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, FANTASIA, ENDERECO, BAIRRO, CIDADE, ESTADO, "
           "CEP, TELEFONE, CGC, INSCRICAO, FAX, EMAIL, OBSERVACAO, PESSOA, DATACADASTRO) VALUES "
           "(12, '  D''Ávila Ltda  ', 'Dávila', '  Rua São João, 100', ' Centro ', 'Belo Horizonte', "
           "'mg', '30.130-000', '(031) 3333-4444', '12.345.678/0001-90', 'isento', '000000000000', "
           "' compras@davila.com.br ', 'Entrega às ''terças''', 'Juridica', '2010-05-04')");
    s.exec("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, CIDADE, ESTADO, CEP, TELEFONE, FAX, PESSOA) "
           "VALUES (99, 'Farmácia \"Popular\" O''Brien', 'contagem', 'mg', '32010-000', '   ', "
           "'0031 3333 4444', 'Fisica')");
    s.exec("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, CIDADE, ESTADO, TELEFONE) "
           "VALUES (100, 'Atacado BH', 'BHTE', 'XX', '3333-4444')");
    s.exec("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, CIDADE, ESTADO, CGC, INSCRICAO, OBSERVACAO, "
           "PESSOA, EMAIL) VALUES (345, '" + QString(60, 'N') + "', 'Contagem', 'MG', "
           "'123.456.789-01', 'ISENTA', '" + QString(150, 'o') + "', '', '" + QString(90, 'e') + "')");
    s.exec("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA, CIDADE, ESTADO, TELEFONE, FAX) "
           "VALUES (4567, 'Sem Cidade Informada', '   ', 'SP', '00000000000', '( 031 )  3333 - 4444')");

    converte();
    confirma();

    const auto linhas = t.rows("SELECT " + colunas + " FROM FORNECE ORDER BY CODFORNEC");
    const std::vector<QStringList> esperado = {
        fornece("000007", "", "", "", "", "", "", "", "", "", "", "", "", ""),
        fornece("000012", "DÁvila Ltda", "  Rua São João, 100", "Centro", "30130000", "00007", "mg",
                "J", "12345678000190", "ISENTO", "Entrega às terças", "3133334444", "",
                "compras@davila.com.br"),
        fornece("000099", "Farmácia \"Popular\" OBrien", "", "", "32010000", "00008", "mg", "F", "",
                "", "", "", "3133334444", ""),
        fornece("000100", "Atacado BH", "", "", "", "00007", "XX", "", "", "", "", "3133334444", "",
                ""),
        fornece("000345", QString(50, 'N'), "", "", "", "00008", "MG", "", "12345678901", "",
                QString(100, 'o'), "", "", QString(90, 'e')),
        fornece("004567", "Sem Cidade Informada", "", "", "", "", "SP", "", "", "", "", "",
                "3133334444", ""),
    };
    ASSERT_EQ(linhas.size(), esperado.size());
    for (size_t i = 0; i < esperado.size(); ++i)
        EXPECT_EQ(linhas[i], esperado[i]) << "row " << i;

    // A city is created once, upper-cased, and found again by later suppliers; a CIDADE of
    // blanks names no city and makes no row.
    EXPECT_EQ(t.rows("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"),
              (std::vector<QStringList>{{"00007", "BELO HORIZONTE", "MG"},
                                        {"00008", "CONTAGEM", "MG"}}));

    // The progress display: one label and one event pass per row, then emptied.
    ASSERT_EQ(events.snapshots.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(events.snapshots[i].label,
                  "Convertendo Fornecedores - Registro " + QString::number(i + 1) + " de 6");
        EXPECT_EQ(events.snapshots[i].position, i);
        EXPECT_EQ(events.snapshots[i].maximum, 6);
    }
    EXPECT_EQ(label.text(), QString());
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
    EXPECT_TRUE(mensagens.list.empty());
}

TEST_F(SupplierFiller, EmptySourceStillEmptiesFornece)
{
    anterior("INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'ANTIGO')");
    converte();
    descarta();  // the clearing was committed by itself
    EXPECT_EQ(t.count("FORNECE"), 0);
    EXPECT_EQ(events.calls, 0);
    for (const QString& texto : label.history)
        EXPECT_FALSE(texto.startsWith("Convertendo")) << texto.toStdString();
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(SupplierFiller, FailureLeavesAtOnceWithTheLabelOnTheFailedRow)
{
    struct Caso {
        const char* motivo;
        QString segundaLinha;  // the values of the second supplier
        QString mensagem;      // empty: any message
    };
    const std::vector<Caso> casos = {
        {"code wider than six", "(1234567, 'Largo Demais')",
         "Código do fornecedor '1234567' tem mais de 6 caracteres. (tabela TBFORNECEDOR, CONTROLE 1234567)"},
        {"name the target cannot store", "(20, 'Farmácia Ω')", ""},
    };
    for (const Caso& c : casos) {
        s.exec("DELETE FROM TBFORNECEDOR");
        s.exec("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA) VALUES (1, 'Primeiro'), " + c.segundaLinha +
               ", (9999999, 'Nunca Lido')");
        label.history.clear();
        try {
            converte();
            ADD_FAILURE() << c.motivo << ": no error";
        } catch (const AppError& e) {
            if (!c.mensagem.isEmpty()) {
                EXPECT_EQ(e.message(), c.mensagem) << c.motivo;
            }
        }
        EXPECT_EQ(label.text(), "Convertendo Fornecedores - Registro 2 de 3") << c.motivo;
        EXPECT_EQ(gauge.position(), 1) << c.motivo;
        descarta();
        EXPECT_EQ(t.count("FORNECE"), 0) << c.motivo << ": the first supplier was not committed";
        gauge.setMaximum(100);
        gauge.setPosition(0);
    }
}

TEST_F(SupplierFiller, SourceSelectReadsTheFourteenColumns)
{
    SourceQuery q(origem);
    q.setSql("SELECT 1");
    TClassPreencheDadosFornecedores().BuscaFornecedoresBDOrigem(q);
    EXPECT_TRUE(q.isOpen());
    EXPECT_EQ(q.sql(), "SELECT CONTROLE, EMPRESA, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, TELEFONE, CGC, "
                       "INSCRICAO, FAX, EMAIL, OBSERVACAO, PESSOA FROM TBFORNECEDOR");
}

}  // namespace
