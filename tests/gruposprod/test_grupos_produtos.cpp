// Product groups: TBGRUPO on the sandbox server to GRUPROD in a real target file.
#include "PreenchimentoFixture.h"
#include "common/AppError.h"
#include "entities/GrupoProduto.h"
#include "entities/UClassPreencheConverteGruposProdutos.h"
#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {
const QString kPrefixo = QStringLiteral("Convertendo Grupos de produtos - Registro ");
const QString kSelect =
    QStringLiteral("SELECT CODGRUPO, DESCRICAO, DIASESTMAXIMO, DIASESTMINIMO FROM GRUPROD ORDER BY CODGRUPO");

class ProductGroupFiller : public PreenchimentoFixture {
protected:
    void SetUp() override
    {
        // Left over from an earlier run: the conversion must replace it.
        anterior(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO, DIASESTMAXIMO, DIASESTMINIMO) "
                                "VALUES ('999', 'VELHO', 5, 5)"));
    }
    void fonte(int controle, const QString& grupo)
    {
        s.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (%1, %2)").arg(controle).arg(sqlText(grupo)));
    }
    void converte()
    {
        TClassPreencheDadosGruposProdutos filler;
        filler.PreencheConverteGruposProdutos(origem, t.db, gauge, label);
    }
    QStringList rotulos(int total) const { return PreenchimentoFixture::rotulos(kPrefixo, total); }
};

TEST_F(ProductGroupFiller, ConvertsEveryRowFieldByField)
{
    const QString longo = QStringLiteral("Medicamentos de uso continuo e controlado 45c");  // 45 characters
    ASSERT_EQ(longo.size(), 45);
    struct Caso {
        int controle;
        QString grupo;
        QString codigo, descricao;
    };
    const std::vector<Caso> casos = {
        {7, QStringLiteral("Higiene"), QStringLiteral("007"), QStringLiteral("Higiene")},
        {12, QStringLiteral("  Perfumaria \t"), QStringLiteral("012"), QStringLiteral("Perfumaria")},
        {345, QStringLiteral("Genéricos"), QStringLiteral("345"), QStringLiteral("Genéricos")},
        // The low-order digits make the code; leading blanks do not count against the 30.
        {1234, QStringLiteral("   ") + longo, QStringLiteral("234"), longo.left(30)},
        {56, QStringLiteral("D'Avila & Cia"), QStringLiteral("056"), QStringLiteral("D'Avila & Cia")},
        {8, QString(), QStringLiteral("008"), QString()},
    };
    for (const Caso& c : casos)
        fonte(c.controle, c.grupo);
    s.exec(QStringLiteral("UPDATE TBGRUPO SET GRUPO = NULL WHERE CONTROLE = 8"));

    converte();
    confirma();

    std::vector<QStringList> esperado;
    for (const Caso& c : casos)
        esperado.push_back({c.codigo, c.descricao, QStringLiteral("0"), QStringLiteral("0")});
    std::sort(esperado.begin(), esperado.end(), [](const QStringList& a, const QStringList& b) { return a[0] < b[0]; });
    EXPECT_EQ(t.rows(kSelect), esperado);
}

