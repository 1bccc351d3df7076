#include "entities/Produto.h"
#include "conversion/ColunasComando.h"
#include "conversion/TextRules.h"
#include "common/AppError.h"
#include "db/TargetQuery.h"
#include <QDate>
#include <QStringList>

namespace {
QString formatoDataCurta;  // empty until the first product converter is created

bool ehSentinela(const QDateTime& d)
{
    const QDateTime s = TConverteProduto::DataSentinela();
    return d.date() == s.date() && d.time() == s.time();
}

// CFOP codes arrive masked ("5.405"): the digits are what the 4-character column holds.
QString cfop(const QString& valor)
{
    QString r = TextRules::trim(valor);
    r.remove(QLatin1Char('.'));
    r.remove(QLatin1Char('-'));
    r.remove(QLatin1Char('/'));
    r.remove(QLatin1Char(' '));
    return TextRules::left(r, 4);
}
}  // namespace

QString TConverteProduto::FormatoDataCurta() { return formatoDataCurta; }

bool TConverteProduto::FormatoDataCurtaDefinido() { return !formatoDataCurta.isEmpty(); }

QDateTime TConverteProduto::DataSentinela()
{
    return QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
}

TConverteProduto::TConverteProduto(TargetDatabase& cBanco) : TConversao(cBanco)
{
    formatoDataCurta = QStringLiteral("dd/mm/yyyy");
    LimpaVariavel();
}

TConverteProduto::~TConverteProduto() { QDestino.reset(); }

// --- Setters ------------------------------------------------------------------------------

void TConverteProduto::SetCodProd(const QString& Value)
{
    FCodProd = codigoZerado(TextRules::trim(Value), 6, QStringLiteral("Código do produto"), Value);
}

void TConverteProduto::SetFCodFabric(const QString& Value)
{
    const QString t = TextRules::trim(Value);
    FCodFabric = t.isEmpty() ? QString() : codigoZerado(t, 5, QStringLiteral("Código do fabricante"), Value);
}

void TConverteProduto::SetPrincipalFornecedor(const QString& Value)
{
    const QString t = TextRules::trim(Value);
    FPrincipalFornecedor = t.isEmpty() ? t : StrZero(t, 6);
}

// The group is the last three characters of the source key, as the group conversion codes it;
// blanks around the value are no part of the key.
void TConverteProduto::SetCodGrupo(const QString& Value)
{
    const QString t = TextRules::trim(Value);
    FCodGrupo = t.isEmpty() ? QString() : StrZero(TextRules::right(t, 3), 3);
}

void TConverteProduto::SetCodSubGrupo(const QString& Value)
{
    FCodSubGrupo = Value.isEmpty() ? Value : StrZero(TextRules::right(Value, 3), 3);
}

void TConverteProduto::SetCodClasFis(const QString& Value)
{
    const QString t = TextRules::trim(Value);
    FCodClasFis = t.isEmpty() ? t : StrZero(t, 4);
}

namespace {
QString tributacao(const TConversao& c, const QString& Value)
{
    const QString t = TextRules::trim(Value);
    return t.isEmpty() ? t : c.StrZero(t, 3);
}
}  // namespace

void TConverteProduto::SetCodTribut00(const QString& Value) { FCodTribut00 = tributacao(*this, Value); }
void TConverteProduto::SetCodTribut01(const QString& Value) { FCodTribut01 = tributacao(*this, Value); }
void TConverteProduto::SetCodTribut02(const QString& Value) { FCodTribut02 = tributacao(*this, Value); }
void TConverteProduto::SetCodTribut03(const QString& Value) { FCodTribut03 = tributacao(*this, Value); }
void TConverteProduto::SetCodTributDiversos(const QString& Value) { FCodTributDiversos = tributacao(*this, Value); }

