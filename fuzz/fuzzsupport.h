#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: a GUI application on the offscreen platform
// (documents need fonts), the input as text, and a check that stops the run
// with a report, so libFuzzer keeps the input that broke it.
namespace FuzzSupport {

// Makes the application once; call from LLVMFuzzerInitialize.
void start(int *argc, char ***argv);

// The input as UTF-8 text; bytes that are not UTF-8 become U+FFFD, as they
// would where the program reads text.
QString text(const uint8_t *data, size_t size);

// Ends the run unless every resource Qt's rich text reader asks for while it
// reads and lays out `html` is one the program keeps (LoadedPictures): a
// picture from a local file would be loaded as it is. Markup too deep to lay
// out is shown as plain text by the program, and skipped here.
void expectOnlyKeptResources(const QString &html);

// Ends the run with `what` and the two texts when `holds` is false.
void expect(bool holds, const char *what, const QString &seen = {}, const QString &wanted = {});

} // namespace FuzzSupport
