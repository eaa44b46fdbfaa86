#pragma once

#include <QDialog>
#include <QPointer>

class DataSource;
class DataSourceItem;
class QLineEdit;
class QTableView;

// "Edit <source>": the values of one data source in a table; an internal
// table can also grow by one field at a time and be renamed.
class TableEditor : public QDialog
{
    Q_OBJECT
public:
    explicit TableEditor(DataSourceItem *item, QWidget *parent = nullptr);

public slots:
    // Takes a new name of an internal table first; a name that is taken
    // keeps the dialog open.
    void accept() override;

private slots:
    void addField();

private:
    QLineEdit *nameEdit = nullptr;
    QPointer<DataSource> source;
    QTableView *view = nullptr;
};
