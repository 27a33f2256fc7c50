// Find dialog: the criteria, how typing ticks them, composing the search and
// showing its result on the index pages.
#include "lookup/frmFind.h"

#include "app/Child_windows.h"
#include "app/Counted_later.h"
#include "app/General.h"
#include "app/Row_cells.h"
#include "data/Database.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "data/RecordSet_query.h"
#include "lookup/frmPages.h"
#include "platform/Busy_pointer.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <utility>

namespace vexo {

namespace {

QPointer<frmFind> The_dialog;

const QString kNo_match = QStringLiteral("Nada similar encontrado");

// The guide numbers the index entries refer to; the first edition's 112 to
// 172 when the index cannot tell.
std::pair<int, int> Guide_range()
{
    std::pair<int, int> range{112, 172};
    try {
        const auto rows = Main_database->OpenRecordset(sql::Index_guide_range_SQL());
        if (rows->Empty())
            return range;
        rows->MoveFirst();
        bool first_ok = false;
        bool last_ok = false;
        const int first = rows->Field(QStringLiteral("First_guide")).toInt(&first_ok);
        const int last = rows->Field(QStringLiteral("Last_guide")).toInt(&last_ok);
        if (first_ok && last_ok && first <= last)
            range = {first, last};
    } catch (const Db_error&) {
    }
    return range;
}

QString Range_message(const std::pair<int, int>& range)
{
    return QStringLiteral("Las entradas de las páginas de Guía válidas son de la %1 a la %2.")
        .arg(range.first)
        .arg(range.second);
}

bool Is_enter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// A key that types something, as opposed to one that moves the focus.
bool Is_typing(const QKeyEvent* key)
{
    return !key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab
        && key->key() != Qt::Key_Escape;
}

// Digits only: an empty box or "----" stands for no number.
bool Is_numeric(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

void Find_in_index()
{
    frmPages* pages = Find_child<frmPages>();
    QMdiSubWindow* active = Work_area() ? Work_area()->activeSubWindow() : nullptr;
    if (Pages_inactive && pages)
        Work_area()->setActiveSubWindow(Child_frame<frmPages>());
    else if (!pages || !active || active->widget() != pages)
        Open_index_by_number();
    Open_find();
}

frmFind* Open_find()
{
    if (!The_dialog) {
        The_dialog = new frmFind(Main_window());
        The_dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    The_dialog->show();
    The_dialog->raise();
    The_dialog->activateWindow();
    return The_dialog;
}

frmFind::frmFind(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    // The main window finds its children by name.
    setObjectName(QStringLiteral("frmFind"));
    Build_controls();
    Insert_Text_Language();
    // The count keeps the room of its longest text from the start, so that
    // neither the dialog nor its buttons move under the pointer when it changes.
    lblNbrMatch->setMinimumWidth(lblNbrMatch->fontMetrics().horizontalAdvance(kNo_match));
    for (int i = 0; i < kID_boxes; ++i)
        txtFindID[i]->setText(Find_saved_IDs[static_cast<size_t>(i)]);
    txtFindMat->setText(Find_saved_name);
    cboMatch->addItems({QStringLiteral("que contiene"), QStringLiteral("que es"), QStringLiteral("que empieza con")});
    cboMatch->setCurrentIndex(std::clamp<int>(Find_saved_match, 0, 2));
    txtFindGuide->setText(Find_saved_guide);
    if (const frmPages* pages = Find_child<frmPages>()) {
        if (pages->optBlue->isChecked())
            Find_saved_order = 1;
        else if (pages->optYellow->isChecked())
            Find_saved_order = 0;
    }
    cboOrder->addItems({QStringLiteral("ID Number"), QStringLiteral("Nombre del Material")});
    cboOrder->setCurrentIndex(std::clamp<int>(Find_saved_order, 0, 1));
}

frmFind::~frmFind()
{
    for (int i = 0; i < kID_boxes; ++i)
        Find_saved_IDs[static_cast<size_t>(i)] = txtFindID[i]->text();
    Find_saved_name = txtFindMat->text();
    Find_saved_guide = txtFindGuide->text();
    Find_saved_match = static_cast<qint16>(cboMatch->currentIndex());
    Find_saved_order = static_cast<qint16>(cboOrder->currentIndex());
}

void frmFind::Insert_Text_Language()
{
    setWindowTitle(QStringLiteral("Buscar"));
    cmdClear->setText(QStringLiteral("Despejar"));
    cmdClose->setText(QStringLiteral("Cerrar"));
    cmdFindIt->setText(QStringLiteral("Buscar"));
    frmFindGuide->setTitle(QStringLiteral("Buscar todos los materiales que se refieren a una guía específica"));
    frmFindID->setTitle(QStringLiteral("Buscar por # de Id: "));
    frmFindMat->setTitle(QStringLiteral("Buscar el Nombre del material"));
    lblFindMat->setText(QStringLiteral("Nombre"));
    lblGuide->setText(QStringLiteral("Número de Guía"));
    frmOrder->setTitle(QStringLiteral("Por orden"));
}

frmPages* frmFind::Pages()
{
    if (frmPages* pages = Find_child<frmPages>())
        return pages;
    Open_index_by_number();
    raise();
    return Find_child<frmPages>();
}

void frmFind::Initialize_data(bool is_yellow_order)
{
    frmPages* pages = Pages();
    if (!pages || !Index_records)
        return;
    Index_records->MoveFirst();
    Index_first_bookmark = Index_records->bookmark();
    if (is_yellow_order)
        pages->Put_yellow_order();
    else
        pages->Put_blue_order();
    pages->vscData->blockSignals(true);
    Scroll_when_counted(pages->vscData, frmPages::kRows, pages->frmData, Index_records);
    pages->vscData->setValue(0);
    pages->vscData->blockSignals(false);
    Index_records->MoveFirst();
    pages->put_data(*Index_records);
    pages->Control_button();
}

void frmFind::Find_number_match()
{
    const auto show = [this] {
        const int count = Index_records ? Index_records->RecordCount() : 0;
        const QString text = count == 0 ? kNo_match : Similar_count_text(count, false);
        lblNbrMatch->setText(text);
        if (frmPages* pages = Find_child<frmPages>())
            pages->lblNbrMatch->setText(text);
    };
    // Blank until counted: the pages may show the first matches before.
    lblNbrMatch->clear();
    frmPages* pages = Find_child<frmPages>();
    if (pages)
        pages->lblNbrMatch->clear();
    When_counted(pages ? pages->frmData : static_cast<QWidget*>(this), Index_records, show);
}

void frmFind::cmdFindIt_Click()
{
    platform::Busy_pointer busy(nullptr, Qt::WaitCursor);
    bool ready = false;
    if (chkGuide->isChecked()) {
        bool number = false;
        int guide = txtFindGuide->text().trimmed().toInt(&number);
        if (!number)
            guide = 0;
        // Any guide the index refers to can be searched, a newer book's too.
        const std::pair<int, int> range = Guide_range();
        if (guide >= range.first && guide <= range.second)
            ready = true;
        else if (txtFindGuide->text() == QLatin1String("111"))
            platform::MsgBox(QStringLiteral("La guía 111 solo se utiliza para cargas mixtas y cargas no "
                                            "identificadas.  No hay materiales que se refieran a esta guía.")
                                 + QStringLiteral(" ") + Range_message(range),
                             platform::Icon::None);
        else
            platform::MsgBox(Range_message(range), platform::Icon::None);
    }
    if (chkMaterial->isChecked()) {
        if (txtFindMat->text().isEmpty())
            chkMaterial->setChecked(false);
        else
            ready = true;
    }
    if (chkID->isChecked() || ready)
        Find_Guide_with_sql();
}

void frmFind::Find_Guide_with_sql()
{
    QString name_term;
    bool contains = false;
    if (chkMaterial->isChecked()) {
        const QString typed = txtFindMat->text();
        switch (cboMatch->currentIndex()) {
        case 1: name_term = sql::Find_is_term(typed); break;
        case 2: name_term = sql::Find_starts_term(typed); break;
        default:
            name_term = sql::Find_contains_term(typed);
            contains = true;
            break;
        }
    }
    QStringList id_terms;
    if (chkID->isChecked()) {
        for (QLineEdit* box : txtFindID)
            if (Is_numeric(box->text()))
                id_terms << sql::Find_ID_term(box->text());
        if (id_terms.isEmpty())
            chkID->setChecked(false);
    }
    const QString or_ = QStringLiteral(" OR ");
    QString filter;
    if (chkGuide->isChecked()) {
        filter = QStringLiteral(" AND (") + sql::Find_guide_term(txtFindGuide->text()) + u')';
    } else if (chkMaterial->isChecked() && chkID->isChecked()) {
        filter = QStringLiteral(" AND (") + name_term + or_ + id_terms.join(or_) + u')';
    } else if (chkMaterial->isChecked()) {
        filter = QStringLiteral(" AND (") + name_term + u')';
    } else if (chkID->isChecked()) {
        filter = QStringLiteral(" AND (") + id_terms.join(or_) + u')';
    } else if (const frmPages* pages = Find_child<frmPages>()) {
        if (pages->optBlue->isChecked())
            cboOrder->setCurrentIndex(1);
        else if (pages->optYellow->isChecked())
            cboOrder->setCurrentIndex(0);
    }

    const bool by_number = cboOrder->currentIndex() == 0;
    const bool searching = chkGuide->isChecked() || chkMaterial->isChecked() || chkID->isChecked();
    // Index pages opened now compose their own index into the same globals,
    // so they are opened before the search is composed.
    frmPages* pages = searching ? Pages() : nullptr;
    Index_SQL = sql::Find_result_SQL(filter, by_number);
    Index_highlight = by_number ? Yellow_highlight : Cyan_highlight;
    if (!searching)
        return;  // nothing to search: the whole index is composed, not opened

    try {
        // A name alone, contained: counted from the lookup index where the
        // file has one, so only the rows of the page are read.
        const QString through_index = contains && !chkID->isChecked() && !chkGuide->isChecked()
                                        ? window_sql::Find_through_lookup_index(*Main_database, filter,
                                                                                 txtFindMat->text(), by_number)
                                        : QString();
        Index_records = Main_database->OpenRecordset(through_index.isEmpty() ? Index_SQL : through_index);
    } catch (const Db_error&) {
        Index_records.reset();
        if (pages)
            pages->Show_no_result();
        platform::MsgBox(QStringLiteral("No se pudo realizar la búsqueda en la base de datos."),
                         platform::Icon::Exclamation);
        Find_number_match();
        return;
    }
    if (Index_records->Empty()) {
        platform::Beep();
        if (pages)
            pages->Show_no_result();
    } else {
        Initialize_data(Index_highlight == Yellow_highlight);
    }
    Find_number_match();
}

void frmFind::cmdClear_Click()
{
    for (QCheckBox* box : {chkID, chkMaterial, chkGuide})
        box->setChecked(false);
    for (QLineEdit* box : txtFindID)
        box->clear();
    txtFindMat->clear();
    txtFindGuide->clear();
    cboMatch->setCurrentIndex(0);
    if (const frmPages* pages = Find_child<frmPages>()) {
        if (pages->optBlue->isChecked())
            cboOrder->setCurrentIndex(1);
        else if (pages->optYellow->isChecked())
            cboOrder->setCurrentIndex(0);
    }
    txtFindID[0]->setFocus();
    Find_Guide_with_sql();
}

void frmFind::cmdClose_Click()
{
    close();
}

bool frmFind::eventFilter(QObject* watched, QEvent* event)
{
    // A click into a box of the dialog while another window is active: the
    // activation that follows leaves the caret where the user clicked.
    if (event->type() == QEvent::MouseButtonPress && QApplication::activeWindow() != this)
        clicked_box_ = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!Is_typing(key))
        return false;
    for (int i = 0; i < kID_boxes; ++i)
        if (watched == txtFindID[i])
            return ID_box_key(i, key);
    if (watched == txtFindMat || watched == txtFindGuide) {
        auto* box = static_cast<QLineEdit*>(watched);
        if (box == txtFindMat) {
            chkMaterial->setChecked(true);
        } else {
            chkID->setChecked(false);
            chkMaterial->setChecked(false);
            chkGuide->setChecked(true);
        }
        if (box == txtFindMat)
            chkGuide->setChecked(false);
        if (Is_enter(key) && !box->text().isEmpty()) {
            cmdFindIt_Click();
            return true;
        }
    }
    return false;
}

bool frmFind::ID_box_key(int index, QKeyEvent* key)
{
    chkID->setChecked(true);
    chkGuide->setChecked(false);
    if (Is_enter(key)) {
        cmdFindIt_Click();
        return true;
    }
    QLineEdit* box = txtFindID[index];
    if (key->key() == Qt::Key_Backspace || index == kID_boxes - 1 || box->text().size() != box->maxLength() - 1)
        return false;
    // The key that completes the number goes into this box, then the
    // focus moves on to the next one.
    static_cast<QObject*>(box)->event(key);
    txtFindID[index + 1]->setFocus();
    return true;
}

void frmFind::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The dialog's own activation, not its owner's (a tool window may share
    // the main window's).
    if (event->type() == QEvent::ActivationChange && QApplication::activeWindow() == this)
        Form_Activate();
}

void frmFind::Form_Activate()
{
    if (const QPointer<QWidget> clicked = std::exchange(clicked_box_, nullptr)) {
        clicked->setFocus(Qt::MouseFocusReason);
        return;
    }
    if (Index_highlight == Yellow_highlight)
        txtFindID[0]->setFocus();
    else
        txtFindMat->setFocus();
}

} // namespace vexo
