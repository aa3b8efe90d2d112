// The installed layout, from a temporary prefix: the launcher in bin starts the program in
// lib/velmora, which finds its profiles there, and with that folder read-only keeps each
// user's preferences in their own configuration folder. Nothing of the real home is touched.
#include "prefs/IniFile.h"
#include "support/Clips.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestFolder.h"
#include "tasks/InputTypes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QtTest>

#include <csignal>

#include <unistd.h>

using velmora::prefs::IniFile;
using velmora::test::TestFolder;
using velmora::test::makeReadOnly;
using velmora::test::undoReadOnly;

namespace {

// Whether the process catches SIGTERM yet (the mask of /proc/<pid>/status).
bool catchesTermination(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}

} // namespace

class tst_Install : public QObject
{
    Q_OBJECT

private:
    TestFolder m_folder;
    QString m_prefix;

    // Starts the installed program as the desktop's menu would, and ends it as a session does.
    int runOnce(const QStringList &arguments)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HOME", m_folder.file("home"));
        environment.insert("XDG_CONFIG_HOME", m_folder.file("home/.config"));
        environment.insert("XDG_CACHE_HOME", m_folder.file("home/.cache"));
        environment.insert("XDG_RUNTIME_DIR", m_folder.file("runtime"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(m_prefix + "/bin/velmora", arguments);
        if (!program.waitForStarted())
            return -1;
        // Ended only once it listens: an earlier signal would kill it outright.
        QElapsedTimer waited;
        waited.start();
        while (!catchesTermination(program.processId()) && waited.elapsed() < 20000)
            QTest::qWait(20);
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
            return -2;
        return program.exitCode();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_prefix = m_folder.mkdir("prefix");
        m_folder.mkdir("home");
        QVERIFY(QDir().mkpath(m_folder.file("runtime")));
        QFile::setPermissions(m_folder.file("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(VELMORA_CMAKE), {"--install", VELMORA_BINARY_DIR, "--prefix", m_prefix});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    }

    void layout()
    {
        for (const char *file : {"lib/velmora/velmora", "lib/velmora/asapi.dll", "lib/velmora/Preferences.ini",
                                 "lib/velmora/Tavisol.html", "lib/velmora/Profiles/MP4 - H.264 and AAC (plays everywhere).bpf",
                                 "share/applications/org.example.velmora.Velmora.desktop",
                                 "share/metainfo/org.example.velmora.Velmora.metainfo.xml",
                                 "share/icons/hicolor/scalable/apps/org.example.velmora.Velmora.svg",
                                 "share/icons/hicolor/48x48/apps/org.example.velmora.Velmora.png", "share/man/man1/velmora.1.gz",
                                 "share/man/man1/velmora-encoder.1.gz", "share/bash-completion/completions/velmora"})
            QVERIFY2(QFileInfo::exists(m_prefix + '/' + file), file);
        QCOMPARE(QFileInfo(m_prefix + "/bin/velmora").symLinkTarget(), m_prefix + "/lib/velmora/velmora");
        QCOMPARE(QFileInfo(m_prefix + "/bin/velmora-encoder").symLinkTarget(), m_prefix + "/lib/velmora/asapi.dll");

        // The installed program answers from a terminal, through its link, without a display.
        QProcess profiles;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        profiles.setProcessEnvironment(environment);
        profiles.start(m_prefix + "/bin/velmora", {"--list-profiles"});
        QVERIFY(profiles.waitForFinished(30000));
        QCOMPARE(profiles.exitCode(), 0);
        QVERIFY(profiles.readAllStandardOutput().split('\n').contains("MP4 - H.264 and AAC (plays everywhere)"));
    }

    // "Open With" in a file manager offers Velmora for the types its menu entry names: every
    // kind of file the task list takes must be among them, or under one of them, wherever the
    // desktop knows a type for the extension.
    void menuEntryNamesEveryInputType()
    {
        QStringList named;
        for (const QByteArray &line : m_folder.read("prefix/share/applications/org.example.velmora.Velmora.desktop").split('\n')) {
            if (line.startsWith("MimeType="))
                named = QString::fromUtf8(line.mid(9)).split(';', Qt::SkipEmptyParts);
        }
        QVERIFY(!named.isEmpty());
        const QMimeDatabase types;
        QSet<QString> offered;
        for (const QString &name : named)
            offered << types.mimeTypeForName(name).name(); // an alias counts as the type it stands for
        const auto isOffered = [&offered](const QMimeType &type) {
            const QStringList ancestors = type.allAncestors();
            return offered.contains(type.name())
                || std::any_of(ancestors.cbegin(), ancestors.cend(), [&offered](const QString &ancestor) { return offered.contains(ancestor); });
        };
        for (const QString &extension : velmora::tasks::InputExtensions()) {
            const QList<QMimeType> known = types.mimeTypesForFileName("clip" + extension);
            QVERIFY2(known.isEmpty() || std::any_of(known.cbegin(), known.cend(), isOffered), qPrintable(extension));
        }
    }

    void readOnlyProgramFolderKeepsPreferencesPerUser()
    {
        const QString appDir = m_prefix + "/lib/velmora";
        const QByteArray shipped = m_folder.read("prefix/lib/velmora/Preferences.ini");
        if (!makeReadOnly(appDir))
            QSKIP("this process cannot make the program folder read-only");
        const auto undo = qScopeGuard([&] { undoReadOnly(appDir); });
        const QString own = m_folder.file("home/.config/velmora/Preferences.ini");

        // The first start copies the shipped preferences; the close writes to the copy. The
        // profiles were found: the one that plays everywhere, chosen at the first start, is
        // the one kept.
        const QString clip = velmora::test::sharedClip();
        QCOMPARE(runOnce({clip}), 0);
        QVERIFY(QFileInfo::exists(own));
        const QStringList profiles = QDir(appDir + "/Profiles").entryList({"*.bpf"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
        QCOMPARE(IniFile(own).readInteger("Main", "Profile", -2), int(profiles.indexOf("MP4 - H.264 and AAC (plays everywhere).bpf")));
        QVERIFY(IniFile(own).readInteger("Main", "Profile", -2) >= 0);
        QCOMPARE(IniFile(own).readString("Main", "Version", {}), QString("1.5"));
        QCOMPARE(m_folder.read("prefix/lib/velmora/Preferences.ini"), shipped);

        // The next start reads the user's file: what it holds comes back at the close.
        IniFile(own).writeString("Main", "Output File", m_folder.file("home/joined.avi"));
        IniFile(own).writeInteger("Main", "Profile", 3);
        QCOMPARE(runOnce({}), 0);
        QCOMPARE(IniFile(own).readString("Main", "Output File", {}), m_folder.file("home/joined.avi"));
        QCOMPARE(IniFile(own).readInteger("Main", "Profile", -2), 3);
        QVERIFY(!QFileInfo::exists(appDir + "/temp"));
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
