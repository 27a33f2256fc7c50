// A small RTF reader, one pass over the bytes with an explicit group stack:
// no recursion, every number clamped, every table and the output bounded.
#include "contents/Rtf_reader.h"

#include "platform/Twips.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QSet>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace vexo {

namespace {

// Windows-1252 between 0x80 and 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kCp1252_high[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

QChar From_cp1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(kCp1252_high[byte - 0x80]);
    return QChar(byte);
}

enum class Destination { Text, Font_table, Color_table, Skip };

// What a group carries: character and paragraph properties and where its
// text goes.
struct State {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int half_points = 24;
    int font = -1;
    int color = 0;
    Qt::Alignment align = Qt::AlignLeft;
    int left_indent = 0;  // twips
    int first_indent = 0;
    int right_indent = 0;
    int space_before = 0;
    int space_after = 0;
    int uc = 1;           // fallback characters after a \u
    Destination dest = Destination::Text;

    bool same_characters(const State& o) const
    {
        return bold == o.bold && italic == o.italic && underline == o.underline && half_points == o.half_points
            && font == o.font && color == o.color;
    }
};

// Destinations whose content is not shown.
const QSet<QByteArray>& Skipped_destinations()
{
    static const QSet<QByteArray> words = {
        "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf", "footer",
        "footerl", "footerr", "footerf", "footnote", "fldinst", "listtable", "listoverridetable",
        "rsidtbl", "generator", "xmlnstbl", "themedata", "colorschememapping", "latentstyles",
        "datastore", "revtbl", "filetbl", "pntext", "pntxta", "pntxtb", "bkmkstart", "bkmkend",
        "author", "operator", "title", "subject", "keywords", "comment", "company", "nonshppict",
        "shppict", "shp", "mmathPr", "userprops", "docvar", "template", "xe", "tc", "annotation",
        "atnid", "atnauthor", "pgdsctbl", "fontemb", "fontfile", "falt", "panose", "leveltext",
        "levelnumbers", "wgrffmtfilter",
    };
    return words;
}

// Follows the shape of the text as it is written and tells the first limit
// it passes.
class Excess_counter {
public:
    explicit Excess_counter(const Rtf_limits& limits) : limits_(limits) {}

    void Character(QChar c)
    {
        if (++characters_ > limits_.characters)
            Exceed(Rtf_excess::Characters);
        // A no-break space joins words.
        word_ = c.isSpace() && c != QChar(QChar::Nbsp) ? 0 : word_ + 1;
        if (limits_.word > 0 && word_ > limits_.word)
            Exceed(Rtf_excess::Word);
        if (c == u'\t' && limits_.tabs_in_a_paragraph > 0 && ++tabs_ > limits_.tabs_in_a_paragraph)
            Exceed(Rtf_excess::Tabs);
    }
    void Run()
    {
        if (limits_.runs_in_a_paragraph > 0 && ++runs_ > limits_.runs_in_a_paragraph)
            Exceed(Rtf_excess::Runs);
    }
    void Paragraph()
    {
        // A paragraph's end is a character of the document too: blank
        // paragraphs alone must not carry the text past its limit.
        if (++characters_ > limits_.characters)
            Exceed(Rtf_excess::Characters);
        tabs_ = runs_ = word_ = 0;
    }
    Rtf_excess excess() const { return excess_; }
    bool exceeded() const { return excess_ != Rtf_excess::None; }

private:
    void Exceed(Rtf_excess what)
    {
        if (excess_ == Rtf_excess::None)
            excess_ = what;
    }
    Rtf_limits limits_;
    qsizetype characters_ = 0;
    int tabs_ = 0;
    int runs_ = 0;
    int word_ = 0;
    Rtf_excess excess_ = Rtf_excess::None;
};

class Reader {
public:
    Reader(const QByteArray& data, QTextDocument& document, const Rtf_limits& limits)
        : data_(data)
        , cursor_(&document)
        , counter_(limits)
    {
        stack_.push_back(State{});
        run_state_ = stack_.back();
    }

    void Run();
    Rtf_excess excess() const { return counter_.excess(); }

private:
    State& state() { return stack_.back(); }
    bool full() const { return counter_.exceeded(); }

    void Open_group();
    void Close_group();
    void Control_word(const QByteArray& word, bool has_param, int param);
    void Control_symbol(char symbol);
    void Character(QChar c);          // a character of the document's text
    void Text_character(QChar c);
    void Table_character(QChar c);
    void Paragraph_end();
    void Flush();
    QTextCharFormat Char_format(const State& s) const;
    QTextBlockFormat Block_format(const State& s) const;

