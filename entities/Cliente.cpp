#include "entities/Cliente.h"
#include "conversion/ColunasComando.h"
#include "conversion/TextRules.h"
#include "common/AppError.h"

namespace {
const QChar kAspas = QLatin1Char('"');

// Removes the double quotes one by one; after each removal the setter's own steps run on the
// joined text, because a quote in the middle of a legacy value shifts what the cut keeps.
template <typename Passo>
QString semAspas(QString val, Passo porPassagem)
{
    for (int p = val.indexOf(kAspas); p >= 0; p = val.indexOf(kAspas))
        val = porPassagem(val.left(p) + val.mid(p + 1));
    return val;
}

QString semAspas(const QString& val)
{
    return semAspas(val, [](const QString& t) { return t; });
}

QString todasSemAspas(const QString& val)
{
    QString t = val;
    t.remove(kAspas);
    return t;
}

QString q(const QString& t) { return TextRules::quoted(t); }

// Free text: trimmed and cut to the column, before and after the quotes are gone.
QString textoAparado(const QString& Value, int largura)
{
    const auto passo = [largura](const QString& t) { return TextRules::left(TextRules::trim(t), largura); };
    return TextRules::left(TextRules::trim(semAspas(Value, passo)), largura);
}

// Free text cut to the column without trimming.
QString textoCortado(const QString& Value, int largura)
{
    const auto passo = [largura](const QString& t) { return TextRules::left(t, largura); };
    return TextRules::left(semAspas(Value, passo), largura);
}

QString barrasParaPontos(QString t)
{
    t.replace(QLatin1Char('/'), QLatin1Char('.'));
    return t;
}
}  // namespace

TConverteCliente::TConverteCliente(TargetDatabase& cBanco) : TConversao(cBanco)
{
    LimpaVariavel();
}

TConverteCliente::~TConverteCliente()
{
    QDestino.reset();
}

QString TConverteCliente::FCodigoLimpo(const QString& Value, int Largura, const QString& Campo) const
{
    return codigoZerado(TiraMascara(TextRules::trim(todasSemAspas(Value))), Largura, Campo, Value);
}

void TConverteCliente::SetCodCliente(const QString& Value)
{
    FCodCliente = FCodigoLimpo(Value, 8, QStringLiteral("Código do cliente"));
}

void TConverteCliente::SetCodFornec(const QString& Value) { FCodFornec = semAspas(Value); }
void TConverteCliente::SetNome(const QString& Value) { FNome = textoAparado(Value, 60); }

void TConverteCliente::SetContato(const QString& Value)
{
    FContato = TextRules::left(TextRules::trim(semAspas(Value, TextRules::trim)), 50);
}

void TConverteCliente::SetNomeFantasia(const QString& Value)
{
    const auto passo = [](const QString& t) { return TextRules::left(t, 50); };
    FNomeFantasia = TextRules::left(TextRules::trim(semAspas(Value, passo)), 50);
}

void TConverteCliente::SetEndereco(const QString& Value) { FEndereco = textoAparado(Value, 60); }
void TConverteCliente::SetEnderecoEntr(const QString& Value) { FEnderecoEntr = textoAparado(Value, 60); }
void TConverteCliente::SetEnderecoCob(const QString& Value) { FEnderecoCob = textoAparado(Value, 60); }
void TConverteCliente::SetBairro(const QString& Value) { FBairro = textoCortado(Value, 30); }
void TConverteCliente::SetBairroEntr(const QString& Value) { FBairroEntr = textoCortado(Value, 30); }

void TConverteCliente::SetBairroCob(const QString& Value)
{
    const auto passo = [](const QString& t) { return TextRules::left(TextRules::trim(t), 60); };
    FBairroCob = TextRules::left(TextRules::trim(semAspas(Value, passo)), 30);
}

namespace {
// City codes come from the city lookup; a blank one means "no city".
QString codigoCidade(const TConversao& c, const QString& Value)
{
    const QString v = TextRules::trim(todasSemAspas(Value));
    return v.isEmpty() ? QString() : c.codigoZerado(v, 5, QStringLiteral("Código da cidade"), Value);
}
}  // namespace

void TConverteCliente::SetCodCidade(const QString& Value) { FCodCidade = codigoCidade(*this, Value); }
void TConverteCliente::SetCodCidadeEntr(const QString& Value) { FCodCidadeEntr = codigoCidade(*this, Value); }
void TConverteCliente::SetCodCidadeCob(const QString& Value) { FCodCidadeCob = codigoCidade(*this, Value); }
void TConverteCliente::SetNomeCidade(const QString& Value) { FNomeCidade = textoCortado(Value, 30); }
void TConverteCliente::SetNomeCidadeEntr(const QString& Value) { FNomeCidadeEntr = textoCortado(Value, 30); }
void TConverteCliente::SetNomeCidadeCob(const QString& Value) { FNomeCidadeCob = textoCortado(Value, 30); }

