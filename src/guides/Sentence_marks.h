// Bold words inside a guide sentence: the stored text marks each bold run
// with "<b>" before it and "</b>" after it; the page and the printed page
// show those runs bold and the marks themselves never.
#pragma once

#include <QList>
#include <QString>

class QLabel;

namespace vexo {

struct Text_run {
    QString text;
    bool bold = false;
};

// The runs of a sentence in order. A sentence without marks, or whose marks
// do not pair up (a mark inside a run, a run left open, a stray close), is
// one plain run holding the text exactly as stored.
QList<Text_run> Sentence_runs(const QString& sentence);

// Puts a sentence on a text block: as plain text when it has no bold run,
// otherwise as rich text with those runs bold. The block keeps the sentence
// as stored for whoever prints it.
void Set_sentence(QLabel* block, const QString& sentence);
// The sentence a block was given, marks included.
QString Sentence_of(const QLabel* block);

} // namespace vexo
