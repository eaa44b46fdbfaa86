#include "printertestutil.h"

#include "dialogs/driverpropertiesdialog.h"
#include "platform/winspool.h"
#include "printersettings_win.h"
#include "testutil.h"

#include <QComboBox>
#include <QPushButton>

QMap<QString, QString> printertestutil::choiceMap(const QStringList &alternating)
{
    QMap<QString, QString> out;
    for (int i = 0; i + 1 < alternating.size(); i += 2)
        out.insert(alternating.at(i), alternating.at(i + 1));
    return out;
}

QMap<QString, QString> printertestutil::storedChoices(const PrinterSettingsWin &settings)
{
    winspool::DevModePtr live = winspool::defaultDevMode(settings.printerName());
    if (!live || !settings.copyDriverDataTo(live.get()))
        return {};
    return choiceMap(winspool::driverChoices(live.get()));
}

void printertestutil::answerDriverDialog(const QMap<QString, QString> &choose,
                                         QDialogButtonBox::StandardButton button,
                                         QStringList *problems)
{
    testutil::answerNextModal([choose, button, problems](QWidget *w) {
        auto *dialog = qobject_cast<DriverPropertiesDialog *>(w);
        if (!dialog) {
            *problems << QStringLiteral("the modal widget is not the driver dialog");
            w->close();
            return;
        }
        for (auto it = choose.begin(); it != choose.end(); ++it) {
            auto *combo = dialog->findChild<QComboBox *>(it.key());
            const int index = combo ? combo->findData(it.value()) : -1;
            if (index < 0)
                *problems << QStringLiteral("no choice %1 for %2").arg(it.value(), it.key());
            else
                combo->setCurrentIndex(index);
        }
        dialog->findChild<QDialogButtonBox *>()->button(button)->click();
    });
}