    const QByteArray& data_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    std::vector<State> stack_;
    int ignored_depth_ = 0;          // groups opened past kRtf_max_depth
    State run_state_;                // the characters of `run_` look like this
    State paragraph_;                // where the last paragraph's text was written
    QString run_;
    Excess_counter counter_;
    int skip_fallback_ = 0;          // characters still to drop after a \u
    bool cell_ended_ = false;        // a table cell ended: a tab before the next text

    QHash<int, QString> fonts_;
    int table_font_ = -1;
    QString font_name_;
    int default_font_ = -1;
    QList<QColor> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool color_given_ = false;
};

void Reader::Run()
{
    // One edit: the document is laid out once at the end, not after every
    // insert (which makes a long paragraph cost the square of its length).
    cursor_.beginEditBlock();
    const qsizetype size = data_.size();
    while (pos_ < size && !full()) {
        const char c = data_[pos_];
        if (c == '{') {
            ++pos_;
            Open_group();
        } else if (c == '}') {
            ++pos_;
            Close_group();
        } else if (c == '\\') {
            ++pos_;
            if (pos_ >= size)
                break;
            const char next = data_[pos_];
            if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z')) {
                QByteArray word;
                while (pos_ < size) {
                    const char l = data_[pos_];
                    if (!((l >= 'a' && l <= 'z') || (l >= 'A' && l <= 'Z')))
                        break;
                    if (word.size() < 32)
                        word += l;
                    ++pos_;
                }
                bool negative = false;
                bool has_param = false;
                long long value = 0;
                if (pos_ < size && data_[pos_] == '-') {
                    negative = true;
                    ++pos_;
                }
                while (pos_ < size && data_[pos_] >= '0' && data_[pos_] <= '9') {
                    has_param = true;
                    // A parameter beyond any sensible size is held at a bound.
                    value = std::min<long long>(value * 10 + (data_[pos_] - '0'), 1'000'000'000LL);
                    ++pos_;
                }
                if (pos_ < size && data_[pos_] == ' ')
                    ++pos_;
                const int param = static_cast<int>(negative ? -value : value);
                if (word == "bin") {
                    // Binary data: its bytes are not text.
                    pos_ += std::clamp<qsizetype>(param, 0, size - pos_);
                    continue;
                }
                Control_word(word, has_param, param);
            } else {
                ++pos_;
                Control_symbol(next);
            }
        } else {
            ++pos_;
            if (c == '\r' || c == '\n' || c == '\0')
                continue;
            Character(c == '\t' ? QChar(u'\t') : From_cp1252(static_cast<unsigned char>(c)));
        }
    }
    Flush();
    // The last paragraph may end without \par, after its group has closed.
    cursor_.setBlockFormat(Block_format(paragraph_));
    cursor_.endEditBlock();
}

void Reader::Open_group()
{
    skip_fallback_ = 0;
    if (ignored_depth_ > 0 || static_cast<int>(stack_.size()) >= kRtf_max_depth) {
        // Too deep to follow: the group's text is dropped, its braces counted.
        ++ignored_depth_;
        return;
    }
    stack_.push_back(stack_.back());
}

void Reader::Close_group()
{
    skip_fallback_ = 0;
    if (ignored_depth_ > 0) {
        --ignored_depth_;
        return;
    }
    if (state().dest == Destination::Font_table && table_font_ >= 0 && !font_name_.isEmpty()
        && fonts_.size() < kRtf_max_table)
        fonts_.insert(table_font_, font_name_.trimmed());
    font_name_.clear();
    // An unbalanced closing brace leaves the outermost group as it is.
    if (stack_.size() > 1)
        stack_.pop_back();
}

