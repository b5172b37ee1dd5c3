#pragma once

// First-run set-up and version migration of the settings store.
namespace SettingsBootstrap {

// When the store has no software version: switch log-in start on, wipe the
// program's keys and write the factory defaults into both groups. Returns
// whether it ran.
bool runFirstRunIfNeeded();

// Brings an older or newer stored version to the current one. Returns true
// when the version changed, so the caller can tell the user.
bool migrateVersion();

} // namespace SettingsBootstrap
