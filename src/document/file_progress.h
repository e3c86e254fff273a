#pragma once

// How far a long piece of file work has come: done out of total (bytes of a
// file read, items written or painted). The work asks every few hundred
// elements, not per element, so an answer may cost a repaint. An answer of
// false stops the work, which then leaves everything as it found it.

#include <cstdint>
#include <functional>

using FileProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

// Asks progress, when there is one, every `every` units of work and at the end.
class ProgressSteps
{
public:
    ProgressSteps(const FileProgress& progress, std::int64_t total, std::int64_t every)
        : progress(progress), total(total), every(every > 0 ? every : 1)
    {
    }

    // False once the work is to stop.
    bool At(std::int64_t done)
    {
        if (!progress || done < next)
            return true;
        next = done + every;
        return progress(done, total);
    }
    bool Done() { return !progress || progress(total, total); }

private:
    const FileProgress& progress;
    std::int64_t total;
    std::int64_t every;
    std::int64_t next = 0;
};
