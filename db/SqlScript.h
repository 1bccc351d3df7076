#pragma once
#include <QString>
#include <QStringList>

class TargetDatabase;

// Runs schema scripts (test fixtures, demo files): a statement ends with ";" at the end of a
// line; a CREATE TRIGGER statement, whose body holds ";", ends at a line holding only "^".
class SqlScript {
public:
    static QStringList statements(const QString& text);
    // Executes each statement of each file in its own transaction step; raises AppError
    // naming the file and the statement.
    static void run(TargetDatabase& db, const QStringList& files);
    // Every *.sql file of a folder, sorted by name.
    static QStringList filesIn(const QString& folder);
};