// States are upper-cased over the whole character set, as the city lookup upper-cases the
// state of the city, so that the two agree.
void TConverteCliente::SetEstado(const QString& Value)
{
    FEstado = TextRules::upperWin1252(textoCortado(Value, 2));
}

void TConverteCliente::SetEstadoEntr(const QString& Value)
{
    const auto passo = [](const QString& t) { return TextRules::left(TextRules::trim(t), 60); };
    FEstadoEntr = TextRules::upperWin1252(TextRules::left(TextRules::trim(semAspas(Value, passo)), 2));
}

void TConverteCliente::SetEstadoCob(const QString& Value)
{
    const auto passo = [](const QString& t) { return TextRules::left(t, 20); };
    FEstadoCob = TextRules::upperWin1252(TextRules::left(semAspas(Value, passo), 2));
}

namespace {
// Documents: the mask goes before the cut, so no digit is lost to punctuation.
QString documento(const TConversao& c, const QString& Value, int largura, bool removeCaracter)
{
    const auto passo = [&c, largura](const QString& t) { return TextRules::left(c.TiraMascara(t), largura); };
    const QString v = passo(semAspas(Value, passo));
    return removeCaracter ? c.FRemoveCaracter(v) : v;
}
}  // namespace

void TConverteCliente::SetCep(const QString& Value) { FCep = documento(*this, Value, 8, true); }
void TConverteCliente::SetCepEntr(const QString& Value) { FCepEntr = documento(*this, Value, 8, true); }
void TConverteCliente::SetCepCob(const QString& Value) { FCepCob = documento(*this, Value, 8, true); }
void TConverteCliente::SetCgcCpf(const QString& Value) { FCgcCpf = documento(*this, Value, 18, true); }
void TConverteCliente::SetInscEst(const QString& Value) { FInscEst = documento(*this, Value, 15, true); }
void TConverteCliente::SetInscMunicipal(const QString& Value) { FInscMunicipal = documento(*this, Value, 15, false); }
void TConverteCliente::SetPessoa_FJ(const QString& Value) { FPessoa_FJ = TextRules::left(semAspas(Value), 1); }

// Telephones: the mask and the telephone rules run on the whole number, the cut comes last,
// so the digits of a masked number are not lost to its punctuation.
void TConverteCliente::SetFone(const QString& Value)
{
    FFone = TextRules::left(FValidaTelefone(TiraMascara(TextRules::trim(todasSemAspas(Value)))), 15);
}

void TConverteCliente::SetFax(const QString& Value)
{
    const auto passo = [this](const QString& t) { return TextRules::left(TiraMascara(TextRules::trim(t)), 15); };
    FFax = FValidaTelefone(passo(semAspas(Value, passo)));
}

void TConverteCliente::SetPrefixCelular(const QString& Value)
{
    FPrefixCelular = TextRules::left(TiraMascara(todasSemAspas(Value)), 4);
}

void TConverteCliente::SetCelular(const QString& Value)
{
    FCelular = TextRules::left(TiraMascara(todasSemAspas(Value)), 20);
}

void TConverteCliente::SetEmail(const QString& Value) { FEmail = textoAparado(Value, 60); }
void TConverteCliente::SetHomePage(const QString& Value) { FHomePage = textoAparado(Value, 30); }
void TConverteCliente::SetAtivo(const QString& Value) { FAtivo = TextRules::left(semAspas(Value), 1); }
void TConverteCliente::SetNomeMae(const QString& Value) { FNomeMae = semAspas(Value); }
void TConverteCliente::SetNomePai(const QString& Value) { FNomePai = semAspas(Value); }
void TConverteCliente::SetCliBloqueado(const QString& Value) { FCliBloqueado = TextRules::left(semAspas(Value), 1); }
void TConverteCliente::SetMalaDiretaEletr(const QString& Value) { FMalaDiretaEletr = semAspas(Value); }
void TConverteCliente::SetProtestarCliente(const QString& Value) { FProtestarCliente = semAspas(Value); }

