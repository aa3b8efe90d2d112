// The program in German, French and Spanish: the language chosen from the user's, the .ts
// files complete and faithful to their sources' placeholders and accelerators, no English left
// in the windows under German, and the terminal join speaking French while its JSON stays English.

#include "app/About.h"
#include "app/AppRun.h"
#include "prefs/Settings.h"
#include "profiles/OutputSettings.h"
#include "platform/Translation.h"
#include "support/FakeSeams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

using namespace velmora;
using velmora::test::AppRun;
using velmora::test::FakeSeams;
using velmora::test::TestFolder;

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty for a finished one
};

QList<Message> readTs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Cannot read %s", qPrintable(path));
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    // <byte value="xd"/> stands for a character XML cannot hold.
    const auto readText = [&xml] {
        QString text;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isCharacters())
                text += xml.text();
            else if (xml.isStartElement() && xml.name() == QLatin1String("byte"))
                text += QChar(xml.attributes().value(QLatin1String("value")).toString().toInt(nullptr, 16));
            else if (xml.isEndElement() && xml.name() != QLatin1String("byte"))
                break;
        }
        return text;
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            message = Message{context, {}, {}, {}};
        else if (xml.name() == QLatin1String("source"))
            message.source = readText();
        else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = readText();
            messages << message;
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return messages;
}

