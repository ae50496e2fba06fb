#include "cli/Terminal.h"

#include <termios.h>
#include <unistd.h>

namespace quorvane::cli {

bool inputIsTerminal()
{
    return isatty(STDIN_FILENO);
}

bool errorIsTerminal()
{
    return isatty(STDERR_FILENO);
}

struct NoEcho::Saved
{
    termios settings{};
};

NoEcho::NoEcho()
{
    auto saved = std::make_unique<Saved>();
    if (tcgetattr(STDIN_FILENO, &saved->settings) != 0)
        return;
    termios quiet = saved->settings;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    m_saved = std::move(saved);
}

NoEcho::~NoEcho()
{
    if (m_saved)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved->settings);
}

} // namespace quorvane::cli
