#include "db/SourceRowReader.h"
#include <QDateTime>
#include <errmsg.h>
#include <exception>
#include <mysql.h>

namespace {
FieldValue decode(const char* p, unsigned long len, int type)
{
    const QByteArray raw = QByteArray::fromRawData(p, static_cast<int>(len));
    switch (type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_YEAR: {
        bool ok = false;
        const qint64 v = raw.toLongLong(&ok);
        if (ok)
            return FieldValue::integer(v);
        return FieldValue::real(raw.toDouble());
    }
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
        return FieldValue::real(raw.toDouble());
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
    case MYSQL_TYPE_NEWDATE: {
        const QString s = QString::fromLatin1(raw);
        // A zero or impossible date holds no date: it reads like NULL.
        const QDate date = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            return FieldValue::null();
        QTime time = s.size() >= 19 ? QTime::fromString(s.mid(11, 8), QStringLiteral("HH:mm:ss")) : QTime(0, 0);
        if (!time.isValid())
            time = QTime(0, 0);
        const QDateTime dt(date, time, Qt::UTC);
        return FieldValue::dateTime(dt);
    }
    default:
        return FieldValue::text(QString::fromUtf8(raw));
    }
}
}  // namespace

SourceRowReader::SourceRowReader(st_mysql_res* result, st_mysql* handle, std::vector<int> types, size_t capacity)
    : m_result(result), m_handle(handle), m_types(std::move(types)), m_capacity(capacity ? capacity : 1),
      m_thread(&SourceRowReader::produce, this)
{
}

SourceRowReader::~SourceRowReader() { stop(); }

void SourceRowReader::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

SourceRowReader::Item SourceRowReader::take()
{
    if (m_ended)
        return m_endItem;
    if (m_taken.empty()) {
        // Everything the thread has read so far changes hands at once.
        std::unique_lock<std::mutex> lock(m_mutex);
        m_consumerWaiting = true;
        m_changed.wait(lock, [this] { return !m_queue.empty(); });
        m_consumerWaiting = false;
        m_taken.swap(m_queue);
        const bool wake = m_producerWaiting;
        lock.unlock();
        if (wake)
            m_changed.notify_all();
    }
    Item item = std::move(m_taken.front());
    m_taken.pop_front();
    if (item.end) {
        m_ended = true;
        m_endItem = item;
    }
    return item;
}

void SourceRowReader::produce()
{
    mysql_thread_init();
    for (;;) {
        Item item;
        try {
            MYSQL_ROW row = mysql_fetch_row(m_result);
            if (!row) {
                item.end = true;
                item.errorCode = mysql_errno(m_handle);
                if (item.errorCode)
                    item.errorText = QString::fromUtf8(mysql_error(m_handle));
            } else {
                const unsigned long* lengths = mysql_fetch_lengths(m_result);
                item.row.reserve(m_types.size());
                for (size_t i = 0; i < m_types.size(); ++i)
                    item.row.push_back(row[i] ? decode(row[i], lengths[i], m_types[i]) : FieldValue::null());
            }
        } catch (const std::exception& e) {
            // Out of memory while decoding a huge value: the stream ends here with that reason.
            item = Item();
            item.end = true;
            item.errorCode = CR_OUT_OF_MEMORY;
            item.errorText = QString::fromLocal8Bit(e.what());
        }
        const bool end = item.end;
        bool wake = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_producerWaiting = true;
            m_changed.wait(lock, [this] { return m_stop || m_queue.size() < m_capacity; });
            m_producerWaiting = false;
            if (m_stop)
                break;
            m_queue.push_back(std::move(item));
            wake = m_consumerWaiting;
        }
        if (wake)
            m_changed.notify_all();
        if (end)
            break;
    }
    mysql_thread_end();
}
