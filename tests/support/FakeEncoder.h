#pragma once

#include "support/TestFolder.h"

#include <QString>
#include <QStringList>

namespace velmora::test {

// The stand-in encoder (fake_encoder.cpp) with a folder of its own for its scripts and the
// arguments it was given. It is told about the folder through the environment while this
// object lives.
class FakeEncoder
{
public:
    FakeEncoder();
    ~FakeEncoder();
    FakeEncoder(const FakeEncoder &) = delete;
    FakeEncoder &operator=(const FakeEncoder &) = delete;

    static QString program();

    // The script of every run, or of run n only (counting from 0).
    void script(const QString &text);
    void script(int run, const QString &text);

    int runs() const;
    QStringList arguments(int run) const;

    // Puts a link to it at path, as the program folder's asapi.dll.
    void installAs(const QString &path) const;

private:
    TestFolder m_folder;
};

} // namespace velmora::test
