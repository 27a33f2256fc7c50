// The table of contents: its entries, their layout and scrolling, the press
// feedback and what each entry opens.
#include "contents/frmContent.h"

#include "app/General.h"
#include "app/Pictures.h"
#include "app/Keyboard.h"
#include "charts/frmPlacard.h"
#include "contents/frmText1.h"
#include "distances/Distances.h"
#include "distances/Large_spills.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vexo {

QPalette Sheet_palette()
{
    // Black on white like a printed page; the scroll bar keeps the system's
    // colours, which a palette built from two colours alone would darken.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    return palette;
}


namespace {

// One scroll unit moves the entries 27 twips.
constexpr double kScroll_unit = 27;

std::optional<Section> Section_of(Entry_action action)
{
    switch (action) {
    case Entry_action::Index_by_number: return Section::Index_by_number;
    case Entry_action::Index_by_name: return Section::Index_by_name;
    case Entry_action::Water_list: return Section::Water_list;
    case Entry_action::Guides: return Section::Guides;
    case Entry_action::Distances_table: return Section::Distances_table;
    default: return std::nullopt;
    }
}

void Fit_height(QLabel* label)
{
    label->resize(label->width(), label->heightForWidth(label->width()));
}

} // namespace

const std::array<Content_entry, kContent_entries>& Content_entries()
{
    using A = Entry_action;
    static const std::array<Content_entry, kContent_entries> entries{{
        {"RECURSOS", A::Heading, ""},
        {"Guía del usuario de la TAV2000", A::Document, "User.rtf"},
        {"Números de teléfono de respuesta de emergencia", A::Document, "Emergency.rtf"},
        {"Ropa de protección personal", A::Document, "Clothing.rtf"},
        {"Uso criminal/terrorista de químicos/agentes biológicos", A::Document, "Criminal.rtf"},
        {"Glosario", A::Document, "Glossary.rtf"},
        {"Información acerca de la tabla de distancias de aislamiento inicial y acción protectora", A::Document,
         "background.rtf"},
        {"Datos de publicación", A::Document, "Publication.rtf"},
        {"IDENTIFICACION", A::Heading, ""},
        {"Como usar esta guía durante un incidente que involucra materiales peligrosos", A::Document, "Guidebook.rtf"},
        {"Sistema de clasificación de riesgo", A::Document, "Hazard.rtf"},
        {"Documentos de embarque", A::Document, "Shipping.rtf"},
        {"Tabla de identificación de carros tanque", A::Rail_cars, ""},
        {"Tabla de identificación de remolques", A::Road_trailers, ""},
        {"Códigos de identificación de peligro colocados en algunos contenedores intermodales.", A::Document,
         "Intermodal.rtf"},
        {"Tabla de carteles y guías de respuesta inicial para usarse en el lugar", A::Placards, ""},
        {"- Introducción", A::Document, "Intro_placard.rtf"},
        {"Número de Identificación", A::Index_by_number, ""},
        {"Nombre del Material", A::Index_by_name, ""},
        {"Lista de materiales peligrosos reactivos al agua que producen gases toxicos", A::Water_list, ""},
        {"ACCIONES", A::Heading, ""},
        {"Precauciones de seguridad", A::Document, "safety.rtf"},
        {"Acciones de protección", A::Document, "protective.rtf"},
        {"Factores de decisión de acción protectora a considerar", A::Document, "factors.rtf"},
        {"A quien llamar por ayuda", A::Document, "assistance.rtf"},
        {"Control de incendios y derrames", A::Document, "Control.rtf"},
        {"Número de guía", A::Guides, ""},
        {"Tabla de distancias de aislamiento inicial y acción protectora", A::Distances_table, ""},
        {"- Introducción", A::Document, "intro_TIIPAD.rtf"},
        {"- Como usar la tabla", A::Document, "Use_TIIPAD.rtf"},
        {"Tabla 3", A::Table3, ""},
    }};
    return entries;
}

