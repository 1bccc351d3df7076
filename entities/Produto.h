#pragma once
#include "conversion/classConversao.h"
#include <QDateTime>
#include <QString>

// One row of PRODUTO. Every setter normalizes its value (cuts, trims, zero fills), so the record
// always holds what the statements write; the statements are built as one literal text each.
class TConverteProduto : public TConversao {
public:
    explicit TConverteProduto(TargetDatabase& cBanco);
    ~TConverteProduto() override;

    // The program's short date format. Creating a product converter installs "dd/mm/yyyy" for
    // the rest of the process. RegionalFormat already reads and writes dates that way, so the
    // setting changes no output; it is kept so that the sentinel date is read under it.
    static QString FormatoDataCurta();
    static bool FormatoDataCurtaDefinido();
    // 1 January 1900 at midnight: the date fields hold it when they hold no date.
    static QDateTime DataSentinela();

    void LimpaVariavel();
    void LimpaTabela();  // empties PRODUTO and commits

    // Row statements: each builds its text once, executes it on QDestino and resets the record.
    bool ExecutaSql();
    bool AtualizaProduto();
    bool AtualizaProdutoPreco();
    // The texts those statements send for the current record.
    QString MontaSql() const;
    QString MontaSqlAtualizaProduto() const;
    QString MontaSqlAtualizaProdutoPreco() const;

    // Side records, on QAuxiliar; the record is not reset.
    void AtivaControleSerie(const QString& Status);
    void GravaRelPrFo(const QString& sCodProduto, const QString& sPrincipalFornec,
                      const QString& scodprodfornec);
    void GravaInventa(const QString& sCodProduto, double sPrecoCusto);

