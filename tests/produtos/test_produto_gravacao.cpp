// Product statements on a real target file: insert, updates, clearing, side records, and the
// stock complement insert.
#include "ProdutoExemplo.h"
#include "TargetFixture.h"
#include "conversion/TextRules.h"
#include "common/AppError.h"
#include "entities/CompProd.h"
#include "entities/Produto.h"
#include <gtest/gtest.h>

using namespace exemplo;

namespace {

using Linhas = std::vector<QStringList>;

// The converters work in the fixture's transaction: commit it so that the readers see the work.
Linhas gravado(TargetFixture& fx, const QString& select)
{
    if (fx.tr.active())
        fx.tr.commit();
    return fx.rows(select);
}

// Seeds rows in transactions of their own, then ends the fixture's snapshot so that the
// converter's next statement sees them.
void semeia(TargetFixture& fx, const QStringList& sqls)
{
    for (const QString& s : sqls)
        fx.exec(s);
    if (fx.tr.active())
        fx.tr.commit();
}

// Every column the insert writes, read back unqualified, in statement order.
QString selectDasColunas(const std::vector<Coluna>& colunas, const QString& onde)
{
    QStringList nomes;
    for (const Coluna& c : colunas)
        nomes.append(semTabela(c.nome));
    return QStringLiteral("SELECT ") + nomes.join(QStringLiteral(", ")) + QStringLiteral(" FROM PRODUTO WHERE ") + onde;
}

TEST(ProductWrite, FullInsertReadsBackColumnByColumnAndResetsTheRecord)
{
    TargetFixture fx;
    TConverteProduto p(fx.db);
    preencheCompleto(p);
    EXPECT_TRUE(p.ExecutaSql());

    const std::vector<Coluna> esperadas = insercaoCompleta();
    const Linhas linhas = gravado(fx, selectDasColunas(esperadas, QStringLiteral("CODPROD = '000123'")));
    ASSERT_EQ(linhas.size(), 1u);
    ASSERT_EQ(linhas[0].size(), static_cast<int>(esperadas.size()));
    for (size_t i = 0; i < esperadas.size(); ++i)
        EXPECT_EQ(linhas[0][static_cast<int>(i)], comoLido(esperadas[i].literal)) << esperadas[i].nome.toStdString();

    // The record is back at its defaults, ready for the next row.
    EXPECT_EQ(p.CodProd(), QStringLiteral("000000"));
    EXPECT_EQ(p.UnidEntrada(), QStringLiteral("UN"));
    EXPECT_EQ(p.Descricao(), QString());
}

TEST(ProductWrite, ResetRecordLeavesTheDatesToTheDatabase)
{
    TargetFixture fx;
    TConverteProduto p(fx.db);
    p.SetCodProd(QStringLiteral("1"));
    p.SetPreco(1e20);
    p.SetPreco2(1.5e-7);
    p.SetPreco3(-0.01);
    p.SetPreco4(1234567.891);
    p.SetDescricao(QStringLiteral("PASTILHA D'ÁGUA"));
    p.ExecutaSql();
    const Linhas l = gravado(fx, QStringLiteral(
        "SELECT CODPROD, DT_CADASTRO, DATA_ULT_ENT1, DATA_ULT_REAJUSTE, UNIDADEENT, ATIVO, TIPOPROD, "
        "PRODBLOQUEADO, CODGRUPO, CODFABRIC, REFERENCIA, GRADE, PRECO, PRECO2, PRECO3, PRECO4, DESCRICAO "
        "FROM PRODUTO"));
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0], (QStringList{"000001", "<NULL>", "<NULL>", "<NULL>", "UN", "S", "R", "N", "", "", "",
                                 "0", "1E20", "1,5E-7", "-0,01", "1234567,891", "PASTILHA D'ÁGUA"}));
}

