#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace velmora::platform {

// One save dialog object that several windows share: the folder and file name last chosen
// carry over from one use to the next, whichever window ran it.
class SaveDialog
{
public:
    void setFilter(const QString &filter) { m_filter = filter; }
    const QString &filter() const { return m_filter; }
    void setDefaultExt(const QString &ext) { m_defaultExt = ext; }
    const QString &defaultExt() const { return m_defaultExt; }
    const QString &fileName() const { return m_fileName; }

    // Runs the dialog through the file dialog seam; the chosen full path, or nothing when
    // the user cancelled. A name chosen without an extension gets the default extension.
    std::optional<QString> execute(QWidget *owner);

private:
    QString m_filter;
    QString m_defaultExt;
    QString m_fileName;
};

} // namespace velmora::platform
