// Reference lookups of the converter base on a real target file.
#include "Recorders.h"
#include "TargetFixture.h"
#include "conversion/TextRules.h"
#include "conversion/classConversao.h"
#include "common/AppError.h"
#include "db/TargetQuery.h"
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Linhas = std::vector<QStringList>;

// Seeds rows in transactions of their own, then ends the fixture's snapshot so that the next
// statement of the lookup sees them.
void semeia(TargetFixture& fx, const QStringList& sqls)
{
    for (const QString& s : sqls)
        fx.exec(s);
    if (fx.tr.active())
        fx.tr.commit();
}

// Commits the lookup's work so that the fixture's readers see it.
Linhas gravado(TargetFixture& fx, const QString& select)
{
    if (fx.tr.active())
        fx.tr.commit();
    return fx.rows(select);
}

// One find-or-create lookup: how to call it, how its rows are seeded and read back.
struct Busca {
    const char* nome;
    int largura;
    std::function<QString(TConversao&, const QString&)> chama;
    QString chave;       // what the caller passes
    QString guardada;    // the key as the row holds it
    std::function<QString(const QString& codigo, const QString& chave)> insere;  // seed statement
    QString leitura;     // select of (code, key) ordered by code
};

std::vector<Busca> buscas()
{
    auto ins = [](QString tabela, QString colunas, QString extra) {
        return [=](const QString& codigo, const QString& chave) {
            return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3, %4%5)")
                .arg(tabela, colunas, TextRules::quoted(codigo), TextRules::quoted(chave), extra);
        };
    };
    return {
        {"FCidade", 5, [](TConversao& c, const QString& k) { return c.FCidade(k, QStringLiteral("mg")); },
         QStringLiteral("Juiz de Fora"), QStringLiteral("JUIZ DE FORA"),
         ins("CIDADES", "CODCIDADE, CIDADE, ESTADO", ", 'MG'"),
         QStringLiteral("SELECT CODCIDADE, CIDADE FROM CIDADES ORDER BY CODCIDADE")},
        {"FGrupo", 3, [](TConversao& c, const QString& k) { return c.FGrupo(k); }, QStringLiteral("Higiene"),
         QStringLiteral("HIGIENE"), ins("GRUPROD", "CODGRUPO, DESCRICAO", ""),
         QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO")},
        {"FPais", 4, [](TConversao& c, const QString& k) { return c.FPais(k); }, QStringLiteral("Brasil"),
         QStringLiteral("BRASIL"), ins("PAISES", "CODPAIS, NOMEPAIS", ""),
         QStringLiteral("SELECT CODPAIS, NOMEPAIS FROM PAISES ORDER BY CODPAIS")},
        {"FClasCli", 3, [](TConversao& c, const QString& k) { return c.FClasCli(k); }, QStringLiteral("Varejo"),
         QStringLiteral("VAREJO"), ins("CLASCLI", "CODCLASCLI, DESCRICAO", ""),
         QStringLiteral("SELECT CODCLASCLI, DESCRICAO FROM CLASCLI ORDER BY CODCLASCLI")},
        {"FLocalProd", 8, [](TConversao& c, const QString& k) { return c.FLocalProd(k); },
         QStringLiteral("Prateleira 1"), QStringLiteral("PRATELEIRA 1"), ins("LOCALPROD", "CODLOCAL, DESCRICAO", ""),
         QStringLiteral("SELECT CODLOCAL, DESCRICAO FROM LOCALPROD ORDER BY CODLOCAL")},
        {"FRetornaCodClasFis", 4, [](TConversao& c, const QString& k) { return c.FRetornaCodClasFis(k); },
         QStringLiteral("3004.90.69"), QStringLiteral("30049069"), ins("CLASFISC", "CODCLASFIS, CODIGONCM", ""),
         QStringLiteral("SELECT CODCLASFIS, CODIGONCM FROM CLASFISC ORDER BY CODCLASFIS")},
    };
}

QString zeros(const TConversao& c, int n, int largura) { return c.StrZero(QString::number(n), largura); }

}  // namespace

