#pragma once

#include <QApplication>

class Updater;
class DataSourceManager;
class SizeTemplateManager;

// The application object of one pass of the start-up loop; it owns the
// process-wide services.
class TxApp : public QApplication
{
    Q_OBJECT
public:
    TxApp(int &argc, char **argv);
    // Destroys the services while the application still exists: the
    // updater's dialog and thread, for one, need it to the end.
    ~TxApp() override;

    // Creates the services in the order updater, data source manager, size
    // template catalogue.
    void initialize();

    static Updater *updater();
    static DataSourceManager *dataSourceManager();
    static SizeTemplateManager *sizeTemplateManager();

public slots:
    // Ends the event loop with the restart code; main() then builds everything anew.
    void reboot();

private:
    static TxApp *instance();

    Updater *updaterService = nullptr;
    DataSourceManager *dataSourceService = nullptr;
    SizeTemplateManager *sizeTemplateService = nullptr;
};