TEST(ProductWrite, RefusedInsertKeepsTheRecordAndALongTextIsRefusedNotCut)
{
    TargetFixture fx;
    TConverteProduto p(fx.db);
    p.SetCodProd(QStringLiteral("5"));
    p.ExecutaSql();
    p.SetCodProd(QStringLiteral("5"));
    p.SetDescricao(QStringLiteral("REPETIDO"));
    EXPECT_THROW(p.ExecutaSql(), AppError);
    EXPECT_EQ(p.CodProd(), QStringLiteral("000005"));
    EXPECT_EQ(p.Descricao(), QStringLiteral("REPETIDO"));

    // A text longer than its column is refused by the database, not cut.
    fx.tr.rollback();
    TConverteProduto q(fx.db);
    q.SetCodProd(QStringLiteral("6"));
    q.SetReferencia(QString(21, QLatin1Char('7')));
    EXPECT_THROW(q.ExecutaSql(), AppError);
}

TEST(ProductWrite, LimpaTabelaDeletesAndCommits)
{
    TargetFixture fx;
    semeia(fx, {"INSERT INTO PRODUTO (CODPROD) VALUES ('000001')", "INSERT INTO PRODUTO (CODPROD) VALUES ('000002')"});
    TConverteProduto p(fx.db);
    p.LimpaTabela();
    EXPECT_FALSE(fx.tr.active());  // the commit statement ended the transaction
    EXPECT_EQ(fx.count(QStringLiteral("PRODUTO")), 0);

    semeia(fx, {"INSERT INTO COMPPROD (CODPROD, CODEMPRESA, CODGRADE) VALUES ('000001', '00', '0000')"});
    TConverteCompProd c(fx.db);
    c.LimpaTabela();
    EXPECT_FALSE(fx.tr.active());
    EXPECT_EQ(fx.count(QStringLiteral("COMPPROD")), 0);
}

// The full update, in the order of its assignments.
const QStringList colunasAtualizacao = {
    "Produto.TIPOPROD", "Produto.ATIVO", "Produto.PRODBLOQUEADO", "Produto.CONTROLESERIE",
    "Produto.CONTROLELOTE", "Produto.REFERENCIA", "Produto.REFFABRICANTE", "Produto.DESCRICAO",
    "Produto.DESCRICAO2", "Produto.DESCRICAO3", "Produto.FORNEC_ULT_ENT1", "Produto.CODGRUPO",
    "Produto.CODSUBGRUPO", "Produto.PRINCIPALFORNEC", "Produto.EMBALAGEM", "Produto.CODFABRIC",
    "Produto.OBSERVACAO", "Produto.CODLOCAL", "Produto.CODCLASFIS", "Produto.ALIQICMSREG00",
    "Produto.BASEICMSREG00", "Produto.BASEICMSREG02", "Produto.CODTRIBUT00", "Produto.CODTRIBUT01",
    "Produto.ALIQICMSPDV", "Produto.SUBSTRIB", "Produto.AliqIpi", "Produto.PESO", "Produto.UNIDADEENT",
    "Produto.UNIDADESAIDA", "Produto.CodFamilia", "Produto.CodTipoProduto", "Produto.CodVolume",
    "Produto.TipoEntrega", "Produto.PRECO", "Produto.DESCRICAOPRECO", "Produto.PRECO2",
    "Produto.DESCRICAOPRECO2", "Produto.PRECO3", "Produto.DESCRICAOPRECO3", "Produto.PRECO4",
    "Produto.DESCRICAOPRECO4", "Produto.PRECO_ANTERIOR", "Produto.Pr_Ult_Ent1", "Produto.Lucro",
    "Produto.Lucro2", "Produto.Lucro3", "Produto.Lucro4", "Produto.EstMinimo", "Produto.EstMaximo",
    "Produto.Comissao", "Produto.Perc_Iva", "Produto.FatorConversao", "Produto.MultDivide",
    "Produto.ValorIpi", "Produto.PrecoPromo", "Produto.DT_CADASTRO", "Produto.Data_Ult_Ent1",
    "Produto.Data_Ult_Reajuste", "Produto.Fracionado", "Produto.CAMPOLIVRE1", "Produto.CAMPOLIVRE2",
    "Produto.CAMPOLIVRE3", "Produto.CAMPOLIVRE4", "produto.mensagem00", "produto.aliqicmsreg01",
    "produto.BaseIcmsReg01", "produto.mensagem01", "produto.aliqicmsreg02", "Produto.CODTRIBUT02",
    "produto.mensagem02", "produto.aliqicmsreg03", "produto.BaseIcmsReg03", "Produto.CODTRIBUT03",
    "produto.mensagem03", "produto.AliqIcmsDiversos", "produto.BaseIcmsdiversos",
    "Produto.CodTributDiversos", "produto.MensagemDiversos", "Produto.CodGeneroItem",
    "produto.lucrosubstrib", "produto.substribsaida", "produto.percbasesubstribsaida",
    "produto.PercIcmsSubsTribSaida", "produto.substribsaidaR1", "produto.percbasesubstribsaidaR1",
    "produto.PercIcmsSubsTribSaidaR1", "produto.substribsaidaR2", "produto.percbasesubstribsaidaR2",
    "produto.PercIcmsSubsTribSaidaR2", "produto.substribsaidaR3", "produto.percbasesubstribsaidaR3",
    "produto.PercIcmsSubsTribSaidaR3", "produto.substribsaidaR4", "produto.percbasesubstribsaidaR4",
    "produto.PercIcmsSubsTribSaidaR4", "Produto.CFOPFORAUF", "Produto.CFOPDENTROUF"};

