// The target database layer against a real embedded Firebird file.
#include "Recorders.h"
#include "TargetFixture.h"
#include "conversion/classConversao.h"
#include "common/AppError.h"
#include "db/TargetQuery.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {
class TargetDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.exec(QStringLiteral("CREATE TABLE T_TESTE (COD VARCHAR(5) NOT NULL PRIMARY KEY, "
                              "NOME VARCHAR(40), VALOR NUMERIC(15,4), DATA DATE, QTD INTEGER)"));
        // A transaction started before the table existed does not see it.
        f.tr.commit();
        f.tr.start();
    }
    TargetFixture f;
};
}  // namespace

TEST_F(TargetDb, CommitStatementEndsTheTransactionAndTheNextStatementStartsANewOne)
{
    for (const QString& commit : {QStringLiteral("COMMIT"), QStringLiteral("Commit;")}) {
        f.exec(QStringLiteral("DELETE FROM T_TESTE"));
        if (!f.tr.active())
            f.tr.start();
        TargetQuery q(f.db);
        q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('00001')"));
        q.execSql();
        q.setSql(commit);
        q.execSql();
        EXPECT_FALSE(f.tr.active()) << commit.toStdString();
        EXPECT_EQ(f.count(QStringLiteral("T_TESTE")), 1);

        q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('00002')"));
        q.execSql();
        EXPECT_TRUE(f.tr.active());
        f.tr.rollback();
        EXPECT_EQ(f.count(QStringLiteral("T_TESTE")), 1) << "the second insert belonged to a new transaction";
    }
}

