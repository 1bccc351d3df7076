#include "Validacao.h"
#include <QProcess>
#include <QRegularExpression>

QStringList errosDeValidacao(const QString& arquivo, QString* relatorio)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("gfix"), {QStringLiteral("-v"), QStringLiteral("-full"), QStringLiteral("-n"),
                                      QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-password"),
                                      QStringLiteral("velorquin"), arquivo});
    if (!p.waitForFinished(120000))
        return {QStringLiteral("gfix did not finish")};
    *relatorio = QString::fromLocal8Bit(p.readAll()).trimmed();
    QStringList erros;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        erros.append(QStringLiteral("gfix exit code %1").arg(p.exitCode()));
    static const QRegularExpression contagem(QStringLiteral("Number of (.*\\S)\\s*:\\s*(\\d+)"));
    for (const QString& linha : relatorio->split(QLatin1Char('\n'))) {
        const auto m = contagem.match(linha);
        if (m.hasMatch() && !m.captured(1).contains(QStringLiteral("warning")) && m.captured(2).toInt() > 0)
            erros.append(linha.trimmed());
    }
    return erros;
}
