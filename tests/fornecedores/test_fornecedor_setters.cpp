// The supplier record: setter normalization, reset and the insert text. No statement is run,
// so the converter sits on a database that is never attached.
#include "common/AppError.h"
#include "db/TargetDatabase.h"
#include "entities/Fornecedor.h"
#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Setter = void (TConverteFornece::*)(const QString&);
using Getter = const QString& (TConverteFornece::*)() const;

struct Propriedade {
    const char* nome;
    Setter set;
    Getter get;
};

#define PROP(nome, setter) Propriedade{#nome, &TConverteFornece::setter, &TConverteFornece::nome}

const Propriedade pCodFornec = PROP(CodFornec, SetCodFornec);
const Propriedade pCodCliente = PROP(CodCliente, SetCodcliente);
const Propriedade pNome = PROP(Nome, SetNome);
const Propriedade pNomeFantasia = PROP(NomeFantasia, SetNomeFantasia);
const Propriedade pContato = PROP(Contato, SetContato);
const Propriedade pEndereco = PROP(Endereco, SetEndereco);
const Propriedade pBairro = PROP(Bairro, SetBairro);
const Propriedade pCep = PROP(Cep, SetCep);
const Propriedade pCodCidade = PROP(CodCidade, SetCodCidade);
const Propriedade pNomeCidade = PROP(NomeCidade, SetNomeCidade);
const Propriedade pNumero = PROP(Numero, SetNumero);
const Propriedade pComplemento = PROP(Complemento, SetComplemento);
const Propriedade pEstado = PROP(Estado, SetEstado);
const Propriedade pInscMunicipal = PROP(InscMunicipal, SetInscMunicipal);
const Propriedade pPessoa_FJ = PROP(Pessoa_FJ, SetPessoa_FJ);
const Propriedade pCgcCpf = PROP(CgcCpf, SetCgcCpf);
const Propriedade pInscEst = PROP(InscEst, SetInscEst);
const Propriedade pFone = PROP(Fone, SetFone);
const Propriedade pFax = PROP(Fax, SetFax);
const Propriedade pCelular = PROP(Celular, SetCelular);
const Propriedade pEmail = PROP(Email, SetEmail);
const Propriedade pHomePage = PROP(HomePage, SetHomePage);
const Propriedade pCampoLivre1 = PROP(CampoLivre1, SetCampoLivre1);
const Propriedade pCampoLivre2 = PROP(CampoLivre2, SetCampoLivre2);
const Propriedade pContaCx = PROP(ContaCx, SetContaCx);
const Propriedade pCTCTbred = PROP(CTCTbred, SetCTCTbred);
const Propriedade pObservacao = PROP(Observacao, Setobservacao);
const Propriedade pAtivo = PROP(Ativo, SetAtivo);
const Propriedade pTipoFornece = PROP(TipoFornece, SetTipoFornece);

QString rep(char c, int n) { return QString(n, QLatin1Char(c)); }

class SupplierRecord : public ::testing::Test {
protected:
    TargetDatabase db;  // never attached
    TConverteFornece f{db};
};

struct Caso {
    Propriedade p;
    QString entrada;
    QString esperado;
};

