#include "db/TargetTransaction.h"
#include "common/AppError.h"
#include "db/FbClient.h"
#include "db/FbHandle.h"
#include "db/MensagemServidor.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include <algorithm>
#include <utility>
#include <vector>

using namespace Firebird;

struct TargetTransaction::Queries {
    std::vector<TargetQuery*> list;
};

TargetTransaction::TargetTransaction(TargetDatabase* database)
    : m_queries(std::make_unique<Queries>())
{
    setDatabase(database);
}

TargetTransaction::~TargetTransaction()
{
    forceRollback();
    for (TargetQuery* q : m_queries->list)
        q->forgetTransaction();
    if (m_database)
        m_database->unregisterTransaction(this);
}

void TargetTransaction::setDatabase(TargetDatabase* database)
{
    if (m_database == database)
        return;
    forceRollback();
    if (m_database)
        m_database->unregisterTransaction(this);
    m_database = database;
    if (m_database) {
        m_database->registerTransaction(this);
        if (!m_database->defaultTransaction())
            m_database->setDefaultTransaction(this);
    }
}

void TargetTransaction::start()
{
    if (m_handle)
        throw AppError(QStringLiteral("A transação já está ativa."));
    if (!m_database || !m_database->connected())
        throw AppError(QStringLiteral("O banco de dados de destino não está conectado."));
    try {
        FbClient::Status st;
        m_handle = m_database->attachment()->startTransaction(&st, 0, nullptr);
    } catch (const FbException& e) {
        throw AppError(MensagemServidor::destino(FbClient::message(e)));
    }
}

void TargetTransaction::closeCursors()
{
    for (TargetQuery* q : m_queries->list)
        q->dropCursor();
}

void TargetTransaction::commit()
{
    if (!m_handle)
        throw AppError(QStringLiteral("A transação não está ativa."));
    closeCursors();
    try {
        FbClient::Status st;
        m_handle->commit(&st);  // releases the interface on success
        m_handle = nullptr;
    } catch (const FbException& e) {
        throw AppError(MensagemServidor::destino(FbClient::message(e)));
    }
}

void TargetTransaction::rollback()
{
    if (!m_handle)
        throw AppError(QStringLiteral("A transação não está ativa."));
    closeCursors();
    try {
        FbClient::Status st;
        m_handle->rollback(&st);
        m_handle = nullptr;
    } catch (const FbException& e) {
        throw AppError(MensagemServidor::destino(FbClient::message(e)));
    }
}

void TargetTransaction::forceRollback()
{
    if (!m_handle)
        return;
    closeCursors();
    FbHandle<ITransaction>(std::exchange(m_handle, nullptr)).finish([](ITransaction* t, ThrowStatusWrapper* st) {
        t->rollback(st);  // releases the interface
    });
}

void TargetTransaction::registerQuery(TargetQuery* q) { m_queries->list.push_back(q); }

void TargetTransaction::unregisterQuery(TargetQuery* q)
{
    auto& l = m_queries->list;
    l.erase(std::remove(l.begin(), l.end(), q), l.end());
}