// Dates are kept as DD.MM.YYYY text. Birth and registration dates that cannot be read keep the
// source text (with "." for "/"), the other two become empty.
void TConverteCliente::SetDT_Nascimento(const QString& Value)
{
    if (Value.isEmpty()) {
        FDT_Nascimento = QString();
        return;
    }
    QString Data = Value;
    QString r = barrasParaPontos(FValidaData(Data));
    FDT_Nascimento = r.isEmpty() ? barrasParaPontos(Value) : r;
}

void TConverteCliente::SetDT_Cadastro(const QString& Value)
{
    // An empty value reads as today's date.
    QString Data = Value;
    QString r = barrasParaPontos(FValidaData(Data));
    FDT_Cadastro = r.isEmpty() ? barrasParaPontos(Value) : r;
}

void TConverteCliente::SetDt_Ult_Venda(const QString& Value)
{
    QString Data = Value;
    FDT_Ult_Venda = barrasParaPontos(FValidaData(Data));
}

void TConverteCliente::SetDT_Valcad(const QString& Value)
{
    QString Data = Value;
    FDT_Valcad = barrasParaPontos(FValidaData(Data));
}

void TConverteCliente::SetObsercacao(const QString& Value) { FObservacao = textoCortado(Value, 100); }
void TConverteCliente::SetCampoLivre1(const QString& Value) { FCampoLivre1 = textoCortado(Value, 20); }
void TConverteCliente::SetCampoLivre2(const QString& Value) { FCampoLivre2 = textoCortado(Value, 20); }
void TConverteCliente::SetCampoLivre3(const QString& Value) { FCampoLivre3 = textoCortado(Value, 60); }
void TConverteCliente::SetCampoLivre4(const QString& Value) { FCampoLivre4 = textoCortado(Value, 60); }
void TConverteCliente::SetCampoLivre5(const QString& Value) { FCampoLivre5 = textoCortado(Value, 40); }
void TConverteCliente::SetCampoLivre6(const QString& Value) { FCampoLivre6 = textoCortado(Value, 40); }
void TConverteCliente::SetCampoLivre7(const QString& Value) { FCampoLivre7 = textoCortado(Value, 40); }
void TConverteCliente::SetCampoLivre8(const QString& Value) { FCampoLivre8 = textoCortado(Value, 40); }
void TConverteCliente::SetCampoLivre9(const QString& Value) { FCampoLivre9 = textoCortado(Value, 40); }
void TConverteCliente::SetCampoLivre10(const QString& Value) { FCampoLivre10 = textoCortado(Value, 40); }

void TConverteCliente::SetCodPais(const QString& Value)
{
    // A blank country leaves the code that was there.
    if (TextRules::trim(Value).isEmpty())
        return;
    FCodPais = FCodigoLimpo(Value, 4, QStringLiteral("Código do país"));
}

void TConverteCliente::SetNomeSocio(const QString& Value) { FNomeSocio = textoCortado(Value, 50); }
void TConverteCliente::SetLimiteCredito(double Value) { FLimiteCredito = Value; }
void TConverteCliente::SetCodSegmento(const QString& Value) { FCodSegmento = semAspas(Value); }

void TConverteCliente::SetCodClasCli(const QString& Value)
{
    const QString v = semAspas(Value);
    if (!v.isEmpty())
        FCodClasCli = v;
}

void TConverteCliente::SetCodVendend1(const QString& Value) { FCodVendend1 = semAspas(Value); }

void TConverteCliente::LimpaVariavel()
{
    const QString vazio;
    SetCodCliente(vazio);
    SetNome(vazio);
    SetNomeFantasia(vazio);
    SetEndereco(vazio);
    SetEnderecoEntr(vazio);
    SetEnderecoCob(vazio);
    SetBairro(vazio);
    SetBairroEntr(vazio);
    SetBairroCob(vazio);
    SetCodCidade(vazio);
    SetCodCidadeEntr(vazio);
    SetCodCidadeCob(vazio);
    SetEstado(vazio);
    SetEstadoEntr(vazio);
    SetEstadoCob(vazio);
    SetCep(vazio);
    SetCepEntr(vazio);
    SetCepCob(vazio);
    SetCgcCpf(vazio);
    SetInscEst(vazio);
    SetPessoa_FJ(QStringLiteral("F"));
    SetFone(vazio);
    SetFax(vazio);
    SetPrefixCelular(vazio);
    SetCelular(vazio);
    SetEmail(vazio);
    SetHomePage(vazio);
    SetAtivo(QStringLiteral("S"));
    SetCliBloqueado(QStringLiteral("N"));
    SetMalaDiretaEletr(QStringLiteral("N"));
    SetProtestarCliente(QStringLiteral("N"));
    SetDT_Nascimento(vazio);
    SetDT_Cadastro(vazio);
    SetCampoLivre1(vazio);
    SetCampoLivre2(vazio);
    SetCampoLivre3(vazio);
    SetCampoLivre4(vazio);
    SetCampoLivre5(vazio);
    SetCampoLivre6(vazio);
    SetCampoLivre7(vazio);
    SetCampoLivre8(vazio);
    SetCampoLivre9(vazio);
    SetCampoLivre10(vazio);
    SetCodPais(vazio);
    SetObsercacao(vazio);
}

