// The synthetic guidebook: invented rows shaped like the book's. What the
// queries depend on is kept true: about two names per identification number,
// every guide has one title, index entries spread unevenly over the guides,
// toxic-by-inhalation entries have their distance rows under the very name
// the program composes, water-reactive entries are listed in Water with
// gases that are index entries themselves, and names carry accents,
// apostrophes and double quotes.
#include "Synthetic.h"

#include "data/Database.h"
#include "data/Database_builder.h"
#include "data/Jet_dialect.h"
#include "data/Schema.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace vexo::bench {

namespace {

// Our own generator, so the same scale gives the same file with any
// standard library (std:: distributions are not portable).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    bool Percent(int p) { return Below(100) < p; }
    template <typename T> void Shuffle(std::vector<T>& v)
    {
        for (size_t i = v.size(); i > 1; --i)
            std::swap(v[i - 1], v[static_cast<size_t>(Below(static_cast<int>(i)))]);
    }

private:
    std::uint64_t state_;
};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

template <size_t N> const char* Pick(Random& r, const std::array<const char*, N>& list)
{
    return list[static_cast<size_t>(r.Below(static_cast<int>(N)))];
}

const QString kWater = QStringLiteral("(cuando es derramado en el agua)");
const QString kLand = QStringLiteral("(cuando es derramado sobre la tierra)");
const QString kWeapon = QStringLiteral("(cuando es utilizado como una arma)");

// --- names of materials -----------------------------------------------------

constexpr std::array<const char*, 17> kLocants = {"", "", "", "", "", "", "2-", "3-", "4-", "1,2-", "1,1,1-",
                                                  "N,N-", "N,N'-", "2,2'-", "o-", "p-", "terc-"};

constexpr std::array<const char*, 72> kCores = {
    "Ácido acético", "Ácido clorhídrico", "Ácido fluorhídrico", "Ácido nítrico", "Ácido sulfúrico",
    "Ácido fórmico", "Ácido acrílico", "Acetona", "Acetonitrilo", "Acrilato de etilo", "Acroleína",
    "Alcohol etílico", "Alcohol isopropílico", "Alcohol alílico", "Amoníaco en solución", "Anhídrido acético",
    "Anilina", "Benceno", "Bromuro de metilo", "Butano", "Butilamina", "Carbonato de sodio",
    "Cianuro de potasio", "Ciclohexano", "Clorato de sodio", "Cloroformo", "Cloruro de vinilo",
    "Cloruro de metileno", "Cloruro de acetilo", "Dicloroetano", "Dióxido de cloro", "Disulfuro de carbono",
    "Éter dietílico", "Éter de petróleo", "Dicloroetil éter", "Etilenglicol", "Fenol", "Formaldehído",
    "Fosfuro de aluminio", "Hexano", "Hidracina", "Hidróxido de sodio", "Hipoclorito de calcio",
    "Isocianato de metilo", "Metanol", "Metilamina", "Naftaleno", "Nitrato de amonio", "Nitrobenceno",
    "Óxido de etileno", "Óxido de propileno", "Pentacloruro de fósforo", "Peróxido de hidrógeno", "Piridina",
    "Propano", "Sodio metálico", "Sulfato de dimetilo", "Tetracloruro de titanio", "Tolueno",
    "Tricloruro de fósforo", "Trióxido de azufre", "Xileno", "Oxicloruro de fósforo", "Triclorosilano",
    "Litio", "Magnesio en polvo", "Bromo", "Diaminodifenilmetano", "Iminodipropilamina", "Queroseno",
    "Aguarrás", "Nitrocelulosa"};

constexpr std::array<const char*, 30> kQualifiers = {"", "", "", "", "", "", "", "", ", anhidro",
    ", en solución", ", estabilizado", ", líquido refrigerado", ", comprimido", ", inflamable, n.e.p.",
    ", tóxico, n.e.p.", ", corrosivo, n.e.p.", ", fundido", ", húmedo con no menos del 25% de agua",
    " (con más del 70% de ácido)", ", mezcla", ", sólido", ", líquido", " en polvo", ", hidratado",
    " (grado \"técnico\")", " en cilindros de 12\"", ", con \"inhibidor\"", ", d'origine minérale",
    ", solución acuosa con no más del 40%", ", tóxico por inhalación, n.e.p. (Zona de Peligro de Inhalación B)"};

