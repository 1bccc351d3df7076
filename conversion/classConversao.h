#pragma once
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/TargetTransaction.h"
#include <QString>
#include <memory>

// Base of every converter: two target queries on the given connection, the transaction helpers,
// table clearing and trigger switching, the value normalization and the reference lookups.
// Plain objects of this class serve the controller (transactions) and the fillers (lookups).
class TConversao {
public:
    explicit TConversao(TargetDatabase& cBanco);
    virtual ~TConversao();
    TConversao(const TConversao&) = delete;
    TConversao& operator=(const TConversao&) = delete;

    int QuantRegistro() const { return FQuantRegistro; }
    int NumRegistroAtual() const { return FNumRegistroAtual; }
    void SetQuantRegistro(int Value) { FQuantRegistro = Value; }
    void SetNumRegistroAtual(int Value) { FNumRegistroAtual = Value; }

    // Transaction helpers: never raise for an inactive transaction.
    void PIniciaTransacao(TargetTransaction& Transacao);
    void PConfirmaTransacao(TargetTransaction& Transacao);
    void PCancelaTransacao(TargetTransaction& Transacao);

    void PLimpaTabela(const QString& NomeTabela);
    void DesativaTriggers(TargetDatabase& DbDestino, TargetTransaction& Transacao);
    void AtivaTriggers(TargetDatabase& DbDestino, TargetTransaction& Transacao);

    // Value normalization (pure text functions).
    QString StrZero(const QString& Valor, int Qtd) const;
    // The rule of every code written to the target: the code, already cleaned by its field's
    // rule, is zero-filled to the column's width; one longer than the column is refused, because
    // cutting it would make it another row's code. The message shows the cleaned value (what was
    // measured) and, when cleaning changed it, the value as the source holds it.
    QString codigoZerado(const QString& limpo, int largura, const QString& campo, const QString& lido) const;
    QString TiraMascara(const QString& Valor) const;
    QString FValidaData(QString& Data) const;
    QString FValidaTelefone(const QString& Tel) const;
    QString FVirgulaPonto(const QString& Valor) const;
    QString FRemoveCaracter(const QString& Valor) const;
    QString FRetiraAcento(const QString& Valor) const;
    QString FRetiraTraco(const QString& Valor) const;
    QString FRetornaFJ(const QString& sCNPJ_CPF) const;
    // The classification number in its one normalized form: without the punctuation that
    // FRemoveCaracter removes and without any blank or control character, then at most Largura
    // characters (8 for CODIGONCM and the products' lookup, 20 for CODNBM). The fiscal-class
    // converter stores it and the lookup searches it, so every spelling of one number meets.
    QString FNormalizaNCM(const QString& ClasFis, int Largura = 8) const;

    // Reference lookups: find the row or create it with the next code.
    QString FCidade(const QString& Cidade, const QString& Estado);
    QString FGrupo(const QString& Grupo);
    QString FGrupoComCodigoPredefinido(const QString& CodGrupo, const QString& Descricao);
    QString FSubGrupoComCodigoPredefinido(const QString& CodGrupo, const QString& CodSubgrupo,
                                          const QString& Descricao);
    QString FFabricante(const QString& Fabricante);
    QString FPais(const QString& Pais);
    QString FClasCli(const QString& ClasCli);
    QString FLocalProd(const QString& LocalProd);
    QString FUnidade(const QString& VFUNID);
    QString FRetornaCodClasFis(const QString& ClasFis);

    TargetDatabase& banco() const { return cnBanco; }

protected:
    // Empties a target table: the delete, then the commit, each by its exact text.
    void esvaziaTabela(const QString& apaga, const QString& confirma);

    int FQuantRegistro = 0;
    int FNumRegistroAtual = 0;
    std::unique_ptr<TargetQuery> QDestino;
    std::unique_ptr<TargetQuery> QAuxiliar;
    TargetDatabase& cnBanco;

public:
    bool ErroGravacao = false;
    bool Acao = false;
};
