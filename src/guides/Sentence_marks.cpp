// Reading the bold marks of a sentence, and showing them on a text block.
#include "guides/Sentence_marks.h"

#include <QLabel>
#include <QVariant>

namespace vexo {

namespace {

const QString kOpen = QStringLiteral("<b>");
const QString kClose = QStringLiteral("</b>");
const char* const kSentence = "sentence";

} // namespace

QList<Text_run> Sentence_runs(const QString& sentence)
{
    QList<Text_run> runs;
    bool bold = false;
    qsizetype from = 0;
    while (from <= sentence.size()) {
        const QString& mark = bold ? kClose : kOpen;
        const qsizetype at = sentence.indexOf(mark, from);
        // What lies before the next mark must hold no mark of the other kind.
        const QString piece = sentence.mid(from, at < 0 ? -1 : at - from);
        if (piece.contains(bold ? kOpen : kClose))
            return {Text_run{sentence, false}};
        if (!piece.isEmpty())
            runs.append(Text_run{piece, bold});
        if (at < 0)
            break;
        bold = !bold;
        from = at + mark.size();
    }
    if (bold || runs.isEmpty())
        return {Text_run{sentence, false}};
    return runs;
}

void Set_sentence(QLabel* block, const QString& sentence)
{
    const QList<Text_run> runs = Sentence_runs(sentence);
    block->setProperty(kSentence, sentence);
    if (runs.size() == 1 && !runs.first().bold) {
        block->setTextFormat(Qt::PlainText);
        block->setText(runs.first().text);
        return;
    }
    QString html;
    for (const Text_run& run : runs)
        html += run.bold ? kOpen + run.text.toHtmlEscaped() + kClose : run.text.toHtmlEscaped();
    block->setTextFormat(Qt::RichText);
    block->setText(html);
}

QString Sentence_of(const QLabel* block)
{
    const QVariant sentence = block->property(kSentence);
    return sentence.isValid() ? sentence.toString() : block->text();
}

} // namespace vexo
