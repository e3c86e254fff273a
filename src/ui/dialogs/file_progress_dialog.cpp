#include "ui/dialogs/file_progress_dialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {

// The bar's range: fine enough for a smooth bar, small enough for an int.
constexpr int Scale = 1000;
// Paint and input requests wait no longer than this while the window shows.
constexpr qint64 EventsEveryMs = 30;

} // namespace

FileProgressDialog::FileProgressDialog(const QString& title, QWidget* parent)
    : dialog(std::make_unique<QProgressDialog>(title, QStringLiteral("Cancel"), 0, Scale, parent))
{
    dialog->setWindowTitle(QStringLiteral("Korvani"));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setMinimumDuration(ShowAfterMs);
    // It goes when the work ends, not when the bar is full.
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    // The dialog's clock starts with its first value.
    dialog->setValue(0);
    sinceEvents.start();
}

FileProgressDialog::~FileProgressDialog() = default;

bool FileProgressDialog::Step(std::int64_t done, std::int64_t total)
{
    const int value = total <= 0 ? Scale : int(std::clamp<std::int64_t>(done, 0, total) * Scale / total);
    // The dialog shows itself when the work turns out long, and then lets
    // events through at each new value; between values they get a turn here.
    dialog->setValue(value);
    if (dialog->isVisible() && sinceEvents.elapsed() >= EventsEveryMs) {
        QCoreApplication::processEvents();
        sinceEvents.restart();
    }
    return !dialog->wasCanceled();
}

bool FileProgressDialog::Shown() const
{
    return dialog->isVisible();
}
