#pragma once
#include <QString>

// A server's message as the operator reads it: which database it comes from and, for the
// common cases, a plain sentence first; the server's own text follows unchanged.
class MensagemServidor {
public:
    // codigo: the client library's error number (0 when unknown).
    static QString origem(const QString& texto, unsigned codigo);
    static QString destino(const QString& texto);
    static const QString& prefixoOrigem();
    static const QString& prefixoDestino();
};
