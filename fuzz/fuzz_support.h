#pragma once

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

// A broken rule is a crash to libFuzzer: it keeps the input and stops.
#define REQUIRE(condition)                                                                           \
    do {                                                                                               \
        if (!(condition)) {                                                                            \
            std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #condition);          \
            std::abort();                                                                              \
        }                                                                                              \
    } while (false)

// The decoders log what they reject; at a million inputs a minute that is all the fuzzer would do.
inline void quiet()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

#define FUZZ_INIT                                                                                      \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                                                 \
    {                                                                                                  \
        quiet();                                                                                       \
        return 0;                                                                                      \
    }
