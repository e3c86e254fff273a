#pragma once

// "Input Text": the text of a text item, several lines (Enter makes a new
// line), opened with its top-left corner at a given screen point.

#include <QDialog>
#include <QPoint>

#include <optional>

class QPlainTextEdit;

class InputTextDialog : public QDialog
{
    Q_OBJECT
public:
    explicit InputTextDialog(QWidget* parent = nullptr);
    void SetText(const QString& text);
    QString Text() const { return text; }
    // Where the dialog's top-left corner goes when it opens.
    void SetPosition(QPoint screen) { position = screen; }

    // An empty text is refused with a message; the dialog stays open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString text;
    QPlainTextEdit* box;
    std::optional<QPoint> position;
};
