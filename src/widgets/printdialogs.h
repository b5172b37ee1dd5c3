#pragma once

#include <QString>

#include <optional>

class QPrinter;
class QWidget;

// The toolkit's print dialog as the program opens it. Tests queue the answer a
// person would give, so no test waits on the dialog; every dialog asked for is
// counted.
namespace PrintDialogs {

// Lets the user choose where and how `printer` prints; returns whether the
// user accepted. Without a printer installed the dialog still offers printing
// to a PDF file.
bool exec(QPrinter &printer, QWidget *parent);

// Test seam: the next print dialog is not shown. A path accepts it with the
// printer writing a PDF file to that path; std::nullopt cancels it.
void queueAnswer(const std::optional<QString> &pdfPath);
// Number of print dialogs asked for since the last call; resets the count.
int takeRequestCount();

} // namespace PrintDialogs