void TConverteProduto::SetCFOPForaUF(const QString& Value) { FCFOPForaUF = cfop(Value); }
void TConverteProduto::SetCFOPDentroUF(const QString& Value) { FCFOPDentroUF = cfop(Value); }

void TConverteProduto::SetDescricao(const QString& Value) { FDescricao = TextRules::trim(TextRules::left(Value, 50)); }
void TConverteProduto::SetDescricao2(const QString& Value) { FDescricao2 = TextRules::left(Value, 50); }
void TConverteProduto::SetDescricao3(const QString& Value) { FDescricao3 = TextRules::left(Value, 50); }
void TConverteProduto::SetRefFabricante(const QString& Value)
{
    FRefFabricante = TextRules::left(TextRules::trim(Value), 20);
}
void TConverteProduto::SetUnidEntrada(const QString& Value) { FUnidEntrada = TextRules::left(Value, 6); }
void TConverteProduto::SetUnidSaida(const QString& Value) { FUnidSaida = TextRules::left(Value, 6); }
void TConverteProduto::SetCodFamilia(const QString& Value) { FCodFamilia = TextRules::left(Value, 2); }
void TConverteProduto::SetCodTipoProduto(const QString& Value) { FCodTipoProduto = TextRules::left(Value, 2); }
void TConverteProduto::SetDescricaoPreco(const QString& Value) { FDescricaoPreco = TextRules::left(Value, 10); }
void TConverteProduto::SetDescricaoPreco2(const QString& Value) { FDescricaoPreco2 = TextRules::left(Value, 10); }
void TConverteProduto::SetDescricaoPreco3(const QString& Value) { FDescricaoPreco3 = TextRules::left(Value, 10); }
void TConverteProduto::SetDescricaoPreco4(const QString& Value) { FDescricaoPreco4 = TextRules::left(Value, 10); }
void TConverteProduto::SetCodLocal(const QString& Value) { FCodLocal = TextRules::left(Value, 8); }
void TConverteProduto::SetCampoLivre1(const QString& Value)
{
    FCampoLivre1 = TextRules::left(TextRules::trim(Value), 20);
}
void TConverteProduto::SetCampoLivre2(const QString& Value)
{
    FCampoLivre2 = TextRules::left(TextRules::trim(Value), 20);
}
void TConverteProduto::SetCampoLivre3(const QString& Value)
{
    FCampoLivre3 = TextRules::left(TextRules::trim(Value), 50);
}
void TConverteProduto::SetCampoLivre4(const QString& Value)
{
    FCampoLivre4 = TextRules::left(TextRules::trim(Value), 50);
}
void TConverteProduto::SetAtivado(const QString& Value) { FAtivado = TextRules::left(Value, 1); }
void TConverteProduto::SetEmbalagem(const QString& Value) { FEmbalagem = TextRules::left(TextRules::trim(Value), 15); }
void TConverteProduto::setCodVolume(const QString& Value) { FCodVolume = TextRules::left(Value, 3); }
void TConverteProduto::setTipoEntrega(const QString& Value) { FTipoEntrega = TextRules::left(Value, 1); }

// --- Reset and clearing -------------------------------------------------------------------

