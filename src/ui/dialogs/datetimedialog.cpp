#include "datetimedialog.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

DateTimeDialog::DateTimeDialog(QDateTime *dateTime, QString *format, bool useSystemTime,
                               QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog/datetime"));
    setWindowTitle(tr("Date and Time"));

    auto *valueBox = new QGroupBox(tr("Date and Time"));
    auto *valueForm = new QFormLayout(valueBox);
    systemButton = new QRadioButton(tr("Use system's current date and time."));
    systemButton->setObjectName(QStringLiteral("system"));
    manualButton = new QRadioButton(tr("Set date and time manually."));
    manualButton->setObjectName(QStringLiteral("manual"));
    edit = new QDateTimeEdit;
    edit->setObjectName(QStringLiteral("datetime"));
    edit->setCalendarPopup(true);
    valueForm->addRow(systemButton);
    valueForm->addRow(manualButton);
    valueForm->addRow(edit);

    auto *formatBox = new QGroupBox(tr("Format"));
    auto *formatForm = new QFormLayout(formatBox);
    formats = new QComboBox;
    formats->setObjectName(QStringLiteral("format"));
    formats->setEditable(false);
    const QLocale locale;
    formats->addItems({locale.dateFormat(QLocale::ShortFormat), locale.dateFormat(QLocale::LongFormat),
                       locale.dateTimeFormat(QLocale::ShortFormat),
                       locale.dateTimeFormat(QLocale::LongFormat)});
    formatForm->addRow(tr("Format string:"), formats);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(valueBox);
    layout->addWidget(formatBox);
    layout->addWidget(buttons);

    connect(formats, &QComboBox::textActivated, this,
            &DateTimeDialog::setFormatString);
    connect(systemButton, &QRadioButton::toggled, this, &DateTimeDialog::radioToggled);
    connect(manualButton, &QRadioButton::toggled, this, &DateTimeDialog::radioToggled);

    if (dateTime)
        edit->setDateTime(*dateTime);
    if (!format || format->isNull()) {
        edit->setDisplayFormat(formats->currentText());
    } else {
        formats->setCurrentText(*format);
        edit->setDisplayFormat(*format);
    }
    if (useSystemTime)
        systemButton->setChecked(true);
    else
        manualButton->setChecked(true);
}

QDateTime DateTimeDialog::dateTime() const
{
    return edit->dateTime();
}

QString DateTimeDialog::formatString() const
{
    return formats->currentText();
}

bool DateTimeDialog::systemTimeSelected() const
{
    return systemButton->isChecked();
}

void DateTimeDialog::setFormatString(const QString &format)
{
    edit->setDisplayFormat(format);
}

void DateTimeDialog::radioToggled(bool)
{
    if (systemButton->isChecked()) {
        edit->setEnabled(false);
        edit->setDateTime(QDateTime::currentDateTime());
    } else {
        edit->setEnabled(true);
    }
}
