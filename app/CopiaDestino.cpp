#include "app/CopiaDestino.h"
#include "common/AppError.h"
#include "platform/Interrupcao.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace {
QString erroSistema() { return QString::fromLocal8Bit(std::strerror(errno)); }

// An open file descriptor, closed with its scope.
struct Descritor {
    int fd = -1;
    explicit Descritor(int f) : fd(f) {}
    ~Descritor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;
};

// The file opened and locked exclusively, so that no attachment can take it meanwhile; raises
// when another process holds it.
int abreTravado(const QString& caminho, int modo)
{
    const QByteArray nome = QFile::encodeName(caminho);
    const int fd = ::open(nome.constData(), modo | O_CLOEXEC);
    if (fd < 0)
        throw AppError(QStringLiteral("Não foi possível abrir %1: %2").arg(caminho, erroSistema()));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        if (e == EWOULDBLOCK)
            throw AppError(QStringLiteral("O arquivo %1 está em uso por outro programa.").arg(caminho));
        errno = e;
        throw AppError(QStringLiteral("Não foi possível travar %1: %2").arg(caminho, erroSistema()));
    }
    return fd;
}

void gravaTudo(int fd, const char* dados, qint64 n, const QString& caminho)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, dados, static_cast<size_t>(n));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            throw AppError(QStringLiteral("Não foi possível gravar %1: %2").arg(caminho, erroSistema()));
        }
        dados += w;
        n -= w;
    }
}

// Copies every byte of de into para from their current offsets; answers the bytes copied.
qint64 copiaBytes(int de, int para, const QString& origem, const QString& destino, bool interrompivel)
{
    std::vector<char> buf(1 << 20);
    qint64 total = 0;
    for (;;) {
        if (interrompivel)
            Interrupcao::verifica();
        const ssize_t r = ::read(de, buf.data(), buf.size());
        if (r < 0) {
            if (errno == EINTR)
                continue;
            throw AppError(QStringLiteral("Não foi possível ler %1: %2").arg(origem, erroSistema()));
        }
        if (r == 0)
            return total;
        gravaTudo(para, buf.data(), r, destino);
        total += r;
    }
}

void sincroniza(int fd, const QString& caminho)
{
    if (::fsync(fd) != 0)
        throw AppError(QStringLiteral("Não foi possível gravar %1 no disco: %2").arg(caminho, erroSistema()));
}

