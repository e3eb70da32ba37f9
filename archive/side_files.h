// Small text files of FileDum\ that carry the last choices from one window
// to the next (one value per line, each file written whole), and the
// subject text folders (ARCHtxt\ with FlagTxt.set and numbered documents).
#pragma once

#include "archive/archive_records.h"
#include "editor/editor_document.h"

#include <string>
#include <vector>

namespace qv {

inline constexpr const char* kAnnotationsFile = "FileDum\\Annotaz.dum";
inline constexpr const char* kRecalledPointerFile = "FileDum\\PointGlo.dum";
inline constexpr const char* kTextPointerFile = "FileDum\\StrText.dum";
inline constexpr const char* kArchiveChoiceFile = "FileDum\\MMDatArc.dum";
inline constexpr const char* kArchivesInUseFile = "FileDum\\MMordina.dum";

// Annotaz.dum: the current subject's annotations as one line.
void writeAnnotationsFile(const std::string& text);
// Its first line (empty for an empty file); a missing file is an IoError.
std::string readAnnotationsFile();

// The annotations of a recalled subject: each line stripped of spaces on
// both sides and appended after a single space.
std::string recalledAnnotationText(const AnnotationRecord& record);
// The annotations of a registered subject: the four lines joined by single
// spaces.
std::string registeredAnnotationText(const AnnotationRecord& record);

// PointGlo.dum: the recalled subject's birth-record number (5 digits) and
// its archive.
void writeRecalledPointer(int birthNumber, const std::string& archive);

// StrText.dum: archive name and text-file number (empty when none).
struct TextPointer {
    std::string archive;
    std::string number;
};
void writeTextPointer(const TextPointer& pointer);
TextPointer readTextPointer();


// MMDatArc.dum: archive, index entry text, index position, subject's name.
void writeArchiveChoice(const std::string& archive, const std::string& entryText, int position,
                        const std::string& name);

// MMordina.dum: the archives that registrations and deletions touched (at
// most 6 characters read per line). Adds `archive` when it is not listed.
std::vector<std::string> archivesInUse();
void noteArchiveInUse(const std::string& archive);

// Subject text folders: "BASEtxt", "BASEtxt\00001.txt".
std::string textFolder(const std::string& archive);
std::string textDocumentPath(const std::string& archive, const std::string& number);
bool textDocumentExists(const std::string& archive, const std::string& number);

// Creates the next text document of `archive`: the folder and its
// FlagTxt.set ("1") when missing, the number k read from FlagTxt.set and
// k + 1 written back, the document with one line (the name padded to 38).
// A number whose document already exists is passed over, so no document is
// ever overwritten. Writes DatModif.dum (StrText.dum follows the current
// subject and is written by registration and recall). Returns the 5-digit
// number.
std::string createTextDocument(const std::string& archive, const std::string& subjectName);

// Deletes ARCHtxt\NUMBER.Txt when it exists; returns whether it did.
bool deleteTextDocument(const std::string& archive, const std::string& number);

} // namespace qv
