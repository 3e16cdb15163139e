#include "model/LightingModel.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "model/LightingEffects.h"

namespace tessel {
namespace {

constexpr int kMaxModeNameLength = 260;
// Colour frames of a whole profile: slots 0-17, 18-35, 36-53 and 54-63.
constexpr int kSlotsPerColourFrame = 18;

bool IsProfile(int profile) {
    return profile >= 0 && profile < kProfileCount;
}

std::array<uint8_t, 3> RgbBytes(ColourRef colour) {
    return {RedOf(colour), GreenOf(colour), BlueOf(colour)};
}

}  // namespace

struct LightingModel::LoadedLighting {
    std::array<uint8_t, kDeviceInfoSize> info{};
    std::array<uint8_t, kProfileCount * LightingSettings::kRecordSize> records{};
    bool infoRead = false;
    std::array<bool, kProfileCount> recordRead{};
};

LightingModel::LightingModel(KeyboardJobs& keyboard, LightingFiles& files)
    : keyboard_(keyboard), files_(files) {
    for (auto& flags : linked_) {
        flags.assign(static_cast<std::size_t>(LightingButtonTotal()), false);
    }
}

void LightingModel::SetCurrentProfile(int profile) {
    if (!IsProfile(profile)) {
        return;
    }
    currentProfile_ = profile;
    DecodeCurrentProfile();
}

std::span<const uint8_t, LightingSettings::kRecordSize> LightingModel::ParameterRecord(
    int profile) const {
    const int p = IsProfile(profile) ? profile : 0;
    return std::span<const uint8_t, LightingSettings::kRecordSize>(
        parameters_.data() + p * LightingSettings::kRecordSize, LightingSettings::kRecordSize);
}

std::span<uint8_t, LightingSettings::kRecordSize> LightingModel::Record(int profile) {
    return std::span<uint8_t, LightingSettings::kRecordSize>(
        parameters_.data() + profile * LightingSettings::kRecordSize,
        LightingSettings::kRecordSize);
}

bool LightingModel::OffersEffect(int code) const {
    return std::find(offeredEffects_.begin(), offeredEffects_.end(), code) != offeredEffects_.end();
}

void LightingModel::LoadLighting(std::function<void(bool)> loaded) {
    auto read = std::make_shared<LoadedLighting>();
    const uint64_t askedAt = ++asks_;
    keyboard_.Submit(
        [read](DeviceLink& link) {
            const int info = link.ReadDeviceInfo(read->info);
            if (info != 1) {
                return info;
            }
            read->infoRead = true;
            link.BeginTransfer();
            for (int p = 0; p < kProfileCount; ++p) {
                std::array<uint8_t, kFramePayloadSize> chunk{};
                if (link.ReadParameters(chunk, static_cast<int>(chunk.size()),
                                        p * LightingSettings::kRecordSize) == 1) {
                    std::copy(chunk.begin(), chunk.end(),
                              read->records.begin() + p * LightingSettings::kRecordSize);
                    read->recordRead[static_cast<std::size_t>(p)] = true;
                }
            }
            return link.EndTransfer();
        },
        [this, read, askedAt, loaded = std::move(loaded)](int) {
            // Without the device information nothing is known of the keyboard.
            if (read->infoRead) {
                TakeLoadedLighting(*read, askedAt);
            }
            if (loaded) {
                loaded(read->infoRead);
            }
        });
}

void LightingModel::TakeLoadedLighting(const LoadedLighting& loaded, uint64_t askedAt) {
    offeredEffects_ = OfferedEffects(loaded.info);
    for (int p = 0; p < kProfileCount; ++p) {
        // A record that cannot be read keeps what the mirror had, and so does
        // one the user changed since the load was asked for.
        if (loaded.recordRead[static_cast<std::size_t>(p)] &&
            recordWrittenAt_[static_cast<std::size_t>(p)] < askedAt) {
            std::copy_n(loaded.records.begin() + p * LightingSettings::kRecordSize,
                        LightingSettings::kRecordSize, Record(p).begin());
        }
    }
    DecodeCurrentProfile();
    lightingSwitch_ = files_.ReadLightingSwitch();
}

void LightingModel::DecodeCurrentProfile() {
    auto record = Record(currentProfile_);
    if (record[LightingSettings::kColourVariantOffset] > LightingSettings::kMaxColourVariant) {
        record[LightingSettings::kColourVariantOffset] = 0;
    }
    current_.Decode(record);
}

void LightingModel::SendFields(std::initializer_list<Field> fields) {
    struct Write {
        int offset;
        std::vector<uint8_t> bytes;
    };
    std::vector<Write> writes;
    for (const Field& field : fields) {
        const int end = field.offset + static_cast<int>(field.bytes.size());
        if (field.offset < 0 || end > LightingSettings::kRecordSize) {
            continue;
        }
        writes.push_back({currentProfile_ * LightingSettings::kRecordSize + field.offset,
                          std::vector<uint8_t>(field.bytes.begin(), field.bytes.end())});
        std::copy(field.bytes.begin(), field.bytes.end(),
                  Record(currentProfile_).begin() + field.offset);
    }
    recordWrittenAt_[static_cast<std::size_t>(currentProfile_)] = ++asks_;
    keyboard_.Submit([writes = std::move(writes)](DeviceLink& link) {
        link.BeginTransfer();
        for (const Write& write : writes) {
            link.WriteParameters(write.bytes, write.offset);
        }
        return link.EndTransfer();
    });
}

void LightingModel::SetLightingField(int offset, std::span<const uint8_t> bytes) {
    SendFields({{offset, bytes}});
}

void LightingModel::SetBrightness(int position) {
    current_.brightness = std::clamp(position, 0, LightingSettings::kMaxSliderPosition);
    const uint8_t byte = static_cast<uint8_t>(current_.brightness);
    SetLightingField(LightingSettings::kBrightnessOffset, std::span(&byte, 1));
}

void LightingModel::SetSpeedPosition(int position) {
    current_.speedPosition = std::clamp(position, 0, LightingSettings::kMaxSliderPosition);
    const uint8_t byte = SpeedByteOfPosition(current_.speedPosition);
    SetLightingField(LightingSettings::kSpeedOffset, std::span(&byte, 1));
}

void LightingModel::SetDirection(uint8_t direction) {
    current_.direction = direction;
    SetLightingField(LightingSettings::kDirectionOffset, std::span(&direction, 1));
}

void LightingModel::SetColour(ColourRef colour) {
    current_.colourful = false;
    current_.colour = colour;
    const uint8_t off = 0;
    const auto rgb = RgbBytes(colour);
    SendFields({{LightingSettings::kColourfulOffset, std::span(&off, 1)},
                {LightingSettings::kColourOffset, rgb}});
}

void LightingModel::SetColourful(bool colourful) {
    current_.colourful = colourful;
    const uint8_t flag = colourful ? 1 : 0;
    SetLightingField(LightingSettings::kColourfulOffset, std::span(&flag, 1));
}

void LightingModel::SetReportRate(int rate) {
    current_.reportRate = std::clamp(rate, 0, LightingSettings::kMaxReportRate);
    const uint8_t byte = static_cast<uint8_t>(current_.reportRate);
    SetLightingField(LightingSettings::kReportRateOffset, std::span(&byte, 1));
}

bool LightingModel::SelectEffect(int code) {
    if (!IsSelectableEffect(code)) {
        return false;
    }
    current_.effect = code;
    const uint8_t effect = static_cast<uint8_t>(code);
    const uint8_t colourful = current_.colourful ? 1 : 0;
    if (SelectionSendsColourful(code)) {
        SendFields({{LightingSettings::kEffectOffset, std::span(&effect, 1)},
                    {LightingSettings::kColourfulOffset, std::span(&colourful, 1)}});
    } else {
        SendFields({{LightingSettings::kEffectOffset, std::span(&effect, 1)}});
    }
    return true;
}

bool LightingModel::SetLightingSwitch(bool on) {
    lightingSwitch_ = on;
    return files_.WriteLightingSwitch(on);
}

ColourRef LightingModel::SlotColour(int slot) const {
    if (slot < 0 || slot >= kLedSlotCount) {
        return 0;
    }
    const auto* bytes = colours_.data() + currentProfile_ * kColourAreaProfileSize + slot * 3;
    return MakeColourRef(bytes[0], bytes[1], bytes[2]);
}

std::optional<ColourRef> LightingModel::ButtonColour(LightingButton button) const {
    const auto slot = LedSlotOf(button);
    if (!slot) {
        return std::nullopt;
    }
    return SlotColour(*slot);
}

bool LightingModel::IsLinked(LightingButton button) const {
    const auto number = LightingButtonNumber(button);
    return number &&
           linked_[static_cast<std::size_t>(currentProfile_)][static_cast<std::size_t>(*number)];
}

void LightingModel::SetLinkedFlag(int profile, LightingButton button, bool linked) {
    if (const auto number = LightingButtonNumber(button)) {
        linked_[static_cast<std::size_t>(profile)][static_cast<std::size_t>(*number)] = linked;
    }
}

void LightingModel::NoteColourWrite(bool written) {
    if (!written) {
        unsavedColourFile_ = currentProfile_;
    }
}

void LightingModel::StoreSlot(int profile, int slot, ColourRef colour) {
    const auto rgb = RgbBytes(colour);
    std::copy(rgb.begin(), rgb.end(),
              colours_.begin() + profile * kColourAreaProfileSize + slot * 3);
}

bool LightingModel::SetKeyColour(LightingButton button, ColourRef colour, bool linked) {
    const auto slot = LedSlotOf(button);
    if (!slot) {
        return false;
    }
    const auto rgb = RgbBytes(colour);
    keyboard_.Submit([profile = currentProfile_, rgb, slot = *slot](DeviceLink& link) {
        link.BeginTransfer();
        link.WriteKeyColours(profile, rgb, slot);
        return link.EndTransfer();
    });
    StoreSlot(currentProfile_, *slot, colour);
    SetLinkedFlag(currentProfile_, button, linked);
    NoteColourWrite(files_.WriteSlotColour(currentProfile_, presentMode_, *slot, {colour, linked}));
    return true;
}

void LightingModel::UploadKeyColours() {
    const auto start = colours_.begin() + currentProfile_ * kColourAreaProfileSize;
    std::array<uint8_t, kColourAreaProfileSize> profileColours{};
    std::copy_n(start, kColourAreaProfileSize, profileColours.begin());
    keyboard_.Submit([profile = currentProfile_, profileColours](DeviceLink& link) {
        const auto colours = std::span<const uint8_t>(profileColours);
        link.BeginTransfer();
        for (int first = 0; first < kLedSlotCount; first += kSlotsPerColourFrame) {
            const int count = std::min(kSlotsPerColourFrame, kLedSlotCount - first);
            link.WriteKeyColours(profile,
                                 colours.subspan(static_cast<std::size_t>(first * 3),
                                                 static_cast<std::size_t>(count * 3)),
                                 first);
        }
        return link.EndTransfer();
    });
}

void LightingModel::ReloadModeNames() {
    for (int n = 0; n < kCustomModeCount; ++n) {
        modeNames_[static_cast<std::size_t>(n)] = files_.ReadModeName(currentProfile_, n);
    }
}

bool LightingModel::LoadCustomModes() {
    if (!OffersEffect(kCustomEffect)) {
        return false;
    }
    ReloadModeNames();
    ApplyCustomMode(currentProfile_, files_.ReadPresentMode(currentProfile_));
    return true;
}

void LightingModel::ApplyCustomMode(int profile, int mode) {
    if (!IsProfile(profile)) {
        return;
    }
    const int m = ValidCustomMode(mode);
    if (profile == currentProfile_) {
        presentMode_ = m;
        tools_ = files_.ReadModeTools(profile, m);
    }
    // G keys are loaded too, so a G key's painted colour survives a reload.
    ForEachLightingButton([&](LightingButton button) {
        if (const auto slot = LedSlotOf(button)) {
            const KeyColourEntry stored = files_.ReadSlotColour(profile, m, *slot);
            StoreSlot(profile, *slot, stored.colour);
            SetLinkedFlag(profile, button, stored.linked);
        }
    });
    UploadKeyColours();
}

void LightingModel::SelectCustomMode(int mode) {
    presentMode_ = ValidCustomMode(mode);
    NoteColourWrite(files_.WritePresentMode(currentProfile_, presentMode_));
    ApplyCustomMode(currentProfile_, presentMode_);
}

void LightingModel::RenameCustomMode(std::u16string_view name) {
    const std::u16string_view kept = name.substr(0, kMaxModeNameLength);
    modeNames_[static_cast<std::size_t>(presentMode_)] = std::u16string(kept);
    NoteColourWrite(files_.WriteModeName(currentProfile_, presentMode_, kept));
}

void LightingModel::ChooseTool(int tool) {
    tools_.tool = tool == kLinkedColourTool ? kLinkedColourTool : kPlainColourTool;
    NoteColourWrite(files_.WriteModeTools(currentProfile_, presentMode_, tools_));
}

void LightingModel::SetPlainCustomColour(ColourRef colour) {
    tools_.plainColour = colour;
    NoteColourWrite(files_.WriteModeTools(currentProfile_, presentMode_, tools_));
}

void LightingModel::SetLinkedColour(ColourRef colour) {
    if (colour == tools_.linkedColour) {
        return;
    }
    tools_.linkedColour = colour;
    NoteColourWrite(files_.WriteModeTools(currentProfile_, presentMode_, tools_));
    ForEachLightingButton([&](LightingButton button) {
        const auto slot = LedSlotOf(button);
        if (slot && IsLinked(button)) {
            StoreSlot(currentProfile_, *slot, colour);
            NoteColourWrite(
                files_.WriteSlotColour(currentProfile_, presentMode_, *slot, {colour, true}));
        }
    });
    UploadKeyColours();
}

bool LightingModel::PaintKey(LightingButton button) {
    if (current_.effect != kCustomEffect) {
        return false;
    }
    const bool linked = tools_.tool == kLinkedColourTool;
    return SetKeyColour(button, linked ? tools_.linkedColour : tools_.plainColour, linked);
}

void LightingModel::RestoreLightingDefaults() {
    if (OffersEffect(kCustomEffect)) {
        NoteColourWrite(files_.CopyColourFile(3, currentProfile_));
        LoadCustomModes();
    }
    const auto record = DefaultLightingRecord(currentProfile_);
    SetLightingField(0, record);
    DecodeCurrentProfile();
}

}  // namespace tessel