TEST_F(SupplierRecord, EachSetterNormalizesItsValue)
{
    const std::vector<Caso> casos = {
        // Codes: quotes and blanks go first, then the zero fill.
        {pCodFornec, "12", "000012"},
        {pCodFornec, "", "000000"},
        {pCodFornec, " 12 ", "000012"},
        {pCodFornec, "1'2", "000012"},
        {pCodFornec, "12345'6", "123456"},
        {pCodFornec, "A1", "0000A1"},
        {pCodCliente, "123", "00000123"},
        {pCodCliente, "12345678", "12345678"},
        {pCodCidade, "", ""},
        {pCodCidade, "12", "00012"},
        {pCodCidade, "00007", "00007"},
        {pCodCidade, "   ", ""},
        // Single quotes are removed, not doubled; double quotes stay.
        {pNome, "D'Ávila Ltda", "DÁvila Ltda"},
        {pNome, " 'Ana' \"Bia\" ", "Ana \"Bia\""},
        {pNome, "  " + rep('N', 60), rep('N', 50)},
        {pNomeFantasia, " " + rep('F', 45), rep('F', 40)},
        {pContato, "  José  ", "José"},
        {pContato, rep('c', 35), rep('c', 30)},
        {pEndereco, "  Rua A ", "  Rua A "},
        {pEndereco, rep('e', 55), rep('e', 50)},
        {pBairro, " Centro ", "Centro"},
        // The quote at position 30 is gone before the cut, so the cut keeps one more letter.
        {pBairro, rep('b', 29) + "'xyz", rep('b', 29) + "x"},
        // The mask goes before the cut: a ten-character masked CEP keeps all eight digits.
        {pCep, "30.130-000", "30130000"},
        {pCep, " 32010-000 ", "32010000"},
        {pCep, "1234567890", "123456789"},
        {pCep, "", ""},
        {pNomeCidade, " Contagem ", "Contagem"},
        {pNomeCidade, rep('c', 35), rep('c', 30)},
        {pNumero, " 12", " 12"},
        {pNumero, rep('9', 12), rep('9', 10)},
        // Cut to 60 first, trimmed afterwards: the blank at position 60 goes.
        {pComplemento, rep('a', 59) + " b", rep('a', 59)},
        {pComplemento, "  apto 1  ", "apto 1"},
        {pEstado, " mg", " m"},
        {pEstado, "mg", "mg"},
        {pEstado, "Minas", "Mi"},
        {pInscMunicipal, "12.345-6", "123456"},
        {pInscMunicipal, "isento", "ISENTO"},
        {pInscMunicipal, rep('7', 20), rep('7', 15)},
        {pPessoa_FJ, "Juridica", "J"},
        {pPessoa_FJ, "", ""},
        {pCgcCpf, "12.345.678/0001-90", "12345678000190"},
        {pCgcCpf, "123.456.789-01", "12345678901"},
        {pCgcCpf, "isento", "ISENTO"},
        {pCgcCpf, "ISENTA", ""},
        {pCgcCpf, "123456789012345678", "12345678901234"},
        {pInscEst, "isento", "ISENTO"},
        {pInscEst, "ISENTA", ""},
        {pInscEst, "062.307.904/0081", "0623079040081"},
        // Telephones are normalized before the cut, so masked numbers keep their digits.
        {pFone, "(031) 3333-4444", "3133334444"},
        {pFone, "3333-4444", "3133334444"},
        {pFone, "( 031 )  3333 - 4444", "3133334444"},
        {pFone, "(31)'3333-4444", "3133334444"},
        {pFone, "1234567890123456789", "123456789012345"},
        {pFone, "", ""},
        {pFax, "0031 3333 4444", "3133334444"},
        {pFax, "( 031 )  3333 - 4444", "3133334444"},
        {pFax, "000", "0"},
        {pCelular, "(31) 9 8888-7777", "31988887777"},
        {pCelular, rep('8', 20), rep('8', 15)},
        {pEmail, "  a@b.com  ", "a@b.com"},
        {pEmail, "o'neil@x.com", "oneil@x.com"},
        {pEmail, rep('m', 300), rep('m', 300)},
        {pHomePage, " www.x.com", " www.x.com"},
        {pHomePage, rep('w', 40), rep('w', 30)},
        {pCampoLivre1, " x ", "x"},
        {pCampoLivre1, rep('1', 25), rep('1', 20)},
        {pCampoLivre2, " y ", "y"},
        {pCampoLivre2, rep('2', 25), rep('2', 20)},
        {pContaCx, " 1.1.01 ", "1.1.01"},
        {pContaCx, "123456789", "1234567"},
        {pCTCTbred, " 2.1 ", "2.1"},
        {pCTCTbred, "987654321", "9876543"},
        {pObservacao, " obs", " obs"},
        {pObservacao, "a'b", "ab"},
        {pObservacao, rep('o', 150), rep('o', 100)},
        {pTipoFornece, "D'x", "Dx"},
        {pTipoFornece, rep('t', 300), rep('t', 300)},
        // The active flag keeps a quote (the insert doubles it) and is upper-cased.
        {pAtivo, "s", "S"},
        {pAtivo, "sim", "S"},
        {pAtivo, "n", "N"},
        {pAtivo, "'", "'"},
        {pAtivo, "", ""},
    };
    for (const Caso& c : casos) {
        (f.*c.p.set)(c.entrada);
        EXPECT_EQ((f.*c.p.get)(), c.esperado) << c.p.nome << " <- \"" << c.entrada.toStdString() << '"';
    }
}

