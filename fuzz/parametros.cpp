// The :NAME parameters of a target statement. Whatever the text holds, the names found are
// exactly the ":NAME" runs outside quoted literals and comments (as a scanner written here, one
// state per character, reads them), in order and upper case; each one becomes a single "?" and
// nothing else of the text changes; the result holds no parameter any more and reads the same
// when parsed again; a query lists each name once, in the order of first appearance, and takes
// a value for every name it lists and for no other.
//
// Input: the whole text, read as UTF-8, Latin-1 and UTF-16 (newlines end "--" comments here,
// so they are no field separators).
#include "Entrada.h"
#include "db/SqlText.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"

namespace {

TargetDatabase& banco()
{
    static TargetDatabase db;  // never connected: parameters are found in the text alone
    return db;
}

struct Parametro {
    int inicio, fim;  // [inicio, fim) of ":NAME" in the text
    QString nome;     // upper case
};

enum class Estado { Normal, Apostrofo, Aspas, Linha, Bloco };

// What the text looks like to the target, one character at a time. Returns the state at the end.
Estado varre(const QString& s, std::vector<Parametro>& achados)
{
    Estado e = Estado::Normal;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = s[i];
        const QChar d = i + 1 < n ? s[i + 1] : QChar();
        switch (e) {
        case Estado::Normal:
            if (c == QLatin1Char('\''))
                e = Estado::Apostrofo;
            else if (c == QLatin1Char('"'))
                e = Estado::Aspas;
            else if (c == QLatin1Char('-') && d == QLatin1Char('-'))
                e = Estado::Linha, ++i;
            else if (c == QLatin1Char('/') && d == QLatin1Char('*'))
                e = Estado::Bloco, ++i;
            else if (c == QLatin1Char(':') && i + 1 < n && SqlText::isIdentStart(d)) {
                int j = i + 1;
                while (j < n && SqlText::isIdentChar(s[j]))
                    ++j;
                achados.push_back({i, j, s.mid(i + 1, j - i - 1).toUpper()});
                i = j - 1;
            }
            break;
        case Estado::Apostrofo:
        case Estado::Aspas: {
            const QChar q = e == Estado::Apostrofo ? QLatin1Char('\'') : QLatin1Char('"');
            if (c == q) {
                if (d == q)
                    ++i;  // a doubled quote stays inside
                else
                    e = Estado::Normal;
            }
            break;
        }
        case Estado::Linha:
            if (c == QLatin1Char('\n'))
                e = Estado::Normal;
            break;
        case Estado::Bloco:
            if (c == QLatin1Char('*') && d == QLatin1Char('/'))
                e = Estado::Normal, ++i;
            break;
        }
    }
    return e;
}

QStringList nomes(const std::vector<Parametro>& ps)
{
    QStringList out;
    for (const Parametro& p : ps)
        out.append(p.nome);
    return out;
}

void confere(const QString& texto)
{
    std::vector<Parametro> esperados;
    const Estado fim = varre(texto, esperados);

    // The list is appended to: what it held stays in front.
    QStringList achados{QStringLiteral("ANTES")};
    const QString saida = SqlText::parseParams(texto, achados);
    FUZZ_CHECK(!achados.isEmpty() && achados.front() == QStringLiteral("ANTES"));
    achados.removeFirst();
    FUZZ_CHECK(achados == nomes(esperados));

    // Each parameter is one "?", the rest is copied as it is.
    QString montada;
    int de = 0;
    for (const Parametro& p : esperados) {
        FUZZ_CHECK(p.inicio >= de && p.fim > p.inicio + 1);
        FUZZ_CHECK(!p.nome.isEmpty() && p.nome == p.nome.toUpper());
        montada += QStringView(texto).mid(de, p.inicio - de);
        montada += QLatin1Char('?');
        de = p.fim;
    }
    montada += QStringView(texto).mid(de);
    FUZZ_CHECK(saida == montada);

    // Nothing left to find, and the quoting and comments read the same.
    QStringList outra;
    FUZZ_CHECK(SqlText::parseParams(saida, outra) == saida);
    FUZZ_CHECK(outra.isEmpty());
    std::vector<Parametro> nenhum;
    FUZZ_CHECK(varre(saida, nenhum) == fim);
    FUZZ_CHECK(nenhum.empty());

    // A second statement after a line break starts afresh, unless a literal or a block comment
    // is still open: then it is swallowed, parameters and all.
    {
        QStringList juntos;
        SqlText::parseParams(texto + QLatin1Char('\n') + texto, juntos);
        QStringList duas = nomes(esperados);
        if (fim == Estado::Normal || fim == Estado::Linha) {
            duas += nomes(esperados);
            FUZZ_CHECK(juntos == duas);
        } else {
            FUZZ_CHECK(juntos.mid(0, duas.size()) == duas);
        }
    }

    // The query: each name once, first appearance first; a value is taken for each listed name
    // (in any letter case) and refused for any other.
    TargetQuery q(banco());
    q.setSql(texto);
    QStringList unicos;
    for (const Parametro& p : esperados)
        if (!unicos.contains(p.nome))
            unicos.append(p.nome);
    FUZZ_CHECK(q.paramNames() == unicos);
    for (const QString& n : unicos) {
        q.setParamInteger(n, 1);
        if (n.toLower().toUpper() == n)
            q.setParamNull(n.toLower());
    }
    QString ausente = QStringLiteral("AUSENTE");
    while (unicos.contains(ausente))
        ausente += QLatin1Char('_');
    bool recusado = false;
    try {
        q.setParamInteger(ausente, 1);
    } catch (const AppError&) {
        recusado = true;
    }
    FUZZ_CHECK(recusado);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    entrada::cadaLeitura(data, size, confere);
    return 0;
}
