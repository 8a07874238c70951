// The buffer's allocation failure, provoked by an operator new that refuses large blocks
// while armed. Its own binary, since the replacement applies to the whole program.

#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "buffer/memory_buffer.h"
#include "support/recording_messages.h"

namespace {

bool refuseLargeBlocks = false;

} // namespace

void* operator new(std::size_t size)
{
    if (refuseLargeBlocks && size >= 0x10000) throw std::bad_alloc();
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace zav {
namespace {

TEST(BufferAllocation, FailureIsReportedAndGivesNoBuffer)
{
    testing::RecordingBoxes boxes;
    refuseLargeBlocks = true;
    auto buffer = MemoryBuffer::Create(boxes);
    refuseLargeBlocks = false;
    EXPECT_EQ(buffer, nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Not Enough Memory, close unused Applications");
    EXPECT_EQ(boxes.shown[0].kind, BoxKind::Error);
}

} // namespace
} // namespace zav