void TConverteProduto::LimpaVariavel()
{
    SetCodProd(QString());
    SetDescricao(QString());
    SetDescricao2(QString());
    SetDescricao3(QString());
    SetReferencia(QString());
    SetRefFabricante(QString());
    SetPrincipalFornecedor(QString());
    SetCodGrupo(QString());
    SetCodSubGrupo(QString());
    SetUnidEntrada(QStringLiteral("UN"));
    SetUnidSaida(QStringLiteral("UN"));
    SetCodFamilia(QString());
    SetCodTipoProduto(QString());
    SetDescricaoPreco(QString());
    SetDescricaoPreco2(QString());
    SetDescricaoPreco3(QString());
    SetDescricaoPreco4(QString());
    SetCodLocal(QString());
    SetCampoLivre1(QString());
    SetCampoLivre2(QString());
    SetCampoLivre3(QString());
    SetCampoLivre4(QString());
    SetObservacao(QString());
    SetControleSerie(QString());
    SetAtivado(QStringLiteral("S"));
    SetTipoProd(QStringLiteral("R"));
    SetProdBloqueado(QStringLiteral("N"));
    SetCodClasFis(QString());
    SetCodTribut00(QString());
    SetCodTribut01(QString());
    SetCodTribut02(QString());
    SetCodTribut03(QString());
    SetCodTributDiversos(QString());
    SetDt_Cadastro(QString());
    SetEmbalagem(QString());
    setFFornec_Ult_Ent1(QString());
    SetFCodFabric(QString());
    setCodVolume(QString());
    setTipoEntrega(QString());
    SetMensagem00(QString());
    SetMensagem01(QString());
    SetMensagem02(QString());
    SetMensagem03(QString());
    SetMensagemDiversos(QString());
    SetControleLote(QString());
    SetSubsTrib(QString());
    SetSubsTribSaida(QString());
    SetSubsTribSaidaR1(QString());
    SetSubsTribSaidaR2(QString());
    SetSubsTribSaidaR3(QString());
    SetSubsTribSaidaR4(QString());
    SetCodGeneroItem(QString());
    SetCFOPForaUF(QString());
    SetCFOPDentroUF(QString());

    SetPreco(0);
    SetPreco2(0);
    SetPreco3(0);
    SetPreco4(0);
    SetPrecoAnterior(0);
    SetPeso(0);
    SetPrecoPromo(0);
    SetValorIpi(0);
    SetAliqIpi(0);
    SetAliqIss(0);
    SetAliqIcmsPdv(0);
    SetAliqIcmsReg00(0);
    SetAliqIcmsReg01(0);
    SetAliqIcmsReg02(0);
    SetAliqIcmsReg03(0);
    SetAliqIcmsDiversos(0);
    SetBaseicmsReg00(0);
    SetBaseIcmsReg01(0);
    SetBaseIcmsReg02(0);
    SetBaseIcmsReg03(0);
    SetBaseIcmsdiversos(0);
    SetLucro(0);
    setLucro2(0);
    setLucro3(0);
    setLucro4(0);
    SetLucroSubStrib(0);
    SetEstMinimo(0);
    SetEstMaximo(0);
    SetComissao(0);
    setPercIva(0);
    SetFatorConversao(0);
    SetPercBaseSubsTribSaida(0);
    SetPercIcmsSubsTribSaida(0);
    SetPercBaseSubsTribSaidaR1(0);
    SetPercBaseSubsTribSaidaR2(0);
    SetPercBaseSubsTribSaidaR3(0);
    SetPercBaseSubsTribSaidaR4(0);
    SetPercIcmsSubsTribSaidaR1(0);
    SetPercIcmsSubsTribSaidaR2(0);
    SetPercIcmsSubsTribSaidaR3(0);
    SetPercIcmsSubsTribSaidaR4(0);
    SetGrade(0);

    FData_Ult_Ent = DataSentinela();
    FData_Ult_Rea = DataSentinela();
    FFracionado.clear();
    // DescontoMaximo, Data_Ult_Alteracao, Pr_Ult_Ent1 and MultiplicaDivide keep their values.
}

void TConverteProduto::LimpaTabela()
{
    esvaziaTabela(QStringLiteral("Delete from PRODUTO"), QStringLiteral("Commit;"));
}

// --- Insert -------------------------------------------------------------------------------

