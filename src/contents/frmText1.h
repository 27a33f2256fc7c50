// The document viewer: one reference document of the content folder, read
// from its RTF file and shown read-only, filling the window.
#pragma once

#include <QString>
#include <QWidget>

class QTextEdit;

namespace vexo {

// The folder of the reference documents, beside the program.
QString Content_folder();

// Opens the document at `Text_directory` in a new viewer titled after
// `Caption_frmText1` (a leading "- " dropped, cut to 45 characters), closing
// the viewer shown. A missing or unreadable file, or one that would take too
// long to show, is reported and no viewer stays open; any other failure is
// fatal.
void Call_frmText1(QString& Text_directory, QString& Caption_frmText1);

// The viewer's title for a contents caption.
QString Document_title(const QString& caption);

// What the viewer lays out in about two seconds at most on a modest machine;
// a document past any of these is refused before it is laid out.
constexpr qint64 kMax_document_bytes = 16 * 1024 * 1024;  // the file
constexpr qsizetype kMax_shown_characters = 2'000'000;    // its text
constexpr int kMax_tabs_in_a_paragraph = 1000;
constexpr int kMax_runs_in_a_paragraph = 2000;             // changes of character format
constexpr int kMax_word = 5000;                            // characters without a place to break

class frmText1 : public QWidget {
    Q_OBJECT
public:
    explicit frmText1(QWidget* parent = nullptr);

    // Reads the file into the text box; 0, or the error number: 75 when the
    // file is missing or cannot be read, 7 when it is too costly to show
    // (`Not_shown_because` says why).
    int LoadFile(const QString& path);
    QString Not_shown_because;
    void Scroll_to_top();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTextEdit* RichTextBox1;  // named "RichTextBox1"
    void Form_Resize();
};

} // namespace vexo
