#pragma once
#include "db/TargetQuery.h"
#include <QFile>
#include <QString>

// Writes every statement sent to the target to a file, one record a statement:
// kind (E, O or C), the text's length and bytes, the parameter count, and each parameter as
// "N" (NULL) or its length and bytes. The benchmark replays the file.
class RegistroComandos : public StatementRecorder {
public:
    explicit RegistroComandos(const QString& arquivo);  // raises AppError when it cannot write
    void sent(Kind kind, const QByteArray& sql, const QList<QByteArray>& params) override;

private:
    QFile m_arquivo;
};
