#include "mainwindow/UnplacedKeysNotice.h"

#include <string>
#include <vector>

#include "model/ConfigStore.h"
#include "model/KeyCode.h"
#include "model/KeyNames.h"
#include "model/UnplacedAssignments.h"
#include "platform/Prompter.h"
#include "text/SafeFormat.h"
#include "text/TextLookup.h"

namespace tessel {

namespace {

constexpr char16_t kUnplacedTextKey[] = u"IDS_APPLY_UNPLACED";
constexpr int kFirstGKeyIndex = 256;
constexpr int kGKeysPerBank = 9;

std::u16string NameOf(int index, const TextLookup& texts, const LanguageTable& table) {
    if (index >= kFirstGKeyIndex) {
        const int position = index - kFirstGKeyIndex;
        return SafeFormat(position < kGKeysPerBank ? u"G%d" : u"G%d (B)",
                          {position % kGKeysPerBank + 1});
    }
    return KeyNameOf(KeyCodeOfIndex(static_cast<uint16_t>(index)), texts, table);
}

}  // namespace

bool TellUnplacedKeys(const ConfigStore& store, int profile, const KeyBlock& defaults,
                      Prompter& prompter, const TextLookup& texts, const LanguageTable& table) {
    std::vector<int> unplaced;
    {
        const auto lock = store.Lock();
        if (store.Image() != nullptr) {
            unplaced = UnplacedAssignments(*store.Image(), profile, defaults);
        }
    }
    if (unplaced.empty()) {
        return true;
    }
    std::u16string names;
    for (int index : unplaced) {
        names += (names.empty() ? u"" : u", ") + NameOf(index, texts, table);
    }
    prompter.ShowMessage(SafeFormat(texts.LocalText(kUnplacedTextKey), {names}), u"",
                         PromptButtons::Ok, PromptIcon::Warning);
    return false;
}

}  // namespace tessel
