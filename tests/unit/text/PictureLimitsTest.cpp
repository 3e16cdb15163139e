// Picture files named by a skin are read with limits: only regular files, at
// most a size no skin needs, and only when their bytes hold the whole picture.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <vector>

#include "TextTestFiles.h"
#include "platform/RegularFile.h"
#include "skin/PictureBytes.h"

namespace tessel {
namespace {

// A 3 x 2 picture, 24 bits a pixel: rows of 9 bytes padded to 12.
std::vector<uint8_t> Bmp(uint32_t headerSize = 40) {
    const uint32_t pixelsAt = 14 + headerSize;
    const uint32_t size = pixelsAt + 2 * 12;
    std::vector<uint8_t> bytes(size, 0);
    auto put32 = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
    };
    auto put16 = [&](std::size_t at, uint16_t v) {
        bytes[at] = uint8_t(v);
        bytes[at + 1] = uint8_t(v >> 8);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, size);
    put32(10, pixelsAt);
    put32(14, headerSize);
    if (headerSize == 12) {
        put16(18, 3);
        put16(20, 2);
        put16(22, 1);
        put16(24, 24);
    } else {
        put32(18, 3);
        put32(22, uint32_t(-2));  // top-down rows count the same
        put16(26, 1);
        put16(28, 24);
    }
    return bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
}

TEST(PictureLimits, OnlyBytesHoldingTheWholePictureCountAsComplete) {
    const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x12, 0xFF, 0xD9};
    std::vector<uint8_t> jpegWithPadding = jpeg;
    jpegWithPadding.insert(jpegWithPadding.end(), 100, 0);
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        bool complete;
    } cases[] = {
        {"whole BMP", Bmp(), true},
        {"whole BMP with the oldest header", Bmp(12), true},
        {"BMP missing its last byte", Cut(Bmp(), Bmp().size() - 1), false},
        {"BMP cut in its header", Cut(Bmp(), 20), false},
        {"BMP of its file header only", Cut(Bmp(), 14), false},
        {"whole JPEG", jpeg, true},
        {"JPEG padded after its end", jpegWithPadding, true},
        {"JPEG without its end marker", Cut(jpeg, jpeg.size() - 2), false},
        {"PNG: its decoder checks", png, true},
        {"nothing at all", {}, true},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(PictureBytesComplete(each.bytes), each.complete) << each.what;
    }
}

TEST(PictureLimits, OnlyRegularFilesUpToTheLimitAreRead) {
    test::ScratchFolder folder;
    const auto picture = folder.Path() / "picture.bmp";
    const std::vector<uint8_t> bytes = Bmp();
    std::ofstream(picture, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    const auto fifo = folder.Path() / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    const RegularFileRead read = ReadRegularFile(picture, bytes.size());
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.bytes, bytes);

    const auto start = std::chrono::steady_clock::now();
    for (const std::filesystem::path& refused :
         {std::filesystem::path("/dev/zero"), fifo, folder.Path(), folder.Path() / "missing"}) {
        const RegularFileRead none = ReadRegularFile(refused, kLargestPictureBytes);
        EXPECT_FALSE(none.ok) << refused;
        EXPECT_FALSE(none.error.empty()) << refused;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1))
        << "neither a device nor a FIFO without a writer is waited for";
    EXPECT_FALSE(ReadRegularFile(picture, bytes.size() - 1).ok) << "one byte over the limit";
}

}  // namespace
}  // namespace tessel
