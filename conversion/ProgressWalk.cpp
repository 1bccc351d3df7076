#include "conversion/ProgressWalk.h"
#include "conversion/ColetorEnsaio.h"
#include "common/AppError.h"
#include "db/SourceQuery.h"
#include "platform/Gauge.h"
#include "platform/Platform.h"
#include "platform/ProgressLabel.h"

ProgressWalk::ProgressWalk(Gauge& barra, ProgressLabel& label, QString prefix, QString sourceTable)
    : m_barra(barra), m_label(label), m_prefix(std::move(prefix)), m_sourceTable(std::move(sourceTable))
{
}

QString ProgressWalk::chave(const SourceQuery& query)
{
    try {
        return query.fieldText(QStringLiteral("CONTROLE"));
    } catch (const AppError&) {
        return QString();
    }
}

QString ProgressWalk::chaveLegivel(QString key)
{
    // A key that would read ambiguously (empty, blanks at its ends, control characters) is
    // shown between quotes; a very long one is shortened.
    bool plain = !key.isEmpty();
    for (const QChar c : key)
        plain = plain && c.unicode() > 32;
    if (key.size() > 60)
        key = key.left(60) + QStringLiteral("...");
    if (!plain)
        key = QLatin1Char('\'') + key + QLatin1Char('\'');
    return key;
}

QString ProgressWalk::rowContext(const QString& sourceTable, const SourceQuery& query)
{
    QString key;
    try {
        key = query.fieldText(QStringLiteral("CONTROLE"));
    } catch (const AppError&) {
        return QStringLiteral(" (tabela ") + sourceTable + QLatin1Char(')');
    }
    return QStringLiteral(" (tabela ") + sourceTable + QStringLiteral(", CONTROLE ") + chaveLegivel(key) + QLatin1Char(')');
}

void ProgressWalk::run(SourceQuery& query, const std::function<void(SourceQuery&)>& convertRow)
{
    m_barra.setMaximum(query.recordCount());
    ColetorEnsaio* const ensaio = m_sourceTable.isEmpty() ? nullptr : dynamic_cast<ColetorEnsaio*>(&m_label);
    int vContaRegistro = 1;
    while (!query.eof()) {
        m_label.setText(m_prefix + QString::number(vContaRegistro) + QStringLiteral(" de ") +
                        QString::number(m_barra.maximum()));
        Platform::processEvents();
        if (ensaio)
            ensaio->inicioDaLinha(m_sourceTable, chave(query));
        try {
            convertRow(query);
        } catch (const AppError& e) {
            if (m_sourceTable.isEmpty())
                throw;
            if (!ensaio)
                throw AppError(e.message() + rowContext(m_sourceTable, query));
            ensaio->falhaDaLinha(m_sourceTable, chave(query), e.message());
        }
        ++vContaRegistro;
        query.next();
        m_barra.stepBy(1);
    }
    m_label.setText(QString());
    m_barra.setPosition(0);
    m_barra.setMaximum(0);
}
