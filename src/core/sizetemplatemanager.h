#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <mutex>

class SizeTemplate;

// The catalogue of stock label sizes: the category list and every valid
// template file below the "sizetemplates" folder. Loaded once, when first
// asked for (a batch job never asks); the templates stay owned by the manager.
class SizeTemplateManager : public QObject
{
    Q_OBJECT
public:
    // Loads the catalogue next to the executable.
    explicit SizeTemplateManager(QObject *parent = nullptr);
    // Loads the catalogue of another folder (categories.json at its root,
    // *.tx4t files anywhere below it).
    SizeTemplateManager(const QString &folder, QObject *parent);
    ~SizeTemplateManager() override;

    QMap<qint32, QString> categories() const
    {
        ensureLoaded();
        return categoryMap;
    }
    QList<SizeTemplate *> templates() const
    {
        ensureLoaded();
        return templateList;
    }

    // The folder the application's own catalogue is read from.
    static QString applicationFolder();

    // Catalogue files are a few hundred bytes; anything far larger is not
    // one of them and is not read.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

private:
    void ensureLoaded() const;
    void load(const QString &folder);
    void loadCategories(const QString &fileName);
    void loadTemplates(const QString &folder);

    QString catalogueFolder;
    mutable std::once_flag loaded;
    QMap<qint32, QString> categoryMap;
    QList<SizeTemplate *> templateList;
};
