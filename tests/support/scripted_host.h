#pragma once

// The scripted host for tests: every failure of the script (a dialog with no
// queued answer, a capture taken twice) fails the test, and so do answers
// that nothing asked for. Tests place the client at (100, 200) on the screen.

#include "view/scripted_host.h"

class TestHost : public ScriptedHost
{
public:
    TestHost()
    {
        clientOrigin = {100, 200};
        screenPixel = ColorOpaqueBlack;
    }
    ~TestHost() override;

    // Set: the test calls DrawAhead between events, as the window does.
    bool RequestDrawAhead() override { return drawAhead; }
    bool drawAhead = false;

protected:
    void Failed(const std::string& why) override;
};
