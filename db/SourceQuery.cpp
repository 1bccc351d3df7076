#include "db/SourceQuery.h"
#include "common/AppError.h"
#include "db/MensagemServidor.h"
#include "db/SourceConnection.h"
#include "db/SourceRowReader.h"
#include <mysql.h>
#include <algorithm>
#include <cstring>

SourceQuery::SourceQuery(SourceConnection& connection) : m_connection(connection) {}

SourceQuery::~SourceQuery() { close(); }

void SourceQuery::setSql(const QString& text)
{
    close();
    m_lines = QStringList{text};
}

void SourceQuery::clearSql()
{
    close();
    m_lines.clear();
}

void SourceQuery::addSql(const QString& line)
{
    close();
    m_lines.append(line);
}

namespace {
// How the source server's lexer sees each character of a select: code at the select's own level,
// code inside parentheses (a subquery, a function's arguments), or the inside of a quoted text,
// a backquoted name or a comment, where no keyword and no parameter can stand.
enum class Part : char { Top, Nested, Quoted, Comment };

std::vector<Part> parts(const QString& text)
{
    const int n = text.size();
    std::vector<Part> out(n, Part::Top);
    const auto at = [&](int i) { return i < n ? text[i].unicode() : u'\0'; };
    int depth = 0;
    for (int i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\'' || c == u'"' || c == u'`') {
            // Quoted texts take backslash escapes; names do not. A doubled quote stays inside.
            int j = i + 1;
            for (; j < n; ++j) {
                if (c != u'`' && text[j] == QLatin1Char('\\'))
                    ++j;
                else if (text[j] == QChar(c) && at(j + 1) == c)
                    ++j;
                else if (text[j] == QChar(c))
                    break;
            }
            j = std::min(j, n - 1);
            std::fill(out.begin() + i, out.begin() + j + 1, Part::Quoted);
            i = j;
        } else if (c == u'#' || (c == u'-' && at(i + 1) == u'-' && (at(i + 2) <= u' ' || at(i + 2) == 0x7F))) {
            // "#" or "-- " (a blank or control character after the dashes) up to the line's end.
            int j = i;
            while (j < n && text[j] != QLatin1Char('\n'))
                ++j;
            std::fill(out.begin() + i, out.begin() + j, Part::Comment);
            i = j - 1;
        } else if (c == u'/' && at(i + 1) == u'*') {
            const int close = text.indexOf(QLatin1String("*/"), i + 2);
            const int j = close < 0 ? n : close + 2;
            std::fill(out.begin() + i, out.begin() + j, Part::Comment);
            i = j - 1;
        } else {
            if (c == u')' && depth > 0)
                --depth;
            out[i] = depth > 0 ? Part::Nested : Part::Top;
            if (c == u'(')
                ++depth;
        }
    }
    return out;
}

// The server's unquoted names: ASCII letters and digits, "$", "_" and everything from U+0080 on.
bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'$' ||
           u == u'_' || u >= 0x80;
}

struct Word {
    int start, end;
};

// The words standing at the select's own level, in order.
std::vector<Word> topLevelWords(const QString& text, const std::vector<Part>& p)
{
    std::vector<Word> out;
    const int n = text.size();
    for (int i = 0; i < n;) {
        if (p[i] != Part::Top || !isNameChar(text[i])) {
            ++i;
            continue;
        }
        int j = i;
        while (j < n && p[j] == Part::Top && isNameChar(text[j]))
            ++j;
        out.push_back({i, j});
        i = j;
    }
    return out;
}

// Keywords compare in ASCII only: no other letter turns into one of theirs.
bool isKeyword(const QString& text, Word w, const char* keyword)
{
    const int len = static_cast<int>(std::strlen(keyword));
    if (w.end - w.start != len)
        return false;
    for (int k = 0; k < len; ++k) {
        char16_t c = text[w.start + k].unicode();
        if (c >= u'a' && c <= u'z')
            c -= 32;
        if (c != static_cast<unsigned char>(keyword[k]))
            return false;
    }
    return true;
}

// Only blanks and comments between two words (what may separate ORDER from BY).
bool onlyBlanksBetween(const QString& text, const std::vector<Part>& p, int from, int to)
{
    for (int i = from; i < to; ++i) {
        const char16_t c = text[i].unicode();
        if (p[i] != Part::Comment && c != u' ' && (c < u'\t' || c > u'\r'))
            return false;
    }
    return true;
}
}  // namespace

