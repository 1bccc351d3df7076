// The product record and the stock complement record: setters, reset, statement texts.
// None of these touch the database, so the converters sit on an unconnected target.
#include "ProdutoExemplo.h"
#include "common/AppError.h"
#include "common/RegionalFormat.h"
#include "entities/CompProd.h"
#include "entities/Produto.h"
#include <functional>
#include <gtest/gtest.h>

using namespace exemplo;

namespace {

struct CasoSetter {
    const char* propriedade;
    std::function<void(TConverteProduto&, const QString&)> define;
    std::function<QString(const TConverteProduto&)> le;
    QString entrada;
    QString esperado;
};

#define PROP(set, get) #get, [](TConverteProduto& p, const QString& v) { p.set(v); }, \
                       [](const TConverteProduto& p) { return p.get(); }

std::vector<CasoSetter> casosSetter()
{
    const QString sessenta = QString(60, QLatin1Char('A'));
    const QString dezBrancos = QString(10, QLatin1Char(' '));
    return {
        // Product code: trimmed, zero-filled to 6.
        {PROP(SetCodProd, CodProd), "123", "000123"},
        {PROP(SetCodProd, CodProd), " 123456", "123456"},
        {PROP(SetCodProd, CodProd), " 42 ", "000042"},
        {PROP(SetCodProd, CodProd), "", "000000"},
        // Group: the last three characters of the trimmed value, zero-filled; blank gives empty.
        {PROP(SetCodGrupo, CodGrupo), "12", "012"},
        {PROP(SetCodGrupo, CodGrupo), "1234", "234"},
        {PROP(SetCodGrupo, CodGrupo), "   ", ""},
        {PROP(SetCodGrupo, CodGrupo), "", ""},
        {PROP(SetCodGrupo, CodGrupo), "5 ", "005"},
        {PROP(SetCodGrupo, CodGrupo), " 12", "012"},
        {PROP(SetCodSubGrupo, CodSubGrupo), "7", "007"},
        {PROP(SetCodSubGrupo, CodSubGrupo), "", ""},
        {PROP(SetCodSubGrupo, CodSubGrupo), "1234", "234"},
        // Fiscal class: trimmed, zero-filled to 4, never cut.
        {PROP(SetCodClasFis, CodClasFis), " 12", "0012"},
        {PROP(SetCodClasFis, CodClasFis), "12", "0012"},
        {PROP(SetCodClasFis, CodClasFis), "12345", "12345"},
        {PROP(SetCodClasFis, CodClasFis), "  ", ""},
        // Supplier: trimmed, zero-filled to 6, never cut.
        {PROP(SetPrincipalFornecedor, PrincipalFornecedor), " 45 ", "000045"},
        {PROP(SetPrincipalFornecedor, PrincipalFornecedor), "1234567", "1234567"},
        {PROP(SetPrincipalFornecedor, PrincipalFornecedor), " ", ""},
        // Tax situation codes: trimmed, zero-filled to 3.
        {PROP(SetCodTribut00, CodTribut00), "0", "000"},
        {PROP(SetCodTribut00, CodTribut00), "60", "060"},
        {PROP(SetCodTribut00, CodTribut00), " 60 ", "060"},
        {PROP(SetCodTribut00, CodTribut00), "", ""},
        {PROP(SetCodTribut01, CodTribut01), "1", "001"},
        {PROP(SetCodTribut02, CodTribut02), "2", "002"},
        {PROP(SetCodTribut03, CodTribut03), "3", "003"},
        {PROP(SetCodTributDiversos, CodTributDiversos), "1020", "1020"},
        // Manufacturer: trimmed, zero-filled to 5.
        {PROP(SetFCodFabric, CodFabric), "7", "00007"},
        {PROP(SetFCodFabric, CodFabric), " 12 ", "00012"},
        {PROP(SetFCodFabric, CodFabric), "12345", "12345"},
        {PROP(SetFCodFabric, CodFabric), "", ""},
        // CFOP: the mask goes before the cut to 4.
        {PROP(SetCFOPForaUF, CFOPForaUF), "5.405", "5405"},
        {PROP(SetCFOPForaUF, CFOPForaUF), " 6.102 ", "6102"},
        {PROP(SetCFOPForaUF, CFOPForaUF), "5405", "5405"},
        {PROP(SetCFOPForaUF, CFOPForaUF), "54051", "5405"},
        {PROP(SetCFOPDentroUF, CFOPDentroUF), "5-102", "5102"},
        // Texts cut to their columns.
        {PROP(SetDescricao, Descricao), dezBrancos + sessenta, QString(40, QLatin1Char('A'))},
        {PROP(SetDescricao, Descricao), "  Dipirona  ", "Dipirona"},
        {PROP(SetDescricao2, Descricao2), " " + sessenta, " " + QString(49, QLatin1Char('A'))},
        {PROP(SetDescricao3, Descricao3), sessenta, QString(50, QLatin1Char('A'))},
        {PROP(SetReferencia, Referencia), " 789 ", " 789 "},
        {PROP(SetRefFabricante, RefFabricante), "  ABC  ", "ABC"},
        {PROP(SetRefFabricante, RefFabricante), sessenta, QString(20, QLatin1Char('A'))},
        {PROP(SetUnidEntrada, UnidEntrada), "CAIXA12", "CAIXA1"},
        {PROP(SetUnidSaida, UnidSaida), "FRASCO1", "FRASCO"},
        {PROP(SetCodFamilia, CodFamilia), "ABC", "AB"},
        {PROP(SetCodTipoProduto, CodTipoProduto), "001", "00"},
        {PROP(SetDescricaoPreco, DescricaoPreco), "Preço de venda", "Preço de v"},
        {PROP(SetDescricaoPreco2, DescricaoPreco2), sessenta, QString(10, QLatin1Char('A'))},
        {PROP(SetDescricaoPreco3, DescricaoPreco3), sessenta, QString(10, QLatin1Char('A'))},
        {PROP(SetDescricaoPreco4, DescricaoPreco4), sessenta, QString(10, QLatin1Char('A'))},
        {PROP(SetCodLocal, CodLocal), "123456789", "12345678"},
        {PROP(SetCampoLivre1, CampoLivre1), "  " + sessenta, QString(20, QLatin1Char('A'))},
        {PROP(SetCampoLivre2, CampoLivre2), " Dor de cabeça ", "Dor de cabeça"},
        {PROP(SetCampoLivre3, CampoLivre3), "  " + sessenta, QString(50, QLatin1Char('A'))},
        {PROP(SetCampoLivre4, CampoLivre4), "  " + sessenta, QString(50, QLatin1Char('A'))},
        {PROP(SetAtivado, Ativado), "Sim", "S"},
        {PROP(SetAtivado, Ativado), "", ""},
        {PROP(SetEmbalagem, Embalagem), "  caixa com 100 unidades", "caixa com 100 u"},
        {PROP(setCodVolume, CodVolume), "ABCD", "ABC"},
        {PROP(setTipoEntrega, TipoEntrega), "XY", "X"},
        // Texts kept as given.
        {PROP(SetObservacao, Observacao), " O'Neil ", " O'Neil "},
        {PROP(SetDt_Cadastro, Dt_Cadastro), "01/02/2013", "01/02/2013"},
        {PROP(SetMensagem00, Mensagem00), sessenta, sessenta},
        {PROP(setMultiplicaDivide, MultiplicaDivide), "M", "M"},
    };
}
#undef PROP

TEST(ProductRecord, SettersNormalizeEveryValue)
{
    TargetDatabase semConexao;
    TConverteProduto p(semConexao);
    for (const CasoSetter& c : casosSetter()) {
        c.define(p, c.entrada);
        EXPECT_EQ(c.le(p), c.esperado) << c.propriedade << " de \"" << c.entrada.toStdString() << '"';
    }
}

// A code longer than its column would be cut into another product's or manufacturer's code.
TEST(ProductRecord, TooLongCodeIsRefusedNotCut)
{
    struct Caso {
        std::function<void(TConverteProduto&)> define;
        QString mensagem;
    };
    const std::vector<Caso> casos = {
        {[](TConverteProduto& p) { p.SetCodProd(QStringLiteral("1234567")); },
         QStringLiteral("Código do produto '1234567' tem mais de 6 caracteres.")},
        {[](TConverteProduto& p) { p.SetCodProd(QStringLiteral(" 1234568 ")); },
         QStringLiteral("Código do produto '1234568' (na origem: ' 1234568 ') tem mais de 6 caracteres.")},
        {[](TConverteProduto& p) { p.SetFCodFabric(QStringLiteral("123456")); },
         QStringLiteral("Código do fabricante '123456' tem mais de 5 caracteres.")},
    };
    TargetDatabase semConexao;
    TConverteProduto p(semConexao);
    p.SetCodProd(QStringLiteral("77"));
    p.SetFCodFabric(QStringLiteral("3"));
    for (const Caso& c : casos) {
        try {
            c.define(p);
            ADD_FAILURE() << "sem erro: " << c.mensagem.toStdString();
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), c.mensagem);
        }
    }
    EXPECT_EQ(p.CodProd(), QStringLiteral("000077"));  // the refused value changed nothing
    EXPECT_EQ(p.CodFabric(), QStringLiteral("00003"));
}

