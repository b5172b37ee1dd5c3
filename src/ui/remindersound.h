#pragma once

#include <QString>

#include <functional>

// Plays the reminder sound without waiting for it. A missing or unplayable
// file, or a machine without a sound device, is only traced: the reminder is
// shown all the same and nothing ever blocks.
namespace ReminderSound {

// Starts playing `file` once; while it still plays, asking again for the
// same file adds nothing. Returns false when there is nothing to play (empty
// name or no such file); decoding and device errors show up later and only
// end the playback.
bool playReminderSound(const QString &file);

// Players still alive (playing, loading or not yet cleaned up).
int activePlayerCount();

// Longest time a player may live before it is stopped and deleted; a sound
// system that never reports the end cannot keep it alive. 0 or less restores
// the default.
void setPlaybackTimeoutForTesting(int milliseconds);

// Test seam: every file asked for goes to `player` instead of the sound
// device, and its answer is returned. An empty function restores the real
// playback.
void setPlayerForTesting(std::function<bool(const QString &file)> player);

} // namespace ReminderSound

using ReminderSound::playReminderSound;
