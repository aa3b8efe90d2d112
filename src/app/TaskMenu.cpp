#include "app/TaskMenu.h"

#include "tasks/TaskTexts.h"
#include "platform/Translation.h"

#include <QMenu>

namespace velmora::app {

QMenu *makeSortMenu(QWidget *parent, const QString &prefix, const std::function<void(tasks::SortKey)> &sort)
{
    auto *menu = new QMenu(platform::translated(tasks::texts::MenuSort), parent);
    menu->setObjectName(prefix + QStringLiteral("Sort"));
    menu->setAccessibleName(platform::translated(tasks::texts::MenuSort));
    menu->menuAction()->setObjectName(prefix + QStringLiteral("SortMenu"));
    const std::pair<const char *, std::pair<QLatin1String, tasks::SortKey>> entries[] = {
        {"SortByName", {tasks::texts::MenuSortByName, tasks::SortKey::FileName}},
        {"SortByTime", {tasks::texts::MenuSortByTime, tasks::SortKey::RecordingTime}},
        {"SortReverse", {tasks::texts::MenuSortReverse, tasks::SortKey::Reverse}},
    };
    for (const auto &[name, entry] : entries) {
        QAction *action = menu->addAction(platform::translated(entry.first));
        action->setObjectName(prefix + QLatin1String(name));
        const tasks::SortKey key = entry.second;
        QObject::connect(action, &QAction::triggered, menu, [sort, key] { sort(key); });
    }
    return menu;
}

QMenu *makeTaskMenu(QWidget *parent, const TaskMenuHandlers &handlers)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("ppmTask"));
    const auto add = [menu](const char *name, QLatin1String text, const std::function<void()> &handler) {
        QAction *action = menu->addAction(platform::translated(text));
        action->setObjectName(QLatin1String(name));
        QObject::connect(action, &QAction::triggered, menu, handler);
    };
    add("ppmOpen", tasks::texts::MenuOpen, handlers.open);
    add("ppmPreview", tasks::texts::MenuPreview, handlers.preview);
    menu->addSeparator();
    add("ppmAddFiles", tasks::texts::MenuAddFiles, handlers.addFiles);
    add("ppmAddDir", tasks::texts::MenuAddFolder, handlers.addFolder);
    add("ppmSaveList", tasks::texts::MenuSaveList, handlers.saveList);
    menu->addMenu(makeSortMenu(menu, QStringLiteral("ppm"), handlers.sort));
    menu->addSeparator();
    add("ppmRemove", tasks::texts::MenuRemove, handlers.remove);
    add("ppmClear", tasks::texts::MenuClear, handlers.clear);
    return menu;
}

void enableTaskMenu(QMenu *menu, int selectedRows, int rows)
{
    const auto enable = [menu](const char *name, bool enabled) {
        menu->findChild<QAction *>(QLatin1String(name))->setEnabled(enabled);
    };
    enable("ppmOpen", selectedRows > 0);
    enable("ppmPreview", selectedRows > 0);
    enable("ppmRemove", selectedRows > 0);
    enable("ppmClear", rows > 0);
    enable("ppmSaveList", rows > 0);
    enable("ppmSortMenu", rows > 0);
    enable("ppmAddFiles", true);
    enable("ppmAddDir", true);
}

} // namespace velmora::app
