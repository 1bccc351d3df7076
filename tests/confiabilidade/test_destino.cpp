// Target files that cannot take a run: read-only, missing, not a database, of dialect 3, or
// without a table or a column the run writes. Each gives a clear error and leaves the file as
// it was; the structural ones are reported by the pre-flight check before any run; and once
// the cause is gone the next run succeeds.
#include "Saida.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "app/batch/ExecucaoLote.h"
#include "app/batch/OpcoesLote.h"
#include "app/batch/VerificacaoPrevia.h"
#include "common/AppError.h"
#include "db/SqlScript.h"
#include "db/TargetQuery.h"
#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace {
struct Resultado {
    int codigo;
    QString saida, erros;
};

Resultado roda(const OpcoesLote& o)
{
    Saida out;
    int rc = -1;
    const QString erros = comErrosCapturados([&] { rc = ExecucaoLote(o).executar(out.f, false); });
    return {rc, out.texto(), erros};
}

QByteArray resumo(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

bool chattr(const QString& flag, const QString& arquivo)
{
    return QProcess::execute(QStringLiteral("chattr"), {flag, arquivo}) == 0;
}

class TargetFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.exec(QStringLiteral("INSERT INTO TBCLIENTES (CONTROLE, NOME, CIDADE, ESTADO) VALUES "
                              "('1', 'Ana', 'Betim', 'MG'), ('2', 'Bia', 'Contagem', 'MG')"));
        s.exec(QStringLiteral("INSERT INTO TBFORNECEDOR (CONTROLE, EMPRESA) VALUES (1, 'Sul')"));
        s.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (1, 'Genéricos')"));
        s.exec(QStringLiteral("INSERT INTO TB_CODIGO_NCM (CONTROLE, NCM) VALUES (1, '30049069')"));
        s.exec(QStringLiteral("INSERT INTO TBESTOQUE (CONTROLE, PRODUTO, GRUPO, FABRICANTE, PRECOVENDA, CODNCM) "
                              "VALUES (1, 'Dipirona', '1', 'EMS', '12,50', '30049069'), (2, 'Xampu', '1', 'EMS', '3', '')"));
        t.tr.commit();
        t.db.disconnect();  // the runner attaches by itself
        opcoes.destino = t.path();
        opcoes.origem = s.settings();
    }
    // A committed run of all five groups on the given file.
    void segundaExecucaoConverteTudo(const QString& arquivo)
    {
        OpcoesLote o = opcoes;
        o.destino = arquivo;
        const Resultado r = roda(o);
        ASSERT_EQ(r.codigo, 0) << r.saida.toStdString() << r.erros.toStdString();
        TargetDatabase db;
        db.setDatabaseName(arquivo);
        db.connect();
        TargetTransaction tr(&db);
        TargetQuery q(db, tr);
        q.setSql(QStringLiteral("SELECT (SELECT COUNT(*) FROM CLIENTE), (SELECT COUNT(*) FROM PRODUTO) FROM RDB$DATABASE"));
        q.open();
        EXPECT_EQ(q.fieldAt(0).asInteger(), 2);
        EXPECT_EQ(q.fieldAt(1).asInteger(), 2);
    }

    OpcoesLote opcoes = OpcoesLote::ler({QStringLiteral("--destino"), QStringLiteral("x")});
    SourceFixture s;
    TargetFixture t;
};
}  // namespace

