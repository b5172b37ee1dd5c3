#pragma once

#include <QEvent>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

#include <optional>

class QMenu;
class QMouseEvent;

// The program's icon in the notification area: picture, tool tip and pop-up
// menu. The desktop's tray host shows it through QSystemTrayIcon; its
// activations arrive here as mouse events, so the icon reacts like a button:
// a right release pops up the menu, a left release creates a note in the
// default colour, a middle release and a left double click are signalled.
// The icon comes back by itself when the tray host restarts.
class TrayIcon : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QPixmap icon READ icon WRITE setIcon DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(
        QString toolTip READ toolTip WRITE setToolTip DESIGNABLE true SCRIPTABLE true STORED true)

public:
    // The shell shows at most this many characters of a tool tip.
    static constexpr int kMaxToolTipLength = 63;

    // `owner` becomes the parent. The icon is not in the tray until show()
    // is called.
    TrayIcon(const QPixmap &icon, const QString &toolTip, QMenu *popup, QObject *owner,
             const char *name = nullptr);
    ~TrayIcon() override;

    QPixmap icon() const { return iconPixmap; }
    QString toolTip() const { return toolTipText; }
    // The tool tip as the tray shows it: its first kMaxToolTipLength characters.
    static QString shownToolTip(const QString &toolTip);

    // True while the icon is in the tray (between show() and hide()).
    bool isInTray() const { return trayBackend != nullptr; }
    // True when the desktop has a tray host that can show the icon now.
    static bool isTrayAvailable();
    // Test seam: isTrayAvailable() answers `available`; std::nullopt asks
    // the desktop again.
    static void setTrayAvailableForTesting(std::optional<bool> available);

    // Test seam: the tray backend while the icon is in the tray, or null.
    QSystemTrayIcon *backendForTesting() const { return trayBackend; }

public slots:
    void setIcon(const QPixmap &icon);
    void setToolTip(const QString &toolTip);
    bool show();
    bool hide();
    // Takes the icon out of the tray and puts it back.
    void newTrayOwner();

signals:
    // A left click: the owner makes a note in the default colour.
    void newNoteRequested();
    void clicked(const QPoint &globalPos, int button);
    void doubleClicked(const QPoint &globalPos);
    void closed();

protected:
    bool event(QEvent *event) override;
    virtual void mouseMoveEvent(QMouseEvent *event);
    virtual void mousePressEvent(QMouseEvent *event);
    virtual void mouseReleaseEvent(QMouseEvent *event);
    virtual void mouseDoubleClickEvent(QMouseEvent *event);

private slots:
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

private:
    void sendMouseEvent(QEvent::Type type, Qt::MouseButton button);

    QPointer<QMenu> popupMenu;
    QPixmap iconPixmap;
    QString toolTipText;
    QSystemTrayIcon *trayBackend = nullptr; // owned while in the tray
};
