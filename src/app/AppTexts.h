#pragma once

#include <QLatin1String>
#include <QtGlobal>

// Texts of the program body, the main window, the About box and the preview.
namespace velmora::app::texts {

inline constexpr QLatin1String ProductName{"Velmora"};
inline constexpr QLatin1String MakerName{"Velmora"};
inline constexpr QLatin1String MakerNotice{"Copyright (C) 2026 Velmora"};
inline constexpr QLatin1String MakerWebsite{"https://velmora.example.org"};
inline constexpr QLatin1String TechSupportAddress{"velmora-support@example.org"};
inline constexpr QLatin1String SalesAddress{"velmora-sales@example.org"};
inline constexpr QLatin1String MailTo{"mailto:"};
inline constexpr QLatin1String VersionPrefix{QT_TRANSLATE_NOOP("Velmora", "Version ")};
inline constexpr QLatin1String SaveDefaultExt{"avi"};
// The notification at the end of a job while the window is in the background: the rows
// joined, the output's file name and its play time.
inline constexpr QLatin1String JoinedNotice{QT_TRANSLATE_NOOP("Velmora", "Joined %1 files into %2 (%3)")};
inline constexpr QLatin1String OpenFolderAction{QT_TRANSLATE_NOOP("Velmora", "Open Folder")};

inline constexpr QLatin1String PreviewTitle{QT_TRANSLATE_NOOP("Velmora", "Preview - %1")};
inline constexpr QLatin1String PreviewPlay{QT_TRANSLATE_NOOP("Velmora", "Play")};
inline constexpr QLatin1String PreviewPause{QT_TRANSLATE_NOOP("Velmora", "Pause")};
inline constexpr QLatin1String PreviewTime{"%1 / %2"};
inline constexpr QLatin1String PreviewKeepsWhole{QT_TRANSLATE_NOOP("Velmora", "Keeps the whole clip (%1)")};
inline constexpr QLatin1String PreviewKeepsPart{QT_TRANSLATE_NOOP("Velmora", "Keeps %1 to %2 (%3)")};
inline constexpr QLatin1String PreviewCopyNote{QT_TRANSLATE_NOOP("Velmora",
    "This profile joins without re-encoding: a clip can only start at a key picture (marked under the slider).")};
inline constexpr QLatin1String PreviewFindingKeys{QT_TRANSLATE_NOOP("Velmora", "Finding the key pictures...")};
inline constexpr QLatin1String PreviewStartWaits{QT_TRANSLATE_NOOP("Velmora",
    "The start goes to the key picture at or before %1 as soon as the key pictures are found.")};
inline constexpr QLatin1String PreviewStartMoved{QT_TRANSLATE_NOOP("Velmora",
    "The start moved back from %1 to the key picture at %2: without re-encoding a clip can only start at a key picture.")};
inline constexpr QLatin1String PreviewKeysUnknown{QT_TRANSLATE_NOOP("Velmora",
    "The key pictures of this clip could not be read: without re-encoding the join may start the clip earlier than set.")};
inline constexpr QLatin1String PreviewKeysPartly{QT_TRANSLATE_NOOP("Velmora",
    "The key pictures of this clip could be read only up to %1: a start after it may begin earlier than set.")};
inline constexpr QLatin1String PreviewEndBeforeStart{QT_TRANSLATE_NOOP("Velmora", "The end must come after the start (%1).")};
inline constexpr QLatin1String PreviewStartAfterEnd{QT_TRANSLATE_NOOP("Velmora", "The start must come before the end (%1).")};
inline constexpr QLatin1String PreviewOutsideClip{QT_TRANSLATE_NOOP("Velmora", "Nothing of the clip would be kept.")};
inline constexpr QLatin1String PreviewCannotPlay{QT_TRANSLATE_NOOP("Velmora", "This clip cannot be played here: %1")};

struct Product
{
    QLatin1String name;
    QLatin1String page;
};
inline constexpr Product Products[] = {
    {QLatin1String(QT_TRANSLATE_NOOP("Velmora", "Velmora Splitter - cut long videos into parts")), QLatin1String("https://velmora.example.org/splitter")},
    {QLatin1String(QT_TRANSLATE_NOOP("Velmora", "Velmora Converter - change a video's format")), QLatin1String("https://velmora.example.org/converter")},
    {QLatin1String(QT_TRANSLATE_NOOP("Velmora", "Velmora Snapshot - pictures from your videos")), QLatin1String("https://velmora.example.org/snapshot")},
};

} // namespace velmora::app::texts
