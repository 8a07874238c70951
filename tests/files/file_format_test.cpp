#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/detect_file_formats.h"
#include "files/file_format.h"

namespace zav {
namespace {

using Names = std::vector<std::string>;

TEST(FileFormat, DisplayNamesAndExtensionsMapBothWays)
{
    for (const FileFormat format :
         {FileFormat::ExtendedFormat, FileFormat::MotorolaS, FileFormat::Binary, FileFormat::IntelHex}) {
        EXPECT_EQ(FileFormatFromDisplayName(FileFormatDisplayName(format)), format);
    }
    EXPECT_EQ(FileFormatDisplayName(FileFormat::ExtendedFormat), "ZAV Extended Format");
    EXPECT_EQ(FileFormatExtension(FileFormat::MotorolaS), "s19");
    EXPECT_EQ(FileFormatFromDisplayName("Motorola"), std::nullopt);
}

TEST(FileFormat, SaveFilterEntriesPresetTheFormat)
{
    EXPECT_EQ(FileFormatFromFilterIndex(1), FileFormat::ExtendedFormat);
    EXPECT_EQ(FileFormatFromFilterIndex(2), FileFormat::MotorolaS);
    EXPECT_EQ(FileFormatFromFilterIndex(3), FileFormat::Binary);
    EXPECT_EQ(FileFormatFromFilterIndex(4), FileFormat::ExtendedFormat);
    EXPECT_EQ(FileFormatFromFilterIndex(5), FileFormat::IntelHex);
}

TEST(DetectFileFormats, TheFirstRecordTagDecides)
{
    EXPECT_EQ(DetectFileFormats("X00004000000FB\r\n"), (Names{"ZAV Extended Format", "Binary"}));
    EXPECT_EQ(DetectFileFormats("S107010001020304ED\r\n"), (Names{"Motorola S", "Binary"}));
    EXPECT_EQ(DetectFileFormats("  s2..."), (Names{"Motorola S", "Binary"}));
    EXPECT_EQ(DetectFileFormats("junk x3 then S1"), (Names{"ZAV Extended Format", "Binary"}));
    EXPECT_EQ(DetectFileFormats("S9 X0"), (Names{"ZAV Extended Format", "Binary"}));
    EXPECT_EQ(DetectFileFormats("X4 S3 S5 x"), (Names{"Binary"}));
    EXPECT_EQ(DetectFileFormats(std::string("\0S1", 3)), (Names{"Motorola S", "Binary"}));
    EXPECT_EQ(DetectFileFormats(""), (Names{"Binary"}));
}

} // namespace
} // namespace zav
