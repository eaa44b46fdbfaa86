#pragma once

#include "platform/appcast.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTextBrowser;

// "Software update": one small window that goes through the states of an
// update check (checking, up to date, a newer version with its release
// notes, downloading, failure). It only shows; the update layer decides.
class UpdateDialog : public QDialog
{
    Q_OBJECT
public:
    explicit UpdateDialog(QWidget *parent = nullptr);

    void showChecking();
    void showUpToDate(const QString &version);
    void showFailure(const QString &heading, const QString &text);
    void showAvailable(const appcast::Release &release, const QString &currentVersion);
    void showDownloading(const QString &version);
    // total <= 0: size unknown, a busy bar.
    void setProgress(qint64 received, qint64 total);

signals:
    void installClicked();
    void skipClicked();
    void laterClicked();
    // Cancel during a check or a download, or the window closed then.
    void cancelled();

public slots:
    // Escape or the window's close button: "Remind me later" when a version
    // is offered, Cancel while something runs.
    void reject() override;

private:
    enum class State
    {
        Checking,
        Result,
        Available,
        Downloading
    };
    void setState(State state);

    State state = State::Checking;
    QLabel *heading;
    QLabel *message;
    QProgressBar *progress;
    QTextBrowser *notes;
    QPushButton *skipButton;
    QPushButton *laterButton;
    QPushButton *installButton;
    QPushButton *cancelButton;
    QPushButton *closeButton;
};
