#pragma once

// The progress of long file work: an application-modal window with a bar and
// a Cancel button. It appears only once the work has run about half a second
// (sooner when the work so far says it will take that long), so quick work
// shows nothing; while it shows, the program's windows keep painting.

#include <QElapsedTimer>
#include <QString>

#include <cstdint>
#include <memory>

class QProgressDialog;
class QWidget;

class FileProgressDialog
{
public:
    FileProgressDialog(const QString& title, QWidget* parent);
    ~FileProgressDialog();
    FileProgressDialog(const FileProgressDialog&) = delete;
    FileProgressDialog& operator=(const FileProgressDialog&) = delete;

    // done out of total; false once the user cancelled.
    bool Step(std::int64_t done, std::int64_t total);
    bool Shown() const;

    // How long quick work runs unseen.
    static constexpr int ShowAfterMs = 500;

private:
    std::unique_ptr<QProgressDialog> dialog;
    // Events are let through now and then, not at every step.
    QElapsedTimer sinceEvents;
};
