#pragma once

// The C interface of the update library the application was designed
// around, which exists only for Windows. Here the same calls are backed by
// Qt Network on a worker thread of our own: an appcast feed is checked
// automatically (once a day) and on request, a newer release is offered, its
// download is checked against an Ed25519 key built into the program, and the
// application is asked (on the worker thread) whether it may shut down
// before the package goes to the desktop's installer.

#ifdef __cplusplus
extern "C" {
#endif

// Answers nonzero when the application may shut down for an installation.
// Called on the worker thread, never on the GUI thread.
typedef int (*win_sparkle_can_shutdown_callback_t)(void);
// Asks the application to quit; called on the worker thread after the installer started.
typedef void (*win_sparkle_shutdown_request_callback_t)(void);

// The feed's address. Only https, or http to a loopback address, is fetched.
void win_sparkle_set_appcast_url(const char *url);
void win_sparkle_set_can_shutdown_callback(win_sparkle_can_shutdown_callback_t callback);
void win_sparkle_set_shutdown_request_callback(win_sparkle_shutdown_request_callback_t callback);
// Nonzero: check in the background at start-up when the last check is older
// than a day. May be turned off after win_sparkle_init(), up to the moment
// the check starts (batch runs do that).
void win_sparkle_set_automatic_check_for_updates(int state);
// Starts the layer; call on the GUI thread after the settings above.
void win_sparkle_init(void);
// The interactive check: a small dialog with progress, then the result.
void win_sparkle_check_update_with_ui(void);
// Stops the worker thread and closes the layer's dialog.
void win_sparkle_cleanup(void);

#ifdef __cplusplus
}

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

namespace winsparkle {

// The public key downloads must be signed with (32 raw bytes): the one the
// program was built with, unless replaced (tests sign with a key of their own).
QByteArray publicKey();
void setPublicKey(const QByteArray &key);

// Hands a verified package to the installer; false when nothing was started.
using InstallerLauncher = std::function<bool(const QString &package)>;
// Replaces the launcher; an empty one restores the desktop's default.
void setInstallerLauncher(InstallerLauncher launcher);
// Opens the package the way the desktop opens such a file, detached.
bool openWithDesktop(const QString &package);

// Reports what the layer did, for the log and for tests.
class Events : public QObject
{
    Q_OBJECT
signals:
    // A check ended; `error` is empty when the feed was read.
    void checkFinished(bool interactive, const QString &error);
    // A download was verified (empty `error`) or refused.
    void downloadFinished(const QString &error);
    // The application answered the shutdown question.
    void shutdownAnswered(bool allowed);
};
Events *events();

} // namespace winsparkle
#endif
