#pragma once

#include <csignal>
#include <sys/resource.h>

// Files of this process cannot grow past a size while it lives; past it a write comes up short
// instead of the process being stopped. Works as root too, unlike a read-only folder.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (getrlimit(RLIMIT_FSIZE, &previous) != 0)
            return;
        rlimit lowered = previous;
        lowered.rlim_cur = bytes;
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        set = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        if (set)
            setrlimit(RLIMIT_FSIZE, &previous);
        if (previousHandler != SIG_ERR)
            std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    rlimit previous{};
    void (*previousHandler)(int) = SIG_ERR;
    bool set = false;
};