TEST(Lookups, FindOrCreateWithTheNextCode)
{
    for (const Busca& b : buscas()) {
        SCOPED_TRACE(b.nome);
        {  // empty table: the first code
            TargetFixture fx;
            TConversao c(fx.db);
            EXPECT_EQ(b.chama(c, b.chave), zeros(c, 1, b.largura));
            EXPECT_EQ(b.chama(c, b.chave), zeros(c, 1, b.largura)) << "the second call finds the row";
            EXPECT_EQ(gravado(fx, b.leitura), (Linhas{{zeros(c, 1, b.largura), b.guardada}}));
        }
        {  // existing row: its code, nothing inserted
            TargetFixture fx;
            TConversao c(fx.db);
            semeia(fx, {b.insere(zeros(c, 3, b.largura), QStringLiteral("OUTRO")),
                        b.insere(zeros(c, 42, b.largura), b.guardada)});
            EXPECT_EQ(b.chama(c, b.chave), zeros(c, 42, b.largura));
            EXPECT_EQ(gravado(fx, b.leitura).size(), 2u);
        }
        {  // gaps: one above the greatest, not the first free code
            TargetFixture fx;
            TConversao c(fx.db);
            semeia(fx, {b.insere(zeros(c, 1, b.largura), QStringLiteral("A")),
                        b.insere(zeros(c, 9, b.largura), QStringLiteral("B"))});
            EXPECT_EQ(b.chama(c, b.chave), zeros(c, 10, b.largura));
            EXPECT_EQ(gravado(fx, b.leitura).back(), (QStringList{zeros(c, 10, b.largura), b.guardada}));
        }
        {  // a greatest code that is not a number raises and inserts nothing
            TargetFixture fx;
            TConversao c(fx.db);
            semeia(fx, {b.insere(zeros(c, 5, b.largura), QStringLiteral("A")),
                        b.insere(QStringLiteral("A01"), QStringLiteral("B"))});
            try {
                b.chama(c, b.chave);
                ADD_FAILURE() << "no error for the greatest code A01";
            } catch (const AppError& e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("A01"))) << e.message().toStdString();
            }
            EXPECT_EQ(gravado(fx, b.leitura).size(), 2u);
        }
    }
}