    // Properties (read).
    QDateTime Data_Ult_Ent() const { return FData_Ult_Ent; }
    QDateTime Data_Ult_Rea() const { return FData_Ult_Rea; }
    QString CodProd() const { return FCodProd; }
    QString Descricao() const { return FDescricao; }
    QString Descricao2() const { return FDescricao2; }
    QString Descricao3() const { return FDescricao3; }
    QString Referencia() const { return FReferencia; }
    QString RefFabricante() const { return FRefFabricante; }
    QString PrincipalFornecedor() const { return FPrincipalFornecedor; }
    QString CodGrupo() const { return FCodGrupo; }
    QString CodSubGrupo() const { return FCodSubGrupo; }
    QString UnidEntrada() const { return FUnidEntrada; }
    QString UnidSaida() const { return FUnidSaida; }
    QString CodFamilia() const { return FCodFamilia; }
    QString CodTipoProduto() const { return FCodTipoProduto; }
    QString DescricaoPreco() const { return FDescricaoPreco; }
    QString DescricaoPreco2() const { return FDescricaoPreco2; }
    QString DescricaoPreco3() const { return FDescricaoPreco3; }
    QString DescricaoPreco4() const { return FDescricaoPreco4; }
    QString CodLocal() const { return FCodLocal; }
    QString CampoLivre1() const { return FCampoLivre1; }
    QString CampoLivre2() const { return FCampoLivre2; }
    QString CampoLivre3() const { return FCampoLivre3; }
    QString CampoLivre4() const { return FCampoLivre4; }
    QString Observacao() const { return FObservacao; }
    QString ControleSerie() const { return FControleSerie; }
    QString Ativado() const { return FAtivado; }
    QString TipoProd() const { return FTipoProd; }
    QString ProdBloqueado() const { return FProdBloqueado; }
    QString CodClasFis() const { return FCodClasFis; }
    QString CodTribut00() const { return FCodTribut00; }
    QString Dt_Cadastro() const { return FDt_Cadastro; }
    QString Embalagem() const { return FEmbalagem; }
    QString Fornec_Ult_Ent1() const { return FFornec_Ult_Ent1; }
    QString CodFabric() const { return FCodFabric; }
    QString CodVolume() const { return FCodVolume; }
    QString TipoEntrega() const { return FTipoEntrega; }
    QString Mensagem00() const { return FMensagem00; }
    QString Mensagem01() const { return FMensagem01; }
    QString CodTribut02() const { return FCodTribut02; }
    QString CodTribut03() const { return FCodTribut03; }
    QString Mensagem02() const { return FMensagem02; }
    QString Mensagem03() const { return FMensagem03; }
    QString ControleLote() const { return FControleLote; }
    QString CodTributDiversos() const { return FCodTributDiversos; }
    QString MensagemDiversos() const { return FMensagemDiversos; }
    QString SubsTribSaidaR1() const { return FSubsTribSaidaR1; }
    QString SubsTribSaidaR2() const { return FSubsTribSaidaR2; }
    QString SubsTribSaidaR3() const { return FSubsTribSaidaR3; }
    QString SubsTribSaidaR4() const { return FSubsTribSaidaR4; }
    double Preco() const { return FPreco; }
    double Preco2() const { return FPreco2; }
    double Preco3() const { return FPreco3; }
    double Preco4() const { return FPreco4; }
    double Preco_Anterior() const { return FPreco_Anterior; }
    double Peso() const { return FPeso; }
    double AliqIcmsReg00() const { return FAliqIcmsReg00; }
    double BaseIcmsReg00() const { return FBaseIcmsReg00; }
    double AliqIcmsPdv() const { return FAliqIcmsPdv; }
    double ValorIpi() const { return FValorIpi; }
    double AliqIcmsReg02() const { return FAliqIcmsReg02; }
    double AliqIcmsDiversos() const { return FAliqIcmsDiversos; }
    double BaseIcmsdiversos() const { return FBaseIcmsdiversos; }
    double PercBaseSubsTribSaidaR1() const { return FPercBaseSubsTribSaidaR1; }
    double PercIcmsSubsTribSaidaR1() const { return FPercIcmsSubsTribSaidaR1; }
    double PercBaseSubsTribSaidaR2() const { return FPercBaseSubsTribSaidaR2; }
    double PercIcmsSubsTribSaidaR2() const { return FPercIcmsSubsTribSaidaR2; }
    double PercBaseSubsTribSaidaR3() const { return FPercBaseSubsTribSaidaR3; }
    double PercIcmsSubsTribSaidaR3() const { return FPercIcmsSubsTribSaidaR3; }
    double PercBaseSubsTribSaidaR4() const { return FPercBaseSubsTribSaidaR4; }
    double PercIcmsSubsTribSaidaR4() const { return FPercIcmsSubsTribSaidaR4; }
    double PrecoPromo() const { return FPrecoPromo; }
    double AliqIpi() const { return FAliqIpi; }
    double AliqIss() const { return FAliqIss; }
    double Lucro() const { return FLucro; }
    double Lucro2() const { return Flucro2; }
    double Lucro3() const { return FLucro3; }
    double EstMinimo() const { return FEstMinimo; }
    double EstMaximo() const { return FEstMaximo; }
    double AliqIcmsReg01() const { return FAliqIcmsReg01; }
    double BaseIcmsReg01() const { return FBaseIcmsReg01; }
    double AliqIcmsReg03() const { return FAliqIcmsReg03; }
    double LucroSubStrib() const { return Flucrosubstrib; }
    double PercBaseSubsTribSaida() const { return FPercBaseSubsTribSaida; }
    double PercIcmsSubsTribSaida() const { return FPercIcmsSubsTribSaida; }
    double Comissao() const { return FComissao; }
    QString SubsTrib() const { return FSubsTrib; }
    QString SubsTribSaida() const { return FSubsTribSaida; }
    double DescontoMaximo() const { return FDescontoMax; }
    QString Data_Ult_Alteracao() const { return FDataUltAlt; }
    double Lucro4() const { return FLucro4; }
    QString Fracionado() const { return FFracionado; }
    double Pr_Ult_Ent1() const { return FPrUltEnt1; }
    double BaseIcmsReg02() const { return FBaseIcmsReg02; }
    double BaseIcmsReg03() const { return FBaseIcmsReg03; }
    QString CodTribut01() const { return FCodTribut01; }
    double PercIva() const { return FPercIva; }
    double FatorConversao() const { return FFatorConversao; }
    QString CFOPForaUF() const { return FCFOPForaUF; }
    QString CFOPDentroUF() const { return FCFOPDentroUF; }
    QString MultiplicaDivide() const { return FMultiplicaDifica; }
    int Grade() const { return FGRADE; }
    QString CodGeneroItem() const { return FCodGeneroItem; }

