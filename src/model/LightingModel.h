#pragma once
// The host side of the keyboard's lighting: mirrors of the parameter area and the
// per-key colour area, the decoded values of the current profile, the custom
// modes and painting tools, and the writes that send each change at once.
//
// It owns the main window's current profile (0..3), the address of every
// lighting and key-colour write. Everything runs on the main window's thread;
// the frames go out as jobs of the keyboard's owner, so a change shows at once
// and reaches the keyboard in its turn.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "device/DeviceLink.h"
#include "device/KeyboardJobs.h"
#include "model/LightingButtons.h"
#include "model/LightingFiles.h"
#include "model/LightingSettings.h"

namespace tessel {

inline constexpr int kColourAreaProfileSize = kLedSlotCount * 3;

class LightingModel {
public:
    LightingModel(KeyboardJobs& keyboard, LightingFiles& files);

    int CurrentProfile() const { return currentProfile_; }
    // Values outside 0..3 are ignored.
    void SetCurrentProfile(int profile);

    // The current profile's decoded values, as the lighting panel shows them.
    const LightingSettings& Current() const { return current_; }
    std::span<const uint8_t, LightingSettings::kRecordSize> ParameterRecord(int profile) const;
    // The effect codes the keyboard offers, in menu order.
    const std::vector<int>& OfferedEffectCodes() const { return offeredEffects_; }
    bool OffersEffect(int code) const;

    // Reads the device information and the parameter area, decodes the current
    // profile and reads the per-key lighting switch, then calls `loaded` with
    // true; with false and no change when the device information cannot be
    // read. A record written after the load was asked for keeps its new bytes.
    void LoadLighting(std::function<void(bool loaded)> loaded);

    // One field of the current profile's record, bracketed as a transfer.
    void SetLightingField(int offset, std::span<const uint8_t> bytes);
    void SetBrightness(int position);
    void SetSpeedPosition(int position);
    void SetDirection(uint8_t direction);
    // A chosen colour turns the colourful flag off.
    void SetColour(ColourRef colour);
    void SetColourful(bool colourful);
    void SetReportRate(int rate);
    // Codes 1..7 only; false and nothing sent for any other.
    bool SelectEffect(int code);

    bool LightingSwitch() const { return lightingSwitch_; }
    // False when the setting could not be saved; the switch is set all the same.
    bool SetLightingSwitch(bool on);

    // Per-key colours of the current profile.
    ColourRef SlotColour(int slot) const;
    std::optional<ColourRef> ButtonColour(LightingButton button) const;
    bool IsLinked(LightingButton button) const;
    // Drops the change for a button without an LED slot; false then.
    bool SetKeyColour(LightingButton button, ColourRef colour, bool linked);
    void UploadKeyColours();

    // Custom modes of the current profile.
    int PresentMode() const { return presentMode_; }
    const ModeTools& Tools() const { return tools_; }
    const std::array<std::u16string, kCustomModeCount>& ModeNames() const { return modeNames_; }
    void ReloadModeNames();
    // When the keyboard offers the custom effect: the current profile's mode
    // names, then its present mode applied. False when it does not offer it.
    bool LoadCustomModes();
    void ApplyCustomMode(int profile, int mode);
    void SelectCustomMode(int mode);
    void RenameCustomMode(std::u16string_view name);
    void ChooseTool(int tool);
    void SetPlainCustomColour(ColourRef colour);
    // Repaints every linked key when the colour changes.
    void SetLinkedColour(ColourRef colour);
    // Paints with the chosen tool while the custom effect is selected; false when
    // nothing was painted.
    bool PaintKey(LightingButton button);

    void RestoreLightingDefaults();

    // The profile whose colour file missed a write since the last call, so
    // that the many writes of one user action are told once.
    std::optional<int> TakeUnsavedColourFile() { return std::exchange(unsavedColourFile_, {}); }

private:
    struct Field {
        int offset;
        std::span<const uint8_t> bytes;
    };
    void SendFields(std::initializer_list<Field> fields);
    struct LoadedLighting;
    void TakeLoadedLighting(const LoadedLighting& loaded, uint64_t askedAt);
    void DecodeCurrentProfile();
    std::span<uint8_t, LightingSettings::kRecordSize> Record(int profile);
    void StoreSlot(int profile, int slot, ColourRef colour);
    void SetLinkedFlag(int profile, LightingButton button, bool linked);
    void NoteColourWrite(bool written);

    KeyboardJobs& keyboard_;
    LightingFiles& files_;
    // When each profile's record was last written, on the clock of asks, so
    // a load asked for before a write does not undo it.
    uint64_t asks_ = 0;
    std::array<uint64_t, kProfileCount> recordWrittenAt_{};
    int currentProfile_ = 0;
    LightingSettings current_;
    std::vector<int> offeredEffects_;
    bool lightingSwitch_ = false;
    std::array<uint8_t, kProfileCount * LightingSettings::kRecordSize> parameters_{};
    std::array<uint8_t, kProfileCount * kColourAreaProfileSize> colours_{};
    std::array<std::vector<bool>, kProfileCount> linked_;
    int presentMode_ = 0;
    ModeTools tools_;
    std::array<std::u16string, kCustomModeCount> modeNames_;
    std::optional<int> unsavedColourFile_;
};

}  // namespace tessel
