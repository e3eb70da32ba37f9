#include "remedies/support_lists.h"

#include "base/errors.h"
#include "remedies/list_order.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"

#include <algorithm>

namespace qv::remedies {

namespace {

// Sorted into list order, repeats dropped.
std::vector<std::string> sortedDistinct(std::vector<std::string> texts) {
    sortInListOrder(texts);
    dropRepeats(texts);
    return texts;
}

// The distinct non-empty listed forms of one text of records 1 … N−1.
template <typename Text>
std::vector<std::string> listedTexts(const std::vector<RemedyRecord>& remedies, Text text) {
    std::vector<std::string> out;
    for (std::size_t k = 1; k < remedies.size(); ++k) {
        std::string t = listedForm(text(remedies[k]));
        if (!t.empty()) out.push_back(std::move(t));
    }
    return sortedDistinct(std::move(out));
}

struct PreparationPrefix {
    const char* prefix;
    std::size_t typeLength;
    std::size_t basePosition; // from 1
};
constexpr PreparationPrefix kPrefixes[] = {
    {"HS 8 -", 4, 8}, {"HS", 6, 10}, {"MSA", 3, 5}, {"QSPC", 4, 6}, {"TSA", 3, 5},
};
constexpr std::size_t kShownPart = 70;

// Substring from a 1-based position, empty past the end.
std::string copyFrom(const std::string& s, std::size_t position, std::size_t count) {
    return position - 1 < s.size() ? s.substr(position - 1, count) : std::string();
}

} // namespace

std::vector<std::string> deriveSymptomList(const std::vector<RemedyRecord>& remedies) {
    return listedTexts(remedies, [](const RemedyRecord& r) { return r.indication(); });
}

std::vector<std::string> deriveRemedyNames(const std::vector<RemedyRecord>& remedies) {
    return listedTexts(remedies, [](const RemedyRecord& r) { return r.rimedio; });
}

std::vector<std::string> deriveRemedyLines(const std::vector<std::string>& remedyNames) {
    std::vector<std::string> out;
    for (const std::string& line : remedyNames) {
        out.push_back(line);
        std::string work = line;
        for (const PreparationPrefix& p : kPrefixes) {
            if (work.rfind(p.prefix, 0) != 0) continue;
            std::string shownPart = copyFrom(work, p.basePosition, 30) + " (" + work.substr(0, p.typeLength) + ")";
            shownPart.resize(kShownPart, ' ');
            if (std::string(p.prefix) == "QSPC") shownPart = upperLetters(shownPart);
            work = shownPart + line;
            out.push_back(work);
        }
    }
    sortInListOrder(out);
    return out;
}

std::string sourceNameOfLine(const std::string& line) {
    return line.size() > kShownPart ? line.substr(kShownPart) : std::string();
}

const std::vector<SignatureFile>& signatureFiles() {
    static const std::vector<SignatureFile> files = {
        {"SolePri", "Sole", false},      {"LunaPri", "Luna", false},     {"MercPri", "Mercurio", false},
        {"VenePri", "Venere", false},    {"MartPri", "Marte", false},    {"GiovPri", "Giove", false},
        {"SatuPri", "Saturno", false},   {"NodNPri", "NodoNord", false}, {"NodSPri", "NodoSud", false},
        {"Ariete", "Ariete", true},      {"Toro", "Toro", true},         {"Gemelli", "Gemelli", true},
        {"Cancro", "Cancro", true},      {"Leone", "Leone", true},       {"Vergine", "Vergine", true},
        {"Bilancia", "Bilancia", true},  {"Scorpione", "Scorpione", true}, {"Sagittario", "Sagittario", true},
        {"Capricorno", "Capricorno", true}, {"Acquario", "Acquario", true}, {"Pesci", "Pesci", true},
    };
    return files;
}

std::string signatureFilePath(const SignatureFile& f) { return std::string("OpzioneH\\") + f.stem + ".rnd"; }

std::vector<std::string> deriveSignatureNames(const std::vector<RemedyRecord>& remedies, const SignatureFile& f) {
    std::vector<std::string> out;
    for (std::size_t k = 1; k < remedies.size(); ++k) {
        const std::string& signature = f.zodiacal ? remedies[k].segnaturaZodiacale : remedies[k].segnaturaPrimaria;
        if (signature.find(f.key) != std::string::npos) out.push_back(remedies[k].rimedio);
    }
    return sortedDistinct(std::move(out));
}

std::vector<std::string> derivePathologies(const std::vector<RepertoryRecord>& repertory) {
    std::vector<std::string> out;
    for (std::size_t k = 1; k < repertory.size(); ++k) out.push_back(repertory[k].patologia);
    return sortedDistinct(std::move(out));
}

std::vector<std::string> deriveRepertoryRemedies(const std::vector<RepertoryRecord>& repertory) {
    std::vector<std::string> out;
    for (std::size_t k = 1; k < repertory.size(); ++k) out.push_back(repertory[k].rimedio);
    return sortedDistinct(std::move(out));
}

std::vector<Bytes> zeroTally(const std::vector<std::string>& names) {
    std::vector<Bytes> out;
    out.reserve(names.size());
    for (const std::string& n : names) out.push_back(encodeScore(ScoreRecord{n, 0}));
    return out;
}

std::vector<PlantEntryRecord> parsePlantText(const std::vector<std::string>& lines) {
    // The line of each group that fills each field, and the field's width.
    struct Line {
        std::string PlantEntryRecord::*field;
        std::size_t width;
        const char* name;
    };
    static const Line group[8] = {
        {&PlantEntryRecord::pianta, 20, "Pianta"},
        {&PlantEntryRecord::sigla, 15, "Sigla"},
        {&PlantEntryRecord::segnaturaPrimaria, 15, "SegnaturaPrimaria"},
        {&PlantEntryRecord::segnaturaSecondaria, 30, "SegnaturaSecondaria"},
        {&PlantEntryRecord::segnaturaZodiacale, 70, "SegnaturaZodiacale"},
        {&PlantEntryRecord::sintesi, 100, "Sintesi"},
        {&PlantEntryRecord::sintomo, 100, "Sintomo"},
        {&PlantEntryRecord::autori, 100, "Autori"},
    };
    if (lines.size() % 8 != 0)
        throw IoError(files::kPlantText, "l'ultimo gruppo ha " + std::to_string(lines.size() % 8) +
                                             " righe invece di 8: il file \xE8 incompleto");
    std::vector<PlantEntryRecord> out(lines.size() / 8);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& l = group[i % 8];
        if (lines[i].size() > l.width)
            throw IoError(files::kPlantText, "la riga " + std::to_string(i + 1) + " (" + l.name + ") ha " +
                                                 std::to_string(lines[i].size()) + " caratteri, pi\xF9 dei " +
                                                 std::to_string(l.width) + " del campo");
        out[i / 8].*l.field = lines[i];
    }
    return out;
}

