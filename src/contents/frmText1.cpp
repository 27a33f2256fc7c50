// Opening a reference document and laying out its viewer.
#include "contents/frmText1.h"

#include "contents/frmContent.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Pictures.h"
#include "contents/Rtf_reader.h"
#include "platform/File_locations.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

namespace vexo {

namespace {

constexpr int kFile_access_error = 75;
constexpr int kToo_costly = 7;

// Completes "no se puede mostrar porque …".
QString Reason(Rtf_excess excess)
{
    switch (excess) {
    case Rtf_excess::None: break;
    case Rtf_excess::Characters: return QStringLiteral("tiene demasiado texto");
    case Rtf_excess::Tabs: return QStringLiteral("tiene una línea con demasiadas tabulaciones");
    case Rtf_excess::Runs: return QStringLiteral("tiene un párrafo con demasiados cambios de formato");
    case Rtf_excess::Word: return QStringLiteral("tiene una palabra demasiado larga");
    }
    return {};
}

} // namespace

QString Content_folder()
{
    return QDir(platform::Data_folder()).filePath(QStringLiteral("Content/espanol")) + QLatin1Char('/');
}

QString Document_title(const QString& caption)
{
    QString title = caption;
    if (title.startsWith(QLatin1String("- ")))
        title.remove(0, 2);
    if (title.size() > 45)
        title = title.left(42) + QStringLiteral("...");
    return title;
}

void Call_frmText1(QString& Text_directory, QString& Caption_frmText1)
{
    Close_child<frmText1>();
    auto* viewer = new frmText1;
    const int error = viewer->LoadFile(Text_directory);
    if (error == kFile_access_error) {
        delete viewer;
        platform::MsgBox(QStringLiteral("El archivo \"%1\" no se encuentra o no puede ser accesado.").arg(Text_directory),
                         platform::Icon::Critical);
        return;
    }
    if (error == kToo_costly) {
        const QString why = viewer->Not_shown_because;
        delete viewer;
        platform::MsgBox(QStringLiteral("El documento \"%1\" no se puede mostrar porque %2.").arg(Text_directory, why),
                         platform::Icon::Exclamation);
        return;
    }
    if (error != 0) {
        delete viewer;
        Unknown_error(4, static_cast<qint16>(error));
    }
    viewer->setWindowTitle(Document_title(Caption_frmText1));
    Show_child(viewer);
    viewer->Scroll_to_top();
}

void frmText1::Scroll_to_top()
{
    // Placing the window lays the text out again; the reader starts at the top.
    RichTextBox1->verticalScrollBar()->setValue(0);
}

frmText1::frmText1(QWidget* parent)
    : QWidget(parent)
    , RichTextBox1(new QTextEdit(this))
{
    setObjectName(QStringLiteral("frmText1"));
    setWindowIcon(Icon(QStringLiteral(":/icons/contents.svg")));
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    setPalette(Sheet_palette());
    resize(twips(9000), twips(7000));
    Form_Resize();
}

int frmText1::LoadFile(const QString& path)
{
    // 75: the file is not there, is a folder, or cannot be opened for reading.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return kFile_access_error;
    if (info.size() > kMax_document_bytes) {
        Not_shown_because = QStringLiteral("es demasiado grande (%1 MB)").arg(qRound(info.size() / 1048576.0));
        return kToo_costly;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return kFile_access_error;
    const QByteArray data = file.read(kMax_document_bytes + 1);
    if (file.error() != QFileDevice::NoError)
        return kFile_access_error;
    // A fresh document: the viewer opens at its top, cursor and scroll at the start.
    auto* document = new QTextDocument(RichTextBox1);
    // Reading stops at the first shape that would take too long to lay out.
    const Rtf_excess excess = Read_rtf_within(
        data, *document, {kMax_shown_characters, kMax_tabs_in_a_paragraph, kMax_runs_in_a_paragraph, kMax_word});
    if (excess != Rtf_excess::None) {
        Not_shown_because = Reason(excess);
        return kToo_costly;
    }
    RichTextBox1->setDocument(document);
    return 0;
}

void frmText1::resizeEvent(QResizeEvent*)
{
    Form_Resize();
}

void frmText1::Form_Resize()
{
    RichTextBox1->setGeometry(twips(60), 0, std::max(0, width() - twips(60)), height());
    // The text wraps 480 twips short of the box's right edge.
    RichTextBox1->setLineWrapMode(QTextEdit::FixedPixelWidth);
    RichTextBox1->setLineWrapColumnOrWidth(std::max(1, RichTextBox1->width() - twips(480)));
}

} // namespace vexo
