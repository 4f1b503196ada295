#pragma once

// What every fuzz target shares: a Qt application object for the code that wants one, and a
// check that stops the run with a message when a property of the code does not hold.

#include <QByteArray>
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "palvex-fuzz";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// A property that must hold for every input: a failure is a finding, as a crash is.
inline void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace Fuzz
