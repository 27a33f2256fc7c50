// Any bytes as a reference document: no crash, no undefined behaviour, never
// more text than the file holds, and a reader given limits stops at them.
#include "contents/Rtf_reader.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

using namespace vexo;

namespace {

// The longest run of tabs in a paragraph, and of characters without a break.
std::pair<int, int> Widest_paragraph(const QTextDocument& document)
{
    int tabs = 0;
    int word = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        tabs = std::max<int>(tabs, block.text().count(u'\t'));
        int run = 0;
        for (const QChar c : block.text()) {
            run = c.isSpace() && c != QChar(QChar::Nbsp) ? 0 : run + 1;
            word = std::max(word, run);
        }
    }
    return {tabs, word};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    Read_rtf(bytes, document);
    if (document.characterCount() > bytes.size() + 2)
        std::abort();

    const Rtf_limits limits{200, 4, 6, 12};
    QTextDocument limited;
    const Rtf_excess excess = Read_rtf_within(bytes, limited, limits);
    const auto [tabs, word] = Widest_paragraph(limited);
    // The character that passes a limit is the last one read.
    if (limited.characterCount() > limits.characters + 3 || tabs > limits.tabs_in_a_paragraph + 1
        || word > limits.word + 1)
        std::abort();
    if (excess == Rtf_excess::None && (tabs > limits.tabs_in_a_paragraph || word > limits.word))
        std::abort();
    return 0;
}