QString TConverteCliente::MontaSqlInsere() const
{
    QString MCampoSql = QStringLiteral(
        " Insert Into Cliente ( cliente.codCliente, cliente.nome, cliente.nomefantasia , cliente.endereco, "
        "cliente.bairro, cliente.codcidade, cliente.estado, cliente.cep, cliente.cgccpf, cliente.inscest, "
        "cliente.pessoa_fj, cliente.fone, cliente.fax, cliente.prefixcelular, cliente.celular, "
        "cliente.campolivre1, cliente.campolivre2, cliente.campolivre3, cliente.campolivre4, "
        "cliente.campolivre5, cliente.campolivre6, cliente.campolivre7, cliente.campolivre8, "
        "cliente.campolivre9, cliente.campolivre10, cliente.observacao, cliente.email, cliente.homepage, "
        "cliente.enderecocob, cliente.bairrocob, cliente.cepcob, cliente.codcidadecob, cliente.estadocob, "
        "cliente.enderecoent, cliente.bairroent, cliente.cepent, cliente.codcidadeent, cliente.estadoent, "
        "cliente.codfornec, Cliente.contato, Cliente.CodSegmento, Cliente.CodClasCli, Cliente.CodVendend1, "
        "Cliente.LimiteCredito, Cliente.CodPais, cliente.nomesocio, ");

    const QString sep = QStringLiteral(", ");
    QString MCampoParam = QStringLiteral(" Values ( ");
    for (const QString* f :
         {&FCodCliente, &FNome, &FNomeFantasia, &FEndereco, &FBairro, &FCodCidade, &FEstado, &FCep, &FCgcCpf,
          &FInscEst, &FPessoa_FJ, &FFone, &FFax, &FPrefixCelular, &FCelular, &FCampoLivre1, &FCampoLivre2,
          &FCampoLivre3, &FCampoLivre4, &FCampoLivre5, &FCampoLivre6, &FCampoLivre7, &FCampoLivre8,
          &FCampoLivre9, &FCampoLivre10, &FObservacao, &FEmail, &FHomePage, &FEnderecoCob, &FBairroCob,
          &FCepCob, &FCodCidadeCob, &FEstadoCob, &FEnderecoEntr, &FBairroEntr, &FCepEntr, &FCodCidadeEntr,
          &FEstadoEntr, &FCodFornec, &FContato, &FCodSegmento, &FCodClasCli, &FCodVendend1})
        MCampoParam += q(*f) + sep;
    MCampoParam += TextRules::numberLiteral(FLimiteCredito) + sep;
    MCampoParam += q(FCodPais) + sep + q(FNomeSocio) + sep;

    // An empty date leaves its column out, so the column's default applies.
    const struct {
        const QString& valor;
        const char* coluna;
    } datas[] = {{FDT_Nascimento, " cliente.dt_nascimento, "},
                 {FDT_Ult_Venda, " cliente.dt_ultvenda, "},
                 {FDT_Cadastro, " cliente.dt_cadastro, "},
                 {FDT_Valcad, " cliente.DT_ValCad, "}};
    for (const auto& d : datas) {
        if (!d.valor.isEmpty()) {
            MCampoSql += QLatin1String(d.coluna);
            MCampoParam += q(d.valor) + sep;
        }
    }

    MCampoSql += QStringLiteral(" cliente.Ativo,  cliente.CliBloqueado,  cliente.maladiretaeletr,  "
                                "cliente.protestarcliente) ");
    MCampoParam += q(FAtivo) + QStringLiteral(",") + q(FCliBloqueado) + QStringLiteral(",") +
                   QStringLiteral("\"N\", \"N\") ");
    return MCampoSql + MCampoParam;
}

