#include "db/TargetQuery.h"
#include "db/AppError.h"
#include "db/FbClient.h"
#include "db/MensagemServidor.h"
#include "db/TargetDatabase.h"
#include "db/TargetTransaction.h"
#include "db/Win1252.h"
#include <QHash>
#include <QRegularExpression>
#include <cmath>
#include <cstring>
#include <deque>
#include <utility>
#include <vector>

using namespace Firebird;

namespace {

enum class ParamKind { Unset, Null, Value };
struct ParamValue {
    ParamKind kind = ParamKind::Unset;
    QByteArray bytes;  // the value as text in the connection character set
};

struct Column {
    QString name;
    unsigned type, length, offset, nullOffset;
    int scale, charset, subType;
};

bool isIdentStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

// Just past the literal whose opening quote stands at i (a doubled quote stays inside it);
// the end of the text when the literal is not closed.
int literalEnd(const QString& text, int i)
{
    const QChar q = text[i];
    const int n = text.size();
    int j = i + 1;
    while (j < n && !(text[j] == q && !(j + 1 < n && text[j + 1] == q)))
        j += text[j] == q ? 2 : 1;
    return std::min(j + 1, n);
}

// Replaces every :NAME outside literals and comments by "?" and lists the names in order.
QString parseParams(const QString& text, QStringList& names)
{
    QString out;
    out.reserve(text.size());
    const int n = text.size();
    for (int i = 0; i < n;) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int j = literalEnd(text, i);
            out += QStringView(text).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && text[i + 1] == QLatin1Char('-')) {
            int j = text.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
            out += QStringView(text).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < n && text[i + 1] == QLatin1Char('*')) {
            int j = text.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out += QStringView(text).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n && isIdentStart(text[i + 1])) {
            int j = i + 1;
            while (j < n && isIdentChar(text[j]))
                ++j;
            names.append(text.mid(i + 1, j - i - 1).toUpper());
            out += QLatin1Char('?');
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString textOf(const char* p, unsigned len, int charset)
{
    if (charset == 1)  // OCTETS: bytes as they are
        return QString::fromLatin1(p, static_cast<int>(len));
    return Win1252::decode(p, static_cast<int>(len));
}

// Where a statement's quoted literals stand: [start, end) of each, quotes included.
struct Span {
    int start = -1, end = -1;
};

// The text of a literal written in the statement, quotes removed and doubled quotes undone.
QString literalValue(const QString& text, Span s)
{
    if (s.end - s.start < 2)
        return QString();
    const QChar q = text[s.start];
    QString v = text.mid(s.start + 1, s.end - s.start - 2);
    v.replace(QString(2, q), QString(q));
    return v;
}

// The top-level parenthesized lists of a statement, each as its comma-separated items.
std::vector<std::vector<Span>> topLevelLists(const QString& text)
{
    std::vector<std::vector<Span>> lists;
    int depth = 0, itemStart = -1;
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            i = literalEnd(text, i) - 1;
        } else if (c == QLatin1Char('(')) {
            if (++depth == 1) {
                lists.emplace_back();
                itemStart = i + 1;
            }
        } else if (c == QLatin1Char(')') && depth > 0) {
            if (--depth == 0)
                lists.back().push_back({itemStart, i});
        } else if (c == QLatin1Char(',') && depth == 1) {
            lists.back().push_back({itemStart, i});
            itemStart = i + 1;
        }
    }
    return lists;
}

// The literal holding position pos, if any.
Span literalAt(const QString& text, int pos)
{
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\'') && c != QLatin1Char('"'))
            continue;
        const int end = literalEnd(text, i);
        if (pos >= i && pos < end)
            return {i, end};
        i = end - 1;
    }
    return {};
}

