#pragma once
#include "db/FieldValue.h"
#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

struct st_mysql;
struct st_mysql_res;

// Reads a streamed result on a thread of its own into a small bounded queue, so that the
// server's sending and the client's row parsing overlap the caller's work on the row before.
// Rows come out one at a time, in the order the server sent them. From the start until stop()
// the thread is the only user of the connection handle.
class SourceRowReader {
public:
    // A row of the queue, or the end of the stream (with the error that ended it, if any).
    struct Item {
        std::vector<FieldValue> row;
        bool end = false;
        unsigned errorCode = 0;  // 0: the stream ended normally
        QString errorText;
    };

    SourceRowReader(st_mysql_res* result, st_mysql* handle, std::vector<int> types, size_t capacity = 64);
    ~SourceRowReader();
    SourceRowReader(const SourceRowReader&) = delete;
    SourceRowReader& operator=(const SourceRowReader&) = delete;

    // The next row, waiting for it when the thread is behind. After the end item, take()
    // returns the end item again.
    Item take();
    // Ends the thread (it leaves after the row it is reading); the handle is the caller's again.
    void stop();

private:
    void produce();
    st_mysql_res* m_result;
    st_mysql* m_handle;
    std::vector<int> m_types;
    size_t m_capacity;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Item> m_queue;       // filled by the thread
    std::deque<Item> m_taken;       // the caller's share, handed over in one move
    // A side is woken only while it waits: a wake-up per row would cost more than the reading.
    bool m_producerWaiting = false;
    bool m_consumerWaiting = false;
    bool m_stop = false;
    bool m_ended = false;
    Item m_endItem;
    std::thread m_thread;
};
