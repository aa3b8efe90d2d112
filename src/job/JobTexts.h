#pragma once

#include <QLatin1String>
#include <QtGlobal>

// Texts of the join job.
namespace velmora::job::texts {

inline constexpr QLatin1String ReinstallText{QT_TRANSLATE_NOOP("Velmora", "Error. Please re-install Velmora")};
// Why the computer must not sleep, as the system's list of inhibitors shows it.
inline constexpr QLatin1String SleepInhibitReason{QT_TRANSLATE_NOOP("Velmora", "Joining videos")};

inline constexpr QLatin1String ConvertingTitle{QT_TRANSLATE_NOOP("Velmora", "Prepare (Converting):")};
inline constexpr QLatin1String JoiningTitle{QT_TRANSLATE_NOOP("Velmora", "Final Step: Joining all files...")};
inline constexpr QLatin1String CopyingTitle{QT_TRANSLATE_NOOP("Velmora", "Joining (copying):")};
inline constexpr QLatin1String CopyRefusedTitle{QT_TRANSLATE_NOOP("Velmora", "Cannot Join Without Re-encoding")};
inline constexpr QLatin1String CopyLossesTitle{QT_TRANSLATE_NOOP("Velmora", "Not Everything Can Be Kept")};
inline constexpr QLatin1String CopyLossesText{QT_TRANSLATE_NOOP("Velmora",
    "Joined without re-encoding, the output will not hold everything as the files do:\n\n%1\n\n"
    "Do you want to join them anyway? Click \"No\" to choose another profile.")};

inline constexpr QLatin1String AddMoreTitle{QT_TRANSLATE_NOOP("Velmora", "Add More Videos")};
inline constexpr QLatin1String AddMoreText{QT_TRANSLATE_NOOP("Velmora", "Please add at least 2 videos to the task for joining.")};
inline constexpr QLatin1String NoOutputPathTitle{QT_TRANSLATE_NOOP("Velmora", "Output path does not exist")};
inline constexpr QLatin1String NoOutputPathText{QT_TRANSLATE_NOOP("Velmora", "The output path does not exist. Please specify another one.")};
inline constexpr QLatin1String NoFileNameTitle{QT_TRANSLATE_NOOP("Velmora", "Icorrect Filename")};
inline constexpr QLatin1String NoFileNameText{QT_TRANSLATE_NOOP("Velmora", "Please specify the output file.")};
inline constexpr QLatin1String FileExistsTitle{QT_TRANSLATE_NOOP("Velmora", "File Exists")};
inline constexpr QLatin1String FileExistsText{QT_TRANSLATE_NOOP("Velmora",
    "The output file is existent. Do you want to continue and overwrite it? \n\rClick \"No\" to specify another output filename.")};
inline constexpr QLatin1String TempFolderTitle{QT_TRANSLATE_NOOP("Velmora", "Temporary Folder")};
inline constexpr QLatin1String TempFolderText{QT_TRANSLATE_NOOP("Velmora",
    "The temporary folder cannot be used. Please specify another one in the settings.")};
inline constexpr QLatin1String CancelTitle{QT_TRANSLATE_NOOP("Velmora", "Cancel")};
inline constexpr QLatin1String ConversionCanceledText{QT_TRANSLATE_NOOP("Velmora", "The Coversion is canceled.")};
inline constexpr QLatin1String JoiningCanceledText{QT_TRANSLATE_NOOP("Velmora", "The Joining is canceled.")};
inline constexpr QLatin1String ConversionFailedTitle{QT_TRANSLATE_NOOP("Velmora", "Conversion Failed")};
inline constexpr QLatin1String ConversionFailedText{QT_TRANSLATE_NOOP("Velmora", "Velmora could not convert %1.")};
inline constexpr QLatin1String JoiningFailedTitle{QT_TRANSLATE_NOOP("Velmora", "Joining Failed")};
inline constexpr QLatin1String JoiningFailedText{QT_TRANSLATE_NOOP("Velmora", "Velmora could not join the files into %1.")};
inline constexpr QLatin1String JoinedFileKeptText{QT_TRANSLATE_NOOP("Velmora", "The joined file was kept as %1 (%2).")};
inline constexpr QLatin1String CompleteTitle{QT_TRANSLATE_NOOP("Velmora", "Complete")};
inline constexpr QLatin1String CompleteText{QT_TRANSLATE_NOOP("Velmora", "The joining is completed successfully.")};
inline constexpr QLatin1String ShortInputText{QT_TRANSLATE_NOOP("Velmora", "%1 gave %2 s of its %3 s; the file may be damaged.")};
inline constexpr QLatin1String ConvertedUnreadableText{QT_TRANSLATE_NOOP("Velmora", "The converted file does not play.")};
inline constexpr QLatin1String JoinedUnreadableText{QT_TRANSLATE_NOOP("Velmora", "The joined file does not play.")};
inline constexpr QLatin1String JoinedShortText{QT_TRANSLATE_NOOP("Velmora", "The joined file plays %1 s of the %2 s that were joined.")};
inline constexpr QLatin1String CommandLineText{QT_TRANSLATE_NOOP("Velmora", "Command line: %1")};
inline constexpr QLatin1String ExitTitle{QT_TRANSLATE_NOOP("Velmora", "Exit")};
inline constexpr QLatin1String ExitText{QT_TRANSLATE_NOOP("Velmora", "A task is running. Do you want to stop it and exit?")};

inline constexpr QLatin1String StatusConverting{QT_TRANSLATE_NOOP("Velmora", "Converting")};
inline constexpr QLatin1String StatusWaiting{QT_TRANSLATE_NOOP("Velmora", "Waiting for joining")};
inline constexpr QLatin1String StatusJoining{QT_TRANSLATE_NOOP("Velmora", "Joining")};
inline constexpr QLatin1String StatusComplete{QT_TRANSLATE_NOOP("Velmora", "Complete")};
inline constexpr QLatin1String StatusStop{QT_TRANSLATE_NOOP("Velmora", "Stop")};
inline constexpr QLatin1String StatusFailed{QT_TRANSLATE_NOOP("Velmora", "Failed")};

} // namespace velmora::job::texts
