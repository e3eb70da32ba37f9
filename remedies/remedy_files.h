// The files of the remedy database under the data directory, and the
// checked reading and whole-file writing of them. Every reader bounds-checks
// what it reads: a record file whose size is not a whole number of records,
// a length byte larger than its field, a support list line longer than any
// field it could come from, or a missing file stop the action with an
// IoError naming the file; nothing is written then.
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace qv::remedies {

namespace files {
inline constexpr const char* kRemedies = "OpzioneH\\DBmain.rnd";
inline constexpr const char* kRepertory = "OpzioneH\\Repertorio.rnd";
inline constexpr const char* kSymptomList = "OpzioneH\\Sintomi.txt";
inline constexpr const char* kRemedyNames = "OpzioneH\\ProdotA.txt";
inline constexpr const char* kRemedyLines = "OpzioneH\\ProdotB.txt";
inline constexpr const char* kPathologies = "OpzioneH\\Patolog.txt";
inline constexpr const char* kRepertoryRemedies = "OpzioneH\\ProdotR.txt";
inline constexpr const char* kSymptomTally = "OpzioneH\\RicCom.Rnd";
inline constexpr const char* kTherapyTally = "OpzioneH\\TerCom.Rnd";
inline constexpr const char* kPlantEntries = "OpzioneS\\DataStf.rnd";
inline constexpr const char* kPlantText = "OpzioneS\\DbTesto.Txt";
inline constexpr const char* kPlantSymptoms = "OpzioneS\\Sintomi.rnd";
inline constexpr const char* kPlants = "OpzioneS\\Piante.rnd";
inline constexpr const char* kRemedyRecordNumbers = "FileDum\\Prdts.dum";
inline constexpr const char* kSignatureHits = "FileDum\\Segnat.dum";
inline constexpr const char* kPrinciplesText = "Principi.txt";
inline constexpr const char* kPrinciples = "Principi.sto";
} // namespace files

// The longest line each support list can hold: the widest text its records
// can give.
inline constexpr std::size_t kLongestIndication = 300;
inline constexpr std::size_t kLongestRemedyName = 50;
inline constexpr std::size_t kLongestRemedyLine = 70 + kLongestRemedyName;
inline constexpr std::size_t kLongestPathology = 100;
inline constexpr std::size_t kLongestRepertoryRemedy = 100;

// A record file read record by record within one action. Opening checks
// that the file holds whole records; every record handed out has had the
// length byte of each of its fields checked.
// The databases whose record 0 is a header record no listing shows
// (DBmain.rnd, Repertorio.rnd, the plant entries). An empty one is a file
// cut to nothing, not a database without entries: RecordScan refuses it,
// naming the file, so lookups do not answer "0 rimedi" and a rebuild does
// not write every support list empty.
bool holdsHeaderRecord(const std::string& dataPath);
// Those of them whose header carries no data (DBmain.rnd, Repertorio.rnd):
// RecordScan refuses one whose record 0 holds a remedy's data, naming the
// file, since that is a database that lost its header.
bool headerHoldsNoData(const std::string& dataPath);

class RecordScan {
public:
    RecordScan(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout);
    ~RecordScan();
    RecordScan(const RecordScan&) = delete;
    RecordScan& operator=(const RecordScan&) = delete;

    std::int64_t count() const { return count_; }
    const std::string& name() const { return name_; }

    // Calls visit(k, record) for k = first … count − 1 in file order; visit
    // returns false to stop.
    void forEach(std::int64_t first,
                 const std::function<bool(std::int64_t, std::span<const std::uint8_t>)>& visit) const;
    Bytes read(std::int64_t k) const;

private:
    void check(std::int64_t k, std::span<const std::uint8_t> record) const;
    void checkHeader(std::span<const std::uint8_t> record) const;
    int fd_ = -1;
    std::string name_;
    RecordLayout layout_;
    std::int64_t count_ = 0;
};

// Whole record files, every record decoded (record 0 included).
std::vector<RemedyRecord> readRemedies(const DataDir& dir);
std::vector<RepertoryRecord> readRepertory(const DataDir& dir);
std::vector<PlantEntryRecord> readPlantEntries(const DataDir& dir);
std::vector<ScoreRecord> readScores(const DataDir& dir, const std::string& dataPath);
std::vector<std::string> readNames(const DataDir& dir, const std::string& dataPath, std::size_t width);

// Replaces a whole record file (through a temporary file, so a failure
// leaves the old one).
void writeRecords(const DataDir& dir, const std::string& dataPath, const std::vector<Bytes>& records);
void writeRemedies(const DataDir& dir, const std::vector<RemedyRecord>& records);
void writeRepertory(const DataDir& dir, const std::vector<RepertoryRecord>& records);
void writePlantEntries(const DataDir& dir, const std::vector<PlantEntryRecord>& records);

// Reads or writes one record by number (k = count appends); a write replaces
// the file safely (remedies/safe_rewrite.h).
RemedyRecord readRemedy(const DataDir& dir, std::int64_t k);
void writeRemedy(const DataDir& dir, std::int64_t k, const RemedyRecord& record);
RepertoryRecord readRepertoryRecord(const DataDir& dir, std::int64_t k);
void writeRepertoryRecord(const DataDir& dir, std::int64_t k, const RepertoryRecord& record);

// A support list, line by line. A missing list, or a line longer than
// `longestLine`, is an IoError naming the file.
std::vector<std::string> readSupportList(const DataDir& dir, const std::string& dataPath, std::size_t longestLine);
// The same, but a missing list reads as empty (the lists a window shows
// empty when they were never built).
std::vector<std::string> readOptionalList(const DataDir& dir, const std::string& dataPath, std::size_t longestLine);
void writeTextList(const DataDir& dir, const std::string& dataPath, const std::vector<std::string>& lines);

} // namespace qv::remedies
