#include "view/graphics_runtime_guard.h"

#include <QGuiApplication>

#include <memory>

GraphicsRuntimeGuard::GraphicsRuntimeGuard(Runtime runtime) : runtime(std::move(runtime)) {}

GraphicsRuntimeGuard::~GraphicsRuntimeGuard() = default;

void GraphicsRuntimeGuard::Acquire()
{
    if (!started && !runtime.isRunning()) {
        runtime.start();
        started = true;
    }
    ++holders;
}

void GraphicsRuntimeGuard::Release()
{
    if (holders == 0)
        return; // an unbalanced release must not drive the count negative
    --holders;
    if (started && holders == 0) {
        runtime.stop();
        started = false;
    }
}

namespace {

// The application object this module made, when the process had none.
std::unique_ptr<QGuiApplication>& OwnApplication()
{
    static std::unique_ptr<QGuiApplication> application;
    return application;
}

} // namespace

GraphicsRuntimeGuard& GraphicsRuntimeGuard::Instance()
{
    OwnApplication(); // constructed first, so it outlives the guard at exit
    static GraphicsRuntimeGuard guard(Runtime{
        [] { return QGuiApplication::instance() != nullptr; },
        [] {
            // QGuiApplication keeps references to argc and argv for its lifetime.
            static int argc = 1;
            static char name[] = "korvani";
            static char* argv[] = {name, nullptr};
            OwnApplication() = std::make_unique<QGuiApplication>(argc, argv);
        },
        [] { OwnApplication().reset(); },
    });
    return guard;
}