TEST_F(TargetDb, QueryWhoseResultWasEndedByACommitCanStillBeClosed)
{
    f.exec(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('1')"));
    f.exec(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('2')"));
    f.tr.commit();  // a snapshot started before those inserts would not see them
    TargetQuery reader(f.db);
    reader.setSql(QStringLiteral("SELECT COD FROM T_TESTE ORDER BY COD"));
    reader.open();
    ASSERT_EQ(reader.fieldText(QStringLiteral("cod")), QStringLiteral("1"));
    TargetQuery committer(f.db);
    committer.setSql(QStringLiteral("COMMIT"));
    committer.execSql();
    EXPECT_FALSE(f.tr.active());
    EXPECT_NO_THROW(reader.next());
    EXPECT_NO_THROW(reader.close());
    EXPECT_NO_THROW(reader.open());  // and opened again, in a new transaction
    EXPECT_EQ(reader.fieldText(QStringLiteral("COD")), QStringLiteral("1"));
}

TEST_F(TargetDb, TwoConvertersShareTheTransaction)
{
    TConversao a(f.db), b(f.db);
    TargetQuery qa(f.db);
    qa.setSql(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('A')"));
    qa.execSql();
    b.PConfirmaTransacao(f.tr);  // commits the work done through another object
    EXPECT_FALSE(f.tr.active());
    EXPECT_EQ(f.count(QStringLiteral("T_TESTE")), 1);
    EXPECT_NO_THROW(a.PConfirmaTransacao(f.tr));  // inactive: nothing happens, nothing raised
    EXPECT_NO_THROW(a.PCancelaTransacao(f.tr));
    a.PIniciaTransacao(f.tr);
    qa.setSql(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('B')"));
    qa.execSql();
    b.PIniciaTransacao(f.tr);  // active: kept, not committed
    a.PCancelaTransacao(f.tr);
    EXPECT_EQ(f.count(QStringLiteral("T_TESTE")), 1);
}

TEST_F(TargetDb, CommitAndRollbackOfAnInactiveTransactionAreErrors)
{
    f.tr.commit();
    EXPECT_THROW(f.tr.commit(), AppError);
    EXPECT_THROW(f.tr.rollback(), AppError);
}

TEST_F(TargetDb, NamedParametersByNameAndTypeAndUnknownNameRaises)
{
    TargetQuery q(f.db);
    q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD, NOME, VALOR, DATA, QTD) "
                            "VALUES (:COD, :Nome, :VALOR, :DATA, :QTD)"));
    q.setParamText(QStringLiteral("cod"), QStringLiteral("X1"));
    q.setParamText(QStringLiteral("NOME"), QStringLiteral("it's :NOTAPARAM -- here"));
    q.setParamFloat(QStringLiteral("VALOR"), 1234.5678);
    q.setParamDate(QStringLiteral("DATA"), QDate(2012, 3, 15));
    q.setParamInteger(QStringLiteral("QTD"), -42);
    EXPECT_THROW(q.setParamText(QStringLiteral("OUTRO"), QStringLiteral("x")), AppError);
    q.execSql();
    // A colon inside a literal is no parameter.
    q.setSql(QStringLiteral("SELECT COD, NOME, VALOR, DATA, QTD FROM T_TESTE WHERE COD = :C AND NOME <> ':X'"));
    EXPECT_EQ(q.paramNames(), QStringList{QStringLiteral("C")});
    EXPECT_THROW(q.setParamText(QStringLiteral("COD"), QStringLiteral("X1")), AppError);  // the last text's
    q.setParamText(QStringLiteral("C"), QStringLiteral("X1"));
    q.open();
    ASSERT_FALSE(q.isEmpty());
    EXPECT_EQ(q.fieldText(QStringLiteral("Nome")), QStringLiteral("it's :NOTAPARAM -- here"));
    EXPECT_DOUBLE_EQ(q.fieldFloat(QStringLiteral("VALOR")), 1234.5678);
    EXPECT_EQ(q.fieldDateTime(QStringLiteral("data")).date(), QDate(2012, 3, 15));
    EXPECT_EQ(q.fieldInteger(QStringLiteral("QTD")), -42);
    EXPECT_THROW(q.field(QStringLiteral("NAOEXISTE")), AppError);
}

// The lookups switch one query between a few texts for every row: each text must find its own
// columns and parameters again, however many texts came between, and after a reconnection.
TEST_F(TargetDb, OneQuerySwitchingBetweenTextsKeepsEachTextsColumnsAndParameters)
{
    f.exec(QStringLiteral("INSERT INTO T_TESTE (COD, NOME, QTD) VALUES ('A', 'Ana', 1)"));
    f.exec(QStringLiteral("INSERT INTO T_TESTE (COD, NOME, QTD) VALUES ('B', 'Bia', 2)"));
    f.tr.commit();  // a snapshot from before the inserts would not see them
    TargetQuery q(f.db);
    const auto nome = [&](const QString& cod) {
        q.setSql(QStringLiteral("SELECT NOME AS QUEM FROM T_TESTE WHERE COD = :C"));
        q.setParamText(QStringLiteral("C"), cod);
        q.open();
        return q.fieldText(QStringLiteral("QUEM"));
    };
    const auto quantidade = [&](const QString& cod) {
        q.setSql(QStringLiteral("SELECT QTD, COD FROM T_TESTE WHERE COD = '") + cod + QLatin1Char('\''));
        q.open();
        EXPECT_THROW(q.field(QStringLiteral("QUEM")), AppError) << "columns of another text";
        return q.fieldInteger(QStringLiteral("QTD"));
    };
    for (int volta = 0; volta < 2; ++volta) {
        for (int i = 0; i < 30; ++i) {
            SCOPED_TRACE(i);
            const QString cod = i % 2 ? QStringLiteral("B") : QStringLiteral("A");
            EXPECT_EQ(nome(cod), i % 2 ? QStringLiteral("Bia") : QStringLiteral("Ana"));
            // Many literal texts in between push the parameter text out of what is kept.
            EXPECT_EQ(quantidade(i % 3 ? QStringLiteral("A") : QString::number(i)), i % 3 ? 1 : 0);
            q.setSql(QStringLiteral("UPDATE T_TESTE SET QTD = QTD + :N WHERE COD = 'B'"));
            q.setParamInteger(QStringLiteral("N"), 0);
            q.execSql();
        }
        f.tr.commit();
        f.db.disconnect();  // what was prepared belongs to the old attachment
        f.db.connect();
    }
    q.close();
}

TEST_F(TargetDb, NullsAndEmptyResultsReadAsDefaults)
{
    f.exec(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('N')"));
    f.tr.commit();
    TargetQuery q(f.db);
    q.setSql(QStringLiteral("SELECT NOME, VALOR, DATA, QTD FROM T_TESTE WHERE COD = 'N'"));
    q.open();
    ASSERT_FALSE(q.isEmpty());
    struct { const char* field; } fields[] = {{"NOME"}, {"VALOR"}, {"DATA"}, {"QTD"}};
    for (auto& c : fields)
        EXPECT_TRUE(q.fieldIsNull(QLatin1String(c.field))) << c.field;
    EXPECT_EQ(q.fieldText(QStringLiteral("NOME")), QString());
    EXPECT_EQ(q.fieldFloat(QStringLiteral("VALOR")), 0.0);
    EXPECT_EQ(q.fieldInteger(QStringLiteral("QTD")), 0);
    EXPECT_EQ(q.fieldDateTime(QStringLiteral("DATA")).date(), QDate(1899, 12, 30));

    q.setSql(QStringLiteral("SELECT MAX(COD) AS M, NOME FROM T_TESTE WHERE COD = 'nada' GROUP BY NOME"));
    q.open();
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.eof());
    EXPECT_TRUE(q.fieldIsNull(QStringLiteral("M")));
    EXPECT_EQ(q.fieldText(QStringLiteral("NOME")), QString());
}

TEST_F(TargetDb, AccentedTextsRoundTripExactly)
{
    const QStringList texts = {QStringLiteral("Conversão"), QStringLiteral("Açaí"),
                               QStringLiteral("ÀÉÎÕÜçñ ºª°"), QStringLiteral("Preço € 5 — “ok”")};
    int n = 0;
    for (const QString& t : texts) {
        const QString cod = QString::number(++n);
        TargetQuery q(f.db);
        q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD, NOME) VALUES (:COD, :NOME)"));
        q.setParamText(QStringLiteral("COD"), cod);
        q.setParamText(QStringLiteral("NOME"), t);
        q.execSql();
        // and as a literal in the statement text
        q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD, NOME) VALUES ('L%1', '%2')").arg(cod, t));
        q.execSql();
    }
    f.tr.commit();
    n = 0;
    for (const QString& t : texts) {
        const QString cod = QString::number(++n);
        EXPECT_EQ(f.value(QStringLiteral("SELECT NOME FROM T_TESTE WHERE COD = '%1'").arg(cod)), t);
        EXPECT_EQ(f.value(QStringLiteral("SELECT NOME FROM T_TESTE WHERE COD = 'L%1'").arg(cod)), t);
    }
}

