#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// Reading a target statement's text without a database: where its quoted literals stand, its
// :NAME parameters, its top-level parenthesized lists, and which column a literal is written
// to. Literals follow the target's rules (a doubled quote stays inside, no backslash escapes).
namespace SqlText {

// [start, end) of a part of the text; for a literal, quotes included. -1, -1: none.
struct Span {
    int start = -1, end = -1;
};

bool isIdentStart(QChar c);
bool isIdentChar(QChar c);
// Just past the literal whose opening quote stands at i (a doubled quote stays inside it);
// the end of the text when the literal is not closed.
int literalEnd(const QString& text, int i);
// Replaces every :NAME outside literals and comments by "?" and lists the names in order.
QString parseParams(const QString& text, QStringList& names);
// The text of a literal written in the statement, quotes removed and doubled quotes undone.
QString literalValue(const QString& text, Span s);
// The top-level parenthesized lists of a statement, each as its comma-separated items.
std::vector<std::vector<Span>> topLevelLists(const QString& text);
// The literal holding position pos, if any.
Span literalAt(const QString& text, int pos);
// The column that the literal at lit is written to: the matching entry of an INSERT's column
// list, or the name before "=" of an assignment or comparison. Empty when the layout does not tell.
QString columnOf(const QString& text, Span lit);

}  // namespace SqlText
