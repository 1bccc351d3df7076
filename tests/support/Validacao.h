#pragma once
#include <QString>
#include <QStringList>

// gfix's full validation of a target file, read only (-n: nothing mended). Errors found are
// returned, one line each; warnings are not errors: after a process dies, pages it had
// allocated but not yet linked are left over ("orphan") and the free-space bits of a pointer
// page may lag behind; both only waste space and the engine reuses or fixes them.
QStringList errosDeValidacao(const QString& arquivo, QString* relatorio);