TEST_F(TargetFile, ReadOnlyFileFailsWithAClearErrorAndWritesNothing)
{
    // The tests run as root, for whom permission bits do not stop a write: the immutable flag does.
    if (!chattr(QStringLiteral("+i"), t.path()))
        GTEST_SKIP() << "chattr +i is not available here";
    struct Libera {
        QString arquivo;
        ~Libera() { chattr(QStringLiteral("-i"), arquivo); }
    } libera{t.path()};
    const QByteArray antes = resumo(t.path());
    {
        QFile f(t.path());
        ASSERT_FALSE(f.open(QIODevice::ReadWrite)) << "the file is still writable";
    }

    const Resultado r = roda(opcoes);
    EXPECT_NE(r.codigo, 0);
    EXPECT_FALSE(r.saida.contains(QStringLiteral("Conversão concluída com sucesso!")));
    EXPECT_TRUE(r.erros.contains(QStringLiteral("no permission for read-write access")) ||
                r.erros.contains(QStringLiteral("read-only"), Qt::CaseInsensitive))
        << r.erros.toStdString();
    EXPECT_EQ(resumo(t.path()), antes) << "the read-only file changed";

    // The pre-flight check says so before any run.
    Saida out;
    VerificacaoPrevia v(opcoes);
    EXPECT_EQ(v.executar(out.f), 1) << out.texto().toStdString();
    EXPECT_TRUE(out.texto().contains(QStringLiteral("não pode ser aberto para gravação"))) << out.texto().toStdString();
    EXPECT_EQ(resumo(t.path()), antes) << "the check changed the file";

    // Writable again: the next run converts everything.
    ASSERT_TRUE(chattr(QStringLiteral("-i"), t.path()));
    segundaExecucaoConverteTudo(t.path());
}

TEST_F(TargetFile, MissingOrNonDatabaseFileFailsBeforeAnyWrite)
{
    QTemporaryDir pasta;
    struct Caso {
        const char* nome;
        QByteArray conteudo;  // empty name: no file at all
        bool existe;
    };
    const std::vector<Caso> casos = {
        {"missing", QByteArray(), false},
        {"empty file", QByteArray(), true},
        {"text file", QByteArray("Isto não é um banco de dados.\n").repeated(300), true},
        {"random bytes", QByteArray(16384, '\x5a'), true},
        {"truncated database", QByteArray(), true},  // filled below from a real file
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const QString arquivo = pasta.path() + QStringLiteral("/") + QString::fromLatin1(c.nome).replace(' ', '_') +
                                QStringLiteral(".FB");
        if (c.existe) {
            QFile f(arquivo);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            if (QByteArray(c.nome) == "truncated database") {
                QFile real(t.path());
                ASSERT_TRUE(real.open(QIODevice::ReadOnly));
                f.write(real.read(real.size() / 3));
            } else {
                f.write(c.conteudo);
            }
        }
        const QByteArray antes = resumo(arquivo);
        OpcoesLote o = opcoes;
        o.destino = arquivo;
        const Resultado r = roda(o);
        EXPECT_NE(r.codigo, 0);
        EXPECT_FALSE(r.saida.contains(QStringLiteral("Conversão concluída com sucesso!")));
        EXPECT_FALSE(r.erros.trimmed().isEmpty()) << "no reason given";
        // The same reason as the server gives when asked directly.
        QString servidor;
        {
            TargetDatabase db;
            db.setDatabaseName(arquivo);
            try {
                db.connect();
                TargetTransaction tr(&db);
                TargetQuery q(db, tr);
                q.setSql(QStringLiteral("DELETE FROM CLIENTE"));
                q.execSql();
                ADD_FAILURE() << "the file took a statement";
            } catch (const AppError& e) {
                servidor = e.message();
            }
        }
        EXPECT_TRUE(r.erros.contains(servidor.section(QChar(10), 0, 0))) << r.erros.toStdString()
                                                                         << "\nserver: " << servidor.toStdString();
        EXPECT_EQ(QFile::exists(arquivo), c.existe) << "a missing target was created";
        EXPECT_EQ(resumo(arquivo), antes) << "the file changed";

        // The pre-flight check says so too.
        Saida out;
        VerificacaoPrevia v(o);
        EXPECT_EQ(v.executar(out.f), 1) << out.texto().toStdString();
        EXPECT_TRUE(out.texto().contains(QStringLiteral("destino"))) << out.texto().toStdString();

        // Once a sound file stands there, the next run converts everything.
        QFile::remove(arquivo);
        ASSERT_TRUE(QFile::copy(TargetFixture::templatePath(), arquivo));
        QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
        segundaExecucaoConverteTudo(arquivo);
    }
}

