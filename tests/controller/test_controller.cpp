// The controller with fillers of the test's own, on a real target file and source database.
#include "Recorders.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "conversion/ProgressWalk.h"
#include "conversion/classConversao.h"
#include "common/AppError.h"
#include "db/SourceQuery.h"
#include <gtest/gtest.h>

namespace {
// Copies the source table ORIGEM_<key> into the target table DESTINO_<key>, clearing it
// first (a commit point), and fails on the row whose ID equals failAt.
class FakeFiller : public Preenchedor {
public:
    FakeFiller(QString key, QString prefix, QStringList& log, int failAt)
        : m_key(std::move(key)), m_prefix(std::move(prefix)), m_log(log), m_failAt(failAt) {}
    void preenche(SourceConnection& origem, TargetDatabase& destino, Gauge& barra, ProgressLabel& label) override
    {
        m_log.append(m_key);
        TConversao conv(destino);
        conv.PLimpaTabela(QStringLiteral("DESTINO_") + m_key);
        SourceQuery q(origem);
        q.setSql(QStringLiteral("SELECT ID FROM ORIGEM_") + m_key);
        q.open();
        ProgressWalk(barra, label, m_prefix).run(q, [&](SourceQuery& row) {
            const qint64 id = row.fieldInteger(QStringLiteral("ID"));
            if (id == m_failAt)
                throw AppError(QStringLiteral("falha no registro %1").arg(id));
            TargetQuery ins(destino);
            ins.setSql(QStringLiteral("INSERT INTO DESTINO_%1 (ID) VALUES (%2)").arg(m_key).arg(id));
            ins.execSql();
        });
    }

private:
    QString m_key, m_prefix;
    QStringList& m_log;
    int m_failAt;
};

class Controller : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& g : TClassesConversaoController::grupos()) {
            t.exec(QStringLiteral("CREATE TABLE DESTINO_%1 (ID INTEGER NOT NULL PRIMARY KEY)").arg(g.chave));
            s.exec(QStringLiteral("CREATE TABLE ORIGEM_%1 (ID INT PRIMARY KEY)").arg(g.chave));
        }
        t.tr.commit();
        t.tr.start();
        origem.settings() = s.settings();
    }
    void fill(const QString& key, int rows)
    {
        for (int i = 1; i <= rows; ++i)
            s.exec(QStringLiteral("INSERT INTO ORIGEM_%1 VALUES (%2)").arg(key).arg(i));
    }
    bool run(const QStringList& lines, const QString& failKey = QString(), int failAt = -1)
    {
        ListaParametros params;
        for (const QString& l : lines)
            params.add(l);
        TClassesConversaoController controller([&](const QString& key) -> std::unique_ptr<Preenchedor> {
            QString prefix;
            for (const auto& g : TClassesConversaoController::grupos())
                if (g.chave == key)
                    prefix = g.prefixo;
            return std::make_unique<FakeFiller>(key, prefix, log, key == failKey ? failAt : -1);
        });
        return controller.FEfetuaConversao(params, origem, t.db, t.tr, gauge, label);
    }

    TargetFixture t;
    SourceFixture s;
    SourceConnection origem;
    RecordingGauge gauge;
    RecordingLabel label;
    RecordingMessages messages;
    RecordingEvents events{&label, &gauge};
    QStringList log;
};
}  // namespace

TEST_F(Controller, GroupsRunInTheirFixedOrderWhateverTheOrderOfTheLines)
{
    fill(QStringLiteral("PRODUTOS"), 2);
    fill(QStringLiteral("CLIENTES"), 3);
    EXPECT_TRUE(run({QStringLiteral("PRODUTOS=S"), QStringLiteral("CLASSIFICACAOFISCAL=S"),
                     QStringLiteral("clientes=S"), QStringLiteral("FORNECEDORES=S"),
                     QStringLiteral("GRUPOSPRODUTOS=S")}));
    EXPECT_EQ(log, (QStringList{QStringLiteral("CLIENTES"), QStringLiteral("FORNECEDORES"),
                                QStringLiteral("GRUPOSPRODUTOS"), QStringLiteral("CLASSIFICACAOFISCAL"),
                                QStringLiteral("PRODUTOS")}));
    ASSERT_EQ(messages.list.size(), 1u);
    EXPECT_EQ(messages.list[0].kind, QStringLiteral("information"));
    EXPECT_EQ(messages.list[0].text, QStringLiteral("Conversão concluída com sucesso!"));
    EXPECT_FALSE(t.tr.active());
    EXPECT_EQ(t.count(QStringLiteral("DESTINO_CLIENTES")), 3);
    EXPECT_EQ(t.count(QStringLiteral("DESTINO_PRODUTOS")), 2);
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(label.text(), QString());
}

TEST_F(Controller, OnlyExactlySSelectsAGroup)
{
    EXPECT_TRUE(run({QStringLiteral("CLIENTES"), QStringLiteral("CLIENTES=s"), QStringLiteral("FORNECEDORES=S "),
                     QStringLiteral("GRUPOSPRODUTOS= S"), QStringLiteral("PRODUTOS=SIM"),
                     QStringLiteral("CLASSIFICACAOFISCAL=S")}));
    EXPECT_EQ(log, QStringList{QStringLiteral("CLASSIFICACAOFISCAL")});
}

