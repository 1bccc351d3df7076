// Conversor Farmácia Ostrevo: moves the pharmacy's master data from the legacy database into a
// Quelvar database file.
#include "app/gui/PlataformaQt.h"
#include "app/gui/UPrincipal.h"
#include "db/TargetDatabase.h"
#include "platform/InstalacaoPlataforma.h"
#include "platform/Interrupcao.h"
#include "platform/Platform.h"
#include <QSocketNotifier>
#include <csignal>
#include <QApplication>

int main(int argc, char** argv)
{
    // The program takes no options: Qt sees only the program's name.
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 ? argv[0] : const_cast<char*>("FarmaciaOstrevo"), nullptr};
    QApplication app(qtArgc, qtArgv);
    // Before any widget: the file dialog and the message boxes take their texts at creation.
    instalaTraducao(app);
    // SIGINT and SIGTERM: a run in progress stops between rows and the target is restored from
    // its copy before the window closes; an idle window just closes.
    Interrupcao::instala();
    TargetDatabase::recusaDesligamentoPorSinal([] { Interrupcao::pede(SIGINT); });

    TMensagensQt mensagens;
    QtEventPump eventos;
    InstalacaoPlataforma plataforma(&mensagens, &eventos);

    app.setFont(fontePadrao());
    aplicaTema(app);

    int resultado = 0;
    {
        TFPrincipal FPrincipal;
        QSocketNotifier aviso(Interrupcao::descritorAviso(), QSocketNotifier::Read);
        QObject::connect(&aviso, &QSocketNotifier::activated, &FPrincipal, [&FPrincipal] {
            if (!FPrincipal.emConversao()) {
                Interrupcao::limpa();
                FPrincipal.close();
            }
        });
        FPrincipal.show();
        resultado = app.exec();
    }
    return resultado;
}
