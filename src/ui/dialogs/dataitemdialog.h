#pragma once

#include <QDialog>
#include <QItemSelection>

class DataSource;
class QComboBox;
class QDialogButtonBox;
class QTableView;

// "Edit data item": picks a data source and the cells of it an item shows.
class DataItemDialog : public QDialog
{
    Q_OBJECT
public:
    DataItemDialog(DataSource *source, const QItemSelection &selection,
                   QWidget *parent = nullptr);

    // Null when no source is chosen or the chosen one was removed meanwhile.
    DataSource *dataSource() const;
    QItemSelection selection() const;

private slots:
    void comboChanged(int index);
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected);

private:
    QComboBox *combo = nullptr;
    QTableView *view = nullptr;
    QDialogButtonBox *buttons = nullptr;
    // Deselecting emits selectionChanged again; this keeps us from recursing.
    bool adjustingSelection = false;
};
