#include "entities/Fornecedor.h"
#include "conversion/ColunasComando.h"
#include "conversion/TextRules.h"
#include "common/AppError.h"
#include "db/TargetQuery.h"
#include <QStringList>

namespace {

// Single quotes (apostrophes) are dropped from every value, not doubled: the insert quotes what is left.
QString semApostrofos(const QString& v) { return TextRules::removeChar(v, QLatin1Char('\'')); }

// A code loses its single quotes and blanks before the code rule applies.
QString codigoLimpo(const QString& Value) { return TextRules::trim(semApostrofos(Value)); }

}  // namespace

TConverteFornece::TConverteFornece(TargetDatabase& cBanco) : TConversao(cBanco)
{
    LimpaVariavel();
}

void TConverteFornece::SetCodFornec(const QString& Value)
{
    FCodFornec = codigoZerado(codigoLimpo(Value), 6, QStringLiteral("Código do fornecedor"), Value);
}

void TConverteFornece::SetCodcliente(const QString& Value)
{
    FCodCliente = codigoZerado(codigoLimpo(Value), 8, QStringLiteral("Código do cliente"), Value);
}

void TConverteFornece::SetNome(const QString& Value)
{
    FNome = TextRules::left(TextRules::trim(semApostrofos(Value)), 50);
}

void TConverteFornece::SetNomeFantasia(const QString& Value)
{
    FNomeFantasia = TextRules::left(TextRules::trim(semApostrofos(Value)), 40);
}

void TConverteFornece::SetContato(const QString& Value)
{
    FContato = TextRules::left(TextRules::trim(semApostrofos(Value)), 30);
}

void TConverteFornece::SetEndereco(const QString& Value) { FEndereco = TextRules::left(semApostrofos(Value), 50); }

void TConverteFornece::SetBairro(const QString& Value)
{
    FBairro = TextRules::left(TextRules::trim(semApostrofos(Value)), 30);
}

// The mask goes before the cut: a masked CEP such as 30.130-000 is ten characters long and
// would otherwise lose its last digit.
void TConverteFornece::SetCep(const QString& Value)
{
    FCep = TextRules::left(FRemoveCaracter(TextRules::trim(semApostrofos(Value))), 9);
}

void TConverteFornece::SetCodCidade(const QString& Value)
{
    const QString v = codigoLimpo(Value);
    FCodCidade = v.isEmpty() ? QString() : codigoZerado(v, 5, QStringLiteral("Código da cidade"), Value);
}

void TConverteFornece::SetNomeCidade(const QString& Value)
{
    FNomeCidade = TextRules::left(TextRules::trim(semApostrofos(Value)), 30);
}

void TConverteFornece::SetNumero(const QString& Value) { FNumero = TextRules::left(semApostrofos(Value), 10); }

void TConverteFornece::SetComplemento(const QString& Value)
{
    FComplemento = TextRules::trim(TextRules::left(semApostrofos(Value), 60));
}

void TConverteFornece::SetEstado(const QString& Value) { FEstado = TextRules::left(semApostrofos(Value), 2); }

void TConverteFornece::SetInscMunicipal(const QString& Value)
{
    FInscMunicipal = TextRules::left(TiraMascara(semApostrofos(Value)), 15);
}

void TConverteFornece::SetPessoa_FJ(const QString& Value) { FPessoa_FJ = TextRules::left(semApostrofos(Value), 1); }

void TConverteFornece::SetCgcCpf(const QString& Value)
{
    FCgcCpf = FRemoveCaracter(TextRules::left(TiraMascara(semApostrofos(Value)), 14));
}

void TConverteFornece::SetInscEst(const QString& Value)
{
    FInscEst = FRemoveCaracter(TextRules::left(TiraMascara(semApostrofos(Value)), 15));
}

// Telephones are normalized before the cut, so a masked number keeps all its digits.
void TConverteFornece::SetFone(const QString& Value)
{
    FFone = TextRules::left(FValidaTelefone(semApostrofos(Value)), 15);
}

void TConverteFornece::SetFax(const QString& Value)
{
    FFax = TextRules::left(FValidaTelefone(semApostrofos(Value)), 15);
}

void TConverteFornece::SetCelular(const QString& Value)
{
    FCelular = TextRules::left(TiraMascara(semApostrofos(Value)), 15);
}