TEST(ProductRecord, CreatingInstallsTheDateFormatWithoutChangingTheRegionalFormat)
{
    TargetDatabase semConexao;
    TConverteProduto p(semConexao);
    EXPECT_TRUE(TConverteProduto::FormatoDataCurtaDefinido());
    EXPECT_EQ(TConverteProduto::FormatoDataCurta(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(RegionalFormat::dateToStr(QDate(2013, 3, 5)), QStringLiteral("05/03/2013"));
}

TEST(ProductRecord, ResetGivesTheDefaultsAndKeepsTheFieldsWithoutASetter)
{
    TargetDatabase semConexao;
    TConverteProduto p(semConexao);
    auto confereReset = [&](const char* quando) {
        SCOPED_TRACE(quando);
        EXPECT_EQ(p.CodProd(), QStringLiteral("000000"));
        EXPECT_EQ(p.UnidEntrada(), QStringLiteral("UN"));
        EXPECT_EQ(p.UnidSaida(), QStringLiteral("UN"));
        EXPECT_EQ(p.Ativado(), QStringLiteral("S"));
        EXPECT_EQ(p.TipoProd(), QStringLiteral("R"));
        EXPECT_EQ(p.ProdBloqueado(), QStringLiteral("N"));
        EXPECT_EQ(p.Data_Ult_Ent(), TConverteProduto::DataSentinela());
        EXPECT_EQ(p.Data_Ult_Rea(), TConverteProduto::DataSentinela());
        EXPECT_EQ(p.Data_Ult_Ent().date(), QDate(1900, 1, 1));
        EXPECT_EQ(p.Grade(), 0);
        EXPECT_EQ(p.Fracionado(), QString());
        EXPECT_EQ(p.CodGrupo(), QString());
        EXPECT_EQ(p.CodFabric(), QString());
        EXPECT_EQ(p.CodClasFis(), QString());
        EXPECT_EQ(p.CodTribut00(), QString());
        EXPECT_EQ(p.Descricao(), QString());
        EXPECT_EQ(p.Observacao(), QString());
        EXPECT_EQ(p.CFOPForaUF(), QString());
        EXPECT_EQ(p.Dt_Cadastro(), QString());
        EXPECT_EQ(p.Preco(), 0.0);
        EXPECT_EQ(p.Preco4(), 0.0);
        EXPECT_EQ(p.AliqIss(), 0.0);
        EXPECT_EQ(p.EstMinimo(), 0.0);
        EXPECT_EQ(p.PercIcmsSubsTribSaidaR4(), 0.0);
        // The statement written from a reset record: the three date columns are absent.
        EXPECT_EQ(colunasDoInsert(p.MontaSql()).size(), 98u);
    };
    confereReset("depois de criar");
    EXPECT_EQ(p.MultiplicaDivide(), QString());
    EXPECT_EQ(p.Pr_Ult_Ent1(), 0.0);

    preencheCompleto(p);
    p.SetDescontoMaximo(7.5);
    p.SetData_Ult_Alteracao(QStringLiteral("10/10/2010"));
    p.LimpaVariavel();
    confereReset("depois de LimpaVariavel");
    EXPECT_EQ(p.MultiplicaDivide(), QStringLiteral("M"));
    EXPECT_EQ(p.Pr_Ult_Ent1(), 6.4);
    EXPECT_EQ(p.DescontoMaximo(), 7.5);
    EXPECT_EQ(p.Data_Ult_Alteracao(), QStringLiteral("10/10/2010"));
}

TEST(ProductInsertText, NamesEveryColumnWithItsLiteralAndLeavesTheRecordAlone)
{
    TargetDatabase semConexao;
    TConverteProduto p(semConexao);
    preencheCompleto(p);
    const QString sql = p.MontaSql();
    EXPECT_TRUE(sql.trimmed().startsWith(QStringLiteral("Insert Into Produto (")));
    const std::vector<Coluna> lidas = colunasDoInsert(sql);
    const std::vector<Coluna> esperadas = insercaoCompleta();
    ASSERT_EQ(lidas.size(), esperadas.size()) << sql.toStdString();
    for (size_t i = 0; i < esperadas.size(); ++i) {
        EXPECT_EQ(lidas[i].nome, esperadas[i].nome) << "coluna " << i + 1;
        EXPECT_EQ(lidas[i].literal, esperadas[i].literal) << esperadas[i].nome.toStdString();
    }
    // Building the text leaves the record alone.
    EXPECT_EQ(p.MontaSql(), sql);
}

// Which optional columns are present, and where: always right after Produto.PrecoPromo.
TEST(ProductInsertText, OptionalDateColumnsOnlyWhenSet)
{
    struct Caso {
        const char* nome;
        std::function<void(TConverteProduto&)> define;
        std::vector<Coluna> opcionais;
    };
    const std::vector<Caso> casos = {
        {"sem datas", [](TConverteProduto&) {}, {}},
        {"cadastro", [](TConverteProduto& p) { p.SetDt_Cadastro(QStringLiteral("01/02/2013")); },
         {{"Produto.DT_CADASTRO", "'01/02/2013'"}}},
        {"ultima entrada", [](TConverteProduto& p) { p.SetData_Ult_Ent(data(5, 3, 2013)); },
         {{"Produto.Data_Ult_Ent1", "'05.03.2013'"}}},
        {"ultimo reajuste", [](TConverteProduto& p) { p.SetData_Ult_Rea(data(31, 12, 1999)); },
         {{"Produto.Data_Ult_Reajuste", "'31.12.1999'"}}},
        {"hora no dia sentinela conta como data",
         [](TConverteProduto& p) {
             p.SetData_Ult_Ent(QDateTime(QDate(1900, 1, 1), QTime(10, 30), Qt::UTC));
         },
         {{"Produto.Data_Ult_Ent1", "'01.01.1900'"}}},
        {"as tres",
         [](TConverteProduto& p) {
             p.SetDt_Cadastro(QStringLiteral("x"));
             p.SetData_Ult_Ent(data(1, 2, 2003));
             p.SetData_Ult_Rea(data(4, 5, 2006));
         },
         {{"Produto.DT_CADASTRO", "'x'"},
          {"Produto.Data_Ult_Ent1", "'01.02.2003'"},
          {"Produto.Data_Ult_Reajuste", "'04.05.2006'"}}},
    };
    TargetDatabase semConexao;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        TConverteProduto p(semConexao);
        p.SetCodProd(QStringLiteral("1"));
        c.define(p);
        const std::vector<Coluna> lidas = colunasDoInsert(p.MontaSql());
        ASSERT_EQ(lidas.size(), 98 + c.opcionais.size());
        EXPECT_EQ(lidas[57].nome, QStringLiteral("Produto.PrecoPromo"));
        for (size_t i = 0; i < c.opcionais.size(); ++i) {
            EXPECT_EQ(lidas[58 + i].nome, c.opcionais[i].nome);
            EXPECT_EQ(lidas[58 + i].literal, c.opcionais[i].literal);
        }
        EXPECT_EQ(lidas[58 + c.opcionais.size()].nome, QStringLiteral("Produto.Fracionado"));
        EXPECT_EQ(lidas.back().nome, QStringLiteral("produto.grade"));
        EXPECT_EQ(lidas.back().literal, QStringLiteral("0"));
    }
}

TEST(ProductInsertText, NumbersAsTheirShortestLiteralAndTextsWithDoubledApostrophes)
{
    struct Caso {
        double preco;
        const char* literal;
    };
    const std::vector<Caso> casos = {
        {12.5, "12.5"},         {12.50, "12.5"},     {10, "10"},
        {0, "0"},               {-3.25, "-3.25"},    {1234567.891, "1234567.891"},
        {0.1 + 0.2, "0.3"},     {1e20, "1E20"},      {1.5e-7, "1.5E-7"},
        {123456789012345.0, "123456789012345"},      {0.00001, "0.00001"},
    };
    TargetDatabase semConexao;
    TConverteProduto p(semConexao);
    for (const Caso& c : casos) {
        p.SetPreco(c.preco);
        const std::vector<Coluna> lidas = colunasDoInsert(p.MontaSql());
        ASSERT_EQ(lidas.size(), 98u);
        EXPECT_EQ(lidas[36].nome, QStringLiteral("Produto.PRECO"));
        EXPECT_EQ(lidas[36].literal, QLatin1String(c.literal)) << c.preco;
    }
    p.SetDescricao(QStringLiteral("D'OESTE 'A'"));
    EXPECT_EQ(colunasDoInsert(p.MontaSql())[7].literal, QStringLiteral("'D''OESTE ''A'''"));
}

// --- Stock complement ----------------------------------------------------------------------

TEST(CompProdRecord, CodeSetterPadsAndTheResetKeepsTheLimitsAndTheAverageCost)
{
    TargetDatabase semConexao;
    TConverteCompProd c(semConexao);
    EXPECT_EQ(c.CodProd(), QStringLiteral("000000"));
    EXPECT_EQ(c.CodEmpresa(), QStringLiteral("00"));
    EXPECT_EQ(c.CodGrade(), QStringLiteral("0000"));
    const std::vector<std::pair<QString, QString>> codigos = {
        {"123", "000123"}, {"1234567", "1234567"}, {" 12", "000 12"}, {"", "000000"}};
    for (const auto& [entrada, esperado] : codigos) {
        c.SetCodProd(entrada);
        EXPECT_EQ(c.CodProd(), esperado) << entrada.toStdString();
    }
    // The reset leaves the limits and the average cost alone.
    c.SetEstoque(3);
    c.SetPrecoCusto(4);
    c.SetEstMinimo(5);
    c.SetEstMaximo(6);
    c.setPrecoMedio(7);
    c.setEstoqueDisp(8);
    c.setPrecoNf(9);
    c.LimpaVariavel();
    EXPECT_EQ(c.Estoque(), 0.0);
    EXPECT_EQ(c.PrecoCusto(), 0.0);
    EXPECT_EQ(c.EstMinimo(), 5.0);
    EXPECT_EQ(c.EstMaximo(), 6.0);
    EXPECT_EQ(c.PrecoMedio(), 7.0);
    EXPECT_EQ(c.EstoquDisp(), 8.0);
    EXPECT_EQ(c.PrecoNF(), 9.0);
}

TEST(CompProdRecord, InsertTextPutsEveryNumberInItsOwnColumn)
{
    TargetDatabase semConexao;
    TConverteCompProd c(semConexao);
    const QStringList colunas = {"compprod.codprod",  "compprod.codempresa", "compprod.codgrade",
                                 "compprod.estoque",  "compprod.estoqueDisponivel",
                                 "compprod.estminimo", "compprod.estmaximo", "compprod.precomedio",
                                 "compprod.precocusto", "compprod.preconf"};
    auto confere = [&](const QStringList& valores) {
        const std::vector<Coluna> lidas = colunasDoInsert(c.MontaSql(), QStringLiteral("compprod"));
        ASSERT_EQ(lidas.size(), 10u) << c.MontaSql().toStdString();
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(lidas[i].nome, colunas[i]);
            EXPECT_EQ(lidas[i].literal, valores[i]) << colunas[i].toStdString();
        }
    };
    confere({"'000000'", "'00'", "'0000'", "0", "0", "0", "0", "0", "0", "0"});

    // Every number lands in its own column: available stock right after the stock, the
    // average cost before the cost price.
    c.SetCodProd(QStringLiteral("42"));
    c.SetCodEmpresa(QStringLiteral("0'1"));
    c.SetCodGrade(QStringLiteral("0002"));
    c.SetEstoque(1.5);
    c.setEstoqueDisp(2.25);
    c.SetEstMinimo(-3);
    c.SetEstMaximo(1e20);
    c.setPrecoMedio(3.5);
    c.SetPrecoCusto(3.75);
    c.setPrecoNf(1.5e-7);
    confere({"'000042'", "'0''1'", "'0002'", "1.5", "2.25", "-3", "1E20", "3.5", "3.75", "1.5E-7"});
}

}  // namespace
