// A dialog that opens wholly inside the main window shows in a capture of the
// whole screen taken with xwd, on a bare X server without a window manager.
// Skipped where Xvfb or xwd is missing.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "ProgramFixture.h"
#include "support/ReportingProcess.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1000;

bool OnPath(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The pixels of an X window dump (xwd's file format), as 0xRRGGBB.
class XwdImage {
public:
    static std::optional<XwdImage> Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        XwdImage image;
        image.m_bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (image.m_bytes.size() < 100) {
            return std::nullopt;
        }
        const std::uint32_t headerSize = image.Header(0);
        image.m_width = static_cast<int>(image.Header(4));
        image.m_height = static_cast<int>(image.Header(5));
        image.m_lsbFirst = image.Header(7) == 0;
        image.m_bytesPerPixel = static_cast<int>(image.Header(11)) / 8;
        image.m_bytesPerLine = image.Header(12);
        const std::uint32_t colours = image.Header(19);
        image.m_data = headerSize + colours * 12;
        const bool whole = image.m_data + std::size_t{image.m_bytesPerLine} * image.m_height <=
                           image.m_bytes.size();
        if (!whole || (image.m_bytesPerPixel != 3 && image.m_bytesPerPixel != 4)) {
            return std::nullopt;
        }
        return image;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::uint32_t Pixel(int x, int y) const {
        const std::size_t at =
            m_data + std::size_t{m_bytesPerLine} * y + std::size_t(x) * m_bytesPerPixel;
        std::uint32_t value = 0;
        for (int i = 0; i < m_bytesPerPixel; ++i) {
            const std::uint32_t byte = static_cast<unsigned char>(m_bytes[at + i]);
            value |= m_lsbFirst ? byte << (8 * i) : byte << (8 * (m_bytesPerPixel - 1 - i));
        }
        return value & 0xFFFFFF;
    }

private:
    // The header is a row of big-endian 32-bit fields.
    std::uint32_t Header(int field) const {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = value << 8 | static_cast<unsigned char>(m_bytes[field * 4 + i]);
        }
        return value;
    }

    std::string m_bytes;
    int m_width = 0;
    int m_height = 0;
    bool m_lsbFirst = true;
    int m_bytesPerPixel = 4;
    std::uint32_t m_bytesPerLine = 0;
    std::size_t m_data = 0;
};

class RootCaptureTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        if (!OnPath("Xvfb") || !OnPath("xwd")) {
            GTEST_SKIP() << "needs Xvfb and xwd";
        }
        m_server = std::make_unique<OwnXServer>(std::to_string(kScreenWidth) + "x" +
                                                std::to_string(kScreenHeight) + "x24");
        m_display = m_server->Display();
        ASSERT_FALSE(m_display.empty()) << "Xvfb did not start";
        m_environment["DISPLAY"] = m_display;
        m_environment["QT_QPA_PLATFORM"] = "xcb";
    }

    void TearDown() override {
        ProgramFixture::TearDown();
        m_server.reset();
    }

    std::optional<XwdImage> CaptureScreen() {
        const auto file = m_root / "screen.xwd";
        const std::string command =
            "xwd -root -silent -display " + m_display + " -out '" + file.string() + "'";
        if (std::system(command.c_str()) != 0) {
            return std::nullopt;
        }
        return XwdImage::Read(file);
    }

    std::string m_display;

private:
    std::unique_ptr<OwnXServer> m_server;
};

// Above and left of the middle of the screen, where the centred dialog lies
// over the main window; clear of the tooltip that the pointer, which starts in
// the middle, may raise below itself.
constexpr int kLeft = kScreenWidth / 2 - 150;
constexpr int kTop = kScreenHeight / 2 - 60;
constexpr int kWidth = 140;
constexpr int kHeight = 50;

bool AllBlack(const XwdImage& image) {
    for (int y = kTop; y < kTop + kHeight; ++y) {
        for (int x = kLeft; x < kLeft + kWidth; ++x) {
            if (image.Pixel(x, y) != 0) {
                return false;
            }
        }
    }
    return true;
}

bool SameMiddle(const XwdImage& a, const XwdImage& b) {
    for (int y = kTop; y < kTop + kHeight; ++y) {
        for (int x = kLeft; x < kLeft + kWidth; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

TEST_F(RootCaptureTest, TheUpdateDialogOverTheMainWindowShowsInAWholeScreenCapture) {
    const pid_t program = Start();
    ASSERT_TRUE(WaitUntilAnswering(program));
    std::optional<XwdImage> before;
    ASSERT_TRUE(Eventually(
        [&] {
            std::this_thread::sleep_for(100ms);
            before = CaptureScreen();
            return before && before->Width() == kScreenWidth && before->Height() == kScreenHeight &&
                   !AllBlack(*before);
        },
        20s))
        << "the main window never showed";

    std::string errors;
    ASSERT_EQ(Run({"/Update"}, &errors), 0) << errors;
    // The dialog is centred on the screen, so it covers the middle once drawn.
    std::optional<XwdImage> after;
    ASSERT_TRUE(Eventually(
        [&] {
            std::this_thread::sleep_for(100ms);
            after = CaptureScreen();
            return after && !SameMiddle(*before, *after);
        },
        20s))
        << "the update dialog never showed";
    EXPECT_TRUE(Eventually(
        [&] {
            std::this_thread::sleep_for(100ms);
            after = CaptureScreen();
            return after && !AllBlack(*after);
        },
        3s))
        << "the update dialog is black in the capture";
}

}  // namespace
}  // namespace tessel::testing
