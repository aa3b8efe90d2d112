#pragma once

#include "app/Main.h"
#include "app/Program.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

namespace velmora::test {

// One run of the program in a temporary program folder, shown on the offscreen screen.
struct AppRun
{
    explicit AppRun(const TestFolder &folder, const QStringList &arguments = {})
        : program(folder.path(), arguments)
    {
        program.show();
        if (!QTest::qWaitForWindowExposed(&main()))
            qWarning("The main window was not shown");
    }

    app::TMainForm &main() { return program.MainForm(); }
    template<typename T = QWidget>
    T *child(const char *name) { return main().findChild<T *>(QLatin1String(name)); }
    QAction *action(const char *name) { return child<QAction>(name); }
    QLineEdit *outputField() { return child<QLineEdit>("edtOutputFile"); }
    QComboBox *profiles() { return child<QComboBox>("cmbProfile"); }
    QTreeWidget *list() { return child<QTreeWidget>("ltvTask"); }

    void chooseProfile(int index)
    {
        profiles()->setCurrentIndex(index);
        Q_EMIT profiles()->activated(index);
    }

    // The captions of the rows, a "*" after each selected one.
    QStringList rows()
    {
        QStringList result;
        for (int row = 0; row < list()->topLevelItemCount(); ++row) {
            QTreeWidgetItem *item = list()->topLevelItem(row);
            result << item->text(0) + (item->isSelected() ? QStringLiteral("*") : QString());
        }
        return result;
    }

    bool taskButtonsEnabled()
    {
        bool all = true;
        bool none = true;
        for (const char *name : {"tbtnUp", "tbtnDown", "tbtnRemove", "tbtnClear", "tbtnStart"}) {
            all = all && action(name)->isEnabled();
            none = none && !action(name)->isEnabled();
        }
        if (!all && !none)
            qWarning("Some of the five list buttons are enabled, some not");
        return all;
    }

    app::Program program;
};

} // namespace velmora::test
