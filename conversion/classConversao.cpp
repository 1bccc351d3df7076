#include "conversion/classConversao.h"
#include "common/AppError.h"
#include "platform/Platform.h"

TConversao::TConversao(TargetDatabase& cBanco)
    : QDestino(std::make_unique<TargetQuery>(cBanco)),
      QAuxiliar(std::make_unique<TargetQuery>(cBanco)),
      cnBanco(cBanco)
{
}

TConversao::~TConversao() = default;

void TConversao::PIniciaTransacao(TargetTransaction& Transacao)
{
    if (!Transacao.active())
        Transacao.start();
}

void TConversao::PConfirmaTransacao(TargetTransaction& Transacao)
{
    if (Transacao.active())
        Transacao.commit();
}

void TConversao::PCancelaTransacao(TargetTransaction& Transacao)
{
    if (Transacao.active())
        Transacao.rollback();
}

void TConversao::PLimpaTabela(const QString& NomeTabela)
{
    try {
        TargetQuery limpa(cnBanco);
        limpa.setSql(QStringLiteral("DELETE FROM ") + NomeTabela);
        limpa.execSql();
        limpa.setSql(QStringLiteral("COMMIT"));
        limpa.execSql();
    } catch (const AppError& e) {
        ErroGravacao = true;
        Platform::messages().error(QStringLiteral("Erro na Exclusão da tabela ") + NomeTabela +
                                   QStringLiteral(".") + QChar(13) + e.message() + QChar(13) +
                                   QStringLiteral("Verifique se a tabela está em Transação."));
    }
}

namespace {
void alteraTrigger(TConversao& c, TargetDatabase& db, TargetTransaction& t, const char* estado,
                   const QString& aviso)
{
    try {
        TargetQuery q(db);
        c.PIniciaTransacao(t);
        q.clearSql();
        q.addSql(QStringLiteral("ALTER TRIGGER PRODUTO_BI0 ") + QLatin1String(estado));
        q.execSql();
        c.PConfirmaTransacao(t);
    } catch (const AppError& e) {
        Platform::messages().warning(aviso + e.message());
        c.PCancelaTransacao(t);
    }
}
}  // namespace

void TConversao::DesativaTriggers(TargetDatabase& DbDestino, TargetTransaction& Transacao)
{
    alteraTrigger(*this, DbDestino, Transacao, "INACTIVE",
                  QStringLiteral("Erro ao desativar as Triggers: "));
}

void TConversao::AtivaTriggers(TargetDatabase& DbDestino, TargetTransaction& Transacao)
{
    alteraTrigger(*this, DbDestino, Transacao, "ACTIVE",
                  QStringLiteral("Erro ao ativar as Triggers: "));
}

void TConversao::esvaziaTabela(const QString& apaga, const QString& confirma)
{
    QAuxiliar->close();
    QAuxiliar->setSql(apaga);
    QAuxiliar->execSql();
    QAuxiliar->close();
    QAuxiliar->setSql(confirma);
    QAuxiliar->execSql();
}
