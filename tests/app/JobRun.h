#pragma once

#include "app/AppRun.h"
#include "prefs/Settings.h"
#include "support/Clips.h"
#include "support/FakeEncoder.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>

#include <functional>

namespace velmora::test {

// Calls what when the condition first holds, looking every 10 ms.
inline void when(QObject *context, std::function<bool()> condition, std::function<void()> what)
{
    auto *timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, condition, what] {
        if (condition()) {
            timer->stop();
            timer->deleteLater();
            what();
        }
    });
    timer->start(10);
}

// A program folder ready for a whole job: a profile, a temporary folder of its own, and
// input clips named on the command line. The encoder is the build's own (asapi.dll) unless
// a fake one is given.
struct JobFolder
{
    explicit JobFolder(int clips = 2, const FakeEncoder *fake = nullptr)
    {
        folder.mkdir("Profiles");
        QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/data/Profiles/Small Files for the Web.bpf"),
                    folder.file("Profiles/Small Files for the Web.bpf"));
        if (fake)
            fake->installAs(folder.file("asapi.dll"));
        else
            QFile::link(QStringLiteral(VELMORA_ENCODER), folder.file("asapi.dll"));
        tempDir = folder.mkdir("scratch");
        outputDir = folder.mkdir("out");
        folder.write("Preferences.ini", ("[Main]\r\nTemp Dir=" + tempDir + "/\r\nOutput File=" + outputDir + "/joined.avi\r\n").toUtf8());
        ClipSpec second;
        second.size = "480x270";
        second.rate = 30;
        second.sampleRate = 22050;
        for (int i = 0; i < clips; ++i)
            inputs << copyClip(folder.file(QStringLiteral("in/clip %1.avi").arg(i)), i % 2 ? second : ClipSpec());
    }

    TestFolder folder;
    QString tempDir;
    QString outputDir;
    QStringList inputs;
};

struct JobRun : AppRun
{
    explicit JobRun(JobFolder &job)
        : AppRun(job.folder, job.inputs)
        , job(job)
    {
    }

    prefs::TSettingForm &settings() { return program.SettingForm(); }
    template<typename T = QWidget>
    T *setting(const char *name) { return settings().findChild<T *>(QLatin1String(name)); }
    void check(const char *name, bool on) { setting<QAbstractButton>(name)->setChecked(on); }

    void start() { action("tbtnStart")->trigger(); }
    void stop() { action("tbtnStop")->trigger(); }

    QStringList statuses()
    {
        QStringList result;
        for (int row = 0; row < list()->topLevelItemCount(); ++row)
            result << list()->topLevelItem(row)->text(3);
        return result;
    }

    // What the job left in the temporary folder.
    QStringList leftInTemp() const { return QDir(job.tempDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
    QStringList leftInOutput() const { return QDir(job.outputDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

    bool idleAgain()
    {
        return main().job()->state() == job::JobState::Idle && !child("panBottomLeft")->isVisible()
               && child("panBottomCenter")->isVisible() && action("tbtnStart")->isEnabled() && !action("tbtnStop")->isEnabled()
               && list()->isEnabled() && !main().jobActive();
    }

    JobFolder &job;
};

} // namespace velmora::test
