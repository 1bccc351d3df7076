// Fiscal classifications: TB_CODIGO_NCM on the sandbox server to CLASFISC in a real target file.
#include "PreenchimentoFixture.h"
#include "conversion/classConversao.h"
#include "common/AppError.h"
#include "entities/ClassificacaoFiscal.h"
#include "entities/UClassPreencheClassificacaoFiscal.h"
#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {
const QString kPrefixo = QStringLiteral("Convertendo Classificacao Fiscal - Registro ");
const QString kSelect = QStringLiteral(
    "SELECT CODCLASFIS, CODNBM, PISCONFRETIDO, CODIGONCM, CODNATRECEITA, ALIQIPI FROM CLASFISC ORDER BY CODCLASFIS");

class FiscalClassFiller : public PreenchimentoFixture {
protected:
    void SetUp() override
    {
        // Left over from an earlier run: the conversion must replace it.
        anterior(QStringLiteral("INSERT INTO CLASFISC (CODCLASFIS, CODNBM, PISCONFRETIDO, CODIGONCM, CODNATRECEITA, ALIQIPI) "
                                "VALUES ('9999', '99999999', 'S', '99999999', '999', 5)"));
    }
    void fonte(int controle, const QString& ncm)
    {
        s.exec(QStringLiteral("INSERT INTO TB_CODIGO_NCM (CONTROLE, NCM) VALUES (%1, %2)").arg(controle).arg(sqlText(ncm)));
    }
    void converte()
    {
        TClassPreencheDadosClassificacaoFiscal filler;
        filler.PreencheConverteClassificacaoFiscal(origem, t.db, gauge, label);
    }
    QString rotulo(int n, int total) const
    {
        return PreenchimentoFixture::rotulo(kPrefixo, n, total);
    }
};

TEST_F(FiscalClassFiller, ConvertsEveryRowFieldByField)
{
    struct Caso {
        int controle;
        QString ncm;
        QString codigo, codNbm, codigoNcm;
    };
    const std::vector<Caso> casos = {
        {7, QStringLiteral("30049099"), QStringLiteral("0007"), QStringLiteral("30049099"), QStringLiteral("30049099")},
        {123, QStringLiteral("3004.90.99"), QStringLiteral("0123"), QStringLiteral("30049099"), QStringLiteral("30049099")},
        // Rows are not merged by number: each key keeps a row of its own.
        {10, QStringLiteral("3004.90.99"), QStringLiteral("0010"), QStringLiteral("30049099"), QStringLiteral("30049099")},
        {11, QStringLiteral("3004.90.99"), QStringLiteral("0011"), QStringLiteral("30049099"), QStringLiteral("30049099")},
        // Ten digits: all of them in CODNBM, the first eight in CODIGONCM.
        {4567, QStringLiteral("3004.90.99.12"), QStringLiteral("4567"), QStringLiteral("3004909912"),
         QStringLiteral("30049099")},
        {45, QStringLiteral("  2106.90-30 "), QStringLiteral("0045"), QStringLiteral("21069030"), QStringLiteral("21069030")},
        {46, QStringLiteral("3304 99 10"), QStringLiteral("0046"), QStringLiteral("33049910"), QStringLiteral("33049910")},
        {47, QStringLiteral("9018/39.99"), QStringLiteral("0047"), QStringLiteral("90183999"), QStringLiteral("90183999")},
        // Parentheses and apostrophes go as the other marks do, in both columns.
        {49, QStringLiteral(" (3004).90-99 "), QStringLiteral("0049"), QStringLiteral("30049099"),
         QStringLiteral("30049099")},
        {50, QStringLiteral("30'04.90.99-10"), QStringLiteral("0050"), QStringLiteral("3004909910"),
         QStringLiteral("30049099")},
        {51, QStringLiteral("(30 04) 9\t0 69"), QStringLiteral("0051"), QStringLiteral("30049069"),
         QStringLiteral("30049069")},
        {48, QString(), QStringLiteral("0048"), QString(), QString()},
    };
    for (const Caso& c : casos)
        fonte(c.controle, c.ncm);
    s.exec(QStringLiteral("UPDATE TB_CODIGO_NCM SET NCM = NULL WHERE CONTROLE = 48"));

    converte();
    confirma();

    std::vector<QStringList> esperado;
    for (const Caso& c : casos)
        esperado.push_back({c.codigo, c.codNbm, QString(), c.codigoNcm, QString(), QStringLiteral("0")});
    std::sort(esperado.begin(), esperado.end(), [](const QStringList& a, const QStringList& b) { return a[0] < b[0]; });
    EXPECT_EQ(t.rows(kSelect), esperado);
}

TEST_F(FiscalClassFiller, ProductLookupFindsTheConvertedClassesWithoutNewRows)
{
    fonte(31, QStringLiteral("3004.90.69"));
    fonte(32, QStringLiteral("3306.10.00"));
    fonte(33, QStringLiteral("(3004)'90'99-10"));
    converte();
    confirma();

    // The products' lookup normalizes the number as the converter stored it: no new row.
    TConversao consulta(t.db);
    EXPECT_EQ(consulta.FRetornaCodClasFis(QStringLiteral(" 3004.90.69 ")), QStringLiteral("0031"));
    EXPECT_EQ(consulta.FRetornaCodClasFis(QStringLiteral("33061000")), QStringLiteral("0032"));
    EXPECT_EQ(consulta.FRetornaCodClasFis(QStringLiteral("30049099")), QStringLiteral("0033"));
    EXPECT_EQ(consulta.FRetornaCodClasFis(QStringLiteral("(3004).90.99")), QStringLiteral("0033"));
    confirma();
    EXPECT_EQ(t.count(QStringLiteral("CLASFISC")), 3);
}

