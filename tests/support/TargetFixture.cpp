#include "TargetFixture.h"
#include "common/AppError.h"
#include "db/SqlScript.h"
#include "db/TargetQuery.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>

QString TargetFixture::templatePath()
{
    const QString scripts = QStringLiteral(OSTREVO_SOURCE_DIR "/tests/fixtures/target");
    const QString dir = QStringLiteral(OSTREVO_BINARY_DIR "/fixtures");
    const QString tmpl = dir + QStringLiteral("/target-template.fb");
    QDir().mkpath(dir);
    const QStringList files = SqlScript::filesIn(scripts);
    QDateTime newest;
    for (const QString& f : files)
        newest = std::max(newest, QFileInfo(f).lastModified());
    // Test programs run in parallel: one builds the template, the others wait for it.
    const QByteArray lockPath = (dir + QStringLiteral("/template.lock")).toUtf8();
    const int fd = ::open(lockPath.constData(), O_CREAT | O_RDWR, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot open fixture lock");
    ::flock(fd, LOCK_EX);
    try {
        const QFileInfo info(tmpl);
        if (!info.exists() || info.lastModified() < newest) {
            const QString building = tmpl + QStringLiteral(".new");
            QFile::remove(building);
            TargetDatabase::createDatabase(building, 1, QStringLiteral("SYSDBA"),
                                           QStringLiteral("velorquin"), QStringLiteral("WIN1252"));
            TargetDatabase db;
            db.setDatabaseName(building);
            db.connect();
            SqlScript::run(db, files);
            db.disconnect();
            QFile::remove(tmpl);
            QFile::rename(building, tmpl);
        }
    } catch (...) {
        ::flock(fd, LOCK_UN);
        ::close(fd);
        throw;
    }
    ::flock(fd, LOCK_UN);
    ::close(fd);
    return tmpl;
}

TargetFixture::TargetFixture()
{
    m_path = m_dir.path() + QStringLiteral("/DESTINO.FB");
    if (!QFile::copy(templatePath(), m_path))
        throw std::runtime_error("cannot copy the fixture database");
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    db.setDatabaseName(m_path);
    db.connect();
    tr.start();
}

TargetFixture::~TargetFixture() { db.disconnect(); }

void TargetFixture::exec(const QString& sql)
{
    TargetTransaction own(&db);
    TargetQuery q(db, own);
    q.setSql(sql);
    q.execSql();
    own.commit();
}

std::vector<QStringList> TargetFixture::rows(const QString& select)
{
    TargetTransaction own(&db);
    std::vector<QStringList> out;
    {
        TargetQuery q(db, own);
        q.setSql(select);
        q.open();
        const int columns = static_cast<int>(q.columnNames().size());
        while (!q.eof()) {
            QStringList row;
            for (int i = 0; i < columns; ++i) {
                const FieldValue v = q.fieldAt(i);
                row.append(v.isNull() ? QStringLiteral("<NULL>") : v.asString());
            }
            out.push_back(row);
            q.next();
        }
    }
    own.commit();
    return out;
}

QString TargetFixture::value(const QString& select)
{
    const auto r = rows(select);
    if (r.empty() || r[0].isEmpty())
        return QString();
    return r[0][0];
}

int TargetFixture::count(const QString& table)
{
    return value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}
