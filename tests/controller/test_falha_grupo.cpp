// A run through the controller with the real product-group and fiscal-class fillers: the first
// rejected row ends the run, and what finished before it stays committed.
#include "Recorders.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "db/TargetQuery.h"
#include <gtest/gtest.h>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {
const QString kFalha = QStringLiteral("Ocorreu um erro durante a conversão! Motivo: ");
const QString kGrupos = QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO");
const QString kClasses = QStringLiteral("SELECT CODCLASFIS, CODIGONCM FROM CLASFISC ORDER BY CODCLASFIS");
const QString kInsereClasse = QStringLiteral(
    "INSERT INTO CLASFISC (CODCLASFIS, CODNBM, PISCONFRETIDO, CODIGONCM, CODNATRECEITA, ALIQIPI) "
    "VALUES ('%1', '%2', '', '%2', '', 0)");

class GroupFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        origem.settings() = s.settings();
        // An earlier run's rows: each converted group replaces them.
        t.exec(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('999', 'VELHO')"));
        t.exec(kInsereClasse.arg(QStringLiteral("9999"), QStringLiteral("99999999")));
        t.tr.commit();
        t.tr.start();
        parametros.add(QStringLiteral("GRUPOSPRODUTOS=S"));
        parametros.add(QStringLiteral("CLASSIFICACAOFISCAL=S"));
    }
    void grupos(const std::vector<std::pair<int, QString>>& linhas)
    {
        for (const auto& [k, nome] : linhas)
            s.exec(QStringLiteral("INSERT INTO TBGRUPO (CONTROLE, GRUPO) VALUES (%1, '%2')").arg(k).arg(nome));
    }
    void classes(int quantas)
    {
        for (int i = 1; i <= quantas; ++i)
            s.exec(QStringLiteral("INSERT INTO TB_CODIGO_NCM (CONTROLE, NCM) VALUES (%1, '3004.90.%2')")
                       .arg(i * 10)
                       .arg(i, 2, 10, QLatin1Char('0')));
    }
    bool executa()
    {
        TClassesConversaoController controller;
        return controller.FEfetuaConversao(parametros, origem, t.db, t.tr, gauge, label);
    }
    // The server's own text for a duplicate of a committed row, as the run should pass it on.
    QString mensagemDeDuplicata(const QString& insert)
    {
        TargetTransaction propria(&t.db);
        propria.start();
        TargetQuery q(t.db, propria);
        q.setSql(insert);
        try {
            q.execSql();
        } catch (const AppError& e) {
            propria.rollback();
            return e.message();
        }
        propria.rollback();
        ADD_FAILURE() << "the duplicate was accepted";
        return QString();
    }

    TargetFixture t;
    SourceFixture s;
    SourceConnection origem;
    ListaParametros parametros;
    RecordingLabel label;
    RecordingGauge gauge;
    RecordingEvents events{&label, &gauge};
    RecordingMessages mensagens;
};

TEST_F(GroupFailure, RefusedRowInTheClassesKeepsTheConvertedGroups)
{
    grupos({{1, QStringLiteral("Higiene")}, {2, QStringLiteral("Perfumaria")}});
    classes(5);
    // Before the first class row is written, someone else commits the code that key 30 will
    // produce: the server refuses the third row of the walk.
    bool injetado = false;
    events.onEvents = [&] {
        if (!injetado && label.text().startsWith(QLatin1String("Convertendo Classificacao Fiscal"))) {
            injetado = true;
            t.exec(kInsereClasse.arg(QStringLiteral("0030"), QStringLiteral("11111111")));
        }
    };

    EXPECT_FALSE(executa());

    const QString servidor = mensagemDeDuplicata(kInsereClasse.arg(QStringLiteral("0030"), QStringLiteral("30049003")));
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("error"));
    EXPECT_EQ(mensagens.list[0].text, kFalha + servidor + QStringLiteral(" (tabela TB_CODIGO_NCM, CONTROLE 30)"));
    EXPECT_TRUE(servidor.contains(QLatin1String("CLASFISC"))) << servidor.toStdString();
    // The label stays on the failed row; the gauge is reset.
    EXPECT_EQ(label.text(), QStringLiteral("Convertendo Classificacao Fiscal - Registro 3 de 5"));
    EXPECT_EQ(gauge.position(), 0);
    EXPECT_EQ(gauge.maximum(), 0);
    EXPECT_FALSE(t.tr.active());
    // Groups were committed when the fiscal classes were cleared; the classes' own rows are undone.
    EXPECT_EQ(t.rows(kGrupos), (std::vector<QStringList>{{QStringLiteral("001"), QStringLiteral("Higiene")},
                                                         {QStringLiteral("002"), QStringLiteral("Perfumaria")}}));
    EXPECT_EQ(t.rows(kClasses), (std::vector<QStringList>{{QStringLiteral("0030"), QStringLiteral("11111111")}}));
}

TEST_F(GroupFailure, RepeatedGroupCodeEndsTheRunBeforeTheClasses)
{
    // 5 and 1005 both give group 005.
    grupos({{5, QStringLiteral("Higiene")}, {1005, QStringLiteral("Perfumaria")}});
    classes(2);

    EXPECT_FALSE(executa());
    // Cleared and committed before its first row; the row 005 that went in is undone.
    EXPECT_EQ(t.count(QStringLiteral("GRUPROD")), 0);

    t.exec(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('005', 'Higiene')"));
    const QString servidor =
        mensagemDeDuplicata(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('005', 'Perfumaria')"));
    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("error"));
    EXPECT_EQ(mensagens.list[0].text, kFalha + servidor + QStringLiteral(" (tabela TBGRUPO, CONTROLE 1005)"));
    EXPECT_EQ(label.text(), QStringLiteral("Convertendo Grupos de produtos - Registro 2 de 2"));
    // The fiscal classes never ran: their old row is still there.
    EXPECT_EQ(t.rows(kClasses), (std::vector<QStringList>{{QStringLiteral("9999"), QStringLiteral("99999999")}}));
}

TEST_F(GroupFailure, ConvertedGroupsAndClassesAreCommitted)
{
    grupos({{12, QStringLiteral("Higiene")}});
    classes(2);

    EXPECT_TRUE(executa());

    ASSERT_EQ(mensagens.list.size(), 1u);
    EXPECT_EQ(mensagens.list[0].kind, QStringLiteral("information"));
    EXPECT_EQ(mensagens.list[0].text, QStringLiteral("Conversão concluída com sucesso!"));
    EXPECT_EQ(label.text(), QString());
    EXPECT_EQ(t.rows(kGrupos), (std::vector<QStringList>{{QStringLiteral("012"), QStringLiteral("Higiene")}}));
    EXPECT_EQ(t.rows(kClasses), (std::vector<QStringList>{{QStringLiteral("0010"), QStringLiteral("30049001")},
                                                          {QStringLiteral("0020"), QStringLiteral("30049002")}}));
}
}  // namespace