// A target whose structure does not fit: the run fails with the server's own message, and the
// pre-flight check reports the cause before any run, writing nothing.
TEST_F(TargetFile, DifferentStructureFailsWithTheServersMessageAndTheCheckWarnsBefore)
{
    QTemporaryDir pasta;
    struct Caso {
        const char* nome;
        std::function<void(const QString& arquivo)> prepara;
        QStringList motivo;  // lines of the server's message the run must show
        QString achado;      // expected in a finding of the pre-flight check
    };
    const auto altera = [](const QString& sql) {
        return [sql](const QString& arquivo) {
            TargetDatabase db;
            db.setDatabaseName(arquivo);
            db.connect();
            TargetTransaction tr(&db);
            TargetQuery q(db, tr);
            q.setSql(sql);
            q.execSql();
            tr.commit();
        };
    };
    const std::vector<Caso> casos = {
        {"dialect 3",
         [](const QString& arquivo) {
             QFile::remove(arquivo);
             TargetDatabase::createDatabase(arquivo, 3, QStringLiteral("SYSDBA"), QStringLiteral("velorquin"),
                                            QStringLiteral("WIN1252"));
             TargetDatabase db;
             db.setDatabaseName(arquivo);
             db.connect();
             SqlScript::run(db, SqlScript::filesIn(QStringLiteral(OSTREVO_SOURCE_DIR "/tests/fixtures/target")));
         },
         // The customers' constants in double quotes are names in dialect 3.
         {QStringLiteral("banco de destino: o banco é de dialeto 3; a conversão exige dialeto 1")},
         QStringLiteral("dialeto 3")},
        {"missing table", altera(QStringLiteral("DROP TABLE COMPPROD")),
         {QStringLiteral("banco de destino, COMPPROD: tabela ausente")}, QStringLiteral("COMPPROD")},
        {"missing column", altera(QStringLiteral("ALTER TABLE PRODUTO DROP CAMPOLIVRE3")),
         {QStringLiteral("banco de destino, PRODUTO.CAMPOLIVRE3: coluna ausente")}, QStringLiteral("CAMPOLIVRE3")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const QString arquivo = pasta.path() + QStringLiteral("/") + QString::fromLatin1(c.nome).replace(' ', '_') +
                                QStringLiteral(".FB");
        ASSERT_TRUE(QFile::copy(TargetFixture::templatePath(), arquivo));
        QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
        c.prepara(arquivo);
        OpcoesLote o = opcoes;
        o.destino = arquivo;

        // Before any run: the check finds it and leaves the file as it was.
        const QByteArray antes = resumo(arquivo);
        Saida out;
        VerificacaoPrevia v(o);
        EXPECT_EQ(v.executar(out.f), 1) << out.texto().toStdString();
        bool achou = false;
        for (const auto& a : v.achados())
            achou = achou || (a.erro && (a.onde + QLatin1Char(' ') + a.problema).contains(c.achado));
        EXPECT_TRUE(achou) << out.texto().toStdString();
        EXPECT_EQ(resumo(arquivo), antes) << "the check wrote to the target";

        // The run fails before it writes anything, naming what is missing.
        const Resultado r = roda(o);
        EXPECT_TRUE(r.erros.contains(QStringLiteral("Nada foi gravado no destino."))) << r.erros.toStdString();
        EXPECT_EQ(r.codigo, 1) << r.erros.toStdString();
        EXPECT_TRUE(r.erros.startsWith(QStringLiteral("Ocorreu um erro durante a conversão! Motivo: "))) << r.erros.toStdString();
        for (const QString& linha : c.motivo)
            EXPECT_TRUE(r.erros.contains(linha)) << r.erros.toStdString();

        // With a sound file in its place, the next run converts everything.
        QFile::remove(arquivo);
        ASSERT_TRUE(QFile::copy(TargetFixture::templatePath(), arquivo));
        QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
        segundaExecucaoConverteTudo(arquivo);
    }
}
