#pragma once
#include "db/TargetDatabase.h"
#include "db/TargetTransaction.h"
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

// A fresh dialect-1 target file holding every table of tests/fixtures/target, connected, with
// its transaction as the connection's default (the window's state after "Abrir").
class TargetFixture {
public:
    TargetFixture();
    ~TargetFixture();

    TargetDatabase db;
    TargetTransaction tr{&db};
    const QString& path() const { return m_path; }

    // Runs one statement in a transaction of its own, committed at once. Note that tr, being a
    // snapshot started earlier, does not see it until tr is committed and started again.
    void exec(const QString& sql);
    // Every row of a select, each field as text (NULL as "<NULL>"), read in a new transaction
    // so that it sees exactly what was committed.
    std::vector<QStringList> rows(const QString& select);
    QString value(const QString& select);  // first field of the first row
    int count(const QString& table);

    // The template file, created once from the schema scripts (shared by all test programs).
    static QString templatePath();

private:
    QTemporaryDir m_dir;
    QString m_path;
};