bool Entry_available(Entry_action action, const QList<Section>& built)
{
    if (action == Entry_action::Table3)
        return Large_spills_present();
    const std::optional<Section> section = Section_of(action);
    return !section || built.contains(*section);
}

frmContent::frmContent(QWidget* parent)
    : QWidget(parent)
    , frmData(new QFrame(this))
    , vsData(new QScrollBar(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("frmContent"));
    setWindowIcon(Icon(QStringLiteral(":/icons/contents.svg")));
    setAutoFillBackground(true);
    setPalette(Sheet_palette());
    frmData->setObjectName(QStringLiteral("frmData"));
    vsData->setObjectName(QStringLiteral("vsData"));
    frmData->hide();

    // The titles scroll with the entries, so they live in the same frame.
    for (int i = 0; i < 2; ++i) {
        auto* title = new QLabel(frmData);
        title->setObjectName(QStringLiteral("lblTitle_%1").arg(i));
        title->setWordWrap(true);
        title->setAlignment(Qt::AlignHCenter);
        QFont font = title->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * (i == 0 ? 1.5 : 1.25));
        title->setFont(font);
        lblTitle[i] = title;
    }
    const auto& entries = Content_entries();
    for (int i = 0; i < kContent_entries; ++i) {
        auto* entry = new QLabel(frmData);
        entry->setObjectName(QStringLiteral("lblTextLabel_%1").arg(i));
        entry->setWordWrap(true);
        entry->setAutoFillBackground(true);
        entry->setContentsMargins(twips(60), twips(30), twips(60), twips(30));
        const bool heading = entries[i].action == Entry_action::Heading;
        if (heading) {
            QFont font = entry->font();
            font.setBold(true);
            entry->setFont(font);
        } else {
            entry->setCursor(Qt::PointingHandCursor);
            if (QString::fromUtf8(entries[i].caption).startsWith(QLatin1String("- ")))
                entry->setIndent(twips(360));
        }
        // Table 3 is not greyed but left out over a database without it.
        if (entries[i].action == Entry_action::Table3)
            entry->setVisible(Entry_available(entries[i].action, {}));
        entry->installEventFilter(this);
        if (!heading)
            Press_with_keys(entry, [this, i] { lblTextLabel_Click(i); });
        lblTextLabel[i] = entry;
    }
    connect(vsData, &QScrollBar::valueChanged, this, &frmContent::vsData_Change);
    Page_with_keys(this, vsData);

    Enable_entries({});
    Insert_Language_text();
    resize(twips(7200), twips(7800));
    Form_Resize();
    frmData->show();
}

void frmContent::Enable_entries(const QList<Section>& built)
{
    // A section whose window is not part of the program yet stays greyed.
    built_ = built;
    const auto& entries = Content_entries();
    for (int i = 0; i < kContent_entries; ++i)
        lblTextLabel[i]->setEnabled(Entry_available(entries[i].action, built));
}

void frmContent::Insert_Language_text()
{
    setWindowTitle(QStringLiteral("Tabla de Contenido"));
    lblTitle[0]->setText(QStringLiteral("GUÍA DE RESPUESTA EN CASO DE EMERGENCIA 2024 (GRE2024)"));
    lblTitle[1]->setText(QStringLiteral("TABLA DE CONTENIDO"));
    const auto& entries = Content_entries();
    for (int i = 0; i < kContent_entries; ++i)
        lblTextLabel[i]->setText(QString::fromUtf8(entries[i].caption));
}

void frmContent::resizeEvent(QResizeEvent*)
{
    Form_Resize();
}