QString TConverteProduto::MontaSql() const
{
    ColunasComando c;
    c.texto("Produto.CODPROD", FCodProd);
    c.texto("Produto.TIPOPROD", FTipoProd);
    c.texto("Produto.ATIVO", FAtivado);
    c.texto("Produto.PRODBLOQUEADO", FProdBloqueado);
    c.texto("Produto.CONTROLESERIE", FControleSerie);
    c.texto("Produto.REFERENCIA", FReferencia);
    c.texto("Produto.REFFABRICANTE", FRefFabricante);
    c.texto("Produto.DESCRICAO", FDescricao);
    c.texto("Produto.DESCRICAO2", FDescricao2);
    c.texto("Produto.DESCRICAO3", FDescricao3);
    c.texto("Produto.FORNEC_ULT_ENT1", FFornec_Ult_Ent1);
    c.texto("Produto.CODGRUPO", FCodGrupo);
    c.texto("Produto.CODSUBGRUPO", FCodSubGrupo);
    c.texto("Produto.PRINCIPALFORNEC", FPrincipalFornecedor);
    c.texto("Produto.EMBALAGEM", FEmbalagem);
    c.texto("Produto.CODFABRIC", FCodFabric);
    c.texto("Produto.OBSERVACAO", FObservacao);
    c.texto("Produto.CODLOCAL", FCodLocal);
    c.texto("Produto.CODCLASFIS", FCodClasFis);
    c.numero("Produto.ALIQICMSREG00", FAliqIcmsReg00);
    c.numero("Produto.BASEICMSREG00", FBaseIcmsReg00);
    c.numero("Produto.BASEICMSREG02", FBaseIcmsReg02);
    c.texto("Produto.CODTRIBUT00", FCodTribut00);
    c.texto("Produto.CODTRIBUT01", FCodTribut01);
    c.numero("Produto.ALIQICMSPDV", FAliqIcmsPdv);
    c.texto("Produto.SUBSTRIB", FSubsTrib);
    c.numero("Produto.AliqIpi", FAliqIpi);
    c.numero("Produto.AliqISS", FAliqIss);
    c.numero("Produto.PESO", FPeso);
    c.texto("Produto.UNIDADEENT", FUnidEntrada);
    c.texto("Produto.UNIDADESAIDA", FUnidSaida);
    c.texto("Produto.CodFamilia", FCodFamilia);
    c.texto("Produto.CodTipoProduto", FCodTipoProduto);
    c.texto("Produto.CodVolume", FCodVolume);
    c.texto("Produto.TipoEntrega", FTipoEntrega);
    c.texto("Produto.CodGeneroItem", FCodGeneroItem);
    c.numero("Produto.PRECO", FPreco);
    c.texto("Produto.DESCRICAOPRECO", FDescricaoPreco);
    c.numero("Produto.PRECO2", FPreco2);
    c.texto("Produto.DESCRICAOPRECO2", FDescricaoPreco2);
    c.numero("Produto.PRECO3", FPreco3);
    c.texto("Produto.DESCRICAOPRECO3", FDescricaoPreco3);
    c.numero("Produto.PRECO4", FPreco4);
    c.texto("Produto.DESCRICAOPRECO4", FDescricaoPreco4);
    c.numero("Produto.PRECO_ANTERIOR", FPreco_Anterior);
    c.numero("Produto.Pr_Ult_Ent1", FPrUltEnt1);
    c.numero("Produto.Lucro", FLucro);
    c.numero("Produto.Lucro2", Flucro2);
    c.numero("Produto.Lucro3", FLucro3);
    c.numero("Produto.Lucro4", FLucro4);
    c.numero("Produto.EstMinimo", FEstMinimo);
    c.numero("Produto.EstMaximo", FEstMaximo);
    c.numero("Produto.Comissao", FComissao);
    c.numero("Produto.Perc_Iva", FPercIva);
    c.numero("Produto.FatorConversao", FFatorConversao);
    c.texto("Produto.MultDivide", FMultiplicaDifica);
    c.numero("Produto.ValorIpi", FValorIpi);
    c.numero("Produto.PrecoPromo", FPrecoPromo);
    // A date column without a date is left out, so that it takes the database's default.
    if (!FDt_Cadastro.isEmpty())
        c.texto("Produto.DT_CADASTRO", FDt_Cadastro);
    if (!ehSentinela(FData_Ult_Ent))
        c.data("Produto.Data_Ult_Ent1", FData_Ult_Ent);
    if (!ehSentinela(FData_Ult_Rea))
        c.data("Produto.Data_Ult_Reajuste", FData_Ult_Rea);
    c.texto("Produto.Fracionado", FFracionado);
    c.texto("Produto.CAMPOLIVRE1", FCampoLivre1);
    c.texto("Produto.CAMPOLIVRE2", FCampoLivre2);
    c.texto("Produto.CAMPOLIVRE3", FCampoLivre3);
    c.texto("Produto.CAMPOLIVRE4", FCampoLivre4);
    c.texto("produto.mensagem00", FMensagem00);
    c.numero("produto.aliqicmsreg01", FAliqIcmsReg01);
    c.numero("produto.BaseIcmsReg01", FBaseIcmsReg01);
    c.texto("produto.mensagem01", FMensagem01);
    c.numero("produto.aliqicmsreg02", FAliqIcmsReg02);
    c.texto("Produto.CODTRIBUT02", FCodTribut02);
    c.texto("produto.mensagem02", FMensagem02);
    c.numero("produto.aliqicmsreg03", FAliqIcmsReg03);
    c.numero("produto.BaseIcmsReg03", FBaseIcmsReg03);
    c.texto("Produto.CODTRIBUT03", FCodTribut03);
    c.texto("produto.mensagem03", FMensagem03);
    c.numero("produto.AliqIcmsDiversos", FAliqIcmsDiversos);
    c.numero("produto.BaseIcmsdiversos", FBaseIcmsdiversos);
    c.texto("Produto.CodTributDiversos", FCodTributDiversos);
    c.texto("produto.MensagemDiversos", FMensagemDiversos);
    c.numero("produto.lucrosubstrib", Flucrosubstrib);
    c.texto("produto.substribsaida", FSubsTribSaida);
    c.numero("produto.percbasesubstribsaida", FPercBaseSubsTribSaida);
    c.numero("produto.PercIcmsSubsTribSaida", FPercIcmsSubsTribSaida);
    c.texto("produto.substribsaidaR1", FSubsTribSaidaR1);
    c.numero("produto.percbasesubstribsaidaR1", FPercBaseSubsTribSaidaR1);
    c.numero("produto.PercIcmsSubsTribSaidaR1", FPercIcmsSubsTribSaidaR1);
    c.texto("produto.substribsaidaR2", FSubsTribSaidaR2);
    c.numero("produto.percbasesubstribsaidaR2", FPercBaseSubsTribSaidaR2);
    c.numero("produto.PercIcmsSubsTribSaidaR2", FPercIcmsSubsTribSaidaR2);
    c.texto("produto.substribsaidaR3", FSubsTribSaidaR3);
    c.numero("produto.percbasesubstribsaidaR3", FPercBaseSubsTribSaidaR3);
    c.numero("produto.PercIcmsSubsTribSaidaR3", FPercIcmsSubsTribSaidaR3);
    c.texto("produto.substribsaidaR4", FSubsTribSaidaR4);
    c.numero("produto.percbasesubstribsaidaR4", FPercBaseSubsTribSaidaR4);
    c.texto("Produto.ControleLote", FControleLote);
    c.numero("produto.PercIcmsSubsTribSaidaR4", FPercIcmsSubsTribSaidaR4);
    c.texto("Produto.CFOPFORAUF", FCFOPForaUF);
    c.texto("Produto.CFOPDENTROUF", FCFOPDentroUF);
    c.inteiro("produto.grade", FGRADE);
    return c.insercao(u" Insert Into Produto ( ", u") Values ( ", u") ");
}

