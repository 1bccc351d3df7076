#include "app/batch/OpcoesLote.h"
#include "app/UClassesConversaoController.h"
#include "common/AppError.h"

QString OpcoesLote::uso()
{
    return QStringLiteral(
        "uso: FarmaciaOstrevoLote --destino ARQUIVO.FB [opções]\n"
        "  --destino ARQUIVO.FB     banco de destino (dialeto 1), aberto pelo caminho local\n"
        "  --grupos LISTA           clientes,fornecedores,gruposprodutos,classificacaofiscal,produtos\n"
        "                           ou todos (padrão: todos); a ordem da conversão é sempre a mesma\n"
        "  --host NOME              servidor de origem (padrão: localhost)\n"
        "  --porta N                porta do servidor de origem\n"
        "  --socket CAMINHO         socket do servidor de origem (padrão: o do cliente, ou MYSQL_UNIX_PORT)\n"
        "  --usuario NOME           usuário de origem (padrão: root)\n"
        "  --senha SENHA            senha de origem (padrão: vazia; prefira OSTREVO_SENHA_ORIGEM)\n"
        "  --banco NOME             banco de origem (padrão: pelbrix)\n"
        "  --usuario-destino NOME   usuário do destino (padrão: SYSDBA)\n"
        "  --senha-destino SENHA    senha do destino (padrão da instalação; ou OSTREVO_SENHA_DESTINO)\n"
        "  --check                  verifica origem e destino sem gravar nada\n"
        "  --relatorio ARQUIVO      com --check: grava cada achado em CSV (UTF-8), uma linha por achado\n"
        "  --resumo-json ARQUIVO    grava o resumo da execução em JSON (para scripts)\n"
        "  --pasta-copia PASTA      onde guardar a cópia do destino feita antes da conversão\n"
        "                           (padrão: a pasta do destino)\n"
        "  --sem-copia              converte sem cópia (uma falha perde o que o destino continha)\n"
        "  --mantem-parcial         numa falha, mantém o resultado parcial em vez de restaurar a cópia\n"
        "  --restaura               restaura a cópia de uma conversão interrompida deste destino e sai\n"
        "  --mantem-atual           esquece a conversão interrompida e segue com o destino como está\n"
        "Saída: 0 conversão gravada (ou verificação sem problemas, ou restauração feita); 1 a conversão\n"
        "falhou (o destino foi restaurado, salvo --sem-copia ou --mantem-parcial) ou a verificação achou\n"
        "problemas; 2 linha de comando errada, destino que não abre, ou conversão interrompida pendente;\n"
        "130 conversão interrompida pelo usuário (Ctrl-C ou SIGTERM; o destino foi restaurado).\n");
}

OpcoesLote OpcoesLote::ler(const QStringList& argumentos)
{
    OpcoesLote o;
    const QByteArray senhaOrigem = qgetenv("OSTREVO_SENHA_ORIGEM");
    if (!senhaOrigem.isNull())
        o.origem.password = QString::fromUtf8(senhaOrigem);
    const QByteArray senhaDestino = qgetenv("OSTREVO_SENHA_DESTINO");
    if (!senhaDestino.isNull())
        o.senhaDestino = QString::fromUtf8(senhaDestino);
    QStringList grupos = {QStringLiteral("todos")};
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString a = argumentos[i];
        auto valor = [&]() -> QString {
            const int eq = a.indexOf(QLatin1Char('='));
            if (eq > 0)
                return a.mid(eq + 1);
            if (i + 1 >= argumentos.size())
                throw AppError(QStringLiteral("Falta o valor de ") + a);
            return argumentos[++i];
        };
        const QString nome = a.section(QLatin1Char('='), 0, 0);
        if (nome == QLatin1String("--destino")) o.destino = valor();
        else if (nome == QLatin1String("--grupos")) {
            grupos = valor().split(QLatin1Char(','), Qt::SkipEmptyParts);
            // An empty list would convert nothing and still report success.
            if (std::all_of(grupos.begin(), grupos.end(), [](const QString& g) { return g.trimmed().isEmpty(); }))
                throw AppError(QStringLiteral("Nenhum grupo em --grupos: informe um ou mais de clientes, fornecedores, "
                                              "gruposprodutos, classificacaofiscal, produtos, ou todos."));
        }
        else if (nome == QLatin1String("--host")) o.origem.host = valor();
        else if (nome == QLatin1String("--porta")) {
            bool ok = false;
            o.origem.port = valor().toUInt(&ok);
            if (!ok || o.origem.port < 1 || o.origem.port > 65535)
                throw AppError(QStringLiteral("Porta inválida: use um número de 1 a 65535."));
        }
        else if (nome == QLatin1String("--socket")) o.origem.socket = valor();
        else if (nome == QLatin1String("--usuario")) o.origem.user = valor();
        else if (nome == QLatin1String("--senha")) o.origem.password = valor();
        else if (nome == QLatin1String("--banco")) o.origem.database = valor();
        else if (nome == QLatin1String("--usuario-destino")) o.usuarioDestino = valor();
        else if (nome == QLatin1String("--senha-destino")) o.senhaDestino = valor();
        else if (a == QLatin1String("--check")) o.verificar = true;
        else if (nome == QLatin1String("--pasta-copia")) o.pastaCopia = valor();
        else if (a == QLatin1String("--sem-copia")) o.semCopia = true;
        else if (nome == QLatin1String("--resumo-json")) o.resumoJson = valor();
        else if (nome == QLatin1String("--relatorio")) o.relatorio = valor();
        else if (a == QLatin1String("--mantem-parcial")) o.mantemParcial = true;
        else if (a == QLatin1String("--restaura")) o.restaura = true;
        else if (a == QLatin1String("--mantem-atual")) o.mantemAtual = true;
        else if (nome == QLatin1String("--registro-comandos")) o.registroComandos = valor();
        else if (a == QLatin1String("--eventos-qt")) o.eventosQt = true;
        else if (a == QLatin1String("--help") || a == QLatin1String("-h")) o.ajuda = true;
        // Named without its value: a mistyped password option would print the password.
        else throw AppError(QStringLiteral("Opção desconhecida: ") + nome);
    }
    for (const QString& g : grupos) {
        const QString chave = g.trimmed().toUpper();
        if (chave == QLatin1String("TODOS")) {
            for (const auto& grupo : TClassesConversaoController::grupos())
                if (!o.grupos.contains(grupo.chave))
                    o.grupos.append(grupo.chave);
            continue;
        }
        bool conhecido = false;
        for (const auto& grupo : TClassesConversaoController::grupos())
            conhecido = conhecido || grupo.chave == chave;
        if (!conhecido)
            throw AppError(QStringLiteral("Grupo desconhecido: ") + g);
        if (!o.grupos.contains(chave))
            o.grupos.append(chave);
    }
    if (!o.ajuda && o.destino.isEmpty())
        throw AppError(QStringLiteral("Informe o banco de destino com --destino."));
    if (!o.relatorio.isEmpty() && !o.verificar)
        throw AppError(QStringLiteral("--relatorio vale só com --check: o relatório é o da verificação."));
    if (o.restaura && o.mantemAtual)
        throw AppError(QStringLiteral("Use --restaura ou --mantem-atual, não os dois."));
    if (o.semCopia && o.mantemParcial)
        throw AppError(QStringLiteral("--mantem-parcial não tem efeito com --sem-copia: sem cópia não há o que restaurar."));
    return o;
}
