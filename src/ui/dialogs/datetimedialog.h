#pragma once

#include <QDateTime>
#include <QDialog>

class QComboBox;
class QDateTimeEdit;
class QRadioButton;

// "Date and Time": where a date-time item takes its value from, and its format.
class DateTimeDialog : public QDialog
{
    Q_OBJECT
public:
    DateTimeDialog(QDateTime *dateTime, QString *format, bool useSystemTime,
                   QWidget *parent = nullptr);

    QDateTime dateTime() const;
    QString formatString() const;
    bool systemTimeSelected() const;

private slots:
    void setFormatString(const QString &format);
    void radioToggled(bool checked);

private:
    QDateTimeEdit *edit = nullptr;
    QComboBox *formats = nullptr;
    QRadioButton *systemButton = nullptr;
    QRadioButton *manualButton = nullptr;
};
