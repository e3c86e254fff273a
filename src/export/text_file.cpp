#include "export/text_file.h"

#include <QSaveFile>

bool WriteTextFile(const std::string& path, const std::string& text, std::string* error)
{
    QSaveFile file(QString::fromStdString(path));
    auto fail = [&](const QString& why) {
        if (error)
            *error = path + ": " + why.toStdString();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
