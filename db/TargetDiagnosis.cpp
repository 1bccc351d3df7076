#include "db/TargetDiagnosis.h"
#include "common/AppError.h"
#include "db/FbClient.h"
#include "db/SqlText.h"
#include "db/Win1252.h"
#include <QRegularExpression>
#include <algorithm>

using namespace Firebird;
using namespace SqlText;

namespace TargetDiagnosis {

QByteArray encodeStatement(const QString& text, bool substitui)
{
    try {
        return Win1252::encode(text, substitui);
    } catch (const AppError&) {
        int pos = 0;
        while (pos < text.size() && Win1252::canEncode(text[pos]))
            ++pos;
        if (pos >= text.size())
            throw;
        const Span lit = literalAt(text, pos);
        const QString column = columnOf(text, lit);
        const QString value = lit.start >= 0 ? literalValue(text, lit) : text.mid(std::max(0, pos - 40), 80);
        throw AppError(QStringLiteral("O caractere %1 não pode ser gravado no banco de destino (conjunto de "
                                      "caracteres WIN1252): %2\"%3\"")
                           .arg(Win1252::codePoint(text, pos),
                                column.isEmpty() ? QString() : QStringLiteral("campo ") + column + QStringLiteral(", valor "),
                                value.left(200)));
    }
}

bool isDataException(const FbException& e)
{
    char state[6] = {};
    fb_sqlstate(state, e.getStatus()->getErrors());
    return state[0] == '2' && state[1] == '2';
}

QString refusedValue(IAttachment* attachment, ITransaction* tra, unsigned dialect, const QString& text)
{
    static const QRegularExpression head(QStringLiteral("^\\s*INSERT\\s+INTO\\s+([A-Za-z_][A-Za-z0-9_$]*)\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(text);
    const auto lists = topLevelLists(text);
    if (!m.hasMatch() || lists.size() < 2 || lists[0].size() != lists[1].size())
        return QString();
    for (size_t k = 0; k < lists[0].size(); ++k) {
        const Span c = lists[0][k], v = lists[1][k];
        const QString column = text.mid(c.start, c.end - c.start).trimmed();
        const QString value = text.mid(v.start, v.end - v.start).trimmed();
        const QString probe = QStringLiteral("EXECUTE BLOCK AS DECLARE V TYPE OF COLUMN ") + m.captured(1) +
                              QLatin1Char('.') + column.section(QLatin1Char('.'), -1) +
                              QStringLiteral("; BEGIN V = ") + value + QStringLiteral("; END");
        try {
            const QByteArray bytes = Win1252::encode(probe);
            FbClient::Status st;
            attachment->execute(&st, tra, static_cast<unsigned>(bytes.size()), bytes.constData(), dialect, nullptr,
                                nullptr, nullptr, nullptr);
        } catch (const AppError&) {
            continue;
        } catch (const FbException& e) {
            if (!isDataException(e))
                continue;
            int first = v.start;
            while (first < v.end && text[first].isSpace())
                ++first;
            const Span lit = literalAt(text, first);
            const QString shown = lit.start >= 0 && lit.end - lit.start == value.size()
                                      ? QLatin1Char('"') + literalValue(text, lit).left(200) + QLatin1Char('"')
                                      : value;
            return QStringLiteral(" (campo ") + column + QStringLiteral(", valor ") + shown + QLatin1Char(')');
        }
    }
    return QString();
}

}  // namespace TargetDiagnosis
