// The product filler end to end: a sandbox TBESTOQUE of messy rows into a target file.
#include "PreenchimentoFixture.h"
#include "Recorders.h"
#include "common/AppError.h"
#include "entities/UClassPreencheConverteProdutos.h"
#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Linhas = std::vector<QStringList>;

const char* const colunasOrigem =
    "INSERT INTO TBESTOQUE (CONTROLE, CODIGOBARRA, PRODUTO, GRUPO, FABRICANTE, PRECOCUSTO, CUSTOMEDIO, "
    "PRECOVENDA, ESTMINIMO, UNIDADE, LUCRO, ESTMAXIMO, CODNCM, MARCA, CODFORNECEDOR, PESO, "
    "DESCRICAOSIMPLES, ATIVO, CST, APLICACAO, CFOP, FRACIONADO, PRECOPRAZO, PRECOPROMOCAO, PRECOCINCO, "
    "REGISTROMS) VALUES ";

const QString fabricanteLongo = QStringLiteral("Laboratório Novo de Nome Muito Longo Ltda");

class ProductFiller : public PreenchimentoFixture {
protected:
    void semeiaOrigem();
    void semeiaDestino();
    void converte()
    {
        TClassPreencheDadosProdutos preenche;
        preenche.PreencheConverteProdutos(origem, t.db, gauge, label);
    }
    Linhas gravado(const QString& select)
    {
        confirma();
        return t.rows(select);
    }
    RecordingMessages messages;
};

void ProductFiller::semeiaOrigem()
{
    const QString longo = QStringLiteral("'") + fabricanteLongo + QStringLiteral("'");
    const QStringList linhas = {
        // Decimal commas in the text columns, dots in the numeric ones; an NCM with its mask that
        // the target already holds; a known manufacturer.
        "(1, '7891', 'DIPIRONA D''ÁGUA 500MG', '12', 'EMS', 3.75, 3.5, '12,50', '-5', 'CX', 95.3, 500, "
        "'3004.90.69', 'MARCA X', '12', '0,25', 'DIPIRONA', '1', '60', 'Dor', '5.405', 'false', '13,75', "
        "11.0, 10.01, 'MS1')",
        // Grouped and dotted texts, huge and tiny numbers, no manufacturer, an unknown NCM, NULLs.
        "(2, NULL, '  Soro fisiológico  ', ' 7 ', NULL, NULL, 1.5e-7, '1.234,56', '', '', NULL, NULL, "
        "'9999.99.99', NULL, '0', NULL, NULL, '0', NULL, NULL, NULL, 'TRUE', '219.48', NULL, 1e20, NULL)",
        // A new manufacturer (name cut to 30), a short NCM taken as a class code, a long unit.
        "(3, '', '" + QString(60, QLatin1Char('X')) + "', '1234', " + longo + ", 0, 0, '   ', '2,5', 'FRASCO1', "
        "-12.5, -1, '12', '" + QString(30, QLatin1Char('M')) + "', '  ', '1000000', 'S', ' 0', '0102', "
        "'" + QString(30, QLatin1Char('A')) + "', ' 6.102 ', 'False', '-0,01', 0.0001, 0, '" +
        QString(60, QLatin1Char('R')) + "')",
        // The same long manufacturer (found, not created again), a padded NCM, blanks everywhere.
        "(4, '0004', 'ALCOOL 70', NULL, " + longo + ", 1, 1, '1', '0', 'UN', 0, 0, '  30049069  ', ' ', "
        "' 45 ', '0', '', NULL, '0', '', '5102', NULL, NULL, NULL, NULL, '')",
        // An NCM that is nothing but mask and blanks, an empty manufacturer name.
        "(5, '0005', 'GAZE', '3', '', 2, 2, '2', '0', 'PC', 0, 0, '  .  ', '', '', '', '', '', '', '', '', "
        "'', '', 0, 0, '')",
    };
    for (const QString& l : linhas)
        s.exec(QString::fromLatin1(colunasOrigem) + l);
}

