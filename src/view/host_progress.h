#pragma once

// Long file work of the view, shown through its host for as long as this
// lives; it remembers whether the user cancelled.

#include "document/file_progress.h"
#include "view/view_host.h"

#include <memory>
#include <string>

class HostProgress
{
public:
    HostProgress(ViewHost& host, const std::string& title) : reporter(host.BeginProgress(title))
    {
        if (reporter)
            callback = [this](std::int64_t done, std::int64_t total) {
                cancelled = cancelled || !reporter || !reporter->Step(done, total);
                return !cancelled;
            };
    }
    HostProgress(const HostProgress&) = delete;
    HostProgress& operator=(const HostProgress&) = delete;

    // For the readers and writers; empty when the host shows nothing.
    const FileProgress& Callback() const { return callback; }
    bool Cancelled() const { return cancelled; }
    // The work is over: the progress goes away before what follows it.
    void End() { reporter.reset(); }

private:
    std::unique_ptr<ProgressReporter> reporter;
    FileProgress callback;
    bool cancelled = false;
};
