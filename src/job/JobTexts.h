#pragma once

#include <QLatin1String>

// Texts of the join job.
namespace velmora::job::texts {

inline constexpr QLatin1String ReinstallText{"Error. Please re-install Velmora"};
// Why the computer must not sleep, as the system's list of inhibitors shows it.
inline constexpr QLatin1String SleepInhibitReason{"Joining videos"};

inline constexpr QLatin1String ConvertingTitle{"Prepare (Converting):"};
inline constexpr QLatin1String JoiningTitle{"Final Step: Joining all files..."};
inline constexpr QLatin1String CopyingTitle{"Joining (copying):"};
inline constexpr QLatin1String CopyRefusedTitle{"Cannot Join Without Re-encoding"};
// Trimmed rows, with a profile that copies.
inline constexpr QLatin1String CopyTrimmedText{
    "%1 cannot be joined without re-encoding as trimmed: this version cuts only in a join that re-encodes. Choose a profile "
    "that re-encodes, or Clear the trim in its preview."};
inline constexpr QLatin1String CopyLossesTitle{"Not Everything Can Be Kept"};
inline constexpr QLatin1String CopyLossesText{
    "Joined without re-encoding, the output will not hold everything as the files do:\n\n%1\n\n"
    "Do you want to join them anyway? Click \"No\" to choose another profile."};

inline constexpr QLatin1String AddMoreTitle{"Add More Videos"};
inline constexpr QLatin1String AddMoreText{"Please add at least 2 videos to the task for joining."};
inline constexpr QLatin1String NoOutputPathTitle{"Output path does not exist"};
inline constexpr QLatin1String NoOutputPathText{"The output path does not exist. Please specify another one."};
inline constexpr QLatin1String NoFileNameTitle{"Icorrect Filename"};
inline constexpr QLatin1String NoFileNameText{"Please specify the output file."};
inline constexpr QLatin1String FileExistsTitle{"File Exists"};
inline constexpr QLatin1String FileExistsText{
    "The output file is existent. Do you want to continue and overwrite it? \n\rClick \"No\" to specify another output filename."};
inline constexpr QLatin1String TempFolderTitle{"Temporary Folder"};
inline constexpr QLatin1String TempFolderText{
    "The temporary folder cannot be used. Please specify another one in the settings."};
inline constexpr QLatin1String CancelTitle{"Cancel"};
inline constexpr QLatin1String ConversionCanceledText{"The Coversion is canceled."};
inline constexpr QLatin1String JoiningCanceledText{"The Joining is canceled."};
inline constexpr QLatin1String ConversionFailedTitle{"Conversion Failed"};
inline constexpr QLatin1String ConversionFailedText{"Velmora could not convert %1."};
inline constexpr QLatin1String JoiningFailedTitle{"Joining Failed"};
inline constexpr QLatin1String JoiningFailedText{"Velmora could not join the files into %1."};
inline constexpr QLatin1String JoinedFileKeptText{"The joined file was kept as %1 (%2)."};
inline constexpr QLatin1String CompleteTitle{"Complete"};
inline constexpr QLatin1String CompleteText{"The joining is completed successfully."};
inline constexpr QLatin1String ShortInputText{"%1 gave %2 s of its %3 s; the file may be damaged."};
inline constexpr QLatin1String ConvertedUnreadableText{"The converted file does not play."};
inline constexpr QLatin1String JoinedUnreadableText{"The joined file does not play."};
inline constexpr QLatin1String JoinedShortText{"The joined file plays %1 s of the %2 s that were joined."};
inline constexpr QLatin1String CommandLineText{"Command line: %1"};
inline constexpr QLatin1String ExitTitle{"Exit"};
inline constexpr QLatin1String ExitText{"A task is running. Do you want to stop it and exit?"};

inline constexpr QLatin1String StatusConverting{"Converting"};
inline constexpr QLatin1String StatusWaiting{"Waiting for joining"};
inline constexpr QLatin1String StatusJoining{"Joining"};
inline constexpr QLatin1String StatusComplete{"Complete"};
inline constexpr QLatin1String StatusStop{"Stop"};
inline constexpr QLatin1String StatusFailed{"Failed"};

} // namespace velmora::job::texts
