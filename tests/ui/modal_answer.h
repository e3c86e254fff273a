#pragma once

// Runs something that may open a message box, answers the box with OK and
// tells what it said (empty when none came). The timer goes with the call.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

inline QString AnswerMessageDuring(const std::function<void()>& action)
{
    QString said;
    QTimer answer;
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&said] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->accept();
        }
    });
    answer.start(0);
    action();
    return said;
}
