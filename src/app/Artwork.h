#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

class QToolBar;

namespace velmora::app {

// The program's pictures, drawn in code so that they are sharp at any scale and no button
// is ever blank. Each toolbar icon comes with its own greyed look for the disabled state.
enum class Glyph {
    AddFile,
    AddDir,
    MoveUp,
    MoveDown,
    Sort,
    Remove,
    Clear,
    Preview,
    SaveList,
    Start,
    Stop,
    Setting,
    About,
    Help,
};

QIcon toolbarIcon(Glyph glyph);
// Gives each of the main toolbar's actions its icon by the action's name. Each button also
// carries its action's name, and the action's hint as its accessible name.
void decorateToolbar(QToolBar *toolbar);
// The program's own icon: a V on the brand's tile, as in the logo. The window, the desktop
// entry's PNG icons (drawn at build time) and the scalable SVG all show it.
QImage applicationIconImage(int size);
QIcon applicationIcon();
QPixmap bannerBackground();  // stretched behind the welcome panel
QPixmap welcomePicture();    // 150 x 150, beside the getting-started steps
QPixmap logoPicture();       // the maker's logo in the bottom right corner

} // namespace velmora::app
