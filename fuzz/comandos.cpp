// The statements the converters build with their values written in as literals: customer
// insert and update, supplier insert, product insert and both product updates, stock complement
// insert. For any values given to the setters (a refused value, AppError, is an accepted
// outcome), the statement keeps the shape it has with plain values, and every literal reads
// back as the value its column's property holds. Product groups and fiscal classes bind their
// values as parameters; for them the setters' documented shapes are checked.
//
// Input: the first line picks the converter (its first byte, modulo 6), the reading of the values
// (the same byte: "0" to "5" UTF-8, "6" to ";" Latin-1, "<" to "A" UTF-16, and so on around)
// and the setter the fields start from (the number after it); each further line is one value for
// the next setter, one line per setter at most (the rest is not read). One reading per input:
// the three readings of the same bytes are unrelated texts, and the fuzzer reaches each by
// changing that byte.
#include "Entrada.h"
#include "Sql.h"
#include "conversion/TextRules.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/Win1252.h"
#include "entities/ClassificacaoFiscal.h"
#include "entities/Cliente.h"
#include "entities/CompProd.h"
#include "entities/Fornecedor.h"
#include "entities/GrupoProduto.h"
#include "entities/Produto.h"
#include <QHash>
#include <algorithm>
#include <limits>

namespace {

using entrada::Campo;

TargetDatabase& banco()
{
    static TargetDatabase db;  // never connected: the statement texts need no database
    return db;
}

// What a column must receive: a text, a number or a date (written 'DD.MM.YYYY').
struct Esperado {
    enum Tipo { Texto, Numero, Data } tipo;
    QString texto;
    double numero = 0;
    QDate data;
    static Esperado de(const QString& t) { return {Texto, t, 0, QDate()}; }
    static Esperado de(double v) { return {Numero, QString(), v, QDate()}; }
    static Esperado de(const QDateTime& d) { return {Data, QString(), 0, d.date()}; }
};

// Plain function pointers, not std::function: each std::function wrapper is code of its own
// that the coverage counts, and those counters told the fuzzer nothing about the converters
// while costing it bookkeeping on every execution.
template <typename C>
using Tabela = QHash<QString, Esperado (*)(const C&)>;
template <typename C>
using Setter = void (*)(C&, const Campo&);

#define COL(nome, getter) {QStringLiteral(nome), [](const C& c) { return Esperado::de(c.getter()); }}
#define TXT(setter) [](C& c, const Campo& f) { c.setter(f.texto); }
#define NUM(setter) [](C& c, const Campo& f) { c.setter(entrada::numero(f)); }
#define INT(setter) [](C& c, const Campo& f) { c.setter(entrada::inteiro(f)); }

void confereValor(const QString& comando, const sql::Token& t, const Esperado& e)
{
    switch (t.kind) {
    case sql::Token::Texto: {
        if (e.tipo == Esperado::Data) {
            const QString v = sql::valor(comando, t);
            FUZZ_CHECK(v.size() == 10 && QDate::fromString(v, QStringLiteral("dd.MM.yyyy")) == e.data);
        } else {
            FUZZ_CHECK(e.tipo == Esperado::Texto);
            FUZZ_CHECK(sql::valorIgual(comando, t, e.texto));
        }
        break;
    }
    case sql::Token::Numero: {
        FUZZ_CHECK(e.tipo == Esperado::Numero);
        const std::optional<double> lido = sql::numero(comando, t);
        FUZZ_CHECK(lido.has_value());
        if (std::isinf(*lido)) {
            // Only the very largest doubles: the target refuses their literal, the run stops.
            FUZZ_CHECK(std::fabs(e.numero) > 1.79769313486231e308);
        } else {
            FUZZ_CHECK(std::fabs(*lido - e.numero) <= std::fabs(e.numero) * 1e-14 ||
                       std::fabs(*lido - e.numero) <= 2 * std::numeric_limits<double>::denorm_min());
        }
        break;
    }
    case sql::Token::Constante:
        break;  // the builder's own constant: the shape comparison covers it
    case sql::Token::Palavra:
        // NULL clears a column whose property is empty.
        FUZZ_CHECK(sql::textoDe(comando, t).compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0);
        FUZZ_CHECK(e.tipo == Esperado::Texto && e.texto.isEmpty());
        break;
    default:
        FUZZ_CHECK(false);
    }
}

// The shape of statement "qual" built from plain values. The plain record differs from one input
// to the next only in which optional columns it fills (chave), so each shape is worked out once.
template <typename C, typename Prepara>
QString formaBenigna(int qual, int chave, QString (C::*monta)() const, const Prepara& prepara)
{
    static QHash<int, QString> formas;
    const int k = qual << 8 | chave;
    const auto it = formas.constFind(k);
    if (it != formas.constEnd())
        return *it;
    C b(banco());
    prepara(b);
    const QString texto = (b.*monta)();
    return *formas.insert(k, sql::esqueleto(texto, sql::tokens(texto)));
}

// One statement against the shape of the same statement built from plain values.
template <typename C>
void confere(const QString& comando, const QString& forma, const Tabela<C>& tabela, const C& c)
{
    const auto ts = sql::tokens(comando);
    for (const sql::Token& t : ts)
        FUZZ_CHECK(t.kind != sql::Token::Aberto && t.kind != sql::Token::Comentario);
    FUZZ_CHECK(sql::esqueleto(comando, ts) == forma);
    int pares = 0;
    FUZZ_CHECK(sql::visitaPares(comando, ts, [&](const QString& coluna, const sql::Token& valor) {
        ++pares;
        const auto it = tabela.constFind(coluna);
        if (it == tabela.constEnd())
            std::fprintf(stderr, "column without a property: %s\n", qPrintable(coluna));
        FUZZ_CHECK(it != tabela.constEnd());
        confereValor(comando, valor, (*it)(c));
    }));
    FUZZ_CHECK(pares > 0);
    FUZZ_CHECK(!TargetQuery::isCommitStatement(comando));
    static TargetQuery q(banco());  // one for the process: a new text is parsed afresh
    q.setSql(comando);
    FUZZ_CHECK(q.paramNames().isEmpty());
    // What is sent: refused as a whole for a character the set lacks, or exactly this text.
    try {
        const QByteArray bytes = Win1252::encode(comando);
        FUZZ_CHECK(Win1252::decode(bytes.constData(), static_cast<int>(bytes.size())) == comando);
    } catch (const AppError&) {
        bool recusavel = false;
        for (const QChar ch : comando)
            recusavel = recusavel || !Win1252::canEncode(ch);
        FUZZ_CHECK(recusavel);
    }
}

template <typename C>
void aplica(C& c, const std::vector<Setter<C>>& setters, const std::vector<Campo>& campos, int inicio)
{
    for (size_t i = 0; i < campos.size(); ++i) {
        try {
            setters[(static_cast<size_t>(inicio) + i) % setters.size()](c, campos[i]);
        } catch (const AppError&) {
            // refused: the property keeps what it had
        }
    }
}

// A plain value for an optional column whose presence must match: the first candidate that
// leaves the property empty (or not) as the fuzzed record's.
template <typename C>
void espelha(C& b, bool vazio, void (C::*set)(const QString&), const QString& (C::*get)() const)
{
    for (const char* v : {"", "abc", "01/01/2000"}) {
        (b.*set)(QLatin1String(v));
        if ((b.*get)().isEmpty() == vazio)
            return;
    }
    FUZZ_CHECK(false);
}

// The lines after the header, read the way the header asks.
struct Linhas {
    const uint8_t* data;
    size_t size;
    entrada::Leitura leitura;
    // One field per setter at most. A setter called again on the same record reaches nothing a
    // single call does not (any two setters meet in either order as the starting setter
    // moves), and a longer input would only repeat the work: the rest is not read.
    std::vector<Campo> campos(size_t setters) const { return entrada::campos(data, size, leitura, setters); }
};

// --- Customers ----------------------------------------------------------------------------

void clientes(const Linhas& linhas, int inicio)
{
    using C = TConverteCliente;
    static const std::vector<Setter<C>> setters = {
        TXT(SetCodCliente), TXT(SetNome), TXT(SetNomeFantasia), TXT(SetEndereco), TXT(SetBairro),
        TXT(SetCodCidade), TXT(SetEstado), TXT(SetCep), TXT(SetCgcCpf), TXT(SetInscEst), TXT(SetPessoa_FJ),
        TXT(SetFone), TXT(SetFax), TXT(SetPrefixCelular), TXT(SetCelular), TXT(SetCampoLivre1),
        TXT(SetCampoLivre2), TXT(SetCampoLivre3), TXT(SetCampoLivre4), TXT(SetCampoLivre5), TXT(SetCampoLivre6),
        TXT(SetCampoLivre7), TXT(SetCampoLivre8), TXT(SetCampoLivre9), TXT(SetCampoLivre10), TXT(SetObsercacao),
        TXT(SetEmail), TXT(SetHomePage), TXT(SetEnderecoCob), TXT(SetBairroCob), TXT(SetCepCob),
        TXT(SetCodCidadeCob), TXT(SetEstadoCob), TXT(SetEnderecoEntr), TXT(SetBairroEntr), TXT(SetCepEntr),
        TXT(SetCodCidadeEntr), TXT(SetEstadoEntr), TXT(SetCodFornec), TXT(SetContato), TXT(SetCodSegmento),
        TXT(SetCodClasCli), TXT(SetCodVendend1), NUM(SetLimiteCredito), TXT(SetCodPais), TXT(SetNomeSocio),
        TXT(SetDT_Nascimento), TXT(SetDt_Ult_Venda), TXT(SetDT_Cadastro), TXT(SetDT_Valcad), TXT(SetAtivo),
        TXT(SetCliBloqueado),
        // Written by no statement: they must not reach one.
        TXT(SetNomeCidade), TXT(SetNomeCidadeEntr), TXT(SetNomeCidadeCob), TXT(SetInscMunicipal),
        TXT(SetNomeMae), TXT(SetNomePai), TXT(SetMalaDiretaEletr), TXT(SetProtestarCliente)};
    const std::vector<Campo> campos = linhas.campos(setters.size());
    static const Tabela<C> tabela = {
        COL("CLIENTE.CODCLIENTE", CodCliente), COL("CLIENTE.NOME", Nome), COL("CLIENTE.NOMEFANTASIA", NomeFantasia),
        COL("CLIENTE.ENDERECO", Endereco), COL("CLIENTE.BAIRRO", Bairro), COL("CLIENTE.CODCIDADE", CodCidade),
        COL("CLIENTE.ESTADO", Estado), COL("CLIENTE.CEP", Cep), COL("CLIENTE.CGCCPF", CgcCpf),
        COL("CLIENTE.INSCEST", InscEst), COL("CLIENTE.PESSOA_FJ", Pessoa_FJ), COL("CLIENTE.FONE", Fone),
        COL("CLIENTE.FAX", Fax), COL("CLIENTE.PREFIXCELULAR", PrefixCelular), COL("CLIENTE.CELULAR", Celular),
        COL("CLIENTE.CAMPOLIVRE1", CampoLivre1), COL("CLIENTE.CAMPOLIVRE2", CampoLivre2),
        COL("CLIENTE.CAMPOLIVRE3", CampoLivre3), COL("CLIENTE.CAMPOLIVRE4", CampoLivre4),
        COL("CLIENTE.CAMPOLIVRE5", CampoLivre5), COL("CLIENTE.CAMPOLIVRE6", CampoLivre6),
        COL("CLIENTE.CAMPOLIVRE7", CampoLivre7), COL("CLIENTE.CAMPOLIVRE8", CampoLivre8),
        COL("CLIENTE.CAMPOLIVRE9", CampoLivre9), COL("CLIENTE.CAMPOLIVRE10", CampoLivre10),
        COL("CLIENTE.OBSERVACAO", Observacao), COL("CLIENTE.EMAIL", Email), COL("CLIENTE.HOMEPAGE", HomePage),
        COL("CLIENTE.ENDERECOCOB", EnderecoCob), COL("CLIENTE.BAIRROCOB", BairroCob),
        COL("CLIENTE.CEPCOB", CepCob), COL("CLIENTE.CODCIDADECOB", CodCidadeCob),
        COL("CLIENTE.ESTADOCOB", EstadoCob), COL("CLIENTE.ENDERECOENT", EnderecoEntr),
        COL("CLIENTE.BAIRROENT", BairroEntr), COL("CLIENTE.CEPENT", CepEntr),
        COL("CLIENTE.CODCIDADEENT", CodCidadeEntr), COL("CLIENTE.ESTADOENT", EstadoEntr),
        COL("CLIENTE.CODFORNEC", CodFornec), COL("CLIENTE.CONTATO", Contato),
        COL("CLIENTE.CODSEGMENTO", CodSegmento), COL("CLIENTE.CODCLASCLI", CodClasCli),
        COL("CLIENTE.CODVENDEND1", CodVendend1), COL("CLIENTE.LIMITECREDITO", LimiteCredito),
        COL("CLIENTE.CODPAIS", CodPais), COL("CLIENTE.NOMESOCIO", NomeSocio),
        COL("CLIENTE.DT_NASCIMENTO", DT_Nascimento), COL("CLIENTE.DT_ULTVENDA", Dt_Ult_Venda),
        COL("CLIENTE.DT_CADASTRO", DT_Cadastro), COL("CLIENTE.DT_VALCAD", DT_ValCad),
        COL("CLIENTE.ATIVO", Ativo), COL("CLIENTE.CLIBLOQUEADO", CliBloqueado),
        // Written as constants only.
        COL("CLIENTE.MALADIRETAELETR", MalaDiretaEletr), COL("CLIENTE.PROTESTARCLIENTE", ProtestarCliente)};

    C c(banco());
    aplica(c, setters, campos, inicio);
    // A code is all digits at its full width (or the exemption word, zero-filled), never cut.
    FUZZ_CHECK(c.CodCliente().size() == 8);
    FUZZ_CHECK(c.CodPais().isEmpty() || c.CodPais().size() == 4);
    for (const QString* cidade : {&c.CodCidade(), &c.CodCidadeCob(), &c.CodCidadeEntr()})
        FUZZ_CHECK(cidade->isEmpty() || cidade->size() == 5);

    const bool vazias[] = {c.DT_Nascimento().isEmpty(), c.Dt_Ult_Venda().isEmpty(), c.DT_Cadastro().isEmpty(),
                           c.DT_ValCad().isEmpty()};
    const int chave = vazias[0] | vazias[1] << 1 | vazias[2] << 2 | vazias[3] << 3;
    const auto prepara = [&](C& b) {
        espelha(b, vazias[0], &C::SetDT_Nascimento, &C::DT_Nascimento);
        espelha(b, vazias[1], &C::SetDt_Ult_Venda, &C::Dt_Ult_Venda);
        espelha(b, vazias[2], &C::SetDT_Cadastro, &C::DT_Cadastro);
        espelha(b, vazias[3], &C::SetDT_Valcad, &C::DT_ValCad);
    };

    const QString insere = c.MontaSqlInsere();
    FUZZ_CHECK(insere == c.MontaSqlInsere());  // building the text changes nothing
    confere(insere, formaBenigna<C>(0, chave, &C::MontaSqlInsere, prepara), tabela, c);
    confere(c.AtualizaCliente(), formaBenigna<C>(1, chave, &C::AtualizaCliente, prepara), tabela, c);
}

// --- Suppliers ----------------------------------------------------------------------------

void fornecedores(const Linhas& linhas, int inicio)
{
    using C = TConverteFornece;
    static const std::vector<Setter<C>> setters = {
        TXT(SetCodFornec), TXT(SetCodcliente), TXT(SetNome), TXT(SetNomeFantasia), TXT(SetContato),
        TXT(SetEndereco), TXT(SetBairro), TXT(SetCep), TXT(SetCodCidade), TXT(SetNomeCidade), TXT(SetNumero),
        TXT(SetComplemento), TXT(SetEstado), TXT(SetInscMunicipal), TXT(SetPessoa_FJ), TXT(SetCgcCpf),
        TXT(SetInscEst), TXT(SetFone), TXT(SetFax), TXT(SetCelular), TXT(SetEmail), TXT(SetHomePage),
        TXT(SetCampoLivre1), TXT(SetCampoLivre2), TXT(SetContaCx), TXT(SetCTCTbred), TXT(Setobservacao),
        TXT(SetAtivo), TXT(SetTipoFornece)};
    const std::vector<Campo> campos = linhas.campos(setters.size());
    static const Tabela<C> tabela = {
        COL("FORNECE.CODFORNEC", CodFornec), COL("FORNECE.NOME", Nome), COL("FORNECE.NOMEFANTASIA", NomeFantasia),
        COL("FORNECE.CONTATO", Contato), COL("FORNECE.ENDERECO", Endereco), COL("FORNECE.BAIRRO", Bairro),
        COL("FORNECE.CEP", Cep), COL("FORNECE.CODCIDADE", CodCidade), COL("FORNECE.NUMERO", Numero),
        COL("FORNECE.COMPLEMENTO", Complemento), COL("FORNECE.ESTADO", Estado),
        COL("FORNECE.INSCMUNICIPAL", InscMunicipal), COL("FORNECE.PESSOA_FJ", Pessoa_FJ),
        COL("FORNECE.CGCCPF", CgcCpf), COL("FORNECE.INSCEST", InscEst), COL("FORNECE.OBSERVACAO", Observacao),
        COL("FORNECE.FONE", Fone), COL("FORNECE.FAX", Fax), COL("FORNECE.CELULAR", Celular),
        COL("FORNECE.EMAIL", Email), COL("FORNECE.HOMEPAGE", HomePage), COL("FORNECE.CAMPOLIVRE1", CampoLivre1),
        COL("FORNECE.CAMPOLIVRE2", CampoLivre2), COL("FORNECE.CODCLIENTE", CodCliente),
        COL("FORNECE.ATIVO", Ativo), COL("FORNECE.TIPOFORNECE", TipoFornece), COL("FORNECE.CONTACX", ContaCx),
        COL("FORNECE.CTCTBRED", CTCTbred)};

    C c(banco());
    aplica(c, setters, campos, inicio);
    FUZZ_CHECK(c.CodFornec().size() == 6);
    FUZZ_CHECK(c.CodCliente().isEmpty() || c.CodCliente().size() == 8);
    FUZZ_CHECK(c.CodCidade().isEmpty() || c.CodCidade().size() == 5);
    confere(c.MontaSql(), formaBenigna<C>(0, 0, &C::MontaSql, [](C&) {}), tabela, c);
}

// --- Product groups and fiscal classes (bound parameters) ---------------------------------

void gruposProdutos(const Linhas& linhas, int inicio)
{
    using C = TConverteGruposProd;
    static const std::vector<Setter<C>> setters = {TXT(SetCodigo), TXT(SetDescricao), INT(SetDiasEstoqueMaximo),
                                                   INT(SetDiasEstoqueMinimo)};
    const std::vector<Campo> campos = linhas.campos(setters.size());
    C c(banco());
    aplica(c, setters, campos, inicio);
    // The group code is the last three characters of the trimmed key, zero-filled: a product
    // names its group by the same rule.
    FUZZ_CHECK(c.Codigo().isEmpty() || c.Codigo().size() == 3);
    for (size_t i = 0; i < campos.size(); ++i) {
        if ((static_cast<size_t>(inicio) + i) % setters.size() != 0)
            continue;
        C g(banco());
        g.SetCodigo(campos[i].texto);
        TConverteProduto p(banco());
        if (TextRules::trim(campos[i].texto).isEmpty())
            continue;
        p.SetCodGrupo(campos[i].texto);
        FUZZ_CHECK(g.Codigo() == p.CodGrupo());
    }
    FUZZ_CHECK(c.Descricao().size() <= 30);
    FUZZ_CHECK(c.Descricao().isEmpty() || c.Descricao().front().unicode() > 32);
}

void classesFiscais(const Linhas& linhas, int inicio)
{
    using C = TConverteClassificacaoFiscal;
    static const std::vector<Setter<C>> setters = {TXT(SetCodClasFis), TXT(SetCodNBM), TXT(SetCodigoNCM),
                                                   TXT(SetPisConfRetido), TXT(SetCodNatReceita), INT(SetAliqIpi)};
    const std::vector<Campo> campos = linhas.campos(setters.size());
    C c(banco());
    aplica(c, setters, campos, inicio);
    FUZZ_CHECK(c.CodClasFis().isEmpty() || c.CodClasFis().size() == 4);
    FUZZ_CHECK(c.CodNBM().size() <= 20);
    for (const QChar ch : c.CodNBM())
        FUZZ_CHECK(!QStringLiteral("()-./' ").contains(ch));
    // Stored the way the products' lookup searches it.
    FUZZ_CHECK(c.CodigoNCM() == c.FNormalizaNCM(c.CodigoNCM()));
    FUZZ_CHECK(c.PisConfRetido().size() <= 1 && c.CodNatReceita().size() <= 3);
}

// --- Products -----------------------------------------------------------------------------

void produtos(const Linhas& linhas, int inicio)
{
    using C = TConverteProduto;
    static const std::vector<Setter<C>> setters = {
        TXT(SetCodProd), TXT(SetDescricao), NUM(SetPreco), TXT(SetCodGrupo), TXT(SetCodClasFis),
        TXT(SetFCodFabric), NUM(SetPreco2), TXT(SetPrincipalFornecedor), TXT(SetCodSubGrupo),
        TXT(SetCodTribut00), NUM(SetPreco3), TXT(SetCodTribut01), TXT(SetCodTribut02), TXT(SetCodTribut03),
        NUM(SetPreco4), TXT(SetCodTributDiversos), TXT(SetCFOPForaUF), TXT(SetCFOPDentroUF),
        NUM(SetPrecoAnterior), TXT(SetDescricao2), TXT(SetDescricao3), TXT(SetReferencia), NUM(SetPeso),
        TXT(SetRefFabricante), TXT(SetUnidEntrada), TXT(SetUnidSaida), NUM(SetPrecoPromo), TXT(SetCodFamilia),
        TXT(SetCodTipoProduto), TXT(SetDescricaoPreco), NUM(SetValorIpi), TXT(SetDescricaoPreco2),
        TXT(SetDescricaoPreco3), TXT(SetDescricaoPreco4), NUM(SetAliqIpi), TXT(SetCodLocal),
        TXT(SetCampoLivre1), TXT(SetCampoLivre2), NUM(SetAliqIss), TXT(SetCampoLivre3), TXT(SetCampoLivre4),
        TXT(SetAtivado), NUM(SetAliqIcmsPdv), TXT(SetEmbalagem), TXT(setCodVolume), TXT(setTipoEntrega),
        NUM(SetAliqIcmsReg00), TXT(SetControleSerie), TXT(SetControleLote), TXT(SetTipoProd),
        NUM(SetAliqIcmsReg01), TXT(SetProdBloqueado), TXT(SetObservacao), TXT(SetDt_Cadastro),
        NUM(SetAliqIcmsReg02), TXT(SetSubsTrib), TXT(SetSubsTribSaida), TXT(SetSubsTribSaidaR1),
        NUM(SetAliqIcmsReg03), TXT(SetSubsTribSaidaR2), TXT(SetSubsTribSaidaR3), TXT(SetSubsTribSaidaR4),
        NUM(SetAliqIcmsDiversos), TXT(SetMensagem00), TXT(SetMensagem01), TXT(SetMensagem02),
        NUM(SetBaseicmsReg00), TXT(SetMensagem03), TXT(SetMensagemDiversos), TXT(SetCodGeneroItem),
        NUM(SetBaseIcmsReg01), TXT(setFFornec_Ult_Ent1), TXT(setMultiplicaDivide), TXT(SetData_Ult_Alteracao),
        NUM(SetBaseIcmsReg02), TXT(SetFracionado), NUM(SetBaseIcmsReg03), NUM(SetBaseIcmsdiversos),
        NUM(SetLucro), NUM(setLucro2), NUM(setLucro3), NUM(setLucro4), NUM(SetLucroSubStrib),
        NUM(SetEstMinimo), NUM(SetEstMaximo), NUM(SetComissao), NUM(setPercIva), NUM(SetFatorConversao),
        NUM(SetPercBaseSubsTribSaida), NUM(SetPercIcmsSubsTribSaida), NUM(SetPercBaseSubsTribSaidaR1),
        NUM(SetPercBaseSubsTribSaidaR2), NUM(SetPercBaseSubsTribSaidaR3), NUM(SetPercBaseSubsTribSaidaR4),
        NUM(SetPercIcmsSubsTribSaidaR1), NUM(SetPercIcmsSubsTribSaidaR2), NUM(SetPercIcmsSubsTribSaidaR3),
        NUM(SetPercIcmsSubsTribSaidaR4), NUM(SetDescontoMaximo), NUM(SetPr_Ult_Ent1), INT(SetGrade),
        [](C& c, const Campo& f) { c.SetData_Ult_Ent(entrada::data(f, C::DataSentinela())); },
        [](C& c, const Campo& f) { c.SetData_Ult_Rea(entrada::data(f, C::DataSentinela())); }};
    const std::vector<Campo> campos = linhas.campos(setters.size());
    static const Tabela<C> tabela = {
        COL("PRODUTO.CODPROD", CodProd), COL("PRODUTO.TIPOPROD", TipoProd), COL("PRODUTO.ATIVO", Ativado),
        COL("PRODUTO.PRODBLOQUEADO", ProdBloqueado), COL("PRODUTO.CONTROLESERIE", ControleSerie),
        COL("PRODUTO.CONTROLELOTE", ControleLote), COL("PRODUTO.REFERENCIA", Referencia),
        COL("PRODUTO.REFFABRICANTE", RefFabricante), COL("PRODUTO.DESCRICAO", Descricao),
        COL("PRODUTO.DESCRICAO2", Descricao2), COL("PRODUTO.DESCRICAO3", Descricao3),
        COL("PRODUTO.FORNEC_ULT_ENT1", Fornec_Ult_Ent1), COL("PRODUTO.CODGRUPO", CodGrupo),
        COL("PRODUTO.CODSUBGRUPO", CodSubGrupo), COL("PRODUTO.PRINCIPALFORNEC", PrincipalFornecedor),
        COL("PRODUTO.EMBALAGEM", Embalagem), COL("PRODUTO.CODFABRIC", CodFabric),
        COL("PRODUTO.OBSERVACAO", Observacao), COL("PRODUTO.CODLOCAL", CodLocal),
        COL("PRODUTO.CODCLASFIS", CodClasFis), COL("PRODUTO.ALIQICMSREG00", AliqIcmsReg00),
        COL("PRODUTO.BASEICMSREG00", BaseIcmsReg00), COL("PRODUTO.BASEICMSREG02", BaseIcmsReg02),
        COL("PRODUTO.CODTRIBUT00", CodTribut00), COL("PRODUTO.CODTRIBUT01", CodTribut01),
        COL("PRODUTO.ALIQICMSPDV", AliqIcmsPdv), COL("PRODUTO.SUBSTRIB", SubsTrib),
        COL("PRODUTO.ALIQIPI", AliqIpi), COL("PRODUTO.ALIQISS", AliqIss), COL("PRODUTO.PESO", Peso),
        COL("PRODUTO.UNIDADEENT", UnidEntrada), COL("PRODUTO.UNIDADESAIDA", UnidSaida),
        COL("PRODUTO.CODFAMILIA", CodFamilia), COL("PRODUTO.CODTIPOPRODUTO", CodTipoProduto),
        COL("PRODUTO.CODVOLUME", CodVolume), COL("PRODUTO.TIPOENTREGA", TipoEntrega),
        COL("PRODUTO.CODGENEROITEM", CodGeneroItem), COL("PRODUTO.PRECO", Preco),
        COL("PRODUTO.DESCRICAOPRECO", DescricaoPreco), COL("PRODUTO.PRECO2", Preco2),
        COL("PRODUTO.DESCRICAOPRECO2", DescricaoPreco2), COL("PRODUTO.PRECO3", Preco3),
        COL("PRODUTO.DESCRICAOPRECO3", DescricaoPreco3), COL("PRODUTO.PRECO4", Preco4),
        COL("PRODUTO.DESCRICAOPRECO4", DescricaoPreco4), COL("PRODUTO.PRECO_ANTERIOR", Preco_Anterior),
        COL("PRODUTO.PR_ULT_ENT1", Pr_Ult_Ent1), COL("PRODUTO.LUCRO", Lucro), COL("PRODUTO.LUCRO2", Lucro2),
        COL("PRODUTO.LUCRO3", Lucro3), COL("PRODUTO.LUCRO4", Lucro4), COL("PRODUTO.ESTMINIMO", EstMinimo),
        COL("PRODUTO.ESTMAXIMO", EstMaximo), COL("PRODUTO.COMISSAO", Comissao),
        COL("PRODUTO.PERC_IVA", PercIva), COL("PRODUTO.FATORCONVERSAO", FatorConversao),
        COL("PRODUTO.MULTDIVIDE", MultiplicaDivide), COL("PRODUTO.VALORIPI", ValorIpi),
        COL("PRODUTO.PRECOPROMO", PrecoPromo), COL("PRODUTO.DT_CADASTRO", Dt_Cadastro),
        COL("PRODUTO.DATA_ULT_ENT1", Data_Ult_Ent), COL("PRODUTO.DATA_ULT_REAJUSTE", Data_Ult_Rea),
        COL("PRODUTO.FRACIONADO", Fracionado), COL("PRODUTO.CAMPOLIVRE1", CampoLivre1),
        COL("PRODUTO.CAMPOLIVRE2", CampoLivre2), COL("PRODUTO.CAMPOLIVRE3", CampoLivre3),
        COL("PRODUTO.CAMPOLIVRE4", CampoLivre4), COL("PRODUTO.MENSAGEM00", Mensagem00),
        COL("PRODUTO.ALIQICMSREG01", AliqIcmsReg01), COL("PRODUTO.BASEICMSREG01", BaseIcmsReg01),
        COL("PRODUTO.MENSAGEM01", Mensagem01), COL("PRODUTO.ALIQICMSREG02", AliqIcmsReg02),
        COL("PRODUTO.CODTRIBUT02", CodTribut02), COL("PRODUTO.MENSAGEM02", Mensagem02),
        COL("PRODUTO.ALIQICMSREG03", AliqIcmsReg03), COL("PRODUTO.BASEICMSREG03", BaseIcmsReg03),
        COL("PRODUTO.CODTRIBUT03", CodTribut03), COL("PRODUTO.MENSAGEM03", Mensagem03),
        COL("PRODUTO.ALIQICMSDIVERSOS", AliqIcmsDiversos), COL("PRODUTO.BASEICMSDIVERSOS", BaseIcmsdiversos),
        COL("PRODUTO.CODTRIBUTDIVERSOS", CodTributDiversos), COL("PRODUTO.MENSAGEMDIVERSOS", MensagemDiversos),
        COL("PRODUTO.LUCROSUBSTRIB", LucroSubStrib), COL("PRODUTO.SUBSTRIBSAIDA", SubsTribSaida),
        COL("PRODUTO.PERCBASESUBSTRIBSAIDA", PercBaseSubsTribSaida),
        COL("PRODUTO.PERCICMSSUBSTRIBSAIDA", PercIcmsSubsTribSaida),
        COL("PRODUTO.SUBSTRIBSAIDAR1", SubsTribSaidaR1), COL("PRODUTO.SUBSTRIBSAIDAR2", SubsTribSaidaR2),
        COL("PRODUTO.SUBSTRIBSAIDAR3", SubsTribSaidaR3), COL("PRODUTO.SUBSTRIBSAIDAR4", SubsTribSaidaR4),
        COL("PRODUTO.PERCBASESUBSTRIBSAIDAR1", PercBaseSubsTribSaidaR1),
        COL("PRODUTO.PERCBASESUBSTRIBSAIDAR2", PercBaseSubsTribSaidaR2),
        COL("PRODUTO.PERCBASESUBSTRIBSAIDAR3", PercBaseSubsTribSaidaR3),
        COL("PRODUTO.PERCBASESUBSTRIBSAIDAR4", PercBaseSubsTribSaidaR4),
        COL("PRODUTO.PERCICMSSUBSTRIBSAIDAR1", PercIcmsSubsTribSaidaR1),
        COL("PRODUTO.PERCICMSSUBSTRIBSAIDAR2", PercIcmsSubsTribSaidaR2),
        COL("PRODUTO.PERCICMSSUBSTRIBSAIDAR3", PercIcmsSubsTribSaidaR3),
        COL("PRODUTO.PERCICMSSUBSTRIBSAIDAR4", PercIcmsSubsTribSaidaR4),
        COL("PRODUTO.CFOPFORAUF", CFOPForaUF), COL("PRODUTO.CFOPDENTROUF", CFOPDentroUF),
        {QStringLiteral("PRODUTO.GRADE"), [](const C& c) { return Esperado::de(static_cast<double>(c.Grade())); }}};

    C c(banco());
    aplica(c, setters, campos, inicio);
    FUZZ_CHECK(c.CodProd().size() == 6);
    FUZZ_CHECK(c.CodFabric().isEmpty() || c.CodFabric().size() == 5);
    FUZZ_CHECK(c.CodGrupo().isEmpty() || c.CodGrupo().size() == 3);
    FUZZ_CHECK(c.CFOPForaUF().size() <= 4 && c.CFOPDentroUF().size() <= 4);

    const bool cadastro = !c.Dt_Cadastro().isEmpty(), entrada = c.Data_Ult_Ent() != C::DataSentinela(),
               reajuste = c.Data_Ult_Rea() != C::DataSentinela();
    const int chave = cadastro | entrada << 1 | reajuste << 2;
    const auto prepara = [&](C& b) {
        if (cadastro)
            b.SetDt_Cadastro(QStringLiteral("01.01.2000"));
        const QDateTime umaData(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
        if (entrada)
            b.SetData_Ult_Ent(umaData);
        if (reajuste)
            b.SetData_Ult_Rea(umaData);
    };

    confere(c.MontaSql(), formaBenigna<C>(0, chave, &C::MontaSql, prepara), tabela, c);
    confere(c.MontaSqlAtualizaProduto(), formaBenigna<C>(1, chave, &C::MontaSqlAtualizaProduto, prepara), tabela, c);
    confere(c.MontaSqlAtualizaProdutoPreco(), formaBenigna<C>(2, chave, &C::MontaSqlAtualizaProdutoPreco, prepara),
            tabela, c);
}

// --- Stock complement ---------------------------------------------------------------------

void complementos(const Linhas& linhas, int inicio)
{
    using C = TConverteCompProd;
    static const std::vector<Setter<C>> setters = {
        TXT(SetCodProd), TXT(SetCodEmpresa), TXT(SetCodGrade), NUM(SetEstoque), NUM(setEstoqueDisp),
        NUM(SetEstMaximo), NUM(SetEstMinimo), NUM(SetPrecoCusto), NUM(setPrecoMedio), NUM(setPrecoNf)};
    const std::vector<Campo> campos = linhas.campos(setters.size());
    static const Tabela<C> tabela = {
        COL("COMPPROD.CODPROD", CodProd), COL("COMPPROD.CODEMPRESA", CodEmpresa),
        COL("COMPPROD.CODGRADE", CodGrade), COL("COMPPROD.ESTOQUE", Estoque),
        COL("COMPPROD.ESTOQUEDISPONIVEL", EstoquDisp), COL("COMPPROD.ESTMINIMO", EstMinimo),
        COL("COMPPROD.ESTMAXIMO", EstMaximo), COL("COMPPROD.PRECOMEDIO", PrecoMedio),
        COL("COMPPROD.PRECOCUSTO", PrecoCusto), COL("COMPPROD.PRECONF", PrecoNF)};
    C c(banco());
    aplica(c, setters, campos, inicio);
    FUZZ_CHECK(c.CodProd().size() >= 6);
    confere(c.MontaSql(), formaBenigna<C>(0, 0, &C::MontaSql, [](C&) {}), tabela, c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* fim = data + size;
    const uint8_t* quebra = std::find(data, fim, '\n');
    if (quebra == fim)
        return 0;
    const QByteArray cabeca(reinterpret_cast<const char*>(data), quebra - data);
    const unsigned primeiro = cabeca.isEmpty() ? 0u : static_cast<unsigned char>(cabeca[0]);
    const int conversor = static_cast<int>(primeiro % 6);
    const entrada::Leitura leitura = entrada::kLeituras[(primeiro / 6 + 1) % 3];
    bool ok = false;
    const int inicio = cabeca.mid(1).trimmed().toInt(&ok) & 0xFFFF;
    const Linhas linhas{quebra + 1, static_cast<size_t>(fim - quebra - 1), leitura};
    const int i = ok ? inicio : 0;
    switch (conversor) {
    case 0: clientes(linhas, i); break;
    case 1: fornecedores(linhas, i); break;
    case 2: gruposProdutos(linhas, i); break;
    case 3: classesFiscais(linhas, i); break;
    case 4: produtos(linhas, i); break;
    default: complementos(linhas, i); break;
    }
    return 0;
}
