#include "app/EstruturaConversao.h"
#include "conversion/TextRules.h"
#include "entities/GruposConversao.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include "db/TargetCatalog.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/TargetTransaction.h"
#include <map>
#include <set>

namespace {
QString busca(const std::map<QString, QString>& m, const QString& chave)
{
    const auto it = m.find(chave);
    return it == m.end() ? QString() : it->second;
}

QStringList lista(const QString& texto)
{
    return texto.isEmpty() ? QStringList() : texto.split(QStringLiteral(", "));
}
}  // namespace

QString EstruturaConversao::tabelaOrigem(const QString& chave)
{
    const auto* g = GruposConversao::busca(chave);
    return g ? g->tabelaOrigem : QString();
}

QStringList EstruturaConversao::colunasOrigem(const QString& chave)
{
    const auto* g = GruposConversao::busca(chave);
    return g ? g->colunasOrigem : QStringList();
}

const std::vector<EstruturaConversao::Corte>& EstruturaConversao::cortes()
{
    // Masked columns (CEP, documents, telephones) are not listed: the mask goes before their cut,
    // so their length as read says nothing of what is cut.
    static const std::vector<Corte> c = {
        {"CLIENTES", "NOME", "CLIENTE.NOME", 60, Corte::Aparado, '"'},
        {"CLIENTES", "ENDERECO", "CLIENTE.ENDERECO", 60, Corte::Aparado, '"'},
        {"CLIENTES", "BAIRRO", "CLIENTE.BAIRRO", 30, Corte::Inteiro, '"'},
        {"CLIENTES", "ESTADO", "CLIENTE.ESTADO", 2, Corte::Inteiro, '"'},
        {"CLIENTES", "RESPONSAVEL", "CLIENTE.CONTATO", 50, Corte::Aparado, '"'},
        {"CLIENTES", "IDENTIDADE", "CLIENTE.CAMPOLIVRE1", 20, Corte::Inteiro, '"'},
        {"CLIENTES", "ESTADOCIVIL", "CLIENTE.CAMPOLIVRE2", 20, Corte::Inteiro, '"'},
        {"CLIENTES", "PAI", "CLIENTE.CAMPOLIVRE3", 60, Corte::Inteiro, '"'},
        {"CLIENTES", "MAE", "CLIENTE.CAMPOLIVRE4", 60, Corte::Inteiro, '"'},
        {"CLIENTES", "OBSERVACAO", "CLIENTE.OBSERVACAO", 100, Corte::Inteiro, '"'},
        {"CLIENTES", "EMPRESATRABALHO", "CLIENTE.CAMPOLIVRE5", 40, Corte::Inteiro, '"'},
        {"CLIENTES", "REFERENCIA", "CLIENTE.CAMPOLIVRE6", 40, Corte::Inteiro, '"'},
        {"CLIENTES", "PESSOA", "CLIENTE.PESSOA_FJ", 1, Corte::Inteiro, '"'},
        {"CLIENTES", "ATIVO", "CLIENTE.ATIVO", 1, Corte::Inteiro, '"'},
        {"FORNECEDORES", "EMPRESA", "FORNECE.NOME", 50, Corte::Aparado, '\''},
        {"FORNECEDORES", "ENDERECO", "FORNECE.ENDERECO", 50, Corte::Inteiro, '\''},
        {"FORNECEDORES", "BAIRRO", "FORNECE.BAIRRO", 30, Corte::Aparado, '\''},
        {"FORNECEDORES", "ESTADO", "FORNECE.ESTADO", 2, Corte::Inteiro, '\''},
        {"FORNECEDORES", "OBSERVACAO", "FORNECE.OBSERVACAO", 100, Corte::Inteiro, '\''},
        {"FORNECEDORES", "PESSOA", "FORNECE.PESSOA_FJ", 1, Corte::Inteiro, '\''},
        {"GRUPOSPRODUTOS", "CONTROLE", "GRUPROD.CODGRUPO", 3, Corte::Ultimos, 0},
        {"GRUPOSPRODUTOS", "GRUPO", "GRUPROD.DESCRICAO", 30, Corte::Aparado, 0},
        {"PRODUTOS", "PRODUTO", "PRODUTO.DESCRICAO", 50, Corte::Inteiro, 0},
        {"PRODUTOS", "GRUPO", "PRODUTO.CODGRUPO", 3, Corte::Ultimos, 0},
        {"PRODUTOS", "FABRICANTE", "CADFABR.DESCRICAO", 30, Corte::Inteiro, 0},
        {"PRODUTOS", "UNIDADE", "PRODUTO.UNIDADEENT", 6, Corte::Inteiro, 0},
        {"PRODUTOS", "MARCA", "PRODUTO.CAMPOLIVRE1", 20, Corte::Aparado, 0},
        {"PRODUTOS", "DESCRICAOSIMPLES", "PRODUTO.DESCRICAO2", 50, Corte::Inteiro, 0},
        {"PRODUTOS", "APLICACAO", "PRODUTO.CAMPOLIVRE2", 20, Corte::Aparado, 0},
        {"PRODUTOS", "REGISTROMS", "PRODUTO.CAMPOLIVRE3", 50, Corte::Aparado, 0},
    };
    return c;
}

