#include "txapp.h"

#include "datasourcemanager.h"
#include "dialogeditor.h"
#include "dialogs/driverpropertiesdialog.h"
#include "services.h"
#include "sizetemplatemanager.h"
#include "startup.h"
#include "updater.h"

TxApp::TxApp(int &argc, char **argv) : QApplication(argc, argv)
{
    setObjectName(QStringLiteral("txapp"));
    DriverPropertiesDialog::install();
    DialogEditor::install();
}

TxApp::~TxApp()
{
    // Children would only go in ~QObject, after ~QApplication; the last made goes first.
    services::setSizeTemplateManager(nullptr);
    services::setDataSourceManager(nullptr);
    delete sizeTemplateService;
    sizeTemplateService = nullptr;
    delete dataSourceService;
    dataSourceService = nullptr;
    delete updaterService;
    updaterService = nullptr;
}

void TxApp::initialize()
{
    updaterService = new Updater(this);
    // Emitted on the update layer's thread: the windows close on this one.
    connect(updaterService, &Updater::requestClose, this, &QApplication::closeAllWindows);
    dataSourceService = new DataSourceManager(this);
    sizeTemplateService = new SizeTemplateManager(this);
    services::setDataSourceManager(dataSourceService);
    services::setSizeTemplateManager(sizeTemplateService);
}

TxApp *TxApp::instance()
{
    return qobject_cast<TxApp *>(QCoreApplication::instance());
}

Updater *TxApp::updater()
{
    TxApp *app = instance();
    return app ? app->updaterService : nullptr;
}

DataSourceManager *TxApp::dataSourceManager()
{
    TxApp *app = instance();
    return app ? app->dataSourceService : nullptr;
}

SizeTemplateManager *TxApp::sizeTemplateManager()
{
    TxApp *app = instance();
    return app ? app->sizeTemplateService : nullptr;
}

void TxApp::reboot()
{
    QCoreApplication::exit(startup::RestartExitCode);
}