TEST_F(SupplierRecord, CodeLongerThanItsWidthIsRefusedAndTheFieldKeepsItsValue)
{
    struct Erro {
        Propriedade p;
        QString entrada;
        QString mensagem;
    };
    const std::vector<Erro> erros = {
        {pCodFornec, "1234567", "Código do fornecedor '1234567' tem mais de 6 caracteres."},
        {pCodFornec, " 1234'567 ", "Código do fornecedor '1234567' (na origem: ' 1234'567 ') tem mais de 6 caracteres."},
        {pCodFornec, "1234568", "Código do fornecedor '1234568' tem mais de 6 caracteres."},
        {pCodCliente, "123456789", "Código do cliente '123456789' tem mais de 8 caracteres."},
        {pCodCidade, "123456", "Código da cidade '123456' tem mais de 5 caracteres."},
    };
    f.SetCodFornec("42");
    f.SetCodcliente("43");
    f.SetCodCidade("44");
    for (const Erro& e : erros) {
        const QString antes = (f.*e.p.get)();
        try {
            (f.*e.p.set)(e.entrada);
            ADD_FAILURE() << e.p.nome << " accepted \"" << e.entrada.toStdString() << '"';
        } catch (const AppError& erro) {
            EXPECT_EQ(erro.message(), e.mensagem);
        }
        EXPECT_EQ((f.*e.p.get)(), antes) << e.p.nome;
    }
}

TEST_F(SupplierRecord, NoSetterButAtivoLeavesAQuoteOrExceedsItsColumn)
{
    struct Limite {
        Propriedade p;
        int largura;  // 0: no limit
    };
    const std::vector<Limite> limites = {
        {pNome, 50}, {pNomeFantasia, 40}, {pContato, 30}, {pEndereco, 50}, {pBairro, 30},
        {pCep, 9}, {pNomeCidade, 30}, {pNumero, 10}, {pComplemento, 60}, {pEstado, 2},
        {pInscMunicipal, 15}, {pPessoa_FJ, 1}, {pCgcCpf, 14}, {pInscEst, 15}, {pFone, 15},
        {pFax, 15}, {pCelular, 15}, {pEmail, 0}, {pHomePage, 30}, {pCampoLivre1, 20},
        {pCampoLivre2, 20}, {pContaCx, 7}, {pCTCTbred, 7}, {pObservacao, 100},
        {pTipoFornece, 0},
    };
    QString aspas;
    for (int i = 0; i < 70; ++i)
        aspas += QStringLiteral("'9a'(31) 3.33-4/");
    const std::vector<QString> entradas = {"'", "''''", " ' ' ", aspas, "'" + rep('5', 40) + "'",
                                           "(031)' 3333-4444 ' 0000 ' 1111 ' 2222 ' 3333"};
    for (const Limite& l : limites)
        for (const QString& entrada : entradas) {
            (f.*l.p.set)(entrada);
            const QString v = (f.*l.p.get)();
            EXPECT_FALSE(v.contains(QLatin1Char('\''))) << l.p.nome << " <- " << entrada.toStdString();
            if (l.largura > 0) {
                EXPECT_LE(v.size(), l.largura) << l.p.nome << " <- " << entrada.toStdString();
            }
        }
}

