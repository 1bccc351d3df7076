// Quoting of texts written into statements. Whatever a value holds (quotes, "--", "/*",
// semicolons, ":NAME", control characters), its literal must read back as exactly that value,
// the statement around it must keep its shape, and the bytes sent in the connection character
// set must say the same: the value is refused or arrives unchanged, never altered.
#include "Entrada.h"
#include "Sql.h"
#include "conversion/TextRules.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/Win1252.h"
#include <QHash>

namespace {

TargetDatabase& banco()
{
    static TargetDatabase db;  // never connected: only the text handling is exercised
    return db;
}

// The bytes of the statement carry the same literals as its text, or the statement is refused
// because one of its characters has no code in the set.
void confereBytes(const QString& comando, const QStringList& valores)
{
    QByteArray bytes;
    try {
        bytes = Win1252::encode(comando);
    } catch (const AppError&) {
        bool recusavel = false;
        for (const QChar c : comando)
            recusavel = recusavel || !Win1252::canEncode(c);
        FUZZ_CHECK(recusavel);
        return;
    }
    FUZZ_CHECK(bytes.size() == comando.size());
    FUZZ_CHECK(Win1252::decode(bytes.constData(), static_cast<int>(bytes.size())) == comando);
    QStringList lidos;
    for (const sql::Token& t : sql::tokens(bytes)) {
        FUZZ_CHECK(t.kind != sql::Token::Aberto && t.kind != sql::Token::Comentario);
        if (t.kind == sql::Token::Texto) {
            const QByteArray v = sql::valor(bytes, t);
            lidos.append(Win1252::decode(v.constData(), static_cast<int>(v.size())));
        }
    }
    FUZZ_CHECK(lidos == valores);
}

// A statement with the values written in, in the two layouts the converters use: a value list
// and assignments (the lookups glue "=" and the literal together).
void confereComando(const QStringList& valores)
{
    QStringList partes;
    for (const QString& v : valores)
        partes.append(TextRules::quoted(v));
    QStringList colunas;
    for (int i = 0; i < valores.size(); ++i)
        colunas.append(QStringLiteral("T.C%1").arg(i));

    const QString cabeca = QStringLiteral(" Insert Into T ( ") + colunas.join(QStringLiteral(", ")) +
                           QStringLiteral(") Values ( ");
    const QString comando = cabeca + partes.join(QStringLiteral(", ")) + QStringLiteral(") ");
    // The same statement with plain values has one shape per number of values: worked out once.
    static QHash<qsizetype, QString> formas;
    if (!formas.contains(valores.size())) {
        QStringList b;
        for (int i = 0; i < valores.size(); ++i)
            b.append(QStringLiteral("'x'"));
        const QString benigno = cabeca + b.join(QStringLiteral(", ")) + QStringLiteral(") ");
        formas.insert(valores.size(), sql::esqueleto(benigno, sql::tokens(benigno)));
    }
    const auto ts = sql::tokens(comando);
    FUZZ_CHECK(sql::esqueleto(comando, ts) == formas.value(valores.size()));
    const auto pares = sql::pares(comando, ts);
    FUZZ_CHECK(pares.size() == static_cast<size_t>(valores.size()));
    for (size_t i = 0; i < pares.size(); ++i) {
        FUZZ_CHECK(pares[i].coluna == colunas[static_cast<int>(i)].toUpper());
        FUZZ_CHECK(pares[i].valor.kind == sql::Token::Texto);
        FUZZ_CHECK(sql::valor(comando, pares[i].valor) == valores[static_cast<int>(i)]);
    }
    FUZZ_CHECK(!TargetQuery::isCommitStatement(comando));
    {
        // The query looks for ":NAME" parameters outside literals: a value must never add one.
        TargetQuery q(banco());
        q.setSql(comando);
        FUZZ_CHECK(q.paramNames().isEmpty());
    }
    confereBytes(comando, valores);

    if (!valores.isEmpty()) {
        const QString busca = QStringLiteral("SELECT CODIGO FROM T WHERE DESCRICAO =") + partes[0] +
                              QStringLiteral(" AND ESTADO = ") + partes.value(1, QStringLiteral("''"));
        static const QString buscaBenigna = [] {
            const QString t = QStringLiteral("SELECT CODIGO FROM T WHERE DESCRICAO ='x' AND ESTADO = 'y'");
            return sql::esqueleto(t, sql::tokens(t));
        }();
        const auto tb = sql::tokens(busca);
        FUZZ_CHECK(sql::esqueleto(busca, tb) == buscaBenigna);
        const auto pb = sql::pares(busca, tb);
        FUZZ_CHECK(pb.size() == 2);
        FUZZ_CHECK(sql::valor(busca, pb[0].valor) == valores[0]);
        FUZZ_CHECK(sql::valor(busca, pb[1].valor) == valores.value(1));
        TargetQuery q(banco());
        q.setSql(busca);
        FUZZ_CHECK(q.paramNames().isEmpty());
    }
}

}  // namespace

// Input: the first byte picks the reading (see leituraPedida), each further line is one value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    QStringList valores;
    for (const entrada::Campo& c : entrada::campos(data + 1, size - 1, entrada::leituraPedida(data[0]))) {
        // One value alone: quotes around, every quote inside doubled, nothing else added.
        const QString q = TextRules::quoted(c.texto);
        FUZZ_CHECK(q.size() == c.texto.size() + c.texto.count(QLatin1Char('\'')) + 2);
        const auto ts = sql::tokens(q);
        FUZZ_CHECK(ts.size() == 1 && ts[0].kind == sql::Token::Texto && ts[0].inicio == 0 && ts[0].fim == q.size());
        FUZZ_CHECK(sql::valor(q, ts[0]) == c.texto);
        valores.append(c.texto);
    }
    confereComando(valores.mid(0, 16));
    return 0;
}
