#pragma once

// First-run set-up and version migration of the settings store.
namespace SettingsBootstrap {

// When the store has no software version: switch log-in start on, wipe the
// program's keys and write the factory defaults into both groups. Returns
// whether it ran.
bool runFirstRunIfNeeded();

enum class Migration
{
    Current,    // the stored version is this one
    Migrated,   // an older or newer version was brought to this one
    NotWritable // the version differs but the store cannot be written
};

// Brings an older or newer stored version to the current one. The caller
// tells the user about a migration; a store that cannot be written is
// migrated in memory only, so it is reported as such rather than as an
// update at every start.
Migration migrateVersion();

} // namespace SettingsBootstrap
