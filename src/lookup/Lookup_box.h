// The toolbar's search box: an ID number or words of a name, the matching
// index entries listed under it as the user types, and the guide page of the
// entry the user picks, opened as the index pages' guide button opens it.
#pragma once

#include "lookup/frmPages.h"

#include <QLineEdit>
#include <QList>

class QTreeWidget;
class QTreeWidgetItem;

namespace vexo {

class Lookup_box : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kShown = 15;

    // `host` is the window the list drops down over.
    explicit Lookup_box(QWidget* host);

    // Fills the list from the typed text; empty text hides it.
    void Search();
    // Enter: the entry the user moved to; else the only entry; else, for a
    // complete ID whose entries read alike, its first one; else nothing.
    void Accept();
    // Down (+1) and Up (-1) through the listed entries; above the first,
    // none is chosen.
    void Move_choice(int step);
    // Opens the guide page of listed entry `index` and closes the list.
    void Open_entry(int index);

    const QList<Index_entry>& Entries() const { return entries_; }
    int Matches() const { return matches_; }
    int Chosen() const { return chosen_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QTreeWidget* Matches_list();
    void Show_list(const QString& note);
    void Hide_list();
    void Place_list();

    QTreeWidget* lstMatches = nullptr; // the drop-down list, "lstLookup" on the host, made when first shown
    QWidget* host_;
    QList<Index_entry> entries_;
    int matches_ = 0;
    int chosen_ = -1;
    bool alike_ = false; // the text is an ID whose entries all read alike
};

} // namespace vexo
