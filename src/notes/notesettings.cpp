#include "notes/notesettings.h"

#include "app/preferences.h"

NoteSettings NoteSettings::read()
{
    using namespace Preferences;
    return {userString(Names::DateFormat),
            QSize(userInt(Names::DefaultWidth), userInt(Names::DefaultHeight))};
}
