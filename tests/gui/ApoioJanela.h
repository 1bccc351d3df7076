#pragma once
// Helpers of the window tests: a fresh target file to open, and a filler of the test's own that
// shows progress the way the real ones do.
#include "TargetFixture.h"
#include "conversion/Preenchedor.h"
#include "db/TargetDatabase.h"
#include "db/TargetQuery.h"
#include "db/TargetTransaction.h"
#include "platform/Gauge.h"
#include "platform/Platform.h"
#include "platform/ProgressLabel.h"
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <stdexcept>

// A copy of the fixture template under a name of the caller's choice.
class ArquivoDestino {
public:
    explicit ArquivoDestino(const QString& nome = QStringLiteral("DESTINO.FB"))
    {
        caminho = m_dir.path() + QLatin1Char('/') + nome;
        if (!QFile::copy(TargetFixture::templatePath(), caminho))
            throw std::runtime_error("cannot copy the fixture database");
        QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner);
    }
    QString pasta() const { return m_dir.path(); }
    QString caminho;

    // Reads one value through a connection of its own: what the file holds once committed.
    QString valor(const QString& select) const
    {
        TargetDatabase db;
        db.setDatabaseName(caminho);
        db.connect();
        TargetTransaction tr(&db);
        tr.start();
        TargetQuery q(db, tr);
        q.setSql(select);
        q.open();
        const QString v = q.isEmpty() ? QString() : q.field(QStringLiteral("N")).asString();
        q.close();
        tr.commit();
        db.disconnect();
        return v;
    }

private:
    QTemporaryDir m_dir;
};

// Walks `linhas` made-up rows with the label and gauge of a real filler, processing the
// pending events once per row; `aCadaLinha` runs inside the walk.
class PreenchedorDeTeste : public Preenchedor {
public:
    PreenchedorDeTeste(QString prefixo, int linhas, std::function<void(int linha)> aCadaLinha)
        : m_prefixo(std::move(prefixo)), m_linhas(linhas), m_aCadaLinha(std::move(aCadaLinha)) {}
    void preenche(SourceConnection&, TargetDatabase&, Gauge& barra, ProgressLabel& rotulo) override
    {
        barra.setMaximum(m_linhas);
        for (int i = 1; i <= m_linhas; ++i) {
            rotulo.setText(m_prefixo + QString::number(i) + QStringLiteral(" de ") +
                           QString::number(barra.maximum()));
            Platform::processEvents();
            if (m_aCadaLinha)
                m_aCadaLinha(i);
            barra.stepBy(1);
        }
        rotulo.setText(QString());
        barra.setPosition(0);
        barra.setMaximum(0);
    }

private:
    QString m_prefixo;
    int m_linhas;
    std::function<void(int)> m_aCadaLinha;
};