constexpr std::array<const char*, 12> kAgents = {"Sarín (GB)", "Tabún (GA)", "Somán (GD)", "Agente VX",
    "Gas mostaza (HD)", "Lewisita (L)", "Fosgeno oxima (CX)", "Ántrax", "Toxina botulínica", "Ricina",
    "Agente \"BZ\"", "Cloruro de cianógeno (CK)"};

constexpr std::array<const char*, 4> kSupplements = {"(Zona de Peligro de Inhalación A)",
    "(Zona de Peligro de Inhalación B)", "(Zona de Peligro de Inhalación C)", "(Zona de Peligro de Inhalación D)"};

struct Gas {
    const char* name;     // as in the index
    const char* product;  // as the water-reactive list shows it
    int guide;
    bool pih;
};

constexpr std::array<Gas, 12> kGases = {{
    {"Cloruro de hidrógeno, anhidro", "Cloruro de hidrógeno (HCl)", 125, true},
    {"Sulfuro de hidrógeno", "Sulfuro de hidrógeno (H2S)", 117, true},
    {"Amoníaco, anhidro", "Amoníaco (NH3)", 125, true},
    {"Fosfina", "Fosfina (PH3)", 119, true},
    {"Cianuro de hidrógeno, estabilizado", "Cianuro de hidrógeno (HCN)", 117, true},
    {"Bromuro de hidrógeno, anhidro", "Bromuro de hidrógeno (HBr)", 125, true},
    {"Fluoruro de hidrógeno, anhidro", "Fluoruro de hidrógeno (HF)", 125, true},
    {"Dióxido de azufre", "Dióxido de azufre (SO2)", 125, true},
    {"Cloro", "Cloro (Cl2)", 124, true},
    {"Acetileno, disuelto", "Acetileno (C2H2)", 116, false},
    {"Metilmercaptano", "Metilmercaptano (CH3SH)", 117, true},
    {"Dióxido de nitrógeno", "Dióxido de nitrógeno (NO2)", 124, true},
}};

// Guides that hold most of the book's entries.
constexpr std::array<int, 12> kBusyGuides = {128, 131, 132, 153, 154, 171, 145, 151, 152, 117, 119, 125};

struct Entry {
    QString id;            // four digits at scale 1, or "----"
    qint64 number = -1;    // the ID as a number; -1 for "----"
    QString name;
    int guide = 0;
    bool pih = false;
    bool water = false;
    bool agent = false;
    bool polymerizes = false;
    bool gas = false;
    QString supplement;
    int yellow_key = 0;
    int blue_key = 0;
};

struct Distance {
    qint64 id;
    QString name;
    QString folded; // the order of names compared by the program
};

class Names {
public:
    QString Make(Random& r, bool& agent, bool allow_agent = true)
    {
        QString name;
        agent = allow_agent && r.Below(1000) < 15;
        if (agent)
            name = U(Pick(r, kAgents)) + (r.Percent(50) ? QString() : U(Pick(r, kQualifiers)));
        else
            name = U(Pick(r, kLocants)) + U(Pick(r, kCores)) + U(Pick(r, kQualifiers));
        return Unique(name);
    }
    // Names are unique, as in the book: a repeated one becomes a numbered mixture.
    QString Unique(const QString& name)
    {
        QString unique = name;
        if (seen_.contains(unique)) {
            int& n = next_[name];
            do
                unique = name + QStringLiteral(", mezcla %1").arg(++n + 1);
            while (seen_.contains(unique));
        }
        seen_.insert(unique);
        return unique;
    }

private:
    QSet<QString> seen_;
    QHash<QString, int> next_; // last number given to a repeated name
};

int Pick_guide(Random& r)
{
    if (r.Percent(35))
        return kBusyGuides[static_cast<size_t>(r.Below(static_cast<int>(kBusyGuides.size())))];
    return First_guide + r.Below(Last_guide - First_guide + 1);
}

