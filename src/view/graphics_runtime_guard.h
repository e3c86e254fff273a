#pragma once

// Qt starts its own graphics layer with the QGuiApplication. The guard keeps
// the contract the views rely on: the first view makes sure the graphics
// runtime is up (making the application object when nobody has), and the
// runtime this guard started stays up until the last view is gone. A runtime
// someone else started (the program's main, a test main) is left alone.

#include <functional>

class GraphicsRuntimeGuard
{
public:
    struct Runtime
    {
        std::function<bool()> isRunning; // started by anyone in this process
        std::function<void()> start;
        std::function<void()> stop;
    };

    explicit GraphicsRuntimeGuard(Runtime runtime);
    GraphicsRuntimeGuard(const GraphicsRuntimeGuard&) = delete;
    GraphicsRuntimeGuard& operator=(const GraphicsRuntimeGuard&) = delete;
    ~GraphicsRuntimeGuard();

    // A view is born: start the runtime unless it already runs; count the holder.
    void Acquire();
    // A view is gone: after the last one, stop the runtime if this guard started it.
    void Release();

    int Holders() const { return holders; }
    bool Started() const { return started; }

    // The process-wide guard around the QGuiApplication.
    static GraphicsRuntimeGuard& Instance();

private:
    Runtime runtime;
    bool started = false;
    int holders = 0;
};
