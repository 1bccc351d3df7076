#pragma once
#include "conversion/classConversao.h"
#include <QString>

// One row of CLIENTE. Every setter normalizes its value as it is assigned, so the fields always
// hold the text that goes into the statement; ExecutaSql writes the row and resets the record.
class TConverteCliente : public TConversao {
public:
    explicit TConverteCliente(TargetDatabase& cBanco);
    ~TConverteCliente() override;

    // Properties: the getter reads the field, the setter normalizes.
    const QString& CodCliente() const { return FCodCliente; }
    const QString& CodFornec() const { return FCodFornec; }
    const QString& Nome() const { return FNome; }
    const QString& Contato() const { return FContato; }
    const QString& NomeFantasia() const { return FNomeFantasia; }
    const QString& Endereco() const { return FEndereco; }
    const QString& EnderecoEntr() const { return FEnderecoEntr; }
    const QString& EnderecoCob() const { return FEnderecoCob; }
    const QString& Bairro() const { return FBairro; }
    const QString& BairroEntr() const { return FBairroEntr; }
    const QString& BairroCob() const { return FBairroCob; }
    const QString& CodCidade() const { return FCodCidade; }
    const QString& NomeCidade() const { return FNomeCidade; }
    const QString& CodCidadeEntr() const { return FCodCidadeEntr; }
    const QString& NomeCidadeEntr() const { return FNomeCidadeEntr; }
    const QString& CodCidadeCob() const { return FCodCidadeCob; }
    const QString& NomeCidadeCob() const { return FNomeCidadeCob; }
    const QString& Estado() const { return FEstado; }
    const QString& EstadoEntr() const { return FEstadoEntr; }
    const QString& EstadoCob() const { return FEstadoCob; }
    const QString& Cep() const { return FCep; }
    const QString& CepEntr() const { return FCepEntr; }
    const QString& CepCob() const { return FCepCob; }
    const QString& CgcCpf() const { return FCgcCpf; }
    const QString& InscEst() const { return FInscEst; }
    const QString& InscMunicipal() const { return FInscMunicipal; }
    const QString& Pessoa_FJ() const { return FPessoa_FJ; }
    const QString& Fone() const { return FFone; }
    const QString& Fax() const { return FFax; }
    const QString& PrefixCelular() const { return FPrefixCelular; }
    const QString& Celular() const { return FCelular; }
    const QString& Email() const { return FEmail; }
    const QString& HomePage() const { return FHomePage; }
    const QString& Ativo() const { return FAtivo; }
    const QString& NomeMae() const { return FNomeMae; }
    const QString& NomePai() const { return FNomePai; }
    const QString& CliBloqueado() const { return FCliBloqueado; }
    const QString& MalaDiretaEletr() const { return FMalaDiretaEletr; }
    const QString& ProtestarCliente() const { return FProtestarCliente; }
    const QString& DT_Nascimento() const { return FDT_Nascimento; }
    const QString& DT_Cadastro() const { return FDT_Cadastro; }
    const QString& Dt_Ult_Venda() const { return FDT_Ult_Venda; }
    const QString& DT_ValCad() const { return FDT_Valcad; }
    const QString& Observacao() const { return FObservacao; }
    const QString& CampoLivre1() const { return FCampoLivre1; }
    const QString& CampoLivre2() const { return FCampoLivre2; }
    const QString& CampoLivre3() const { return FCampoLivre3; }
    const QString& CampoLivre4() const { return FCampoLivre4; }
    const QString& CampoLivre5() const { return FCampoLivre5; }
    const QString& CampoLivre6() const { return FCampoLivre6; }
    const QString& CampoLivre7() const { return FCampoLivre7; }
    const QString& CampoLivre8() const { return FCampoLivre8; }
    const QString& CampoLivre9() const { return FCampoLivre9; }
    const QString& CampoLivre10() const { return FCampoLivre10; }
    const QString& CodPais() const { return FCodPais; }
    const QString& NomeSocio() const { return FNomeSocio; }
    double LimiteCredito() const { return FLimiteCredito; }
    const QString& CodSegmento() const { return FCodSegmento; }
    const QString& CodClasCli() const { return FCodClasCli; }
    const QString& CodVendend1() const { return FCodVendend1; }