TEST(Lookups, FCidadeRules)
{
    struct Caso {
        const char* descricao;
        QStringList semente;
        QString cidade, estado;
        QString codigo;          // expected result
        Linhas depois;           // every city afterwards
    };
    const QString bh = QStringLiteral("INSERT INTO CIDADES VALUES ('00003', 'BELO HORIZONTE', 'SP')");
    const QString sj = QString::fromUtf8("INSERT INTO CIDADES VALUES ('00004', 'SÃO JOÃO DEL-REI', 'MG')");
    const QString sjNome = QString::fromUtf8("SÃO JOÃO DEL-REI");
    const std::vector<Caso> casos = {
        {"empty table, names upper-cased", {}, "Juiz de Fora", "mg", "00001", {{"00001", "JUIZ DE FORA", "MG"}}},
        {"next after 00009, accented letters upper-cased too",
         {"INSERT INTO CIDADES VALUES ('00009', 'UBA', 'MG')"},
         QString::fromUtf8("Muriaé"),
         "mg",
         "00010",
         {{"00009", "UBA", "MG"}, {"00010", QString::fromUtf8("MURIAÉ"), "MG"}}},
        {"mixed-case accented spelling finds the upper-case row", {sj}, QString::fromUtf8("São João del-Rei"), "MG",
         "00004", {{"00004", sjNome, "MG"}}},
        {"lower-case accented spelling finds the upper-case row", {sj}, QString::fromUtf8("são joão del-rei"), "mg",
         "00004", {{"00004", sjNome, "MG"}}},
        {"accented name created in upper case", {}, QString::fromUtf8("Pará de Minas"), "MG", "00001",
         {{"00001", QString::fromUtf8("PARÁ DE MINAS"), "MG"}}},
        {"padded name and state are trimmed for the search", {sj}, QString::fromUtf8("  São João del-Rei \t"), " mg ",
         "00004", {{"00004", sjNome, "MG"}}},
        {"padded name and state are trimmed for the insert", {}, "BELO HORIZONTE ", "\tMG  ", "00001",
         {{"00001", "BELO HORIZONTE", "MG"}}},
        {"same city, other state is another city",
         {"INSERT INTO CIDADES VALUES ('00001', 'VIÇOSA', 'MG')"},
         QString::fromUtf8("Viçosa"),
         "al",
         "00002",
         {{"00001", QString::fromUtf8("VIÇOSA"), "MG"}, {"00002", QString::fromUtf8("VIÇOSA"), "AL"}}},
        {"blanks name no city", {bh}, "   ", "MG", "", {{"00003", "BELO HORIZONTE", "SP"}}},
        {"control characters name no city", {}, "\t\r\n", "MG", "", {}},
        {"empty name is no city", {}, "", "", "", {}},
        {"BHTE takes Belo Horizonte of any state", {bh}, "BHTE", "MG", "00003", {{"00003", "BELO HORIZONTE", "SP"}}},
        {"a row named BHTE is not the capital's",
         {bh, "INSERT INTO CIDADES VALUES ('00007', 'BHTE', 'MG')"},
         "BHTE",
         "mg",
         "00003",
         {{"00003", "BELO HORIZONTE", "SP"}, {"00007", "BHTE", "MG"}}},
        {"BHTE beside a row named BHTE creates Belo Horizonte",
         {"INSERT INTO CIDADES VALUES ('00007', 'BHTE', 'MG')"},
         "BHTE",
         "MG",
         "00008",
         {{"00007", "BHTE", "MG"}, {"00008", "BELO HORIZONTE", "MG"}}},
        {"BHTE without Belo Horizonte creates Belo Horizonte in its state", {}, "BHTE", " mg", "00001",
         {{"00001", "BELO HORIZONTE", "MG"}}},
        {"lower-case bhte is a city of its own",
         {bh},
         "bhte",
         "MG",
         "00004",
         {{"00003", "BELO HORIZONTE", "SP"}, {"00004", "BHTE", "MG"}}},
        {"blanks around BHTE break the rule, the name is trimmed",
         {bh},
         " BHTE",
         "MG",
         "00004",
         {{"00003", "BELO HORIZONTE", "SP"}, {"00004", "BHTE", "MG"}}},
        {"apostrophe",
         {"INSERT INTO CIDADES VALUES ('00002', 'SANTA RITA D''OESTE', 'SP')"},
         "Santa Rita d'Oeste",
         "sp",
         "00002",
         {{"00002", "SANTA RITA D'OESTE", "SP"}}},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.descricao);
        TargetFixture fx;
        semeia(fx, k.semente);
        TConversao c(fx.db);
        EXPECT_EQ(c.FCidade(k.cidade, k.estado), k.codigo);
        EXPECT_EQ(c.FCidade(k.cidade, k.estado), k.codigo) << "repeated call";
        EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE")),
                  k.depois);
    }
}

// The spellings of one city, in whatever order they arrive, find one row: the capital's
// abbreviation too, before or after its full name and its lower-case form (a city of its own).
TEST(Lookups, FCidadeOneRowPerCityInAnyOrder)
{
    struct Grafia {
        QString cidade, estado;
        int cidadeEsperada;  // index into the rows below
    };
    std::vector<Grafia> grafias = {
        {QStringLiteral("BHTE"), QStringLiteral("MG"), 0},
        {QStringLiteral("belo horizonte "), QStringLiteral("mg"), 0},
        {QStringLiteral("bhte"), QStringLiteral("MG"), 2},
        {QString::fromUtf8("São João del-Rei"), QStringLiteral("MG"), 1},
        {QString::fromUtf8("SÃO JOÃO DEL-REI"), QStringLiteral(" MG"), 1},
    };
    const Linhas cidades = {
        {"BELO HORIZONTE", "MG"}, {QString::fromUtf8("SÃO JOÃO DEL-REI"), "MG"}, {"BHTE", "MG"}};
    std::sort(grafias.begin(), grafias.end(), [](const Grafia& a, const Grafia& b) { return a.cidade < b.cidade; });
    do {
        QString ordem;
        for (const Grafia& g : grafias)
            ordem += QLatin1Char('[') + g.cidade + QLatin1Char(']');
        SCOPED_TRACE(ordem.toStdString());
        TargetFixture fx;
        TConversao c(fx.db);
        QStringList codigos(static_cast<qsizetype>(cidades.size()));
        for (const Grafia& g : grafias) {
            const QString codigo = c.FCidade(g.cidade, g.estado);
            QString& primeiro = codigos[g.cidadeEsperada];
            if (primeiro.isEmpty())
                primeiro = codigo;
            EXPECT_EQ(codigo, primeiro) << g.cidade.toStdString();
        }
        Linhas esperadas;
        for (size_t i = 0; i < cidades.size(); ++i)
            esperadas.push_back({codigos[static_cast<qsizetype>(i)], cidades[i][0], cidades[i][1]});
        std::sort(esperadas.begin(), esperadas.end());
        ASSERT_EQ(gravado(fx, QStringLiteral("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE")),
                  esperadas);
    } while (std::next_permutation(grafias.begin(), grafias.end(),
                                   [](const Grafia& a, const Grafia& b) { return a.cidade < b.cidade; }));
}

