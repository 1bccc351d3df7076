// The runner killed hard in the middle of the products: the file stays sound for the Firebird
// tools and holds exactly what was committed up to the last commit point; the next start names
// the copy taken before the run and restores it when told to, and a run then converts everything.
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "Validacao.h"
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
constexpr int kProdutos = 4000;
constexpr int kPorFabricante = 100;  // product i is made by "Fab <i / 100>"

QByteArray conteudo(const QString& arquivo)
{
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList argumentos(const SourceFixture& s, const QString& destino)
{
    return {QStringLiteral("--destino"), destino, QStringLiteral("--socket"), SourceFixture::socket(),
            QStringLiteral("--banco"), s.database()};
}
}  // namespace

TEST(KilledRunner, KilledInTheProductsLeavesASoundFileHoldingWhatWasCommitted)
{
    SourceFixture s;
    s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO) VALUES "
                          "('1', 'Ana', 'Betim', 'MG'), ('2', 'Bia', 'Contagem', 'MG'), ('3', 'Caio', 'Betim', 'MG')"));
    s.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (1, 'Genéricos')"));
    for (int lote = 0; lote < kProdutos; lote += 500) {
        QStringList valores;
        for (int i = lote + 1; i <= lote + 500; ++i)
            valores.append(QStringLiteral("(%1, 'Produto %1 com descrição', '1', 'Fab %2', '12,50', '3,5', 'UN')")
                               .arg(i)
                               .arg(i / kPorFabricante));
        s.exec(QStringLiteral("INSERT INTO TBESTOQUE (CONTROLE, PRODUTO, GRUPO, FABRICANTE, PRECOVENDA, ESTMINIMO, "
                              "UNIDADE) VALUES ") + valores.join(QLatin1Char(',')));
    }
    TargetFixture t;
    t.exec(QStringLiteral("INSERT INTO PRODUTO (CODPROD, DESCRICAO) VALUES ('999999', 'ANTERIOR')"));
    t.tr.commit();
    t.db.disconnect();  // the runner attaches by itself

    // The runner prints a line at every tenth of a group; it is killed at the third of the products.
    QProcess runner;
    runner.setProcessChannelMode(QProcess::MergedChannels);
    runner.start(QStringLiteral(OSTREVO_BINARY_DIR "/FarmaciaOstrevoLote"), argumentos(s, t.path()));
    ASSERT_TRUE(runner.waitForStarted(30000));
    const QRegularExpression linha(QStringLiteral("^Produtos: registro (\\d+) de (\\d+)"));
    QString saida;
    int noMomento = -1;
    while (noMomento < 0 && runner.state() == QProcess::Running) {
        runner.waitForReadyRead(200);
        while (runner.canReadLine()) {
            const QString l = QString::fromUtf8(runner.readLine()).trimmed();
            saida += l + QLatin1Char('\n');
            const auto m = linha.match(l);
            if (m.hasMatch() && m.captured(1).toInt() >= kProdutos * 3 / 10) {
                noMomento = m.captured(1).toInt();
                runner.kill();  // SIGKILL: no chance to roll back or detach
                break;
            }
        }
    }
    runner.waitForFinished(30000);
    ASSERT_GT(noMomento, 0) << "the runner ended before it could be killed:\n" << saida.toStdString();
    EXPECT_EQ(runner.exitStatus(), QProcess::CrashExit);

    QString relatorio;
    EXPECT_EQ(errosDeValidacao(t.path(), &relatorio).join(QLatin1Char(10)).toStdString(), "") << relatorio.toStdString();
    ::testing::Test::RecordProperty("validacao_apos_morte", relatorio.toStdString());

    t.db.connect();
    // The groups before the products were committed at their end.
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 3);
    EXPECT_EQ(t.count(QStringLiteral("GRUPROD")), 1);
    // The products were committed when their table was cleared and whenever a manufacturer was
    // created, just before the row that needed it was written: the rows read back are the
    // products before the last new manufacturer, every one with its stock complement.
    const int produtos = t.count(QStringLiteral("PRODUTO"));
    ::testing::Test::RecordProperty("morto_no_registro", noMomento);
    ::testing::Test::RecordProperty("produtos_confirmados", produtos);
    EXPECT_EQ(produtos % kPorFabricante, kPorFabricante - 1) << produtos;
    EXPECT_LT(produtos, noMomento + 1);
    EXPECT_GE(produtos, noMomento - 2 * kPorFabricante) << "work committed before the kill is missing";
    EXPECT_EQ(t.value(QStringLiteral("SELECT COUNT(*) FROM PRODUTO WHERE CODPROD > '000000' AND CODPROD <= '%1'")
                          .arg(produtos, 6, 10, QLatin1Char('0'))),
              QString::number(produtos))
        << "not a prefix of the source rows";
    EXPECT_EQ(t.count(QStringLiteral("COMPPROD")), produtos);
    EXPECT_EQ(t.count(QStringLiteral("CADFABR")), (produtos + 1) / kPorFabricante + 1);
    EXPECT_EQ(t.value(QStringLiteral("SELECT COUNT(*) FROM PRODUTO P WHERE NOT EXISTS "
                                     "(SELECT 1 FROM CADFABR F WHERE F.CODFABRIC = P.CODFABRIC)")),
              QStringLiteral("0"))
        << "a product points at a manufacturer that was not committed";

    // The copy taken before the run and the marker beside the file remain; the next start
    // says so and writes nothing until the operator decides.
    t.db.disconnect();
    ASSERT_TRUE(QFile::exists(t.path() + QStringLiteral(".conversao")));
    const QByteArray marcado = conteudo(t.path());
    QProcess recusada;
    recusada.setProcessChannelMode(QProcess::MergedChannels);
    recusada.start(QStringLiteral(OSTREVO_BINARY_DIR "/FarmaciaOstrevoLote"), argumentos(s, t.path()));
    ASSERT_TRUE(recusada.waitForFinished(60000));
    const QString aviso = QString::fromUtf8(recusada.readAll());
    EXPECT_EQ(recusada.exitCode(), 2) << aviso.toStdString();
    EXPECT_TRUE(aviso.contains(QStringLiteral("foi interrompida"))) << aviso.toStdString();
    EXPECT_TRUE(aviso.contains(QStringLiteral("--restaura"))) << aviso.toStdString();
    EXPECT_EQ(conteudo(t.path()), marcado) << "the file was touched without the operator's word";

    // --restaura puts back exactly what the file held before the killed run.
    QProcess restaura;
    restaura.setProcessChannelMode(QProcess::MergedChannels);
    restaura.start(QStringLiteral(OSTREVO_BINARY_DIR "/FarmaciaOstrevoLote"),
                   argumentos(s, t.path()) << QStringLiteral("--restaura"));
    ASSERT_TRUE(restaura.waitForFinished(60000));
    const QString restaurado = QString::fromUtf8(restaura.readAll());
    EXPECT_EQ(restaura.exitCode(), 0) << restaurado.toStdString();
    EXPECT_FALSE(QFile::exists(t.path() + QStringLiteral(".conversao")));
    EXPECT_EQ(errosDeValidacao(t.path(), &relatorio).join(QLatin1Char(10)).toStdString(), "") << relatorio.toStdString();
    t.db.connect();
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 0);
    EXPECT_EQ(t.count(QStringLiteral("GRUPROD")), 0);
    EXPECT_EQ(t.count(QStringLiteral("CADFABR")), 0);
    EXPECT_EQ(t.count(QStringLiteral("COMPPROD")), 0);
    EXPECT_EQ(t.value(QStringLiteral("SELECT LIST(CODPROD || ' ' || TRIM(DESCRICAO)) FROM PRODUTO")),
              QStringLiteral("999999 ANTERIOR"));

    // The next run, on the same file, converts everything.
    t.db.disconnect();
    QProcess segunda;
    segunda.setProcessChannelMode(QProcess::MergedChannels);
    segunda.start(QStringLiteral(OSTREVO_BINARY_DIR "/FarmaciaOstrevoLote"), argumentos(s, t.path()));
    ASSERT_TRUE(segunda.waitForFinished(120000));
    const QString resumo = QString::fromUtf8(segunda.readAll());
    EXPECT_EQ(segunda.exitCode(), 0) << resumo.toStdString();
    EXPECT_TRUE(resumo.contains(QStringLiteral("Conversão concluída com sucesso!"))) << resumo.toStdString();
    t.db.connect();
    EXPECT_EQ(t.count(QStringLiteral("PRODUTO")), kProdutos);
    EXPECT_EQ(t.count(QStringLiteral("COMPPROD")), kProdutos);
    EXPECT_EQ(t.count(QStringLiteral("CADFABR")), kProdutos / kPorFabricante + 1);
    EXPECT_EQ(t.count(QStringLiteral("CLIENTE")), 3);
    t.db.disconnect();
    EXPECT_EQ(errosDeValidacao(t.path(), &relatorio).join(QLatin1Char(10)).toStdString(), "") << relatorio.toStdString();
}
