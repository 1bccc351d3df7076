#pragma once
#include <QString>
#include <optional>

// The copy of a target file taken before a run writes to it, the marker beside the file that
// says a run of it is under way, and putting the file back from the copy.
//
// The copy is the file itself, copied while no attachment holds it (the file is locked for the
// copy, and the engine cannot attach to a file that is locked): the copy is then the same bytes
// the engine left when its last attachment detached, a database that opens as it is, and a
// restore is the same copy made the other way.
class CopiaDestino {
public:
    struct Marca {
        QString copia;   // the copy taken before the run
        QString inicio;  // when the run started, dd/MM/yyyy hh:mm:ss
        qint64 pid = 0;
    };

    // "<file>.conversao" beside the target.
    static QString caminhoMarca(const QString& destino);
    static std::optional<Marca> leMarca(const QString& destino);
    static void gravaMarca(const QString& destino, const QString& copia);
    static void removeMarca(const QString& destino);

    // Name of a new copy of the file in the folder (the file's own folder when empty):
    // "<file>.copia-AAAAMMDD-HHMMSS", never one that exists.
    static QString nomeCopia(const QString& destino, const QString& pasta);
    // Raises AppError unless the folder has room for a copy of the file.
    static void verificaEspaco(const QString& destino, const QString& pasta);
    // Copies the file (no attachment may hold it) to a new copy in the folder and answers its
    // path. Raises AppError when the file is in use or cannot be copied, ConversaoInterrompida
    // when the operator interrupts; nothing is left behind in either case.
    static QString copia(const QString& destino, const QString& pasta);
    // Writes the copy back over the file, in place (its owner and permissions stay), and makes
    // sure it reached the disk. Not interruptible.
    static void restaura(const QString& destino, const QString& copia);

    // True when another process holds the file (an attachment of another program).
    static bool emUso(const QString& destino);
};
