// The one seam through which every window asks the operator something: modal message boxes and
// file dialogs. Tests install handlers that record the texts and answer without a person.
#pragma once

#include <QString>

#include <functional>

namespace quorin::dialogs {

// A modal message box without title or parent: the text and an OK button. Returns when closed.
void message(const QString& text);

// The directory dialog: no parent, the caption, empty start directory, directories only.
// Returns the chosen directory, or an empty text when cancelled.
QString existingDirectory(const QString& caption);

// The save-file dialog: no parent, the caption, empty start directory, the filter.
QString saveFileName(const QString& caption, const QString& filter);

struct Handlers {
    std::function<void(const QString& text)> message;
    std::function<QString(const QString& caption)> existingDirectory;
    std::function<QString(const QString& caption, const QString& filter)> saveFileName;
};

// Replaces the real dialogs; a handler left empty keeps the real dialog. Returns the previous set.
Handlers install(Handlers handlers);

} // namespace quorin::dialogs