bool TConverteProduto::ExecutaSql()
{
    QDestino->setSql(MontaSql());
    QDestino->execSql();
    LimpaVariavel();
    return true;
}

// --- Updates ------------------------------------------------------------------------------

QString TConverteProduto::MontaSqlAtualizaProduto() const
{
    ColunasComando c;
    c.texto("Produto.TIPOPROD", FTipoProd);
    c.texto("Produto.ATIVO", FAtivado);
    c.texto("Produto.PRODBLOQUEADO", FProdBloqueado);
    c.texto("Produto.CONTROLESERIE", FControleSerie);
    c.texto("Produto.CONTROLELOTE", FControleLote);
    c.texto("Produto.REFERENCIA", FReferencia);
    c.texto("Produto.REFFABRICANTE", FRefFabricante);
    c.texto("Produto.DESCRICAO", FDescricao);
    c.texto("Produto.DESCRICAO2", FDescricao2);
    c.texto("Produto.DESCRICAO3", FDescricao3);
    c.texto("Produto.FORNEC_ULT_ENT1", FFornec_Ult_Ent1);
    c.texto("Produto.CODGRUPO", FCodGrupo);
    c.texto("Produto.CODSUBGRUPO", FCodSubGrupo);
    c.texto("Produto.PRINCIPALFORNEC", FPrincipalFornecedor);
    c.texto("Produto.EMBALAGEM", FEmbalagem);
    c.texto("Produto.CODFABRIC", FCodFabric);
    c.texto("Produto.OBSERVACAO", FObservacao);
    c.texto("Produto.CODLOCAL", FCodLocal);
    c.texto("Produto.CODCLASFIS", FCodClasFis);
    c.numero("Produto.ALIQICMSREG00", FAliqIcmsReg00);
    c.numero("Produto.BASEICMSREG00", FBaseIcmsReg00);
    c.numero("Produto.BASEICMSREG02", FBaseIcmsReg02);
    c.texto("Produto.CODTRIBUT00", FCodTribut00);
    c.texto("Produto.CODTRIBUT01", FCodTribut01);
    c.numero("Produto.ALIQICMSPDV", FAliqIcmsPdv);
    c.texto("Produto.SUBSTRIB", FSubsTrib);
    c.numero("Produto.AliqIpi", FAliqIpi);
    c.numero("Produto.PESO", FPeso);
    c.texto("Produto.UNIDADEENT", FUnidEntrada);
    c.texto("Produto.UNIDADESAIDA", FUnidSaida);
    c.texto("Produto.CodFamilia", FCodFamilia);
    c.texto("Produto.CodTipoProduto", FCodTipoProduto);
    c.texto("Produto.CodVolume", FCodVolume);
    c.texto("Produto.TipoEntrega", FTipoEntrega);
    c.numero("Produto.PRECO", FPreco);
    c.texto("Produto.DESCRICAOPRECO", FDescricaoPreco);
    c.numero("Produto.PRECO2", FPreco2);
    c.texto("Produto.DESCRICAOPRECO2", FDescricaoPreco2);
    c.numero("Produto.PRECO3", FPreco3);
    c.texto("Produto.DESCRICAOPRECO3", FDescricaoPreco3);
    c.numero("Produto.PRECO4", FPreco4);
    c.texto("Produto.DESCRICAOPRECO4", FDescricaoPreco4);
    c.numero("Produto.PRECO_ANTERIOR", FPreco_Anterior);
    c.numero("Produto.Pr_Ult_Ent1", FPrUltEnt1);
    c.numero("Produto.Lucro", FLucro);
    c.numero("Produto.Lucro2", Flucro2);
    c.numero("Produto.Lucro3", FLucro3);
    c.numero("Produto.Lucro4", FLucro4);
    c.numero("Produto.EstMinimo", FEstMinimo);
    c.numero("Produto.EstMaximo", FEstMaximo);
    c.numero("Produto.Comissao", FComissao);
    c.numero("Produto.Perc_Iva", FPercIva);
    c.numero("Produto.FatorConversao", FFatorConversao);
    c.texto("Produto.MultDivide", FMultiplicaDifica);
    c.numero("Produto.ValorIpi", FValorIpi);
    c.numero("Produto.PrecoPromo", FPrecoPromo);
    if (FDt_Cadastro.isEmpty())
        c.add("Produto.DT_CADASTRO", QStringLiteral("NULL"));
    else
        c.texto("Produto.DT_CADASTRO", FDt_Cadastro);
    c.data("Produto.Data_Ult_Ent1", FData_Ult_Ent);
    c.data("Produto.Data_Ult_Reajuste", FData_Ult_Rea);
    c.texto("Produto.Fracionado", FFracionado);
    c.texto("Produto.CAMPOLIVRE1", FCampoLivre1);
    c.texto("Produto.CAMPOLIVRE2", FCampoLivre2);
    c.texto("Produto.CAMPOLIVRE3", FCampoLivre3);
    c.texto("Produto.CAMPOLIVRE4", FCampoLivre4);
    c.texto("produto.mensagem00", FMensagem00);
    c.numero("produto.aliqicmsreg01", FAliqIcmsReg01);
    c.numero("produto.BaseIcmsReg01", FBaseIcmsReg01);
    c.texto("produto.mensagem01", FMensagem01);
    c.numero("produto.aliqicmsreg02", FAliqIcmsReg02);
    c.texto("Produto.CODTRIBUT02", FCodTribut02);
    c.texto("produto.mensagem02", FMensagem02);
    c.numero("produto.aliqicmsreg03", FAliqIcmsReg03);
    c.numero("produto.BaseIcmsReg03", FBaseIcmsReg03);
    c.texto("Produto.CODTRIBUT03", FCodTribut03);
    c.texto("produto.mensagem03", FMensagem03);
    c.numero("produto.AliqIcmsDiversos", FAliqIcmsDiversos);
    c.numero("produto.BaseIcmsdiversos", FBaseIcmsdiversos);
    c.texto("Produto.CodTributDiversos", FCodTributDiversos);
    c.texto("produto.MensagemDiversos", FMensagemDiversos);
    c.texto("Produto.CodGeneroItem", FCodGeneroItem);
    c.numero("produto.lucrosubstrib", Flucrosubstrib);
    c.texto("produto.substribsaida", FSubsTribSaida);
    c.numero("produto.percbasesubstribsaida", FPercBaseSubsTribSaida);
    c.numero("produto.PercIcmsSubsTribSaida", FPercIcmsSubsTribSaida);
    c.texto("produto.substribsaidaR1", FSubsTribSaidaR1);
    c.numero("produto.percbasesubstribsaidaR1", FPercBaseSubsTribSaidaR1);
    c.numero("produto.PercIcmsSubsTribSaidaR1", FPercIcmsSubsTribSaidaR1);
    c.texto("produto.substribsaidaR2", FSubsTribSaidaR2);
    c.numero("produto.percbasesubstribsaidaR2", FPercBaseSubsTribSaidaR2);
    c.numero("produto.PercIcmsSubsTribSaidaR2", FPercIcmsSubsTribSaidaR2);
    c.texto("produto.substribsaidaR3", FSubsTribSaidaR3);
    c.numero("produto.percbasesubstribsaidaR3", FPercBaseSubsTribSaidaR3);
    c.numero("produto.PercIcmsSubsTribSaidaR3", FPercIcmsSubsTribSaidaR3);
    c.texto("produto.substribsaidaR4", FSubsTribSaidaR4);
    c.numero("produto.percbasesubstribsaidaR4", FPercBaseSubsTribSaidaR4);
    c.numero("produto.PercIcmsSubsTribSaidaR4", FPercIcmsSubsTribSaidaR4);
    c.texto("Produto.CFOPFORAUF", FCFOPForaUF);
    c.texto("Produto.CFOPDENTROUF", FCFOPDentroUF);
    return QStringLiteral(" Update Produto SET ") + c.atribuicoes() +
           QStringLiteral(" Where Produto.CODPROD = ") + TextRules::quoted(FCodProd);
}

