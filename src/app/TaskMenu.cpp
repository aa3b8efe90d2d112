#include "app/TaskMenu.h"

#include "tasks/TaskTexts.h"
#include "platform/Translation.h"

#include <QMenu>

namespace velmora::app {

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
    enable("ppmAddFiles", true);
    enable("ppmAddDir", true);
}

} // namespace velmora::app
