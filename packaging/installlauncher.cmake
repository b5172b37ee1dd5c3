# Writes the launcher share/applications/<program id>.desktop at install
# time, with Exec and TryExec naming the installed executable by its full path.
set(executable "${CMAKE_INSTALL_PREFIX}/${NOTARELLA_BINDIR}/notarella")
set(destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${NOTARELLA_DATADIR}/applications")

# Exec is a quoted argument: backslash, double quote, backquote and dollar
# take a backslash; then the value as a whole doubles its backslashes, and a
# percent sign is written twice so it is not read as a field code.
set(quoted "${executable}")
foreach(special [[\]] [["]] [[`]] [[$]])
    string(REPLACE "${special}" "\\${special}" quoted "${quoted}")
endforeach()
string(REPLACE [[\]] [[\\]] quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
set(NOTARELLA_EXECUTABLE "${quoted}")
string(REPLACE [[\]] [[\\]] NOTARELLA_TRY_EXEC "${executable}")

configure_file("${NOTARELLA_PACKAGING_DIR}/notarella.desktop.in"
    "${destination}/${NOTARELLA_LAUNCHER}" @ONLY)
message(STATUS "Installing: ${destination}/${NOTARELLA_LAUNCHER}")