// Accented letters are upper-cased like the others: the spellings of one name find one row, and
// the stored name is upper case throughout.
TEST(Lookups, AccentedNamesFindOneRow)
{
    const QString guardada = QString::fromUtf8("AÇÃO ÚNICA");
    for (const Busca& b : buscas()) {
        if (QString(b.nome) == QLatin1String("FRetornaCodClasFis"))
            continue;  // a number, not a name
        SCOPED_TRACE(b.nome);
        TargetFixture fx;
        TConversao c(fx.db);
        const QString codigo = b.chama(c, QString::fromUtf8("Ação Única"));
        EXPECT_EQ(b.chama(c, guardada), codigo);
        EXPECT_EQ(b.chama(c, QString::fromUtf8("ação única")), codigo);
        EXPECT_EQ(gravado(fx, b.leitura), (Linhas{{codigo, guardada}}));
    }
    TargetFixture fx;
    TConversao c(fx.db);
    EXPECT_EQ(c.FUnidade(QString::fromUtf8("çx")), QString::fromUtf8("ÇX"));
    c.FGrupoComCodigoPredefinido(QStringLiteral("7"), QString::fromUtf8("Higiene e Saúde"));
    c.FSubGrupoComCodigoPredefinido(QStringLiteral("7"), QStringLiteral("1"), QString::fromUtf8("Sabonete líquido"));
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT DESCRICAO FROM GRUPROD")), (Linhas{{QString::fromUtf8("HIGIENE E SAÚDE")}}));
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT DESCRICAO FROM SUBGRUP")), (Linhas{{QString::fromUtf8("SABONETE LÍQUIDO")}}));
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT UNIDADE FROM UNIDADES")), (Linhas{{QString::fromUtf8("ÇX")}}));
}

TEST(Lookups, LookupsWorkInsideTheRunTransaction)
{
    TargetFixture fx;
    TConversao c(fx.db);
    EXPECT_EQ(c.FCidade(QStringLiteral("Ubá"), QStringLiteral("MG")), QStringLiteral("00001"));
    EXPECT_EQ(c.FRetornaCodClasFis(QStringLiteral("30049069")), QStringLiteral("0001"));
    // Nothing is committed by these lookups: a rollback of the run undoes them.
    EXPECT_TRUE(fx.tr.active());
    fx.tr.rollback();
    EXPECT_EQ(fx.count(QStringLiteral("CIDADES")), 0);
    EXPECT_EQ(fx.count(QStringLiteral("CLASFISC")), 0);
}

TEST(Lookups, CodesAboveTheWidthAreWrittenWhole)
{
    TargetFixture fx;
    semeia(fx, {"INSERT INTO PAISES VALUES ('999', 'X')"});
    TConversao c(fx.db);
    EXPECT_EQ(c.FPais(QStringLiteral("Y")), QStringLiteral("1000"));
    EXPECT_EQ(c.FLocalProd(QStringLiteral("Z")), QStringLiteral("00000001"));
}

