#include "db/FbClient.h"
#include "db/Win1252.h"
#include <ibase.h>

using namespace Firebird;

IMaster* FbClient::master()
{
    static IMaster* m = fb_get_master_interface();
    return m;
}

IUtil* FbClient::util() { return master()->getUtilInterface(); }

IProvider* FbClient::provider()
{
    static IProvider* p = master()->getDispatcher();
    return p;
}

QString FbClient::message(IStatus* status)
{
    char buffer[4096];
    const unsigned n = util()->formatStatus(buffer, sizeof buffer, status);
    QString text = Win1252::decode(buffer, static_cast<int>(n));
    return text.trimmed();
}

QString FbClient::message(const FbException& e) { return message(e.getStatus()); }

namespace {
void (*g_aoSinal)() = nullptr;

int confirmaDesligamento(const int motivo, const int, void*)
{
    if (motivo != fb_shutrsn_signal)
        return 0;
    if (g_aoSinal)
        g_aoSinal();
    return 1;  // refused: the program stops the run itself
}
}  // namespace

void FbClient::recusaDesligamentoPorSinal(void (*aoSinal)())
{
    const bool primeira = g_aoSinal == nullptr;
    g_aoSinal = aoSinal;
    if (!primeira)
        return;
    ISC_STATUS_ARRAY status{};
    fb_shutdown_callback(status, confirmaDesligamento, fb_shut_confirmation, nullptr);
}
