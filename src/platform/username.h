#pragma once

#include <QString>

namespace Platform {

// The log-on name of the user running the program: "USERNAME" when it is set
// (as on Windows), otherwise USER, LOGNAME and finally the password database.
// Empty only when none of them knows the user.
QString currentUserName();

} // namespace Platform
