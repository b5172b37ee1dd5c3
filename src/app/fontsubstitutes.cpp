#include "app/fontsubstitutes.h"

#include <QFont>

namespace FontSubstitutes {

QList<Substitute> table()
{
    // Metric-compatible faces first (Liberation, URW base 35), then faces of
    // similar width from the packages the program installs.
    const QStringList dialogSans = {QStringLiteral("Nimbus Sans"),
                                    QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("DejaVu Sans Condensed")};
    return {
        {QStringLiteral("Pristina"),
         {QStringLiteral("Z003"), QStringLiteral("URW Chancery L"),
          QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")}},
        {QStringLiteral("MS Shell Dlg"), dialogSans},
        {QStringLiteral("MS Shell Dlg 2"), dialogSans},
        {QStringLiteral("Tahoma"), dialogSans},
        {QStringLiteral("Segoe UI"),
         {QStringLiteral("Noto Sans"), QStringLiteral("Open Sans"), QStringLiteral("Nimbus Sans"),
          QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans Condensed")}},
        {QStringLiteral("Verdana"),
         {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans"),
          QStringLiteral("Nimbus Sans")}},
        {QStringLiteral("Arial"),
         {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
          QStringLiteral("Nimbus Sans")}},
        {QStringLiteral("Times New Roman"),
         {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
          QStringLiteral("Nimbus Roman")}},
        {QStringLiteral("Courier New"),
         {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
          QStringLiteral("Nimbus Mono PS")}},
        {QStringLiteral("Comic Sans MS"),
         {QStringLiteral("Comic Neue"), QStringLiteral("URW Gothic"),
          QStringLiteral("DejaVu Sans")}},
    };
}

void install()
{
    for (const Substitute &entry : table())
        QFont::insertSubstitutions(entry.family, entry.candidates);
}

} // namespace FontSubstitutes