void TConverteFornece::SetEmail(const QString& Value) { FEmail = TextRules::trim(semApostrofos(Value)); }

void TConverteFornece::SetHomePage(const QString& Value) { FHomePage = TextRules::left(semApostrofos(Value), 30); }

void TConverteFornece::SetCampoLivre1(const QString& Value)
{
    FCampoLivre1 = TextRules::left(TextRules::trim(semApostrofos(Value)), 20);
}

void TConverteFornece::SetCampoLivre2(const QString& Value)
{
    FCampoLivre2 = TextRules::left(TextRules::trim(semApostrofos(Value)), 20);
}

void TConverteFornece::SetContaCx(const QString& Value)
{
    FContaCx = TextRules::left(TextRules::trim(semApostrofos(Value)), 7);
}

void TConverteFornece::SetCTCTbred(const QString& Value)
{
    FCTCTbred = TextRules::left(TextRules::trim(semApostrofos(Value)), 7);
}

void TConverteFornece::Setobservacao(const QString& Value) { FObservacao = TextRules::left(semApostrofos(Value), 100); }

// The flag keeps a quote it is given; the insert doubles it.
void TConverteFornece::SetAtivo(const QString& Value) { FAtivo = TextRules::upper(TextRules::left(Value, 1)); }

void TConverteFornece::SetTipoFornece(const QString& Value) { FTipoFornece = semApostrofos(Value); }

void TConverteFornece::LimpaVariavel()
{
    const QString vazio;
    SetCodFornec(vazio);
    SetNome(vazio);
    SetNomeFantasia(vazio);
    SetContato(vazio);
    SetEndereco(vazio);
    SetBairro(vazio);
    SetCep(vazio);
    SetCodCidade(vazio);
    SetNomeCidade(vazio);
    SetNumero(vazio);
    SetComplemento(vazio);
    SetEstado(vazio);
    SetInscMunicipal(vazio);
    SetPessoa_FJ(vazio);
    SetCgcCpf(vazio);
    SetInscEst(vazio);
    Setobservacao(vazio);
    SetFone(vazio);
    SetFax(vazio);
    SetCelular(vazio);
    SetEmail(vazio);
    SetHomePage(vazio);
    SetCampoLivre1(vazio);
    SetCampoLivre2(vazio);
    SetTipoFornece(vazio);
}

void TConverteFornece::LimpaTabela()
{
    esvaziaTabela(QStringLiteral("Delete from FORNECE"), QStringLiteral("Commit;"));
}

QString TConverteFornece::MontaSql() const
{
    const std::pair<const char*, const QString*> colunas[] = {
        {"fornece.CodFornec", &FCodFornec},       {"fornece.Nome", &FNome},
        {"fornece.NomeFantasia", &FNomeFantasia}, {"fornece.Contato", &FContato},
        {"fornece.Endereco", &FEndereco},         {"fornece.Bairro", &FBairro},
        {"fornece.Cep", &FCep},                   {"fornece.CodCidade", &FCodCidade},
        {"fornece.Numero", &FNumero},             {"fornece.Complemento", &FComplemento},
        {"fornece.Estado", &FEstado},             {"fornece.InscMunicipal", &FInscMunicipal},
        {"fornece.Pessoa_FJ", &FPessoa_FJ},       {"fornece.CgcCpf", &FCgcCpf},
        {"fornece.InscEst", &FInscEst},           {"fornece.observacao", &FObservacao},
        {"fornece.Fone", &FFone},                 {"fornece.Fax", &FFax},
        {"fornece.Celular", &FCelular},           {"fornece.Email", &FEmail},
        {"fornece.HomePage", &FHomePage},         {"fornece.CampoLivre1", &FCampoLivre1},
        {"fornece.CampoLivre2", &FCampoLivre2},   {"fornece.codcliente", &FCodCliente},
        {"fornece.ativo", &FAtivo},               {"fornece.TipoFornece", &FTipoFornece},
        {"fornece.contacx", &FContaCx},           {"fornece.ctctbred", &FCTCTbred},
    };
    ColunasComando c;
    for (const auto& [coluna, valor] : colunas)
        c.texto(coluna, *valor);
    return c.insercao(u"Insert Into fornece (", u") Values (", u") ");
}

void TConverteFornece::GravaFornecedor()
{
    QDestino->setSql(MontaSql());
    QDestino->execSql();
    LimpaVariavel();
}
