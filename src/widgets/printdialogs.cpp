#include "widgets/printdialogs.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QQueue>

namespace PrintDialogs {
namespace {
QQueue<std::optional<QString>> &answers()
{
    static QQueue<std::optional<QString>> queue;
    return queue;
}
int &requestCount()
{
    static int count = 0;
    return count;
}
} // namespace

bool exec(QPrinter &printer, QWidget *parent)
{
    ++requestCount();
    if (!answers().isEmpty()) {
        const std::optional<QString> answer = answers().dequeue();
        if (!answer)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*answer);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void queueAnswer(const std::optional<QString> &pdfPath)
{
    answers().enqueue(pdfPath);
}

int takeRequestCount()
{
    return std::exchange(requestCount(), 0);
}

} // namespace PrintDialogs