TEST_F(SupplierRecord, ResetEmptiesTheRecordButKeepsFourFields)
{
    EXPECT_EQ(f.CodFornec(), "000000") << "after construction";
    for (const Propriedade& p :
         {pCodCliente, pNome, pCep, pCodCidade, pFone, pFax, pAtivo, pContaCx, pCTCTbred, pTipoFornece})
        EXPECT_EQ((f.*p.get)(), QString()) << p.nome << " after construction";

    f.SetCodFornec("1");
    f.SetCodcliente("2");
    f.SetNome("Nome");
    f.SetNomeFantasia("Fantasia");
    f.SetContato("Contato");
    f.SetEndereco("Rua");
    f.SetBairro("Bairro");
    f.SetCep("30130000");
    f.SetCodCidade("7");
    f.SetNomeCidade("Cidade");
    f.SetNumero("10");
    f.SetComplemento("Sala");
    f.SetEstado("MG");
    f.SetInscMunicipal("123");
    f.SetPessoa_FJ("J");
    f.SetCgcCpf("12345678000190");
    f.SetInscEst("456");
    f.SetFone("3133334444");
    f.SetFax("3133335555");
    f.SetCelular("31988887777");
    f.SetEmail("a@b.com");
    f.SetHomePage("www");
    f.SetCampoLivre1("L1");
    f.SetCampoLivre2("L2");
    f.SetContaCx("1.1");
    f.SetCTCTbred("2.2");
    f.Setobservacao("Obs");
    f.SetAtivo("s");
    f.SetTipoFornece("T");

    f.LimpaVariavel();

    EXPECT_EQ(f.CodFornec(), "000000");
    for (const Propriedade& p :
         {pNome, pNomeFantasia, pContato, pEndereco, pBairro, pCep, pCodCidade, pNomeCidade, pNumero,
          pComplemento, pEstado, pInscMunicipal, pPessoa_FJ, pCgcCpf, pInscEst, pFone, pFax, pCelular,
          pEmail, pHomePage, pCampoLivre1, pCampoLivre2, pObservacao, pTipoFornece})
        EXPECT_EQ((f.*p.get)(), QString()) << p.nome;
    EXPECT_EQ(f.CodCliente(), "00000002");
    EXPECT_EQ(f.ContaCx(), "1.1");
    EXPECT_EQ(f.CTCTbred(), "2.2");
    EXPECT_EQ(f.Ativo(), "S");
}

const char* const cabecalho =
    "Insert Into fornece (fornece.CodFornec, fornece.Nome, fornece.NomeFantasia, fornece.Contato, "
    "fornece.Endereco, fornece.Bairro, fornece.Cep, fornece.CodCidade, fornece.Numero, "
    "fornece.Complemento, fornece.Estado, fornece.InscMunicipal, fornece.Pessoa_FJ, fornece.CgcCpf, "
    "fornece.InscEst, fornece.observacao, fornece.Fone, fornece.Fax, fornece.Celular, fornece.Email, "
    "fornece.HomePage, fornece.CampoLivre1, fornece.CampoLivre2, fornece.codcliente, fornece.ativo, "
    "fornece.TipoFornece, fornece.contacx, fornece.ctctbred) Values (";

TEST_F(SupplierRecord, InsertTextOfASparseRecordHasEmptyLiterals)
{
    f.SetCodFornec("12");
    f.SetNome("ACME");
    const QString esperado = QString::fromUtf8(cabecalho) +
                             "'000012', 'ACME', '', '', '', '', '', '', '', '', '', '', '', '', '', "
                             "'', '', '', '', '', '', '', '', '', '', '', '', '') ";
    EXPECT_EQ(f.MontaSql(), esperado);
}

TEST_F(SupplierRecord, InsertTextWritesEveryFieldInItsColumnQuoted)
{
    f.SetCodFornec("1");
    f.SetNome("Nome");
    f.SetNomeFantasia("Fantasia");
    f.SetContato("Contato");
    f.SetEndereco("Rua");
    f.SetBairro("Bairro");
    f.SetCep("30130000");
    f.SetCodCidade("7");
    f.SetNomeCidade("Nunca Escrita");
    f.SetNumero("10");
    f.SetComplemento("Sala");
    f.SetEstado("MG");
    f.SetInscMunicipal("123");
    f.SetPessoa_FJ("J");
    f.SetCgcCpf("12345678000190");
    f.SetInscEst("456");
    f.Setobservacao("Obs \"x\"");
    f.SetFone("3133334444");
    f.SetFax("3133335555");
    f.SetCelular("31988887777");
    f.SetEmail("a@b.com");
    f.SetHomePage("www");
    f.SetCampoLivre1("L1");
    f.SetCampoLivre2("L2");
    f.SetCodcliente("2");
    f.SetAtivo("'");
    f.SetTipoFornece("T");
    f.SetContaCx("1.1");
    f.SetCTCTbred("2.2");
    const QString esperado = QString::fromUtf8(cabecalho) +
                             "'000001', 'Nome', 'Fantasia', 'Contato', 'Rua', 'Bairro', '30130000', "
                             "'00007', '10', 'Sala', 'MG', '123', 'J', '12345678000190', '456', "
                             "'Obs \"x\"', '3133334444', '3133335555', '31988887777', 'a@b.com', "
                             "'www', 'L1', 'L2', '00000002', '''', 'T', '1.1', '2.2') ";
    EXPECT_EQ(f.MontaSql(), esperado);
}

}  // namespace
