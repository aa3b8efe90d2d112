#pragma once

#include <QLatin1String>
#include <QString>

#include <array>

namespace velmora::profiles {

// The eleven option sections of a profile, in the order a profile is loaded.
enum class Section {
    VideoCodec,
    VideoSize,
    VideoBitrate,
    Aspect,
    AudioCodec,
    Mp3Encode,
    VbrQuality,
    AbrCbrBitrate,
    AudioBitrate,
    SampleRate,
    Channels,
};

inline constexpr std::array<Section, 11> AllSections = {
    Section::VideoCodec, Section::VideoSize,     Section::VideoBitrate, Section::Aspect,
    Section::AudioCodec, Section::Mp3Encode,     Section::VbrQuality,   Section::AbrCbrBitrate,
    Section::AudioBitrate, Section::SampleRate, Section::Channels,
};

// The sections' names in a profile file, in the order of Section. Each is also the hint of
// its list in the dialog.
inline constexpr std::array<QLatin1String, 11> SectionNames = {
    QLatin1String("Video Codec"),  QLatin1String("Video Size"),      QLatin1String("Video Bitrate"),
    QLatin1String("Aspect"),       QLatin1String("Audio Codec"),     QLatin1String("MP3 Encode"),
    QLatin1String("VBR Quality"),  QLatin1String("ABR CBR Bitrate"), QLatin1String("Audio Bitrate"),
    QLatin1String("Sample Rate"),  QLatin1String("Channels"),
};
static_assert(SectionNames.size() == AllSections.size());

constexpr QLatin1String sectionName(Section section)
{
    return SectionNames.at(static_cast<std::size_t>(section));
}

// The current output settings as the option builder reads them. The output settings dialog
// holds them in its controls; this view only looks.
class OutputSettingsView
{
public:
    virtual ~OutputSettingsView() = default;
    // The selected position of the section's list, -1 when nothing is selected.
    virtual int selectedIndex(Section section) const = 0;
    // The list's current text: the selected caption, or what was typed into an editable list.
    virtual QString currentText(Section section) const = 0;
    // True while the picture size comes from the size list, false for the manual size.
    virtual bool sizeFromList() const = 0;
    virtual QString manualWidth() const = 0;
    virtual QString manualHeight() const = 0;
};

} // namespace velmora::profiles
