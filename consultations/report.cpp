#include "consultations/report.h"

#include "analysis/chart_codes.h"
#include "analysis/chart_master.h"
#include "analysis/substance.h"
#include "base/data_dir.h"
#include "remedies/consultation.h"
#include "remedies/remedy_text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qv::consultations {

const char* const kReportClosing =
    "Le indicazioni di questa relazione accompagnano, ma non sostituiscono, il parere e le cure del medico. "
    "Prima di iniziare un rimedio, in gravidanza o allattamento, con altre terapie in corso, e per ogni disturbo "
    "che persiste o peggiora, rivolgersi al proprio medico.";

namespace {

// What each element says of a constitution, in the program's own words and
// for a reader who knows no astrology.
const std::array<const char*, 4> kElementReading = {
    "Nel tema prevale il Fuoco, uno dei quattro elementi della tradizione: descrive una natura calda e vivace, "
    "pronta ad agire, che consuma in fretta le proprie energie e trae beneficio dal riposo e dalla misura.",
    "Nel tema prevale la Terra, uno dei quattro elementi della tradizione: descrive una natura concreta e "
    "costante, che ama i ritmi regolari e tende a trattenere, e trae beneficio dal movimento e da pasti leggeri.",
    "Nel tema prevale l'Aria, uno dei quattro elementi della tradizione: descrive una natura mobile e "
    "comunicativa, sensibile agli stimoli e ai cambiamenti, che trae beneficio da sonno e pasti regolari.",
    "Nel tema prevale l'Acqua, uno dei quattro elementi della tradizione: descrive una natura ricettiva ed "
    "emotiva, che risente dell'umidit\xE0 e della stanchezza e trae beneficio dal calore e dal movimento.",
};

// The temperament of the two stronger qualities of the whole chart, which
// may differ from the element that prevails: the sentence says so.
std::string humourReading(const Humours& h) {
    const bool hot = h.hot >= h.cold;
    const bool moist = h.moist >= h.dry;
    const char* const start =
        "Considerando insieme caldo e freddo, secco e umido in tutto il tema, il temperamento, come lo chiamava la "
        "medicina antica, \xE8 ";
    if (hot && moist) return std::string(start) + "sanguigno (caldo e umido): una persona espansiva, socievole e generosa.";
    if (hot) return std::string(start) + "collerico (caldo e secco): una persona energica e decisa, che si accende facilmente.";
    if (moist) return std::string(start) + "flemmatico (freddo e umido): una persona calma e paziente, che reagisce con lentezza.";
    return std::string(start) + "melanconico (freddo e secco): una persona riflessiva e precisa, che tende a chiudersi in s\xE9.";
}

// The planet that leads the chart, with its article, and what it brings,
// in plain words.
const std::array<const char*, 11> kMasterReading = {
    "",
    "il Sole, che porta vitalit\xE0, fiducia in s\xE9 e desiderio di esprimersi",
    "la Luna, che porta sensibilit\xE0, immaginazione e bisogno di sentirsi accolti",
    "Mercurio, che porta curiosit\xE0, prontezza di pensiero e facilit\xE0 nel comunicare",
    "Venere, che porta gusto per la bellezza, dolcezza e cura dei legami",
    "Marte, che porta energia, coraggio e spirito d'iniziativa",
    "Giove, che porta fiducia, generosit\xE0 e senso della misura",
    "Saturno, che porta costanza, senso del dovere e capacit\xE0 di concentrarsi",
    "Urano, che porta originalit\xE0 e desiderio di libert\xE0",
    "Nettuno, che porta sensibilit\xE0 e immaginazione",
    "Plutone, che porta intensit\xE0 e capacit\xE0 di rinnovarsi",
};

std::string trimmedBlanks(std::string s) {
    s = remedies::trimRightBlanks(s);
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

} // namespace

std::string dosageForThePerson(const std::string& dosage) {
    // Sentence by sentence: those that leave dose and duration to the
    // practitioner go.
    std::string text = dosage;
    for (std::size_t at; (at = text.find("; secondo il professionista")) != std::string::npos;)
        text.erase(at, std::strlen("; secondo il professionista"));
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(". ", start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string sentence = text.substr(start, end - start);
        if (sentence.find("stabilite dal professionista") == std::string::npos) out += sentence;
        start = end;
    }
    return trimmedBlanks(out);
}

std::vector<std::string> constitutionReading(const ChartState& natal, int master) {
    std::vector<std::string> out;
    if (master >= 1 && master <= 10)
        out.push_back(std::string("Il pianeta che guida il tema \xE8 ") + kMasterReading[static_cast<std::size_t>(master)] +
                      ".");
    const Substance s = computeSubstance(natal);
    const auto& e = s.elementalHumours.element;
    const auto strongest = static_cast<std::size_t>(std::max_element(e.begin(), e.end()) - e.begin());
    out.push_back(kElementReading[strongest]);
    out.push_back(humourReading(s.elementalHumours));
    return out;
}

ReportContent reportContent(const Consultation& c, const ReportSubject& subject, const ChartState& natal, int master,
                            const std::vector<std::string>& practitioner) {
    ReportContent r;
    r.title = "Relazione di consultazione";
    r.practitioner = practitioner;
    r.person = trimmedBlanks(subject.name);
    r.birth = "Nascita: " + trimmedBlanks(subject.birthDate) + ", " + trimmedBlanks(subject.place) +
              (trimmedBlanks(subject.nation).empty() ? std::string() : " (" + trimmedBlanks(subject.nation) + ")");
    r.date = dateText(c.date);
    r.constitution = constitutionReading(natal, master);
    r.complaints = c.complaints;
    r.symptoms = c.symptoms;
    r.referrals = complaintReferrals(c);
    r.warnings = healthWarnings(c);
    for (const PrescribedRemedy& p : c.remedies) {
        ReportRemedy rr{p.name, {}, dosageForThePerson(p.dosage), p.duration, {}};
        std::string caption = remedies::preparationCaption(p.name);
        if (caption.size() > 2 && caption.front() == '(') caption = caption.substr(1, caption.size() - 2);
        rr.preparation = caption;
        const auto records = remedies::findRemedy(dataDir(), p.name);
        // A remedy the database no longer holds is printed with a warning
        // that sends the person to the practitioner and the doctor.
        rr.warnings = records.empty()
                          ? "Rimedio non presente nella banca dati: chiedere al professionista e al medico le "
                            "avvertenze prima dell'uso."
                          : remedies::trimRightBlanks(remedies::warningsOrNotice(records.back().data));
        r.remedies.push_back(rr);
    }
    r.followUp = c.followUp ? dateText(*c.followUp) : std::string();
    r.closing = kReportClosing;
    return r;
}

std::string reportText(const ReportContent& r) {
    std::string t = r.title + "\n";
    for (const std::string& l : r.practitioner) t += l + "\n";
    t += "Persona: " + r.person + "\n" + r.birth + "\n";
    t += "Data della consultazione: " + r.date + "\n\nCostituzione\n";
    for (const std::string& p : r.constitution) t += p + "\n";
    t += "\nDisturbi\n";
    if (!r.complaints.empty()) t += r.complaints + "\n";
    for (const ComplaintReferral& f : r.referrals)
        t += (f.complaint.empty() ? std::string() : "- " + f.complaint + "\n") + "  Quando rivolgersi al medico: " +
             f.referral + "\n";
    t += "\nRimedi\n";
    for (const ReportRemedy& m : r.remedies) {
        t += m.name + (m.preparation.empty() ? "" : " (" + m.preparation + ")") + "\n";
        if (!m.dosage.empty()) t += "Posologia: " + m.dosage + "\n";
        if (!m.duration.empty()) t += "Durata: " + m.duration + "\n";
        t += "Avvertenze: " + m.warnings + "\n";
    }
    for (const std::string& w : r.warnings) t += w + "\n";
    if (!r.followUp.empty()) t += "\nProssimo controllo: " + r.followUp + "\n";
    t += "\n" + r.closing + "\n";
    return t;
}

} // namespace qv::consultations
