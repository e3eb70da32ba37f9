// The document of the subject text editor: plain Windows-1252 text in CR LF
// lines, where it lives, and the texts the window shows about it.
#pragma once

#include <filesystem>
#include <string>

namespace qv {

// The name of a document that has never been saved.
inline constexpr const char* kUntitled = "Untitled";
// The folder the open and save dialogs start in.
inline constexpr const char* kOwnTextsFolder = "MieiTesti";

// Where a document path leads: an absolute path as it is, anything else
// (such as "BASEtxt\\00001.txt" or "BASEtxt/00001.txt") inside the data
// directory, matched without regard to case.
std::filesystem::path documentLocation(const std::string& path);

// FileDum\DatModif.dum hands the editor the document to open: the archive
// writes its path on line 1 when a subject is registered, recalled or
// modified with a text.
inline constexpr const char* kEditedDocumentFile = "FileDum\\DatModif.dum";
void writeEditedDocument(const std::string& path);
// Line 1 of the hand-over file; empty when the file is missing or empty.
std::string handedOverDocument();

// The whole text of a document: its lines (CR LF, LF or CR) joined by "\n".
std::string readDocumentText(const std::filesystem::path& file);
// Writes the text's lines, each ended by CR LF, through a temporary file;
// an empty text makes an empty file.
void writeDocumentText(const std::filesystem::path& file, const std::string& text);

// "Line:   1   Col:   1": the caret's line and column from 1, each number
// right-aligned in three places.
std::string positionText(int line, int column);

// The window caption for a document: its file name and three blanks.
std::string documentCaption(const std::string& documentName);

} // namespace qv