TEST(ProductUpdate, FullUpdateTextWritesWhatTheInsertWrites)
{
    TargetDatabase semConexao;
    TConverteProduto p(semConexao);
    preencheCompleto(p);
    const auto [atribuicoes, chave] = atribuicoesDoUpdate(p.MontaSqlAtualizaProduto());
    EXPECT_EQ(chave, QStringLiteral("'000123'"));
    ASSERT_EQ(atribuicoes.size(), static_cast<size_t>(colunasAtualizacao.size()));
    // Each value is the one the insert writes into the same column.
    QHash<QString, QString> daInsercao;
    for (const Coluna& c : insercaoCompleta())
        daInsercao.insert(c.nome.toUpper(), c.literal);
    for (int i = 0; i < colunasAtualizacao.size(); ++i) {
        EXPECT_EQ(atribuicoes[i].nome, colunasAtualizacao[i]) << "atribuição " << i + 1;
        EXPECT_EQ(atribuicoes[i].literal, daInsercao.value(atribuicoes[i].nome.toUpper()))
            << atribuicoes[i].nome.toStdString();
    }
}

TEST(ProductUpdate, FullUpdateRewritesOnlyThatProductsRowInTheFile)
{
    TargetFixture fx;
    TConverteProduto p(fx.db);
    preencheCompleto(p);
    p.ExecutaSql();
    preencheCompleto(p);
    p.SetCodProd(QStringLiteral("124"));
    p.ExecutaSql();

    // Only the code set: every written column takes the reset value; the dates the sentinel.
    p.SetCodProd(QStringLiteral("123"));
    EXPECT_TRUE(p.AtualizaProduto());
    EXPECT_EQ(p.CodProd(), QStringLiteral("000000"));
    const Linhas l = gravado(fx, QStringLiteral(
        "SELECT DT_CADASTRO, DATA_ULT_ENT1, DATA_ULT_REAJUSTE, UNIDADEENT, UNIDADESAIDA, ATIVO, "
        "ALIQISS, GRADE, DESCRICAO, PRECO, CODGRUPO, CONTROLELOTE, CFOPFORAUF, CODGENEROITEM, MULTDIVIDE, "
        "PR_ULT_ENT1 FROM PRODUTO ORDER BY CODPROD"));
    ASSERT_EQ(l.size(), 2u);
    // MultiplicaDivide and Pr_Ult_Ent1 are not reset, so they are written again as they were.
    EXPECT_EQ(l[0], (QStringList{"<NULL>", "01/01/1900", "01/01/1900", "UN", "UN", "S", "2", "3", "", "0", "",
                                 "", "", "", "M", "6,4"}));
    // The other product is untouched.
    EXPECT_EQ(l[1], (QStringList{"01/02/2013", "05/03/2013", "06/04/2014", "CX", "UN2", "N", "2", "3",
                                 "DIPIRONA 500MG", "12,5", "012", "L", "6102", "30", "M", "6,4"}));

    p.SetCodProd(QStringLiteral("123"));
    p.SetDt_Cadastro(QStringLiteral("01/02/2013"));
    p.SetData_Ult_Ent(data(7, 8, 2020));
    p.SetDescricao(QStringLiteral("NOVA D'ESCRIÇÃO"));
    p.AtualizaProduto();
    const Linhas m = gravado(fx, QStringLiteral(
        "SELECT DT_CADASTRO, DATA_ULT_ENT1, DESCRICAO FROM PRODUTO WHERE CODPROD = '000123'"));
    EXPECT_EQ(m, (Linhas{{"01/02/2013", "07/08/2020", "NOVA D'ESCRIÇÃO"}}));
}

