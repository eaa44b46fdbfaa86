#pragma once

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QStackedWidget;

// "Preferences": a list of pages on the left, the chosen page on the right.
class PreferencesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesDialog(QWidget *parent = nullptr);

public slots:
    void accept() override;
    void changePage(QListWidgetItem *current, QListWidgetItem *previous);

private:
    QListWidget *contentsWidget = nullptr;
    QStackedWidget *pagesWidget = nullptr;
};
