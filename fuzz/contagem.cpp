// The statement that counts a source select's rows before they are read. A scanner written here
// reads the text the way the source server does (quoted texts with backslash escapes and doubled
// quotes, backquoted names with doubled backquotes only, "#", "-- " and "/* */" comments,
// parentheses) and says what the count must be: "select count(*) from" and the text after the
// select's own FROM, up to its own ORDER BY or LIMIT, without the server's blanks at either end;
// nothing of a literal, a name, a comment or a subquery is cut, found as FROM or dropped as a
// tail. Parameters and DISTINCT selects are refused, a plain select is not; counting the count
// gives the same statement.
//
// Input: the whole text, read as UTF-8, Latin-1 and UTF-16.
#include "Entrada.h"
#include "db/SourceQuery.h"

namespace {

enum class Estado { Codigo, Apostrofo, Aspas, Crase, Linha, Bloco };

struct Leitura {
    std::vector<char> codigo;      // per character: part of the statement's code (no literal, no comment)
    std::vector<char> comentario;  // per character: inside a comment
    std::vector<int> nivel;    // parentheses open before it
    Estado fim = Estado::Codigo;
    bool equilibrado = true;  // no ")" without its "(", none left open
};

Leitura le(const QString& s)
{
    Leitura r;
    const int n = static_cast<int>(s.size());
    r.codigo.assign(n, 0);
    r.comentario.assign(n, 0);
    r.nivel.assign(n, 0);
    const auto em = [&](int i) { return i < n ? s[i].unicode() : u'\0'; };
    Estado e = Estado::Codigo;
    int nivel = 0;
    for (int i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        r.nivel[i] = nivel;
        switch (e) {
        case Estado::Codigo:
            if (c == u'\'')
                e = Estado::Apostrofo;
            else if (c == u'"')
                e = Estado::Aspas;
            else if (c == u'`')
                e = Estado::Crase;
            else if (c == u'#' || (c == u'-' && em(i + 1) == u'-' && (em(i + 2) <= u' ' || em(i + 2) == 0x7F))) {
                e = Estado::Linha;  // "-- " takes a blank or control character after the dashes
                r.comentario[i] = 1;
            } else if (c == u'/' && em(i + 1) == u'*') {
                e = Estado::Bloco;
                r.comentario[i] = 1;
                r.nivel[++i] = nivel;
                r.comentario[i] = 1;
            } else {
                r.codigo[i] = 1;
                if (c == u'(') {
                    ++nivel;
                } else if (c == u')') {
                    if (nivel == 0)
                        r.equilibrado = false;
                    else
                        --nivel;
                    r.nivel[i] = nivel;
                }
            }
            break;
        case Estado::Apostrofo:
        case Estado::Aspas: {
            const char16_t q = e == Estado::Apostrofo ? u'\'' : u'"';
            if (c == u'\\' && i + 1 < n)
                r.nivel[++i] = nivel;
            else if (c == q && em(i + 1) == q)
                r.nivel[++i] = nivel;
            else if (c == q)
                e = Estado::Codigo;
            break;
        }
        case Estado::Crase:
            if (c == u'`' && em(i + 1) == u'`')
                r.nivel[++i] = nivel;
            else if (c == u'`')
                e = Estado::Codigo;
            break;
        case Estado::Linha:
            if (c == u'\n')
                e = Estado::Codigo;
            else
                r.comentario[i] = 1;
            break;
        case Estado::Bloco:
            r.comentario[i] = 1;
            if (c == u'*' && em(i + 1) == u'/') {
                r.nivel[++i] = nivel;
                r.comentario[i] = 1;
                e = Estado::Codigo;
            }
            break;
        }
    }
    r.fim = e;
    r.equilibrado = r.equilibrado && nivel == 0;
    return r;
}

// Letters, digits, "$", "_" and everything from U+0080 on make up the server's unquoted names.
bool deNome(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'$' ||
           u == u'_' || u >= 0x80;
}

struct Palavra {
    int inicio, fim, nivel;
    QString texto;  // upper case (ASCII letters only: the keywords)
};

std::vector<Palavra> palavras(const QString& s, const Leitura& l)
{
    std::vector<Palavra> out;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n;) {
        if (!l.codigo[i] || !deNome(s[i])) {
            ++i;
            continue;
        }
        int j = i;
        QString t;
        while (j < n && l.codigo[j] && deNome(s[j])) {
            const char16_t u = s[j].unicode();
            t += QChar(u >= u'a' && u <= u'z' ? u - 32 : u);
            ++j;
        }
        out.push_back({i, j, l.nivel[i], t});
        i = j;
    }
    return out;
}

