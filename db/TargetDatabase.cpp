#include "db/TargetDatabase.h"
#include "common/AppError.h"
#include "db/FbClient.h"
#include "db/FbHandle.h"
#include "db/MensagemServidor.h"
#include "db/TargetTransaction.h"
#include <algorithm>
#include <utility>
#include <vector>

using namespace Firebird;

struct TargetDatabase::Transactions {
    std::vector<TargetTransaction*> list;
};

namespace {
// The connection character set: every accented letter of Portuguese has a single byte in it,
// and the client refuses (instead of replacing) any character it cannot hold.
const char* const kConnectionCharset = "WIN1252";

FbHandle<IXpbBuilder> makeDpb(FbClient::Status& st, const QString& user, const QString& password)
{
    FbHandle<IXpbBuilder> dpb(FbClient::util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0));
    dpb->insertString(&st, isc_dpb_user_name, user.toUtf8().constData());
    dpb->insertString(&st, isc_dpb_password, password.toUtf8().constData());
    dpb->insertString(&st, isc_dpb_lc_ctype, kConnectionCharset);
    dpb->insertTag(&st, isc_dpb_utf8_filename);
    return dpb;
}

int readDialect(IAttachment* att)
{
    FbClient::Status st;
    const unsigned char items[] = {isc_info_db_sql_dialect, isc_info_end};
    unsigned char buf[64] = {};
    att->getInfo(&st, sizeof items, items, sizeof buf, buf);
    if (buf[0] == isc_info_db_sql_dialect) {
        const int len = isc_vax_integer(reinterpret_cast<const char*>(buf + 1), 2);
        return static_cast<int>(isc_vax_integer(reinterpret_cast<const char*>(buf + 3), static_cast<short>(len)));
    }
    return 1;
}
}  // namespace

TargetDatabase::TargetDatabase() : m_transactions(std::make_unique<Transactions>()) {}

TargetDatabase::~TargetDatabase()
{
    disconnect();
    for (TargetTransaction* t : m_transactions->list)
        t->m_database = nullptr;
}

IMaster* TargetDatabase::master() { return FbClient::master(); }

void TargetDatabase::connect()
{
    if (m_attachment)
        return;
    if (m_databaseName.isEmpty())
        throw AppError(QStringLiteral("Nenhum banco de dados de destino foi informado."));
    FbClient::Status st;
    try {
        {
            const FbHandle<IXpbBuilder> dpb = makeDpb(st, m_userName, m_password);
            m_attachment = FbClient::provider()->attachDatabase(
                &st, m_databaseName.toUtf8().constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
        }
        m_dialect = readDialect(m_attachment);
        ++m_generation;
    } catch (const FbException& e) {
        dropAttachment();
        throw AppError(MensagemServidor::destino(FbClient::message(e)));
    }
}

void TargetDatabase::dropAttachment()
{
    if (!m_attachment)
        return;
    FbHandle<IAttachment>(std::exchange(m_attachment, nullptr)).finish([](IAttachment* a, ThrowStatusWrapper* st) {
        a->detach(st);  // releases the interface
    });
}

void TargetDatabase::disconnect()
{
    for (TargetTransaction* t : m_transactions->list)
        t->forceRollback();
    dropAttachment();
}

bool TargetDatabase::testConnected()
{
    if (!m_attachment)
        return false;
    try {
        FbClient::Status st;
        const unsigned char items[] = {isc_info_ods_version, isc_info_end};
        unsigned char buf[32];
        m_attachment->getInfo(&st, sizeof items, items, sizeof buf, buf);
        return true;
    } catch (const FbException&) {
        for (TargetTransaction* t : m_transactions->list)
            t->forceRollback();
        IAttachment* att = m_attachment;
        m_attachment = nullptr;
        att->release();
        return false;
    }
}

void TargetDatabase::registerTransaction(TargetTransaction* t) { m_transactions->list.push_back(t); }

void TargetDatabase::unregisterTransaction(TargetTransaction* t)
{
    auto& l = m_transactions->list;
    l.erase(std::remove(l.begin(), l.end(), t), l.end());
    if (m_defaultTransaction == t)
        m_defaultTransaction = nullptr;
}

void TargetDatabase::createDatabase(const QString& path, int dialect, const QString& user,
                                    const QString& password, const QString& defaultCharset)
{
    FbClient::Status st;
    try {
        FbHandle<IAttachment> att;
        {
            const FbHandle<IXpbBuilder> dpb = makeDpb(st, user, password);
            dpb->insertInt(&st, isc_dpb_sql_dialect, dialect);
            dpb->insertInt(&st, isc_dpb_page_size, 8192);
            dpb->insertInt(&st, isc_dpb_force_write, 0);  // fixtures and demo files: speed over durability
            dpb->insertString(&st, isc_dpb_set_db_charset, defaultCharset.toUtf8().constData());
            att.reset(FbClient::provider()->createDatabase(&st, path.toUtf8().constData(),
                                                           dpb->getBufferLength(&st), dpb->getBuffer(&st)));
        }
        att->detach(&st);  // releases the interface
        att.take();
    } catch (const FbException& e) {
        throw AppError(MensagemServidor::destino(FbClient::message(e)));
    }
}

void TargetDatabase::recusaDesligamentoPorSinal(void (*aoSinal)()) { FbClient::recusaDesligamentoPorSinal(aoSinal); }
