// Pictures written whole or not at all: on a full disk (the write-failure
// seam) every format fails with the file named, the old picture stays and
// no temporary file is left; the checks of finished PDF and PNG bytes catch
// a cut file.
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "display/drawing.h"
#include "display/picture_file.h"
#include "display/picture_output.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qv::draw {
namespace picture_file_test {

namespace fs = std::filesystem;

std::string drawn(PictureFormat format, const fs::path& file) {
    PictureRequest r;
    r.file = file.string();
    r.format = format;
    r.areaWidth = r.areaHeight = r.outputWidth = 40;
    writePicture(r, [] { fillBox(5, 5, 30, 30, kWhite); });
    return readWholeFile(file);
}

TEST(PictureFile, AFullDiskLeavesTheOldPictureAndNoTemporaryFile) {
    test::TempDataDir dir;
    const std::pair<PictureFormat, const char*> formats[] = {
        {PictureFormat::Svg, "tema.svg"}, {PictureFormat::Pdf, "tema.pdf"}, {PictureFormat::Png, "tema.png"}};
    for (const auto& [format, name] : formats) {
        const fs::path target = dir.path() / name;
        const std::string whole = drawn(format, target);
        ASSERT_GT(whole.size(), 100u) << name;
        writeFileAtomically(target, "vecchio");
        for (const std::int64_t room : {std::int64_t{0}, std::int64_t{100}, static_cast<std::int64_t>(whole.size()) - 1}) {
            setWriteFailureAfter(room);
            try {
                drawn(format, target);
                ADD_FAILURE() << name << " reported as written with room for " << room << " bytes";
            } catch (const IoError& e) {
                EXPECT_EQ(e.file(), target.string());
                EXPECT_EQ(e.reason(), "spazio su disco esaurito");
            }
            setWriteFailureAfter(-1);
            EXPECT_EQ(readWholeFile(target), "vecchio") << name;
            for (const auto& e : fs::directory_iterator(dir.path()))
                EXPECT_NE(e.path().extension(), ".tmp~") << "temporary file left: " << e.path();
        }
    }
}

TEST(PictureFile, CutPdfAndPngBytesAreNotComplete) {
    test::TempDataDir dir;
    const std::string pdf = drawn(PictureFormat::Pdf, dir.path() / "a.pdf");
    const std::string png = drawn(PictureFormat::Png, dir.path() / "a.png");
    EXPECT_TRUE(completePdf(pdf));
    EXPECT_TRUE(completePng(png));
    for (std::size_t cut : {std::size_t{0}, std::size_t{8}, pdf.size() / 2, pdf.size() - 7})
        EXPECT_FALSE(completePdf(pdf.substr(0, cut))) << cut;
    for (std::size_t cut : {std::size_t{0}, std::size_t{8}, png.size() / 2, png.size() - 1})
        EXPECT_FALSE(completePng(png.substr(0, cut))) << cut;
    std::string moved = pdf;
    moved.insert(moved.size() / 2, "x");  // the trailer's offset no longer points at the table
    EXPECT_FALSE(completePdf(moved));
}

} // namespace picture_file_test
} // namespace qv::draw
