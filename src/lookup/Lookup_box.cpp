// The search box's list: one query of the catalogue per keystroke, the first
// fifteen entries shown, and Enter or a click opening the chosen entry.
#include "lookup/Lookup_box.h"

#include "app/General.h"
#include "data/Database.h"
#include "data/File_memo.h"
#include "data/Queries.h"
#include "data/RecordSet.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

namespace vexo {

namespace {

enum Column { Col_ID, Col_name, Col_guide, Col_RIT, Col_mark, Col_count };

// What must be the same in every entry of an ID for Enter to pick its first
// one without asking: the guide and everything that changes the guide page.
QString Page_key(const RecordSet& rs)
{
    QString key;
    for (const char* field : {"Guide_Number", "PIH", "Water_reactive", "Chemical_Warfare", "Polymerization",
                              "Supp_text"})
        key += rs.Field(QLatin1String(field)).trimmed() + u'\x1f';
    return key;
}

} // namespace

Lookup_box::Lookup_box(QWidget* host)
    : QLineEdit(host)
    , host_(host)
{
    setObjectName(QStringLiteral("txtLookup"));
    setPlaceholderText(QStringLiteral("Número ONU o nombre"));
    setToolTip(QStringLiteral("Número ONU o nombre (Ctrl-L, F3)"));
    // The clear button shows only over typed text; its picture is loaded
    // then, not at start-up.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.isEmpty() && !isClearButtonEnabled())
            setClearButtonEnabled(true);
    });
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);

    connect(this, &QLineEdit::textChanged, this, &Lookup_box::Search);
    connect(this, &QLineEdit::returnPressed, this, &Lookup_box::Accept);
}

void Lookup_box::Search()
{
    entries_.clear();
    matches_ = 0;
    chosen_ = -1;
    alike_ = false;
    const QString typed = text();
    const QString sql = sql::Lookup_SQL(typed);
    if (sql.isEmpty() || !Main_database) {
        Hide_list();
        return;
    }
    QString note;
    try {
        // Through the lookup index when the file has one: the first rows and
        // the count, whatever the number of matches; else every match.
        const QString first =
            Main_database->Memo().Has_lookup_index() ? sql::Lookup_first_SQL(typed, kShown + 1) : QString();
        auto rs = Main_database->OpenRecordset(first.isEmpty() ? sql : first);
        matches_ = first.isEmpty() ? rs->RecordCount()
                                   : Main_database->OpenRecordset(sql::Lookup_count_SQL(typed))
                                         ->Field(QStringLiteral("Matches"))
                                         .toInt();
        const QString id = typed.trimmed();
        QString first_key;
        alike_ = matches_ > 0;
        int read = 0;
        // Only an ID's entries (a few) are compared; a name fails at its first row.
        for (rs->MoveFirst(); !rs->Eof() && (entries_.size() < kShown || alike_); rs->MoveNext()) {
            if (entries_.size() < kShown)
                entries_ << Index_entry_of(*rs);
            ++read;
            if (!alike_)
                continue;
            const QString key = Page_key(*rs);
            if (first_key.isNull())
                first_key = key;
            alike_ = rs->Field(QStringLiteral("ID")) == id && key == first_key;
        }
        // The first rows were alike but more match: they are alike when they
        // are all the entries of the ID and all read alike.
        if (alike_ && read < matches_) {
            auto all = Main_database->OpenRecordset(
                sql::Find_result_SQL(QStringLiteral(" AND ") + sql::Find_ID_term(id), true));
            alike_ = all->RecordCount() == matches_;
            for (all->MoveFirst(); alike_ && !all->Eof(); all->MoveNext())
                alike_ = Page_key(*all) == first_key;
        }
        if (matches_ == 0)
            note = QStringLiteral("Ningún material coincide con el texto");
        else if (matches_ > kShown)
            note = QStringLiteral("… y %1 más: escriba más para acotar la lista").arg(matches_ - kShown);
    } catch (const Db_error& error) {
        entries_.clear();
        matches_ = 0;
        alike_ = false;
        note = QStringLiteral("No se pudo buscar en la base de datos: ") + error.description();
    }
    Show_list(note);
}

