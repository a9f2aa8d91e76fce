#pragma once

#include <QString>

class QWidget;

namespace zv {

// An error's text as the error box shows it: a full stop is added after a last character
// whose code is above the full stop's, so "Disk full" reads "Disk full." and "(5)" stays.
[[nodiscard]] QString errorBoxText(const QString& text);

// The error box: error icon, one OK button, the application title as caption. Modal.
void showErrorBox(QWidget* parent, const QString& text);

// A notice: information icon, one OK button, the application title as caption. Modal.
void showNotice(QWidget* parent, const QString& text);

// The settings file could not be written: a plain box with the one message, in Russian in
// both languages.
void showSettingsFileError(QWidget* parent);

} // namespace zv