TEST(Lookups, GivenCodes)
{
    TargetFixture fx;
    TConversao c(fx.db);
    EXPECT_EQ(c.FGrupoComCodigoPredefinido(QStringLiteral("7"), QStringLiteral("Higiene")), QStringLiteral("7"));
    EXPECT_EQ(c.FGrupoComCodigoPredefinido(QStringLiteral("007"), QStringLiteral("Outro")), QStringLiteral("007"));
    const QString longa = QStringLiteral("Perfumaria e cosmeticos importados");
    EXPECT_EQ(c.FGrupoComCodigoPredefinido(QStringLiteral(""), longa), QString());
    EXPECT_EQ(c.FSubGrupoComCodigoPredefinido(QStringLiteral("1234"), QStringLiteral("5"), QStringLiteral("Sabonetes")),
              QStringLiteral("5"));
    EXPECT_EQ(c.FSubGrupoComCodigoPredefinido(QStringLiteral("7"), QStringLiteral("05"), QStringLiteral("x")),
              QStringLiteral("05"));
    EXPECT_EQ(c.FSubGrupoComCodigoPredefinido(QStringLiteral("7"), QStringLiteral("5"), QStringLiteral("y")),
              QStringLiteral("5"));
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO")),
              (Linhas{{"000", "PERFUMARIA E COSMETICOS IMPORT"}, {"007", "HIGIENE"}}));
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODGRUPO, CODSUBGRUPO, DESCRICAO FROM SUBGRUP ORDER BY 1, 2")),
              (Linhas{{"007", "005", "X"}, {"234", "005", "SABONETES"}}));
}

TEST(Lookups, GivenCodesMustBeDigits)
{
    TargetFixture fx;
    semeia(fx, {"INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('001', 'A')",
                "INSERT INTO SUBGRUP VALUES ('001', '001', 'A')"});
    TConversao c(fx.db);
    for (const QString& mau : {QStringLiteral("1 OR 1=1"), QStringLiteral("1; DELETE FROM GRUPROD"),
                               QStringLiteral("1 --"), QStringLiteral("'1'"), QStringLiteral(" 5"),
                               QStringLiteral("1/*x*/")}) {
        SCOPED_TRACE(mau.toStdString());
        try {
            c.FGrupoComCodigoPredefinido(mau, QStringLiteral("X"));
            ADD_FAILURE() << "group code accepted";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains(mau)) << e.message().toStdString();
        }
        EXPECT_THROW(c.FSubGrupoComCodigoPredefinido(QStringLiteral("1"), mau, QStringLiteral("X")), AppError);
        EXPECT_THROW(c.FSubGrupoComCodigoPredefinido(mau, QStringLiteral("1"), QStringLiteral("X")), AppError);
    }
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODGRUPO, DESCRICAO FROM GRUPROD")), (Linhas{{"001", "A"}}));
    EXPECT_EQ(fx.count(QStringLiteral("SUBGRUP")), 1);
}

TEST(Lookups, FFabricanteCreatesAndCommits)
{
    TargetFixture fx;
    semeia(fx, {"INSERT INTO CADFABR VALUES ('00004', 'Medley')"});
    TConversao c(fx.db);
    RecordingMessages avisos;
    // Work of the run before the manufacturer is created...
    TargetQuery antes(fx.db);
    antes.setSql(QStringLiteral("INSERT INTO CIDADES VALUES ('00001', 'UBA', 'MG')"));
    antes.execSql();

    EXPECT_EQ(c.FFabricante(QStringLiteral("Medley")), QStringLiteral("00004"));
    EXPECT_TRUE(fx.tr.active()) << "finding commits nothing";
    const QString longo = QStringLiteral("Laboratório Farmacêutico de Minas Gerais");
    EXPECT_EQ(c.FFabricante(longo), QStringLiteral("00005"));
    EXPECT_FALSE(fx.tr.active()) << "creating commits the run";
    EXPECT_EQ(c.FFabricante(longo), QStringLiteral("00005")) << "found by its first 30 characters";
    EXPECT_EQ(c.FFabricante(QStringLiteral("medley")), QStringLiteral("00006")) << "letter case counts";

    // ...survives a rollback: the creation committed it; later work does not.
    TargetQuery depois(fx.db);
    depois.setSql(QStringLiteral("INSERT INTO CIDADES VALUES ('00002', 'UBERABA', 'MG')"));
    depois.execSql();
    fx.tr.rollback();
    EXPECT_EQ(fx.rows(QStringLiteral("SELECT CODCIDADE FROM CIDADES")), (Linhas{{"00001"}}));
    EXPECT_EQ(fx.rows(QStringLiteral("SELECT CODFABRIC, DESCRICAO FROM CADFABR ORDER BY 1")),
              (Linhas{{"00004", "Medley"}, {"00005", longo.left(30)}, {"00006", "medley"}}));
    EXPECT_TRUE(avisos.list.empty());
}

