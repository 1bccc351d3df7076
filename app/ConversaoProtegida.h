#pragma once
#include "app/CopiaDestino.h"
#include <QString>
#include <QStringList>
#include <functional>

class ListaParametros;
class SourceConnection;
class TargetDatabase;
class TargetTransaction;
class Gauge;
class ProgressLabel;
class TClassesConversaoController;

// A conversion run with a safety net, for the window and the runner alike. Before anything is
// written it checks the structure of both sides for the selected groups and takes a copy of the
// target file (a marker beside the file names the copy while the run lasts); then the
// controller runs as always, with its commit points. When the run fails or the operator
// interrupts it, the file is put back from the copy, so it holds exactly what it held before.
// The controller's own messages keep their texts; what became of the target follows them as a
// further line of the same message.
class TConversaoProtegida {
public:
    struct Opcoes {
        QString pastaCopia;          // where the copy goes; empty: the target's folder
        bool semCopia = false;       // no copy: a failure then loses what the target held
        bool mantemParcial = false;  // a failed run keeps what it wrote; copy and marker stay
        // Told of each step around the run ("Copiando ...", "Restaurando ...").
        std::function<void(const QString&)> informa;
    };
    enum class Desfecho { Confirmada, FalhouAntes, Falhou, Interrompida };

    explicit TConversaoProtegida(TClassesConversaoController& controlador);
    TConversaoProtegida(TClassesConversaoController& controlador, Opcoes opcoes);

    // The controller's run, with the same arguments and result.
    bool FEfetuaConversao(const ListaParametros& MParams, SourceConnection& BDOrigem,
                          TargetDatabase& BDDestino, TargetTransaction& Transacao, Gauge& Barra,
                          ProgressLabel& lblInfo);

    Desfecho desfecho() const { return m_desfecho; }
    const QString& copia() const { return m_copia; }  // empty when none was taken
    bool restaurado() const { return m_restaurado; }
    double segundosCopia() const { return m_segundosCopia; }

    // What the operator reads about a run of this file that did not end ("Uma conversão ...").
    static QString textoMarca(const QString& destino, const CopiaDestino::Marca& marca);
    static const QString& textoNadaGravado();

private:
    bool falhaAntes(const QString& motivo, Gauge& Barra);
    void informa(const QString& texto) const;

    TClassesConversaoController& m_controlador;
    Opcoes m_opcoes;
    Desfecho m_desfecho = Desfecho::FalhouAntes;
    QString m_copia;
    bool m_restaurado = false;
    double m_segundosCopia = 0;
};
