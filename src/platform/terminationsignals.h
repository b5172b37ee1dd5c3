#pragma once

// Turns SIGTERM, SIGHUP and SIGINT (log-out on many desktops, `kill`, Ctrl+C)
// into an orderly exit of the event loop, so the shutdown path and its final
// save run exactly as for the session manager's end of session.
namespace TerminationSignals {

// Installs the handlers; call once the application object exists.
void install();

// True once one of the signals has arrived. A signal that comes while
// start-up runs a dialog of its own (before the main event loop) only ends
// that dialog's loop; the entry point asks this before entering its loop.
bool requested();

} // namespace TerminationSignals
