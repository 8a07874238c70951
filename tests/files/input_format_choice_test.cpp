#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "buffer/memory_buffer.h"
#include "files/buffer_file_loader.h"
#include "files/input_format_choice.h"
#include "support/recording_messages.h"

namespace zav {
namespace {

using Names = std::vector<std::string>;

TEST(InputFormatChoice, TheExtensionWinsOnlyWhereDetectionOffersItsFormat)
{
    const Names sAndBinary{"Motorola S", "Binary"};
    EXPECT_EQ(ChooseInputFormat("dir.x/image.BIN", sAndBinary).format, FileFormat::Binary);
    EXPECT_EQ(ChooseInputFormat("image.bin", sAndBinary).reason, FormatReason::Extension);
    EXPECT_EQ(ChooseInputFormat("image.s19", sAndBinary).format, FileFormat::MotorolaS);
    EXPECT_EQ(ChooseInputFormat("image.zef", sAndBinary).format, FileFormat::MotorolaS);
    EXPECT_EQ(ChooseInputFormat("image.zef", sAndBinary).reason, FormatReason::Detected);
    EXPECT_EQ(ChooseInputFormat("image", Names{"Intel HEX", "Binary"}).format, FileFormat::IntelHex);
    EXPECT_EQ(ChooseInputFormat("app.ihex", Names{"Intel HEX", "Binary"}).reason, FormatReason::Extension);
    EXPECT_EQ(ChooseInputFormat(".bin", sAndBinary).reason, FormatReason::Detected);
}

TEST(InputFormatChoice, ExtensionsAndTheLineThatTellsTheUser)
{
    EXPECT_EQ(FileFormatFromExtension("a.Hex"), FileFormat::IntelHex);
    EXPECT_EQ(FileFormatFromExtension("a.s19"), FileFormat::MotorolaS);
    EXPECT_EQ(FileFormatFromExtension("a.srec"), std::nullopt);
    EXPECT_EQ(FileFormatFromExtension("folder.bin/file"), std::nullopt);
    EXPECT_EQ(DescribeInputFormat({FileFormat::Binary, FormatReason::Extension}, "x/IMAGE.BIN"),
              "Format : Binary (by the extension .bin)");
    EXPECT_EQ(DescribeInputFormat({FileFormat::IntelHex, FormatReason::Detected}, "-"),
              "Format : Intel HEX (detected)");
    EXPECT_EQ(DescribeInputFormat({FileFormat::MotorolaS, FormatReason::Chosen}, "a.bin"),
              "Format : Motorola S (as chosen)");
}

TEST(LoadCoverage, MarksTheBufferAddressesTheFileGave)
{
    MemoryBuffer buffer;
    buffer.SetUnimplemented(0x0112, true);
    testing::RecordingStatus status;
    std::istringstream input("S107010001020304ED\r\nS9030000FC\r\n");
    LoadOptions options;
    options.lowFileAddress = 0x0101;
    options.offset = 0x10;
    LoadCoverage given;
    ASSERT_TRUE(LoadBufferStream(input, "s", FileFormat::MotorolaS, options, buffer, status, &given));
    ASSERT_EQ(given.size(), 0x10000U);
    std::vector<std::int32_t> marked;
    for (std::size_t a = 0; a < given.size(); ++a) {
        if (given[a]) marked.push_back(static_cast<std::int32_t>(a));
    }
    // Out of the load range: not given; unimplemented: given all the same.
    EXPECT_EQ(marked, (std::vector<std::int32_t>{0x0111, 0x0112, 0x0113}));
}

} // namespace
} // namespace zav