void frmContent::Form_Resize()
{
    const int inner_width = width();
    const int inner_height = height();
    vsData->setGeometry(inner_width - vsData->sizeHint().width(), 0, vsData->sizeHint().width(), inner_height);
    const int data_width = std::max(twips(600), vsData->x() - 2 * twips(120));

    lblTitle[0]->setGeometry(0, twips(120), data_width, 0);
    Fit_height(lblTitle[0]);
    lblTitle[1]->setGeometry(0, lblTitle[0]->y() + lblTitle[0]->height(), data_width, 0);
    Fit_height(lblTitle[1]);

    int top = lblTitle[1]->y() + lblTitle[1]->height() + twips(240);
    for (QLabel* entry : lblTextLabel) {
        // A left-out entry takes no room.
        entry->setGeometry(0, top, data_width, 0);
        if (entry->isHidden())
            continue;
        Fit_height(entry);
        top += entry->height();
    }
    const int data_height = top;
    frmData->setGeometry(twips(120), frmData->y(), data_width, data_height);

    const bool scrolls = data_height + twips(120) > inner_height;
    vsData->setVisible(scrolls);
    if (scrolls) {
        const int maximum = static_cast<int>(std::lround(to_twips(data_height - inner_height + twips(120)) / kScroll_unit));
        vsData->setMaximum(maximum);
        vsData->setPageStep(static_cast<int>(std::lround((vsData->maximum() - vsData->minimum()) / 3.0)));
        vsData->setSingleStep(std::max(1, twips(240) / std::max(1, twips(kScroll_unit))));
        vsData_Change(vsData->value());
    } else {
        vsData->setValue(0);
        vsData_Change(0);
    }
}

void frmContent::vsData_Change(int value)
{
    frmData->move(frmData->x(), -twips(kScroll_unit * value));
}

bool frmContent::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = std::find(lblTextLabel.begin(), lblTextLabel.end(), watched);
    if (found == lblTextLabel.end())
        return QWidget::eventFilter(watched, event);
    const int index = static_cast<int>(found - lblTextLabel.begin());
    auto* label = *found;
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lblTextLabel_MouseDown(index);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lblTextLabel_MouseUp(index);
        // A click is a release over the entry that was pressed.
        if (label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            lblTextLabel_Click(index);
        return true;
    }
    if (event->type() == QEvent::Wheel) {
        vsData->event(event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmContent::lblTextLabel_MouseDown(int Index)
{
    if (Content_entries()[Index].action == Entry_action::Heading)
        return;
    QLabel* entry = lblTextLabel[Index];
    pressed_fore_ = entry->palette().color(QPalette::WindowText);
    pressed_back_ = entry->palette().color(QPalette::Window);
    QPalette pressed = entry->palette();
    pressed.setColor(QPalette::WindowText, Qt::white);
    pressed.setColor(QPalette::Window, Qt::black);
    entry->setPalette(pressed);
}

void frmContent::lblTextLabel_MouseUp(int Index)
{
    if (Content_entries()[Index].action == Entry_action::Heading)
        return;
    QLabel* entry = lblTextLabel[Index];
    QPalette restored = entry->palette();
    restored.setColor(QPalette::WindowText, pressed_fore_);
    restored.setColor(QPalette::Window, pressed_back_);
    entry->setPalette(restored);
}

void frmContent::lblTextLabel_Click(int Index)
{
    if (Index < 0 || Index >= kContent_entries)
        return;
    const Content_entry& entry = Content_entries()[Index];
    switch (entry.action) {
    case Entry_action::Heading: return;
    case Entry_action::Document: {
        QString path = Content_folder() + QLatin1String(entry.file);
        QString caption = QString::fromUtf8(entry.caption);
        Call_frmText1(path, caption);
        return;
    }
    case Entry_action::Rail_cars: Load_rail_cars(); return;
    case Entry_action::Road_trailers: Load_road_trailers(); return;
    case Entry_action::Placards: Load_placards(); return;
    case Entry_action::Table3: Open_table3(QString()); return;
    default:
        // The same opening as the main window's command for that section.
        if (Entry_available(entry.action, built_))
            Q_EMIT Section_requested(*Section_of(entry.action));
        return;
    }
}

} // namespace vexo
