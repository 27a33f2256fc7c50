// Cells of the rows: how they are made and how a product's marks show.
#include "app/Row_cells.h"

namespace vexo {

QLabel* New_text_label(QWidget* parent, Qt::Alignment align, bool bold)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align);
    label->setWordWrap(true);
    Set_bold(label, bold);
    return label;
}

QLabel* New_cell(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

void Show_marks(QLabel* reaction, QLabel* mark, const Product_marks& marks)
{
    reaction->setText(marks.inhalation ? QStringLiteral("RIT") : QString());
    reaction->setToolTip(marks.inhalation ? QStringLiteral("Substancia tóxica por inhalación") : QString());
    reaction->setVisible(marks.inhalation);
    mark->setText(Mark_text(marks));
    mark->setToolTip(marks.agent            ? QStringLiteral("Agente Químico y/o biológico")
                     : marks.water_reactive ? QStringLiteral("Materiales peligrosos reactivos al agua que producen gases toxicos")
                                            : QString());
    mark->setVisible(!mark->text().isEmpty());
}

} // namespace vexo
