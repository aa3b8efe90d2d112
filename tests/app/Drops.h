#pragma once

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <QtTest>

namespace velmora::test {

// Files as a file manager offers them: as links, and as text.
inline void fillDropData(QMimeData &data, const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    data.setText(paths.join(QLatin1Char('\n')));
}

// As the desktop delivers a drop on the window itself: the drag enters, then drops there.
inline void drop(QWidget *window, const QStringList &paths)
{
    QMimeData data;
    fillDropData(data, paths);
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    QDropEvent event(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

// A drop where a widget of the window shows, delivered as the window delivers one: to the
// innermost widget under the point that takes drops, else to its nearest parent that does.
inline void dropOn(QWidget *target, const QStringList &paths)
{
    QWidget *window = target->window();
    const QPoint point = target->mapTo(window, target->rect().center());
    QWidget *receiver = window->childAt(point);
    if (!receiver)
        receiver = window;
    while (receiver != window && !receiver->acceptDrops())
        receiver = receiver->parentWidget();
    QVERIFY2(receiver->acceptDrops(), "nothing under the point takes drops");
    QMimeData data;
    fillDropData(data, paths);
    const QPoint local = receiver->mapFrom(window, point);
    QDragEnterEvent enter(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(receiver, &enter);
    if (!enter.isAccepted())
        return;
    QDropEvent event(QPointF(local), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(receiver, &event);
}

} // namespace velmora::test
