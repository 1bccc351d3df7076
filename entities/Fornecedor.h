#pragma once
#include "conversion/classConversao.h"
#include <QString>

// One supplier record of FORNECE. Every setter drops the single quotes of its value and then
// normalizes it to the column's shape; GravaFornecedor inserts the record and resets it.
class TConverteFornece : public TConversao {
public:
    explicit TConverteFornece(TargetDatabase& cBanco);

    const QString& CodFornec() const { return FCodFornec; }
    const QString& CodCliente() const { return FCodCliente; }
    const QString& Nome() const { return FNome; }
    const QString& NomeFantasia() const { return FNomeFantasia; }
    const QString& Contato() const { return FContato; }
    const QString& Endereco() const { return FEndereco; }
    const QString& Bairro() const { return FBairro; }
    const QString& Cep() const { return FCep; }
    const QString& CodCidade() const { return FCodCidade; }
    const QString& NomeCidade() const { return FNomeCidade; }
    const QString& Numero() const { return FNumero; }
    const QString& Complemento() const { return FComplemento; }
    const QString& Estado() const { return FEstado; }
    const QString& InscMunicipal() const { return FInscMunicipal; }
    const QString& Pessoa_FJ() const { return FPessoa_FJ; }
    const QString& CgcCpf() const { return FCgcCpf; }
    const QString& InscEst() const { return FInscEst; }
    const QString& Fone() const { return FFone; }
    const QString& Fax() const { return FFax; }
    const QString& Celular() const { return FCelular; }
    const QString& Email() const { return FEmail; }
    const QString& HomePage() const { return FHomePage; }
    const QString& CampoLivre1() const { return FCampoLivre1; }
    const QString& CampoLivre2() const { return FCampoLivre2; }
    const QString& ContaCx() const { return FContaCx; }
    const QString& CTCTbred() const { return FCTCTbred; }
    const QString& Observacao() const { return FObservacao; }
    const QString& Ativo() const { return FAtivo; }
    const QString& TipoFornece() const { return FTipoFornece; }

    // Codes: a cleaned code longer than its width raises AppError instead of being cut.
    void SetCodFornec(const QString& Value);
    void SetCodcliente(const QString& Value);
    void SetNome(const QString& Value);
    void SetNomeFantasia(const QString& Value);
    void SetContato(const QString& Value);
    void SetEndereco(const QString& Value);
    void SetBairro(const QString& Value);
    void SetCep(const QString& Value);
    void SetCodCidade(const QString& Value);
    void SetNomeCidade(const QString& Value);
    void SetNumero(const QString& Value);
    void SetComplemento(const QString& Value);
    void SetEstado(const QString& Value);
    void SetInscMunicipal(const QString& Value);
    void SetPessoa_FJ(const QString& Value);
    void SetCgcCpf(const QString& Value);
    void SetInscEst(const QString& Value);
    void SetFone(const QString& Value);
    void SetFax(const QString& Value);
    void SetCelular(const QString& Value);
    void SetEmail(const QString& Value);
    void SetHomePage(const QString& Value);
    void SetCampoLivre1(const QString& Value);
    void SetCampoLivre2(const QString& Value);
    void SetContaCx(const QString& Value);
    void SetCTCTbred(const QString& Value);
    void Setobservacao(const QString& Value);
    void SetAtivo(const QString& Value);
    void SetTipoFornece(const QString& Value);

    // Resets the record between suppliers; CodCliente, ContaCx, CTCTbred and Ativo keep
    // their last value.
    void LimpaVariavel();
    // Empties FORNECE and commits (the transaction restarts with the next statement).
    void LimpaTabela();
    QString MontaSql() const;
    // Inserts the record; on failure the record is kept and the error passed on.
    void GravaFornecedor();

private:
    QString FCodFornec;
    QString FCodCliente;
    QString FNome;
    QString FNomeFantasia;
    QString FContato;
    QString FEndereco;
    QString FBairro;
    QString FCep;
    QString FCodCidade;
    QString FNomeCidade;
    QString FNumero;
    QString FComplemento;
    QString FEstado;
    QString FInscMunicipal;
    QString FPessoa_FJ;
    QString FCgcCpf;
    QString FInscEst;
    QString FFone;
    QString FFax;
    QString FCelular;
    QString FEmail;
    QString FHomePage;
    QString FCampoLivre1;
    QString FCampoLivre2;
    QString FContaCx;
    QString FCTCTbred;
    QString FObservacao;
    QString FAtivo;
    QString FTipoFornece;
};
