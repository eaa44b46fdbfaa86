#include "driverpropertiesdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

DriverPropertiesDialog::DriverPropertiesDialog(const QString &printerName,
                                               const QVector<winspool::DriverGroup> &groups,
                                               QWidget *parent)
    : QDialog(parent), driverGroups(groups)
{
    setObjectName(QStringLiteral("dialog/driverproperties"));
    setWindowTitle(tr("%1 Document Properties").arg(printerName));

    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("groups"));
    layout->addWidget(tabs);

    for (const winspool::DriverGroup &group : driverGroups) {
        auto *page = new QWidget;
        auto *form = new QFormLayout(page);
        for (const winspool::DriverOption &option : group.options) {
            auto *combo = new QComboBox(page);
            combo->setObjectName(QString::fromLatin1(option.keyword));
            for (const winspool::DriverChoice &choice : option.choices) {
                combo->addItem(choice.text, QString::fromLatin1(choice.keyword));
                if (choice.keyword == option.current)
                    combo->setCurrentIndex(combo->count() - 1);
            }
            form->addRow(option.text + QLatin1Char(':'), combo);
            combos.append(combo);
        }
        // Some drivers have dozens of options in one group.
        auto *scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(page);
        tabs->addTab(scroll, group.text);
    }
    if (driverGroups.isEmpty())
        layout->insertWidget(0, new QLabel(tr("The driver of this printer has no options."), this));
    tabs->setVisible(!driverGroups.isEmpty());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QVector<winspool::DriverGroup> DriverPropertiesDialog::groups() const
{
    QVector<winspool::DriverGroup> out = driverGroups;
    int next = 0;
    for (winspool::DriverGroup &group : out)
        for (winspool::DriverOption &option : group.options) {
            const QComboBox *combo = combos.at(next++);
            if (combo->currentIndex() >= 0)
                option.current = combo->currentData().toString().toLatin1();
        }
    return out;
}

void DriverPropertiesDialog::install()
{
    winspool::setDriverDialogHook(&DriverPropertiesDialog::run);
}

bool DriverPropertiesDialog::run(QWidget *owner, const QString &printerName,
                                 QVector<winspool::DriverGroup> &groups)
{
    QPointer<DriverPropertiesDialog> dialog = new DriverPropertiesDialog(
        printerName, groups, owner ? owner : QApplication::activeWindow());
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return false;
    if (accepted)
        groups = dialog->groups();
    delete dialog;
    return accepted;
}