// The column that the literal at lit is written to: the matching entry of an INSERT's column
// list, or the name before "=" of an assignment or comparison. Empty when the layout does not tell.
QString columnOf(const QString& text, Span lit)
{
    if (lit.start < 0)
        return QString();
    if (text.trimmed().startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive)) {
        const auto lists = topLevelLists(text);
        if (lists.size() >= 2) {
            const auto& columns = lists[0];
            const auto& values = lists[1];
            for (size_t k = 0; k < values.size() && k < columns.size(); ++k)
                if (lit.start >= values[k].start && lit.end <= values[k].end)
                    return text.mid(columns[k].start, columns[k].end - columns[k].start).trimmed();
        }
        return QString();
    }
    int i = lit.start - 1;
    while (i >= 0 && text[i].isSpace())
        --i;
    if (i < 0 || text[i] != QLatin1Char('='))
        return QString();
    --i;
    while (i >= 0 && text[i].isSpace())
        --i;
    const int end = i + 1;
    while (i >= 0 && (isIdentChar(text[i]) || text[i] == QLatin1Char('.')))
        --i;
    return text.mid(i + 1, end - i - 1);
}

// A statement in the connection character set. A character that the set cannot hold is
// reported with the column and the value that hold it, not by its place in a long text.
QByteArray encodeStatement(const QString& text, bool substitui)
{
    try {
        return Win1252::encode(text, substitui);
    } catch (const AppError&) {
        int pos = 0;
        while (pos < text.size() && Win1252::canEncode(text[pos]))
            ++pos;
        if (pos >= text.size())
            throw;
        const Span lit = literalAt(text, pos);
        const QString column = columnOf(text, lit);
        const QString value = lit.start >= 0 ? literalValue(text, lit) : text.mid(std::max(0, pos - 40), 80);
        throw AppError(QStringLiteral("O caractere %1 não pode ser gravado no banco de destino (conjunto de "
                                      "caracteres WIN1252): %2\"%3\"")
                           .arg(Win1252::codePoint(text, pos),
                                column.isEmpty() ? QString() : QStringLiteral("campo ") + column + QStringLiteral(", valor "),
                                value.left(200)));
    }
}

// SQLSTATE class 22: a value its column cannot take (too long, out of range, unreadable).
bool isDataException(const FbException& e)
{
    char state[6] = {};
    fb_sqlstate(state, e.getStatus()->getErrors());
    return state[0] == '2' && state[1] == '2';
}

