#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The update feed: an RSS "appcast" in Sparkle's format, the version order
// Sparkle uses, and the checks a download passes before it is installed.
// Nothing here touches the network or a widget, so all of it is tested headless.
namespace appcast {

// The largest feed that is read; anything longer is refused unread.
constexpr qint64 MaxFeedBytes = 1024 * 1024;
// The largest download that is accepted, whatever the feed announces.
constexpr qint64 MaxDownloadBytes = qint64(2) * 1024 * 1024 * 1024;

// One release of the feed, the newest one it offers this system.
struct Release
{
    QString version;      // sparkle:version, compared with the program's version
    QString shortVersion; // sparkle:shortVersionString, shown to people when present
    QString notes;        // the item's description (HTML)
    QUrl notesLink;       // sparkle:releaseNotesLink
    QUrl url;             // the enclosure, resolved against the feed's address
    qint64 length = 0;    // the enclosure's length in bytes (0: not given)
    QByteArray signature; // sparkle:edSignature, still base64

    bool isValid() const { return !version.isEmpty(); }
    QString displayVersion() const { return shortVersion.isEmpty() ? version : shortVersion; }
};

// Sparkle's order: the strings are split into runs of digits, of other
// characters and single periods; digit runs compare as numbers of any length,
// a number beats text ("1.0" is newer than "1.0b1"), and a version with more
// numeric parts is newer ("4.1.1" after "4.1"). A leading "v" is ignored.
// Returns < 0, 0 or > 0 like strcmp.
int compareVersions(const QString &a, const QString &b);

// https with a host, or plain http to a loopback address (127.0.0.0/8, ::1).
bool urlAllowed(const QUrl &url);

// Reads a feed; returns the newest release with a download for this system
// (items whose enclosure names another sparkle:os are passed over). A feed
// with a document type declaration, an XML error or no release gives an
// invalid release and the reason in `error`.
Release parseFeed(const QByteArray &xml, const QUrl &feedUrl, QString *error);

// Checks a downloaded file: its size against `length` and its Ed25519
// signature (base64, over the whole file) against `publicKey` (32 raw bytes).
// Returns an empty string when both hold, otherwise why not.
QString verifyDownload(const QString &path, qint64 length, const QByteArray &signatureBase64,
                       const QByteArray &publicKey);

} // namespace appcast