TEST_F(ProductGroupFiller, ShowsTheProgressOfEveryRowAndClearsItAtTheEnd)
{
    for (int i = 1; i <= 4; ++i)
        fonte(i, QStringLiteral("Grupo %1").arg(i));

    converte();

    // One snapshot per row, taken after the label is set and before the row is written.
    ASSERT_EQ(events.snapshots.size(), 4u);
    const QStringList esperados = rotulos(4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(events.snapshots[i].label, esperados[i]);
        EXPECT_EQ(events.snapshots[i].position, i);
        EXPECT_EQ(events.snapshots[i].maximum, 4);
    }
    EXPECT_EQ(label.history, esperados + QStringList{QString()});
    EXPECT_EQ(label.text(), QString());
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(ProductGroupFiller, EmptySourceStillEmptiesTheGroups)
{
    converte();
    // The clearing is a commit point of its own: nothing to undo afterwards brings the old row back.
    descarta();

    EXPECT_EQ(t.count(QStringLiteral("GRUPROD")), 0);
    EXPECT_EQ(events.calls, 0);
    for (const QString& texto : label.history)
        EXPECT_TRUE(texto.isEmpty()) << texto.toStdString();
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(ProductGroupFiller, RepeatedCodeEndsTheGroupWithTheServersMessage)
{
    // 5 and 1005 share their last three characters: both would be group 005.
    fonte(5, QStringLiteral("Higiene"));
    fonte(1005, QStringLiteral("Perfumaria"));
    fonte(2000, QStringLiteral("Nunca lido"));

    QString mensagem;
    try {
        converte();
        ADD_FAILURE() << "the duplicate code was accepted";
    } catch (const AppError& e) {
        mensagem = e.message();
    }
    EXPECT_TRUE(mensagem.contains(QLatin1String("PRIMARY or UNIQUE KEY"))) << mensagem.toStdString();
    EXPECT_TRUE(mensagem.contains(QLatin1String("GRUPROD"))) << mensagem.toStdString();
    // The walk stops on the rejected row and leaves the display there.
    EXPECT_EQ(label.text(), rotulos(3)[1]);
    EXPECT_EQ(events.calls, 2);
    EXPECT_EQ(gauge.maximum(), 3);
    EXPECT_EQ(gauge.position(), 1);

    descarta();
    EXPECT_EQ(t.count(QStringLiteral("GRUPROD")), 0);
}

TEST_F(ProductGroupFiller, RecordPadsTheCodeTrimsTheDescriptionAndResetsOnlyAfterAnInsert)
{
    TConverteGruposProd g(t.db);
    struct Codigo {
        QString valor, esperado;
    };
    const std::vector<Codigo> codigos = {
        {QStringLiteral("12"), QStringLiteral("012")},     {QStringLiteral("7"), QStringLiteral("007")},
        {QStringLiteral("345"), QStringLiteral("345")},    {QStringLiteral("1234"), QStringLiteral("234")},
        {QStringLiteral("1005"), QStringLiteral("005")},   {QString(), QStringLiteral("000")},
        {QStringLiteral(" 12 "), QStringLiteral("012")},   {QStringLiteral("AB"), QStringLiteral("0AB")},
    };
    for (const Codigo& c : codigos) {
        g.SetCodigo(c.valor);
        EXPECT_EQ(g.Codigo(), c.esperado) << c.valor.toStdString();
    }
    g.SetDescricao(QStringLiteral("\r\n\t Higiene Bucal \r\n"));
    EXPECT_EQ(g.Descricao(), QStringLiteral("Higiene Bucal"));

    // The day counts are written as set, and the record is reset after the insert.
    g.SetCodigo(QStringLiteral("41"));
    g.SetDiasEstoqueMaximo(30);
    g.SetDiasEstoqueMinimo(-2);
    EXPECT_TRUE(g.ExecutaSql());
    EXPECT_EQ(g.Codigo(), QString());
    EXPECT_EQ(g.Descricao(), QString());
    EXPECT_EQ(g.DiasEstoqueMaximo(), 0);
    EXPECT_EQ(g.DiasEstoqueMinimo(), 0);
    confirma();
    EXPECT_EQ(t.rows(QStringLiteral("SELECT CODGRUPO, DESCRICAO, DIASESTMAXIMO, DIASESTMINIMO FROM GRUPROD "
                                     "WHERE CODGRUPO = '041'")),
              (std::vector<QStringList>{{QStringLiteral("041"), QStringLiteral("Higiene Bucal"), QStringLiteral("30"),
                                         QStringLiteral("-2")}}));

    // A rejected insert (999 is the row left from SetUp) keeps the record as it was.
    g.SetCodigo(QStringLiteral("999"));
    g.SetDescricao(QStringLiteral("Repetido"));
    EXPECT_THROW(g.ExecutaSql(), AppError);
    EXPECT_EQ(g.Codigo(), QStringLiteral("999"));
    EXPECT_EQ(g.Descricao(), QStringLiteral("Repetido"));
}
}  // namespace
