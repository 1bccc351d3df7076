// Reference lookups of TConversao: find the row or create it with the next code.
// Every key written into a statement text goes through TextRules::quoted, so no name can change
// the statement; values of inserts travel as parameters. Names are upper-cased over the whole
// target character set (TextRules::upperWin1252): upper-casing a to z alone would store accented
// names half in lower case and give two spellings of one name two rows.
#include "conversion/TextRules.h"
#include "conversion/classConversao.h"
#include "common/AppError.h"
#include "platform/Platform.h"
#include <utility>
#include <vector>

namespace {

// The next code of a table: one above the greatest, zero-filled; the first code on an empty
// table. A greatest code that is not a whole number raises (FieldValue::asInteger).
QString proximoCodigo(const TConversao& c, TargetQuery& q, const QString& maximo, const QString& coluna,
                      int largura)
{
    q.close();
    q.setSql(maximo);
    q.open();
    const FieldValue v = q.field(coluna);
    if (v.asString().isEmpty())
        return c.StrZero(QStringLiteral("1"), largura);
    return c.StrZero(QString::number(v.asInteger() + 1), largura);
}

// Searches the key (already quoted into the statement); an empty result means "not found".
bool procura(TargetQuery& q, const QString& busca, const QString& coluna, QString* codigo)
{
    q.close();
    q.setSql(busca);
    q.open();
    if (q.isEmpty())
        return false;
    *codigo = q.fieldText(coluna);
    return true;
}

// Given codes are written into the statement without quotes, as numbers: anything but digits
// could change the statement, so such a code is refused before any statement runs.
void exigeDigitos(const QString& codigo, const QString& nome)
{
    for (const QChar ch : codigo)
        if (ch.unicode() < '0' || ch.unicode() > '9')
            throw AppError(QStringLiteral("Código de %1 '%2' inválido: só pode conter dígitos.")
                               .arg(nome, codigo));
}

// A reference row found by its key or created with the next code, given by the exact texts
// of its statements: busca (the key already quoted in; an empty result means "not found"),
// maximo (the greatest code, read as coluna) and insere (the code as the parameter coluna, the
// other values by name). conta names the table whose insertions the run counts, if any.
struct Referencia {
    QString busca;
    QString maximo;
    QString coluna;
    int largura;
    QString insere;
    std::vector<std::pair<QString, QString>> valores;
    QString conta;
};

QString achaOuCria(const TConversao& c, TargetQuery& q, const Referencia& r)
{
    QString codigo;
    if (procura(q, r.busca, r.coluna, &codigo))
        return codigo;
    codigo = proximoCodigo(c, q, r.maximo, r.coluna, r.largura);
    q.close();
    q.setSql(r.insere);
    q.setParamText(r.coluna, codigo);
    for (const auto& [nome, valor] : r.valores)
        q.setParamText(nome, valor);
    q.execSql();
    if (!r.conta.isEmpty())
        c.banco().anotaInsercao(r.conta);
    return codigo;
}

}  // namespace

QString TConversao::FCidade(const QString& Cidade, const QString& Estado)
{
    // Trimmed and upper-cased over the whole character set, so that every spelling of one city
    // finds one row and no name is stored with its accented letters left in lower case.
    const QString cidade = TextRules::upperWin1252(TextRules::trim(Cidade));
    const QString estado = TextRules::upperWin1252(TextRules::trim(Estado));
    // Blanks name no city: no row is made for them.
    if (cidade.isEmpty())
        return QString();
    // The legacy system abbreviates the capital as "BHTE" (exactly so): it is the existing city,
    // in any state, and when there is none yet it is created under its full name. It never
    // takes a row named BHTE (what a lower-case "bhte" makes), so that the capital's code does
    // not depend on which spelling comes first.
    const bool capital = Cidade == QLatin1String("BHTE");
    return achaOuCria(
        *this, *QAuxiliar,
        {capital ? QStringLiteral(" SELECT CODCIDADE FROM CIDADES WHERE CIDADE = 'BELO HORIZONTE' ")
                 : QStringLiteral("SELECT CODCIDADE FROM CIDADES WHERE CIDADE =") + TextRules::quoted(cidade) +
                       QStringLiteral(" AND ESTADO = ") + TextRules::quoted(estado),
         QStringLiteral("SELECT MAX(CODCIDADE) AS CODCIDADE FROM CIDADES"), QStringLiteral("CODCIDADE"), 5,
         QStringLiteral("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES (:CODCIDADE, :CIDADE, :ESTADO)"),
         {{QStringLiteral("CIDADE"), capital ? QStringLiteral("BELO HORIZONTE") : cidade},
          {QStringLiteral("ESTADO"), estado}},
         QStringLiteral("CIDADES")});
}

