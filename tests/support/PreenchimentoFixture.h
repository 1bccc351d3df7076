#pragma once
// What a group's filler test stands on: the sandbox source and a fresh target file, the source
// connection, a recording label and gauge whose every event is recorded, and what a caller does
// with the transaction after the walk.
#include "Recorders.h"
#include "SourceFixture.h"
#include "TargetFixture.h"
#include "db/SourceConnection.h"
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

class PreenchimentoFixture : public ::testing::Test {
protected:
    PreenchimentoFixture() { origem.settings() = s.settings(); }

    // Rows an earlier run left, committed before the run's transaction starts (as after "Abrir").
    void anterior(const QString& insert)
    {
        t.exec(insert);
        t.tr.commit();
        t.tr.start();
    }
    // What a caller would keep: commit when the walk left work open, or undo it.
    void confirma()
    {
        if (t.tr.active())
            t.tr.commit();
    }
    void descarta()
    {
        if (t.tr.active())
            t.tr.rollback();
    }
    // The labels of a walk over total rows.
    static QString rotulo(const QString& prefixo, int n, int total)
    {
        return prefixo + QString::number(n) + QStringLiteral(" de ") + QString::number(total);
    }
    static QStringList rotulos(const QString& prefixo, int total)
    {
        QStringList r;
        for (int i = 1; i <= total; ++i)
            r << rotulo(prefixo, i, total);
        return r;
    }
    // A value written into a source statement as a literal.
    static QString sqlText(const QString& v)
    {
        return QLatin1Char('\'') + QString(v).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    }

    TargetFixture t;
    SourceFixture s;
    SourceConnection origem;
    RecordingLabel label;
    RecordingGauge gauge;
    RecordingEvents events{&label, &gauge};
};
