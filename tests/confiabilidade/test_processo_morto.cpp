// The runner killed hard in the middle of the products: the file stays sound for the Firebird
// tools, holds exactly what was committed up to the last commit point, and the next run
// converts everything.
#include "SourceFixture.h"
#include "TargetFixture.h"
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
constexpr int kProdutos = 4000;
constexpr int kPorFabricante = 100;  // product i is made by "Fab <i / 100>"

// gfix's full validation of the file, read only (-n: nothing mended). Errors found are
// returned, one line each; warnings are not errors: after a process dies, pages it had
// allocated but not yet linked are left over ("orphan") and the free-space bits of a pointer
// page may lag behind; both only waste space and the engine reuses or fixes them.
QStringList errosDeValidacao(const QString& arquivo, QString* relatorio)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("gfix"), {QStringLiteral("-v"), QStringLiteral("-full"), QStringLiteral("-n"),
                                      QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-password"),
                                      QStringLiteral("velorquin"), arquivo});
    if (!p.waitForFinished(120000))
        return {QStringLiteral("gfix did not finish")};
    *relatorio = QString::fromLocal8Bit(p.readAll()).trimmed();
    QStringList erros;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        erros.append(QStringLiteral("gfix exit code %1").arg(p.exitCode()));
    static const QRegularExpression contagem(QStringLiteral("Number of (.*\\S)\\s*:\\s*(\\d+)"));
    for (const QString& linha : relatorio->split(QLatin1Char('\n'))) {
        const auto m = contagem.match(linha);
        if (m.hasMatch() && !m.captured(1).contains(QStringLiteral("warning")) && m.captured(2).toInt() > 0)
            erros.append(linha.trimmed());
    }
    return erros;
}

QStringList argumentos(const SourceFixture& s, const QString& destino)
{
    return {QStringLiteral("--destino"), destino, QStringLiteral("--socket"), SourceFixture::socket(),
            QStringLiteral("--banco"), s.database()};
}
}  // namespace

TEST(ProcessoMorto, MortoNosProdutosDeixaOArquivoIntegroComOQueFoiConfirmado)
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