std::vector<Entry> Make_entries(Random& r, int scale)
{
    const int total = Yellow_rows_per_scale * scale;
    const int without_number = total / 100;
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(total));
    Names names;
    qint64 number = 1000;
    auto next_number = [&] { return number += 1 + (r.Below(3) == 0 ? 1 : 0); };

    for (const Gas& g : kGases) {
        Entry e;
        e.number = next_number();
        e.name = names.Unique(U(g.name));
        e.guide = g.guide;
        e.gas = true;
        e.pih = g.pih;
        entries.push_back(e);
    }
    while (static_cast<int>(entries.size()) < total - without_number) {
        const qint64 id = next_number();
        // One to three names per number, about two on average, as in the book.
        const int count = r.Percent(35) ? 1 : (r.Percent(60) ? 2 : 3);
        for (int k = 0; k < count && static_cast<int>(entries.size()) < total - without_number; ++k) {
            Entry e;
            e.number = id;
            e.name = names.Make(r, e.agent);
            e.guide = e.agent ? (r.Percent(80) ? 153 : 119) : Pick_guide(r);
            e.polymerizes = !e.agent && r.Percent(3);
            e.pih = e.agent;
            entries.push_back(e);
        }
    }
    for (int k = 0; k < without_number; ++k) {
        Entry e;
        bool agent = false;
        e.name = names.Make(r, agent, false);
        e.guide = r.Percent(70) ? 112 : 114;
        entries.push_back(e);
    }
    for (Entry& e : entries)
        e.id = e.number < 0 ? QStringLiteral("----") : QString::number(e.number);
    return entries;
}

// Water-reactive materials: whole identification numbers, so every name
// under the number reacts too, as the join Water.ID = Yellow.ID implies.
std::vector<qint64> Mark_water_reactive(Random& r, std::vector<Entry>& entries, int count)
{
    std::vector<qint64> numbers;
    for (const Entry& e : entries)
        if (e.number >= 0 && !e.gas && !e.agent && (numbers.empty() || numbers.back() != e.number))
            numbers.push_back(e.number);
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    r.Shuffle(numbers);
    numbers.resize(std::min(numbers.size(), static_cast<size_t>(count)));
    std::sort(numbers.begin(), numbers.end());
    for (Entry& e : entries)
        if (!e.agent && std::binary_search(numbers.begin(), numbers.end(), e.number))
            e.water = true;
    return numbers;
}

// Distance rows under the names the index composes: name, blank, suffix.
std::vector<Distance> Make_distances(Random& r, std::vector<Entry>& entries, int target)
{
    std::vector<Distance> rows;
    auto add = [&](const Entry& e, const QString& suffix) { 
        const QString name = e.name + u' ' + suffix;
        rows.push_back({e.number, name, jet::Fold(name)});
    };
    for (const Entry& e : entries) {
        if (e.water)
            add(e, kWater);
        if (e.agent)
            add(e, e.supplement + kWeapon);
        else if (e.gas && e.pih)
            add(e, e.supplement);
    }
    // Then toxic-by-inhalation entries, spread over the index, until the
    // table has its size.
    std::vector<size_t> order;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].number >= 0 && !entries[i].pih)
            order.push_back(i);
    r.Shuffle(order);
    for (const size_t i : order) {
        if (static_cast<int>(rows.size()) >= target)
            break;
        Entry& e = entries[i];
        e.pih = true;
        if (e.water) {
            add(e, kLand);
        } else {
            if (r.Percent(10))
                e.supplement = U(Pick(r, kSupplements));
            add(e, e.supplement);
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Distance& a, const Distance& b) {
        return a.id != b.id ? a.id < b.id : a.folded < b.folded;
    });
    return rows;
}

void Number_keys(std::vector<Entry>& entries)
{
    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return entries[a].number < entries[b].number; });
    for (size_t k = 0; k < order.size(); ++k)
        entries[order[k]].yellow_key = static_cast<int>(k) + 1;

    std::vector<QString> folded(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        folded[i] = jet::Fold(entries[i].name);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return folded[a] != folded[b] ? folded[a] < folded[b] : entries[a].number < entries[b].number;
    });
    for (size_t k = 0; k < order.size(); ++k)
        entries[order[k]].blue_key = static_cast<int>(k) + 1;
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.yellow_key < b.yellow_key; });
}

