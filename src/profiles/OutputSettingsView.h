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

// The section's name in a profile file, also the hint of its list in the dialog.
QLatin1String sectionName(Section section);

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
