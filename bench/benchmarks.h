#pragma once

// Each function measures one area and prints "figure: <name> <value> <unit>" lines.
void benchReminders();
