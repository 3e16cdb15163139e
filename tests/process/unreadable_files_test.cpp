// Files the program reads at start that are no regular files: a link to
// /dev/zero would be read without end, a FIFO would block the open for ever.
// Each is named as unreadable with the reason, and the start still finishes:
// the instance answers /Kill and ends, or, for the main skin file it cannot do
// without, the start ends at once. A picture that would cost gigabytes is
// refused the same way.

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>

#include "ProgramFixture.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kBound = 20s;

enum class Kind { LinkToDevZero, Fifo };

class UnreadableFilesTest : public ProgramFixture {
protected:
    // The program folder gets its own copy of the skin, so a file there can be replaced.
    void CopySkins() {
        const auto skins = m_programFolder / "Skins";
        if (std::filesystem::is_symlink(skins)) {
            const auto built = std::filesystem::read_symlink(skins);
            std::filesystem::remove(skins);
            std::filesystem::copy(built, skins, std::filesystem::copy_options::recursive);
        }
    }
    void MakeUnreadable(const std::filesystem::path& file, Kind kind) {
        std::filesystem::create_directories(file.parent_path());
        std::filesystem::remove(file);
        if (kind == Kind::LinkToDevZero) {
            std::filesystem::create_symlink("/dev/zero", file);
        } else {
            ASSERT_EQ(mkfifo(file.c_str(), 0600), 0) << file;
        }
    }
    std::string Told(const std::filesystem::path& file) const {
        return "cannot read " + file.string() + ": not a regular file";
    }
};

TEST_F(UnreadableFilesTest, AFileThatIsNoRegularFileIsNamedAndTheStartFinishes) {
    CopySkins();
    const struct {
        const char* what;
        std::filesystem::path file;
        bool startEnds;  // the program cannot run without it
    } files[] = {
        {"settings file", m_config / "tessel" / "HKEY_CURRENT_USER.reg", false},
        {"scene-mode file", m_root / "home" / "Documents" / "Tessel_09A" / "$Profile0", false},
        {"colour file", m_programFolder / "Skins" / "UserDengColor_0.userd", false},
        {"language file", m_programFolder / "Lang0409.ini", false},
        {"skin file", m_programFolder / "Skins" / "Main.ini", true},
    };
    for (const auto& each : files) {
        for (Kind kind : {Kind::LinkToDevZero, Kind::Fifo}) {
            SCOPED_TRACE(std::string(each.what) +
                         (kind == Kind::Fifo ? " as a FIFO" : " as a link to /dev/zero"));
            // The real file, kept aside while its place is taken.
            const auto kept = each.file.string() + ".kept";
            const bool existed = std::filesystem::is_regular_file(each.file);
            if (existed) {
                std::filesystem::rename(each.file, kept);
            }
            MakeUnreadable(each.file, kind);

            const pid_t program = Start({"/Start"});
            if (each.startEnds) {
                const std::optional<int> status = WaitForExit(program, kBound);
                ASSERT_TRUE(status) << "the start did not end";
                EXPECT_NE(*status, 0);
            } else {
                ASSERT_TRUE(WaitUntilAnswering(program)) << ErrorOutput(program);
                EXPECT_TRUE(Eventually([&] {
                    return ErrorOutput(program).find(Told(each.file)) != std::string::npos;
                })) << ErrorOutput(program);
                std::string errors;
                EXPECT_EQ(Run({"/Kill"}, &errors), 0) << errors;
                EXPECT_EQ(WaitForExit(program, kBound), 0) << "the instance did not end";
            }
            EXPECT_NE(ErrorOutput(program).find(Told(each.file)), std::string::npos)
                << ErrorOutput(program);

            std::filesystem::remove(each.file);
            if (existed) {
                std::filesystem::rename(kept, each.file);
            }
        }
    }
}

// A whole JPEG whose frame header claims 60000 x 60000 pixels: refused before
// anything is decoded, instead of gigabytes allocated for a picture that is not there.
TEST_F(UnreadableFilesTest, ABackgroundDeclaringHugeDimensionsEndsTheStartWithAReason) {
    CopySkins();
    const auto background = m_programFolder / "Skins" / "main_bg.jpg";
    std::string bytes;
    {
        std::ifstream in(background, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const auto frame = bytes.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos) << "the shipped background is no baseline JPEG";
    bytes.replace(frame + 5, 4, "\xEA\x60\xEA\x60");
    std::ofstream(background, std::ios::binary | std::ios::trunc) << bytes;

    const pid_t program = Start({"/Start"});
    const std::optional<int> status = WaitForExit(program, kBound);
    ASSERT_TRUE(status) << "the start did not end";
    EXPECT_NE(*status, 0);
    EXPECT_NE(ErrorOutput(program).find("declares 60000 x 60000 pixels"), std::string::npos)
        << ErrorOutput(program);
}

}  // namespace
}  // namespace tessel::testing
