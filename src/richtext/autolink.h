#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

class QBrush;
class QTextDocument;

// Web, mail and file addresses written as plain text, found so that they can
// become links when the user finishes typing or pasting them. An address
// begins with "http://", "https://", "ftp://", "mailto:", "file:" or "www."
// (any letter case) and runs to the next blank; punctuation that ends a
// sentence, and a closing bracket the address did not open, stay outside it.
namespace AutoLink {

struct Address
{
    qsizetype start = 0;  // in the text searched
    qsizetype length = 0; // of the address as written
    QString href;         // the link target: "www." addresses get "http://"

    friend bool operator==(const Address &, const Address &) = default;
};

// The address that the word ending at `end` of `text` holds, if any.
std::optional<Address> addressBefore(QStringView text, qsizetype end);

// Every address in `text`, in order.
QList<Address> addressesIn(QStringView text);

// Makes the address that ends at document position `end` a link of colour
// `linkColour`, as one undo step of its own. Text that is a link already, or
// partly one, is left alone. Returns whether it made a link.
bool linkAddressBefore(QTextDocument *document, int end, const QBrush &linkColour);

// Makes every address in the document range [from, to) a link, joined to
// the undo step before it (a paste is taken back with its links). The range
// is widened to whole words. Returns the number of links made.
int linkAddressesIn(QTextDocument *document, int from, int to, const QBrush &linkColour);

} // namespace AutoLink
