#pragma once

#include <QDockWidget>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class DataSource;
class QListWidget;
class QListWidgetItem;

// "Data sources": the tables the manager holds, with buttons to add a file,
// an internal table or a sequence of serial numbers, to edit the values and
// to remove a source.
class DataSourcesWidget : public QDockWidget
{
    Q_OBJECT
public:
    explicit DataSourcesWidget(QWidget *parent = nullptr);

    QListWidget *list() const { return sourceList; }

    // Which open documents use a source, and with how many items: the
    // question before a delete names them.
    using Usage = std::function<QList<QPair<QString, int>>(const DataSource *)>;
    void setUsage(Usage usage) { usageOf = std::move(usage); }

public slots:
    void updateListView();

private slots:
    void addInternal();
    void addSequence();
    void importSource();
    void editSource(QListWidgetItem *item);
    void editSource();
    void deleteSource();

private:
    QListWidget *sourceList = nullptr;
    Usage usageOf;
};
