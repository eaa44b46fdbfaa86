#include "sizetemplatemanager.h"

#include "sizetemplate.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

// The whole file as JSON, or an empty object when it cannot be read, is too
// large or does not parse.
QJsonObject readJsonObject(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    // The size a file reports can be wrong (or change while it is read), so
    // the read itself is bounded too.
    if (file.size() > SizeTemplateManager::MaxFileSize)
        return QJsonObject();
    const QByteArray bytes = file.read(SizeTemplateManager::MaxFileSize + 1);
    if (bytes.size() > SizeTemplateManager::MaxFileSize)
        return QJsonObject();
    return QJsonDocument::fromJson(bytes).object();
}

} // namespace

SizeTemplateManager::SizeTemplateManager(QObject *parent)
    : SizeTemplateManager(applicationFolder(), parent)
{
}

SizeTemplateManager::SizeTemplateManager(const QString &folder, QObject *parent)
    : QObject(parent), catalogueFolder(folder)
{
    setObjectName(QStringLiteral("SizeTemplateManager"));
}

SizeTemplateManager::~SizeTemplateManager()
{
    qDeleteAll(templateList);
}

QString SizeTemplateManager::applicationFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/sizetemplates");
}

void SizeTemplateManager::ensureLoaded() const
{
    std::call_once(loaded,
                   [this] { const_cast<SizeTemplateManager *>(this)->load(catalogueFolder); });
}

void SizeTemplateManager::load(const QString &folder)
{
    loadCategories(folder + QStringLiteral("/categories.json"));
    loadTemplates(folder);
}

void SizeTemplateManager::loadCategories(const QString &fileName)
{
    const QJsonArray list = readJsonObject(fileName).value(QStringLiteral("categories")).toArray();
    for (const QJsonValue &entry : list) {
        // A stray number or null in the list names no category; read as an
        // empty object it would replace category 0 with an empty name.
        if (!entry.isObject())
            continue;
        const QJsonObject category = entry.toObject();
        categoryMap.insert(category.value(QStringLiteral("id")).toInt(0),
                           category.value(QStringLiteral("description")).toString());
    }
}

void SizeTemplateManager::loadTemplates(const QString &folder)
{
    // The walk follows links; a file reached by two paths is listed once.
    QSet<QString> seen;
    QDirIterator it(folder, {QStringLiteral("*.tx4t")}, QDir::Files,
                    QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext()) {
        const QString fileName = it.next();
        const QString canonical = QFileInfo(fileName).canonicalFilePath();
        if (seen.contains(canonical))
            continue;
        seen.insert(canonical);
        SizeTemplate st;
        st.fromJson(readJsonObject(fileName));
        if (st.isValid())
            templateList.append(new SizeTemplate(st));
    }
}