    // Properties written unchanged.
    void SetData_Ult_Ent(const QDateTime& Value) { FData_Ult_Ent = Value; }
    void SetData_Ult_Rea(const QDateTime& Value) { FData_Ult_Rea = Value; }
    void SetDescontoMaximo(double Value) { FDescontoMax = Value; }
    void SetData_Ult_Alteracao(const QString& Value) { FDataUltAlt = Value; }
    void SetFracionado(const QString& Value) { FFracionado = Value; }
    void SetPr_Ult_Ent1(double Value) { FPrUltEnt1 = Value; }

    // Setters of the codes: zero-filled to their widths; a product or manufacturer code longer
    // than its width raises AppError instead of being cut into another product's code.
    void SetCodProd(const QString& Value);
    void SetPrincipalFornecedor(const QString& Value);
    void SetCodGrupo(const QString& Value);
    void SetCodSubGrupo(const QString& Value);
    void SetCodClasFis(const QString& Value);
    void SetFCodFabric(const QString& Value);
    void SetCodTribut00(const QString& Value);
    void SetCodTribut01(const QString& Value);
    void SetCodTribut02(const QString& Value);
    void SetCodTribut03(const QString& Value);
    void SetCodTributDiversos(const QString& Value);
    void SetCFOPForaUF(const QString& Value);
    void SetCFOPDentroUF(const QString& Value);

    // Setters of the texts: cut (and some trimmed) to the widths of their columns.
    void SetDescricao(const QString& Value);
    void SetDescricao2(const QString& Value);
    void SetDescricao3(const QString& Value);
    void SetReferencia(const QString& Value) { FReferencia = Value; }
    void SetRefFabricante(const QString& Value);
    void SetUnidEntrada(const QString& Value);
    void SetUnidSaida(const QString& Value);
    void SetCodFamilia(const QString& Value);
    void SetCodTipoProduto(const QString& Value);
    void SetDescricaoPreco(const QString& Value);
    void SetDescricaoPreco2(const QString& Value);
    void SetDescricaoPreco3(const QString& Value);
    void SetDescricaoPreco4(const QString& Value);
    void SetCodLocal(const QString& Value);
    void SetCampoLivre1(const QString& Value);
    void SetCampoLivre2(const QString& Value);
    void SetCampoLivre3(const QString& Value);
    void SetCampoLivre4(const QString& Value);
    void SetAtivado(const QString& Value);
    void SetEmbalagem(const QString& Value);
    void setCodVolume(const QString& Value);
    void setTipoEntrega(const QString& Value);
    void SetControleSerie(const QString& Value) { FControleSerie = Value; }
    void SetControleLote(const QString& Value) { FControleLote = Value; }
    void SetTipoProd(const QString& Value) { FTipoProd = Value; }
    void SetProdBloqueado(const QString& Value) { FProdBloqueado = Value; }
    void SetObservacao(const QString& Value) { FObservacao = Value; }
    void SetDt_Cadastro(const QString& Value) { FDt_Cadastro = Value; }
    void SetSubsTrib(const QString& Value) { FSubsTrib = Value; }
    void SetSubsTribSaida(const QString& Value) { FSubsTribSaida = Value; }
    void SetSubsTribSaidaR1(const QString& Value) { FSubsTribSaidaR1 = Value; }
    void SetSubsTribSaidaR2(const QString& Value) { FSubsTribSaidaR2 = Value; }
    void SetSubsTribSaidaR3(const QString& Value) { FSubsTribSaidaR3 = Value; }
    void SetSubsTribSaidaR4(const QString& Value) { FSubsTribSaidaR4 = Value; }
    void SetMensagem00(const QString& Value) { FMensagem00 = Value; }
    void SetMensagem01(const QString& Value) { FMensagem01 = Value; }
    void SetMensagem02(const QString& Value) { FMensagem02 = Value; }
    void SetMensagem03(const QString& Value) { FMensagem03 = Value; }
    void SetMensagemDiversos(const QString& Value) { FMensagemDiversos = Value; }
    void SetCodGeneroItem(const QString& Value) { FCodGeneroItem = Value; }
    void setFFornec_Ult_Ent1(const QString& Value) { FFornec_Ult_Ent1 = Value; }
    void setMultiplicaDivide(const QString& Value) { FMultiplicaDifica = Value; }