TEST(Lookups, FFabricanteEmptyName)
{
    TargetFixture fx;
    TConversao c(fx.db);
    EXPECT_EQ(c.FFabricante(QString()), QString());
    EXPECT_EQ(fx.count(QStringLiteral("CADFABR")), 0);
    semeia(fx, {"INSERT INTO CADFABR VALUES ('00002', '')"});
    EXPECT_EQ(c.FFabricante(QString()), QStringLiteral("00002"));
    EXPECT_EQ(fx.count(QStringLiteral("CADFABR")), 1);
}

TEST(Lookups, FFabricanteRaisesOnFailure)
{
    struct Caso {
        const char* descricao;
        QString semente;
        QString motivo;  // part of the server's or the layer's message
    };
    const std::vector<Caso> casos = {
        {"greatest code not a number", "INSERT INTO CADFABR VALUES ('A01', 'X')", "A01"},
        {"next code does not fit the column", "INSERT INTO CADFABR VALUES ('99999', 'X')", ""},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.descricao);
        TargetFixture fx;
        semeia(fx, {k.semente});
        TConversao c(fx.db);
        RecordingMessages avisos;
        TargetQuery antes(fx.db);
        antes.setSql(QStringLiteral("INSERT INTO CIDADES VALUES ('00001', 'UBA', 'MG')"));
        antes.execSql();
        try {
            c.FFabricante(QStringLiteral("Novo"));
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            const QString prefixo = QStringLiteral("Erro ao converter Fabricante. Motivo: ") + QChar(13);
            EXPECT_TRUE(e.message().startsWith(prefixo)) << e.message().toStdString();
            EXPECT_GT(e.message().size(), prefixo.size());
            EXPECT_TRUE(e.message().contains(k.motivo)) << e.message().toStdString();
        }
        EXPECT_TRUE(avisos.list.empty()) << "no warning box: the run fails instead";
        // Nothing was committed: the controller's rollback removes the run's work.
        ASSERT_TRUE(fx.tr.active());
        fx.tr.rollback();
        EXPECT_EQ(fx.count(QStringLiteral("CIDADES")), 0);
        EXPECT_EQ(fx.count(QStringLiteral("CADFABR")), 1);
    }
}

TEST(Lookups, FUnidade)
{
    TargetFixture fx;
    TConversao c(fx.db);
    RecordingMessages avisos;
    EXPECT_EQ(c.FUnidade(QStringLiteral("unid")), QStringLiteral("UN"));
    EXPECT_EQ(c.FUnidade(QStringLiteral("UNIDADE")), QStringLiteral("UN"));
    EXPECT_EQ(c.FUnidade(QStringLiteral("c")), QStringLiteral("C"));
    EXPECT_EQ(c.FUnidade(QString()), QString());
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT UNIDADE FROM UNIDADES ORDER BY 1")), (Linhas{{""}, {"C"}, {"UN"}}));
    EXPECT_TRUE(avisos.list.empty());

    // A failing statement is answered with a warning; the key is still the result.
    TargetDatabase desligado;
    TConversao semBanco(desligado);
    EXPECT_EQ(semBanco.FUnidade(QStringLiteral("cx")), QStringLiteral("CX"));
    ASSERT_EQ(avisos.list.size(), 1u);
    EXPECT_EQ(avisos.list[0].kind, QStringLiteral("warning"));
    EXPECT_EQ(avisos.list[0].text, QStringLiteral("Erro ao converter Unidade."));
}

