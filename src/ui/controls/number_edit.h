#pragma once

// An edit box for one decimal number such as -12, 0.5 or 1.5e3. Characters
// that cannot make a number are refused as they are typed, and a paste is
// taken only when typing it would have been.

#include <QLineEdit>
#include <QValidator>

#include <optional>

// Whether `c`, typed at `caret` into `text`, is taken. Digits always are;
// "-" at the start (once) or right after the exponent's "e"; one "e" or "E",
// not first and not right after a leading "-"; one ".", before any "e".
bool NumberCharAccepted(const QString& text, int caret, QChar c);

// Whether `after` can come from `before` by deleting characters (always
// allowed) and then typing, one at a time, the ones that are new.
bool NumberEditAccepted(const QString& before, const QString& after);

// The number in `text`, read in the C locale; nothing when the text is no
// finite number.
std::optional<double> ParseNumber(const QString& text);

// Judges each change against the text the box showed before it, so that
// deleting is free and inserting obeys the typing rule, whether typed or pasted.
class NumberValidator : public QValidator
{
public:
    explicit NumberValidator(QObject* parent = nullptr) : QValidator(parent) {}
    void SetShown(const QString& text) { shown = text; }
    State validate(QString& input, int& pos) const override;

private:
    QString shown;
};

class NumberEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent = nullptr);
    std::optional<double> Value() const { return ParseNumber(text()); }

signals:
    // Enter was pressed; the key then goes on as usual (to a dialog's default button).
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    NumberValidator* validator;
};

// The number in `box`; when there is none, says which box is wrong (named
// `boxName`), puts the focus there and gives nothing.
std::optional<double> ReadNumberBox(NumberEdit* box, const QString& boxName);
