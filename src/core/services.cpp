#include "services.h"

namespace {

DataSourceManager *dataSources = nullptr;
SizeTemplateManager *sizeTemplates = nullptr;

} // namespace

DataSourceManager *services::dataSourceManager()
{
    return dataSources;
}

SizeTemplateManager *services::sizeTemplateManager()
{
    return sizeTemplates;
}

void services::setDataSourceManager(DataSourceManager *manager)
{
    dataSources = manager;
}

void services::setSizeTemplateManager(SizeTemplateManager *manager)
{
    sizeTemplates = manager;
}