TEST(ProductUpdate, PriceUpdateTextSetsOnlyTheCodesAndPrices)
{
    TargetDatabase semConexao;
    TConverteProduto t(semConexao);
    preencheCompleto(t);
    const auto [atribuicoes, chave] = atribuicoesDoUpdate(t.MontaSqlAtualizaProdutoPreco());
    const std::vector<std::pair<QString, QString>> esperadas = {
        {"Produto.REFERENCIA", "'7891234567890'"}, {"Produto.REFFABRICANTE", "'RF-01'"},
        {"Produto.CODGRUPO", "'012'"},             {"Produto.PRINCIPALFORNEC", "'000045'"},
        {"Produto.PRECO", "12.5"},                 {"Produto.PRECO2", "13.75"},
        {"Produto.PRECO3", "11"},                  {"Produto.PRECO4", "10.01"}};
    ASSERT_EQ(atribuicoes.size(), esperadas.size());
    for (size_t i = 0; i < esperadas.size(); ++i) {
        EXPECT_EQ(atribuicoes[i].nome, esperadas[i].first);
        EXPECT_EQ(atribuicoes[i].literal, esperadas[i].second);
    }
    EXPECT_EQ(chave, QStringLiteral("'000123'"));

    TargetFixture fx;
    TConverteProduto p(fx.db);
    preencheCompleto(p);
    p.ExecutaSql();
    // A reference never set empties the column: all eight columns are written every time.
    p.SetCodProd(QStringLiteral("123"));
    p.SetPreco(1.25);
    p.SetPreco4(4.5);
    p.SetCodGrupo(QStringLiteral("9"));
    EXPECT_TRUE(p.AtualizaProdutoPreco());
    EXPECT_EQ(p.Preco(), 0.0);
    const Linhas l = gravado(fx, QStringLiteral(
        "SELECT REFERENCIA, REFFABRICANTE, CODGRUPO, PRINCIPALFORNEC, PRECO, PRECO2, PRECO3, PRECO4, "
        "DESCRICAO, UNIDADEENT FROM PRODUTO"));
    EXPECT_EQ(l, (Linhas{{"", "", "009", "", "1,25", "0", "0", "4,5", "DIPIRONA 500MG", "CX"}}));
}

TEST(ProductUpdate, UnknownCodeChangesNothing)
{
    TargetFixture fx;
    TConverteProduto p(fx.db);
    preencheCompleto(p);
    p.ExecutaSql();
    p.SetCodProd(QStringLiteral("999"));
    EXPECT_TRUE(p.AtualizaProduto());
    p.SetCodProd(QStringLiteral("999"));
    EXPECT_TRUE(p.AtualizaProdutoPreco());
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODPROD, DESCRICAO, PRECO FROM PRODUTO")),
              (Linhas{{"000123", "DIPIRONA 500MG", "12,5"}}));
}

// --- Side records --------------------------------------------------------------------------

TEST(ProductSideRecords, SerialControlIsSetOnEveryParafatRowAndCommitted)
{
    TargetFixture fx;
    semeia(fx, {"INSERT INTO PARAFAT (CODEMPRESA, CONTROLESERIE) VALUES ('00', 'N')",
                "INSERT INTO PARAFAT (CODEMPRESA, CONTROLESERIE) VALUES ('01', 'N')"});
    TConverteProduto p(fx.db);
    p.SetDescricao(QStringLiteral("MANTIDA"));
    p.AtivaControleSerie(QStringLiteral("Sim"));
    EXPECT_FALSE(fx.tr.active());  // committed by its own commit statement
    EXPECT_EQ(fx.rows(QStringLiteral("SELECT CONTROLESERIE FROM PARAFAT ORDER BY CODEMPRESA")),
              (Linhas{{"S"}, {"S"}}));
    p.AtivaControleSerie(QString());
    EXPECT_EQ(fx.rows(QStringLiteral("SELECT CONTROLESERIE FROM PARAFAT ORDER BY CODEMPRESA")),
              (Linhas{{""}, {""}}));
    EXPECT_EQ(p.Descricao(), QStringLiteral("MANTIDA"));  // side records leave the record alone
}

