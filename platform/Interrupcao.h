#pragma once
#include "common/AppError.h"

// The operator's request to stop a run: SIGINT (Ctrl-C) or SIGTERM. The signal handler only
// sets a flag and writes a byte to a pipe; the run looks at the flag between rows, so it stops
// at a clean point and the target can be put back as it was.
class Interrupcao {
public:
    // Catches SIGINT and SIGTERM from now on; calling it again changes nothing.
    static void instala();
    static bool pedida();
    static int sinal();  // the signal of the last request, 0 when none
    // As if the signal had come (the database client's own signal hook, tests).
    static void pede(int sinal);
    static void limpa();
    // Readable after each request, for an event loop that must notice it while idle; -1 before
    // instala().
    static int descritorAviso();
    // Raises ConversaoInterrompida when a request is pending.
    static void verifica();
};

// What leaves the run when the operator interrupted it.
class ConversaoInterrompida : public AppError {
public:
    ConversaoInterrompida();
    static const QString& texto();
};
