// The Qt event pump the converters call once per source row.
#include "platform/QtEventPump.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <gtest/gtest.h>

namespace {
// Counts the passes of the event loop: every pass delivers the one event waiting for it.
class Contador : public QObject {
public:
    int entregues = 0;
    void espera() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++entregues;
        espera();
        return true;
    }
};
}  // namespace

TEST(QtEventPump, FirstCallRunsAPassThenAtMostOnePerInterval)
{
    int argc = 1;
    char nome[] = "eventos";
    char* argv[] = {nome, nullptr};
    QCoreApplication app(argc, argv);
    Contador contador;
    contador.espera();
    QtEventPump pump;
    pump.processEvents();
    EXPECT_EQ(contador.entregues, 1) << "the first row shows at once";

    // Rows as fast as they come for a while: the loop runs on, but only once per interval.
    QElapsedTimer relogio;
    relogio.start();
    long chamadas = 0;
    while (relogio.elapsed() < 300) {
        pump.processEvents();
        ++chamadas;
    }
    const qint64 decorrido = relogio.elapsed();
    EXPECT_GE(contador.entregues, 3) << "the screen kept being served";
    EXPECT_LE(contador.entregues, 1 + decorrido / QtEventPump::kIntervaloMs + 1);
    EXPECT_GT(chamadas, 100 * contador.entregues);
}