void ProductFiller::semeiaDestino()
{
    t.exec(QStringLiteral("INSERT INTO CADFABR (CODFABRIC, DESCRICAO) VALUES ('00003', 'EMS')"));
    t.exec(QStringLiteral("INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM, CODNBM, CODNATRECEITA) "
                          "VALUES ('0001', '30049069', '30049069', '999')"));
    // Left over from an earlier run: the filler empties both tables first.
    t.exec(QStringLiteral("INSERT INTO PRODUTO (CODPROD) VALUES ('999999')"));
    t.exec(QStringLiteral("INSERT INTO COMPPROD (CODPROD, CODEMPRESA, CODGRADE) VALUES ('999999', '00', '0000')"));
    t.tr.commit();
}

TEST_F(ProductFiller, MessyProductsReadBackNormalizedWithTheReferenceRowsTheyNeeded)
{
    semeiaOrigem();
    semeiaDestino();
    converte();

    const QString descricao3 = QString(50, QLatin1Char('X'));
    const Linhas produtos = gravado(QStringLiteral(
        "SELECT CODPROD, REFERENCIA, DESCRICAO, DESCRICAO2, CODGRUPO, CODFABRIC, UNIDADEENT, UNIDADESAIDA, "
        "PRECO, PRECO2, PRECO3, PRECO4, LUCRO, PESO, CODCLASFIS, CAMPOLIVRE1, CAMPOLIVRE2, CAMPOLIVRE3, "
        "PRINCIPALFORNEC, ATIVO, CODTRIBUT00, CFOPFORAUF, FRACIONADO, TIPOPROD, CODTIPOPRODUTO "
        "FROM PRODUTO ORDER BY CODPROD"));
    const Linhas esperados = {
        {"000001", "7891", "DIPIRONA D'ÁGUA 500MG", "DIPIRONA", "012", "00003", "CX", "CX", "12,5", "13,75",
         "11", "10,01", "95,3", "0,25", "0001", "MARCA X", "Dor", "MS1", "000012", "S", "060", "5405", "N", "R",
         "00"},
        {"000002", "", "Soro fisiológico", "", "007", "", "", "", "1234,56", "219,48", "0", "1E20", "0", "0",
         "0002", "", "", "", "", "N", "", "", "S", "R", "00"},
        {"000003", "", descricao3, "S", "234", "00004", "FRASCO", "FRASCO", "0", "-0,01", "0,0001", "0",
         "-12,5", "1000000", "0012", QString(20, QLatin1Char('M')), QString(20, QLatin1Char('A')),
         QString(50, QLatin1Char('R')), "", "S", "0102", "6102", "N", "R", "00"},
        {"000004", "0004", "ALCOOL 70", "", "", "00004", "UN", "UN", "1", "0", "0", "0", "0", "0", "0001", "",
         "", "", "000045", "S", "000", "5102", "S", "R", "00"},
        {"000005", "0005", "GAZE", "", "003", "", "PC", "PC", "2", "0", "0", "0", "0", "0", "", "", "", "", "",
         "S", "", "", "S", "R", "00"},
    };
    ASSERT_EQ(produtos.size(), esperados.size());
    for (size_t i = 0; i < esperados.size(); ++i)
        EXPECT_EQ(produtos[i], esperados[i]) << "produto " << i + 1;

    // Columns no source value reaches keep the reset defaults; the date columns stay NULL.
    EXPECT_EQ(gravado(QStringLiteral(
                  "SELECT DISTINCT PRODBLOQUEADO, DESCRICAO3, CODSUBGRUPO, OBSERVACAO, ALIQISS, GRADE, "
                  "DT_CADASTRO, DATA_ULT_ENT1, DATA_ULT_REAJUSTE, CFOPDENTROUF, MULTDIVIDE, ESTMINIMO "
                  "FROM PRODUTO")),
              (Linhas{{"N", "", "", "", "0", "0", "<NULL>", "<NULL>", "<NULL>", "", "", "0"}}));

    EXPECT_EQ(gravado(QStringLiteral(
                  "SELECT CODPROD, CODEMPRESA, CODGRADE, ESTOQUE, ESTOQUEDISPONIVEL, ESTMINIMO, ESTMAXIMO, "
                  "PRECOMEDIO, PRECOCUSTO, PRECONF FROM COMPPROD ORDER BY CODPROD")),
              (Linhas{{"000001", "00", "0000", "0", "0", "-5", "500", "3,5", "3,75", "0"},
                      {"000002", "00", "0000", "0", "0", "0", "0", "1,5E-7", "0", "0"},
                      {"000003", "00", "0000", "0", "0", "2,5", "-1", "0", "0", "0"},
                      {"000004", "00", "0000", "0", "0", "0", "0", "1", "1", "0"},
                      {"000005", "00", "0000", "0", "0", "0", "0", "2", "2", "0"}}));

    // Exactly the reference rows the products needed were created.
    EXPECT_EQ(gravado(QStringLiteral("SELECT CODFABRIC, DESCRICAO FROM CADFABR ORDER BY CODFABRIC")),
              (Linhas{{"00003", "EMS"}, {"00004", fabricanteLongo.left(30)}}));
    EXPECT_EQ(gravado(QStringLiteral("SELECT CODCLASFIS, CODIGONCM, CODNBM FROM CLASFISC ORDER BY CODCLASFIS")),
              (Linhas{{"0001", "30049069", "30049069"}, {"0002", "99999999", "99999999"}}));
    EXPECT_TRUE(messages.list.empty());
}

