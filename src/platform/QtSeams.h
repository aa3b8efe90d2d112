#pragma once

#include "platform/Seams.h"

class QFileDialog;

namespace velmora::platform {

// Installs the real seams: QMessageBox, QDesktopServices, QFileDialog and logind.
void installQtSeams();

// Sets a file dialog's name filters from a filter text and opens it on the first entry.
void applyDialogFilter(QFileDialog &dialog, const QString &filter);

// Prepares the output file save dialog as the real seam shows it.
void configureSaveDialog(QFileDialog &dialog, const SaveFileRequest &request);

} // namespace velmora::platform