TEST(ProductSideRecords, ProductSupplierLinkSkipsAnEmptySupplierAndStaysInTheCallersTransaction)
{
    TargetFixture fx;
    TConverteProduto p(fx.db);
    p.GravaRelPrFo(QStringLiteral("000123"), QString(), QStringLiteral("X1"));
    p.GravaRelPrFo(QStringLiteral("000123"), QStringLiteral("000045"), QStringLiteral("AB'9"));
    p.GravaRelPrFo(QStringLiteral("000124"), QStringLiteral(" 45"), QString());
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODPROD, CODFORNEC, PRINCIPAL, CODPRODFORNEC FROM RELPRFO "
                                         "ORDER BY CODPROD")),
              (Linhas{{"000123", "000045", "S", "AB'9"}, {"000124", " 45", "S", ""}}));
    // No commit statement: the rows belong to the caller's transaction.
    p.GravaRelPrFo(QStringLiteral("000125"), QStringLiteral("000046"), QString());
    EXPECT_TRUE(fx.tr.active());
    fx.tr.rollback();
    EXPECT_EQ(fx.count(QStringLiteral("RELPRFO")), 2);
    EXPECT_THROW(p.GravaRelPrFo(QStringLiteral("000123"), QStringLiteral("000045"), QString()), AppError);
}

TEST(ProductSideRecords, InventoryEntryIsWrittenOnlyForAPositiveCost)
{
    TargetFixture fx;
    TConverteProduto p(fx.db);
    p.SetCodProd(QStringLiteral("777"));  // another record: the entry goes to the product named
    p.GravaInventa(QStringLiteral("000123"), 0);
    p.GravaInventa(QStringLiteral("000123"), -1);
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT COUNT(*) FROM INVENTA")), (Linhas{{"0"}}));
    p.GravaInventa(QStringLiteral("000123"), 0.01);
    p.GravaInventa(QStringLiteral("000123"), 3.75);
    const QString hoje = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODEMPRESA, DATAINV, DOCUMENTO, PROCESSADO, CODGRADE, CODCAUSA, "
                                         "CODPROD, PRECOCUSTO FROM INVENTA ORDER BY PRECOCUSTO")),
              (Linhas{{"00", hoje, "1", "N", "0000", "001", "000123", "0,01"},
                      {"00", hoje, "1", "N", "0000", "001", "000123", "3,75"}}));
    EXPECT_EQ(p.CodProd(), QStringLiteral("000777"));
}

// --- Stock complement ----------------------------------------------------------------------

TEST(CompProdWrite, InsertReadsBackAndDoesNotResetTheFields)
{
    TargetFixture fx;
    TConverteCompProd c(fx.db);
    c.SetCodProd(QStringLiteral("42"));
    c.SetEstoque(-2.5);
    c.setEstoqueDisp(7);
    c.SetEstMinimo(-3);
    c.SetEstMaximo(1e20);
    c.setPrecoMedio(3.5);
    c.SetPrecoCusto(3.75);
    c.setPrecoNf(1.5e-7);
    EXPECT_TRUE(c.ExecutaSql());
    // The fields are not reset: a second insert without changes sends the same row again.
    const QString antes = c.MontaSql();
    EXPECT_THROW(c.ExecutaSql(), AppError);
    EXPECT_EQ(c.MontaSql(), antes);
    fx.tr.rollback();
    c.SetCodProd(QStringLiteral("43"));
    c.ExecutaSql();
    EXPECT_EQ(gravado(fx, QStringLiteral("SELECT CODPROD, CODEMPRESA, CODGRADE, ESTOQUE, ESTOQUEDISPONIVEL, "
                                         "ESTMINIMO, ESTMAXIMO, PRECOMEDIO, PRECOCUSTO, PRECONF FROM COMPPROD")),
              (Linhas{{"000043", "00", "0000", "-2,5", "7", "-3", "1E20", "3,5", "3,75", "1,5E-7"}}));
}

}  // namespace
