// The source rows are read a few rows ahead on a thread of their own: what the caller sees must
// stay what a plain stream gives, row by row, in the server's order, errors at the row they hit.
#include "SourceFixture.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include <gtest/gtest.h>

namespace {
class SourceReadAhead : public ::testing::Test {
protected:
    // rows rows, ID 1..rows, each with a text of width characters, inserted in a shuffled order
    // so that only ORDER BY gives them back ascending.
    void fill(int rows, int width)
    {
        s.exec(QStringLiteral("CREATE TABLE T_MUITAS (ID INT PRIMARY KEY, TEXTO TEXT)"));
        const int lote = 500;
        for (int from = 0; from < rows; from += lote) {
            QStringList values;
            for (int i = from; i < std::min(rows, from + lote); ++i) {
                const int id = (i * 7919) % rows + 1;  // 7919 is prime: a permutation of 1..rows
                values << QStringLiteral("(%1, '%2')").arg(id).arg(QString(width, QLatin1Char('a' + id % 26)));
            }
            s.exec(QStringLiteral("INSERT INTO T_MUITAS VALUES ") + values.join(QLatin1Char(',')));
        }
        conn.settings() = s.settings();
    }
    SourceFixture s;
    SourceConnection conn;
};
}  // namespace

TEST_F(SourceReadAhead, RowsComeOneByOneInServerOrderFarPastTheQueue)
{
    fill(3000, 20);
    SourceQuery q(conn);
    for (const char* order : {"ORDER BY ID", "ORDER BY ID DESC"}) {
        q.setSql(QStringLiteral("SELECT ID, TEXTO FROM T_MUITAS ") + QLatin1String(order));
        q.open();
        ASSERT_EQ(q.recordCount(), 3000);
        const bool desc = QByteArray(order).endsWith("DESC");
        int expected = desc ? 3000 : 1;
        int seen = 0;
        while (!q.eof()) {
            ASSERT_EQ(q.fieldInteger(QStringLiteral("ID")), expected) << order;
            // A row's fields belong together: never the text of a neighbour.
            ASSERT_EQ(q.fieldText(QStringLiteral("TEXTO")), QString(20, QLatin1Char('a' + expected % 26)));
            expected += desc ? -1 : 1;
            ++seen;
            q.next();
        }
        EXPECT_EQ(seen, 3000) << order;
        EXPECT_TRUE(q.fieldIsNull(QStringLiteral("ID")));
    }
}

TEST_F(SourceReadAhead, AQueryLeftMidwayLeavesTheConnectionReadyForTheNext)
{
    fill(3000, 200);
    SourceQuery q(conn);
    SourceQuery other(conn);
    for (int round = 0; round < 3; ++round) {
        q.setSql(QStringLiteral("SELECT ID, TEXTO FROM T_MUITAS ORDER BY ID"));
        q.open();
        for (int i = 1; i <= 10 * round + 1; ++i) {
            ASSERT_EQ(q.fieldInteger(QStringLiteral("ID")), i);
            q.next();
        }
        // Closed early (as after a failed row): the rest is drained, the next query works.
        q.close();
        other.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM T_MUITAS"));
        other.open();
        EXPECT_EQ(other.fieldInteger(QStringLiteral("N")), 3000);
        other.close();
    }
    // Destroyed while open and the reader possibly waiting on a full queue: no hang, no crash.
    {
        SourceQuery abandoned(conn);
        abandoned.setSql(QStringLiteral("SELECT ID, TEXTO FROM T_MUITAS"));
        abandoned.open();
    }
    other.setSql(QStringLiteral("SELECT MAX(ID) AS N FROM T_MUITAS"));
    other.open();
    EXPECT_EQ(other.fieldInteger(QStringLiteral("N")), 3000);
}

TEST_F(SourceReadAhead, AConnectionCutMidStreamFailsAfterTheRowsThatArrivedNeverSkippingOne)
{
    // Large enough that the server is still sending when the connection is cut.
    fill(20000, 1000);
    SourceQuery id(conn);
    id.setSql(QStringLiteral("SELECT CONNECTION_ID() AS ID FROM DUAL"));
    id.open();
    const qint64 thread = id.fieldInteger(QStringLiteral("ID"));
    id.close();

    SourceQuery q(conn);
    q.setSql(QStringLiteral("SELECT ID, TEXTO FROM T_MUITAS ORDER BY ID"));
    q.open();
    int expected = 1;
    for (; expected <= 5; ++expected) {
        ASSERT_EQ(q.fieldInteger(QStringLiteral("ID")), expected);
        q.next();
    }
    s.exec(QStringLiteral("KILL ") + QString::number(thread));
    QString failure;
    try {
        while (!q.eof()) {
            ASSERT_EQ(q.fieldInteger(QStringLiteral("ID")), expected);
            ++expected;
            q.next();
        }
    } catch (const AppError& e) {
        failure = e.message();
    }
    EXPECT_LT(expected, 20001) << "the cut went unnoticed: the stream ended as if complete";
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Banco de origem"))) << failure.toStdString();
    // The connection is marked lost and connects again for the next query.
    q.close();
    q.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM T_MUITAS"));
    q.open();
    EXPECT_EQ(q.fieldInteger(QStringLiteral("N")), 20000);
}
