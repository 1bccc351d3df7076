#pragma once
#include "db/FieldValue.h"
#include <QHash>
#include <QString>
#include <vector>

namespace Firebird { class IAttachment; class ITransaction; class IMessageMetadata; }

// One row of a target result as the program reads it: the columns a statement's output has,
// and the decoding of a fetched message buffer into FieldValues (texts from the connection
// character set, scaled integers as reals, dates and times, BLOBs read whole).
namespace TargetRow {

struct Column {
    QString name;
    unsigned type, length, offset, nullOffset;
    int scale, charset, subType;
};

// The output columns, in order, and their index by upper-case name (alias, else field name).
void describe(Firebird::IMessageMetadata* meta, std::vector<Column>& columns, QHash<QString, int>& index);
// The fetched message in buffer as one value per column; BLOBs are read through the
// attachment in the transaction the row was fetched in.
void decode(const std::vector<Column>& columns, const std::vector<unsigned char>& buffer,
            Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, std::vector<FieldValue>& row);

}  // namespace TargetRow
