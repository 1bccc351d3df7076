// Server messages say which database they come from and, for the common cases, start with a
// plain sentence; the server's own text follows unchanged.
#include "SourceFixture.h"
#include "db/MensagemServidor.h"
#include "common/AppError.h"
#include "db/SourceConnection.h"
#include "db/SourceQuery.h"
#include "db/TargetDatabase.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ServerMessage, TargetFilesTheOperatorMeetsAreNamedInPlainWords)
{
    QTemporaryDir d;
    QFile texto(d.path() + QStringLiteral("/TEXTO.FB"));
    texto.open(QIODevice::WriteOnly);
    texto.write(QByteArray(8192, 'x'));
    texto.close();
    struct Caso {
        QString caminho;
        const char* frase;
    };
    const std::vector<Caso> casos = {
        {d.path() + QStringLiteral("/NAO-EXISTE.FB"), "Banco de destino: o arquivo não existe. "},
        {d.path(), "Banco de destino: o caminho é uma pasta, não um arquivo. "},
        {texto.fileName(), "Banco de destino: o arquivo não é um banco de dados. "},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.caminho.toStdString());
        TargetDatabase db;
        db.setDatabaseName(c.caminho);
        try {
            db.connect();
            ADD_FAILURE() << "attached";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.frase))) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("I/O error")) || e.message().contains(QStringLiteral("valid")))
                << "the server's text is kept: " << e.message().toStdString();
        }
    }
}

TEST(ServerMessage, SourceSideAndTheClientsNumberChooseTheSentence)
{
    EXPECT_EQ(MensagemServidor::origem(QStringLiteral("Access denied for user 'x'@'localhost'"), 1045),
              QStringLiteral("Banco de origem: o servidor recusou o usuário ou a senha. Access denied for user 'x'@'localhost'"));
    EXPECT_EQ(MensagemServidor::origem(QStringLiteral("Table 'p.T' doesn't exist"), 1146),
              QStringLiteral("Banco de origem: Table 'p.T' doesn't exist"));
    // A real refused login, on the sandbox server.
    SourceSettings s;
    s.socket = SourceFixture::socket();
    s.user = QStringLiteral("ninguem");
    s.password = QStringLiteral("errada");
    SourceConnection c(s);
    try {
        c.connect();
        ADD_FAILURE() << "connected";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Banco de origem: o servidor recusou o usuário ou a senha. Access denied")))
            << e.message().toStdString();
    }
}
