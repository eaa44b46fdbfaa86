#pragma once

class DataSourceManager;
class SizeTemplateManager;

// The process-wide services, reachable from every layer. The application
// object creates them and registers them here; a program without windows
// (batch printing, the print service) may do the same. Null when none is set.
namespace services {

DataSourceManager *dataSourceManager();
SizeTemplateManager *sizeTemplateManager();

void setDataSourceManager(DataSourceManager *manager);
void setSizeTemplateManager(SizeTemplateManager *manager);

} // namespace services