std::vector<std::string> derivePlantSymptoms(const std::vector<PlantEntryRecord>& entries) {
    std::vector<std::string> symptoms;
    for (std::size_t k = 1; k < entries.size(); ++k)
        if (k == 1 || entries[k].sintomo != entries[k - 1].sintomo) symptoms.push_back(entries[k].sintomo);
    sortInListOrder(symptoms);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < symptoms.size(); ++i) {
        if (i == 0)
            out.push_back(symptoms[0]);
        else if (trimRightBlanks(symptoms[i]) != trimRightBlanks(symptoms[i - 1]))
            out.push_back(trimRightBlanks(symptoms[i]));
    }
    return out;
}

std::vector<std::string> derivePlantNames(const std::vector<PlantEntryRecord>& entries) {
    std::vector<std::string> out;
    for (std::size_t k = 1; k < entries.size(); ++k) {
        std::string plant = trimRightBlanks(entries[k].pianta);
        if (!plant.empty()) out.push_back(plant.substr(0, kPlantNameWidth));
    }
    return sortedDistinct(std::move(out));
}

std::vector<Bytes> namesFromRecordOne(const std::vector<std::string>& names, std::size_t width) {
    std::vector<Bytes> out{Bytes(width + 1, 0)};
    for (const std::string& n : names) out.push_back(encodeName(n, width));
    return out;
}

