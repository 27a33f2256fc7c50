// The table of contents: the guidebook's sections under three headings. An
// entry opens its reference document in the viewer, or the program's own
// window for that section.
#pragma once

#include "app/Section.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QPalette>
#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QScrollBar;

namespace vexo {

// What an entry does when clicked.
enum class Entry_action {
    Heading,          // nothing
    Document,         // the entry's file in the document viewer
    Rail_cars,        // Load_rail_cars
    Road_trailers,    // Load_road_trailers
    Placards,         // Load_placards
    Index_by_number,  // the index pages by ID number
    Index_by_name,    // the index pages by name
    Water_list,       // the water-reactive list
    Guides,           // the guide chooser
    Distances_table,  // the table of distances
    Table3,           // the large spills by container, when the database has them
};

struct Content_entry {
    const char* caption;
    Entry_action action;
    const char* file; // the document's file name in the content folder, or ""
};

constexpr int kContent_entries = 31;
const std::array<Content_entry, kContent_entries>& Content_entries();

// Whether the window behind an entry is part of the program: the index
// pages, the water list, the guide chooser and the distances table open
// through the main window's sections and are available when it has them
// (`built`); Table 3 is available when the database has it.
bool Entry_available(Entry_action action, const QList<Section>& built);

class frmContent : public QWidget {
    Q_OBJECT
public:
    // The load: captions, layout, entries enabled by what they can open.
    explicit frmContent(QWidget* parent = nullptr);
    // The entries that open a section are enabled when the main window has it.
    void Enable_entries(const QList<Section>& built);

    void Insert_Language_text();
    // Performs the entry's action (nothing for the headings).
    void lblTextLabel_Click(int Index);

Q_SIGNALS:
    // An entry asks for one of the main window's sections.
    void Section_requested(Section section);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Named as here; title i "lblTitle_i", entry i "lblTextLabel_i".
    std::array<QLabel*, 2> lblTitle{};
    QFrame* frmData;
    std::array<QLabel*, kContent_entries> lblTextLabel{};
    QScrollBar* vsData;

    void Form_Resize();
    void vsData_Change(int value);
    void lblTextLabel_MouseDown(int Index);
    void lblTextLabel_MouseUp(int Index);

    QList<Section> built_; // the main window's sections that have a window
    // Colours of the entry being pressed, given back on release.
    QColor pressed_fore_;
    QColor pressed_back_;
};

// The white sheet of the contents and the documents.
QPalette Sheet_palette();

} // namespace vexo
