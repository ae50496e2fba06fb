#pragma once

#include <memory>

namespace quorvane::cli {

// The terminal the tool talks to; one implementation per platform.
bool inputIsTerminal();
bool errorIsTerminal();

// Turns the echo of typed input off for its lifetime.
class NoEcho
{
public:
    NoEcho();
    ~NoEcho();
    NoEcho(const NoEcho &) = delete;
    NoEcho &operator=(const NoEcho &) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> m_saved;
};

} // namespace quorvane::cli
