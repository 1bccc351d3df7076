// The source database layer against the sandbox MariaDB server.
#include "SourceFixture.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include <gtest/gtest.h>

namespace {
class SourceDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.exec(QStringLiteral("CREATE TABLE T_ORIGEM (ID INT PRIMARY KEY, NOME VARCHAR(60), VALOR DECIMAL(12,3), "
                              "DATA DATE, QUANDO DATETIME, TEXTO TEXT, ATIVO CHAR(1))"));
        s.exec(QStringLiteral("INSERT INTO T_ORIGEM VALUES "
                              "(1, 'Conversão Açaí', 12.5, '2012-03-15', '2012-03-15 10:20:30', 'x', 'S'),"
                              "(2, 'O''Brien', -0.001, NULL, NULL, NULL, 'N'),"
                              "(3, NULL, NULL, '1999-12-31', NULL, '', 'S'),"
                              "(4, 'quatro', 1000000, '2000-01-01', NULL, 'y', 'N')"));
        conn.settings() = s.settings();
    }
    SourceFixture s;
    SourceConnection conn;
};
}  // namespace

TEST_F(SourceDb, ConnectsOnFirstOpenAndStreamsRowsForward)
{
    EXPECT_FALSE(conn.connected());
    SourceQuery q(conn);
    q.setSql(QStringLiteral("SELECT ID, NOME, VALOR, DATA, QUANDO, TEXTO FROM T_ORIGEM ORDER BY ID"));
    q.open();
    EXPECT_TRUE(conn.connected());
    EXPECT_EQ(q.recordCount(), 4);
    QStringList names;
    while (!q.eof()) {
        names.append(q.fieldText(QStringLiteral("nome")));
        q.next();
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("Conversão Açaí"), QStringLiteral("O'Brien"), QString(),
                                  QStringLiteral("quatro")}));
    EXPECT_NO_THROW(q.next());
    // The connection stays open for the next query.
    q.close();
    q.open();
    EXPECT_EQ(q.fieldInteger(QStringLiteral("ID")), 1);
}

TEST_F(SourceDb, FieldsReadAsTextNumberAndDateWithNullDefaults)
{
    SourceQuery q(conn);
    q.setSql(QStringLiteral("SELECT ID, NOME, VALOR, DATA, QUANDO, TEXTO FROM T_ORIGEM ORDER BY ID"));
    q.open();
    EXPECT_DOUBLE_EQ(q.fieldFloat(QStringLiteral("VALOR")), 12.5);
    EXPECT_EQ(q.fieldText(QStringLiteral("VALOR")), QStringLiteral("12,5"));
    EXPECT_EQ(q.fieldDateTime(QStringLiteral("DATA")).date(), QDate(2012, 3, 15));
    EXPECT_EQ(q.fieldDateTime(QStringLiteral("QUANDO")).time(), QTime(10, 20, 30));
    q.next();
    EXPECT_DOUBLE_EQ(q.fieldFloat(QStringLiteral("VALOR")), -0.001);
    EXPECT_TRUE(q.fieldIsNull(QStringLiteral("DATA")));
    EXPECT_EQ(q.fieldDateTime(QStringLiteral("DATA")).date(), QDate(1899, 12, 30));
    EXPECT_EQ(q.fieldText(QStringLiteral("TEXTO")), QString());
    q.next();
    EXPECT_EQ(q.fieldFloat(QStringLiteral("VALOR")), 0.0);
    EXPECT_EQ(q.fieldText(QStringLiteral("NOME")), QString());
    EXPECT_THROW(q.field(QStringLiteral("NAOHA")), AppError);
}

TEST_F(SourceDb, RowCountKeepsTheWherePartAndDropsOrderBy)
{
    struct Case {
        const char* select;
        int count;
    } cases[] = {
        {"SELECT ID FROM T_ORIGEM", 4},
        {"SELECT ID FROM T_ORIGEM WHERE ATIVO = 'S' ORDER BY ID DESC", 2},
        {"select id\nfrom T_ORIGEM\nwhere VALOR > 0\norder by NOME", 2},
        {"SELECT ID FROM T_ORIGEM WHERE NOME LIKE '%order by%'", 0},
    };
    for (const Case& c : cases) {
        SourceQuery q(conn);
        q.setSql(QString::fromUtf8(c.select));
        q.open();
        EXPECT_EQ(q.recordCount(), c.count) << c.select;
        int rows = 0;
        for (; !q.eof(); q.next())
            ++rows;
        EXPECT_EQ(rows, c.count) << c.select;
    }
}

TEST(SourceCount, RefusedForDistinctAndParameters)
{
    EXPECT_THROW(SourceQuery::countStatement(QStringLiteral("select distinct NOME from T")), AppError);
    EXPECT_THROW(SourceQuery::countStatement(QStringLiteral("select NOME from T where A = :P")), AppError);
    EXPECT_EQ(SourceQuery::countStatement(QStringLiteral("SELECT A, B FROM TBCLIENTES ")),
              QStringLiteral("select count(*) from TBCLIENTES"));
}

TEST_F(SourceDb, ServerErrorMessageReachesTheException)
{
    SourceQuery q(conn);
    q.setSql(QStringLiteral("SELECT NADA FROM TABELA_AUSENTE"));
    try {
        q.open();
        FAIL();
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("TABELA_AUSENTE"))) << e.message().toStdString();
    }
}

TEST(SourceConnectionErrors, UnreachableServerAndWrongDatabaseAreClearErrors)
{
    SourceConnection conn;
    conn.settings().socket = QStringLiteral("/nonexistent/mysqld.sock");
    conn.settings().connectTimeout = 2;
    SourceQuery q(conn);
    q.setSql(QStringLiteral("SELECT 1 FROM DUAL"));
    try {
        q.open();
        FAIL();
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("connect"), Qt::CaseInsensitive)) << e.message().toStdString();
    }
    EXPECT_FALSE(conn.connected());
    SourceConnection other;
    other.settings().socket = SourceFixture::socket();
    other.settings().database = QStringLiteral("banco_que_nao_existe");
    EXPECT_THROW(other.connect(), AppError);
}
