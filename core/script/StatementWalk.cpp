// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/StatementWalk.h"

namespace orvane::script {

std::optional<std::int32_t> StatementWalk::Inside(const StatementReader& reader, const Statement& statement) {
    if (statement.isElse) return statement.elseBranch;
    if (statement.StartsWith("{")) return reader.Start() + 1;
    if (statement.StartsWith("while(")) return reader.PastClosingParen(reader.Start(), reader.End());
    return std::nullopt;
}

void StatementWalk::SkipWhole(StatementReader& reader, std::int32_t limit) {
    int openIfs = 0;  // ifs passed over whose else may still follow
    for (;;) {
        const StatementSpan before = reader.Span();
        const Statement statement = reader.ReadStatement(limit);
        if ((statement.text.empty() && !statement.isElse) || statement.StartsWith("}")) {
            reader.Restore(before);  // the end of the block: no statement is left to pass over
            return;
        }
        if (statement.StartsWith("if(")) {
            reader.Next();  // its branch comes next
            ++openIfs;
            continue;
        }
        const auto inside = Inside(reader, statement);
        if (inside && !statement.StartsWith("{")) {
            reader.JumpTo(*inside);  // a loop's body, an else's branch
            continue;
        }
        reader.Next();  // a block is read whole
        // That statement ends the innermost open branch. Its if takes an else when one follows
        // (whose branch is passed over next); when none does, no if around it has one left.
        if (openIfs == 0) return;
        --openIfs;
        const StatementSpan after = reader.Span();
        const Statement next = reader.ReadStatement(limit);
        if (!next.isElse) {
            reader.Restore(after);
            return;
        }
        reader.JumpTo(next.elseBranch);
    }
}

}  // namespace orvane::script