void Reader::Control_word(const QByteArray& word, bool has_param, int param)
{
    if (ignored_depth_ > 0)
        return;
    State& s = state();
    const bool on = !has_param || param != 0;

    // Destinations first: they decide where the group's text goes.
    if (word == "fonttbl") {
        s.dest = Destination::Font_table;
        return;
    }
    if (word == "colortbl") {
        s.dest = Destination::Color_table;
        colors_.clear();
        color_given_ = false;
        red_ = green_ = blue_ = 0;
        return;
    }
    if (Skipped_destinations().contains(word)) {
        s.dest = Destination::Skip;
        return;
    }
    if (s.dest == Destination::Font_table) {
        if (word == "f") {
            table_font_ = param;
            font_name_.clear();
        }
        return;
    }
    if (s.dest == Destination::Color_table) {
        if (word == "red")
            red_ = std::clamp(param, 0, 255), color_given_ = true;
        else if (word == "green")
            green_ = std::clamp(param, 0, 255), color_given_ = true;
        else if (word == "blue")
            blue_ = std::clamp(param, 0, 255), color_given_ = true;
        return;
    }

    if (word == "par" || word == "sect" || word == "page")
        Paragraph_end();
    else if (word == "cell" || word == "nestcell")
        cell_ended_ = s.dest == Destination::Text;
    else if (word == "row" || word == "nestrow")
        Paragraph_end();
    else if (word == "line")
        Character(QChar(QChar::LineSeparator));
    else if (word == "tab")
        Character(QChar(u'\t'));
    else if (word == "emdash")
        Character(QChar(0x2014));
    else if (word == "endash")
        Character(QChar(0x2013));
    else if (word == "bullet")
        Character(QChar(0x2022));
    else if (word == "lquote")
        Character(QChar(0x2018));
    else if (word == "rquote")
        Character(QChar(0x2019));
    else if (word == "ldblquote")
        Character(QChar(0x201C));
    else if (word == "rdblquote")
        Character(QChar(0x201D));
    else if (word == "u") {
        int code = param;
        if (code < 0)
            code += 65536;
        const QChar c = code >= 0 && code <= 0xFFFF ? QChar(static_cast<char16_t>(code)) : QChar(QChar::ReplacementCharacter);
        Character(c);
        skip_fallback_ = s.uc;
    } else if (word == "uc")
        s.uc = std::clamp(param, 0, 10);
    else if (word == "b")
        s.bold = on;
    else if (word == "i")
        s.italic = on;
    else if (word == "ul")
        s.underline = on;
    else if (word == "ulnone")
        s.underline = false;
    else if (word == "fs")
        s.half_points = has_param ? std::clamp(param, 2, 400) : 24;
    else if (word == "f")
        s.font = param;
    else if (word == "deff")
        default_font_ = param;
    else if (word == "cf")
        s.color = std::max(param, 0);
    else if (word == "plain") {
        s.bold = s.italic = s.underline = false;
        s.half_points = 24;
        s.font = default_font_;
        s.color = 0;
    } else if (word == "pard") {
        s.align = Qt::AlignLeft;
        s.left_indent = s.first_indent = s.right_indent = s.space_before = s.space_after = 0;
    } else if (word == "ql")
        s.align = Qt::AlignLeft;
    else if (word == "qr")
        s.align = Qt::AlignRight;
    else if (word == "qc")
        s.align = Qt::AlignHCenter;
    else if (word == "qj")
        s.align = Qt::AlignJustify;
    else if (word == "li")
        s.left_indent = std::clamp(param, -20000, 20000);
    else if (word == "fi")
        s.first_indent = std::clamp(param, -20000, 20000);
    else if (word == "ri")
        s.right_indent = std::clamp(param, -20000, 20000);
    else if (word == "sb")
        s.space_before = std::clamp(param, 0, 20000);
    else if (word == "sa")
        s.space_after = std::clamp(param, 0, 20000);
    // Any other word changes nothing we show.
}

void Reader::Control_symbol(char symbol)
{
    if (ignored_depth_ > 0)
        return;
    switch (symbol) {
    case '*':
        // An optional destination: none of them is shown.
        state().dest = Destination::Skip;
        break;
    case '\'': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < data_.size()) {
            const char h = data_[pos_];
            const int d = (h >= '0' && h <= '9') ? h - '0'
                : (h >= 'a' && h <= 'f')         ? h - 'a' + 10
                : (h >= 'A' && h <= 'F')         ? h - 'A' + 10
                                                 : -1;
            if (d < 0)
                break;
            value = value * 16 + d;
            ++digits;
            ++pos_;
        }
        if (digits > 0)
            Character(From_cp1252(static_cast<unsigned char>(value)));
        break;
    }
    case '~': Character(QChar(QChar::Nbsp)); break;
    case '_': Character(QChar(0x2011)); break;
    case '\\':
    case '{':
    case '}': Character(QChar::fromLatin1(symbol)); break;
    case '\r':
    case '\n': Paragraph_end(); break;
    default: break; // \- optional hyphen and the rest: nothing shown
    }
}

