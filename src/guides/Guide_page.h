// Opening a response guide page: the one routine every window calls, and how
// each sentence code of the page's rows looks on screen.
#pragma once

#include <QColor>
#include <QObject>
#include <QVariant>
#include <QString>

#include <optional>

namespace vexo {

class frmGuidePage;

// Opens the page of a guide code ("128", or "128P" for a material that may
// polymerize, which first shows the warning). Only the first three characters
// choose the page. Set `Product_label` before the call ("" for none). Any
// guide page already shown is replaced. Returns the new page so the caller can
// hand over its distances lookup and print qualifier; nullptr when the
// database holds no page for that number (the user has been told).
frmGuidePage* Open_guide_page(QString guide_code);

// Look of a text block by its sentence code.
struct Sentence_look {
    qint16 align;  // 0 left, 1 right, 2 centre
    QColor back_color;
    QColor fore_color;
    bool bold;
    bool word_wrap;
};

// The look of codes 0, 1, 3, 4 and 6; nullopt for a code that takes no look
// (2 and 5 go to the header, anything else stays an empty block).
std::optional<Sentence_look> Look_of_code(int code);

} // namespace vexo
