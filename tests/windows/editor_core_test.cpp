// The subject text editor without its window: the ruler's markers and
// indents, the document's bytes, where a document path leads and the texts
// of the status bar and caption.
#include "archive/side_files.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "editor/editor_document.h"
#include "editor/ruler.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv {
namespace editor_core_test {

TEST(Ruler, MarkersStandWhereTheIndentsPutThem) {
    struct Case {
        ParagraphIndents indents;
        int first, left, right;  // marker edges on a ruler 600 pixels wide
    };
    const Case cases[] = {
        {{0, 0, 0}, 2, 2, 586},          // 600 − trunc(6 × 4/3) − 6
        {{36, 0, 0}, 50, 50, 586},       // 36 pt = 48 px
        {{10, 20, 5}, 15, 42, 580},      // trunc(13.3) + 2, trunc(40) + 2, 600 − trunc(14.7) − 6
        {{20, -20, 0}, 28, 2, 586},      // a hanging first line
        {{0, 0, -6}, 2, 2, 594},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(firstMarkerEdge(c.indents), c.first);
        EXPECT_EQ(leftMarkerEdge(c.indents), c.left);
        EXPECT_EQ(rightMarkerEdge(c.indents, 600), c.right);
    }
}

TEST(Ruler, ReleasedMarkersGiveTheIndents) {
    const ParagraphIndents start{10, 20, 5};
    // Left marker dropped at 100: trunc((100 + 5 − 6) × 3/4) − 10 = 74 − 10.
    EXPECT_EQ(droppedLeftMarker(start, 100), (ParagraphIndents{10, 64, 5}));
    // First-line marker dropped at 60 (first = trunc(59 × 3/4) = 44); the
    // left marker stays at 42: left = trunc(41 × 3/4) − 44.
    EXPECT_EQ(droppedFirstMarker(start, 60, 42), (ParagraphIndents{44, -14, 5}));
    // Right marker dropped at 500 on 600: trunc((600 + 5 − 500 − 2) × 3/4) − 12 = 77 − 12.
    EXPECT_EQ(droppedRightMarker(start, 500, 600), (ParagraphIndents{10, 20, 65}));
    // A marker released where it stands keeps its indent.
    for (int v : {0, 1, 7, 12, 36, 100}) {
        const ParagraphIndents in{v, v / 2, v};
        EXPECT_EQ(droppedFirstMarker(in, firstMarkerEdge(in), leftMarkerEdge(in)), in) << v;
        EXPECT_EQ(droppedLeftMarker(in, leftMarkerEdge(in)), in) << v;
        EXPECT_EQ(droppedRightMarker(in, rightMarkerEdge(in, 480), 480), in) << v;
    }
}

TEST(EditorTexts, PositionAndCaption) {
    EXPECT_EQ(positionText(1, 1), "Line:   1   Col:   1");
    EXPECT_EQ(positionText(12, 345), "Line:  12   Col: 345");
    EXPECT_EQ(positionText(1000, 7), "Line: 1000   Col:   7");
    EXPECT_EQ(documentCaption("/home/anna/BASEtxt/00001.txt"), "00001.txt   ");
    EXPECT_EQ(documentCaption("BASEtxt\\00002.txt"), "00002.txt   ");
    EXPECT_EQ(documentCaption("Untitled"), "Untitled   ");
}

class EditorDocument : public ::testing::Test {
protected:
    test::TempDataDir dir;
};

TEST_F(EditorDocument, TextIsReadFromAnyLineEndAndWrittenWithCrLf) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"", ""},
        {"ROSSI\r\nseconda riga\r\n", "ROSSI\nseconda riga"},
        {"uno\ndue", "uno\ndue"},
        {"uno\rdue\r\n\r\n", "uno\ndue\n"},
        {"citt\xE0\r\n", "citt\xE0"},
    };
    const auto file = dir.path() / "doc.txt";
    for (const auto& c : cases) {
        writeFileAtomically(file, c.bytes);
        EXPECT_EQ(readDocumentText(file), c.text);
    }
    const Case written[] = {
        {"", ""},
        {"ROSSI\r\nseconda riga\r\n", "ROSSI\nseconda riga"},
        {"uno\r\n\r\n", "uno\n"},
        {"\r\n\r\n", "\n"},  // two empty lines
    };
    for (const auto& c : written) {
        writeDocumentText(file, c.text);
        EXPECT_EQ(readWholeFile(file), c.bytes);
    }
    EXPECT_THROW(readDocumentText(dir.path() / "missing.txt"), IoError);
}

TEST_F(EditorDocument, PathsLeadIntoTheDataDirectoryUnlessAbsolute) {
    writeTextLines(dataDir().prepareForWrite("BASEtxt\\00001.txt"), {"x"});
    EXPECT_EQ(documentLocation("basetxt\\00001.TXT"), dir.path() / "BASEtxt" / "00001.txt");
    EXPECT_EQ(documentLocation("BASEtxt/00001.txt"), dir.path() / "BASEtxt" / "00001.txt");
    EXPECT_EQ(documentLocation("/tmp/altro.txt"), std::filesystem::path("/tmp/altro.txt"));

    EXPECT_EQ(handedOverDocument(), "") << "no DatModif.dum yet";
    writeEditedDocument("BASEtxt\\00001.txt");
    EXPECT_EQ(handedOverDocument(), "BASEtxt\\00001.txt");
}

} // namespace editor_core_test
} // namespace qv
