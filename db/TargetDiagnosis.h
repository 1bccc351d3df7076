#pragma once
#include <QByteArray>
#include <QString>

namespace Firebird { class IAttachment; class ITransaction; class FbException; }

// Telling the operator which value the target could not take, where the server's own message
// names neither the column nor the value.
namespace TargetDiagnosis {

// A statement in the connection character set. A character that the set cannot hold is
// reported with the column and the value that hold it, not by its place in a long text; with
// substitui (the check's trial only) it is sent as "?" instead.
QByteArray encodeStatement(const QString& text, bool substitui);
// SQLSTATE class 22: a value its column cannot take (too long, out of range, unreadable).
bool isDataException(const Firebird::FbException& e);
// For a literal INSERT the server refused: each value is assigned alone to a variable of its
// column's type, and the first one refused for the same kind of reason is named:
// " (campo C, valor V)", or empty when none is.
QString refusedValue(Firebird::IAttachment* attachment, Firebird::ITransaction* tra, unsigned dialect,
                     const QString& text);

}  // namespace TargetDiagnosis
