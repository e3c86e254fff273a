#pragma once

// The progress of long file work: an application-modal window with a bar and
// a Cancel button. It is made only once the work has run half a second and
// is not done, so quick work shows nothing; while it shows, the program's
// windows keep painting.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class QProgressDialog;
class QWidget;

class FileProgressDialog
{
public:
    FileProgressDialog(QString title, QWidget* parent);
    ~FileProgressDialog();
    FileProgressDialog(const FileProgressDialog&) = delete;
    FileProgressDialog& operator=(const FileProgressDialog&) = delete;

    // done out of total; false once the user cancelled.
    bool Step(std::int64_t done, std::int64_t total);

    // How long quick work runs unseen.
    static constexpr int ShowAfterMs = 500;

private:
    QString title;
    QPointer<QWidget> parent;
    std::unique_ptr<QProgressDialog> dialog;
    QElapsedTimer sinceStart;
    // Events are let through now and then, not at every step.
    QElapsedTimer sinceEvents;
};
