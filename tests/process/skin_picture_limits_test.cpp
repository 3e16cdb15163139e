// A skin whose mask names something that is not a whole picture file ends the
// start at once with a reason, instead of reading forever or drawing garbage.

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "ProgramFixture.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

class SkinPictureLimitsTest : public ProgramFixture {
protected:
    // The program folder gets a skin of its own whose "Mask" is `mask`.
    void UseMask(const std::string& mask) {
        const auto skins = m_programFolder / "Skins";
        if (std::filesystem::is_symlink(skins)) {
            const auto shipped = std::filesystem::read_symlink(skins);
            std::filesystem::remove(skins);
            std::filesystem::copy(shipped, skins, std::filesystem::copy_options::recursive);
        }
        const auto ini = skins / "Main.ini";
        std::ifstream in(ini, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        in.close();
        text = std::regex_replace(text, std::regex("Mask=[^\r\n]*"), "Mask=" + mask);
        std::ofstream(ini, std::ios::binary | std::ios::trunc) << text;
    }
};

TEST_F(SkinPictureLimitsTest, AMaskThatIsNoWholePictureFileEndsTheStartWithAReason) {
    const auto fifo = m_root / "mask.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // The shipped mask without its last rows.
    const auto cut = m_root / "cut.bmp";
    {
        std::ifstream in(TESSEL_PROGRAM_DIR "/Skins/main_mask.bmp", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 1000u);
        std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() - 1000);
    }
    const struct {
        std::string mask;
        const char* reason;
    } cases[] = {
        {"/dev/zero", "not a regular file"},
        {fifo.string(), "not a regular file"},
        {cut.string(), "cut off"},
    };
    for (const auto& each : cases) {
        UseMask(each.mask);
        const pid_t program = Start({"/Start"});
        const std::optional<int> status = WaitForExit(program, 10s);
        ASSERT_TRUE(status) << each.mask << " did not end the start";
        EXPECT_NE(*status, 0) << each.mask;
        EXPECT_NE(ErrorOutput(program).find(each.reason), std::string::npos)
            << each.mask << ": " << ErrorOutput(program);
    }
}

}  // namespace
}  // namespace tessel::testing
