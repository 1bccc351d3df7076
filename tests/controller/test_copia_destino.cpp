// The copy of the target file: refused before anything is written when the folder has no room
// or another program holds the file; an interrupted copy leaves nothing behind; a copy and a
// restore are byte for byte.
#include "app/CopiaDestino.h"
#include "common/AppError.h"
#include "platform/Interrupcao.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {
QByteArray le(const QString& f)
{
    QFile a(f);
    return a.open(QIODevice::ReadOnly) ? a.readAll() : QByteArray();
}

QString arquivo(const QTemporaryDir& d, const QByteArray& conteudo)
{
    const QString f = d.path() + QStringLiteral("/T.FB");
    QFile a(f);
    a.open(QIODevice::WriteOnly);
    a.write(conteudo);
    return f;
}
}  // namespace

TEST(TargetCopy, NoRoomForTheCopyIsRefusedNamingTheFolderAndTheSize)
{
    QTemporaryDir d;
    const QString f = arquivo(d, QByteArray());
    // A sparse file larger than the free space: it takes no room itself.
    struct statvfs s {};
    ASSERT_EQ(::statvfs(QFile::encodeName(d.path()).constData(), &s), 0);
    const qint64 livre = static_cast<qint64>(s.f_bavail) * static_cast<qint64>(s.f_frsize);
    ASSERT_TRUE(QFile(f).resize(livre + (qint64(1) << 30)));
    try {
        CopiaDestino::verificaEspaco(f, QString());
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Espaço insuficiente em ") + d.path())) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral(" MB livres"))) << e.message().toStdString();
    }
    QFile(f).resize(0);
    EXPECT_NO_THROW(CopiaDestino::verificaEspaco(f, QString()));
}

TEST(TargetCopy, CopyAndRestoreAreByteForByteAndAFileInUseIsRefused)
{
    QTemporaryDir d;
    QByteArray dados;
    for (int i = 0; i < 3 * (1 << 20) + 17; ++i)
        dados.append(static_cast<char>(i * 31 % 251));
    const QString f = arquivo(d, dados);
    const QString copia = CopiaDestino::copia(f, QString());
    EXPECT_TRUE(copia.startsWith(f + QStringLiteral(".copia-"))) << copia.toStdString();
    EXPECT_EQ(le(copia), dados);
    EXPECT_NE(CopiaDestino::nomeCopia(f, QString()), copia) << "a new copy never takes an existing name";

    // The run grew and changed the file: the restore gives back exactly the copy.
    {
        QFile a(f);
        a.open(QIODevice::ReadWrite);
        a.write("alterado");
        a.seek(a.size());
        a.write(QByteArray(1 << 20, 'x'));
    }
    CopiaDestino::restaura(f, copia);
    EXPECT_EQ(le(f), dados);

    // Another program's attachment holds the file locked, as the database engine does.
    const int fd = ::open(QFile::encodeName(f).constData(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_TRUE(CopiaDestino::emUso(f));
    for (const auto& passo : {std::function<void()>([&] { CopiaDestino::copia(f, QString()); }),
                              std::function<void()>([&] { CopiaDestino::restaura(f, copia); })}) {
        try {
            passo();
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("está em uso por outro programa"))) << e.message().toStdString();
        }
    }
    ::close(fd);
    EXPECT_FALSE(CopiaDestino::emUso(f));
    EXPECT_EQ(le(f), dados) << "a refused restore wrote to the file";
}

TEST(TargetCopy, AnInterruptedCopyLeavesNothingBehind)
{
    QTemporaryDir d;
    const QString f = arquivo(d, QByteArray(2 << 20, 'a'));
    Interrupcao::pede(SIGINT);
    EXPECT_THROW(CopiaDestino::copia(f, QString()), ConversaoInterrompida);
    Interrupcao::limpa();
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Files), QStringList{QStringLiteral("T.FB")});
}

TEST(TargetCopy, TheMarkerNamesTheCopyUntilItIsRemoved)
{
    QTemporaryDir d;
    const QString f = arquivo(d, "x");
    EXPECT_FALSE(CopiaDestino::leMarca(f));
    CopiaDestino::gravaMarca(f, d.path() + QStringLiteral("/T.FB.copia-1"));
    const auto m = CopiaDestino::leMarca(f);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->copia, d.path() + QStringLiteral("/T.FB.copia-1"));
    EXPECT_EQ(m->pid, static_cast<qint64>(::getpid()));
    EXPECT_FALSE(m->inicio.isEmpty());
    CopiaDestino::removeMarca(f);
    EXPECT_FALSE(CopiaDestino::leMarca(f));
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Files), QStringList{QStringLiteral("T.FB")});
}