QString tsFile(const QString &language)
{
    return QStringLiteral(VELMORA_TS_DIR "/velmora_%1.ts").arg(language);
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d+)"));
    QStringList found;
    for (const QRegularExpressionMatch &match : marker.globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

// The accelerator marks: "&" before a character, "&&" being a written ampersand.
int accelerators(const QString &text)
{
    return QString(text).remove(QStringLiteral("&&")).count(QLatin1Char('&'));
}

// Every text a window draws: titles, captions, tooltips, accessible names, header labels,
// list items, menus.
QStringList drawnTexts(QWidget *window)
{
    QStringList texts{window->windowTitle()};
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets << window;
    for (QWidget *widget : std::as_const(widgets)) {
        texts << widget->toolTip() << widget->accessibleName() << widget->accessibleDescription() << widget->statusTip();
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts << button->text();
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            texts << group->title();
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto *tree = qobject_cast<QTreeWidget *>(widget))
            for (int i = 0; i < tree->columnCount(); ++i)
                texts << tree->headerItem()->text(i) << tree->headerItem()->toolTip(i);
        if (auto *menu = qobject_cast<QMenu *>(widget))
            texts << menu->title();
        for (QAction *action : widget->actions())
            texts << action->text() << action->toolTip() << action->iconText() << action->statusTip();
    }
    for (QAction *action : window->findChildren<QAction *>())
        texts << action->text() << action->toolTip() << action->statusTip();
    texts.removeAll(QString());
    return texts;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesTheUsersLanguage_data()
    {
        QTest::addColumn<QStringList>("wanted");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("German") << QStringList{"de-DE", "de"} << "de";
        QTest::newRow("Austrian German") << QStringList{"de-AT"} << "de";
        QTest::newRow("LANGUAGE list, first one had") << QStringList{"fr-CA", "en-US"} << "fr";
        QTest::newRow("first one not had") << QStringList{"it-IT", "es-ES"} << "es";
        QTest::newRow("English before German") << QStringList{"en-GB", "de-DE"} << "en";
        QTest::newRow("none had") << QStringList{"ja-JP"} << "";
        QTest::newRow("underscore form") << QStringList{"es_MX"} << "es";
    }
    void choosesTheUsersLanguage()
    {
        QFETCH(QStringList, wanted);
        QFETCH(QString, chosen);
        QCOMPARE(platform::ChooseLanguage(wanted), chosen);
    }

    void translationsAreCompleteAndFaithful_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : platform::TranslatedLanguages())
            QTest::newRow(qPrintable(language)) << language;
    }
    void translationsAreCompleteAndFaithful()
    {
        QFETCH(QString, language);
        const QList<Message> messages = readTs(tsFile(language));
        QVERIFY(messages.size() > 200);
        QStringList faults;
        for (const Message &message : messages) {
            const QString where = message.context + QStringLiteral(": \"") + message.source + QLatin1Char('"');
            if (!message.type.isEmpty())
                faults << message.type + QStringLiteral(" - ") + where;
            else if (message.translation.trimmed().isEmpty())
                faults << QStringLiteral("empty - ") + where;
            if (placeholders(message.translation) != placeholders(message.source))
                faults << QStringLiteral("placeholders differ - ") + where;
            if (accelerators(message.source) != accelerators(message.translation))
                faults << QStringLiteral("accelerators differ - ") + where;
            // Texts the code takes apart: a paragraph break, a filter's "|" fields.
            if (message.source.count(QStringLiteral("\n\n")) != message.translation.count(QStringLiteral("\n\n"))
                || message.source.count(QLatin1Char('|')) != message.translation.count(QLatin1Char('|')))
                faults << QStringLiteral("structure differs - ") + where;
        }
        if (!faults.isEmpty())
            QFAIL(qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // What scripts read stays English: a message made of a translated text is told again in
    // English, the values in its placeholders kept, whatever order the translation puts them in.
    void messagesToldAgainInEnglish_data()
    {
        QTest::addColumn<QString>("english"); // a fixed text
        QTest::addColumn<QStringList>("values");
        QTest::newRow("no values") << "Please add at least 2 videos to the task for joining." << QStringList{};
        QTest::newRow("one value") << "Velmora could not convert %1." << QStringList{"/v/a b.mp4"};
        QTest::newRow("two values") << "The joined file was kept as %1 (%2)." << QStringList{"/o/x (1).mkv", "3.5 s"};
        QTest::newRow("three values, one over two lines")
            << "%1 gave %2 s of its %3 s; the file may be damaged." << QStringList{"/v/c\nd.mts", "2.0", "4.0"};
    }
    void messagesToldAgainInEnglish()
    {
        QFETCH(QString, english);
        QFETCH(QStringList, values);
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(VELMORA_QM_DIR "/velmora_de.qm")));
        QCoreApplication::installTranslator(&german);
        const auto removed = qScopeGuard([&german] { QCoreApplication::removeTranslator(&german); });
        platform::rememberTranslations();
        const QByteArray source = english.toUtf8();
        QString shown = platform::translated(source.constData());
        QVERIFY2(shown != english, qPrintable(shown));
        QString expected = english;
        for (const QString &value : std::as_const(values)) {
            shown = shown.arg(value);
            expected = expected.arg(value);
        }
        QCOMPARE(platform::inEnglish(shown), expected);
        QCOMPARE(platform::inEnglish(QStringLiteral("Etwas ganz anderes")), QStringLiteral("Etwas ganz anderes"));
    }

    void windowsShowNoEnglishUnderGerman()
    {
        // English texts that German writes differently; a text that is the same in both (Start,
        // Version, Status) is no fault.
        QSet<QString> english;
        for (const Message &message : readTs(tsFile(QStringLiteral("de"))))
            if (message.translation != message.source) {
                english << message.source;
                english << QString(message.source).remove(QLatin1Char('&'));
            }
        QVERIFY(english.contains(QStringLiteral("Task List")));

        qputenv("LANGUAGE", "de");
        QCOMPARE(platform::InstallTranslators(QStringLiteral(VELMORA_QM_DIR)), QString("de"));
        FakeSeams seams;
        TestFolder folder;
        AppRun run(folder);
        QCOMPARE(run.child<QTreeWidget>("ltvTask")->headerItem()->text(0), QString("Eingabedatei"));
        QCOMPARE(run.action("tbtnStop")->text(), QString("Stopp"));

        QWidget *windows[] = {&run.main(), &run.program.AboutForm(), &run.program.SettingForm(), &run.program.opSettingForm()};
        QStringList left;
        int seen = 0;
        for (QWidget *window : windows) {
            QVERIFY(window);
            for (const QString &text : drawnTexts(window)) {
                ++seen;
                if (english.contains(text) || english.contains(QString(text).remove(QLatin1Char('&'))))
                    left << window->objectName() + QStringLiteral(": ") + text;
            }
        }
        QVERIFY2(seen > 100, qPrintable(QString::number(seen)));
        left.removeDuplicates();
        if (!left.isEmpty())
            QFAIL(qPrintable(QStringLiteral("English left:\n") + left.join(QLatin1Char('\n'))));

        // The task list's menu, made in code.
        QMenu *menu = run.main().findChild<QMenu *>("ppmTask");
        QVERIFY(menu);
        QStringList items;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                items << action->text();
        QVERIFY2(items.contains(QStringLiteral("Dateien hinzufügen...")), qPrintable(items.join(", ")));
        for (const QString &item : std::as_const(items))
            QVERIFY2(!english.contains(item), qPrintable(item));
    }

    void terminalJoinSpeaksFrenchButItsJsonStaysEnglish()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES"})
            environment.remove(QString::fromLatin1(name));
        environment.insert("LANGUAGE", "fr");
        environment.insert("LANG", "fr_FR.UTF-8");
        const auto run = [&environment](const QStringList &arguments) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(VELMORA_PROGRAM), arguments);
            if (!process.waitForFinished(60000))
                process.kill();
            return std::pair{QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
        };

        const auto [usageOut, usageError] = run({"--join", "--progress=loud", "clip.mp4"});
        QVERIFY2(usageError.contains(QString::fromUtf8("--progress prend auto, bar, plain, json ou none, pas « loud »")),
                 qPrintable(usageError));
        QVERIFY2(usageError.contains("Voir velmora --help."), qPrintable(usageError));

        // Two files of a type Velmora does not take: said in French, refused in English JSON.
        for (const char *name : {"a.txt", "b.txt"}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const auto [jsonOut, jsonError] = run({"--join", "--progress=json", folder.filePath("a.txt"), folder.filePath("b.txt")});
        QVERIFY2(jsonError.contains(QString::fromUtf8("Velmora ne prend pas les fichiers de ce type")), qPrintable(jsonError));
        QVERIFY2(jsonOut.startsWith(QStringLiteral("{\"result\":\"refused\",\"status\":3,\"message\":"
                                                   "\"Please add at least 2 videos to the task for joining.\"")),
                 qPrintable(jsonOut));
        QVERIFY2(jsonOut.contains(QStringLiteral("\"elapsed\":")), qPrintable(jsonOut));
    }
};

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