// Made when something is first typed: the first screen shows no list.
QTreeWidget* Lookup_box::Matches_list()
{
    if (lstMatches)
        return lstMatches;
    lstMatches = new QTreeWidget(host_);
    lstMatches->setObjectName(QStringLiteral("lstLookup"));
    // The box keeps the keyboard while the list is open: typing goes on
    // refining, and Down/Up/Enter reach the list through the box.
    lstMatches->setFocusPolicy(Qt::NoFocus);
    lstMatches->setColumnCount(Col_count);
    lstMatches->setRootIsDecorated(false);
    lstMatches->setUniformRowHeights(true);
    lstMatches->setHeaderHidden(true);
    lstMatches->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstMatches->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstMatches->header()->setStretchLastSection(false);
    lstMatches->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstMatches->header()->setSectionResizeMode(Col_name, QHeaderView::Stretch);
    connect(lstMatches, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const int index = lstMatches->indexOfTopLevelItem(item);
        if (index >= 0 && index < entries_.size())
            Open_entry(index);
    });
    return lstMatches;
}

void Lookup_box::Show_list(const QString& note)
{
    Matches_list();
    lstMatches->setUpdatesEnabled(false);
    lstMatches->clear();
    // Flagged rows in the colour of the index the list follows.
    const QColor highlight = sql::Lookup_by_number(text()) ? Yellow_highlight : Cyan_highlight;
    QList<QTreeWidgetItem*> items;
    for (const Index_entry& entry : std::as_const(entries_)) {
        auto* item = new QTreeWidgetItem;
        item->setText(Col_ID, entry.id);
        item->setText(Col_name, entry.name);
        item->setText(Col_guide, entry.guide);
        item->setText(Col_RIT, entry.inhalation ? QStringLiteral("RIT") : QString());
        item->setText(Col_mark, entry.agent   ? QStringLiteral("Q/B")
                                : entry.water ? QStringLiteral("MRA")
                                              : QString());
        item->setToolTip(Col_name, entry.name);
        item->setToolTip(Col_guide, entry.title);
        if (entry.inhalation || entry.water || entry.agent)
            for (int c = 0; c < Col_count; ++c)
                item->setBackground(c, highlight);
        items << item;
    }
    if (!note.isEmpty()) {
        auto* item = new QTreeWidgetItem;
        item->setText(Col_ID, note);
        item->setFlags(Qt::NoItemFlags);
        items << item;
    }
    lstMatches->addTopLevelItems(items);
    if (!note.isEmpty())
        items.last()->setFirstColumnSpanned(true);
    lstMatches->setCurrentItem(nullptr);
    lstMatches->clearSelection();
    lstMatches->setUpdatesEnabled(true);
    lstMatches->show();
    lstMatches->raise();
    Place_list();
}

void Lookup_box::Place_list()
{
    const int rows = lstMatches->topLevelItemCount();
    lstMatches->doItemsLayout();
    const int row_height = rows > 0 ? lstMatches->visualItemRect(lstMatches->topLevelItem(0)).height() : 0;
    const int frame = 2 * lstMatches->frameWidth();
    const int width = std::max(this->width(), fontMetrics().horizontalAdvance(QLatin1Char('M')) * 48);
    QPoint below = mapTo(host_, QPoint(0, height()));
    // The list stays inside the window, whichever side of the toolbar the box sits.
    below.setX(std::max(0, std::min(below.x(), host_->width() - width)));
    lstMatches->setGeometry(below.x(), below.y(), width, rows * row_height + frame);
}

void Lookup_box::Hide_list()
{
    if (!lstMatches)
        return;
    lstMatches->hide();
    lstMatches->clear();
}

void Lookup_box::Move_choice(int step)
{
    if (entries_.isEmpty())
        return;
    chosen_ = std::clamp(chosen_ + step, -1, static_cast<int>(entries_.size()) - 1);
    if (chosen_ < 0) {
        lstMatches->setCurrentItem(nullptr);
        lstMatches->clearSelection();
    } else {
        lstMatches->setCurrentItem(lstMatches->topLevelItem(chosen_));
    }
}

void Lookup_box::Accept()
{
    if (chosen_ >= 0)
        Open_entry(chosen_);
    else if (matches_ == 1 || alike_)
        Open_entry(0);
}

void Lookup_box::Open_entry(int index)
{
    if (index < 0 || index >= entries_.size())
        return;
    const Index_entry entry = entries_.at(index);
    Hide_list();
    entries_.clear();
    matches_ = 0;
    chosen_ = -1;
    alike_ = false;
    // The text stays, selected, so the next number typed replaces it.
    selectAll();
    Open_entry_guide(entry);
}

void Lookup_box::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Down: Move_choice(1); return;
    case Qt::Key_Up: Move_choice(-1); return;
    case Qt::Key_Escape: clear(); return;
    default: QLineEdit::keyPressEvent(event);
    }
}

void Lookup_box::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (a menu, a tool tip) takes the focus for a moment: the list stays.
    if (lstMatches && event->reason() != Qt::PopupFocusReason)
        lstMatches->hide();
}

} // namespace vexo