// What may stand between ORDER and BY: blanks (the server's six) and comments, at least one.
bool soEspacos(const QString& s, const Leitura& l, int de, int ate)
{
    if (de >= ate)
        return false;
    for (int i = de; i < ate; ++i) {
        const char16_t u = s[i].unicode();
        if (!l.comentario[i] && u != u' ' && (u < u'\t' || u > u'\r'))
            return false;
    }
    return true;
}

// s[de, ate) without the server's blanks at either end (U+00A0 and the other Unicode blanks
// are name characters to it).
QString semBrancosNasPontas(const QString& s, int de, int ate)
{
    const auto branco = [&](int i) { return s[i] == QLatin1Char(' ') || (s[i] >= QLatin1Char('\t') && s[i] <= QLatin1Char('\r')); };
    while (de < ate && branco(de))
        ++de;
    while (ate > de && branco(ate - 1))
        --ate;
    return s.mid(de, ate - de);
}

const QString kCabeca = QStringLiteral("select count(*) from ");

void confere(const QString& s)
{
    const Leitura l = le(s);
    const std::vector<Palavra> ps = palavras(s, l);
    const bool fechado = (l.fim == Estado::Codigo || l.fim == Estado::Linha) && l.equilibrado;
    bool ascii = true;
    for (const QChar c : s)
        ascii = ascii && c.unicode() < 0x80;

    bool parametro = false;
    for (int i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        const char16_t d = i + 1 < s.size() ? s[i + 1].unicode() : u'\0';
        parametro = parametro || (l.codigo[i] && (u == u'?' || (u == u':' && i + 1 < s.size() && l.codigo[i + 1] &&
                                                            ((d >= u'A' && d <= u'Z') || (d >= u'a' && d <= u'z') || d == u'_'))));
    }
    int de = -1;  // the end of the select's own FROM
    bool distinto = false, distintoNoTopo = false;
    for (const Palavra& p : ps) {
        const bool d = p.texto == QLatin1String("DISTINCT") || p.texto == QLatin1String("DISTINCTROW");
        distinto = distinto || d;
        if (p.nivel == 0 && de < 0 && d)
            distintoNoTopo = true;
        if (p.nivel == 0 && de < 0 && p.texto == QLatin1String("FROM"))
            de = p.fim;
    }
    int ate = static_cast<int>(s.size());  // where the select's own ORDER BY or LIMIT starts
    for (size_t k = 0; de >= 0 && k < ps.size(); ++k) {
        const Palavra& p = ps[k];
        if (p.inicio < de || p.nivel != 0)
            continue;
        if (p.texto == QLatin1String("LIMIT") ||
            (p.texto == QLatin1String("ORDER") && k + 1 < ps.size() && ps[k + 1].texto == QLatin1String("BY") &&
             ps[k + 1].nivel == 0 && soEspacos(s, l, p.fim, ps[k + 1].inicio))) {
            ate = p.inicio;
            break;
        }
    }

    QString contagem;
    try {
        contagem = SourceQuery::countStatement(s);
    } catch (const AppError&) {
        // Refused: fine for parameters, DISTINCT, no FROM of its own, an open text or one whose
        // names the server's case rules read differently from plain ASCII; a plain select is counted.
        FUZZ_CHECK(parametro || distinto || de < 0 || !fechado || !ascii);
        return;
    }
    FUZZ_CHECK(!parametro);
    FUZZ_CHECK(!distintoNoTopo);
    FUZZ_CHECK(de >= 0);
    FUZZ_CHECK(contagem == kCabeca + semBrancosNasPontas(s, de, ate));

    if (fechado) {
        // Whole: every literal, name and comment closed, every parenthesis matched.
        const Leitura c = le(contagem);
        FUZZ_CHECK((c.fim == Estado::Codigo || c.fim == Estado::Linha) && c.equilibrado);
        // A count has nothing left to drop.
        QString outra;
        try {
            outra = SourceQuery::countStatement(contagem);
        } catch (const AppError&) {
            FUZZ_CHECK(false);
        }
        FUZZ_CHECK(outra == contagem);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    entrada::cadaLeitura(data, size, confere);
    return 0;
}
