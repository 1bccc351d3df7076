#include "conversion/ProgressWalk.h"
#include "db/SourceQuery.h"
#include "platform/Gauge.h"
#include "platform/Platform.h"
#include "platform/ProgressLabel.h"

ProgressWalk::ProgressWalk(Gauge& barra, ProgressLabel& label, QString prefix)
    : m_barra(barra), m_label(label), m_prefix(std::move(prefix))
{
}

void ProgressWalk::run(SourceQuery& query, const std::function<void(SourceQuery&)>& convertRow)
{
    m_barra.setMaximum(query.recordCount());
    int vContaRegistro = 1;
    while (!query.eof()) {
        m_label.setText(m_prefix + QString::number(vContaRegistro) + QStringLiteral(" de ") +
                        QString::number(m_barra.maximum()));
        Platform::processEvents();
        convertRow(query);
        ++vContaRegistro;
        query.next();
        m_barra.stepBy(1);
    }
    m_label.setText(QString());
    m_barra.setPosition(0);
    m_barra.setMaximum(0);
}