QString TConversao::FGrupo(const QString& Grupo)
{
    const QString descricao = TextRules::upperWin1252(Grupo);
    return achaOuCria(*this, *QAuxiliar,
                      {QStringLiteral("SELECT CODGRUPO FROM GRUPROD WHERE DESCRICAO =") + TextRules::quoted(descricao),
                       QStringLiteral("SELECT MAX(CODGRUPO) AS CODGRUPO FROM GRUPROD"), QStringLiteral("CODGRUPO"), 3,
                       QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES (:CODGRUPO, :DESCRICAO)"),
                       {{QStringLiteral("DESCRICAO"), descricao}},
                       QString()});
}

QString TConversao::FGrupoComCodigoPredefinido(const QString& CodGrupo, const QString& Descricao)
{
    exigeDigitos(CodGrupo, QStringLiteral("grupo"));
    TargetQuery& q = *QAuxiliar;
    const QString grupo = StrZero(CodGrupo, 3);
    q.close();
    q.setSql(QStringLiteral("SELECT DESCRICAO FROM GRUPROD WHERE CODGRUPO =") + grupo);
    q.open();
    if (q.isEmpty()) {
        q.close();
        q.setSql(QStringLiteral("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES (:CODGRUPO, :DESCRICAO)"));
        q.setParamText(QStringLiteral("CODGRUPO"), grupo);
        q.setParamText(QStringLiteral("DESCRICAO"), TextRules::upperWin1252(TextRules::left(Descricao, 30)));
        q.execSql();
    }
    return CodGrupo;
}

QString TConversao::FSubGrupoComCodigoPredefinido(const QString& CodGrupo, const QString& CodSubgrupo,
                                                  const QString& Descricao)
{
    exigeDigitos(CodGrupo, QStringLiteral("grupo"));
    exigeDigitos(CodSubgrupo, QStringLiteral("subgrupo"));
    TargetQuery& q = *QAuxiliar;
    q.close();
    q.setSql(QStringLiteral("SELECT DESCRICAO FROM SUBGRUP WHERE CODGRUPO =") + StrZero(CodGrupo, 3) +
             QStringLiteral(" AND CODSUBGRUPO = ") + StrZero(CodSubgrupo, 3));
    q.open();
    if (q.isEmpty()) {
        q.close();
        q.setSql(QStringLiteral("INSERT INTO SUBGRUP (CODGRUPO, CODSUBGRUPO, DESCRICAO) VALUES (:CODGRUPO, :CODSUBGRUPO, :DESCRICAO)"));
        q.setParamText(QStringLiteral("CODGRUPO"), StrZero(TextRules::right(CodGrupo, 3), 3));
        q.setParamText(QStringLiteral("CODSUBGRUPO"), StrZero(TextRules::right(CodSubgrupo, 3), 3));
        q.setParamText(QStringLiteral("DESCRICAO"), TextRules::upperWin1252(TextRules::left(Descricao, 30)));
        q.execSql();
    }
    return CodSubgrupo;
}

QString TConversao::FFabricante(const QString& Fabricante)
{
    // A product must never carry a manufacturer code without its row: every failure ends the run.
    TargetQuery& q = *QAuxiliar;
    const QString descricao = TextRules::left(Fabricante, 30);
    try {
        q.close();
        q.setSql(QStringLiteral("SELECT CODFABRIC FROM CADFABR WHERE DESCRICAO = :PFABRIC"));
        q.setParamText(QStringLiteral("PFABRIC"), descricao);
        q.open();
        const FieldValue encontrado = q.field(QStringLiteral("CODFABRIC"));
        QString codigo = encontrado.asString();
        if (encontrado.isNull() && !Fabricante.isEmpty()) {
            q.close();
            q.setSql(QStringLiteral("SELECT MAX(CODFABRIC) AS CODFABRIC FROM CADFABR"));
            q.open();
            const FieldValue maximo = q.field(QStringLiteral("CODFABRIC"));
            codigo = maximo.isNull() ? QStringLiteral("00001")
                                     : StrZero(QString::number(maximo.asInteger() + 1), 5);
            q.close();
            q.setSql(QStringLiteral("INSERT INTO CADFABR ( CODFABRIC, DESCRICAO) VALUES( :PCODFABRIC, :PFABRIC)"));
            q.setParamText(QStringLiteral("PCODFABRIC"), codigo);
            q.setParamText(QStringLiteral("PFABRIC"), descricao);
            q.execSql();
            banco().anotaInsercao(QStringLiteral("CADFABR"));
            q.setSql(QStringLiteral("COMMIT"));
            q.execSql();
        }
        return codigo;
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("Erro ao converter Fabricante. Motivo: ") + QChar(13) + e.message());
    }
}

