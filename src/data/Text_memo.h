// What the data layer keeps per query text while a file is open.
#pragma once

#include <QHash>
#include <QString>

#include <utility>

namespace vexo {

// Keeps `value` for `text` and returns the kept copy. Typed finds make new
// texts without end, so a memo that is full starts over.
template <typename Value>
const Value& Remember_for_text(QHash<QString, Value>& memo, const QString& text, Value value)
{
    constexpr qsizetype kKept_texts = 256;
    if (memo.size() >= kKept_texts)
        memo.clear();
    return *memo.insert(text, std::move(value));
}

} // namespace vexo
