#include "db/SourceQuery.h"
#include "common/AppError.h"
#include "db/MensagemServidor.h"
#include "db/SourceConnection.h"
#include "db/SourceRowReader.h"
#include <QRegularExpression>
#include <mysql.h>

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
// The text with the inside of every quoted literal blanked out, so that keywords are only
// found where they are keywords; positions stay those of the original text.
QString withoutLiterals(const QString& text)
{
    QString out = text;
    QChar quote;
    for (int i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (quote.isNull()) {
            if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`'))
                quote = c;
        } else if (c == QLatin1Char('\\') && i + 1 < out.size()) {
            out[i] = out[i + 1] = QLatin1Char('_');
            ++i;
        } else if (c == quote) {
            quote = QChar();
        } else {
            out[i] = QLatin1Char('_');
        }
    }
    return out;
}
}  // namespace

QString SourceQuery::countStatement(const QString& selectText)
{
    const QString masked = withoutLiterals(selectText);
    static const QRegularExpression distinct(QStringLiteral("\\sdistinct\\s"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression param(QStringLiteral("\\?|:[A-Za-z_]"));
    if (masked.contains(distinct) || masked.contains(param))
        throw AppError(QStringLiteral("Não é possível contar os registros deste comando: ") + selectText);
    static const QRegularExpression from(QStringLiteral("\\bfrom\\b"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(masked);
    if (!m.hasMatch())
        throw AppError(QStringLiteral("Comando sem tabela para contar: ") + selectText);
    int end = selectText.size();
    static const QRegularExpression tail(QStringLiteral("\\b(order\\s+by|limit)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch t = tail.match(masked, m.capturedEnd());
    if (t.hasMatch())
        end = t.capturedStart();
    return QStringLiteral("select count(*) from ") +
           selectText.mid(m.capturedEnd(), end - m.capturedEnd()).trimmed();
}

namespace {
[[noreturn]] void fail(SourceConnection& c, MYSQL* h)
{
    const QString message = MensagemServidor::origem(QString::fromUtf8(mysql_error(h)), mysql_errno(h));
    c.noteError();
    throw AppError(message);
}
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
    m_types.assign(n, 0);
    for (unsigned i = 0; i < n; ++i) {
        const QString name = QString::fromUtf8(fields[i].name).toUpper();
        if (!m_columns.contains(name))
            m_columns.insert(name, static_cast<int>(i));
        m_types[i] = fields[i].type;
    }
    m_reader = std::make_unique<SourceRowReader>(m_result, h, m_types);
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
            const QString message = MensagemServidor::origem(item.errorText, item.errorCode);
            m_connection.noteError();
            throw AppError(message);
        }
        return;
    }
    m_row = std::move(item.row);
}

FieldValue SourceQuery::field(const QString& name) const
{
    const auto it = m_columns.constFind(name.toUpper());
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