TEST_F(TargetDb, CharacterTheTargetCannotStoreIsAClearErrorNotAnAlteredValue)
{
    TargetQuery q(f.db);
    q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD, NOME) VALUES ('Z', 'Ōsaka ✓')"));
    try {
        q.execSql();
        FAIL() << "expected an error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("U+014C"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("campo NOME, valor \"Ōsaka ✓\""))) << e.message().toStdString();
    }
    // A character beyond the 16-bit range is named whole, not by half of its pair.
    q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD, NOME) VALUES ('Z', 'Feliz \U0001F600')"));
    try {
        q.execSql();
        FAIL() << "expected an error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("U+1F600"))) << e.message().toStdString();
    }
    q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD, NOME) VALUES (:C, :N)"));
    q.setParamText(QStringLiteral("C"), QStringLiteral("Z"));
    try {
        q.setParamText(QStringLiteral("N"), QStringLiteral("日本"));
        ADD_FAILURE() << "expected an error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("U+65E5"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("(parâmetro N)"))) << e.message().toStdString();
    }
    f.tr.commit();
    EXPECT_EQ(f.count(QStringLiteral("T_TESTE")), 0);
}

TEST_F(TargetDb, ServerErrorMessageReachesTheException)
{
    f.exec(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('D')"));
    TargetQuery q(f.db);
    q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD) VALUES ('D')"));
    try {
        q.execSql();
        FAIL();
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("PRIMARY or UNIQUE KEY"), Qt::CaseInsensitive) ||
                    e.message().contains(QStringLiteral("unique"), Qt::CaseInsensitive))
            << e.message().toStdString();
    }
    q.setSql(QStringLiteral("SELECT NADA FROM TABELA_QUE_NAO_EXISTE"));
    try {
        q.open();
        FAIL();
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("TABELA_QUE_NAO_EXISTE"))) << e.message().toStdString();
    }
}

