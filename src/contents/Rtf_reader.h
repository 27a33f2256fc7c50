// Our reader for the rich text the reference documents are written in: the
// common subset of RTF (groups, font and colour tables, bold, italic,
// underline, sizes, alignment, paragraphs, tabs, code-page and Unicode
// characters) into a QTextDocument. Any input is safe: a malformed or hostile
// file gives some text, never a crash, a hang or runaway memory.
#pragma once

#include <QByteArray>

class QTextDocument;

namespace vexo {

// Limits that keep a hostile file harmless; past them the rest is dropped.
constexpr int kRtf_max_depth = 200;             // nested groups read
constexpr qsizetype kRtf_max_text = 4'000'000;  // characters put in the document
constexpr int kRtf_max_table = 1000;            // entries of the font and colour tables

// Fills `document` from `data`. A text that does not start with "{\rtf" is
// shown as plain text (the viewer's fallback); returns whether it was RTF.
bool Read_rtf(const QByteArray& data, QTextDocument& document);

// Shapes of text whose layout grows fast with their size: a reader given
// limits stops at the first one passed, before the cost is paid.
struct Rtf_limits {
    qsizetype characters = kRtf_max_text;
    int tabs_in_a_paragraph = 0;  // 0: no limit, here and below
    int runs_in_a_paragraph = 0;  // changes of character format
    int word = 0;                 // characters without a place to break the line
};
enum class Rtf_excess { None, Characters, Tabs, Runs, Word };

// Read_rtf within `limits`: which one the text passed, if any (the document
// then holds only the text read up to it).
Rtf_excess Read_rtf_within(const QByteArray& data, QTextDocument& document, const Rtf_limits& limits);

} // namespace vexo