// --- guide pages ----------------------------------------------------------

struct Sentence {
    int key;
    QString text;
    int code;
};

constexpr std::array<const char*, 21> kTitleSubjects = {"Gases", "Líquidos Inflamables", "Sólidos Inflamables",
    "Sustancias", "Materiales Radiactivos", "Explosivos", "Oxidantes", "Peróxidos Orgánicos", "Corrosivos",
    "Sustancias Reactivas con el Agua", "Líquidos Criogénicos", "Metales", "Baterías", "Mezclas",
    "Sustancias Infecciosas", "Polímeros", "Gases Comprimidos", "Plaguicidas", "Ácidos", "Compuestos Orgánicos",
    "Carga Mixta"};

constexpr std::array<const char*, 10> kTitleProperties = {"Tóxicos y/o Corrosivos", "No Polares / Inmiscibles en Agua",
    "Polares / Miscibles en Agua", "Inflamables", "Oxidantes", "Venenosos (No Combustibles)",
    "Tóxicos y/o Corrosivos (Reactivos con el Agua)", "Estables al Calor", "Sensibles al Calor",
    "Carga Sin Identificar"};

struct Section {
    int code;              // 3 or 4: heading or sub-heading
    const char* heading;
    int body_slots;
    int clause_group;      // which clauses its sentences are made of
};

// Number heading and title, then 10 headings and 48 body slots: 60 slots.
constexpr std::array<Section, 10> kLayout = {{
    {3, "PELIGROS POTENCIALES", 0, 0},
    {4, "INCENDIO O EXPLOSIÓN", 7, 0},
    {4, "A LA SALUD", 6, 0},
    {3, "SEGURIDAD PÚBLICA", 4, 1},
    {4, "ROPA PROTECTORA", 4, 1},
    {4, "EVACUACIÓN", 5, 1},
    {3, "RESPUESTA DE EMERGENCIA", 0, 2},
    {4, "INCENDIO", 8, 2},
    {4, "DERRAME O FUGA", 7, 2},
    {4, "PRIMEROS AUXILIOS", 7, 2},
}};

constexpr std::array<const char*, 16> kHazardClauses = {"puede explotar por calor, choque, fricción o contaminación",
    "los vapores pueden viajar a una fuente de encendido y regresar en llamas",
    "los contenedores pueden explotar cuando se calientan", "los cilindros con rupturas pueden proyectarse",
    "la inhalación, ingestión o contacto con la sustancia puede causar lesiones severas, infección, enfermedad o la muerte",
    "la alta concentración de gas puede causar asfixia sin previo aviso",
    "el contacto puede causar quemaduras en la piel y los ojos",
    "el fuego o el contacto con el agua pueden producir gases irritantes, tóxicos y/o corrosivos",
    "las fugas resultantes del control del incendio pueden causar contaminación ambiental",
    "reacciona con el agua (algunas veces violentamente) despidiendo gases inflamables",
    "los vapores son más pesados que el aire y se dispersan a nivel del suelo",
    "puede encenderse por sí mismo si se expone al aire",
    "los efectos por contacto o inhalación pueden presentarse en forma retardada",
    "la sustancia puede ser transportada en estado fundido a temperaturas superiores a 100°C (212°F)",
    "los vapores pueden causar mareos o asfixia sin aviso, especialmente en lugares cerrados o espacios confinados",
    "el escape resultante puede formar una nube \"tóxica\" que se desplaza con el viento"};

constexpr std::array<const char*, 16> kSafetyClauses = {
    "llame al número de teléfono de respuesta en caso de emergencia en los documentos de embarque",
    "como acción inmediata de precaución, aísle el área del derrame o escape como mínimo 50 metros (150 pies) en todas las direcciones",
    "mantener alejado al personal no autorizado", "permanezca en dirección del viento",
    "muchos gases son más pesados que el aire y se extienden sobre el suelo",
    "ventile los espacios cerrados antes de entrar", "use el equipo de aire autónomo de presión positiva (SCBA)",
    "la ropa protectora para bomberos estructurales provee protección limitada en situaciones de incendio",
    "use ropa protectora contra los productos químicos, recomendada específicamente por el fabricante",
    "para derrames grandes, considere la evacuación inicial a favor del viento de por lo menos 300 metros (1000 pies)",
    "si un tanque, vagón de ferrocarril o autotanque está involucrado en un incendio, AÍSLE 800 metros (1/2 milla) a la redonda",
    "considere también la evacuación inicial de 800 metros (1/2 milla) a la redonda",
    "consulte la tabla de aislamiento inicial y distancias de acción protectora para los materiales resaltados",
    "mantenerse alejado de las áreas bajas", "no entre a espacios confinados sin ventilación adecuada",
    "el personal de respuesta debe tener en cuenta que la sustancia \"no\" se detecta por el olfato"};

