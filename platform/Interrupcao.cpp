#include "platform/Interrupcao.h"
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
std::atomic<int> g_sinal{0};
int g_pipe[2] = {-1, -1};

void aoSinal(int s)
{
    Interrupcao::pede(s);
}
}  // namespace

void Interrupcao::instala()
{
    if (g_pipe[0] >= 0)
        return;
    if (pipe(g_pipe) != 0)
        g_pipe[0] = g_pipe[1] = -1;
    for (int fd : g_pipe)
        if (fd >= 0)
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    struct sigaction sa {};
    sa.sa_handler = aoSinal;
    sigemptyset(&sa.sa_mask);
    // Reads and writes in progress go on: the run stops between rows, not inside a call.
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

bool Interrupcao::pedida() { return g_sinal.load() != 0; }
int Interrupcao::sinal() { return g_sinal.load(); }

void Interrupcao::pede(int sinal)
{
    // Only async-signal-safe calls here: this runs inside the signal handler.
    g_sinal.store(sinal);
    if (g_pipe[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = write(g_pipe[1], &c, 1);
    }
}

void Interrupcao::limpa()
{
    g_sinal.store(0);
    if (g_pipe[0] >= 0) {
        char buf[64];
        while (read(g_pipe[0], buf, sizeof buf) > 0) {
        }
    }
}

int Interrupcao::descritorAviso() { return g_pipe[0]; }

void Interrupcao::verifica()
{
    if (pedida())
        throw ConversaoInterrompida();
}

ConversaoInterrompida::ConversaoInterrompida() : AppError(texto()) {}

const QString& ConversaoInterrompida::texto()
{
    static const QString t = QStringLiteral("Conversão interrompida pelo usuário.");
    return t;
}
