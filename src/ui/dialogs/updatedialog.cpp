#include "updatedialog.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

UpdateDialog::UpdateDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog/update"));
    setWindowTitle(tr("Software update"));
    // The dialog never keeps the application alive, nor stops it from ending
    // when the last main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    setMinimumWidth(420);

    heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("heading"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);
    heading->setWordWrap(true);

    message = new QLabel(this);
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);

    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("progress"));

    notes = new QTextBrowser(this);
    notes->setObjectName(QStringLiteral("releaseNotes"));
    // Links leave for the browser, and only to addresses the updater would fetch.
    notes->setOpenLinks(false);
    connect(notes, &QTextBrowser::anchorClicked, this, [](const QUrl &url) {
        if (appcast::urlAllowed(url))
            QDesktopServices::openUrl(url);
    });

    auto makeButton = [this](const QString &name, const QString &text) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    skipButton = makeButton(QStringLiteral("skip"), tr("Skip this version"));
    laterButton = makeButton(QStringLiteral("later"), tr("Remind me later"));
    installButton = makeButton(QStringLiteral("install"), tr("Install update"));
    cancelButton = makeButton(QStringLiteral("cancel"), tr("Cancel"));
    closeButton = makeButton(QStringLiteral("close"), tr("Close"));
    connect(skipButton, &QPushButton::clicked, this, &UpdateDialog::skipClicked);
    connect(laterButton, &QPushButton::clicked, this, &UpdateDialog::laterClicked);
    connect(installButton, &QPushButton::clicked, this, &UpdateDialog::installClicked);
    connect(cancelButton, &QPushButton::clicked, this, &UpdateDialog::cancelled);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(skipButton);
    buttons->addStretch(1);
    buttons->addWidget(laterButton);
    buttons->addWidget(installButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(message);
    layout->addWidget(progress);
    layout->addWidget(notes, 1);
    layout->addLayout(buttons);

    setState(State::Checking);
}

void UpdateDialog::setState(State newState)
{
    state = newState;
    progress->setVisible(state == State::Checking || state == State::Downloading);
    notes->setVisible(state == State::Available);
    skipButton->setVisible(state == State::Available);
    laterButton->setVisible(state == State::Available);
    installButton->setVisible(state == State::Available);
    cancelButton->setVisible(state == State::Checking || state == State::Downloading);
    closeButton->setVisible(state == State::Result);
    QPushButton *main = state == State::Available ? installButton
                        : state == State::Result  ? closeButton
                                                  : cancelButton;
    main->setDefault(true);
    main->setFocus();
    if (state == State::Available)
        resize(std::max(width(), 520), std::max(height(), 400));
    else
        adjustSize();
}

void UpdateDialog::showChecking()
{
    heading->setText(tr("Checking for updates..."));
    message->clear();
    progress->setRange(0, 0);
    setState(State::Checking);
}

void UpdateDialog::showUpToDate(const QString &version)
{
    heading->setText(tr("Tagorix is up to date."));
    message->setText(tr("Version %1 is the newest version available.").arg(version));
    setState(State::Result);
}

void UpdateDialog::showFailure(const QString &headingText, const QString &text)
{
    heading->setText(headingText);
    message->setText(text);
    setState(State::Result);
}

void UpdateDialog::showAvailable(const appcast::Release &release, const QString &currentVersion)
{
    heading->setText(tr("A new version of Tagorix is available."));
    message->setText(tr("Tagorix %1 is available; you have %2. Would you like to install it now?")
                         .arg(release.displayVersion(), currentVersion));
    if (!release.notes.isEmpty())
        notes->setHtml(release.notes);
    else if (!release.notesLink.isEmpty())
        notes->setHtml(QStringLiteral("<p><a href=\"%1\">%2</a></p>")
                           .arg(release.notesLink.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                tr("Release notes").toHtmlEscaped()));
    else
        notes->setPlainText(tr("No release notes were published with this version."));
    setState(State::Available);
}

void UpdateDialog::showDownloading(const QString &version)
{
    heading->setText(tr("Downloading Tagorix %1...").arg(version));
    message->clear();
    progress->setRange(0, 0);
    setState(State::Downloading);
}

void UpdateDialog::setProgress(qint64 received, qint64 total)
{
    const QLocale locale;
    if (total <= 0) {
        progress->setRange(0, 0);
        message->setText(locale.formattedDataSize(received));
        return;
    }
    progress->setRange(0, 1000);
    progress->setValue(int(std::min<qint64>(1000, received * 1000 / total)));
    message->setText(
        tr("%1 of %2").arg(locale.formattedDataSize(received), locale.formattedDataSize(total)));
}

void UpdateDialog::reject()
{
    if (state == State::Available)
        emit laterClicked();
    else if (state == State::Checking || state == State::Downloading)
        emit cancelled();
    QDialog::reject();
}