    // Setters of the numbers: stored as given.
    void SetPreco(double Value) { FPreco = Value; }
    void SetPreco2(double Value) { FPreco2 = Value; }
    void SetPreco3(double Value) { FPreco3 = Value; }
    void SetPreco4(double Value) { FPreco4 = Value; }
    void SetPrecoAnterior(double Value) { FPreco_Anterior = Value; }
    void SetPeso(double Value) { FPeso = Value; }
    void SetPrecoPromo(double Value) { FPrecoPromo = Value; }
    void SetValorIpi(double Value) { FValorIpi = Value; }
    void SetAliqIpi(double Value) { FAliqIpi = Value; }
    void SetAliqIss(double Value) { FAliqIss = Value; }
    void SetAliqIcmsPdv(double Value) { FAliqIcmsPdv = Value; }
    void SetAliqIcmsReg00(double Value) { FAliqIcmsReg00 = Value; }
    void SetAliqIcmsReg01(double Value) { FAliqIcmsReg01 = Value; }
    void SetAliqIcmsReg02(double Value) { FAliqIcmsReg02 = Value; }
    void SetAliqIcmsReg03(double Value) { FAliqIcmsReg03 = Value; }
    void SetAliqIcmsDiversos(double Value) { FAliqIcmsDiversos = Value; }
    void SetBaseicmsReg00(double Value) { FBaseIcmsReg00 = Value; }
    void SetBaseIcmsReg01(double Value) { FBaseIcmsReg01 = Value; }
    void SetBaseIcmsReg02(double Value) { FBaseIcmsReg02 = Value; }
    void SetBaseIcmsReg03(double Value) { FBaseIcmsReg03 = Value; }
    void SetBaseIcmsdiversos(double Value) { FBaseIcmsdiversos = Value; }
    void SetLucro(double Value) { FLucro = Value; }
    void setLucro2(double Value) { Flucro2 = Value; }
    void setLucro3(double Value) { FLucro3 = Value; }
    void setLucro4(double Value) { FLucro4 = Value; }
    void SetLucroSubStrib(double Value) { Flucrosubstrib = Value; }
    void SetEstMinimo(double Value) { FEstMinimo = Value; }
    void SetEstMaximo(double Value) { FEstMaximo = Value; }
    void SetComissao(double Value) { FComissao = Value; }
    void setPercIva(double Value) { FPercIva = Value; }
    void SetFatorConversao(double Value) { FFatorConversao = Value; }
    void SetPercBaseSubsTribSaida(double Value) { FPercBaseSubsTribSaida = Value; }
    void SetPercIcmsSubsTribSaida(double Value) { FPercIcmsSubsTribSaida = Value; }
    void SetPercBaseSubsTribSaidaR1(double Value) { FPercBaseSubsTribSaidaR1 = Value; }
    void SetPercBaseSubsTribSaidaR2(double Value) { FPercBaseSubsTribSaidaR2 = Value; }
    void SetPercBaseSubsTribSaidaR3(double Value) { FPercBaseSubsTribSaidaR3 = Value; }
    void SetPercBaseSubsTribSaidaR4(double Value) { FPercBaseSubsTribSaidaR4 = Value; }
    void SetPercIcmsSubsTribSaidaR1(double Value) { FPercIcmsSubsTribSaidaR1 = Value; }
    void SetPercIcmsSubsTribSaidaR2(double Value) { FPercIcmsSubsTribSaidaR2 = Value; }
    void SetPercIcmsSubsTribSaidaR3(double Value) { FPercIcmsSubsTribSaidaR3 = Value; }
    void SetPercIcmsSubsTribSaidaR4(double Value) { FPercIcmsSubsTribSaidaR4 = Value; }
    void SetGrade(int Value) { FGRADE = Value; }

private:
    QDateTime FData_Ult_Ent;
    QDateTime FData_Ult_Rea;
    QString FCodProd;
    QString FDescricao;
    QString FDescricao2;
    QString FDescricao3;
    QString FReferencia;
    QString FRefFabricante;
    QString FPrincipalFornecedor;
    QString FCodGrupo;
    QString FCodSubGrupo;
    QString FUnidEntrada;
    QString FUnidSaida;
    QString FCodFamilia;
    QString FCodTipoProduto;
    QString FDescricaoPreco;
    QString FDescricaoPreco2;
    QString FDescricaoPreco3;
    QString FDescricaoPreco4;
    QString FCodLocal;
    QString FCampoLivre1;
    QString FCampoLivre2;
    QString FCampoLivre3;
    QString FCampoLivre4;
    QString FObservacao;
    QString FControleSerie;
    QString FAtivado;
    QString FTipoProd;
    QString FProdBloqueado;
    QString FCodClasFis;
    QString FCodTribut00;
    QString FDt_Cadastro;
    QString FEmbalagem;
    QString FFornec_Ult_Ent1;
    QString FCodFabric;
    QString FCodVolume;
    QString FTipoEntrega;
    QString FMensagem00;
    QString FMensagem01;
    QString FCodTribut02;
    QString FCodTribut03;
    QString FMensagem02;
    QString FMensagem03;
    QString FControleLote;
    QString FCodTributDiversos;
    QString FMensagemDiversos;
    QString FSubsTribSaidaR1;
    QString FSubsTribSaidaR2;
    QString FSubsTribSaidaR3;
    QString FSubsTribSaidaR4;
    double FPreco = 0;
    double FPreco2 = 0;
    double FPreco3 = 0;
    double FPreco4 = 0;
    double FPreco_Anterior = 0;
    double FPeso = 0;
    double FAliqIcmsReg00 = 0;
    double FBaseIcmsReg00 = 0;
    double FAliqIcmsPdv = 0;
    double FValorIpi = 0;
    double FAliqIcmsReg02 = 0;
    double FAliqIcmsDiversos = 0;
    double FBaseIcmsdiversos = 0;
    double FPercBaseSubsTribSaidaR1 = 0;
    double FPercIcmsSubsTribSaidaR1 = 0;
    double FPercBaseSubsTribSaidaR2 = 0;
    double FPercIcmsSubsTribSaidaR2 = 0;
    double FPercBaseSubsTribSaidaR3 = 0;
    double FPercIcmsSubsTribSaidaR3 = 0;
    double FPercBaseSubsTribSaidaR4 = 0;
    double FPercIcmsSubsTribSaidaR4 = 0;
    double FPrecoPromo = 0;
    double FAliqIpi = 0;
    double FAliqIss = 0;
    double FLucro = 0;
    double Flucro2 = 0;
    double FLucro3 = 0;
    double FEstMinimo = 0;
    double FEstMaximo = 0;
    double FAliqIcmsReg01 = 0;
    double FBaseIcmsReg01 = 0;
    double FAliqIcmsReg03 = 0;
    double Flucrosubstrib = 0;
    double FPercBaseSubsTribSaida = 0;
    double FPercIcmsSubsTribSaida = 0;
    double FComissao = 0;
    QString FSubsTrib;
    QString FSubsTribSaida;
    double FDescontoMax = 0;
    QString FDataUltAlt;
    double FLucro4 = 0;
    QString FFracionado;
    double FPrUltEnt1 = 0;
    double FBaseIcmsReg02 = 0;
    double FBaseIcmsReg03 = 0;
    QString FCodTribut01;
    double FPercIva = 0;
    double FFatorConversao = 0;
    QString FCFOPForaUF;
    QString FCFOPDentroUF;
    QString FMultiplicaDifica;
    int FGRADE = 0;
    QString FCodGeneroItem;
};