constexpr std::array<const char*, 18> kResponseClauses = {"polvo químico seco, CO2, rocío de agua o espuma regular",
    "mueva los contenedores del área de fuego si lo puede hacer sin ningún riesgo",
    "combata el incendio desde una distancia máxima o utilice soportes fijos para mangueras o chiflones reguladores",
    "enfríe los contenedores con chorros de agua hasta mucho después de que el fuego se haya extinguido",
    "retírese inmediatamente si sale un sonido creciente de los dispositivos de seguridad de las ventilas",
    "ELIMINE todas las fuentes de ignición (no fumar, no usar bengalas, chispas o llamas en el área de peligro)",
    "no toque ni camine sobre el material derramado", "detenga la fuga, en caso de poder hacerlo sin riesgo",
    "prevenga la entrada hacia vías navegables, alcantarillas, sótanos o áreas confinadas",
    "absorber con tierra seca, arena u otro material absorbente no combustible y transferirlo a contenedores",
    "use herramientas limpias a prueba de chispas para recoger el material absorbido",
    "una espuma supresora de vapor puede usarse para reducir vapores",
    "mueva a la víctima a donde se respire aire fresco",
    "llame a los servicios médicos de emergencia",
    "aplicar respiración artificial si la víctima no respira; no use el método de boca a boca si la víctima ingirió o inhaló la sustancia",
    "en caso de contacto con la sustancia, enjuague inmediatamente la piel o los ojos con agua corriente por lo menos durante 20 minutos",
    "quítese y aísle la ropa y el calzado contaminados",
    "asegúrese de que el personal médico tenga conocimiento de los materiales involucrados y tome las precauciones para protegerse"};

// A body sentence of one to five clauses: from a short line to a long
// paragraph, as the book's are.
QString Body_text(Random& r, int group)
{
    const int clauses = 1 + (r.Percent(45) ? 0 : r.Below(5));
    QStringList parts;
    for (int k = 0; k < clauses; ++k) {
        const char* c = group == 0 ? Pick(r, kHazardClauses) : group == 1 ? Pick(r, kSafetyClauses)
                                                                             : Pick(r, kResponseClauses);
        parts << U(c);
    }
    QString text = parts.join(QStringLiteral("; "));
    text[0] = text[0].toUpper();
    return QStringLiteral("• ") + text + u'.';
}

struct Guides {
    std::vector<Sentence> sentences;
    std::vector<std::array<int, 3>> slots; // Key, Guide_page, Sentences_key
};

