#pragma once

// Turns SIGTERM, SIGHUP and SIGINT (log-out on many desktops, `kill`, Ctrl+C)
// into an orderly exit of the event loop, so the shutdown path and its final
// save run exactly as for the session manager's end of session.
namespace TerminationSignals {

// Installs the handlers; call once the application object exists.
void install();

} // namespace TerminationSignals
