#pragma once

#include <QLatin1String>
#include <QtGlobal>

// Sections, keys and fixed texts of the profiles and the output settings dialog.
namespace velmora::profiles {

namespace key {
inline constexpr QLatin1String Main{"Main"};
inline constexpr QLatin1String Type{"Type"};
inline constexpr QLatin1String Items{"Items"};
inline constexpr QLatin1String Caption{"Caption"};
inline constexpr QLatin1String Index{"Index"};
inline constexpr QLatin1String Value{"value"};
inline constexpr QLatin1String Description{"Description"};
} // namespace key

inline constexpr QLatin1String DefaultType{"avi"};
inline constexpr QLatin1String ProfileExtension{".bpf"};

namespace texts {
inline constexpr QLatin1String CurrentValue{QT_TRANSLATE_NOOP("Velmora", "Current Value: ")};
inline constexpr QLatin1String Mp3Caption{"MP3"};
inline constexpr QLatin1String Mp2Caption{"MP2"};
inline constexpr QLatin1String PcmCaption{"PCM"};

inline constexpr QLatin1String InvalidVideoBitrateTitle{QT_TRANSLATE_NOOP("Velmora", "Invalid Video Bitrate")};
inline constexpr QLatin1String InvalidVideoBitrateText{QT_TRANSLATE_NOOP("Velmora", "The video bitrate is invalid.")};
inline constexpr QLatin1String InvalidWidthTitle{QT_TRANSLATE_NOOP("Velmora", "Invalid Width")};
inline constexpr QLatin1String InvalidWidthText{QT_TRANSLATE_NOOP("Velmora", "The output width is invalid.")};
inline constexpr QLatin1String InvalidHeightTitle{QT_TRANSLATE_NOOP("Velmora", "Invalid Height")};
inline constexpr QLatin1String InvalidHeightText{QT_TRANSLATE_NOOP("Velmora", "The output height is invalid.")};
inline constexpr QLatin1String InvalidSampleRateTitle{QT_TRANSLATE_NOOP("Velmora", "Invalid Sample Rate")};
inline constexpr QLatin1String InvalidSampleRateText{QT_TRANSLATE_NOOP("Velmora", "The sample rate is invalid.")};
inline constexpr QLatin1String InvalidAudioBitrateTitle{QT_TRANSLATE_NOOP("Velmora", "Invalid Audio Bitrate")};
inline constexpr QLatin1String InvalidAudioBitrateText{QT_TRANSLATE_NOOP("Velmora", "The Audio bitrate is invalid.")};
inline constexpr QLatin1String Mp2LimitText{QT_TRANSLATE_NOOP("Velmora", "The maximum value of audio bitrate for MP2 codec is 128")};
inline constexpr QLatin1String Mp2LimitValue{"128"};
inline constexpr int Mp2Limit = 128;
} // namespace texts

} // namespace velmora::profiles