void sincronizaPasta(const QString& pasta)
{
    const int fd = ::open(QFile::encodeName(pasta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString pastaDe(const QString& destino, const QString& pasta)
{
    return pasta.isEmpty() ? QFileInfo(destino).absolutePath() : QDir(pasta).absolutePath();
}
}  // namespace

QString CopiaDestino::caminhoMarca(const QString& destino) { return destino + QStringLiteral(".conversao"); }

std::optional<CopiaDestino::Marca> CopiaDestino::leMarca(const QString& destino)
{
    QFile f(caminhoMarca(destino));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    Marca m;
    for (const QByteArray& linha : f.readAll().split('\n')) {
        const QString l = QString::fromUtf8(linha);
        const QString chave = l.section(QLatin1Char('='), 0, 0), valor = l.section(QLatin1Char('='), 1);
        if (chave == QLatin1String("copia")) m.copia = valor;
        else if (chave == QLatin1String("inicio")) m.inicio = valor;
        else if (chave == QLatin1String("pid")) m.pid = valor.toLongLong();
    }
    return m;
}

void CopiaDestino::gravaMarca(const QString& destino, const QString& copia)
{
    // Written whole under another name, then renamed: a marker is either complete or absent.
    const QString final = caminhoMarca(destino), temporario = final + QStringLiteral(".novo");
    const QByteArray texto = QStringLiteral("copia=%1\ninicio=%2\npid=%3\n")
                                 .arg(QFileInfo(copia).absoluteFilePath(),
                                      QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")))
                                 .arg(static_cast<qint64>(::getpid()))
                                 .toUtf8();
    Descritor fd(::open(QFile::encodeName(temporario).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.fd < 0)
        throw AppError(QStringLiteral("Não foi possível criar %1: %2").arg(temporario, erroSistema()));
    gravaTudo(fd.fd, texto.constData(), texto.size(), temporario);
    sincroniza(fd.fd, temporario);
    if (::rename(QFile::encodeName(temporario).constData(), QFile::encodeName(final).constData()) != 0)
        throw AppError(QStringLiteral("Não foi possível criar %1: %2").arg(final, erroSistema()));
    sincronizaPasta(QFileInfo(final).absolutePath());
}

void CopiaDestino::removeMarca(const QString& destino)
{
    const QString m = caminhoMarca(destino);
    if (QFile::exists(m) && !QFile::remove(m))
        throw AppError(QStringLiteral("Não foi possível remover %1.").arg(m));
    sincronizaPasta(QFileInfo(m).absolutePath());
}

QString CopiaDestino::nomeCopia(const QString& destino, const QString& pasta)
{
    const QString base = pastaDe(destino, pasta) + QLatin1Char('/') + QFileInfo(destino).fileName() +
                         QStringLiteral(".copia-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString nome = base;
    for (int i = 2; QFileInfo::exists(nome) || QFileInfo::exists(nome + QStringLiteral(".parcial")); ++i)
        nome = base + QLatin1Char('-') + QString::number(i);
    return nome;
}

void CopiaDestino::verificaEspaco(const QString& destino, const QString& pasta)
{
    const QString onde = pastaDe(destino, pasta);
    const qint64 tamanho = QFileInfo(destino).size();
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(onde).constData(), &s) != 0)
        throw AppError(QStringLiteral("Não foi possível ler o espaço livre em %1: %2").arg(onde, erroSistema()));
    const qint64 livre = static_cast<qint64>(s.f_bavail) * static_cast<qint64>(s.f_frsize);
    // Some room beyond the copy itself, so that the disk is not left full for the run.
    const qint64 necessario = tamanho + std::max<qint64>(tamanho / 20, 16 << 20);
    if (livre < necessario)
        throw AppError(QStringLiteral("Espaço insuficiente em %1 para a cópia do destino: são necessários %2 MB "
                                      "e há %3 MB livres.")
                           .arg(onde)
                           .arg((necessario + (1 << 20) - 1) >> 20)
                           .arg(livre >> 20));
}

QString CopiaDestino::copia(const QString& destino, const QString& pasta)
{
    const QString nome = nomeCopia(destino, pasta);
    const QString parcial = nome + QStringLiteral(".parcial");
    Descritor de(abreTravado(destino, O_RDONLY));
    struct stat st {};
    ::fstat(de.fd, &st);
    {
        Descritor para(::open(QFile::encodeName(parcial).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              st.st_mode & 0777));
        if (para.fd < 0)
            throw AppError(QStringLiteral("Não foi possível criar a cópia %1: %2").arg(parcial, erroSistema()));
        try {
            const qint64 n = copiaBytes(de.fd, para.fd, destino, parcial, true);
            if (n != st.st_size)
                throw AppError(QStringLiteral("A cópia de %1 ficou incompleta.").arg(destino));
            sincroniza(para.fd, parcial);
        } catch (...) {
            QFile::remove(parcial);
            throw;
        }
    }
    if (::rename(QFile::encodeName(parcial).constData(), QFile::encodeName(nome).constData()) != 0) {
        QFile::remove(parcial);
        throw AppError(QStringLiteral("Não foi possível criar a cópia %1: %2").arg(nome, erroSistema()));
    }
    sincronizaPasta(QFileInfo(nome).absolutePath());
    return nome;
}

void CopiaDestino::restaura(const QString& destino, const QString& copia)
{
    Descritor de(::open(QFile::encodeName(copia).constData(), O_RDONLY | O_CLOEXEC));
    if (de.fd < 0)
        throw AppError(QStringLiteral("Não foi possível abrir a cópia %1: %2").arg(copia, erroSistema()));
    Descritor para(abreTravado(destino, O_WRONLY));
    const qint64 n = copiaBytes(de.fd, para.fd, copia, destino, false);
    // The file may have grown during the run: what lies beyond the copy's end goes.
    if (::ftruncate(para.fd, n) != 0)
        throw AppError(QStringLiteral("Não foi possível gravar %1: %2").arg(destino, erroSistema()));
    sincroniza(para.fd, destino);
}

bool CopiaDestino::emUso(const QString& destino)
{
    const int fd = ::open(QFile::encodeName(destino).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool livre = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return !livre;
}
