#pragma once

#include "platform/winspool.h"

#include <QDialog>
#include <QVector>

class QComboBox;

// The driver-properties dialog of a printer queue: one combo box per driver
// option, named after the option keyword, on one tab per driver group.
class DriverPropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    DriverPropertiesDialog(const QString &printerName, const QVector<winspool::DriverGroup> &groups,
                           QWidget *parent = nullptr);

    // The groups given to the constructor with the choices shown now.
    QVector<winspool::DriverGroup> groups() const;

    // Makes the printer layer show this dialog for DM_IN_PROMPT.
    static void install();

private:
    static bool run(QWidget *owner, const QString &printerName,
                    QVector<winspool::DriverGroup> &groups);

    QVector<winspool::DriverGroup> driverGroups;
    QVector<QComboBox *> combos;
};