void Reader::Character(QChar c)
{
    if (ignored_depth_ > 0)
        return;
    if (skip_fallback_ > 0) {
        --skip_fallback_;
        return;
    }
    switch (state().dest) {
    case Destination::Text: Text_character(c); break;
    case Destination::Font_table:
    case Destination::Color_table: Table_character(c); break;
    case Destination::Skip: break;
    }
}

void Reader::Table_character(QChar c)
{
    if (state().dest == Destination::Font_table) {
        if (c == u';') {
            if (table_font_ >= 0 && fonts_.size() < kRtf_max_table)
                fonts_.insert(table_font_, font_name_.trimmed());
            font_name_.clear();
        } else if (font_name_.size() < 200) {
            font_name_ += c;
        }
        return;
    }
    if (c == u';') {
        if (colors_.size() < kRtf_max_table)
            colors_ << (color_given_ ? QColor(red_, green_, blue_) : QColor());
        red_ = green_ = blue_ = 0;
        color_given_ = false;
    }
}

void Reader::Text_character(QChar c)
{
    if (cell_ended_) {
        // Cells of a row read as columns: a tab between them, none after the last.
        cell_ended_ = false;
        Text_character(QChar(u'\t'));
        // The tab that passed a limit is the last character read.
        if (full())
            return;
    }
    if (!state().same_characters(run_state_)) {
        Flush();
        run_state_ = state();
    }
    run_ += c;
    paragraph_ = state();
    counter_.Character(c);
}

void Reader::Paragraph_end()
{
    if (state().dest != Destination::Text || full())
        return;
    cell_ended_ = false;
    Flush();
    cursor_.setBlockFormat(Block_format(state()));
    cursor_.insertBlock();
    paragraph_ = state();
    counter_.Paragraph();
}

void Reader::Flush()
{
    if (run_.isEmpty())
        return;
    cursor_.insertText(run_, Char_format(run_state_));
    run_.clear();
    counter_.Run();
}

QTextCharFormat Reader::Char_format(const State& s) const
{
    QTextCharFormat format;
    format.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(s.italic);
    format.setFontUnderline(s.underline);
    format.setFontPointSize(s.half_points / 2.0);
    const int font = s.font >= 0 ? s.font : default_font_;
    if (fonts_.contains(font) && !fonts_.value(font).isEmpty())
        format.setFontFamilies({fonts_.value(font)});
    // Colour 0 and an empty entry are the automatic colour.
    if (s.color > 0 && s.color < colors_.size() && colors_.at(s.color).isValid())
        format.setForeground(colors_.at(s.color));
    return format;
}

QTextBlockFormat Reader::Block_format(const State& s) const
{
    QTextBlockFormat format;
    format.setAlignment(s.align);
    format.setLeftMargin(twips(s.left_indent));
    format.setRightMargin(twips(s.right_indent));
    format.setTextIndent(twips(s.first_indent));
    format.setTopMargin(twips(s.space_before));
    format.setBottomMargin(twips(s.space_after));
    // A hanging indent: the first tab of the first line goes to the indent,
    // where the following lines start (a bullet, then its text).
    if (s.first_indent < 0 && s.left_indent > 0)
        format.setTabPositions({QTextOption::Tab(twips(-s.first_indent), QTextOption::LeftTab)});
    return format;
}

bool Starts_as_rtf(const QByteArray& data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t'))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

} // namespace

bool Read_rtf(const QByteArray& data, QTextDocument& document)
{
    (void)Read_rtf_within(data, document, Rtf_limits{});
    return Starts_as_rtf(data);
}

Rtf_excess Read_rtf_within(const QByteArray& data, QTextDocument& document, const Rtf_limits& limits)
{
    document.clear();
    document.setUndoRedoEnabled(false);
    if (!Starts_as_rtf(data)) {
        const QString text = QString::fromUtf8(data.left(kRtf_max_text));
        Excess_counter counter(limits);
        qsizetype read = 0;
        for (; read < text.size() && !counter.exceeded(); ++read) {
            if (text.at(read) == u'\n')
                counter.Paragraph();
            else
                counter.Character(text.at(read));
        }
        document.setPlainText(text.left(read));
        return counter.excess();
    }
    Reader reader(data, document, limits);
    reader.Run();
    return reader.excess();
}

} // namespace vexo
