#include "cli/Terminal.h"

#include <cstdio>
#include <io.h>
#include <windows.h>

namespace quorvane::cli {

bool inputIsTerminal()
{
    return _isatty(_fileno(stdin));
}

bool errorIsTerminal()
{
    return _isatty(_fileno(stderr));
}

struct NoEcho::Saved
{
    HANDLE handle = nullptr;
    DWORD mode = 0;
};

NoEcho::NoEcho()
{
    auto saved = std::make_unique<Saved>();
    saved->handle = GetStdHandle(STD_INPUT_HANDLE);
    if (!GetConsoleMode(saved->handle, &saved->mode))
        return;
    SetConsoleMode(saved->handle, saved->mode & ~DWORD(ENABLE_ECHO_INPUT));
    m_saved = std::move(saved);
}

NoEcho::~NoEcho()
{
    if (m_saved)
        SetConsoleMode(m_saved->handle, m_saved->mode);
}

} // namespace quorvane::cli
