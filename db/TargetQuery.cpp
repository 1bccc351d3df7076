#include "db/TargetQuery.h"
#include "common/AppError.h"
#include "db/FbClient.h"
#include "db/FbHandle.h"
#include "db/MensagemServidor.h"
#include "db/SqlText.h"
#include "db/StatementCache.h"
#include "db/TargetDatabase.h"
#include "db/TargetDiagnosis.h"
#include "db/TargetRow.h"
#include "db/TargetTransaction.h"
#include "db/Win1252.h"
#include <QHash>
#include <cstring>
#include <utility>
#include <vector>

using namespace Firebird;
using TargetDiagnosis::encodeStatement;

namespace {
enum class ParamKind { Unset, Null, Value };
struct ParamValue {
    ParamKind kind = ParamKind::Unset;
    QByteArray bytes;  // the value as text in the connection character set
};
}  // namespace

struct TargetQuery::Impl : StatementCache {
    TargetDatabase& db;
    TargetTransaction* transaction = nullptr;

    // Parameters of the current text.
    QString parsedSource;
    QString parsedText;
    QStringList paramOrder;
    QHash<QString, ParamValue> params;

    // Result of open().
    FbHandle<IResultSet> rs;
    bool open = false;
    bool empty = true;
    bool eof = true;
    std::vector<unsigned char> buffer;
    std::vector<FieldValue> row;

    explicit Impl(TargetDatabase& d) : StatementCache(d), db(d) {}

    void dropCursor()
    {
        rs.finish([](IResultSet* r, ThrowStatusWrapper* st) { r->close(st); });  // close releases it
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
    d.parsedText = SqlText::parseParams(text, d.paramOrder);
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
    // params holds exactly the names the text has (ensureParsed keeps it so).
    const auto slot = d.params.find(name.toUpper());
    if (slot == d.params.end())
        throw AppError(QStringLiteral("Parâmetro '%1' não encontrado no comando.").arg(name));
    return *slot;
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
        d.cur.stmt.reset(d.db.attachment()->prepare(&st, t.handle(), static_cast<unsigned>(sqlBytes.size()),
                                                    sqlBytes.constData(), static_cast<unsigned>(d.db.sqlDialect()),
                                                    IStatement::PREPARE_PREFETCH_METADATA));
        d.cur.text = d.parsedText;
        d.cur.generation = d.db.generation();
        // Every parameter travels as text; the server converts it to the column's type.
        FbHandle<IMetadataBuilder> b;
        unsigned count = 0;
        {
            const FbHandle<IMessageMetadata> described(d.cur.stmt->getInputMetadata(&st));
            b.reset(described->getBuilder(&st));
            count = described->getCount(&st);
        }
        for (unsigned i = 0; i < count; ++i) {
            b->setType(&st, i, SQL_VARYING);
            b->setSubType(&st, i, 0);
            b->setScale(&st, i, 0);
            b->setLength(&st, i, 32765);
            b->setCharSet(&st, i, 53);  // WIN1252
        }
        d.cur.inMeta.reset(b->getMetadata(&st));
        d.cur.outMeta.reset(d.cur.stmt->getOutputMetadata(&st));
        TargetRow::describe(d.cur.outMeta.get(), d.cur.columns, d.cur.columnIndex);
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

void fetchRow(TargetQuery::Impl& d)
{
    FbClient::Status st;
    try {
        const int r = d.rs->fetchNext(&st, d.buffer.data());
        if (r == IStatus::RESULT_OK) {
            TargetRow::decode(d.cur.columns, d.buffer, d.db.attachment(), d.transaction->handle(), d.row);
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
        d->rs.reset(d->cur.stmt->openCursor(&st, t.handle(), d->cur.inMeta.get(), in.data(), d->cur.outMeta.get(), 0));
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
    for (const TargetRow::Column& c : d->cur.columns)
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
            if (TargetDiagnosis::isDataException(e))
                msg += TargetDiagnosis::refusedValue(d->db.attachment(), t.handle(), static_cast<unsigned>(d->db.sqlDialect()),
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
        d->cur.stmt->execute(&st, t.handle(), d->cur.inMeta.get(), in.data(), d->cur.outMeta.get(), out.data());
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

std::vector<QStringList> TargetQuery::allRows(TargetDatabase& db, const QString& select, bool trimmed)
{
    TargetTransaction t(&db);
    std::vector<QStringList> out;
    {
        TargetQuery q(db, t);
        q.setSql(select);
        q.open();
        const int n = static_cast<int>(q.columnNames().size());
        for (; !q.eof(); q.next()) {
            QStringList row;
            for (int i = 0; i < n; ++i)
                row.append(trimmed ? q.fieldAt(i).asString().trimmed() : q.fieldAt(i).asString());
            out.push_back(row);
        }
    }
    t.commit();
    return out;
}
