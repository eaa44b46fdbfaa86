#pragma once

#include <QWidget>

// A page of the preferences: it reads and writes its own settings.
class BasePage : public QWidget
{
    Q_OBJECT
public:
    explicit BasePage(QWidget *parent = nullptr) : QWidget(parent) {}
    virtual void saveSettings() = 0;
    virtual void loadSettings() = 0;
};
