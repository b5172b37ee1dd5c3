#include "ui/remindersound.h"

#include "base/tracing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace ReminderSound {
namespace {
constexpr int kDefaultTimeout = 30 * 1000;
int playbackTimeout = kDefaultTimeout;
int livePlayers = 0;
// The sound started last, while it still plays or loads.
QPointer<QSoundEffect> latestEffect;
std::function<bool(const QString &)> &playerOverride()
{
    static std::function<bool(const QString &)> player;
    return player;
}
} // namespace

bool playReminderSound(const QString &file)
{
    if (playerOverride())
        return playerOverride()(file);
    // QSoundEffect rather than QMediaPlayer: it needs no media framework
    // plugins, which may be missing and then crash the player.
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile()) {
        qCDebug(lcReminders) << "ReminderSound: no sound file" << file;
        return false;
    }
    QCoreApplication *const app = QCoreApplication::instance();
    if (!app)
        return false;
    // Reminders that fall due together (up to ten dialogs open at once) ring
    // once, not ten times over each other.
    if (latestEffect && latestEffect->source() == QUrl::fromLocalFile(info.absoluteFilePath())) {
        qCDebug(lcReminders) << "ReminderSound: already playing" << info.absoluteFilePath();
        return true;
    }

    auto *effect = new QSoundEffect(app);
    ++livePlayers;
    QObject::connect(effect, &QObject::destroyed, [] { --livePlayers; });

    const auto finish = [effect] {
        effect->stop();
        effect->deleteLater();
    };
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect, finish] {
        if (effect->status() == QSoundEffect::Error) {
            qCDebug(lcReminders) << "ReminderSound: cannot play" << effect->source();
            finish();
        }
    });
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect, finish] {
        if (!effect->isPlaying())
            finish();
    });
    QTimer::singleShot(playbackTimeout, effect, finish);

    latestEffect = effect;
    effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    effect->setLoopCount(1);
    effect->play();
    qCDebug(lcReminders) << "ReminderSound: playing" << info.absoluteFilePath();
    return true;
}

int activePlayerCount()
{
    return livePlayers;
}

void setPlaybackTimeoutForTesting(int milliseconds)
{
    playbackTimeout = milliseconds > 0 ? milliseconds : kDefaultTimeout;
}

void setPlayerForTesting(std::function<bool(const QString &file)> player)
{
    playerOverride() = std::move(player);
}

} // namespace ReminderSound
