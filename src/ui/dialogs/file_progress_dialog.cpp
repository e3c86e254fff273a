#include "ui/dialogs/file_progress_dialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>
#include <utility>

namespace {

// The bar's range: fine enough for a smooth bar, small enough for an int.
constexpr int Scale = 1000;
// Paint and input requests wait no longer than this while the window shows.
constexpr qint64 EventsEveryMs = 30;

} // namespace

FileProgressDialog::FileProgressDialog(QString title, QWidget* parent) : title(std::move(title)), parent(parent)
{
    sinceStart.start();
}

FileProgressDialog::~FileProgressDialog() = default;

bool FileProgressDialog::Step(std::int64_t done, std::int64_t total)
{
    const int value = total <= 0 ? Scale : int(std::clamp<std::int64_t>(done, 0, total) * Scale / total);
    if (!dialog) {
        if (sinceStart.elapsed() < ShowAfterMs || value >= Scale)
            return true;
        dialog = std::make_unique<QProgressDialog>(title, QStringLiteral("Cancel"), 0, Scale, parent);
        dialog->setWindowTitle(QStringLiteral("Korvani"));
        dialog->setWindowModality(Qt::ApplicationModal);
        // It goes when the work ends, not when the bar is full.
        dialog->setAutoReset(false);
        dialog->setAutoClose(false);
        dialog->setMinimumDuration(0);
        dialog->show();
        sinceEvents.invalidate();
    }
    dialog->setValue(value);
    if (!sinceEvents.isValid() || sinceEvents.elapsed() >= EventsEveryMs) {
        QCoreApplication::processEvents();
        sinceEvents.start();
    }
    return !dialog->wasCanceled();
}