    void SetCodCliente(const QString& Value);
    void SetCodFornec(const QString& Value);
    void SetNome(const QString& Value);
    void SetContato(const QString& Value);
    void SetNomeFantasia(const QString& Value);
    void SetEndereco(const QString& Value);
    void SetEnderecoEntr(const QString& Value);
    void SetEnderecoCob(const QString& Value);
    void SetBairro(const QString& Value);
    void SetBairroEntr(const QString& Value);
    void SetBairroCob(const QString& Value);
    void SetCodCidade(const QString& Value);
    void SetNomeCidade(const QString& Value);
    void SetCodCidadeEntr(const QString& Value);
    void SetNomeCidadeEntr(const QString& Value);
    void SetCodCidadeCob(const QString& Value);
    void SetNomeCidadeCob(const QString& Value);
    void SetEstado(const QString& Value);
    void SetEstadoEntr(const QString& Value);
    void SetEstadoCob(const QString& Value);
    void SetCep(const QString& Value);
    void SetCepEntr(const QString& Value);
    void SetCepCob(const QString& Value);
    void SetCgcCpf(const QString& Value);
    void SetInscEst(const QString& Value);
    void SetInscMunicipal(const QString& Value);
    void SetPessoa_FJ(const QString& Value);
    void SetFone(const QString& Value);
    void SetFax(const QString& Value);
    void SetPrefixCelular(const QString& Value);
    void SetCelular(const QString& Value);
    void SetEmail(const QString& Value);
    void SetHomePage(const QString& Value);
    void SetAtivo(const QString& Value);
    void SetNomeMae(const QString& Value);
    void SetNomePai(const QString& Value);
    void SetCliBloqueado(const QString& Value);
    void SetMalaDiretaEletr(const QString& Value);
    void SetProtestarCliente(const QString& Value);
    void SetDT_Nascimento(const QString& Value);
    void SetDT_Cadastro(const QString& Value);
    void SetDt_Ult_Venda(const QString& Value);
    void SetDT_Valcad(const QString& Value);
    void SetObsercacao(const QString& Value);
    void SetCampoLivre1(const QString& Value);
    void SetCampoLivre2(const QString& Value);
    void SetCampoLivre3(const QString& Value);
    void SetCampoLivre4(const QString& Value);
    void SetCampoLivre5(const QString& Value);
    void SetCampoLivre6(const QString& Value);
    void SetCampoLivre7(const QString& Value);
    void SetCampoLivre8(const QString& Value);
    void SetCampoLivre9(const QString& Value);
    void SetCampoLivre10(const QString& Value);
    void SetCodPais(const QString& Value);
    void SetNomeSocio(const QString& Value);
    void SetLimiteCredito(double Value);
    void SetCodSegmento(const QString& Value);
    void SetCodClasCli(const QString& Value);
    void SetCodVendend1(const QString& Value);

    // Back to the values every customer starts from.
    void LimpaVariavel();

    // Statement texts for the current record; they change nothing.
    QString MontaSqlInsere() const;
    QString AtualizaCliente() const;
    // 1 inserts the record, 2 updates the row with its code; then the record is reset.
    bool ExecutaSql(int Acao);
    // Empties CLIENTE and commits (the run's commit point before the customers).
    void LimpaTabela();
    void GravaNCliente(int Quant);

private:
    // A code cleaned of quotes, blanks and mask, zero-filled to Largura; a longer code raises.
    QString FCodigoLimpo(const QString& Value, int Largura, const QString& Campo) const;

    QString FCodCliente;
    QString FCodFornec;
    QString FNome;
    QString FContato;
    QString FNomeFantasia;
    QString FEndereco;
    QString FEnderecoEntr;
    QString FEnderecoCob;
    QString FBairro;
    QString FBairroEntr;
    QString FBairroCob;
    QString FCodCidade;
    QString FNomeCidade;
    QString FCodCidadeEntr;
    QString FNomeCidadeEntr;
    QString FCodCidadeCob;
    QString FNomeCidadeCob;
    QString FEstado;
    QString FEstadoEntr;
    QString FEstadoCob;
    QString FCep;
    QString FCepEntr;
    QString FCepCob;
    QString FCgcCpf;
    QString FInscEst;
    QString FInscMunicipal;
    QString FPessoa_FJ;
    QString FFone;
    QString FFax;
    QString FPrefixCelular;
    QString FCelular;
    QString FEmail;
    QString FHomePage;
    QString FAtivo;
    QString FNomeMae;
    QString FNomePai;
    QString FCliBloqueado;
    QString FMalaDiretaEletr;
    QString FProtestarCliente;
    QString FDT_Nascimento;
    QString FDT_Cadastro;
    QString FDT_Ult_Venda;
    QString FDT_Valcad;
    QString FObservacao;
    QString FCampoLivre1;
    QString FCampoLivre2;
    QString FCampoLivre3;
    QString FCampoLivre4;
    QString FCampoLivre5;
    QString FCampoLivre6;
    QString FCampoLivre7;
    QString FCampoLivre8;
    QString FCampoLivre9;
    QString FCampoLivre10;
    QString FCodPais;
    QString FNomeSocio;
    double FLimiteCredito = 0;
    QString FCodSegmento;
    QString FCodClasCli;
    QString FCodVendend1;
};
