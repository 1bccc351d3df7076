#include "db/FbClient.h"
#include "db/Win1252.h"

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
