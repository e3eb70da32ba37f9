#include "remedies/medicines.h"

#include "base/folded_key.h"

#include <algorithm>

namespace qv::remedies {

namespace {

const std::vector<MedicineClass> kClasses = {
    {"anticoagulanti", "anticoagulante"},
    {"antiaggreganti", "antiaggregante piastrinico"},
    {"serotoninergici", "antidepressivo serotoninergico (SSRI o SNRI) o triptano"},
    {"anticoncezionali", "anticoncezionale o terapia ormonale"},
    {"digossina", "digitalico (digossina)"},
    {"diuretici", "diuretico"},
    {"corticosteroidi", "cortisonico"},
    {"immunosoppressori", "immunosoppressore"},
    {"antiretrovirali", "antiretrovirale"},
    {"tiroide", "farmaco per la tiroide"},
    {"antidiabetici", "farmaco per il diabete"},
    {"sedativi", "sedativo o sonnifero"},
    {"cardiovascolari", "farmaco per la pressione o per il cuore"},
    {"dopamina", "farmaco che agisce sulla dopamina"},
};

struct Known {
    const char* name;     // folded: lower case ASCII, single blanks
    const char* classes;  // class keys separated by blanks
};

// Active ingredients first, then the brands a person is likely to name.
// A brand that combines two ingredients carries both classes.
const Known kKnown[] = {
    // anticoagulants
    {"warfarin", "anticoagulanti"}, {"warfarina", "anticoagulanti"}, {"coumadin", "anticoagulanti"},
    {"acenocumarolo", "anticoagulanti"}, {"sintrom", "anticoagulanti"}, {"apixaban", "anticoagulanti"},
    {"eliquis", "anticoagulanti"}, {"rivaroxaban", "anticoagulanti"}, {"xarelto", "anticoagulanti"},
    {"dabigatran", "anticoagulanti"}, {"pradaxa", "anticoagulanti"}, {"edoxaban", "anticoagulanti"},
    {"lixiana", "anticoagulanti"}, {"eparina", "anticoagulanti"}, {"enoxaparina", "anticoagulanti"},
    {"clexane", "anticoagulanti"}, {"fondaparinux", "anticoagulanti"}, {"arixtra", "anticoagulanti"},
    {"seleparina", "anticoagulanti"}, {"fraxiparina", "anticoagulanti"},
    // antiplatelets
    {"acido acetilsalicilico", "antiaggreganti"}, {"cardioaspirina", "antiaggreganti"},
    {"cardirene", "antiaggreganti"}, {"aspirinetta", "antiaggreganti"}, {"aspirina", "antiaggreganti"},
    {"clopidogrel", "antiaggreganti"}, {"plavix", "antiaggreganti"}, {"ticagrelor", "antiaggreganti"},
    {"brilique", "antiaggreganti"}, {"prasugrel", "antiaggreganti"}, {"efient", "antiaggreganti"},
    {"ticlopidina", "antiaggreganti"}, {"tiklid", "antiaggreganti"}, {"dipiridamolo", "antiaggreganti"},
    {"persantin", "antiaggreganti"}, {"indobufene", "antiaggreganti"}, {"ibustrin", "antiaggreganti"},
    // serotonergic: SSRI, SNRI, triptans and other drugs that raise serotonin
    {"sertralina", "serotoninergici"}, {"zoloft", "serotoninergici"}, {"tatig", "serotoninergici"},
    {"fluoxetina", "serotoninergici"}, {"prozac", "serotoninergici"}, {"fluoxeren", "serotoninergici"},
    {"paroxetina", "serotoninergici"}, {"sereupin", "serotoninergici"}, {"daparox", "serotoninergici"},
    {"eutimil", "serotoninergici"}, {"seroxat", "serotoninergici"}, {"citalopram", "serotoninergici"},
    {"elopram", "serotoninergici"}, {"seropram", "serotoninergici"}, {"escitalopram", "serotoninergici"},
    {"cipralex", "serotoninergici"}, {"entact", "serotoninergici"}, {"fluvoxamina", "serotoninergici"},
    {"maveral", "serotoninergici"}, {"vortioxetina", "serotoninergici"}, {"brintellix", "serotoninergici"},
    {"venlafaxina", "serotoninergici"}, {"efexor", "serotoninergici"}, {"duloxetina", "serotoninergici"},
    {"cymbalta", "serotoninergici"}, {"xeristar", "serotoninergici"}, {"desvenlafaxina", "serotoninergici"},
    {"trazodone", "serotoninergici sedativi"}, {"trittico", "serotoninergici sedativi"},
    {"clomipramina", "serotoninergici"}, {"anafranil", "serotoninergici"}, {"amitriptilina", "serotoninergici sedativi"},
    {"laroxyl", "serotoninergici sedativi"}, {"mirtazapina", "serotoninergici sedativi"},
    {"remeron", "serotoninergici sedativi"}, {"tramadolo", "serotoninergici"}, {"contramal", "serotoninergici"},
    {"sumatriptan", "serotoninergici"}, {"imigran", "serotoninergici"}, {"rizatriptan", "serotoninergici"},
    {"maxalt", "serotoninergici"}, {"zolmitriptan", "serotoninergici"}, {"zomig", "serotoninergici"},
    {"almotriptan", "serotoninergici"}, {"almogran", "serotoninergici"}, {"eletriptan", "serotoninergici"},
    {"relpax", "serotoninergici"}, {"frovatriptan", "serotoninergici"}, {"auradol", "serotoninergici"},
    {"rilamig", "serotoninergici"},
    // hormonal contraceptives and hormone therapy
    {"pillola", "anticoncezionali"}, {"anticoncezionale", "anticoncezionali"}, {"etinilestradiolo", "anticoncezionali"},
    {"levonorgestrel", "anticoncezionali"}, {"desogestrel", "anticoncezionali"}, {"drospirenone", "anticoncezionali"},
    {"gestodene", "anticoncezionali"}, {"dienogest", "anticoncezionali"}, {"nomegestrolo", "anticoncezionali"},
    {"estradiolo", "anticoncezionali"}, {"yasmin", "anticoncezionali"}, {"yaz", "anticoncezionali"},
    {"loette", "anticoncezionali"}, {"microgynon", "anticoncezionali"}, {"novynette", "anticoncezionali"},
    {"klaira", "anticoncezionali"}, {"zoely", "anticoncezionali"}, {"cerazette", "anticoncezionali"},
    {"nuvaring", "anticoncezionali"}, {"evra", "anticoncezionali"}, {"mirena", "anticoncezionali"},
    {"progeffik", "anticoncezionali"}, {"tibolone", "anticoncezionali"}, {"livial", "anticoncezionali"},
    // digitalis
    {"digossina", "digossina"}, {"lanoxin", "digossina"}, {"metildigossina", "digossina"}, {"lanitop", "digossina"},
    // diuretics
    {"furosemide", "diuretici"}, {"lasix", "diuretici"}, {"idroclorotiazide", "diuretici"}, {"esidrex", "diuretici"},
    {"clortalidone", "diuretici"}, {"igroton", "diuretici"}, {"torasemide", "diuretici"}, {"diuremid", "diuretici"},
    {"spironolattone", "diuretici"}, {"aldactone", "diuretici"}, {"canrenone", "diuretici"}, {"luvion", "diuretici"},
    {"indapamide", "diuretici"}, {"natrilix", "diuretici"}, {"amiloride", "diuretici"}, {"moduretic", "diuretici"},
    // corticosteroids
    {"cortisone", "corticosteroidi"}, {"prednisone", "corticosteroidi"}, {"deltacortene", "corticosteroidi"},
    {"prednisolone", "corticosteroidi"}, {"metilprednisolone", "corticosteroidi"}, {"medrol", "corticosteroidi"},
    {"urbason", "corticosteroidi"}, {"desametasone", "corticosteroidi"}, {"decadron", "corticosteroidi"},
    {"soldesam", "corticosteroidi"}, {"betametasone", "corticosteroidi"}, {"bentelan", "corticosteroidi"},
    {"celestone", "corticosteroidi"}, {"idrocortisone", "corticosteroidi"}, {"flebocortid", "corticosteroidi"},
    {"deflazacort", "corticosteroidi"}, {"flantadin", "corticosteroidi"},
    // immunosuppressants
    {"ciclosporina", "immunosoppressori"}, {"sandimmun", "immunosoppressori"}, {"tacrolimus", "immunosoppressori"},
    {"prograf", "immunosoppressori"}, {"advagraf", "immunosoppressori"}, {"micofenolato", "immunosoppressori"},
    {"cellcept", "immunosoppressori"}, {"myfortic", "immunosoppressori"}, {"azatioprina", "immunosoppressori"},
    {"sirolimus", "immunosoppressori"}, {"rapamune", "immunosoppressori"}, {"everolimus", "immunosoppressori"},
    {"certican", "immunosoppressori"}, {"metotrexato", "immunosoppressori"}, {"reumaflex", "immunosoppressori"},
    // antiretrovirals
    {"dolutegravir", "antiretrovirali"}, {"tivicay", "antiretrovirali"}, {"bictegravir", "antiretrovirali"},
    {"biktarvy", "antiretrovirali"}, {"darunavir", "antiretrovirali"}, {"prezista", "antiretrovirali"},
    {"ritonavir", "antiretrovirali"}, {"norvir", "antiretrovirali"}, {"efavirenz", "antiretrovirali"},
    {"tenofovir", "antiretrovirali"}, {"emtricitabina", "antiretrovirali"}, {"truvada", "antiretrovirali"},
    {"descovy", "antiretrovirali"}, {"raltegravir", "antiretrovirali"}, {"isentress", "antiretrovirali"},
    {"rilpivirina", "antiretrovirali"}, {"lopinavir", "antiretrovirali"}, {"kaletra", "antiretrovirali"},
    {"triumeq", "antiretrovirali"}, {"genvoya", "antiretrovirali"},
    // thyroid
    {"levotiroxina", "tiroide"}, {"eutirox", "tiroide"}, {"tirosint", "tiroide"}, {"syntroxine", "tiroide"},
    {"liotironina", "tiroide"}, {"tiromel", "tiroide"}, {"metimazolo", "tiroide"}, {"tapazole", "tiroide"},
    // antidiabetics
    {"metformina", "antidiabetici"}, {"glucophage", "antidiabetici"}, {"metforal", "antidiabetici"},
    {"insulina", "antidiabetici"}, {"lantus", "antidiabetici"}, {"humalog", "antidiabetici"},
    {"novorapid", "antidiabetici"}, {"tresiba", "antidiabetici"}, {"toujeo", "antidiabetici"},
    {"abasaglar", "antidiabetici"}, {"glibenclamide", "antidiabetici"}, {"gliclazide", "antidiabetici"},
    {"diamicron", "antidiabetici"}, {"glimepiride", "antidiabetici"}, {"amaryl", "antidiabetici"},
    {"repaglinide", "antidiabetici"}, {"novonorm", "antidiabetici"}, {"sitagliptin", "antidiabetici"},
    {"januvia", "antidiabetici"}, {"janumet", "antidiabetici"}, {"vildagliptin", "antidiabetici"},
    {"galvus", "antidiabetici"}, {"linagliptin", "antidiabetici"}, {"trajenta", "antidiabetici"},
    {"dapagliflozin", "antidiabetici"}, {"forxiga", "antidiabetici"}, {"empagliflozin", "antidiabetici"},
    {"jardiance", "antidiabetici"}, {"pioglitazone", "antidiabetici"}, {"actos", "antidiabetici"},
    {"liraglutide", "antidiabetici"}, {"victoza", "antidiabetici"}, {"semaglutide", "antidiabetici"},
    {"ozempic", "antidiabetici"}, {"rybelsus", "antidiabetici"}, {"dulaglutide", "antidiabetici"},
    {"trulicity", "antidiabetici"},
    // sedatives and sleeping pills
    {"alprazolam", "sedativi"}, {"xanax", "sedativi"}, {"frontal", "sedativi"}, {"lorazepam", "sedativi"},
    {"tavor", "sedativi"}, {"diazepam", "sedativi"}, {"valium", "sedativi"}, {"bromazepam", "sedativi"},
    {"lexotan", "sedativi"}, {"lormetazepam", "sedativi"}, {"minias", "sedativi"}, {"triazolam", "sedativi"},
    {"halcion", "sedativi"}, {"clonazepam", "sedativi"}, {"rivotril", "sedativi"}, {"delorazepam", "sedativi"},
    {"zolpidem", "sedativi"}, {"stilnox", "sedativi"}, {"zopiclone", "sedativi"},
    {"flurazepam", "sedativi"}, {"dalmadorm", "sedativi"}, {"brotizolam", "sedativi"}, {"lendormin", "sedativi"},
    {"idroxizina", "sedativi"}, {"atarax", "sedativi"}, {"pregabalin", "sedativi"}, {"lyrica", "sedativi"},
    {"gabapentin", "sedativi"}, {"neurontin", "sedativi"},
    // blood pressure and heart
    {"ramipril", "cardiovascolari"}, {"triatec", "cardiovascolari"}, {"enalapril", "cardiovascolari"},
    {"enapren", "cardiovascolari"}, {"lisinopril", "cardiovascolari"}, {"zestril", "cardiovascolari"},
    {"perindopril", "cardiovascolari"}, {"coversyl", "cardiovascolari"}, {"amlodipina", "cardiovascolari"},
    {"norvasc", "cardiovascolari"}, {"nifedipina", "cardiovascolari"}, {"adalat", "cardiovascolari"},
    {"lercanidipina", "cardiovascolari"}, {"zanedip", "cardiovascolari"}, {"losartan", "cardiovascolari"},
    {"lortaan", "cardiovascolari"}, {"valsartan", "cardiovascolari"}, {"tareg", "cardiovascolari"},
    {"irbesartan", "cardiovascolari"}, {"aprovel", "cardiovascolari"}, {"olmesartan", "cardiovascolari"},
    {"olmetec", "cardiovascolari"}, {"plaunac", "cardiovascolari"}, {"telmisartan", "cardiovascolari"},
    {"micardis", "cardiovascolari"}, {"candesartan", "cardiovascolari"}, {"ratacand", "cardiovascolari"},
    {"bisoprololo", "cardiovascolari"}, {"congescor", "cardiovascolari"}, {"concor", "cardiovascolari"},
    {"metoprololo", "cardiovascolari"}, {"lopresor", "cardiovascolari"}, {"seloken", "cardiovascolari"},
    {"atenololo", "cardiovascolari"}, {"tenormin", "cardiovascolari"}, {"nebivololo", "cardiovascolari"},
    {"nebilox", "cardiovascolari"}, {"lobivon", "cardiovascolari"}, {"carvedilolo", "cardiovascolari"},
    {"dilatrend", "cardiovascolari"}, {"doxazosina", "cardiovascolari"}, {"cardura", "cardiovascolari"},
    {"amiodarone", "cardiovascolari"}, {"cordarone", "cardiovascolari"}, {"flecainide", "cardiovascolari"},
    {"almarytm", "cardiovascolari"},
    // dopamine: Parkinson, antipsychotics, anti-sickness, prolactin
    {"levodopa", "dopamina"}, {"sinemet", "dopamina"}, {"madopar", "dopamina"}, {"pramipexolo", "dopamina"},
    {"mirapexin", "dopamina"}, {"ropinirolo", "dopamina"}, {"requip", "dopamina"}, {"rotigotina", "dopamina"},
    {"neupro", "dopamina"}, {"cabergolina", "dopamina"}, {"dostinex", "dopamina"}, {"bromocriptina", "dopamina"},
    {"parlodel", "dopamina"}, {"aloperidolo", "dopamina"}, {"serenase", "dopamina"}, {"risperidone", "dopamina"},
    {"risperdal", "dopamina"}, {"olanzapina", "dopamina sedativi"}, {"zyprexa", "dopamina sedativi"},
    {"quetiapina", "dopamina sedativi"}, {"seroquel", "dopamina sedativi"}, {"aripiprazolo", "dopamina"},
    {"abilify", "dopamina"}, {"metoclopramide", "dopamina"}, {"plasil", "dopamina"}, {"levosulpiride", "dopamina"},
    {"levopraid", "dopamina"}, {"domperidone", "dopamina"}, {"motilium", "dopamina"}, {"sulpiride", "dopamina"},
    {"dobren", "dopamina"},
};

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::vector<std::string> words(const char* list) {
    std::vector<std::string> out;
    std::string w;
    for (const char* p = list;; ++p) {
        if (*p == ' ' || *p == '\0') {
            if (!w.empty()) out.push_back(w);
            w.clear();
            if (*p == '\0') return out;
        } else {
            w += *p;
        }
    }
}

} // namespace

const std::vector<MedicineClass>& medicineClasses() { return kClasses; }

const char* medicineClassCaption(const std::string& key) {
    for (const MedicineClass& c : kClasses)
        if (key == c.key) return c.caption;
    return nullptr;
}

std::vector<TypedMedicine> recogniseMedicines(const std::string& text) {
    std::vector<TypedMedicine> out;
    std::string item;
    auto finish = [&] {
        TypedMedicine m{trimmed(item), {}, {}};
        item.clear();
        if (m.typed.empty()) return;
        // Whole words only: "yaz" must not match inside another name.
        const std::string key = " " + foldedKey(m.typed) + " ";
        for (const Known& k : kKnown) {
            if (key.find(" " + std::string(k.name) + " ") == std::string::npos) continue;
            if (m.recognised.empty()) m.recognised = k.name;
            for (const std::string& c : words(k.classes))
                if (std::find(m.classes.begin(), m.classes.end(), c) == m.classes.end()) m.classes.push_back(c);
        }
        out.push_back(std::move(m));
    };
    for (char c : text) {
        if (c == '\n' || c == '\r' || c == ',' || c == ';') finish();
        else item += c;
    }
    finish();
    return out;
}

} // namespace qv::remedies
