#include "support/scripted_host.h"

#include <gtest/gtest.h>

TestHost::~TestHost()
{
    if (const std::optional<Leftover> left = FirstLeftover())
        ADD_FAILURE() << "a queued answer was never asked for: " << left->what;
}

void TestHost::Failed(const std::string& why)
{
    ADD_FAILURE() << why;
}
