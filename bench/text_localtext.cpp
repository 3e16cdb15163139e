// Cost of a language-file lookup: the first one after a file changed (cold),
// a repeated one (warm), one within the moment after a change, and the 500
// lookups of relabelling every key button.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/posix/PrivateProfileCache.h"
#include "text/LanguageChoice.h"
#include "text/LocalText.h"

namespace tessel {
namespace {

namespace fs = std::filesystem;

// A program folder with the shipped language files, dated like installed
// files, and a registry that selects English.
class BenchFolder {
public:
    BenchFolder() {
        root_ = fs::temp_directory_path() / ("tessel-bench-text-" + std::to_string(::getpid()));
        fs::create_directories(root_);
        for (const char* name : {"Lang0409.ini", "Lang0804.ini"}) {
            fs::copy_file(fs::path(TESSEL_PROGRAM_DIR) / name, root_ / name,
                          fs::copy_options::overwrite_existing);
            Age(root_ / name);
        }
        registry_ = std::make_unique<Registry>(root_ / "user.reg");
        registry_->WriteDword(u"Software\\Zerkon_PX5", u"dwLanguageId", 1033);
        Age(root_ / "user.reg");
        choice_ = std::make_unique<LanguageChoice>(*registry_);
        files_ = std::make_unique<LanguageFiles>(root_);
        texts_ = std::make_unique<CurrentLanguageTexts>(*files_, *choice_);
    }
    ~BenchFolder() { fs::remove_all(root_); }

    static void Age(const fs::path& file) {
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }

    const CurrentLanguageTexts& Texts() const { return *texts_; }
    const LanguageChoice& Choice() const { return *choice_; }
    const LanguageFiles& Files() const { return *files_; }
    fs::path English() const { return root_ / "Lang0409.ini"; }

private:
    fs::path root_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<LanguageChoice> choice_;
    std::unique_ptr<LanguageFiles> files_;
    std::unique_ptr<CurrentLanguageTexts> texts_;
};

BenchFolder& Folder() {
    static BenchFolder folder;
    return folder;
}

// The text keys of the 104 key buttons, repeated to 500 lookups.
std::vector<std::u16string> RelabelKeys() {
    std::vector<std::u16string> base;
    for (char c = 'A'; c <= 'Z'; ++c) {
        base.push_back(u"IDS_KEYBOARD_" + std::u16string(1, static_cast<char16_t>(c)));
    }
    for (int f = 1; f <= 12; ++f) {
        const std::string n = std::to_string(f);
        base.push_back(u"IDS_KEYBOARD_F" + std::u16string(n.begin(), n.end()));
    }
    for (const char16_t* key :
         {u"IDS_KEYBOARD_ESC", u"IDS_KEYBOARD_TAB", u"IDS_KEYBOARD_CAPS", u"IDS_KEYBOARD_LSHIFT",
          u"IDS_KEYBOARD_RSHIFT", u"IDS_KEYBOARD_SPACE", u"IDS_KEYBOARD_S_ENTER",
          u"IDS_KEYBOARD_PAGE_DOWN"}) {
        base.push_back(key);
    }
    std::vector<std::u16string> keys;
    while (keys.size() < 500) {
        keys.push_back(base[keys.size() % base.size()]);
    }
    return keys;
}

void BM_LocalTextCold(benchmark::State& state) {
    const CurrentLanguageTexts& texts = Folder().Texts();
    for (auto _ : state) {
        PrivateProfileCache::Instance().Forget(Folder().English());
        benchmark::DoNotOptimize(texts.LocalText(u"IDS_KEYBOARD_ESC"));
    }
}
BENCHMARK(BM_LocalTextCold);

void BM_LocalTextWarm(benchmark::State& state) {
    const CurrentLanguageTexts& texts = Folder().Texts();
    benchmark::DoNotOptimize(texts.LocalText(u"IDS_KEYBOARD_ESC"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(texts.LocalText(u"IDS_KEYBOARD_ESC"));
    }
}
BENCHMARK(BM_LocalTextWarm);

// Within two seconds of a change the file is read at every lookup, so a
// second change in the same clock tick is not missed.
// The two halves of a warm lookup: the stored language and the file's text.
void BM_LanguageIndex(benchmark::State& state) {
    const LanguageChoice& choice = Folder().Choice();
    for (auto _ : state) {
        benchmark::DoNotOptimize(choice.LanguageIndex());
    }
}
BENCHMARK(BM_LanguageIndex);

void BM_LanguageFileText(benchmark::State& state) {
    const LanguageFiles& files = Folder().Files();
    for (auto _ : state) {
        benchmark::DoNotOptimize(files.LocalText(u"IDS_KEYBOARD_ESC", 1));
    }
}
BENCHMARK(BM_LanguageFileText);

void BM_LocalTextJustChanged(benchmark::State& state) {
    const CurrentLanguageTexts& texts = Folder().Texts();
    fs::last_write_time(Folder().English(), fs::file_time_type::clock::now());
    for (auto _ : state) {
        benchmark::DoNotOptimize(texts.LocalText(u"IDS_KEYBOARD_ESC"));
    }
    BenchFolder::Age(Folder().English());
}
BENCHMARK(BM_LocalTextJustChanged);

void BM_Relabel500Keys(benchmark::State& state) {
    const CurrentLanguageTexts& texts = Folder().Texts();
    const std::vector<std::u16string> keys = RelabelKeys();
    for (auto _ : state) {
        for (const std::u16string& key : keys) {
            benchmark::DoNotOptimize(texts.LocalText(key));
        }
    }
}
BENCHMARK(BM_Relabel500Keys)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessel

BENCHMARK_MAIN();
