#include "SourceFixture.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include <gtest/gtest.h>

// The count statement is read the way the source server reads the select: comments, backquoted
// names (no backslash escapes there) and subqueries hide FROM, ORDER BY and LIMIT, and the count
// never ends inside one of them.
TEST(SourceCount, KeywordsInCommentsNamesAndSubqueriesAreNotTheSelects)
{
    struct Case {
        const char* select;
        const char* count;
    } cases[] = {
        {"SELECT A /* from X */ FROM T", "select count(*) from T"},
        {"SELECT A FROM T /* order by */ WHERE B = 1", "select count(*) from T /* order by */ WHERE B = 1"},
        {"SELECT A FROM T # limit 1\nWHERE B = 1 ORDER BY A", "select count(*) from T # limit 1\nWHERE B = 1"},
        {"SELECT A FROM T -- order by A\nWHERE B = 1", "select count(*) from T -- order by A\nWHERE B = 1"},
        {"SELECT A FROM T WHERE B = 1--1 LIMIT 2", "select count(*) from T WHERE B = 1--1"},
        {"SELECT (SELECT MAX(B) FROM U) AS M FROM T", "select count(*) from T"},
        {"SELECT A FROM T WHERE C IN (SELECT C FROM V ORDER BY C LIMIT 3) ORDER BY A",
         "select count(*) from T WHERE C IN (SELECT C FROM V ORDER BY C LIMIT 3)"},
        {"SELECT `a\\` FROM T WHERE B = 'x` limit 1'", "select count(*) from T WHERE B = 'x` limit 1'"},
        {"SELECT `from` FROM `order` WHERE `limit` = 1", "select count(*) from `order` WHERE `limit` = 1"},
        {"SELECT A FROM T WHERE B = 'it\\'s order by' AND C = \"x\"\" limit\"",
         "select count(*) from T WHERE B = 'it\\'s order by' AND C = \"x\"\" limit\""},
        {"SELECT \xc3\xa7" "from, a$from FROM T", "select count(*) from T"},
        {"SELECT A FROM T ORDER/* by name */BY A", "select count(*) from T"},
        {"select id\nfrom T_ORIGEM\nwhere VALOR > 0\norder by NOME", "select count(*) from T_ORIGEM\nwhere VALOR > 0"},
        {"SELECT A FROM T WHERE B = ':P' -- :Q ?", "select count(*) from T WHERE B = ':P' -- :Q ?"},
        {"SELECT A FROM T WHERE B IN (SELECT DISTINCT C FROM U)",
         "select count(*) from T WHERE B IN (SELECT DISTINCT C FROM U)"},
        // A no-break space is part of a name to the server: only its own blanks are trimmed.
        {"SELECT A FROM \xc2\xa0" "distinct\xc2\xa0 ORDER BY A", "select count(*) from \xc2\xa0" "distinct\xc2\xa0"},
        {"SELECT A FROM\t\r\n T \x0b\x0c", "select count(*) from T"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SourceQuery::countStatement(QString::fromUtf8(c.select)), QString::fromUtf8(c.count)) << c.select;
}

TEST(SourceCount, RefusedForDistinctParametersAndNoTableOfItsOwn)
{
    for (const char* select : {"select distinct(NOME) from T", "SELECT DISTINCT`A` FROM T",
                               "select/**/distinctrow A from T", "select NOME from T where A = ?",
                               "select NOME from T where A = (select B from U where C = :P)",
                               "SELECT (SELECT 1 FROM U)", "SELECT A /* FROM T */", "SELECT 'FROM T'"})
        EXPECT_THROW(SourceQuery::countStatement(QString::fromUtf8(select)), AppError) << select;
}

// The server takes those count statements and counts the rows the select then yields.
TEST(SourceCountDb, CountMatchesTheRowsWithCommentsNamesAndSubqueries)
{
    SourceFixture s;
    s.exec(QStringLiteral("CREATE TABLE T_ORIGEM (ID INT PRIMARY KEY, NOME VARCHAR(60), VALOR DECIMAL(12,3), ATIVO CHAR(1))"));
    s.exec(QStringLiteral("INSERT INTO T_ORIGEM VALUES (1, 'um', 12.5, 'S'), (2, 'O''Brien', -0.001, 'N'), "
                          "(3, NULL, NULL, 'S'), (4, 'quatro', 1000000, 'N')"));
    SourceConnection conn;
    conn.settings() = s.settings();
    struct Case {
        const char* select;
        int rows;
    } cases[] = {
        {"SELECT ID /* from X */ FROM T_ORIGEM WHERE ATIVO = 'S' # order by ID\n", 2},
        {"SELECT ID, (SELECT MAX(ID) FROM T_ORIGEM) AS M FROM T_ORIGEM "
         "WHERE ID IN (SELECT ID FROM T_ORIGEM WHERE VALOR > 0 ORDER BY ID) ORDER BY ID",
         2},
        {"SELECT `ID` FROM `T_ORIGEM` WHERE NOME <> 'x` limit 1' -- limit 1\nORDER BY ID", 3},
        {"SELECT ID FROM T_ORIGEM WHERE NOME <> 'it\\'s' ORDER/* by name */BY ID LIMIT 10", 3},
    };
    for (const Case& c : cases) {
        SourceQuery q(conn);
        q.setSql(QString::fromUtf8(c.select));
        q.open();
        EXPECT_EQ(q.recordCount(), c.rows) << c.select;
        int rows = 0;
        for (; !q.eof(); q.next())
            ++rows;
        EXPECT_EQ(rows, c.rows) << c.select;
    }
}