TEST(Lookups, FRetornaCodClasFisNormalizesTheNumber)
{
    TargetFixture fx;
    semeia(fx, {"INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('0007', '33049990', '33049990')"});
    TConversao c(fx.db);
    EXPECT_EQ(c.FRetornaCodClasFis(QStringLiteral("  3004.90.69  ")), QStringLiteral("0008"));
    for (const QString& mesmo : {QStringLiteral("30049069"), QStringLiteral("3004.90.69"), QStringLiteral("3004-90-69"),
                                 QStringLiteral(" 3004 90 69"), QStringLiteral("300490691234")})
        EXPECT_EQ(c.FRetornaCodClasFis(mesmo), QStringLiteral("0008")) << mesmo.toStdString();
    // A row of the fiscal classification converter is found by a masked number too.
    EXPECT_EQ(c.FRetornaCodClasFis(QStringLiteral("3304.99.90")), QStringLiteral("0007"));
    EXPECT_EQ(c.FRetornaCodClasFis(QStringLiteral("  ")), QStringLiteral("0009"));
    EXPECT_EQ(c.FRetornaCodClasFis(QStringLiteral(". -")), QStringLiteral("0009")) << "empty after normalization";
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODCLASFIS, CODIGONCM, CODNBM, CODNATRECEITA, PISCONFRETIDO, ALIQIPI "
                                         "FROM CLASFISC ORDER BY 1")),
              (Linhas{{"0007", "33049990", "33049990", "<NULL>", "", "0"},
                      {"0008", "30049069", "30049069", "999", "", "0"},
                      {"0009", "", "", "999", "", "0"}}));
}

TEST(Lookups, FRetornaCodClasFisNeverReusesACode)
{
    TargetFixture fx;
    semeia(fx, {"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('9999', '11111111')"});
    TConversao c(fx.db);
    EXPECT_EQ(c.FRetornaCodClasFis(QStringLiteral("11111111")), QStringLiteral("9999"));
    EXPECT_THROW(c.FRetornaCodClasFis(QStringLiteral("22222222")), AppError);
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODCLASFIS FROM CLASFISC")), (Linhas{{"9999"}}));
}

// Texts full of quotes, semicolons and comment markers are data: each is stored and found exactly
// as given, and nothing else in the database changes.
TEST(Lookups, HostileTextsCannotChangeStatements)
{
    const QStringList hostis = {
        QStringLiteral("X' OR '1'='1"),       QStringLiteral("A';DELETE FROM X;--"),
        QStringLiteral("/* B */ ' -- C"),     QStringLiteral("D'');COMMIT;--"),
        QStringLiteral(":CIDADE':ESTADO"),    QStringLiteral("E\"; DROP TABLE Y"),
        QStringLiteral("'"),                  QStringLiteral("*/ '' /*"),
    };
    for (const Busca& b : buscas()) {
        SCOPED_TRACE(b.nome);
        TargetFixture fx;
        TConversao c(fx.db);
        semeia(fx, {b.insere(zeros(c, 1, b.largura), QStringLiteral("SENTINEL")),
                    "INSERT INTO CADFABR VALUES ('00001', 'SENTINEL')"});
        Linhas esperadas = {{zeros(c, 1, b.largura), QStringLiteral("SENTINEL")}};
        int n = 1;
        for (const QString& h : hostis) {
            SCOPED_TRACE(h.toStdString());
            const QString guardada = QString(b.nome) == QLatin1String("FRetornaCodClasFis") ? c.FNormalizaNCM(h) : h;
            const QString codigo = b.chama(c, h);
            EXPECT_EQ(codigo, zeros(c, ++n, b.largura));
            EXPECT_EQ(b.chama(c, h), codigo) << "found again";
            esperadas.push_back({codigo, guardada});
        }
        EXPECT_EQ(gravado(fx, b.leitura), esperadas);
        EXPECT_EQ(fx.rows(QStringLiteral("SELECT CODFABRIC, DESCRICAO FROM CADFABR")), (Linhas{{"00001", "SENTINEL"}}));
    }
    // The lookups that bind their key as a parameter.
    TargetFixture fx;
    TConversao c(fx.db);
    RecordingMessages avisos;
    Linhas fabricantes;
    int n = 0;
    for (const QString& h : hostis) {
        const QString codigo = c.FFabricante(h);
        EXPECT_EQ(codigo, zeros(c, ++n, 5));
        EXPECT_EQ(c.FFabricante(h), codigo);
        fabricantes.push_back({codigo, h});
        EXPECT_EQ(c.FUnidade(h), TextRules::upper(h.left(2)));
        EXPECT_EQ(c.FGrupoComCodigoPredefinido(QString::number(n), h), QString::number(n));
    }
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODFABRIC, DESCRICAO FROM CADFABR ORDER BY 1")), fabricantes);
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT DESCRICAO FROM GRUPROD WHERE CODGRUPO = '003'")),
              (Linhas{{TextRules::upper(hostis[2])}}));
    EXPECT_TRUE(avisos.list.empty());
}
