// Fiscal classes converted from TB_CODIGO_NCM and the products of the same run meet on one
// normalized number: however the source table spells it, a product that names the number in
// plain digits finds that row, and the products create no row of their own.
#include "Recorders.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "app/ListaParametros.h"
#include "app/UClassesConversaoController.h"
#include "db/SourceConnection.h"
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString literal(const QString& v)
{
    return QLatin1Char('\'') + QString(v).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

TEST(SharedFiscalClasses, EverySpellingOfANumberIsFoundByThePlainDigits)
{
    struct Caso {
        const char* descricao;
        QString ncm;        // as TB_CODIGO_NCM holds it
        QString codNbm;     // as CLASFISC holds it
        QString codigoNcm;
        QString produto;    // the product's CODNCM, plain digits
    };
    const std::vector<Caso> casos = {
        {"parentheses, dots, dash, outer blanks", " (3004).90-99 ", "30049099", "30049099", "30049099"},
        {"apostrophe, longer than 8", "30'04.90.99-10", "3004909910", "30049099", "30049099"},
        {"dots", "3004.90.69", "30049069", "30049069", "30049069"},
        {"slash and dash", "9018/39-99", "90183999", "90183999", "90183999"},
        {"inner blanks", "3304 99 10", "33049910", "33049910", "33049910"},
        {"tab and blanks", "\t2106 90.30  ", "21069030", "21069030", "21069030"},
        {"every mark at once", "(3306)'10'-00/ .", "33061000", "33061000", "33061000"},
        {"plain, longer than 8", "392690901234", "392690901234", "39269090", "39269090"},
    };
    SourceFixture src;
    TargetFixture fx;
    for (size_t i = 0; i < casos.size(); ++i) {
        const int chave = static_cast<int>(i) + 1;
        src.exec(QStringLiteral("INSERT INTO TB_CODIGO_NCM (CONTROLE, NCM) VALUES (%1, %2)")
                     .arg(chave)
                     .arg(literal(casos[i].ncm)));
        // One product names the number in plain digits, another spells it as the source table does.
        const QString produto = QStringLiteral("INSERT INTO TBESTOQUE (CONTROLE, PRODUTO, CODNCM) VALUES (%1, 'P%1', %2)");
        src.exec(produto.arg(chave).arg(literal(casos[i].produto)));
        src.exec(produto.arg(100 + chave).arg(literal(casos[i].ncm)));
    }
    RecordingLabel label;
    RecordingGauge barra;
    RecordingMessages mensagens;
    ListaParametros params;
    params.add("CLASSIFICACAOFISCAL=S");
    params.add("PRODUTOS=S");
    SourceConnection origem(src.settings());
    TClassesConversaoController controller;
    ASSERT_TRUE(controller.FEfetuaConversao(params, origem, fx.db, fx.tr, barra, label));

    std::vector<QStringList> classes;
    for (size_t i = 0; i < casos.size(); ++i)
        classes.push_back({QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')), casos[i].codNbm,
                           casos[i].codigoNcm});
    EXPECT_EQ(fx.rows("SELECT CODCLASFIS, CODNBM, CODIGONCM FROM CLASFISC ORDER BY CODCLASFIS"), classes)
        << "one row per source row, none created by the products";

    // Each product points at a row of its number, whichever spelling it uses.
    const auto produtos = fx.rows(
        "SELECT PRODUTO.CODPROD, CLASFISC.CODIGONCM FROM PRODUTO "
        "LEFT JOIN CLASFISC ON CLASFISC.CODCLASFIS = PRODUTO.CODCLASFIS ORDER BY PRODUTO.CODPROD");
    ASSERT_EQ(produtos.size(), 2 * casos.size());
    for (size_t i = 0; i < casos.size(); ++i) {
        SCOPED_TRACE(casos[i].descricao);
        EXPECT_EQ(produtos[i][1], casos[i].produto) << "plain digits";
        EXPECT_EQ(produtos[casos.size() + i][1], casos[i].produto) << "spelled as the source table";
    }
}

}  // namespace