Guides Make_guides(Random& r)
{
    Guides g;
    auto add = [&](const QString& text, int code) {
        const int key = static_cast<int>(g.sentences.size()) + 1;
        g.sentences.push_back({key, text, code});
        return key;
    };
    const int guides = Last_guide - First_guide + 1;
    std::vector<int> number_heading(static_cast<size_t>(guides)), title(static_cast<size_t>(guides));
    for (int i = 0; i < guides; ++i) {
        number_heading[static_cast<size_t>(i)] = add(QStringLiteral("GUÍA %1").arg(First_guide + i), 5);
        // Subject a and round q give property (2q + a) mod 10: 62 distinct titles.
        const size_t a = static_cast<size_t>(i) % kTitleSubjects.size();
        const size_t q = static_cast<size_t>(i) / kTitleSubjects.size();
        const QString subject = U(kTitleSubjects[a]);
        const QString property = U(kTitleProperties[(2 * q + a) % kTitleProperties.size()]);
        title[static_cast<size_t>(i)] = add(subject + QStringLiteral(" - ") + property, 2);
    }
    // Headings are one sentence each, shared by every guide. Each section
    // has a pool of body sentences: the first half shared by a family of
    // four neighbouring guides, the second half drawn by every guide.
    std::vector<int> heading_key;
    std::vector<std::vector<int>> pool;
    QSet<QString> texts;
    for (const Section& s : kLayout) {
        heading_key.push_back(add(U(s.heading), s.code));
        std::vector<int> keys;
        for (int k = 0; k < s.body_slots * 8; ++k) {
            const int code = r.Percent(10) ? 1 : (r.Percent(8) ? 6 : 0);
            // A text is stored once and shared through its key; a few
            // tries find one not made yet.
            QString text = Body_text(r, s.clause_group);
            for (int attempt = 0; attempt < 20 && texts.contains(text); ++attempt)
                text = Body_text(r, s.clause_group);
            texts.insert(text);
            keys.push_back(add(text, code));
        }
        pool.push_back(keys);
    }
    int slot_key = 0;
    for (int i = 0; i < guides; ++i) {
        const int guide = First_guide + i;
        const int family = i / 4;
        auto slot = [&](int sentence) { g.slots.push_back({++slot_key, guide, sentence}); };
        slot(number_heading[static_cast<size_t>(i)]);
        slot(title[static_cast<size_t>(i)]);
        for (size_t s = 0; s < kLayout.size(); ++s) {
            slot(heading_key[s]);
            const std::vector<int>& keys = pool[s];
            const int half = static_cast<int>(keys.size()) / 2;
            const int k = kLayout[s].body_slots;
            for (int j = 0; j < k; ++j) {
                const int at = j < (k + 1) / 2 ? (family * k + j) % half : half + (guide * 5 + j) % half;
                slot(keys[static_cast<size_t>(at)]);
            }
        }
    }
    return g;
}

// --- writing ----------------------------------------------------------------

