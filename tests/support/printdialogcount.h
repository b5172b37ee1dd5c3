#pragma once

#include "ui/standarddialogs.h"

#include <algorithm>

// Print dialogs asked for since the last call; clears the dialog record.
inline int takePrintDialogCount()
{
    const QList<StandardDialogs::Request> asked = StandardDialogs::takeHistory();
    return int(std::count_if(asked.cbegin(), asked.cend(), [](const auto &request) {
        return request.kind == StandardDialogs::Kind::Print;
    }));
}