QString TConverteCliente::AtualizaCliente() const
{
    ColunasComando c;
    c.texto("cliente.Nome", FNome);
    c.texto("cliente.nomefantasia", FNomeFantasia);
    c.texto("cliente.endereco", FEndereco);
    c.texto("cliente.bairro", FBairro);
    c.texto("cliente.codcidade", FCodCidade);
    c.texto("cliente.estado", FEstado);
    c.texto("cliente.cep", FCep);
    c.texto("cliente.cgccpf", FCgcCpf);
    c.texto("cliente.inscest", FInscEst);
    c.texto("cliente.pessoa_fj", FPessoa_FJ);
    c.texto("cliente.fone", FFone);
    c.texto("cliente.fax", FFax);
    c.texto("cliente.prefixcelular", FPrefixCelular);
    c.texto("cliente.celular", FCelular);
    c.texto("cliente.campolivre1", FCampoLivre1);
    c.texto("cliente.campolivre2", FCampoLivre2);
    c.texto("cliente.campolivre3", FCampoLivre3);
    c.texto("cliente.campolivre4", FCampoLivre4);
    c.texto("cliente.campolivre5", FCampoLivre5);
    c.texto("cliente.campolivre6", FCampoLivre6);
    c.texto("cliente.campolivre7", FCampoLivre7);
    c.texto("cliente.campolivre8", FCampoLivre8);
    c.texto("cliente.campolivre9", FCampoLivre9);
    c.texto("cliente.campolivre10", FCampoLivre10);
    c.texto("cliente.observacao", FObservacao);
    c.texto("cliente.email", FEmail);
    c.texto("cliente.homepage", FHomePage);
    c.texto("cliente.enderecocob", FEnderecoCob);
    c.texto("cliente.bairrocob", FBairroCob);
    c.texto("cliente.cepcob", FCepCob);
    c.texto("cliente.codcidadecob", FCodCidadeCob);
    c.texto("cliente.estadocob", FEstadoCob);
    c.texto("cliente.enderecoent", FEnderecoEntr);
    c.texto("cliente.bairroent", FBairroEntr);
    c.texto("cliente.cepent", FCepEntr);
    c.texto("cliente.codcidadeent", FCodCidadeEntr);
    c.texto("cliente.estadoent", FEstadoEntr);
    c.texto("cliente.codfornec", FCodFornec);
    c.texto("Cliente.contato", FContato);
    c.texto("Cliente.CodSegmento", FCodSegmento);
    c.texto("Cliente.CodClasCli", FCodClasCli);
    c.texto("Cliente.CodVendend1", FCodVendend1);
    c.numero("Cliente.LimiteCredito", FLimiteCredito);
    c.texto("Cliente.CodPais", FCodPais);
    c.texto("cliente.nomesocio", FNomeSocio);
    QString s = QStringLiteral(" Update Cliente set ") + c.atribuicoes() + QStringLiteral(", ");

    // An empty date clears its column.
    const struct {
        const QString& valor;
        const char* coluna;
    } datas[] = {{FDT_Nascimento, "cliente.dt_nascimento"},
                 {FDT_Ult_Venda, "cliente.dt_ultvenda"},
                 {FDT_Cadastro, "cliente.dt_cadastro"},
                 {FDT_Valcad, "cliente.DT_ValCad"}};
    for (const auto& d : datas) {
        if (!d.valor.isEmpty())
            s += QLatin1Char(' ') + QLatin1String(d.coluna) + QStringLiteral(" = ") + q(d.valor) +
                 QStringLiteral(", ");
        else
            s += QLatin1Char(' ') + QLatin1String(d.coluna) + QStringLiteral(" = NULL , ");
    }

    s += QStringLiteral(" cliente.Ativo = ") + q(FAtivo) + QStringLiteral(",");
    s += QStringLiteral(" cliente.CliBloqueado = \"N\", cliente.maladiretaeletr = \"N\", "
                        "cliente.protestarcliente = \"N\" ");
    s += QStringLiteral(" where cliente.codcliente = ") + q(FCodCliente);
    return s;
}

bool TConverteCliente::ExecutaSql(int Acao)
{
    if (Acao == 1)
        QDestino->setSql(MontaSqlInsere());
    else if (Acao == 2)
        QDestino->setSql(AtualizaCliente());
    else
        throw AppError(QStringLiteral("Ação de gravação de cliente desconhecida: ") + QString::number(Acao));
    QDestino->execSql();
    LimpaVariavel();
    return true;
}

void TConverteCliente::LimpaTabela()
{
    esvaziaTabela(QStringLiteral("Delete from CLIENTE"), QStringLiteral("Commit;"));
}

void TConverteCliente::GravaNCliente(int Quant)
{
    QDestino->close();
    QDestino->setSql(QStringLiteral(" insert into ncliente ( ncliente.codempresa, ncliente.numeroclientes ) "
                                    "Values (\"00\",") +
                     QString::number(Quant) + QStringLiteral(") "));
    QDestino->execSql();
}