// Firebird names neither the column nor the value that a literal INSERT could not store. Each
// value is assigned alone to a variable of its column's type, and the first one refused for the
// same kind of reason is named: " (campo C, valor V)", or empty when none is.
QString refusedValue(IAttachment* attachment, ITransaction* tra, unsigned dialect, const QString& text)
{
    static const QRegularExpression head(QStringLiteral("^\\s*INSERT\\s+INTO\\s+([A-Za-z_][A-Za-z0-9_$]*)\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(text);
    const auto lists = topLevelLists(text);
    if (!m.hasMatch() || lists.size() < 2 || lists[0].size() != lists[1].size())
        return QString();
    for (size_t k = 0; k < lists[0].size(); ++k) {
        const Span c = lists[0][k], v = lists[1][k];
        const QString column = text.mid(c.start, c.end - c.start).trimmed();
        const QString value = text.mid(v.start, v.end - v.start).trimmed();
        const QString probe = QStringLiteral("EXECUTE BLOCK AS DECLARE V TYPE OF COLUMN ") + m.captured(1) +
                              QLatin1Char('.') + column.section(QLatin1Char('.'), -1) +
                              QStringLiteral("; BEGIN V = ") + value + QStringLiteral("; END");
        try {
            const QByteArray bytes = Win1252::encode(probe);
            FbClient::Status st;
            attachment->execute(&st, tra, static_cast<unsigned>(bytes.size()), bytes.constData(), dialect, nullptr,
                                nullptr, nullptr, nullptr);
        } catch (const AppError&) {
            continue;
        } catch (const FbException& e) {
            if (!isDataException(e))
                continue;
            int first = v.start;
            while (first < v.end && text[first].isSpace())
                ++first;
            const Span lit = literalAt(text, first);
            const QString shown = lit.start >= 0 && lit.end - lit.start == value.size()
                                      ? QLatin1Char('"') + literalValue(text, lit).left(200) + QLatin1Char('"')
                                      : value;
            return QStringLiteral(" (campo ") + column + QStringLiteral(", valor ") + shown + QLatin1Char(')');
        }
    }
    return QString();
}

double scaled(qint64 v, int scale)
{
    return static_cast<double>(v) / std::pow(10.0, -scale);
}
}  // namespace

// A prepared statement with what was learnt of it when it was prepared.
struct Prepared {
    IStatement* stmt = nullptr;
    QString text;             // the text it was prepared from
    unsigned generation = 0;  // of the attachment it belongs to
    IMessageMetadata* inMeta = nullptr;
    IMessageMetadata* outMeta = nullptr;
    std::vector<Column> columns;
    QHash<QString, int> columnIndex;
};

struct TargetQuery::Impl {
    TargetDatabase& db;
    TargetTransaction* transaction = nullptr;

    // The prepared statement, kept while the text (and the attachment) stay the same.
    Prepared cur;
    // Statements this query prepared before, newest first, kept for a while: the lookups
    // switch one query between a few texts for every source row, and preparing them again
    // each time costs more than running them.
    static constexpr size_t kKept = 8;
    std::deque<Prepared> kept;

    // Parameters of the current text.
    QString parsedSource;
    QString parsedText;
    QStringList paramOrder;
    QHash<QString, ParamValue> params;

    // Result of open().
    IResultSet* rs = nullptr;
    bool open = false;
    bool empty = true;
    bool eof = true;
    std::vector<unsigned char> buffer;
    std::vector<FieldValue> row;

    explicit Impl(TargetDatabase& d) : db(d) {}

    bool usable(const Prepared& p) const { return p.stmt && p.generation == db.generation() && db.connected(); }

    // The current statement goes to the front of the kept ones; the oldest beyond the limit is freed.
    void park()
    {
        if (!usable(cur)) {
            freeStatement();
            return;
        }
        kept.push_front(std::exchange(cur, Prepared{}));
        while (kept.size() > kKept) {
            release(kept.back());
            kept.pop_back();
        }
    }
    // Makes a kept statement of this text the current one; false when there is none.
    bool unpark(const QString& text)
    {
        for (auto it = kept.begin(); it != kept.end(); ++it) {
            if (it->text != text || it->generation != db.generation())
                continue;
            cur = std::move(*it);
            kept.erase(it);
            return true;
        }
        return false;
    }
    // Frees a statement on the server, or only our handle when its attachment is gone.
    void release(Prepared& p)
    {
        if (p.inMeta) p.inMeta->release();
        if (p.outMeta) p.outMeta->release();
        if (p.stmt && usable(p)) {
            try {
                FbClient::Status st;
                p.stmt->free(&st);  // releases on success
            } catch (const FbException&) {
                p.stmt->release();
            }
        } else if (p.stmt) {
            p.stmt->release();
        }
        p = Prepared{};
    }
    void freeStatement() { release(cur); }
    void freeAll()
    {
        freeStatement();
        for (Prepared& p : kept)
            release(p);
        kept.clear();
    }
    void dropCursor()
    {
        if (rs) {
            try {
                FbClient::Status st;
                rs->close(&st);
            } catch (const FbException&) {
                rs->release();
            }
            rs = nullptr;
        }
        eof = true;
    }
};

TargetQuery::TargetQuery(TargetDatabase& database) : d(std::make_unique<Impl>(database))
{
    d->transaction = database.defaultTransaction();
    if (d->transaction)
        d->transaction->registerQuery(this);
}

TargetQuery::TargetQuery(TargetDatabase& database, TargetTransaction& transaction)
    : d(std::make_unique<Impl>(database))
{
    d->transaction = &transaction;
    transaction.registerQuery(this);
}

TargetQuery::~TargetQuery()
{
    close();
    d->freeAll();
    if (d->transaction)
        d->transaction->unregisterQuery(this);
}

void TargetQuery::forgetTransaction()
{
    d->dropCursor();
    d->transaction = nullptr;
}

void TargetQuery::dropCursor() { d->dropCursor(); }

void TargetQuery::setSql(const QString& text)
{
    close();
    m_lines = QStringList{text};
}

void TargetQuery::clearSql()
{
    close();
    m_lines.clear();
}

void TargetQuery::addSql(const QString& line)
{
    close();
    m_lines.append(line);
}

static void ensureParsed(TargetQuery::Impl& d, const QString& text);

void ensureParsed(TargetQuery::Impl& d, const QString& text)
{
    if (d.parsedSource == text && !d.parsedText.isNull())
        return;
    d.paramOrder.clear();
    d.parsedText = parseParams(text, d.paramOrder);
    d.parsedSource = text;
    QHash<QString, ParamValue> kept;
    for (const QString& n : d.paramOrder)
        kept.insert(n, d.params.value(n));
    d.params = kept;
}

QStringList TargetQuery::paramNames() const
{
    ensureParsed(*d, sql());
    QStringList unique;
    for (const QString& n : d->paramOrder)
        if (!unique.contains(n))
            unique.append(n);
    return unique;
}

namespace {
ParamValue& paramSlot(TargetQuery::Impl& d, const QString& text, const QString& name)
{
    ensureParsed(d, text);
    const QString key = name.toUpper();
    if (!d.paramOrder.contains(key))
        throw AppError(QStringLiteral("Parâmetro '%1' não encontrado no comando.").arg(name));
    return d.params[key];
}
}  // namespace

void TargetQuery::setParamText(const QString& name, const QString& value)
{
    ParamValue& p = paramSlot(*d, sql(), name);
    try {
        p.bytes = Win1252::encode(value, d->db.substituiNoEnsaio());
    } catch (const AppError& e) {
        throw AppError(e.message() + QStringLiteral(" (parâmetro ") + name + QLatin1Char(')'));
    }
    p.kind = ParamKind::Value;
}

void TargetQuery::setParamInteger(const QString& name, qint64 value)
{
    ParamValue& p = paramSlot(*d, sql(), name);
    p.bytes = QByteArray::number(value);
    p.kind = ParamKind::Value;
}

void TargetQuery::setParamFloat(const QString& name, double value)
{
    ParamValue& p = paramSlot(*d, sql(), name);
    if (!std::isfinite(value))
        throw AppError(QStringLiteral("Valor numérico inválido para o parâmetro '%1'.").arg(name));
    p.bytes = QByteArray::number(value, 'g', 17);
    p.kind = ParamKind::Value;
}

void TargetQuery::setParamDate(const QString& name, const QDate& value)
{
    ParamValue& p = paramSlot(*d, sql(), name);
    if (!value.isValid()) {
        p.kind = ParamKind::Null;
        return;
    }
    p.bytes = value.toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    p.kind = ParamKind::Value;
}

void TargetQuery::setParamNull(const QString& name)
{
    ParamValue& p = paramSlot(*d, sql(), name);
    p.bytes.clear();
    p.kind = ParamKind::Null;
}


namespace {
void record(StatementRecorder::Kind kind, TargetQuery::Impl& d, const QByteArray& sql);
}

bool TargetQuery::isCommitStatement(const QString& text)
{
    QString t = text.trimmed();
    while (t.endsWith(QLatin1Char(';')))
        t = t.left(t.size() - 1).trimmed();
    return t.compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0 ||
           t.compare(QLatin1String("COMMIT WORK"), Qt::CaseInsensitive) == 0;
}

namespace {
TargetTransaction& activeTransaction(TargetQuery::Impl& d)
{
    if (!d.db.connected())
        throw AppError(QStringLiteral("O banco de dados de destino não está conectado."));
    if (!d.transaction)
        throw AppError(QStringLiteral("O comando não tem transação associada."));
    if (!d.transaction->active())
        d.transaction->start();
    return *d.transaction;
}

void prepare(TargetQuery::Impl& d, TargetTransaction& t)
{
    if (d.cur.stmt && d.cur.text == d.parsedText && d.cur.generation == d.db.generation())
        return;
    d.park();
    if (d.unpark(d.parsedText))
        return;
    const QByteArray sqlBytes = encodeStatement(d.parsedText, d.db.substituiNoEnsaio());
    FbClient::Status st;
    try {
        d.cur.stmt = d.db.attachment()->prepare(&st, t.handle(), static_cast<unsigned>(sqlBytes.size()),
                                            sqlBytes.constData(), static_cast<unsigned>(d.db.sqlDialect()),
                                            IStatement::PREPARE_PREFETCH_METADATA);
        d.cur.text = d.parsedText;
        d.cur.generation = d.db.generation();
        // Every parameter travels as text; the server converts it to the column's type.
        IMessageMetadata* described = d.cur.stmt->getInputMetadata(&st);
        IMetadataBuilder* b = described->getBuilder(&st);
        const unsigned count = described->getCount(&st);
        described->release();
        for (unsigned i = 0; i < count; ++i) {
            b->setType(&st, i, SQL_VARYING);
            b->setSubType(&st, i, 0);
            b->setScale(&st, i, 0);
            b->setLength(&st, i, 32765);
            b->setCharSet(&st, i, 53);  // WIN1252
        }
        d.cur.inMeta = b->getMetadata(&st);
        b->release();
        d.cur.outMeta = d.cur.stmt->getOutputMetadata(&st);
        const unsigned cols = d.cur.outMeta->getCount(&st);
        for (unsigned i = 0; i < cols; ++i) {
            Column c;
            const char* alias = d.cur.outMeta->getAlias(&st, i);
            c.name = QString::fromUtf8(alias && *alias ? alias : d.cur.outMeta->getField(&st, i)).trimmed();
            c.type = d.cur.outMeta->getType(&st, i);
            c.length = d.cur.outMeta->getLength(&st, i);
            c.offset = d.cur.outMeta->getOffset(&st, i);
            c.nullOffset = d.cur.outMeta->getNullOffset(&st, i);
            c.scale = d.cur.outMeta->getScale(&st, i);
            c.charset = static_cast<int>(d.cur.outMeta->getCharSet(&st, i));
            c.subType = d.cur.outMeta->getSubType(&st, i);
            d.cur.columnIndex.insert(c.name.toUpper(), static_cast<int>(d.cur.columns.size()));
            d.cur.columns.push_back(c);
        }
    } catch (const FbException& e) {
        const QString msg = FbClient::message(e);
        d.freeStatement();
        throw AppError(MensagemServidor::destino(msg));
    }
}

std::vector<unsigned char> inputBuffer(TargetQuery::Impl& d)
{
    FbClient::Status st;
    std::vector<unsigned char> buf(d.cur.inMeta->getMessageLength(&st));
    const unsigned count = d.cur.inMeta->getCount(&st);
    if (count != static_cast<unsigned>(d.paramOrder.size()))
        throw AppError(QStringLiteral("Número de parâmetros não confere com o comando."));
    for (unsigned i = 0; i < count; ++i) {
        const ParamValue& p = d.params.value(d.paramOrder[static_cast<int>(i)]);
        short* nullFlag = reinterpret_cast<short*>(&buf[d.cur.inMeta->getNullOffset(&st, i)]);
        unsigned char* data = &buf[d.cur.inMeta->getOffset(&st, i)];
        if (p.kind != ParamKind::Value) {
            *nullFlag = -1;
            continue;
        }
        if (p.bytes.size() > 32765)
            throw AppError(QStringLiteral("Valor longo demais para o parâmetro '%1'.").arg(d.paramOrder[static_cast<int>(i)]));
        *nullFlag = 0;
        const unsigned short len = static_cast<unsigned short>(p.bytes.size());
        std::memcpy(data, &len, sizeof len);
        std::memcpy(data + sizeof len, p.bytes.constData(), len);
    }
    return buf;
}

FieldValue readBlob(TargetQuery::Impl& d, ISC_QUAD* id, const Column& c)
{
    FbClient::Status st;
    IBlob* blob = d.db.attachment()->openBlob(&st, d.transaction->handle(), id, 0, nullptr);
    QByteArray bytes;
    try {
        char chunk[16384];
        for (;;) {
            unsigned got = 0;
            const int r = blob->getSegment(&st, sizeof chunk, chunk, &got);
            if (r == IStatus::RESULT_OK || r == IStatus::RESULT_SEGMENT)
                bytes.append(chunk, static_cast<int>(got));
            else
                break;
        }
        blob->close(&st);
    } catch (...) {
        blob->release();
        throw;
    }
    if (c.subType == 1)
        return FieldValue::text(textOf(bytes.constData(), static_cast<unsigned>(bytes.size()), c.charset));
    return FieldValue::text(QString::fromLatin1(bytes));
}

void decodeRow(TargetQuery::Impl& d)
{
    d.row.clear();
    d.row.reserve(d.cur.columns.size());
    for (const Column& c : d.cur.columns) {
        const unsigned char* p = &d.buffer[c.offset];
        if (*reinterpret_cast<const short*>(&d.buffer[c.nullOffset])) {
            d.row.push_back(FieldValue::null());
            continue;
        }
        switch (c.type) {
        case SQL_TEXT:
            d.row.push_back(FieldValue::text(textOf(reinterpret_cast<const char*>(p), c.length, c.charset)));
            break;
        case SQL_VARYING: {
            unsigned short len;
            std::memcpy(&len, p, sizeof len);
            d.row.push_back(FieldValue::text(textOf(reinterpret_cast<const char*>(p + 2), len, c.charset)));
            break;
        }
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64: {
            qint64 v = 0;
            if (c.type == SQL_SHORT) { short s; std::memcpy(&s, p, 2); v = s; }
            else if (c.type == SQL_LONG) { qint32 s; std::memcpy(&s, p, 4); v = s; }
            else std::memcpy(&v, p, 8);
            d.row.push_back(c.scale < 0 ? FieldValue::real(scaled(v, c.scale)) : FieldValue::integer(v));
            break;
        }
        case SQL_FLOAT: { float f; std::memcpy(&f, p, 4); d.row.push_back(FieldValue::real(f)); break; }
        case SQL_DOUBLE:
        case SQL_D_FLOAT: { double f; std::memcpy(&f, p, 8); d.row.push_back(FieldValue::real(f)); break; }
        case SQL_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIME: {
            unsigned y = 1899, m = 12, dd = 30, h = 0, mi = 0, s = 0, frac = 0;
            ISC_DATE date = 0; ISC_TIME time = 0;
            if (c.type == SQL_TIMESTAMP) { std::memcpy(&date, p, 4); std::memcpy(&time, p + 4, 4); }
            else if (c.type == SQL_TYPE_DATE) std::memcpy(&date, p, 4);
            else std::memcpy(&time, p, 4);
            if (c.type != SQL_TYPE_TIME) FbClient::util()->decodeDate(date, &y, &m, &dd);
            if (c.type != SQL_TYPE_DATE) FbClient::util()->decodeTime(time, &h, &mi, &s, &frac);
            d.row.push_back(FieldValue::dateTime(QDateTime(QDate(int(y), int(m), int(dd)),
                                                           QTime(int(h), int(mi), int(s), int(frac / 10)), Qt::UTC)));
            break;
        }
        case SQL_BOOLEAN:
            d.row.push_back(FieldValue::integer(*p ? 1 : 0));
            break;
        case SQL_BLOB: {
            ISC_QUAD id; std::memcpy(&id, p, sizeof id);
            d.row.push_back(readBlob(d, &id, c));
            break;
        }
        default:
            throw AppError(QStringLiteral("Tipo de campo não suportado: %1 (%2)").arg(c.name).arg(c.type));
        }
    }
}

void fetchRow(TargetQuery::Impl& d)
{
    FbClient::Status st;
    try {
        const int r = d.rs->fetchNext(&st, d.buffer.data());
        if (r == IStatus::RESULT_OK) {
            decodeRow(d);
            d.eof = false;
        } else {
            d.eof = true;
        }
    } catch (const FbException& e) {
        throw AppError(MensagemServidor::destino(FbClient::message(e)));
    }
}
}  // namespace

void TargetQuery::open()
{
    close();
    TargetTransaction& t = activeTransaction(*d);
    ensureParsed(*d, sql());
    prepare(*d, t);
    std::vector<unsigned char> in = inputBuffer(*d);
    FbClient::Status st;
    try {
        d->rs = d->cur.stmt->openCursor(&st, t.handle(), d->cur.inMeta, in.data(), d->cur.outMeta, 0);
        d->buffer.assign(d->cur.outMeta->getMessageLength(&st), 0);
    } catch (const FbException& e) {
        throw AppError(MensagemServidor::destino(FbClient::message(e)));
    }
    d->open = true;
    if (d->db.recorder())
        record(StatementRecorder::Kind::Open, *d, encodeStatement(d->parsedText, d->db.substituiNoEnsaio()));
    fetchRow(*d);
    d->empty = d->eof;
}

void TargetQuery::close()
{
    d->dropCursor();
    d->open = false;
    d->empty = true;
    d->row.clear();
}

bool TargetQuery::isOpen() const { return d->open; }
bool TargetQuery::isEmpty() const { return d->empty; }
bool TargetQuery::eof() const { return d->eof; }

void TargetQuery::next()
{
    if (!d->open || d->eof)
        return;
    if (!d->rs) {  // the transaction ended under this result
        d->eof = true;
        return;
    }
    fetchRow(*d);
}

FieldValue TargetQuery::field(const QString& name) const
{
    const auto it = d->cur.columnIndex.constFind(name.toUpper());
    if (!d->open || it == d->cur.columnIndex.constEnd()) {
        if (d->open)
            throw AppError(QStringLiteral("Campo '%1' não encontrado.").arg(name));
        throw AppError(QStringLiteral("O comando não está aberto: campo '%1'.").arg(name));
    }
    if (d->empty || static_cast<size_t>(*it) >= d->row.size())
        return FieldValue::null();
    return d->row[static_cast<size_t>(*it)];
}

QStringList TargetQuery::columnNames() const
{
    QStringList names;
    for (const Column& c : d->cur.columns)
        names.append(c.name);
    return names;
}

FieldValue TargetQuery::fieldAt(int index) const
{
    if (!d->open || index < 0 || static_cast<size_t>(index) >= d->cur.columns.size())
        throw AppError(QStringLiteral("Campo %1 não existe no resultado.").arg(index));
    if (d->empty || static_cast<size_t>(index) >= d->row.size())
        return FieldValue::null();
    return d->row[static_cast<size_t>(index)];
}

void TargetQuery::execSql()
{
    close();
    const QString text = sql();
    if (isCommitStatement(text)) {
        activeTransaction(*d).commit();
        if (StatementRecorder* r = d->db.recorder())
            r->sent(StatementRecorder::Kind::Commit, QByteArray("COMMIT"), {});
        return;
    }
    TargetTransaction& t = activeTransaction(*d);
    ensureParsed(*d, text);
    FbClient::Status st;
    if (d->paramOrder.isEmpty()) {
        // Literal statements are executed in one call, without keeping a prepared statement.
        const QByteArray sqlBytes = encodeStatement(d->parsedText, d->db.substituiNoEnsaio());
        try {
            d->db.attachment()->execute(&st, t.handle(), static_cast<unsigned>(sqlBytes.size()),
                                        sqlBytes.constData(), static_cast<unsigned>(d->db.sqlDialect()),
                                        nullptr, nullptr, nullptr, nullptr);
        } catch (const FbException& e) {
            QString msg = FbClient::message(e);
            if (isDataException(e))
                msg += refusedValue(d->db.attachment(), t.handle(), static_cast<unsigned>(d->db.sqlDialect()),
                                    d->parsedText);
            throw AppError(MensagemServidor::destino(msg));
        }
        if (StatementRecorder* r = d->db.recorder())
            r->sent(StatementRecorder::Kind::Execute, sqlBytes, {});
        return;
    }
    prepare(*d, t);
    std::vector<unsigned char> in = inputBuffer(*d);
    try {
        std::vector<unsigned char> out(d->cur.outMeta->getMessageLength(&st));
        d->cur.stmt->execute(&st, t.handle(), d->cur.inMeta, in.data(), d->cur.outMeta, out.data());
    } catch (const FbException& e) {
        throw AppError(MensagemServidor::destino(FbClient::message(e)));
    }
    if (d->db.recorder())
        record(StatementRecorder::Kind::Execute, *d, encodeStatement(d->parsedText, d->db.substituiNoEnsaio()));
}

namespace {
void record(StatementRecorder::Kind kind, TargetQuery::Impl& d, const QByteArray& sql)
{
    QList<QByteArray> params;
    for (const QString& name : d.paramOrder) {
        const ParamValue p = d.params.value(name);
        if (p.kind != ParamKind::Value)
            params.append(QByteArray());
        else
            params.append(p.bytes.isNull() ? QByteArray("") : p.bytes);
    }
    d.db.recorder()->sent(kind, sql, params);
}
}  // namespace