TEST_F(FiscalClassFiller, ShowsTheProgressOfEveryRowAndClearsItAtTheEnd)
{
    for (int i = 1; i <= 3; ++i)
        fonte(i, QStringLiteral("3004909%1").arg(i));

    converte();

    ASSERT_EQ(events.snapshots.size(), 3u);
    QStringList esperados;
    for (int i = 0; i < 3; ++i) {
        esperados << rotulo(i + 1, 3);
        EXPECT_EQ(events.snapshots[i].label, esperados.last());
        EXPECT_EQ(events.snapshots[i].position, i);
        EXPECT_EQ(events.snapshots[i].maximum, 3);
    }
    EXPECT_EQ(label.history, esperados + QStringList{QString()});
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(FiscalClassFiller, EmptySourceStillEmptiesTheTable)
{
    converte();
    descarta();  // the clearing was committed on its own

    EXPECT_EQ(t.count(QStringLiteral("CLASFISC")), 0);
    EXPECT_EQ(events.calls, 0);
    for (const QString& texto : label.history)
        EXPECT_TRUE(texto.isEmpty()) << texto.toStdString();
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(FiscalClassFiller, KeyWiderThanTheCodeEndsTheGroup)
{
    // 12345 cut to four characters would become the code of key 1234.
    fonte(1234, QStringLiteral("30049099"));
    fonte(12345, QStringLiteral("30049069"));

    QString mensagem;
    try {
        converte();
        ADD_FAILURE() << "the long key was accepted";
    } catch (const AppError& e) {
        mensagem = e.message();
    }
    EXPECT_EQ(mensagem, QStringLiteral("Código da classificação fiscal '12345' tem mais de 4 caracteres."
                                       " (tabela TB_CODIGO_NCM, CONTROLE 12345)"));
    EXPECT_EQ(label.text(), rotulo(2, 2));
    EXPECT_EQ(gauge.position(), 1);
    EXPECT_EQ(gauge.maximum(), 2);
    descarta();
    EXPECT_EQ(t.count(QStringLiteral("CLASFISC")), 0);
}

TEST_F(FiscalClassFiller, RecordPadsTheCodeUnmasksTheNumbersAndKeepsItsValuesAfterTheInsert)
{
    TConverteClassificacaoFiscal c(t.db);
    struct Codigo {
        QString valor, esperado;
    };
    const std::vector<Codigo> codigos = {
        {QStringLiteral("7"), QStringLiteral("0007")},     {QStringLiteral("123"), QStringLiteral("0123")},
        {QStringLiteral("4567"), QStringLiteral("4567")},  {QString(), QStringLiteral("0000")},
        {QStringLiteral(" 12 "), QStringLiteral("0012")},
    };
    for (const Codigo& k : codigos) {
        c.SetCodClasFis(k.valor);
        EXPECT_EQ(c.CodClasFis(), k.esperado) << k.valor.toStdString();
    }
    EXPECT_THROW(c.SetCodClasFis(QStringLiteral("12345")), AppError);
    EXPECT_EQ(c.CodClasFis(), QStringLiteral("0012"));

    struct Ncm {
        QString valor, codNbm, codigoNcm;
    };
    const std::vector<Ncm> ncms = {
        {QStringLiteral("3004.90.99"), QStringLiteral("30049099"), QStringLiteral("30049099")},
        // The mask goes before the cut: no digit is lost to punctuation.
        {QStringLiteral("1234.5678.9012.3456.7890.12"), QStringLiteral("12345678901234567890"),
         QStringLiteral("12345678")},
        {QStringLiteral(" 3004-90 "), QStringLiteral("300490"), QStringLiteral("300490")},
        {QStringLiteral("(3004)'90'99 10"), QStringLiteral("3004909910"), QStringLiteral("30049099")},
        {QString(), QString(), QString()},
    };
    for (const Ncm& n : ncms) {
        c.SetCodNBM(n.valor);
        c.SetCodigoNCM(n.valor);
        EXPECT_EQ(c.CodNBM(), n.codNbm) << n.valor.toStdString();
        EXPECT_EQ(c.CodigoNCM(), n.codigoNcm) << n.valor.toStdString();
    }

    c.SetPisConfRetido(QStringLiteral("SN"));
    c.SetCodNatReceita(QStringLiteral("99912"));
    EXPECT_EQ(c.PisConfRetido(), QStringLiteral("S"));
    EXPECT_EQ(c.CodNatReceita(), QStringLiteral("999"));

    // Every field reaches its column; the record is kept after the insert.
    c.SetCodClasFis(QStringLiteral("77"));
    c.SetCodNBM(QStringLiteral("3004909912"));
    c.SetCodigoNCM(QStringLiteral("3004909912"));
    c.SetAliqIpi(15);
    c.GravaClassificacaoFiscal(t.db);
    EXPECT_EQ(c.CodClasFis(), QStringLiteral("0077"));
    EXPECT_EQ(c.AliqIpi(), 15);
    confirma();
    EXPECT_EQ(t.rows(QStringLiteral("SELECT CODCLASFIS, CODNBM, PISCONFRETIDO, CODIGONCM, CODNATRECEITA, ALIQIPI "
                                     "FROM CLASFISC WHERE CODCLASFIS = '0077'")),
              (std::vector<QStringList>{{QStringLiteral("0077"), QStringLiteral("3004909912"), QStringLiteral("S"),
                                         QStringLiteral("30049099"), QStringLiteral("999"), QStringLiteral("15")}}));

    // A second insert of the same code is refused by the server, not hidden.
    EXPECT_THROW(c.GravaClassificacaoFiscal(t.db), AppError);
}
}  // namespace