QString SourceQuery::countStatement(const QString& selectText)
{
    const std::vector<Part> p = parts(selectText);
    const int n = selectText.size();
    bool parameter = false;
    for (int i = 0; i < n && !parameter; ++i) {
        if (p[i] == Part::Quoted || p[i] == Part::Comment)
            continue;
        const char16_t c = selectText[i].unicode();
        const char16_t d = i + 1 < n && (p[i + 1] == Part::Top || p[i + 1] == Part::Nested) ? selectText[i + 1].unicode() : u'\0';
        parameter = c == u'?' || (c == u':' && ((d >= u'A' && d <= u'Z') || (d >= u'a' && d <= u'z') || d == u'_'));
    }
    const std::vector<Word> words = topLevelWords(selectText, p);
    bool distinct = false;
    for (const Word& w : words)
        distinct = distinct || isKeyword(selectText, w, "DISTINCT") || isKeyword(selectText, w, "DISTINCTROW");
    if (distinct || parameter)
        throw AppError(QStringLiteral("Não é possível contar os registros deste comando: ") + selectText);
    size_t k = 0;
    while (k < words.size() && !isKeyword(selectText, words[k], "FROM"))
        ++k;
    if (k == words.size())
        throw AppError(QStringLiteral("Comando sem tabela para contar: ") + selectText);
    int start = words[k].end;
    int end = n;
    for (++k; k < words.size(); ++k) {
        const Word w = words[k];
        if (isKeyword(selectText, w, "LIMIT") ||
            (isKeyword(selectText, w, "ORDER") && k + 1 < words.size() && isKeyword(selectText, words[k + 1], "BY") &&
             words[k + 1].start > w.end && onlyBlanksBetween(selectText, p, w.end, words[k + 1].start))) {
            end = w.start;
            break;
        }
    }
    // Only the server's blanks are trimmed: a no-break space or another Unicode blank is part of
    // a name there (QString::trimmed would rename the table).
    const auto blank = [&](int i) {
        const char16_t c = selectText[i].unicode();
        return c == u' ' || (c >= u'\t' && c <= u'\r');
    };
    while (start < end && blank(start))
        ++start;
    while (end > start && blank(end - 1))
        --end;
    return QStringLiteral("select count(*) from ") + selectText.mid(start, end - start);
}

namespace {
[[noreturn]] void fail(SourceConnection& c, const QString& error, unsigned code)
{
    const QString message = MensagemServidor::origem(error, code);
    c.noteError();
    throw AppError(message);
}

[[noreturn]] void fail(SourceConnection& c, MYSQL* h) { fail(c, QString::fromUtf8(mysql_error(h)), mysql_errno(h)); }
}  // namespace

void SourceQuery::open()
{
    close();
    MYSQL* h = m_connection.handle();
    const QString text = sql();
    const QByteArray countSql = countStatement(text).toUtf8();
    if (mysql_real_query(h, countSql.constData(), static_cast<unsigned long>(countSql.size())))
        fail(m_connection, h);
    MYSQL_RES* counted = mysql_store_result(h);
    if (!counted)
        fail(m_connection, h);
    MYSQL_ROW crow = mysql_fetch_row(counted);
    m_count = crow && crow[0] ? QByteArray(crow[0]).toInt() : 0;
    mysql_free_result(counted);

    const QByteArray bytes = text.toUtf8();
    if (mysql_real_query(h, bytes.constData(), static_cast<unsigned long>(bytes.size())))
        fail(m_connection, h);
    m_result = mysql_use_result(h);
    if (!m_result)
        fail(m_connection, h);
    const unsigned n = mysql_num_fields(m_result);
    MYSQL_FIELD* fields = mysql_fetch_fields(m_result);
    m_columns.clear();
    std::vector<int> types(n, 0);
    for (unsigned i = 0; i < n; ++i) {
        const QString name = QString::fromUtf8(fields[i].name).toUpper();
        if (!m_columns.contains(name))
            m_columns.insert(name, static_cast<int>(i));
        types[i] = fields[i].type;
    }
    m_reader = std::make_unique<SourceRowReader>(m_result, h, std::move(types));
    m_eof = false;
    fetch();
}

void SourceQuery::close()
{
    m_reader.reset();
    if (m_result) {
        // Drains what the server still sends, so the connection is ready for the next query.
        mysql_free_result(m_result);
        m_result = nullptr;
    }
    m_eof = true;
    m_row.clear();
}

int SourceQuery::recordCount() const
{
    if (!m_result)
        throw AppError(QStringLiteral("O comando de origem não está aberto."));
    return m_count;
}

void SourceQuery::next()
{
    if (m_result && !m_eof)
        fetch();
}

void SourceQuery::fetch()
{
    SourceRowReader::Item item = m_reader->take();
    if (item.end) {
        m_eof = true;
        m_row.clear();
        if (item.errorCode) {
            // The reader has left; the handle the rows came from is ours again (never a
            // reconnection while they are read).
            m_reader.reset();
            fail(m_connection, item.errorText, item.errorCode);
        }
        return;
    }
    m_row = std::move(item.row);
}

FieldValue SourceQuery::field(const QString& name) const
{
    // Callers mostly name columns in upper case already; only other spellings pay the copy.
    auto it = m_columns.constFind(name);
    if (it == m_columns.constEnd())
        it = m_columns.constFind(name.toUpper());
    if (it == m_columns.constEnd())
        throw AppError(QStringLiteral("Campo '%1' não encontrado no comando de origem.").arg(name));
    if (m_eof || static_cast<size_t>(*it) >= m_row.size())
        return FieldValue::null();
    return m_row[static_cast<size_t>(*it)];
}

namespace {
template <typename Leitura>
auto lidoComoCampo(const FieldValue& v, const QString& name, Leitura leitura)
{
    try {
        return leitura(v);
    } catch (const AppError& e) {
        throw AppError(e.message() + QStringLiteral(" no campo ") + name.toUpper());
    }
}
}  // namespace

qint64 SourceQuery::fieldInteger(const QString& name) const
{
    return lidoComoCampo(field(name), name, [](const FieldValue& v) { return v.asInteger(); });
}

double SourceQuery::fieldFloat(const QString& name) const
{
    return lidoComoCampo(field(name), name, [](const FieldValue& v) { return v.asFloat(); });
}

QDateTime SourceQuery::fieldDateTime(const QString& name) const
{
    return lidoComoCampo(field(name), name, [](const FieldValue& v) { return v.asDateTime(); });
}