TEST_F(ProductFiller, ShowsTheProgressRowByRowAndClearsItAtTheEnd)
{
    semeiaOrigem();
    semeiaDestino();
    converte();
    ASSERT_EQ(events.snapshots.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(events.snapshots[i].label,
                  QStringLiteral("Convertendo Produtos - Registro %1 de 5").arg(i + 1));
        EXPECT_EQ(events.snapshots[i].position, i);
        EXPECT_EQ(events.snapshots[i].maximum, 5);
    }
    EXPECT_EQ(label.text(), QString());
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(ProductFiller, EmptySourceStillEmptiesBothTables)
{
    semeiaDestino();
    converte();
    EXPECT_FALSE(t.tr.active());  // the clearing committed
    EXPECT_EQ(t.count(QStringLiteral("PRODUTO")), 0);
    EXPECT_EQ(t.count(QStringLiteral("COMPPROD")), 0);
    EXPECT_EQ(events.calls, 0);
    EXPECT_EQ(label.history, QStringList{QString()});
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

// One bad row ends the conversion at that row, with a message that says what is wrong.
TEST_F(ProductFiller, BadRowEndsTheConversionAtThatRowSayingWhatIsWrong)
{
    struct Caso {
        const char* nome;
        QString linha;  // the second source row
        QString mensagem;
    };
    const std::vector<Caso> casos = {
        {"código longo demais",
         "(1234567, '', 'X', '', '', 0, 0, '1', '0', 'UN', 0, 0, '', '', '', '', '', '', '', '', '', '', '', 0, 0, '')",
         QStringLiteral("Código do produto '1234567' tem mais de 6 caracteres. (tabela TBESTOQUE, CONTROLE 1234567)")},
        {"número ambíguo",
         "(7, '', 'X', '', '', 0, 0, '1.234', '0', 'UN', 0, 0, '', '', '', '', '', '', '', '', '', '', '', 0, 0, '')",
         QStringLiteral("'1.234' não é um valor numérico válido no campo PRECOVENDA (tabela TBESTOQUE, CONTROLE 7)")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        s.exec(QStringLiteral("DELETE FROM TBESTOQUE"));
        s.exec(QString::fromLatin1(colunasOrigem) +
               "(1, '', 'A', '', '', 0, 0, '1', '0', 'UN', 0, 0, '', '', '', '', '', '', '', '', '', '', '', 0, 0, '')");
        s.exec(QString::fromLatin1(colunasOrigem) + c.linha);
        try {
            converte();
            ADD_FAILURE() << "sem erro";
        } catch (const AppError& err) {
            EXPECT_EQ(err.message(), c.mensagem);
        }
        EXPECT_EQ(label.text(), QStringLiteral("Convertendo Produtos - Registro 2 de 2"));
        t.tr.rollback();
        EXPECT_EQ(t.count(QStringLiteral("PRODUTO")), 0);
        t.tr.start();  // the next case starts where a fresh target would
    }
}

}  // namespace
