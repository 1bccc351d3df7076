#include "db/SqlScript.h"
#include "common/AppError.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/TargetTransaction.h"
#include <QDir>
#include <QFile>

QStringList SqlScript::statements(const QString& text)
{
    QStringList out;
    QString current;
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (current.isEmpty() && (line.isEmpty() || line.startsWith(QLatin1String("--"))))
            continue;
        if (line == QLatin1String("^")) {
            if (!current.trimmed().isEmpty())
                out.append(current.trimmed());
            current.clear();
            continue;
        }
        current += rawLine + QLatin1Char('\n');
        // Procedural bodies (triggers) end with "^" instead of ";".
        const bool body = current.trimmed().startsWith(QLatin1String("CREATE TRIGGER"), Qt::CaseInsensitive);
        if (!body && line.endsWith(QLatin1Char(';'))) {
            QString s = current.trimmed();
            s.chop(1);
            out.append(s.trimmed());
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        out.append(current.trimmed());
    return out;
}

void SqlScript::run(TargetDatabase& db, const QStringList& files)
{
    TargetTransaction own(&db);
    TargetTransaction* previous = db.defaultTransaction();
    db.setDefaultTransaction(&own);
    try {
        for (const QString& file : files) {
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly))
                throw AppError(QStringLiteral("Não foi possível ler ") + file);
            const QString text = QString::fromUtf8(f.readAll());
            for (const QString& stmt : statements(text)) {
                TargetQuery q(db);
                q.setSql(stmt);
                try {
                    q.execSql();
                    own.commit();  // DDL must be committed before the next statement uses it
                } catch (const AppError& e) {
                    throw AppError(file + QStringLiteral(": ") + e.message() + QStringLiteral("\n") + stmt);
                }
            }
        }
    } catch (...) {
        db.setDefaultTransaction(previous);
        throw;
    }
    db.setDefaultTransaction(previous);
}

QStringList SqlScript::filesIn(const QString& folder)
{
    QDir dir(folder);
    QStringList out;
    for (const QString& name : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        out.append(dir.filePath(name));
    return out;
}
