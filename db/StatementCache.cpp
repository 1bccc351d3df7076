#include "db/StatementCache.h"
#include "db/TargetDatabase.h"

using namespace Firebird;

bool StatementCache::usable(const Prepared& p) const
{
    return p.stmt && p.generation == m_db.generation() && m_db.connected();
}

void StatementCache::park()
{
    if (!usable(cur)) {
        freeStatement();
        return;
    }
    m_kept.push_front(std::exchange(cur, Prepared{}));
    while (m_kept.size() > kKept) {
        release(m_kept.back());
        m_kept.pop_back();
    }
}

bool StatementCache::unpark(const QString& text)
{
    for (auto it = m_kept.begin(); it != m_kept.end(); ++it) {
        if (it->text != text || it->generation != m_db.generation())
            continue;
        cur = std::move(*it);
        m_kept.erase(it);
        return true;
    }
    return false;
}

void StatementCache::release(Prepared& p)
{
    if (usable(p))
        p.stmt.finish([](IStatement* s, ThrowStatusWrapper* st) { s->free(st); });
    p = Prepared{};
}

void StatementCache::freeAll()
{
    freeStatement();
    for (Prepared& p : m_kept)
        release(p);
    m_kept.clear();
}
