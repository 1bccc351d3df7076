#include "db/TargetRow.h"
#include "common/AppError.h"
#include "db/FbClient.h"
#include "db/FbHandle.h"
#include "db/Win1252.h"
#include <QDateTime>
#include <cmath>
#include <cstring>

using namespace Firebird;

namespace TargetRow {

void describe(IMessageMetadata* meta, std::vector<Column>& columns, QHash<QString, int>& index)
{
    FbClient::Status st;
    const unsigned cols = meta->getCount(&st);
    for (unsigned i = 0; i < cols; ++i) {
        Column c;
        const char* alias = meta->getAlias(&st, i);
        c.name = QString::fromUtf8(alias && *alias ? alias : meta->getField(&st, i)).trimmed();
        c.type = meta->getType(&st, i);
        c.length = meta->getLength(&st, i);
        c.offset = meta->getOffset(&st, i);
        c.nullOffset = meta->getNullOffset(&st, i);
        c.scale = meta->getScale(&st, i);
        c.charset = static_cast<int>(meta->getCharSet(&st, i));
        c.subType = meta->getSubType(&st, i);
        index.insert(c.name.toUpper(), static_cast<int>(columns.size()));
        columns.push_back(c);
    }
}

namespace {
QString textOf(const char* p, unsigned len, int charset)
{
    if (charset == 1)  // OCTETS: bytes as they are
        return QString::fromLatin1(p, static_cast<int>(len));
    return Win1252::decode(p, static_cast<int>(len));
}

double scaled(qint64 v, int scale)
{
    return static_cast<double>(v) / std::pow(10.0, -scale);
}

FieldValue readBlob(IAttachment* attachment, ITransaction* transaction, ISC_QUAD* id, const Column& c)
{
    FbClient::Status st;
    FbHandle<IBlob> blob(attachment->openBlob(&st, transaction, id, 0, nullptr));
    QByteArray bytes;
    char chunk[16384];
    for (;;) {
        unsigned got = 0;
        const int r = blob->getSegment(&st, sizeof chunk, chunk, &got);
        if (r == IStatus::RESULT_OK || r == IStatus::RESULT_SEGMENT)
            bytes.append(chunk, static_cast<int>(got));
        else
            break;
    }
    blob->close(&st);  // releases the interface
    blob.take();
    if (c.subType == 1)
        return FieldValue::text(textOf(bytes.constData(), static_cast<unsigned>(bytes.size()), c.charset));
    return FieldValue::text(QString::fromLatin1(bytes));
}

}  // namespace

void decode(const std::vector<Column>& columns, const std::vector<unsigned char>& buffer, IAttachment* attachment,
            ITransaction* transaction, std::vector<FieldValue>& row)
{
    row.clear();
    row.reserve(columns.size());
    for (const Column& c : columns) {
        const unsigned char* p = &buffer[c.offset];
        if (*reinterpret_cast<const short*>(&buffer[c.nullOffset])) {
            row.push_back(FieldValue::null());
            continue;
        }
        switch (c.type) {
        case SQL_TEXT:
            row.push_back(FieldValue::text(textOf(reinterpret_cast<const char*>(p), c.length, c.charset)));
            break;
        case SQL_VARYING: {
            unsigned short len;
            std::memcpy(&len, p, sizeof len);
            row.push_back(FieldValue::text(textOf(reinterpret_cast<const char*>(p + 2), len, c.charset)));
            break;
        }
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64: {
            qint64 v = 0;
            if (c.type == SQL_SHORT) { short s; std::memcpy(&s, p, 2); v = s; }
            else if (c.type == SQL_LONG) { qint32 s; std::memcpy(&s, p, 4); v = s; }
            else std::memcpy(&v, p, 8);
            row.push_back(c.scale < 0 ? FieldValue::real(scaled(v, c.scale)) : FieldValue::integer(v));
            break;
        }
        case SQL_FLOAT: { float f; std::memcpy(&f, p, 4); row.push_back(FieldValue::real(f)); break; }
        case SQL_DOUBLE:
        case SQL_D_FLOAT: { double f; std::memcpy(&f, p, 8); row.push_back(FieldValue::real(f)); break; }
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
            row.push_back(FieldValue::dateTime(QDateTime(QDate(int(y), int(m), int(dd)),
                                                           QTime(int(h), int(mi), int(s), int(frac / 10)), Qt::UTC)));
            break;
        }
        case SQL_BOOLEAN:
            row.push_back(FieldValue::integer(*p ? 1 : 0));
            break;
        case SQL_BLOB: {
            ISC_QUAD id; std::memcpy(&id, p, sizeof id);
            row.push_back(readBlob(attachment, transaction, &id, c));
            break;
        }
        default:
            throw AppError(QStringLiteral("Tipo de campo não suportado: %1 (%2)").arg(c.name).arg(c.type));
        }
    }
}

}  // namespace TargetRow
