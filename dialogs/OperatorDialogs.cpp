#include "OperatorDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace quorin::dialogs {
namespace {
Handlers installed;
}

void message(const QString& text) {
    if (installed.message) {
        installed.message(text);
        return;
    }
    QMessageBox box;
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QString existingDirectory(const QString& caption) {
    if (installed.existingDirectory)
        return installed.existingDirectory(caption);
    return QFileDialog::getExistingDirectory(nullptr, caption, QString(), QFileDialog::ShowDirsOnly);
}

QString saveFileName(const QString& caption, const QString& filter) {
    if (installed.saveFileName)
        return installed.saveFileName(caption, filter);
    return QFileDialog::getSaveFileName(nullptr, caption, QString(), filter);
}

Handlers install(Handlers handlers) {
    std::swap(installed, handlers);
    return handlers;
}

} // namespace quorin::dialogs