class Insert {
public:
    Insert(sqlite3* db, const char* sql) : db_(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            Fail();
    }
    ~Insert() { sqlite3_finalize(stmt_); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& Text(const QString& value)
    {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(stmt_, ++slot_, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& Flag(bool set, const char* letter)
    {
        if (set)
            sqlite3_bind_text(stmt_, ++slot_, letter, -1, SQLITE_STATIC);
        else
            sqlite3_bind_null(stmt_, ++slot_);
        return *this;
    }
    Insert& Int(qint64 value)
    {
        sqlite3_bind_int64(stmt_, ++slot_, value);
        return *this;
    }
    Insert& Null()
    {
        sqlite3_bind_null(stmt_, ++slot_);
        return *this;
    }
    void Row()
    {
        if (sqlite3_step(stmt_) != SQLITE_DONE)
            Fail();
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        slot_ = 0;
    }

private:
    [[noreturn]] void Fail() const { throw Db_error(Db_code::Other, QString::fromUtf8(sqlite3_errmsg(db_))); }
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    int slot_ = 0;
};

// Figures of one distance row: small spill, then large spill.
void Bind_figures(Random& r, Insert& insert)
{
    static constexpr std::array<std::array<const char*, 2>, 6> isolate = {
        {{"30", "100"}, {"60", "200"}, {"100", "300"}, {"150", "500"}, {"300", "1000"}, {"500", "1500"}}};
    static constexpr std::array<std::array<const char*, 2>, 8> protect = {{{"0.1", "0.1"}, {"0.2", "0.1"},
        {"0.3", "0.2"}, {"0.5", "0.3"}, {"1.1", "0.7"}, {"2.1", "1.3"}, {"4.3", "2.7"}, {"11.0+", "7.0+"}}};
    if (r.Percent(1)) {
        // A row without distances of its own (a heading row of the table).
        for (int k = 0; k < 12; ++k)
            insert.Text(QString());
        return;
    }
    for (int spill = 0; spill < 2; ++spill) {
        if (spill == 1 && r.Percent(8)) {
            for (int k = 0; k < 6; ++k)
                insert.Text(QStringLiteral("Consulte la Tabla 3"));
            return;
        }
        const auto& i = isolate[static_cast<size_t>(std::min(5, r.Below(4) + spill * 2))];
        const int day = r.Below(5) + spill;
        const auto& d = protect[static_cast<size_t>(day)];
        const auto& n = protect[static_cast<size_t>(std::min(7, day + 1 + r.Below(2)))];
        insert.Text(U(i[0])).Text(U(i[1])).Text(U(d[0])).Text(U(d[1])).Text(U(n[0])).Text(U(n[1]));
    }
}

void Write(Database& db, Random& r, const std::vector<Entry>& entries, const std::vector<Distance>& distances,
           const std::vector<qint64>& water_numbers, const Guides& guides)
{
    sqlite3* h = db.handle();
    Insert yellow(h, "INSERT INTO Yellow VALUES (?,?,?,?,?,?,?,?,?,?)");
    for (const Entry& e : entries) {
        yellow.Text(e.id).Text(e.name).Int(e.guide).Int(e.yellow_key).Int(e.blue_key);
        if (e.pih)
            yellow.Int(1);
        else
            yellow.Null();
        yellow.Flag(e.water, "W").Flag(e.agent, "Z").Flag(e.polymerizes, "P");
        if (e.supplement.isEmpty())
            yellow.Null();
        else
            yellow.Text(e.supplement);
        yellow.Row();
    }

    Insert green(h, "INSERT INTO Green VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (const Distance& d : distances) {
        green.Int(d.id).Text(d.name);
        Bind_figures(r, green);
        green.Row();
    }

    Insert water(h, "INSERT INTO Water VALUES (?,?,?,?,?,?,?,?,?,?)");
    for (const qint64 number : water_numbers) {
        water.Text(QString::number(number));
        const int count = r.Percent(60) ? 1 : (r.Percent(70) ? 2 : 3);
        const int first = r.Below(static_cast<int>(kGases.size()));
        for (int k = 0; k < 3; ++k) {
            if (k < count) {
                const size_t at = static_cast<size_t>(first + k * 5) % kGases.size();
                const auto gas = std::find_if(entries.begin(), entries.end(),
                                              [&](const Entry& e) { return e.gas && e.name == U(kGases[at].name); });
                water.Text(U(kGases[at].product)).Text(gas->id).Text(gas->name);
            } else {
                water.Text(QString()).Text(QString()).Text(QString());
            }
        }
        water.Row();
    }

    Insert sentence(h, "INSERT INTO Sentences VALUES (?,?,?)");
    for (const Sentence& s : guides.sentences) {
        sentence.Int(s.key).Text(s.text).Int(s.code);
        sentence.Row();
    }
    Insert slot(h, "INSERT INTO Guides_pages VALUES (?,?,?)");
    for (const auto& s : guides.slots) {
        slot.Int(s[0]).Int(s[1]).Int(s[2]);
        slot.Row();
    }
}

} // namespace

void Make_synthetic_database(const QString& path, int scale)
{
    if (scale < 1)
        throw std::invalid_argument("scale must be at least 1");
    Random r(0x5EEDB00CULL + static_cast<std::uint64_t>(scale));
    std::vector<Entry> entries = Make_entries(r, scale);
    const std::vector<qint64> water_numbers = Mark_water_reactive(r, entries, Water_rows_per_scale * scale);
    const std::vector<Distance> distances = Make_distances(r, entries, Green_rows_per_scale * scale);
    Number_keys(entries);
    const Guides guides = Make_guides(r);

    const QString temporary = path + QStringLiteral(".tmp");
    try {
        {
            auto db = Database::Create(temporary);
            db->Execute_native(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"));
            db->Execute_native(schema::Create_tables_sql());
            Write(*db, r, entries, distances, water_numbers, guides);
            Add_folded_names(*db);
            db->Execute_native(schema::Create_indexes_sql());
            Add_lookup_index(*db);
            db->Execute_native(QStringLiteral("COMMIT; PRAGMA journal_mode=DELETE; PRAGMA user_version=%1;")
                                   .arg(Generator_version));
        }
        QFile::remove(path);
        if (!QFile::rename(temporary, path))
            throw Db_error(Db_code::Cannot_open, QStringLiteral("cannot write ") + path);
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
}

} // namespace vexo::bench
