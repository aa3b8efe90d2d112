#include "support/FakeEncoder.h"

#include <QFile>

namespace velmora::test {

FakeEncoder::FakeEncoder()
{
    qputenv("VELMORA_FAKE_DIR", m_folder.path().toLocal8Bit());
}

FakeEncoder::~FakeEncoder()
{
    qunsetenv("VELMORA_FAKE_DIR");
}

QString FakeEncoder::program()
{
    return QStringLiteral(VELMORA_FAKE_ENCODER);
}

void FakeEncoder::script(const QString &text)
{
    m_folder.write(QStringLiteral("script"), text.toUtf8());
}

void FakeEncoder::script(int run, const QString &text)
{
    m_folder.write(QStringLiteral("script.%1").arg(run), text.toUtf8());
}

int FakeEncoder::runs() const
{
    return m_folder.read(QStringLiteral("runs")).trimmed().toInt();
}

QStringList FakeEncoder::arguments(int run) const
{
    QStringList lines = QString::fromUtf8(m_folder.read(QStringLiteral("args.%1").arg(run))).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void FakeEncoder::installAs(const QString &path) const
{
    QFile::remove(path);
    if (!QFile::link(program(), path))
        qFatal("Cannot link the fake encoder to %s", qPrintable(path));
}

} // namespace velmora::test
