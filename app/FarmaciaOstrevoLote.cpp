// The batch runner: the same conversion as the window, driven from the command line.
#include "app/batch/ExecucaoLote.h"
#include "app/batch/OpcoesLote.h"
#include "app/batch/VerificacaoPrevia.h"
#include "common/AppError.h"
#include "db/TargetDatabase.h"
#include "platform/Interrupcao.h"
#include <csignal>
#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Ctrl-C and SIGTERM stop a run between rows, and the target is put back from its copy.
    Interrupcao::instala();
    TargetDatabase::recusaDesligamentoPorSinal([] { Interrupcao::pede(SIGINT); });
    OpcoesLote opcoes;
    try {
        opcoes = OpcoesLote::ler(app.arguments().mid(1));
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n\n%s", e.message().toUtf8().constData(), OpcoesLote::uso().toUtf8().constData());
        return 2;
    }
    if (opcoes.ajuda) {
        std::printf("%s", OpcoesLote::uso().toUtf8().constData());
        return 0;
    }
    if (opcoes.verificar)
        return VerificacaoPrevia(opcoes).executar(stdout);
    return ExecucaoLote(opcoes).executar(stdout, isatty(fileno(stdout)) != 0);
}
