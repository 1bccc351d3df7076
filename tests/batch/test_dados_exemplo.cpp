// The sample data of scripts/demo, as geraorigem writes it, through a whole run of the batch
// runner: the legacy forms of the flags reach the products, and every spelling of a city or of a
// fiscal number ends in one row.
#include "Saida.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "app/batch/ExecucaoLote.h"
#include "app/batch/OpcoesLote.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include <QProcess>
#include <gtest/gtest.h>
#include <ostream>
#include <set>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

qint64 contaOrigem(SourceConnection& origem, const QString& select)
{
    SourceQuery q(origem);
    q.setSql(select);
    q.open();
    return q.fieldInteger(QStringLiteral("N"));
}

TEST(SampleData, InactiveAndNonFractionalProductsArriveAsSuch)
{
    SourceFixture s;
    TargetFixture t;
    QProcess gera;
    gera.start(QStringLiteral(OSTREVO_BINARY_DIR "/geraorigem"),
               {QStringLiteral("--socket"), SourceFixture::socket(), QStringLiteral("--banco"), s.database(),
                QStringLiteral("--escala"), QStringLiteral("600")});
    ASSERT_TRUE(gera.waitForFinished(120000));
    ASSERT_EQ(gera.exitCode(), 0) << gera.readAllStandardError().toStdString();

    t.tr.commit();
    t.db.disconnect();  // the runner attaches by itself
    OpcoesLote opcoes = OpcoesLote::ler({QStringLiteral("--destino"), t.path()});
    opcoes.origem = s.settings();
    Saida out;
    ASSERT_EQ(ExecucaoLote(opcoes).executar(out.f, false), 0) << out.texto().toStdString();
    t.db.connect();

    SourceConnection origem(s.settings());
    const qint64 inativos = contaOrigem(origem, QStringLiteral("SELECT COUNT(*) AS N FROM TBESTOQUE WHERE ATIVO = BINARY '0'"));
    const qint64 naoFracionados =
        contaOrigem(origem, QStringLiteral("SELECT COUNT(*) AS N FROM TBESTOQUE WHERE UPPER(FRACIONADO) = BINARY 'FALSE'"));
    const qint64 produtos = contaOrigem(origem, QStringLiteral("SELECT COUNT(*) AS N FROM TBESTOQUE"));
    // Both kinds are there, and so are the others.
    ASSERT_GT(inativos, 0);
    ASSERT_LT(inativos, produtos);
    ASSERT_GT(naoFracionados, 0);
    ASSERT_LT(naoFracionados, produtos);
    EXPECT_EQ(t.value(QStringLiteral("SELECT COUNT(*) FROM PRODUTO WHERE ATIVO = 'N'")).toLongLong(), inativos);
    EXPECT_EQ(t.value(QStringLiteral("SELECT COUNT(*) FROM PRODUTO WHERE FRACIONADO = 'N'")).toLongLong(),
              naoFracionados);

    // The cities the generator spells in several ways: one row per city and state.
    const auto cidades = t.rows(QStringLiteral("SELECT CIDADE, ESTADO FROM CIDADES"));
    const std::set<QStringList> esperadas = {
        {"BELO HORIZONTE", "MG"},   {"JUIZ DE FORA", "MG"},     {"CONTAGEM", "MG"},
        {"BETIM", "MG"},            {"SÃO JOÃO DEL-REI", "MG"}, {"UBERLÂNDIA", "MG"},
        {"PARÁ DE MINAS", "MG"},    {"SANTA BÁRBARA D'OESTE", "SP"}, {"SÃO PAULO", "SP"},
        {"RIO DE JANEIRO", "RJ"}};
    EXPECT_EQ(std::set<QStringList>(cidades.begin(), cidades.end()), esperadas);
    EXPECT_EQ(cidades.size(), esperadas.size());

    // Every converted fiscal number, however spelled, is found by the products: the rows they
    // add are the numbers TB_CODIGO_NCM does not hold, one each.
    const qint64 convertidas = contaOrigem(origem, QStringLiteral("SELECT COUNT(*) AS N FROM TB_CODIGO_NCM"));
    const auto criadas = t.rows(QStringLiteral("SELECT CODIGONCM FROM CLASFISC WHERE CODNATRECEITA = '999'"));
    EXPECT_EQ(t.count(QStringLiteral("CLASFISC")), convertidas + static_cast<qint64>(criadas.size()));
    std::set<QString> numeros;
    for (const QStringList& c : criadas) {
        EXPECT_TRUE(c[0].startsWith(QLatin1Char('9'))) << c[0].toStdString() << " is in TB_CODIGO_NCM";
        EXPECT_TRUE(numeros.insert(c[0]).second) << c[0].toStdString() << " created twice";
    }
}

}  // namespace