QString TConverteProduto::MontaSqlAtualizaProdutoPreco() const
{
    ColunasComando c;
    c.texto("Produto.REFERENCIA", FReferencia);
    c.texto("Produto.REFFABRICANTE", FRefFabricante);
    c.texto("Produto.CODGRUPO", FCodGrupo);
    c.texto("Produto.PRINCIPALFORNEC", FPrincipalFornecedor);
    c.numero("Produto.PRECO", FPreco);
    c.numero("Produto.PRECO2", FPreco2);
    c.numero("Produto.PRECO3", FPreco3);
    c.numero("Produto.PRECO4", FPreco4);
    return QStringLiteral(" Update Produto SET ") + c.atribuicoes() +
           QStringLiteral(" Where Produto.CODPROD = ") + TextRules::quoted(FCodProd);
}

bool TConverteProduto::AtualizaProduto()
{
    QDestino->setSql(MontaSqlAtualizaProduto());
    QDestino->execSql();
    LimpaVariavel();
    return true;
}

bool TConverteProduto::AtualizaProdutoPreco()
{
    QDestino->setSql(MontaSqlAtualizaProdutoPreco());
    QDestino->execSql();
    LimpaVariavel();
    return true;
}

// --- Side records -------------------------------------------------------------------------

void TConverteProduto::AtivaControleSerie(const QString& Status)
{
    QAuxiliar->close();
    QAuxiliar->setSql(QStringLiteral(" Update PARAFAT set PARAFAT.CONTROLESERIE = ") +
                      TextRules::quoted(TextRules::left(Status, 1)));
    QAuxiliar->execSql();
    QAuxiliar->setSql(QStringLiteral("Commit;"));
    QAuxiliar->execSql();
}

