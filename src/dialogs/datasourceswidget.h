#pragma once

#include <QDockWidget>

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
};
