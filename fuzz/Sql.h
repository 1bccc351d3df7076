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

// What must not depend on the values: every token outside the quoted texts, each quoted text
// and each number reduced to a placeholder. Double-quoted constants are the builder's own.
inline QString esqueleto(const QString& s, const std::vector<Token>& ts)
{
    QString out;
    for (const Token& t : ts) {
        switch (t.kind) {
        case Token::Texto: out += QStringLiteral("'?'"); break;
        case Token::Numero: out += QLatin1Char('#'); break;
        case Token::Palavra: out += textoDe(s, t).toUpper(); break;
        case Token::Comentario: out += QStringLiteral("<comentario>"); break;
        case Token::Aberto: out += QStringLiteral("<aberto>"); break;
        default: out += textoDe(s, t); break;
        }
        out += QLatin1Char(' ');
    }
    return out;
}

// The number a numeric token stands for; beyond the double range it reads as an infinity.
inline std::optional<double> numero(const QString& s, const Token& t)
{
    const QByteArray b = textoDe(s, t).toLatin1();
    if (b.isEmpty())
        return std::nullopt;
    char* fim = nullptr;
    const double v = std::strtod(b.constData(), &fim);  // the C locale: "." is the decimal point
    if (fim != b.constData() + b.size())
        return std::nullopt;
    return v;
}

// Column and value of each assignment: an INSERT's column list paired with its value list,
// and every "name = value" of an UPDATE (the WHERE condition included). Names are upper case.
struct Par {
    QString coluna;
    Token valor;
};

inline std::vector<Par> pares(const QString& s, const std::vector<Token>& ts)
{
    std::vector<Par> out;
    const auto simbolo = [&](size_t i, char c) {
        return i < ts.size() && ts[i].kind == Token::Simbolo && s[ts[i].inicio] == QLatin1Char(c);
    };
    // A name, qualified or not, starting at i; i is moved past it.
    const auto nome = [&](size_t& i) {
        QString n;
        while (i < ts.size() && ts[i].kind == Token::Palavra) {
            n += textoDe(s, ts[i]).toUpper();
            ++i;
            if (!simbolo(i, '.'))
                break;
            n += QLatin1Char('.');
            ++i;
        }
        return n;
    };
    if (!ts.empty() && ts[0].kind == Token::Palavra && textoDe(s, ts[0]).compare(QLatin1String("INSERT"), Qt::CaseInsensitive) == 0) {
        size_t i = 0;
        while (i < ts.size() && !simbolo(i, '('))
            ++i;
        QStringList colunas;
        for (++i; i < ts.size() && !simbolo(i, ')');) {
            colunas.append(nome(i));
            if (simbolo(i, ','))
                ++i;
            else if (!simbolo(i, ')'))
                return {};
        }
        while (i < ts.size() && !simbolo(i, '('))
            ++i;
        int k = 0;
        for (++i; i < ts.size() && !simbolo(i, ')'); ++k) {
            if (k >= colunas.size())
                return {};
            out.push_back({colunas[k], ts[i]});
            ++i;
            if (simbolo(i, ','))
                ++i;
            else if (!simbolo(i, ')'))
                return {};
        }
        if (k != colunas.size())
            return {};
        return out;
    }
    for (size_t i = 0; i < ts.size();) {
        if (ts[i].kind != Token::Palavra) {
            ++i;
            continue;
        }
        const QString n = nome(i);
        if (simbolo(i, '=') && i + 1 < ts.size()) {
            out.push_back({n, ts[i + 1]});
            i += 2;
        }
    }
    return out;
}

}  // namespace sql
