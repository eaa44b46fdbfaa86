#include "interfacepage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIcon>
#include <QSettings>
#include <QVBoxLayout>

InterfacePage::InterfacePage(QWidget *parent) : BasePage(parent)
{
    languageCombo = new QComboBox;
    languageCombo->setObjectName(QStringLiteral("language"));
    // Each language by its own name, so that whoever reads it finds theirs
    // whatever language the window is in now.
    const struct
    {
        const char *text;
        const char *locale;
    } languages[] = {{"English", "en_US"}, {"Dansk", "da_DK"}, {"Deutsch", "de_DE"},
                     {"Polski", "pl_PL"},  {"Svenska", "sv_SE"}};
    for (const auto &l : languages)
        languageCombo->addItem(QIcon(), QString::fromUtf8(l.text), QString::fromLatin1(l.locale));

    auto *group = new QGroupBox(tr("Localization"));
    auto *form = new QFormLayout(group);
    form->addRow(tr("Menu language: "), languageCombo);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
    loadSettings();
}

void InterfacePage::loadSettings()
{
    QSettings settings;
    const QString locale =
        settings.value(QStringLiteral("localization/locale"), QStringLiteral("en_US")).toString();
    languageCombo->setCurrentIndex(
        languageCombo->findData(locale, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void InterfacePage::saveSettings()
{
    QSettings settings;
    settings.setValue(QStringLiteral("localization/locale"), languageCombo->currentData().toString());
}