TEST_F(TargetDb, DialectOneReadsDoubleQuotedConstantsAsStrings)
{
    EXPECT_EQ(f.db.sqlDialect(), 1);
    TargetQuery q(f.db);
    q.setSql(QStringLiteral("INSERT INTO T_TESTE (COD, NOME, DATA) VALUES (\"Q\", \"N\", '15.03.2012')"));
    q.execSql();
    f.tr.commit();
    EXPECT_EQ(f.rows(QStringLiteral("SELECT NOME, DATA FROM T_TESTE WHERE COD = 'Q'")),
              (std::vector<QStringList>{{QStringLiteral("N"), QStringLiteral("15/03/2012")}}));
}

TEST(TargetConnection, TestAnswersFalseForClosedAndNonDatabaseFiles)
{
    TargetDatabase db;
    EXPECT_FALSE(db.testConnected());
    QTemporaryDir dir;
    const QString bogus = dir.path() + QStringLiteral("/NAOEBANCO.FB");
    QFile file(bogus);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    db.setDatabaseName(bogus);
    try {
        db.connect();
        FAIL();
    } catch (const AppError& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_FALSE(db.connected());
    db.setDatabaseName(dir.path() + QStringLiteral("/FALTA.FB"));
    EXPECT_THROW(db.connect(), AppError);
    EXPECT_FALSE(db.testConnected());
}

// The check's trial runs in the same process as real runs: what it switches on for its scratch
// connection (characters sent as "?", a statement log) must not reach any other connection.
TEST(TargetConnection, TrialSubstitutionAndRecorderStayWithTheirOwnConnection)
{
    struct Registro : StatementRecorder {
        QList<QByteArray> textos;
        void sent(Kind, const QByteArray& sql, const QList<QByteArray>&) override { textos.append(sql); }
    } registro;
    TargetFixture ensaio, real;
    for (TargetFixture* f : {&ensaio, &real}) {
        f->exec(QStringLiteral("CREATE TABLE T_X (A VARCHAR(10))"));
        f->tr.commit();
        f->tr.start();
    }
    ensaio.db.setSubstituiNoEnsaio(true);
    ensaio.db.setRecorder(&registro);

    TargetQuery noEnsaio(ensaio.db);
    noEnsaio.setSql(QStringLiteral("INSERT INTO T_X (A) VALUES (:A)"));
    noEnsaio.setParamText(QStringLiteral("A"), QStringLiteral("Ω1"));
    noEnsaio.execSql();
    ensaio.tr.commit();
    EXPECT_EQ(ensaio.value(QStringLiteral("SELECT A FROM T_X")), QStringLiteral("?1"));

    TargetQuery deVerdade(real.db);
    deVerdade.setSql(QStringLiteral("INSERT INTO T_X (A) VALUES (:A)"));
    EXPECT_THROW(deVerdade.setParamText(QStringLiteral("A"), QStringLiteral("Ω2")), AppError);
    deVerdade.setParamText(QStringLiteral("A"), QStringLiteral("x"));
    deVerdade.execSql();
    real.tr.commit();
    EXPECT_EQ(real.value(QStringLiteral("SELECT A FROM T_X")), QStringLiteral("x"));

    // The trial's insert and the read through that connection; nothing sent through the other.
    EXPECT_EQ(registro.textos, (QList<QByteArray>{"INSERT INTO T_X (A) VALUES (?)", "SELECT A FROM T_X"}));
}

TEST(TargetConnection, DisconnectRollsBackAndReconnectWorks)
{
    TargetFixture f;
    f.exec(QStringLiteral("CREATE TABLE T_X (A VARCHAR(3))"));
    f.tr.commit();
    TargetQuery q(f.db);
    q.setSql(QStringLiteral("INSERT INTO T_X VALUES ('1')"));
    q.execSql();
    EXPECT_TRUE(f.db.testConnected());
    f.db.disconnect();
    EXPECT_FALSE(f.tr.active());
    EXPECT_FALSE(f.db.testConnected());
    f.db.connect();
    EXPECT_TRUE(f.db.testConnected());
    EXPECT_EQ(f.count(QStringLiteral("T_X")), 0);
    q.execSql();  // the statement is prepared again on the new attachment
    f.tr.commit();
    EXPECT_EQ(f.count(QStringLiteral("T_X")), 1);
}

TEST(TargetConversao, ClearTableCommitsAndReportsItsOwnFailure)
{
    TargetFixture f;
    f.exec(QStringLiteral("CREATE TABLE PAI (C VARCHAR(3) NOT NULL PRIMARY KEY)"));
    f.exec(QStringLiteral("CREATE TABLE FILHO (C VARCHAR(3) REFERENCES PAI (C))"));
    f.exec(QStringLiteral("INSERT INTO PAI VALUES ('1')"));
    f.exec(QStringLiteral("INSERT INTO FILHO VALUES ('1')"));
    RecordingMessages messages;
    TConversao c(f.db);
    c.PLimpaTabela(QStringLiteral("FILHO"));  // empty afterwards, and committed
    EXPECT_FALSE(f.tr.active());
    EXPECT_FALSE(c.ErroGravacao);
    c.PLimpaTabela(QStringLiteral("FILHO"));  // already empty: still fine
    EXPECT_FALSE(c.ErroGravacao);
    f.exec(QStringLiteral("INSERT INTO FILHO VALUES ('1')"));

    TargetQuery work(f.db);
    work.setSql(QStringLiteral("INSERT INTO PAI VALUES ('2')"));
    work.execSql();
    c.PLimpaTabela(QStringLiteral("PAI"));
    EXPECT_TRUE(c.ErroGravacao);
    ASSERT_EQ(messages.list.size(), 1u);
    EXPECT_EQ(messages.list[0].kind, QStringLiteral("error"));
    const QString text = messages.list[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Erro na Exclusão da tabela PAI.") + QChar(13)));
    EXPECT_TRUE(text.endsWith(QChar(13) + QStringLiteral("Verifique se a tabela está em Transação.")));
    EXPECT_TRUE(text.contains(QStringLiteral("FOREIGN KEY"), Qt::CaseInsensitive)) << text.toStdString();
    EXPECT_TRUE(f.tr.active()) << "the failed delete left the earlier work in the transaction";
    f.tr.commit();
    EXPECT_EQ(f.count(QStringLiteral("PAI")), 2);
}

TEST(TargetConversao, TriggerSwitchWarnsOnFailure)
{
    TargetFixture f;
    RecordingMessages messages;
    TConversao c(f.db);
    f.exec(QStringLiteral("CREATE TABLE T_SEM_TRIGGER (A INTEGER)"));
    const bool hasTrigger = !f.rows(QStringLiteral("SELECT 1 FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'PRODUTO_BI0'")).empty();
    c.DesativaTriggers(f.db, f.tr);
    c.AtivaTriggers(f.db, f.tr);
    if (hasTrigger) {
        EXPECT_TRUE(messages.list.empty());
    } else {
        ASSERT_EQ(messages.list.size(), 2u);
        EXPECT_TRUE(messages.list[0].text.startsWith(QStringLiteral("Erro ao desativar as Triggers: ")));
        EXPECT_TRUE(messages.list[1].text.startsWith(QStringLiteral("Erro ao ativar as Triggers: ")));
        EXPECT_EQ(messages.list[0].kind, QStringLiteral("warning"));
    }
    EXPECT_FALSE(f.tr.active());
}
