#include "preferencesdialog.h"

#include "dialogs/basepage.h"
#include "dialogs/interfacepage.h"
#include "icons.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

PreferencesDialog::PreferencesDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog/preferences"));
    setWindowTitle(tr("Preferences"));
    contentsWidget = new QListWidget;
    contentsWidget->setViewMode(QListView::IconMode);
    contentsWidget->setIconSize(QSize(48, 36));
    contentsWidget->setMovement(QListView::Static);
    contentsWidget->setSpacing(8);

    pagesWidget = new QStackedWidget;
    pagesWidget->addWidget(new InterfacePage);

    auto *save = new QPushButton(tr("Save"));
    save->setObjectName(QStringLiteral("save"));
    auto *cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(save, &QPushButton::clicked, this, &PreferencesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *entry = new QListWidgetItem(contentsWidget);
    entry->setIcon(icons::fromAppDir(
        QStringLiteral("/icons/oxygen/48x48/apps/preferences-system-windows-actions.png")));
    entry->setText(tr("Interface"));
    entry->setTextAlignment(Qt::AlignHCenter);
    entry->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    connect(contentsWidget, &QListWidget::currentItemChanged, this, &PreferencesDialog::changePage);
    contentsWidget->setCurrentRow(0);
    // As wide as its longest entry in the language in use, never narrower
    // than the icons.
    int widest = contentsWidget->iconSize().width();
    for (int i = 0; i < contentsWidget->count(); ++i)
        widest = qMax(widest, contentsWidget->fontMetrics().horizontalAdvance(
                                  contentsWidget->item(i)->text()));
    contentsWidget->setFixedWidth(widest + 4 * contentsWidget->spacing() +
                                  2 * contentsWidget->frameWidth());
    auto *row = new QHBoxLayout;
    row->addWidget(contentsWidget);
    row->addWidget(pagesWidget, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    for (int i = 0; i < pagesWidget->count(); ++i) {
        if (auto *page = qobject_cast<BasePage *>(pagesWidget->widget(i)))
            page->loadSettings();
    }
}

void PreferencesDialog::changePage(QListWidgetItem *current, QListWidgetItem *previous)
{
    pagesWidget->setCurrentIndex(contentsWidget->row(current ? current : previous));
}

void PreferencesDialog::accept()
{
    for (int i = 0; i < pagesWidget->count(); ++i) {
        if (auto *page = qobject_cast<BasePage *>(pagesWidget->widget(i)))
            page->saveSettings();
    }
    QDialog::accept();
}