namespace {

std::vector<Bytes> nameRecords(const std::vector<std::string>& names) {
    std::vector<Bytes> out;
    out.reserve(names.size());
    for (const std::string& n : names) out.push_back(encodeName(n, kRemedyNameWidth));
    return out;
}

} // namespace

RebuildSummary rebuildSupportLists(const DataDir& dir) {
    // Every source is read and checked before anything is written.
    const std::vector<RemedyRecord> remedies = readRemedies(dir);
    const std::vector<RepertoryRecord> repertory = readRepertory(dir);
    const bool plants = dir.exists(files::kPlantEntries);
    const std::vector<PlantEntryRecord> entries = plants ? readPlantEntries(dir) : std::vector<PlantEntryRecord>{};

    RebuildSummary s;
    s.remedies = remedies.empty() ? 0 : remedies.size() - 1;
    s.repertory = repertory.empty() ? 0 : repertory.size() - 1;
    const auto symptoms = deriveSymptomList(remedies);
    const auto names = deriveRemedyNames(remedies);
    const auto lines = deriveRemedyLines(names);
    const auto pathologies = derivePathologies(repertory);
    const auto repertoryRemedies = deriveRepertoryRemedies(repertory);
    std::vector<std::vector<std::string>> signatureNames;
    for (const SignatureFile& f : signatureFiles()) signatureNames.push_back(deriveSignatureNames(remedies, f));
    s.symptoms = symptoms.size();
    s.remedyNames = names.size();
    s.remedyLines = lines.size();
    s.pathologies = pathologies.size();
    s.repertoryRemedies = repertoryRemedies.size();

    writeTextList(dir, files::kSymptomList, symptoms);
    writeTextList(dir, files::kRemedyNames, names);
    writeTextList(dir, files::kRemedyLines, lines);
    writeTextList(dir, files::kPathologies, pathologies);
    writeTextList(dir, files::kRepertoryRemedies, repertoryRemedies);
    writeRecords(dir, files::kTherapyTally, zeroTally(repertoryRemedies));
    writeRecords(dir, files::kSymptomTally, zeroTally(names));
    s.filesWritten = 7;
    for (std::size_t i = 0; i < signatureFiles().size(); ++i, ++s.filesWritten)
        writeRecords(dir, signatureFilePath(signatureFiles()[i]), nameRecords(signatureNames[i]));
    if (plants) {
        const auto plantSymptoms = derivePlantSymptoms(entries);
        const auto plantNames = derivePlantNames(entries);
        writeRecords(dir, files::kPlantSymptoms, namesFromRecordOne(plantSymptoms, kSymptomNameWidth));
        writeRecords(dir, files::kPlants, namesFromRecordOne(plantNames, kPlantNameWidth));
        s.plants = true;
        s.plantSymptoms = plantSymptoms.size();
        s.plantNames = plantNames.size();
        s.filesWritten += 2;
    }
    return s;
}

void rebuildTherapyTally(const DataDir& dir) {
    const auto names = deriveRepertoryRemedies(readRepertory(dir));
    writeTextList(dir, files::kRepertoryRemedies, names);
    writeRecords(dir, files::kTherapyTally, zeroTally(names));
}

std::size_t compilePlantDatabase(const DataDir& dir) {
    if (!dir.exists(files::kPlantText)) throw IoError(files::kPlantText, "il file non esiste");
    const auto entries = parsePlantText(readSupportList(dir, files::kPlantText, 1000));
    const auto symptoms = derivePlantSymptoms(entries);
    const auto plants = derivePlantNames(entries);
    writePlantEntries(dir, entries);
    writeRecords(dir, files::kPlantSymptoms, namesFromRecordOne(symptoms, kSymptomNameWidth));
    writeRecords(dir, files::kPlants, namesFromRecordOne(plants, kPlantNameWidth));
    return entries.size();
}

} // namespace qv::remedies
