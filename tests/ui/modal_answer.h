#pragma once

// Answers modal dialogs from inside their event loops: each handler in turn
// takes the next dialog that opens, and closes it.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

class ModalHandler
{
public:
    explicit ModalHandler(std::vector<std::function<void(QWidget*)>> handlers) : handlers(std::move(handlers))
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == last || next >= this->handlers.size())
                return;
            last = modal;
            this->handlers[next++](modal);
        });
        timer.start(5);
    }
    std::size_t Handled() const { return next; }

private:
    std::vector<std::function<void(QWidget*)>> handlers;
    std::size_t next = 0;
    // Null once that widget is gone: the next dialog may take its address.
    QPointer<QWidget> last;
    QTimer timer;
};

// Runs something that may open a message box, answers the box with OK and
// tells what it said (empty when none came).
inline QString AnswerMessageDuring(const std::function<void()>& action)
{
    QString said;
    const ModalHandler answer({[&said](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            said = box->text();
            box->accept();
        }
    }});
    action();
    return said;
}