int EstruturaConversao::medida(const Corte& c, const QString& v)
{
    QString t = v;
    if (c.aspas)
        t.remove(QLatin1Char(c.aspas));
    return c.medida == Corte::Inteiro ? static_cast<int>(t.size()) : static_cast<int>(TextRules::trim(t).size());
}

QStringList EstruturaConversao::tabelasDestino(const QString& chave)
{
    const auto* g = GruposConversao::busca(chave);
    return g ? g->tabelasDestino : QStringList();
}

QStringList EstruturaConversao::tabelasReferencia(const QString& chave)
{
    const auto* g = GruposConversao::busca(chave);
    return g ? g->tabelasReferencia : QStringList();
}

QStringList EstruturaConversao::tabelasDestinoDe(const QStringList& chaves)
{
    QStringList tabelas;
    for (const QString& chave : chaves)
        for (const QString& t : tabelasDestino(chave) + tabelasReferencia(chave))
            if (!tabelas.contains(t))
                tabelas.append(t);
    return tabelas;
}

QStringList EstruturaConversao::colunasDestino(const QString& tabela)
{
    // The columns the insert statements and lookups of a run name, upper case.
    static const std::map<QString, QString> colunas = {
        {QStringLiteral("CADFABR"),
         QStringLiteral("CODFABRIC, DESCRICAO")},
        {QStringLiteral("CIDADES"),
         QStringLiteral("CODCIDADE, CIDADE, ESTADO")},
        {QStringLiteral("CLASFISC"),
         QStringLiteral("CODCLASFIS, CODNBM, PISCONFRETIDO, CODIGONCM, CODNATRECEITA, ALIQIPI")},
        {QStringLiteral("CLIENTE"),
         QStringLiteral("CODCLIENTE, NOME, NOMEFANTASIA, ENDERECO, BAIRRO, CODCIDADE, ESTADO, CEP, CGCCPF, "
                        "INSCEST, PESSOA_FJ, FONE, FAX, PREFIXCELULAR, CELULAR, CAMPOLIVRE1, CAMPOLIVRE2, "
                        "CAMPOLIVRE3, CAMPOLIVRE4, CAMPOLIVRE5, CAMPOLIVRE6, CAMPOLIVRE7, CAMPOLIVRE8, "
                        "CAMPOLIVRE9, CAMPOLIVRE10, OBSERVACAO, EMAIL, HOMEPAGE, ENDERECOCOB, BAIRROCOB, CEPCOB, "
                        "CODCIDADECOB, ESTADOCOB, ENDERECOENT, BAIRROENT, CEPENT, CODCIDADEENT, ESTADOENT, "
                        "CODFORNEC, CONTATO, CODSEGMENTO, CODCLASCLI, CODVENDEND1, LIMITECREDITO, CODPAIS, "
                        "NOMESOCIO, DT_NASCIMENTO, DT_CADASTRO, ATIVO, CLIBLOQUEADO, MALADIRETAELETR, "
                        "PROTESTARCLIENTE")},
        {QStringLiteral("COMPPROD"),
         QStringLiteral("CODPROD, CODEMPRESA, CODGRADE, ESTOQUE, ESTOQUEDISPONIVEL, ESTMINIMO, ESTMAXIMO, "
                        "PRECOMEDIO, PRECOCUSTO, PRECONF")},
        {QStringLiteral("FORNECE"),
         QStringLiteral("CODFORNEC, NOME, NOMEFANTASIA, CONTATO, ENDERECO, BAIRRO, CEP, CODCIDADE, NUMERO, "
                        "COMPLEMENTO, ESTADO, INSCMUNICIPAL, PESSOA_FJ, CGCCPF, INSCEST, OBSERVACAO, FONE, FAX, "
                        "CELULAR, EMAIL, HOMEPAGE, CAMPOLIVRE1, CAMPOLIVRE2, CODCLIENTE, ATIVO, TIPOFORNECE, "
                        "CONTACX, CTCTBRED")},
        {QStringLiteral("GRUPROD"),
         QStringLiteral("CODGRUPO, DESCRICAO, DIASESTMAXIMO, DIASESTMINIMO")},
        {QStringLiteral("PRODUTO"),
         QStringLiteral("CODPROD, TIPOPROD, ATIVO, PRODBLOQUEADO, CONTROLESERIE, REFERENCIA, REFFABRICANTE, "
                        "DESCRICAO, DESCRICAO2, DESCRICAO3, FORNEC_ULT_ENT1, CODGRUPO, CODSUBGRUPO, "
                        "PRINCIPALFORNEC, EMBALAGEM, CODFABRIC, OBSERVACAO, CODLOCAL, CODCLASFIS, ALIQICMSREG00, "
                        "BASEICMSREG00, BASEICMSREG02, CODTRIBUT00, CODTRIBUT01, ALIQICMSPDV, SUBSTRIB, ALIQIPI, "
                        "ALIQISS, PESO, UNIDADEENT, UNIDADESAIDA, CODFAMILIA, CODTIPOPRODUTO, CODVOLUME, "
                        "TIPOENTREGA, CODGENEROITEM, PRECO, DESCRICAOPRECO, PRECO2, DESCRICAOPRECO2, PRECO3, "
                        "DESCRICAOPRECO3, PRECO4, DESCRICAOPRECO4, PRECO_ANTERIOR, PR_ULT_ENT1, LUCRO, LUCRO2, "
                        "LUCRO3, LUCRO4, ESTMINIMO, ESTMAXIMO, COMISSAO, PERC_IVA, FATORCONVERSAO, MULTDIVIDE, "
                        "VALORIPI, PRECOPROMO, FRACIONADO, CAMPOLIVRE1, CAMPOLIVRE2, CAMPOLIVRE3, CAMPOLIVRE4, "
                        "MENSAGEM00, ALIQICMSREG01, BASEICMSREG01, MENSAGEM01, ALIQICMSREG02, CODTRIBUT02, "
                        "MENSAGEM02, ALIQICMSREG03, BASEICMSREG03, CODTRIBUT03, MENSAGEM03, ALIQICMSDIVERSOS, "
                        "BASEICMSDIVERSOS, CODTRIBUTDIVERSOS, MENSAGEMDIVERSOS, LUCROSUBSTRIB, SUBSTRIBSAIDA, "
                        "PERCBASESUBSTRIBSAIDA, PERCICMSSUBSTRIBSAIDA, SUBSTRIBSAIDAR1, PERCBASESUBSTRIBSAIDAR1, "
                        "PERCICMSSUBSTRIBSAIDAR1, SUBSTRIBSAIDAR2, PERCBASESUBSTRIBSAIDAR2, "
                        "PERCICMSSUBSTRIBSAIDAR2, SUBSTRIBSAIDAR3, PERCBASESUBSTRIBSAIDAR3, "
                        "PERCICMSSUBSTRIBSAIDAR3, SUBSTRIBSAIDAR4, PERCBASESUBSTRIBSAIDAR4, CONTROLELOTE, "
                        "PERCICMSSUBSTRIBSAIDAR4, CFOPFORAUF, CFOPDENTROUF, GRADE")},
    };
    return lista(busca(colunas, tabela));
}