void TConverteProduto::GravaRelPrFo(const QString& sCodProduto, const QString& sPrincipalFornec,
                                    const QString& scodprodfornec)
{
    if (sPrincipalFornec.isEmpty())
        return;
    QAuxiliar->close();
    QAuxiliar->setSql(QStringLiteral(
        " Insert Into relprfo (relprfo.codprod, relprfo.codfornec, relprfo.principal, "
        "relprfo.codprodfornec) Values ( :Produto, :Fornecedor, \"S\",:codprodfornec ) "));
    QAuxiliar->setParamText(QStringLiteral("Produto"), sCodProduto);
    QAuxiliar->setParamText(QStringLiteral("Fornecedor"), sPrincipalFornec);
    QAuxiliar->setParamText(QStringLiteral("codprodfornec"), scodprodfornec);
    QAuxiliar->execSql();
}

// The entry is for the product the caller names, like the supplier relation above.
void TConverteProduto::GravaInventa(const QString& sCodProduto, double sPrecoCusto)
{
    if (!(sPrecoCusto > 0))
        return;
    QAuxiliar->close();
    QAuxiliar->setSql(QStringLiteral(
        " Insert Into inventa (inventa.codempresa, inventa.datainv, inventa.documento, "
        "inventa.processado, inventa.codgrade, inventa.codcausa, inventa.codprod, "
        "inventa.precocusto ) values ( \"00\" , :Data ,\"1\",\"N\", \"0000\", \"001\", "
        ":pCodProd, :pPrecoCusto ) "));
    QAuxiliar->setParamDate(QStringLiteral("Data"), QDate::currentDate());
    QAuxiliar->setParamText(QStringLiteral("pCodProd"), sCodProduto);
    QAuxiliar->setParamFloat(QStringLiteral("pPrecocusto"), sPrecoCusto);
    QAuxiliar->execSql();
}
