#pragma once

#include <QString>

namespace velmora::platform {
class SaveDialog;
}

namespace velmora::prefs {

// What to do with an output file that exists already. None: no rule was chosen, and the file
// is overwritten without a question.
enum class OverwriteRule { Ask, Overwrite, Rename, None };

// The run's current general settings as the job reads them, straight from the settings
// dialog's controls, saved or not.
class GeneralSettingsView
{
public:
    virtual ~GeneralSettingsView() = default;
    virtual QString tempDirText() const = 0;
    virtual bool openOutputFolder() const = 0;
    virtual bool exitProgram() const = 0;
    virtual bool turnOffComputer() const = 0;
    virtual OverwriteRule overwriteRule() const = 0;
};

// What the settings dialog needs of the main window: its output file field and the save
// dialog the two windows share.
class OutputFileField
{
public:
    virtual ~OutputFileField() = default;
    virtual QString outputFileText() const = 0;
    virtual void setOutputFileText(const QString &text) = 0;
    virtual platform::SaveDialog &outputSaveDialog() = 0;
};

} // namespace velmora::prefs
