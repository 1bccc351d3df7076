// Creates a dialect-1 target database file from schema scripts (test fixtures and the demo).
//   criabanco FILE.FB SCRIPT.sql|FOLDER...
#include "common/AppError.h"
#include "db/SqlScript.h"
#include "db/TargetDatabase.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: criabanco FILE.FB SCRIPT.sql|FOLDER...\n");
        return 2;
    }
    const QString path = QFileInfo(args[0]).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "criabanco: %s already exists; it is never overwritten\n", qPrintable(path));
        return 1;
    }
    QStringList files;
    for (const QString& a : args.mid(1))
        files += QFileInfo(a).isDir() ? SqlScript::filesIn(a) : QStringList{a};
    try {
        TargetDatabase::createDatabase(path, 1, QStringLiteral("SYSDBA"), QStringLiteral("velorquin"),
                                       QStringLiteral("WIN1252"));
        TargetDatabase db;
        db.setDatabaseName(path);
        db.connect();
        SqlScript::run(db, files);
        db.disconnect();
    } catch (const AppError& e) {
        std::fprintf(stderr, "criabanco: %s\n", e.message().toUtf8().constData());
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