TEST_F(Controller, NoGroupSelectedCommitsAndReportsSuccess)
{
    TargetQuery pending(t.db);
    pending.setSql(QStringLiteral("INSERT INTO DESTINO_CLIENTES (ID) VALUES (99)"));
    pending.execSql();  // work in the open transaction is committed by the run
    EXPECT_TRUE(run({QStringLiteral("CLIENTES"), QStringLiteral("CAMINHO BD DESTINO")}));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(t.tr.active());
    EXPECT_EQ(t.count(QStringLiteral("DESTINO_CLIENTES")), 1);
    ASSERT_EQ(messages.list.size(), 1u);
    EXPECT_EQ(messages.list[0].text, QStringLiteral("Conversão concluída com sucesso!"));
}

TEST_F(Controller, FailureRollsBackSinceTheLastCommitPointAndKeepsTheLabel)
{
    fill(QStringLiteral("CLIENTES"), 3);
    fill(QStringLiteral("PRODUTOS"), 20);
    t.exec(QStringLiteral("INSERT INTO DESTINO_PRODUTOS (ID) VALUES (500)"));  // cleared by the group
    t.tr.commit();
    EXPECT_FALSE(run({QStringLiteral("CLIENTES=S"), QStringLiteral("PRODUTOS=S")}, QStringLiteral("PRODUTOS"), 7));
    ASSERT_EQ(messages.list.size(), 1u);
    EXPECT_EQ(messages.list[0].kind, QStringLiteral("error"));
    EXPECT_EQ(messages.list[0].text,
              QStringLiteral("Ocorreu um erro durante a conversão! Motivo: falha no registro 7"));
    EXPECT_EQ(label.text(), QStringLiteral("Convertendo Produtos - Registro 7 de 20"));
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
    EXPECT_FALSE(t.tr.active());
    EXPECT_EQ(t.count(QStringLiteral("DESTINO_CLIENTES")), 3) << "the earlier group stays converted";
    EXPECT_EQ(t.count(QStringLiteral("DESTINO_PRODUTOS")), 0) << "cleared, and its six rows rolled back";
}

TEST_F(Controller, ProgressIsShownPerRowAndAnEmptySourceNeverSetsTheLabel)
{
    fill(QStringLiteral("FORNECEDORES"), 3);
    EXPECT_TRUE(run({QStringLiteral("CLIENTES=S"), QStringLiteral("FORNECEDORES=S")}));
    std::vector<QString> labels;
    std::vector<int> positions, maxima;
    for (const auto& snap : events.snapshots) {
        labels.push_back(snap.label);
        positions.push_back(snap.position);
        maxima.push_back(snap.maximum);
    }
    EXPECT_EQ(labels, (std::vector<QString>{QStringLiteral("Convertendo Fornecedores - Registro 1 de 3"),
                                            QStringLiteral("Convertendo Fornecedores - Registro 2 de 3"),
                                            QStringLiteral("Convertendo Fornecedores - Registro 3 de 3")}));
    EXPECT_EQ(positions, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(maxima, (std::vector<int>{3, 3, 3}));
    for (const QString& text : label.history)
        EXPECT_FALSE(text.contains(QStringLiteral("Clientes"))) << "the empty group shows no row";
    EXPECT_EQ(label.history.last(), QString());
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST_F(Controller, SecondRunAfterAFailureStartsAFreshTransaction)
{
    fill(QStringLiteral("CLIENTES"), 4);
    EXPECT_FALSE(run({QStringLiteral("CLIENTES=S")}, QStringLiteral("CLIENTES"), 2));
    EXPECT_FALSE(t.tr.active());
    messages.list.clear();
    EXPECT_TRUE(run({QStringLiteral("CLIENTES=S")}));
    EXPECT_EQ(messages.list.back().text, QStringLiteral("Conversão concluída com sucesso!"));
    EXPECT_EQ(t.count(QStringLiteral("DESTINO_CLIENTES")), 4);
}

TEST_F(Controller, TransactionThatCannotStartLeavesTheController)
{
    t.tr.commit();
    t.db.disconnect();
    EXPECT_THROW(run({QStringLiteral("CLIENTES=S")}), AppError);
    EXPECT_TRUE(messages.list.empty());
    EXPECT_TRUE(log.isEmpty());
}

TEST(ParameterListRules, NameValueLookup)
{
    ListaParametros p;
    for (const char* l : {"CLIENTES", "FORNECEDORES", "GRUPOSPRODUTOS", "CLASSIFICACAOFISCAL", "PRODUTOS",
                          "CAMINHO BD DESTINO", "CAMINHO BD ORIGEM"})
        p.add(QLatin1String(l));
    p.setValue(QStringLiteral("CLIENTES"), QStringLiteral("S"));
    p.setValue(QStringLiteral("PRODUTOS"), QStringLiteral("S"));
    EXPECT_EQ(p.count(), 9);
    EXPECT_EQ(p.lines().mid(7), (QStringList{QStringLiteral("CLIENTES=S"), QStringLiteral("PRODUTOS=S")}));
    EXPECT_EQ(p.value(QStringLiteral("clientes")), QStringLiteral("S"));
    EXPECT_EQ(p.value(QStringLiteral("FORNECEDORES")), QString());
    EXPECT_EQ(p.value(QStringLiteral("CAMINHO BD DESTINO")), QString());
    p.setValue(QStringLiteral("Clientes"), QStringLiteral("N"));
    EXPECT_EQ(p.lines()[7], QStringLiteral("Clientes=N"));
    EXPECT_EQ(p.count(), 9);
    p.setValue(QStringLiteral("CLIENTES"), QString());
    EXPECT_EQ(p.count(), 8);
    p.add(QStringLiteral("A=B=C"));
    EXPECT_EQ(p.value(QStringLiteral("A")), QStringLiteral("B=C"));
}
