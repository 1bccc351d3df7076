#include "app/batch/RegistroComandos.h"
#include "common/AppError.h"

RegistroComandos::RegistroComandos(const QString& arquivo) : m_arquivo(arquivo)
{
    if (!m_arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw AppError(QStringLiteral("Não foi possível criar ") + arquivo);
}

void RegistroComandos::sent(Kind kind, const QByteArray& sql, const QList<QByteArray>& params)
{
    QByteArray r;
    r += kind == Kind::Execute ? 'E' : kind == Kind::Open ? 'O' : 'C';
    r += QByteArray::number(sql.size()) + ' ' + sql + ' ' + QByteArray::number(params.size()) + ' ';
    for (const QByteArray& p : params) {
        if (p.isNull())
            r += "N ";
        else
            r += QByteArray::number(p.size()) + ' ' + p + ' ';
    }
    r += '\n';
    m_arquivo.write(r);
}
