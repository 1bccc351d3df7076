#pragma once
// Reads a statement text the way the target's parser (SQL dialect 1) splits it: texts in single
// or double quotes, where a doubled quote stands for one; "--" and "/* */" comments; numbers;
// words; single characters. It works on the statement as text and on its bytes in the
// connection character set alike, so both what is built and what is sent can be checked.
#include <QByteArray>
#include <QString>
#include <cstdlib>
#include <optional>
#include <vector>

namespace sql {

struct Token {
    enum Kind { Texto, Constante, Numero, Palavra, Comentario, Simbolo, Aberto };
    Kind kind;
    int inicio, fim;  // [inicio, fim) in the statement, quotes included
};

inline unsigned unidade(const QString& s, int i) { return s[i].unicode(); }
inline unsigned unidade(const QByteArray& s, int i) { return static_cast<unsigned char>(s[i]); }

inline bool digito(unsigned c) { return c >= '0' && c <= '9'; }
inline bool letra(unsigned c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

template <typename S>
std::vector<Token> tokens(const S& s)
{
    std::vector<Token> out;
    const int n = static_cast<int>(s.size());
    out.reserve(n / 3 + 4);
    const auto em = [&](int i) { return i < n ? unidade(s, i) : 0u; };
    // A sign belongs to the number when a value can start there (after "(", "," or "=").
    const auto podeSerValor = [&]() {
        if (out.empty() || out.back().kind != Token::Simbolo)
            return false;
        const unsigned c = unidade(s, out.back().inicio);
        return c == '(' || c == ',' || c == '=';
    };
    for (int i = 0; i < n;) {
        const unsigned c = em(i);
        if (c <= 32) {
            ++i;
        } else if (c == '\'' || c == '"') {
            int j = i + 1;
            bool fechado = false;
            while (j < n) {
                if (em(j) == c) {
                    if (em(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    fechado = true;
                    break;
                }
                ++j;
            }
            const int fim = fechado ? j + 1 : n;
            out.push_back({!fechado ? Token::Aberto : c == '\'' ? Token::Texto : Token::Constante, i, fim});
            i = fim;
        } else if (c == '-' && em(i + 1) == '-') {
            int j = i;
            while (j < n && em(j) != '\n')
                ++j;
            out.push_back({Token::Comentario, i, j});
            i = j;
        } else if (c == '/' && em(i + 1) == '*') {
            int j = i + 2;
            while (j < n && !(em(j) == '*' && em(j + 1) == '/'))
                ++j;
            j = j < n ? j + 2 : n;
            out.push_back({Token::Comentario, i, j});
            i = j;
        } else if (digito(c) || (c == '.' && digito(em(i + 1))) ||
                   ((c == '-' || c == '+') && (digito(em(i + 1)) || em(i + 1) == '.') && podeSerValor())) {
            int j = i;
            if (c == '-' || c == '+')
                ++j;
            while (digito(em(j)))
                ++j;
            if (em(j) == '.') {
                ++j;
                while (digito(em(j)))
                    ++j;
            }
            if ((em(j) == 'e' || em(j) == 'E') &&
                (digito(em(j + 1)) || ((em(j + 1) == '-' || em(j + 1) == '+') && digito(em(j + 2))))) {
                j += 2;
                while (digito(em(j)))
                    ++j;
            }
            out.push_back({Token::Numero, i, j});
            i = j;
        } else if (letra(c)) {
            int j = i + 1;
            while (letra(em(j)) || digito(em(j)) || em(j) == '$')
                ++j;
            out.push_back({Token::Palavra, i, j});
            i = j;
        } else {
            out.push_back({Token::Simbolo, i, i + 1});
            ++i;
        }
    }
    return out;
}

inline QString textoDe(const QString& s, const Token& t) { return s.mid(t.inicio, t.fim - t.inicio); }

// The value of a quoted text: quotes removed, doubled quotes undone.
inline QString valor(const QString& s, const Token& t)
{
    const QChar q = s[t.inicio];
    QString v = s.mid(t.inicio + 1, t.fim - t.inicio - 2);
    v.replace(QString(2, q), QString(q));
    return v;
}

inline QByteArray valor(const QByteArray& s, const Token& t)
{
    const char q = s[t.inicio];
    QByteArray v = s.mid(t.inicio + 1, t.fim - t.inicio - 2);
    v.replace(QByteArray(2, q), QByteArray(1, q));
    return v;
}

// Whether the quoted text t reads as v, without building its value.
inline bool valorIgual(const QString& s, const Token& t, const QString& v)
{
    const QChar q = s[t.inicio];
    qsizetype k = 0;
    for (int i = t.inicio + 1; i < t.fim - 1; ++i, ++k) {
        if (s[i] == q)
            ++i;  // the first of a doubled quote
        if (k >= v.size() || s[i] != v[k])
            return false;
    }
    return k == v.size();
}

// What must not depend on the values: every token outside the quoted texts, each quoted text
// and each number reduced to a placeholder. Double-quoted constants are the builder's own.
inline QString esqueleto(const QString& s, const std::vector<Token>& ts)
{
    QString out;
    out.reserve(static_cast<qsizetype>(ts.size()) * 8);
    for (const Token& t : ts) {
        switch (t.kind) {
        case Token::Texto: out += QLatin1String("'?'"); break;
        case Token::Numero: out += QLatin1Char('#'); break;
        case Token::Palavra:
            // Words are ASCII letters, digits, "_" and "$" (see letra): upper case in place.
            for (int i = t.inicio; i < t.fim; ++i) {
                const char16_t c = s[i].unicode();
                out += QChar(c >= u'a' && c <= u'z' ? c - 32 : c);
            }
            break;
        case Token::Comentario: out += QLatin1String("<comentario>"); break;
        case Token::Aberto: out += QLatin1String("<aberto>"); break;
        default: out += QStringView(s).mid(t.inicio, t.fim - t.inicio); break;
        }
        out += QLatin1Char(' ');
    }
    return out;
}

// The number a numeric token stands for; beyond the double range it reads as an infinity.
inline std::optional<double> numero(const QString& s, const Token& t)
{
    const int n = t.fim - t.inicio;
    if (n <= 0)
        return std::nullopt;
    // Number tokens are ASCII; a short one is read from the stack (no allocation per column).
    char curto[64];
    QByteArray longo;
    char* b = curto;
    if (n >= static_cast<int>(sizeof curto)) {
        longo.resize(n + 1);
        b = longo.data();
    }
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>(s[t.inicio + i].unicode());
    b[n] = '\0';
    char* fim = nullptr;
    const double v = std::strtod(b, &fim);  // the C locale: "." is the decimal point
    if (fim != b + n)
        return std::nullopt;
    return v;
}

// Column and value of each assignment: an INSERT's column list paired with its value list,
// and every "name = value" of an UPDATE (the WHERE condition included). Names are upper case.
struct Par {
    QString coluna;
    Token valor;
};

// Calls visita(coluna, valor) for each pair, in order, and tells whether the layout was read: an
// INSERT whose lists do not match gives no pair and false. The name passed is only valid during
// the call (one buffer serves them all, so the many columns cost no allocation each).
template <typename Visita>
bool visitaPares(const QString& s, const std::vector<Token>& ts, Visita&& visita)
{
    const auto simbolo = [&](size_t i, char c) {
        return i < ts.size() && ts[i].kind == Token::Simbolo && s[ts[i].inicio] == QLatin1Char(c);
    };
    // A name, qualified or not, starting at i: its tokens [de, i); i is moved past it.
    const auto pulaNome = [&](size_t& i) {
        while (i < ts.size() && ts[i].kind == Token::Palavra) {
            ++i;
            if (!simbolo(i, '.'))
                break;
            ++i;
        }
    };
    QString nome;
    nome.reserve(64);
    // The upper-case text of the name in tokens [de, ate), dots kept.
    const auto escreve = [&](size_t de, size_t ate) -> const QString& {
        nome.resize(0);
        for (size_t k = de; k < ate; ++k) {
            for (int j = ts[k].inicio; j < ts[k].fim; ++j) {
                const char16_t c = s[j].unicode();
                nome += QChar(c >= u'a' && c <= u'z' ? c - 32 : c);  // ASCII words, as in esqueleto
            }
        }
        return nome;
    };
    if (!ts.empty() && ts[0].kind == Token::Palavra && textoDe(s, ts[0]).compare(QLatin1String("INSERT"), Qt::CaseInsensitive) == 0) {
        size_t i = 0;
        while (i < ts.size() && !simbolo(i, '('))
            ++i;
        std::vector<std::pair<size_t, size_t>> colunas;  // token ranges
        for (++i; i < ts.size() && !simbolo(i, ')');) {
            const size_t de = i;
            pulaNome(i);
            colunas.emplace_back(de, i);
            if (simbolo(i, ','))
                ++i;
            else if (!simbolo(i, ')'))
                return false;
        }
        while (i < ts.size() && !simbolo(i, '('))
            ++i;
        std::vector<size_t> valores;
        for (++i; i < ts.size() && !simbolo(i, ')');) {
            if (valores.size() >= colunas.size())
                return false;
            valores.push_back(i);
            ++i;
            if (simbolo(i, ','))
                ++i;
            else if (!simbolo(i, ')'))
                return false;
        }
        if (valores.size() != colunas.size())
            return false;
        for (size_t k = 0; k < valores.size(); ++k)
            visita(escreve(colunas[k].first, colunas[k].second), ts[valores[k]]);
        return true;
    }
    for (size_t i = 0; i < ts.size();) {
        if (ts[i].kind != Token::Palavra) {
            ++i;
            continue;
        }
        const size_t de = i;
        pulaNome(i);
        if (simbolo(i, '=') && i + 1 < ts.size()) {
            visita(escreve(de, i), ts[i + 1]);
            i += 2;
        }
    }
    return true;
}

inline std::vector<Par> pares(const QString& s, const std::vector<Token>& ts)
{
    std::vector<Par> out;
    if (!visitaPares(s, ts, [&](const QString& coluna, const Token& valor) { out.push_back({coluna, valor}); }))
        out.clear();
    return out;
}

}  // namespace sql
