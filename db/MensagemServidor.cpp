#include "db/MensagemServidor.h"

const QString& MensagemServidor::prefixoOrigem()
{
    static const QString p = QStringLiteral("Banco de origem: ");
    return p;
}

const QString& MensagemServidor::prefixoDestino()
{
    static const QString p = QStringLiteral("Banco de destino: ");
    return p;
}

QString MensagemServidor::origem(const QString& texto, unsigned codigo)
{
    QString frase;
    switch (codigo) {
    case 1044: case 1045: case 1698:
        frase = QStringLiteral("o servidor recusou o usuário ou a senha.");
        break;
    case 1049:
        frase = QStringLiteral("o banco de dados não existe no servidor.");
        break;
    case 2002: case 2003: case 2005:
        frase = QStringLiteral("o servidor não responde (veja se ele está no ar, e o endereço, a porta ou o socket).");
        break;
    case 2006: case 2013:
        frase = QStringLiteral("a conexão com o servidor caiu.");
        break;
    default:
        break;
    }
    return prefixoOrigem() + (frase.isEmpty() ? QString() : frase + QLatin1Char(' ')) + texto;
}

QString MensagemServidor::destino(const QString& texto)
{
    struct Caso {
        const char* trecho;
        const char* frase;
    };
    // The engine's texts for the failures an operator meets when choosing a file.
    static const Caso casos[] = {
        {"No such file or directory", "o arquivo não existe."},
        {"Is a directory", "o caminho é uma pasta, não um arquivo."},
        {"is not a valid database", "o arquivo não é um banco de dados."},
        {"Database already opened with engine instance", "o arquivo está em uso por outro programa."},
        {"no permission for read-write access", "não há permissão para gravar no arquivo."},
        {"Permission denied", "não há permissão para abrir o arquivo."},
        {"connection shutdown", "a conexão com o banco foi encerrada."},
    };
    for (const Caso& c : casos)
        if (texto.contains(QLatin1String(c.trecho), Qt::CaseInsensitive))
            return prefixoDestino() + QString::fromUtf8(c.frase) + QLatin1Char(' ') + texto;
    return prefixoDestino() + texto;
}
