#include "app/batch/OpcoesLote.h"
#include "app/UClassesConversaoController.h"
#include "common/AppError.h"
#include <QCommandLineParser>
#include <algorithm>

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

namespace {
// The parser's own texts are English and may quote a value; the operator reads ours, which name
// the option as typed and never its value (a mistyped password option would print the password).
QString erroDeUso(const QCommandLineParser& p, const QStringList& argumentos, const QStringList& semValor)
{
    const QStringList desconhecidas = p.unknownOptionNames();
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (!a.startsWith(QLatin1Char('-')))
            continue;
        const QString nome = a.section(QLatin1Char('='), 0, 0);
        QString simples = nome;
        while (simples.startsWith(QLatin1Char('-')))
            simples.remove(0, 1);
        const bool comIgual = a.contains(QLatin1Char('='));
        if (desconhecidas.contains(simples) || (comIgual && semValor.contains(simples)))
            return QStringLiteral("Opção desconhecida: ") + nome;
        if (!comIgual && !semValor.contains(simples) && i + 1 >= argumentos.size())
            return QStringLiteral("Falta o valor de ") + a;
    }
    return QStringLiteral("Linha de comando inválida: ") + p.errorText();
}
}  // namespace

OpcoesLote OpcoesLote::ler(const QStringList& argumentos)
{
    OpcoesLote o;
    const QByteArray senhaOrigem = qgetenv("OSTREVO_SENHA_ORIGEM");
    if (!senhaOrigem.isNull())
        o.origem.password = QString::fromUtf8(senhaOrigem);
    const QByteArray senhaDestino = qgetenv("OSTREVO_SENHA_DESTINO");
    if (!senhaDestino.isNull())
        o.senhaDestino = QString::fromUtf8(senhaDestino);
    const QStringList comValor = {
        QStringLiteral("destino"), QStringLiteral("grupos"), QStringLiteral("host"), QStringLiteral("porta"),
        QStringLiteral("socket"), QStringLiteral("usuario"), QStringLiteral("senha"), QStringLiteral("banco"),
        QStringLiteral("usuario-destino"), QStringLiteral("senha-destino"), QStringLiteral("pasta-copia"),
        QStringLiteral("resumo-json"), QStringLiteral("relatorio"), QStringLiteral("registro-comandos")};
    const QStringList semValor = {QStringLiteral("check"),        QStringLiteral("sem-copia"),
                                  QStringLiteral("mantem-parcial"), QStringLiteral("restaura"),
                                  QStringLiteral("mantem-atual"), QStringLiteral("eventos-qt"),
                                  QStringLiteral("help"),         QStringLiteral("h")};
    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString& nome : comValor)
        p.addOption(QCommandLineOption(nome, QString(), QStringLiteral("valor")));
    for (const QString& nome : semValor)
        p.addOption(QCommandLineOption(nome));
    if (!p.parse(QStringList{QStringLiteral("FarmaciaOstrevoLote")} + argumentos))
        throw AppError(erroDeUso(p, argumentos, semValor));
    if (!p.positionalArguments().isEmpty())
        throw AppError(QStringLiteral("Opção desconhecida: ") + p.positionalArguments().first());
    auto texto = [&p](const char* opcao, QString& campo) {
        if (p.isSet(QLatin1String(opcao)))
            campo = p.value(QLatin1String(opcao));
    };
    auto chave = [&p](const char* opcao) { return p.isSet(QLatin1String(opcao)); };

    QStringList grupos = {QStringLiteral("todos")};
    if (p.isSet(QStringLiteral("grupos"))) {
        grupos = p.value(QStringLiteral("grupos")).split(QLatin1Char(','), Qt::SkipEmptyParts);
        // An empty list would convert nothing and still report success.
        if (std::all_of(grupos.begin(), grupos.end(), [](const QString& g) { return g.trimmed().isEmpty(); }))
            throw AppError(QStringLiteral("Nenhum grupo em --grupos: informe um ou mais de clientes, fornecedores, "
                                          "gruposprodutos, classificacaofiscal, produtos, ou todos."));
    }
    if (p.isSet(QStringLiteral("porta"))) {
        bool ok = false;
        o.origem.port = p.value(QStringLiteral("porta")).toUInt(&ok);
        if (!ok || o.origem.port < 1 || o.origem.port > 65535)
            throw AppError(QStringLiteral("Porta inválida: use um número de 1 a 65535."));
    }
    texto("destino", o.destino);
    texto("host", o.origem.host);
    texto("socket", o.origem.socket);
    texto("usuario", o.origem.user);
    texto("senha", o.origem.password);
    texto("banco", o.origem.database);
    texto("usuario-destino", o.usuarioDestino);
    texto("senha-destino", o.senhaDestino);
    texto("pasta-copia", o.pastaCopia);
    texto("resumo-json", o.resumoJson);
    texto("relatorio", o.relatorio);
    texto("registro-comandos", o.registroComandos);
    o.verificar = chave("check");
    o.semCopia = chave("sem-copia");
    o.mantemParcial = chave("mantem-parcial");
    o.restaura = chave("restaura");
    o.mantemAtual = chave("mantem-atual");
    o.eventosQt = chave("eventos-qt");
    o.ajuda = chave("help") || chave("h");
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
