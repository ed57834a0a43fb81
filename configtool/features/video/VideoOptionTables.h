#pragma once
// The texts and device values of the video settings' combos, the fillers of the encoding page's
// combos, and the camera family that the encoding page shares with those fillers.

#include <map>
#include <optional>
#include <span>

#include "platform/ui/UIlib.h"

// Item index -> device value of one combo, filled together with the combo. A key added twice
// keeps its first value.
using VideoIndexMap = std::map<int, int>;

// The index that selects no item.
inline constexpr int kNoOption = -1;

struct VideoOption {
  const char* text;
  int value;  // the device value; the item index where the combo sends its index
};

// The family of the camera whose encoding page was built last: 0, 2 or 3. The encoding page sets
// it while it is built; the frame-size and encode-type fillers choose their rows by it.
int VideoHardwareFamily();
void SetVideoHardwareFamily(int family);
// Hardware types 2 and 3 are families of their own; every other type is family 0.
int VideoFamilyOfHardwareType(int hardwareType);

// Adds an item per option to the combo (when it exists) and records index -> value in the map
// (when given, even without the combo).
void FillOptionCombo(ui::CComboUI* combo, std::span<const VideoOption> options, VideoIndexMap* map);

// The index of the combo's selected item; nullopt for a missing combo or no selection.
std::optional<int> SelectedIndex(const ui::CComboUI* combo);
// The device value of the combo's selected item; nullopt without a selection or a value for it.
std::optional<int> SelectedOptionValue(const ui::CComboUI* combo, const VideoIndexMap& map);
// The first item index whose device value is `value`; kNoOption when none has it.
int OptionIndexOfValue(const VideoIndexMap& map, int value);
// Selects item `index` of the combo (when it exists), a code change; out of range selects nothing.
void SelectOption(ui::CComboUI* combo, int index);

// The encoding page's combos that FillVideoCombo fills.
enum class VideoCombo { FrameSize, FrameRate, EncodeType, RateControl, Quality };
// Fills one of them with its rows for VideoHardwareFamily(); the rate-control combo takes no map.
// A family without rows (frame sizes of family 3) adds nothing.
void FillVideoCombo(VideoCombo which, ui::CComboUI* combo, VideoIndexMap* map);

// The stream-type combo of family 3: the item index is the stream number.
std::span<const VideoOption> StreamTypeOptions();

// The image page's lists by page type (0, 2 or 3); an empty list where the type has none.
std::span<const VideoOption> FlickerOptions(int pageType);
std::span<const VideoOption> ShutterOptions(int pageType);
std::span<const VideoOption> NoiseModeOptions(int pageType);
std::span<const VideoOption> NoiseStrengthOptions(int pageType);
std::span<const VideoOption> FlipOptions();

// The on-screen text page's formats: the item index is the record's value.
std::span<const VideoOption> DateFormatOptions();
std::span<const VideoOption> TimeFormatOptions();