QString TConversao::FPais(const QString& Pais)
{
    const QString nome = TextRules::upperWin1252(TextRules::left(Pais, 60));
    return achaOuCria(*this, *QAuxiliar,
                      {QStringLiteral("SELECT CODPAIS FROM PAISES WHERE NOMEPAIS =") + TextRules::quoted(nome),
                       QStringLiteral("SELECT MAX(CODPAIS) AS CODPAIS FROM PAISES"), QStringLiteral("CODPAIS"), 4,
                       QStringLiteral("INSERT INTO PAISES (CODPAIS, NOMEPAIS) VALUES (:CODPAIS, :NOMEPAIS)"),
                       {{QStringLiteral("NOMEPAIS"), nome}},
                       QString()});
}

QString TConversao::FClasCli(const QString& ClasCli)
{
    const QString descricao = TextRules::upperWin1252(TextRules::left(ClasCli, 20));
    return achaOuCria(*this, *QAuxiliar,
                      {QStringLiteral("SELECT CODCLASCLI FROM CLASCLI WHERE DESCRICAO =") + TextRules::quoted(descricao),
                       QStringLiteral("SELECT MAX(CODCLASCLI) AS CODCLASCLI FROM CLASCLI"), QStringLiteral("CODCLASCLI"), 3,
                       QStringLiteral("INSERT INTO CLASCLI (CODCLASCLI, DESCRICAO) VALUES (:CODCLASCLI, :DESCRICAO)"),
                       {{QStringLiteral("DESCRICAO"), descricao}},
                       QString()});
}

QString TConversao::FLocalProd(const QString& LocalProd)
{
    const QString descricao = TextRules::upperWin1252(TextRules::left(LocalProd, 20));
    return achaOuCria(*this, *QAuxiliar,
                      {QStringLiteral("SELECT CODLOCAL FROM LOCALPROD WHERE DESCRICAO =") + TextRules::quoted(descricao),
                       QStringLiteral("SELECT MAX(CODLOCAL) AS CODLOCAL FROM LOCALPROD"), QStringLiteral("CODLOCAL"), 8,
                       QStringLiteral("INSERT INTO LOCALPROD (CODLOCAL, DESCRICAO) VALUES (:CODLOCAL, :DESCRICAO)"),
                       {{QStringLiteral("DESCRICAO"), descricao}},
                       QString()});
}

QString TConversao::FUnidade(const QString& VFUNID)
{
    const QString unidade = TextRules::upperWin1252(TextRules::left(VFUNID, 2));
    TargetQuery& q = *QAuxiliar;
    try {
        q.close();
        q.setSql(QStringLiteral("Select UNIDADE from UNIDADES Where UNIDADE = :PUNIDADE"));
        q.setParamText(QStringLiteral("PUNIDADE"), unidade);
        q.open();
        if (q.isEmpty()) {
            q.close();
            q.setSql(QStringLiteral("Insert Into UNIDADES (UNIDADE) Values(:PUNIDADE)"));
            q.setParamText(QStringLiteral("PUNIDADE"), unidade);
            q.execSql();
        }
    } catch (const AppError&) {
        Platform::messages().warning(QStringLiteral("Erro ao converter Unidade."));
    }
    return unidade;
}

QString TConversao::FRetornaCodClasFis(const QString& ClasFis)
{
    // Searched and stored in the same normalized form, so a masked or padded number finds the
    // row it created and the rows of the fiscal classification converter.
    TargetQuery& q = *QAuxiliar;
    const QString ncm = FNormalizaNCM(ClasFis);
    QString codigo;
    if (procura(q, QStringLiteral("SELECT CODCLASFIS FROM CLASFISC WHERE CODIGONCM =") + TextRules::quoted(ncm),
                QStringLiteral("CODCLASFIS"), &codigo))
        return codigo;
    codigo = proximoCodigo(*this, q, QStringLiteral("Select Max(CODCLASFIS) as CodClasFis From CLASFISC"),
                           QStringLiteral("CodClasFis"), 4);
    // The code column holds four characters: cutting a fifth digit would reuse an existing code.
    if (codigo.size() > 4)
        throw AppError(QStringLiteral("Não há código livre para a classificação fiscal '%1': "
                                      "a tabela CLASFISC já usa o código 9999.")
                           .arg(ncm));
    q.close();
    q.setSql(QStringLiteral("Insert Into CLASFISC (CodClasFis, CodigoNCM, CodNBM, CODNATRECEITA ) VALUES "
                            "(:CodClasFis, :CodigoNCM, :CodNBM, :CODNATRECEITA )"));
    q.setParamText(QStringLiteral("CodClasFis"), codigo);
    q.setParamText(QStringLiteral("CodigoNCM"), ncm);
    q.setParamText(QStringLiteral("CodNBM"), ncm);
    q.setParamText(QStringLiteral("CODNATRECEITA"), QStringLiteral("999"));
    q.execSql();
    banco().anotaInsercao(QStringLiteral("CLASFISC"));
    return codigo;
}