std::vector<EstruturaConversao::Falta> EstruturaConversao::verificaOrigem(SourceConnection& origem,
                                                                        const QStringList& chaves)
{
    // A server that cannot be reached or refuses the user raises here, not as missing tables.
    origem.connect();
    std::vector<Falta> faltas;
    for (const QString& chave : chaves) {
        const QString tabela = tabelaOrigem(chave);
        SourceQuery q(origem);
        q.setSql(QStringLiteral("SELECT * FROM ") + tabela + QStringLiteral(" LIMIT 0"));
        try {
            q.open();
        } catch (const AppError& e) {
            faltas.push_back({QStringLiteral("origem"), tabela, QStringLiteral("tabela ausente (") + e.message() + QLatin1Char(')')});
            continue;
        }
        for (const QString& c : colunasOrigem(chave)) {
            try {
                q.field(c);
            } catch (const AppError&) {
                faltas.push_back({QStringLiteral("origem"), tabela + QLatin1Char('.') + c, QStringLiteral("coluna ausente")});
            }
        }
    }
    return faltas;
}

std::vector<EstruturaConversao::Falta> EstruturaConversao::verificaDestino(TargetDatabase& destino,
                                                                         const QStringList& chaves)
{
    std::vector<Falta> faltas;
    if (destino.sqlDialect() != 1)
        faltas.push_back({QStringLiteral("destino"), QString(),
                          QStringLiteral("o banco é de dialeto %1; a conversão exige dialeto 1").arg(destino.sqlDialect())});
    const QStringList tabelas = tabelasDestinoDe(chaves);
    if (tabelas.isEmpty())
        return faltas;
    // Every column of the tables concerned, in one catalog query.
    const std::map<QString, std::set<QString>> existentes = TargetCatalog::columns(destino, tabelas);
    for (const QString& tabela : tabelas) {
        const auto it = existentes.find(tabela);
        if (it == existentes.end()) {
            faltas.push_back({QStringLiteral("destino"), tabela, QStringLiteral("tabela ausente")});
            continue;
        }
        for (const QString& c : colunasDestino(tabela))
            if (!it->second.count(c))
                faltas.push_back({QStringLiteral("destino"), tabela + QLatin1Char('.') + c, QStringLiteral("coluna ausente")});
    }
    return faltas;
}

qint64 EstruturaConversao::contaOrigem(SourceConnection& origem, const QString& tabela)
{
    SourceQuery q(origem);
    q.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM ") + tabela);
    q.open();
    return q.field(QStringLiteral("N")).asInteger();
}

QString EstruturaConversao::descreve(const std::vector<Falta>& faltas)
{
    QStringList linhas;
    for (const Falta& f : faltas)
        linhas.append(QStringLiteral("banco de ") + f.lado + (f.onde.isEmpty() ? QString() : QStringLiteral(", ") + f.onde) +
                      QStringLiteral(": ") + f.problema);
    return linhas.join(QChar(13));
}
